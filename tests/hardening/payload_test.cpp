// Bad payloads and a bad archiver: the run ends, the user is told which file failed, the log
// keeps 7-Zip's words, and nothing is written outside the target folders.
#include <windows.h>

#include <string>

#include "engine/message_catalogue.h"
#include "hardening/hardening_fixture.h"
#include "support/file_helpers.h"
#include "wizard/catalogue.h"

namespace velk::hardening {
namespace {

const MessageCatalogue kEnglish = EnglishCatalogue();

std::string ExtractError(const std::string& archive) {
  return FormatText(kEnglish.MsgExtractError, archive);
}

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
  // A failed unpacking of `archive`: a named message, the log lines, the stock files kept.
  void ExpectExtractFailure(const SetupRun& run, const std::string& archive) {
    EXPECT_EQ(run.code, 1) << run.output;
    EXPECT_TRUE(Contains(run.output, ExtractError(archive))) << run.output;
    EXPECT_TRUE(LogHas(fixture_.gameDir, "Error extracting " + archive));
    EXPECT_TRUE(LogMentions(fixture_.gameDir, "Output [")) << "7-Zip's words are logged";
    ExpectStockKept(stock_, Game());
  }
};

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

TEST_F(HardeningPayload, ModFilesMissing) {
  testkit::AppOptions app;
  app.withModFiles = false;
  MakeFolders("Far Cry", "VelkSetup", {}, {}, app);
  const SetupRun run = RunChecked();
  EXPECT_TRUE(Contains(run.output, FormatText(kEnglish.MsgFileNotFound, "modfiles.7z"))) << run.output;
  EXPECT_TRUE(LogHas(fixture_.gameDir, "File missing: modfiles.7z"));
  ExpectExtractFailure(run, "modfiles.7z");
}

TEST_F(HardeningPayload, MapFilesMissing) {
  testkit::AppOptions app;
  app.withMapFiles = false;
  MakeFolders("Far Cry", "VelkSetup", {}, {}, app);
  const SetupRun run = RunChecked();
  EXPECT_TRUE(Contains(run.output, FormatText(kEnglish.MsgFileNotFound, "mapfiles.7z"))) << run.output;
  ExpectExtractFailure(run, "mapfiles.7z");
  for (const std::string& level : levels_) EXPECT_FALSE(testkit::Exists(Level(level, "levelvelk.pak")));
}

TEST_F(HardeningPayload, EmptyTruncatedOrNoArchive) {
  const struct {
    const char* archive;
    const char* how;
  } cases[] = {{"modfiles.7z", "empty"},     {"mapfiles.7z", "empty"},
               {"modfiles.7z", "truncated"}, {"mapfiles.7z", "truncated"},
               {"modfiles.7z", "text"},      {"mapfiles.7z", "text"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.archive) + " " + c.how);
    testkit::TempFolder place("pay");
    MakeFolders("Far Cry", "VelkSetup", place.path());
    const std::string archive = fixture_.appDir + "\\" + c.archive;
    std::string bytes;
    if (std::string(c.how) == "truncated") {
      bytes = testkit::ReadFile(archive);
      bytes.resize(bytes.size() / 2);
    } else if (std::string(c.how) == "text") {
      bytes = "This is not an archive.\r\n";
    }
    testkit::WriteFile(archive, bytes);
    ExpectExtractFailure(RunChecked(), c.archive);
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

TEST_F(HardeningArchiver, MissingArchiverIsNamed) {
  testkit::AppOptions app;
  app.withArchiver = false;
  MakeFolders("Far Cry", "VelkSetup", {}, {}, app);
  const SetupRun run = RunChecked();
  EXPECT_EQ(run.code, 1) << run.output;
  EXPECT_TRUE(Contains(run.output, FormatText(kEnglish.MsgFileNotFound, "7z.exe"))) << run.output;
  EXPECT_TRUE(LogHas(fixture_.gameDir, "File missing: 7z.exe"));
  ExpectStockKept(stock_, Game());
  for (const std::string& level : levels_) EXPECT_FALSE(testkit::Exists(Level(level, "levelvelk.pak")));
}

TEST_F(HardeningArchiver, FailingArchiverIsReportedWithItsOutput) {
  MakeFolders();
  ASSERT_TRUE(CopyFileOver(testkit::TestProgramPath("failing_archiver"), fixture_.appDir + "\\7z.exe"));
  const SetupRun run = RunChecked();
  ExpectExtractFailure(run, "modfiles.7z");
  EXPECT_TRUE(Contains(run.output, ExtractError("mapfiles.7z"))) << run.output;
  EXPECT_TRUE(LogMentions(fixture_.gameDir, "failing archiver: cannot open"));
  for (const std::string& level : levels_) EXPECT_FALSE(testkit::Exists(Level(level, "levelvelk.pak")));
}

}  // namespace
}  // namespace velk::hardening
