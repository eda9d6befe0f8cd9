// Bad payloads and a bad archiver: the run ends, the user is told which file failed, the log
// keeps 7-Zip's words, and nothing is written outside the target folders.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/message_catalogue.h"
#include "hardening/hardening_fixture.h"
#include "support/file_helpers.h"
#include "wizard/catalogue.h"

namespace velk::hardening {
namespace {

const MessageCatalogue kEnglish = EnglishCatalogue();

// A folder below Z:\tmp, that is on another drive than the prefix's C:, removed afterwards.
class OtherDriveFolder {
 public:
  OtherDriveFolder()
      : path_("Z:\\tmp\\velk-hardening-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(GetTickCount64())) {
    CreateFolders(path_);
  }
  ~OtherDriveFolder() { RemoveFolderTree(path_); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

class HardeningPayload : public HardeningTest {
 protected:
  // The payload folder with `archive` replaced by `bytes`.
  void MakeFoldersWith(const std::string& archive, const std::string& bytes) {
    MakeFolders();
    testkit::WriteFile(fixture_.appDir + "\\" + archive, bytes);
  }
  // A payload file found missing or damaged before the first change: its own exit code, the
  // message naming it, one log line, and the game folder and the payload folder exactly as
  // they were (the run log aside, which every run starts afresh).
  void ExpectPayloadStop(const SetupRun& run, const std::string& file, const Tree& app) {
    EXPECT_EQ(run.code, 4) << run.output;
    EXPECT_TRUE(Contains(run.output, FormatText(kEnglish.MsgPayloadBroken, file))) << run.output;
    const std::vector<std::string> log = testkit::LogTexts(fixture_.gameDir);
    ASSERT_GE(log.size(), 5u);
    EXPECT_TRUE(log[4].rfind("Setup file " + file + " ", 0) == 0) << log[4];
    EXPECT_TRUE(Contains(log[4], ": nothing changed")) << log[4];
    Tree game = Game();
    game.erase("velk.log");
    Tree stock = stock_;
    stock.erase("velk.log");
    EXPECT_EQ(game, stock);
    EXPECT_EQ(testkit::ListFolders(fixture_.gameDir), stockFolders_);
    EXPECT_EQ(testkit::HashTree(fixture_.appDir), app);
    EXPECT_FALSE(FolderExists(fixture_.gameDir + "\\Mods\\VELK_Av8"));
  }
  void KeepFolders() { stockFolders_ = testkit::ListFolders(fixture_.gameDir); }

  std::vector<std::string> stockFolders_;
};

// Double-clicked inside the downloaded zip: the archiver copies the program alone into a
// temporary folder of its own. The player is told to unpack the archive; in an ordinary
// folder the same program without its files still says to download again.
TEST_F(HardeningPayload, ProgramAloneInAnArchiversTempFolderAsksToUnpackFirst) {
  MakeFolders();
  const std::vector<std::pair<std::string, bool>> folders = {
      {"Temp1_VelkSetup-1.0.zip", true}, {"Rar$EXa4412.18544", true}, {"7zO8B2C4F1D", true},
      {"temp12_velksetup.ZIP", true},    {"Temp_VelkSetup.zip", false}, {"Downloads", false}};
  for (const auto& [name, fromArchive] : folders) {
    fixture_.appDir = temp_.path() + "\\" + name;
    ASSERT_TRUE(CreateFolders(fixture_.appDir));
    ASSERT_TRUE(CopyFileOver(testkit::ProgramPath(), fixture_.appDir + "\\VelkSetup.exe"));
    const SetupRun run = RunChecked();
    EXPECT_EQ(run.code, 4) << name << run.output;
    const std::string expected = fromArchive ? FormatText(kEnglish.MsgUnpackArchiveFirst, "")
                                             : FormatText(kEnglish.MsgPayloadBroken, "7z.exe");
    EXPECT_TRUE(Contains(run.output, expected)) << name << run.output;
    EXPECT_FALSE(FolderExists(fixture_.gameDir + "\\Mods\\VELK_Av8")) << name;
  }
}

TEST_F(HardeningPayload, GameFolderOnAnotherDriveThanThePayload) {
  OtherDriveFolder other;
  ASSERT_TRUE(FolderExists(other.path()));
  testkit::GameOptions game;
  game.folderName = "Far Cry";
  fixture_.gameDir = testkit::MakeGameFolder(other.path(), game);
  testkit::AppOptions app;
  app.withProgram = true;
  fixture_.appDir = testkit::MakeAppDir(temp_.path(), app);
  stock_ = Game();
  ASSERT_EQ(fixture_.gameDir.substr(0, 2), "Z:");
  ASSERT_EQ(fixture_.appDir.substr(0, 2), "C:");

  SetupRun run = RunChecked();
  ASSERT_EQ(run.code, 0) << run.output;
  ExpectInstalled(fixture_.gameDir, stock_, levels_);
  run = RunChecked("/ACTION=toggle");
  ASSERT_EQ(run.code, 0) << run.output;
  EXPECT_TRUE(testkit::Exists(Level("Dam", "levelvelk.pak.dis")));
  run = RunChecked("/ACTION=uninstall");
  ASSERT_EQ(run.code, 0) << run.output;
  ExpectStockRestored(stock_, Game());
}

TEST_F(HardeningPayload, MissingOrDamagedPayloadChangesNothing) {
  const struct {
    const char* archive;
    const char* how;
  } cases[] = {{"modfiles.7z", "missing"},   {"mapfiles.7z", "missing"},
               {"modfiles.7z", "empty"},     {"mapfiles.7z", "empty"},
               {"modfiles.7z", "truncated"}, {"mapfiles.7z", "truncated"},
               {"modfiles.7z", "corrupt"},   {"mapfiles.7z", "corrupt"},
               {"modfiles.7z", "text"},      {"modfiles.7z", "other folder"},
               {"7z.exe", "missing"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.archive) + " " + c.how);
    testkit::TempFolder place("pay");
    MakeFolders("Far Cry", "VelkSetup", place.path());
    const std::string archive = fixture_.appDir + "\\" + c.archive;
    const std::string how = c.how;
    std::string bytes = testkit::ReadFile(archive);
    if (how == "missing") {
      ASSERT_TRUE(DeleteFileAt(archive));
    } else if (how == "truncated") {
      bytes.resize(bytes.size() / 2);
    } else if (how == "corrupt") {
      // The headers intact, packed bytes in the middle changed: only 7-Zip's test finds it.
      for (size_t i = bytes.size() / 3; i < bytes.size() / 3 + 16; ++i) bytes[i] = static_cast<char>(~bytes[i]);
    } else if (how == "text") {
      bytes = "This is not an archive.\r\n";
    } else if (how == "other folder") {
      WriteZip(archive, {{"VELK_Other\\ModDesc.en.txt", testkit::ModFileText("ModDesc.en.txt")}});
    } else {
      bytes.clear();
    }
    if (how != "missing" && how != "other folder") testkit::WriteFile(archive, bytes);
    KeepFolders();
    const Tree app = testkit::HashTree(fixture_.appDir);
    ExpectPayloadStop(RunChecked(), c.archive, app);
  }
}

// Entries that climb out of the target folder, or name a drive, a root or a rooted path.
TEST_F(HardeningPayload, EntriesOutsideTheTargetAreNotWritten) {
  const std::string nest = temp_.path() + "\\one\\two\\three";
  MakeFolders("Far Cry", "VelkSetup", nest);
  const std::string outside = "C:\\velk-escape-" + std::to_string(GetCurrentProcessId()) + ".txt";
  const std::string mapScript = testkit::ModScriptText("Archive");
  WriteZip(fixture_.appDir + "\\mapfiles.7z",
           {{"Temp\\Archive\\Archive.lua", mapScript},
            {"Temp\\Archive\\mission_velk.xml", testkit::MissionFileText()},
            {"..\\..\\escape-map-1.txt", "out"},
            {"Temp/../../../escape-map-2.txt", "out"},
            {outside, "out"},
            {"\\escape-map-4.txt", "out"}});
  WriteZip(fixture_.appDir + "\\modfiles.7z",
           {{"VELK_Av8\\ModDesc.en.txt", testkit::ModFileText("ModDesc.en.txt")},
            {"VELK_Av8\\..\\..\\..\\escape-mod-1.txt", "out"},
            {"../../escape-mod-2.txt", "out"}});
  const Tree outsideBefore = testkit::HashTree(temp_.path());
  const SetupRun run = RunChecked("/LEVELS=Archive");
  EXPECT_NE(run.code, -1);
  EXPECT_FALSE(testkit::Exists(outside));
  // 7-Zip drops "..", drive and root parts of entry names: what it writes stays inside the
  // folder it unpacks into (the mod folder's parent Mods, or the payload folder).
  for (const auto& [name, hash] : testkit::HashTree(temp_.path())) {
    if (outsideBefore.count(name) != 0) continue;
    const bool inside = name.rfind("one\\two\\three\\Far Cry\\Mods\\", 0) == 0 ||
                        name.rfind("one\\two\\three\\Far Cry\\Levels\\", 0) == 0 ||
                        name == "one\\two\\three\\Far Cry\\velk.log" ||
                        name.rfind("one\\two\\three\\VelkSetup\\", 0) == 0;
    EXPECT_TRUE(inside) << name << " was written; output: " << run.output;
  }
  ExpectStockKept(stock_, Game(), /*modsMayHoldMore=*/true);
  if (run.code != 0) {
    EXPECT_FALSE(run.output.empty());
  }
}

class HardeningArchiver : public HardeningPayload {};

// An archiver that fails every run is found by the payload's test, before any change.
TEST_F(HardeningArchiver, FailingArchiverStopsBeforeAnyChange) {
  MakeFolders();
  ASSERT_TRUE(CopyFileOver(testkit::TestProgramPath("failing_archiver"), fixture_.appDir + "\\7z.exe"));
  KeepFolders();
  const Tree app = testkit::HashTree(fixture_.appDir);
  ExpectPayloadStop(RunChecked(), "modfiles.7z", app);
  EXPECT_TRUE(LogMentions(fixture_.gameDir, "failed 7-Zip's test: failing archiver: cannot open"));
}

}  // namespace
}  // namespace velk::hardening

namespace velk::hardening {
namespace {

// An archiver that passes the payload's test but only says "Everything is Ok" when it should
// unpack: the install is an error, not a success with no mod folder.
TEST_F(HardeningArchiver, AnArchiverThatLiesIsAnError) {
  MakeFolders();
  const std::string archiver = fixture_.appDir + "\\7z.exe";
  ASSERT_TRUE(CopyFileOver(archiver, fixture_.appDir + "\\real-7z.exe"));
  ASSERT_TRUE(CopyFileOver(testkit::TestProgramPath("false_archiver"), archiver));
  testkit::WriteFile(fixture_.appDir + "\\false-archiver.txt", "lies x");
  const SetupRun run = RunChecked();
  EXPECT_EQ(run.code, 1) << run.output;
  EXPECT_TRUE(Contains(run.output, "Error extracting \"modfiles.7z\"!")) << run.output;
  EXPECT_TRUE(LogHas(fixture_.gameDir, "Error extracting modfiles.7z"));
  EXPECT_TRUE(LogMentions(fixture_.gameDir, "Not unpacked: "));
  ExpectStockKept(stock_, Game());
}

}  // namespace
}  // namespace velk::hardening
