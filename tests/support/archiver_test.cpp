// The archiver's command forms and success test, with the real 7-Zip run through the runner.
#include "engine/archive_commands.h"
#include "support/archiver.h"

#include <algorithm>
#include <ostream>

#include <gtest/gtest.h>

#include "kit/test_kit.h"
#include "support/command_runner.h"
#include "support/file_helpers.h"
#include "support/process_info.h"

namespace velk {
namespace {

using testkit::Sorted;

using testkit::TempFolder;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

TEST(ArchiverCommands, TheFourFormsCharacterForCharacter) {
  EXPECT_EQ(ModFilesExtractCommand("C:\\App", "D:\\Games\\Far Cry"),
            "\"C:\\App\\7z.exe\" x modfiles.7z -o\"D:\\Games\\Far Cry\\Mods\\\" -y");
  EXPECT_EQ(MapFilesExtractCommand("C:\\App"),
            "\"C:\\App\\7z.exe\" x -y \"C:\\App\\mapfiles.7z\" -o\"C:\\App\\\"");
  EXPECT_EQ(BaiExtractCommand("D:\\Games\\Far Cry\\Levels\\Archive", "C:\\App\\Temp\\Archive"),
            "7z e \"D:\\Games\\Far Cry\\Levels\\Archive\\level.pak\" "
            "-o\"C:\\App\\Temp\\Archive\\\" *.bai -y");
  EXPECT_EQ(LevelPakCommand("C:\\App", "levelvelk.pak"),
            "\"C:\\App\\7z.exe\" a -tzip levelvelk.pak * -y -x!\"*.lua\"");
}

TEST(SevenZipSuccess, LastFourCharactersAndLineEnds) {
  const std::string ok = "\r\n7-Zip (a) 21.07\r\n\r\nEverything is Ok";
  EXPECT_TRUE(OkInLastFour(ok + "\r\n"));
  EXPECT_TRUE(SevenZipOk(ok + "\r\n"));
  for (const std::string& text : {ok + "\n", ok, ok + "\r\n\r\n", ok + " \r\n\r\n"}) {
    EXPECT_FALSE(OkInLastFour(text)) << text;
    EXPECT_FALSE(SevenZipOk(text)) << text;
  }
  // Shorter than four characters: tested as a whole.
  EXPECT_TRUE(SevenZipOk("Ok"));
  EXPECT_FALSE(SevenZipOk(" Ok"));
  EXPECT_TRUE(SevenZipOk("Ok \r"));
  EXPECT_FALSE(SevenZipOk("OK\r\n"));
  EXPECT_FALSE(SevenZipOk("ok\r\n"));
  EXPECT_FALSE(SevenZipOk("O"));
  EXPECT_FALSE(SevenZipOk(""));
  EXPECT_FALSE(SevenZipOk(kRunnerErrorResult));
}

TEST(SevenZipSuccess, SummaryAfterEverythingIsOk) {
  const std::string ok = "Extracting archive: a.7z\r\n\r\nEverything is Ok\r\n\r\n";
  for (const std::string& summary :
       {std::string("Folders: 3\r\nFiles: 3\r\nSize: 25\r\nCompressed: 263\r\n"),
        std::string("Files: 0\r\nSize:       0\r\nCompressed: 402\r\n"),
        std::string("Size:       6\r\nCompressed: 402\r\n"),
        std::string("Folders: 1\r\nFiles: 2\r\nSize:       8\r\nCompressed: 402"),
        std::string("Files: 2\nSize: 8\n\n")}) {
    EXPECT_FALSE(OkInLastFour(ok + summary)) << summary;
    EXPECT_TRUE(SevenZipOk(ok + summary)) << summary;
  }
  for (const std::string& text :
       {std::string("Can't open as archive: 1\r\nFiles: 0\r\nSize:       0\r\nCompressed: 0\r\n"),
        ok + "ERRORS:\r\nFiles: 1\r\n", ok + "Files: 1\r\nSub items Errors: 1\r\n",
        ok + "Files: x\r\n", ok + "Files:\r\n", ok + "Files: 1 2\r\n",
        std::string("Everything is Okay\r\n\r\nFiles: 1\r\n"),
        std::string("Not everything is Ok\r\n\r\nFiles: 1\r\n")}) {
    EXPECT_FALSE(SevenZipOk(text)) << text;
  }
}

// The real 7-Zip's outputs for each command the wizard issues and for its failures.
class SevenZipOutputs : public ::testing::Test {
 protected:
  void SetUp() override {
    source_ = temp_.path() + "\\source";
    archive_ = temp_.path() + "\\level.pak";
    testkit::WriteFile(source_ + "\\a.bai", "bai");
    testkit::WriteFile(source_ + "\\Grüße.bai", "umlaut");
    testkit::WriteFile(source_ + "\\sub\\b.txt", "text");
    testkit::PackFolder(source_, archive_, "zip");
  }
  void TearDown() override { SetCurrentFolder(savedFolder_); }
  std::string Run(const std::string& arguments, const std::string& folder = ".") {
    return ExecDosCommand(Quoted(testkit::ArchiverPath()) + " " + arguments, folder);
  }

