#pragma once
// What the wizard relies on in a Far Cry installation and in its own payload folder: every
// fixed name of the game folder, the payload and the desktop lives here. (The command runner's
// work files and the settings store's names are those services' own.)
#include <array>
#include <string>

namespace velk::layout {

// Game folder (GameDir).
inline constexpr const char* kGameExeCheck = "\\bin32\\FarCry.exe";  // makes a folder a game folder
inline constexpr const char* kBin32 = "\\Bin32";
inline constexpr const char* kGameExe = "\\Bin32\\FarCry.exe";
inline constexpr const char* kLevels = "\\Levels";
inline constexpr const char* kMods = "\\Mods";
inline constexpr const char* kModsDirSuffix = "\\Mods\\";
inline constexpr const char* kModFolderPrefix = "VELK_";
inline constexpr const char* kRunLog = "velk.log";
inline constexpr const char* kStockLevelPak = "level.pak";
inline constexpr const char* kLevelPakName = "levelvelk.pak";
inline constexpr const char* kSecondLevelPak = "levelvelkki.pak";
inline constexpr const char* kDisabledSuffix = ".dis";
inline constexpr const char* kScriptExtension = ".lua";
inline constexpr const char* kScriptPattern = "*.lua";
// What makes a folder below Levels or Mods a level: a file of this pattern in it.
inline constexpr const char* kLevelArchivePattern = "*.pak";
inline constexpr const char* kScriptBackupSuffix = ".bak";
// The backup's name when a file of the usual name is not the wizard's own.
inline constexpr const char* kScriptOwnBackupSuffix = ".velk.bak";
inline constexpr const char* kModTag = "Av8";
inline constexpr std::array<const char*, 3> kOldModFolders = {"VELK", "VELK_Av6", "VELK_Av7"};

// Inside the mod folder.
inline constexpr const char* kMouseCursor = "\\textures\\gui\\mousecursor.dds";
inline constexpr const char* kSkinDE = "\\Objects\\weapons\\DE\\de.dds";
inline constexpr const char* kSkinM4 = "\\Objects\\weapons\\M4\\m4.dds";
inline constexpr const char* kModDescription = "ModDesc.txt";
// What an install changed outside the mod folder (engine/install_record.h).
inline constexpr const char* kInstallRecord = "InstallRecord.txt";

// Inside a level's work folder.
inline constexpr const char* kMissionFile = "mission_velk.xml";
inline constexpr const char* kHideBai = "hidevelk.bai";
inline constexpr const char* kNetBai = "netvelk.bai";
inline constexpr const char* kBaiExtension = ".bai";
inline constexpr const char* kBaiPattern = "*.bai";
// The two .bai files of a level that the mod's archive holds under its own names.
inline std::string HideBaiOf(const std::string& level) { return "hide" + level + kBaiExtension; }
inline std::string NetBaiOf(const std::string& level) { return "net" + level + kBaiExtension; }

// Payload beside the program (AppDir).
inline constexpr const char* kArchiver = "7z.exe";
// The archiver as the level archive's extraction names it: without folder and extension.
inline constexpr const char* kArchiverProgram = "7z";
inline constexpr const char* kModFilesArchive = "modfiles.7z";
inline constexpr const char* kMapFilesArchive = "mapfiles.7z";
inline constexpr const char* kWorkFolder = "Temp";
// The same folder as the level list's scan and the packing of a level archive name it.
inline constexpr const char* kWorkFolderLowerCase = "temp";
inline constexpr const char* kKillBatch = "Kill.bat";
inline constexpr std::array<const char*, 3> kLegacyPayload = {"COMCTL32.OCX", "COMDLG32.OCX",
                                                              "vbrun60sp6.exe"};

// Desktop shortcut.
inline constexpr const char* kLinkExtension = ".lnk";
inline constexpr int kShortcutIconIndex = 1;

// A Steam library: the game's manifest (Steam's app id of Far Cry names it), the list of the
// further libraries in the Steam folder, and the folder that holds each installed game.
inline constexpr const char* kSteamManifest = "steamapps\\appmanifest_13520.acf";
inline constexpr const char* kSteamLibraryList = "steamapps\\libraryfolders.vdf";
inline constexpr const char* kSteamGames = "steamapps\\common";

// The 20 stock levels, in the game's order (index 1 to 20 in the wizard's own numbering).
inline constexpr std::array<const char*, 20> kStockLevels = {
    "Archive", "Boat",      "Bunker",    "Carrier",  "Catacombs", "Control",  "Cooler",
    "Dam",     "Factory",   "Fort",      "Pier",     "Rebellion", "Regulator", "Research",
    "River",   "Steam",     "Swamp",     "Training", "Treehouse", "Volcano"};
// Their first and last index, which are also the range of the progress bar.
inline constexpr int kFirstStockLevelIndex = 1;
inline constexpr int kLastStockLevelIndex = static_cast<int>(kStockLevels.size());

}  // namespace velk::layout
