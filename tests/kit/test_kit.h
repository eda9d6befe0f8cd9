#pragma once
// Test kit: real folders, real files and real 7-Zip archives for every test of the project.
// Everything is made below the test process's own temporary folder (see test_main.cpp).
// What cannot be built as asked throws std::runtime_error naming the cause (7-Zip's output
// included), so the test fails with a reason.
#include <map>
#include <string>
#include <vector>

namespace velk::testkit {

// A fresh, empty folder below the process's temporary folder, removed when it goes out of
// scope (kept when the environment variable VELK_KEEP_FIXTURES is set).
class TempFolder {
 public:
  explicit TempFolder(const std::string& nameHint = "t");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }
 private:
  std::string path_;
};

struct GameOptions {
  std::string folderName = "Far Cry";  // blanks, umlauts, %, &, ' are one parameter away
  std::vector<std::string> levels = {"Archive", "Boat", "Dam"};
  bool stockScripts = true;       // each level gets a stock <Level>.lua
  bool withMods = true;           // an empty Mods folder
};

struct AppOptions {
  std::string folderName = "VelkSetup";
  std::vector<std::string> mapLevels = {"Archive", "Boat", "Dam"};
  bool withArchiver = true;   // 7z.exe
  bool withModFiles = true;   // modfiles.7z
  bool withMapFiles = true;   // mapfiles.7z
  bool withProgram = false;   // a copy of VelkSetup.exe
  // More files for mapfiles.7z, by their path below Temp (Dam\\extra.lua) and content.
  std::map<std::string, std::string> extraMapFiles;
};

struct Fixture {
  std::string root;     // the folder holding both
  std::string gameDir;  // root\<GameOptions::folderName>
  std::string appDir;   // root\<AppOptions::folderName>
};

// A game folder in the game's layout: empty Bin32\FarCry.exe, Mods, and per level
// Levels\<Level>\level.pak (a ZIP holding hide<Level>.bai, net<Level>.bai and other files)
// and, with stockScripts, Levels\<Level>\<Level>.lua.
std::string MakeGameFolder(const std::string& parent, const GameOptions& options = {});
// The wizard's payload folder: 7z.exe, modfiles.7z (top folder VELK_Av8 with the mouse
// cursor, both weapon skins, ModDesc.en.txt and ModDesc.de.txt) and mapfiles.7z (top folder
// Temp with Temp\<Level>\ holding <Level>.lua, mission_velk.xml and other files).
std::string MakeAppDir(const std::string& parent, const AppOptions& options = {});
Fixture MakeFixture(const std::string& parent, const GameOptions& game = {}, const AppOptions& app = {});

// The content the payload archives are packed from, for tests that compare against it.
std::string StockScriptText(const std::string& level);
std::string ModScriptText(const std::string& level);
std::string MissionFileText();  // holds RespawnTime="0" twice, and "05" and "00" that stay
// Files of modfiles.7z below its top folder VELK_Av8 (backslash separated) and their content;
// ModDesc.en.txt and ModDesc.de.txt differ.
std::vector<std::string> ModFileNames();
std::string ModFileText(const std::string& name);

// The real archiver and program beside the test programs.
std::string ArchiverPath();
std::string ProgramPath();       // VelkSetup.exe
std::string TestProgramPath(const std::string& name);  // tests/programs/<name>.exe

// Runs a program directly (no cmd), waits, and returns its exit code; stdout and stderr
// together in `output` when given, as the raw bytes the program wrote. -1 when it could not
// be started or was ended after `timeoutMs`.
// With `tempFolder`, the program sees it as TEMP and TMP (a user account of its own).
int RunProgram(const std::string& commandLine, const std::string& workDir = {},
               std::string* output = nullptr, unsigned timeoutMs = 60000,
               const std::string& tempFolder = {});
// Packs `sourceFolder`'s content (relative names) into `archive` with the real 7-Zip.
void PackFolder(const std::string& sourceFolder, const std::string& archive, const std::string& type);
// The same, but an archive packed before from identical content (names and bytes) is copied
// instead. The packed archives are kept beside the per-process temporary folders (in the Wine
// prefix), shared by all test processes.
void PackFolderCached(const std::string& sourceFolder, const std::string& archive,
                      const std::string& type);
// Entry names of an archive as 7-Zip lists them (backslash separated).
std::vector<std::string> ListArchive(const std::string& archive);
// The same without the folder entries.
std::vector<std::string> ListArchiveFiles(const std::string& archive);
// Extracts one entry's bytes from an archive.
std::string ReadArchiveEntry(const std::string& archive, const std::string& entry);
// Relative path -> content hash of every file the archive holds, unpacked in one run.
std::map<std::string, std::string> HashArchive(const std::string& archive);

// File helpers for tests (UTF-8 paths).
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);
std::vector<std::string> ListTree(const std::string& folder);  // relative paths of all files
// Relative paths of all folders below `folder`.
std::vector<std::string> ListFolders(const std::string& folder);
// Relative path -> content hash of every file below `folder`.
std::map<std::string, std::string> HashTree(const std::string& folder);
// The content hash HashTree uses (FNV-1a, 64 bit, 16 hex digits).
std::string Fnv1a64Hex(const std::string& bytes);

// The run log's lines without their "[time] - " prefix (continuation lines unchanged).
std::vector<std::string> LogTexts(const std::string& gameDir);
// True when the run log holds this line; when some line holds `part`.
bool LogHas(const std::string& gameDir, const std::string& text);
bool LogMentions(const std::string& gameDir, const std::string& part);

// The names in order.
std::vector<std::string> Sorted(std::vector<std::string> names);

}  // namespace velk::testkit