  std::string savedFolder_ = CurrentFolder();
  TempFolder temp_{"7z"};
  std::string source_, archive_;
};

TEST_F(SevenZipOutputs, SuccessfulRunsPass) {
  const std::string out = temp_.path() + "\\out\\";
  std::string output = Run("x " + Quoted(archive_) + " -o" + Quoted(out) + " -y");
  // Today's 7-Zip ends an extraction with a summary after "Everything is Ok".
  EXPECT_FALSE(OkInLastFour(output)) << output;
  EXPECT_TRUE(SevenZipOk(output)) << output;
  EXPECT_EQ(testkit::ReadFile(out + "sub\\b.txt"), "text");

  output = Run("e " + Quoted(archive_) + " -o" + Quoted(out + "e\\") + " *.bai -y");
  EXPECT_TRUE(SevenZipOk(output)) << output;
  EXPECT_EQ(testkit::ReadFile(out + "e\\a.bai"), "bai");
  EXPECT_EQ(testkit::ReadFile(out + "e\\Grüße.bai"), "umlaut");

  // A mask that matches nothing is no failure to 7-Zip: "No files to process".
  output = Run("e " + Quoted(archive_) + " -o" + Quoted(out + "none\\") + " *.zzz -y");
  EXPECT_NE(output.find("No files to process"), std::string::npos) << output;
  EXPECT_TRUE(SevenZipOk(output)) << output;

  output = Run("a -tzip new.zip * -y -x!\"*.lua\"", source_ + "\\");
  EXPECT_TRUE(OkInLastFour(output)) << output;
  EXPECT_TRUE(SevenZipOk(output)) << output;
  EXPECT_TRUE(FileExists(source_ + "\\new.zip"));
}

TEST_F(SevenZipOutputs, FailedRunsAndListingsFail) {
  const std::string out = Quoted(temp_.path() + "\\out\\");
  // A listing ends in its totals line: not an operation the wizard judges, and no success.
  std::string output = Run("l " + Quoted(archive_));
  EXPECT_NE(output.find("sub\\b.txt"), std::string::npos) << output;
  // 7-Zip prints names in the OEM code page; they come back as they are.
  EXPECT_NE(output.find(" Grüße.bai\r\n"), std::string::npos) << output;
  EXPECT_FALSE(SevenZipOk(output)) << output;

  output = Run("x " + Quoted(temp_.path() + "\\missing.7z") + " -o" + out + " -y");
  EXPECT_FALSE(SevenZipOk(output)) << output;

  const std::string corrupt = temp_.path() + "\\corrupt.7z";
  testkit::WriteFile(corrupt, "7z\xBC\xAF\x27\x1C garbage that is no archive");
  output = Run("x " + Quoted(corrupt) + " -o" + out + " -y");
  EXPECT_FALSE(output.empty());
  EXPECT_FALSE(SevenZipOk(output)) << output;

  // cmd's complaint goes to the error stream, so the captured output is empty.
  output = ExecDosCommand("\"C:\\no such folder\\7z.exe\" x modfiles.7z -y", ".");
  EXPECT_EQ(output, "");
  EXPECT_FALSE(SevenZipOk(output));
  // "7z e" names no folder: from a folder without 7z.exe it is not found.
  ASSERT_TRUE(SetCurrentFolder(temp_.path()));
  output = ExecDosCommand(BaiExtractCommand(temp_.path(), temp_.path() + "\\bai"), ".");
  EXPECT_EQ(output, "");
  EXPECT_FALSE(SevenZipOk(output));
}

struct FolderNames {
  const char* label;  // the test's name
  const char* game;
  const char* app;
};

void PrintTo(const FolderNames& names, std::ostream* out) {
  *out << names.game << " / " << names.app;
}

class ArchiverForms : public ::testing::TestWithParam<FolderNames> {
 protected:
  void TearDown() override { SetCurrentFolder(savedFolder_); }
  std::string savedFolder_ = CurrentFolder();
};

TEST_P(ArchiverForms, AllFourRunThroughTheRunner) {
  TempFolder root("forms");
  const testkit::Fixture fixture =
      testkit::MakeFixture(root.path(), {.folderName = GetParam().game, .levels = {"Archive"}},
                           {.folderName = GetParam().app, .mapLevels = {"Archive"}, .extraMapFiles = {}});
  // "x modfiles.7z" and "7z e" find their files in the program's folder, as in the wizard.
  ASSERT_TRUE(SetCurrentFolder(fixture.appDir));

  std::string output = ExecDosCommand(ModFilesExtractCommand(fixture.appDir, fixture.gameDir), ".");
  EXPECT_TRUE(SevenZipOk(output)) << output;
  for (const std::string& name : testkit::ModFileNames())
    EXPECT_EQ(testkit::ReadFile(fixture.gameDir + "\\Mods\\VELK_Av8\\" + name),
              testkit::ModFileText(name))
        << name;

  output = ExecDosCommand(MapFilesExtractCommand(fixture.appDir), ".");
  EXPECT_TRUE(SevenZipOk(output)) << output;
  const std::string work = fixture.appDir + "\\Temp\\Archive";
  EXPECT_EQ(testkit::ReadFile(work + "\\Archive.lua"), testkit::ModScriptText("Archive"));

  output = ExecDosCommand(BaiExtractCommand(fixture.gameDir + "\\Levels\\Archive", work), ".");
  EXPECT_TRUE(SevenZipOk(output)) << output;
  EXPECT_EQ(testkit::ReadFile(work + "\\hideArchive.bai"), "BAI hide Archive\r\n");
  EXPECT_EQ(testkit::ReadFile(work + "\\netArchive.bai"), "BAI net Archive\r\n");

  // The level's work folder is passed with its trailing backslash.
  output = ExecDosCommand(LevelPakCommand(fixture.appDir, "levelvelk.pak"), work + "\\");
  EXPECT_TRUE(SevenZipOk(output)) << output;
  EXPECT_EQ(Sorted(testkit::ListArchiveFiles(work + "\\levelvelk.pak")),
            Sorted({"Archive.bai", "hideArchive.bai", "mission_velk.xml", "netArchive.bai",
                    "velk_objects.xml"}));
}

INSTANTIATE_TEST_SUITE_P(
    UnusualFolderNames, ArchiverForms,
    ::testing::Values(FolderNames{"Blanks", "Far Cry", "VelkSetup"},
                      FolderNames{"UmlautsPercentAmpersandQuote", "Spiele ä ö ü ß & Tom's",
                                  "Mod 100% & 'Setup'"},
                      FolderNames{"Cyrillic", "Игры Far Cry", "Установка"}),
    [](const ::testing::TestParamInfo<FolderNames>& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace velk
