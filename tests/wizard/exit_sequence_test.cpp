// The exit button's sequence in process: the payload beside the program, the work folder,
// the log line, and nothing at all in the development host.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "wizard/memory_ui.h"
#include "engine/wizard_session.h"
#include "engine/archive_commands.h"
#include "kit/held_file.h"
#include "kit/test_kit.h"
#include "kit/unix_side.h"
#include "support/command_runner.h"
#include "support/file_helpers.h"
#include "wizard/exit_sequence.h"

namespace velk {
namespace {

const char* const kPayload[] = {"COMCTL32.OCX", "COMDLG32.OCX", "vbrun60sp6.exe",
                                "mapfiles.7z",  "modfiles.7z",  "7z.exe"};

class ExitSequence : public ::testing::Test {
 protected:
  ExitSequence() {
    appDir_ = temp_.path() + "\\VelkSetup";
    gameDir_ = temp_.path() + "\\Far Cry";
    CreateFolders(appDir_);
    CreateFolders(gameDir_);
    session_.AppDir = appDir_;
    ui_.SetText(Ctl::Text1, gameDir_);
  }
  ~ExitSequence() override { WaitForTheBatch(); }
  // The batch started for this test program's name finds no such file here and removes
  // itself; let it finish before the folder goes.
  void WaitForTheBatch() {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (testkit::Exists(appDir_ + "\\Kill.bat") && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  void WritePayload() {
    for (const char* name : kPayload) testkit::WriteFile(appDir_ + "\\" + name, name);
  }
  bool LogHas(const std::string& text) {
    const std::vector<std::string> lines = testkit::LogTexts(gameDir_);
    return std::find(lines.begin(), lines.end(), text) != lines.end();
  }

  testkit::TempFolder temp_{"exit"};
  std::string appDir_, gameDir_;
  WizardSession session_;
  MemoryUi ui_;
};

TEST_F(ExitSequence, RemovesThePayloadAndAnEmptyWorkFolderAndLogs) {
  WritePayload();
  ASSERT_TRUE(CreateFolders(appDir_ + "\\Temp"));
  testkit::WriteFile(appDir_ + "\\readme.txt", "not ours");
  RunExitSequence(session_, ui_, false);
  for (const char* name : kPayload) EXPECT_FALSE(testkit::Exists(appDir_ + "\\" + name)) << name;
  EXPECT_FALSE(testkit::Exists(appDir_ + "\\Temp"));
  EXPECT_TRUE(testkit::Exists(appDir_ + "\\readme.txt"));
  EXPECT_TRUE(LogHas("Deleted all programm files and exiting"));
  EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(ExitSequence, WorkFolderWithContentStays) {
  WritePayload();
  testkit::WriteFile(appDir_ + "\\Temp\\Archive\\someone.txt", "x");
  RunExitSequence(session_, ui_, false);
  EXPECT_TRUE(testkit::Exists(appDir_ + "\\Temp\\Archive\\someone.txt"));
  EXPECT_FALSE(testkit::Exists(appDir_ + "\\7z.exe"));
}

TEST_F(ExitSequence, MissingAndReadOnlyFilesDoNotStopIt) {
  testkit::WriteFile(appDir_ + "\\modfiles.7z", "m");
  testkit::WriteFile(appDir_ + "\\7z.exe", "z");
  ASSERT_TRUE(SetAttributes(appDir_ + "\\modfiles.7z", FILE_ATTRIBUTE_READONLY));
  RunExitSequence(session_, ui_, false);
  // A read-only file is left in place; the steps after it still run.
  EXPECT_TRUE(testkit::Exists(appDir_ + "\\modfiles.7z"));
  EXPECT_FALSE(testkit::Exists(appDir_ + "\\7z.exe"));
  EXPECT_TRUE(LogHas("Could not delete " + appDir_ + "\\modfiles.7z"));
  EXPECT_FALSE(LogHas("Deleted all programm files and exiting"));
  SetAttributes(appDir_ + "\\modfiles.7z", FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ExitSequence, DevelopmentHostDeletesNothing) {
  WritePayload();
  ASSERT_TRUE(CreateFolders(appDir_ + "\\Temp"));
  RunExitSequence(session_, ui_, true);
  for (const char* name : kPayload) EXPECT_TRUE(testkit::Exists(appDir_ + "\\" + name)) << name;
  EXPECT_TRUE(testkit::Exists(appDir_ + "\\Temp"));
  EXPECT_FALSE(testkit::Exists(gameDir_ + "\\velk.log"));
  EXPECT_FALSE(testkit::Exists(appDir_ + "\\Kill.bat"));
}

TEST_F(ExitSequence, LogLineIsLostWithoutAGameFolder) {
  WritePayload();
  ui_.SetText(Ctl::Text1, temp_.path() + "\\no such folder");
  RunExitSequence(session_, ui_, false);
  EXPECT_FALSE(testkit::Exists(appDir_ + "\\mapfiles.7z"));
  EXPECT_FALSE(testkit::Exists(temp_.path() + "\\no such folder"));
}

// The real payload, its maps unpacked into the work folder as an install leaves them.
class ExitAfterInstall : public ExitSequence {
 protected:
  void Unpack() {
    appDir_ = testkit::MakeAppDir(temp_.path(), {});
    session_.AppDir = appDir_;
    ExecDosCommand(MapFilesExtractCommand(appDir_), appDir_);
    ASSERT_TRUE(testkit::Exists(appDir_ + "\\Temp\\Archive\\Archive.lua"));
  }
  bool LogEndsWith(const std::string& text) {
    const std::vector<std::string> lines = testkit::LogTexts(gameDir_);
    return !lines.empty() && lines.back() == text;
  }
};

TEST_F(ExitAfterInstall, UnpackedLevelsGoAndTheUsersFilesStay) {
  ASSERT_NO_FATAL_FAILURE(Unpack());
  testkit::WriteFile(appDir_ + "\\Temp\\precious.txt", "keep me");
  RunExitSequence(session_, ui_, false);
  for (const char* level : {"Archive", "Boat", "Dam"})
    EXPECT_FALSE(testkit::Exists(appDir_ + "\\Temp\\" + level)) << level;
  EXPECT_EQ(testkit::ReadFile(appDir_ + "\\Temp\\precious.txt"), "keep me");
  EXPECT_FALSE(testkit::Exists(appDir_ + "\\mapfiles.7z"));
  EXPECT_TRUE(LogEndsWith("Deleted all programm files and exiting"));
}

TEST_F(ExitAfterInstall, WorkFolderGoesWhenTheLevelsWereAllInIt) {
  ASSERT_NO_FATAL_FAILURE(Unpack());
  RunExitSequence(session_, ui_, false);
  EXPECT_FALSE(testkit::Exists(appDir_ + "\\Temp"));
  EXPECT_TRUE(LogEndsWith("Deleted all programm files and exiting"));
}

TEST_F(ExitAfterInstall, PayloadOnADriveRootLeavesTheUsersTemp) {
  ASSERT_NO_FATAL_FAILURE(Unpack());
  testkit::WriteFile(appDir_ + "\\Temp\\Notes\\note.txt", "and me");
  const std::string folder = appDir_;
  testkit::MappedDrive drive("x", folder);
  session_.AppDir = drive.root();
  RunExitSequence(session_, ui_, false);
  EXPECT_FALSE(testkit::Exists(folder + "\\Temp\\Archive"));
  EXPECT_EQ(testkit::ReadFile(folder + "\\Temp\\Notes\\note.txt"), "and me");
  EXPECT_TRUE(LogEndsWith("Deleted all programm files and exiting"));
  appDir_ = folder;
  WaitForTheBatch();  // it runs from the drive
}

TEST_F(ExitAfterInstall, AHeldFileIsToldAndTheLastLineSaysSo) {
  ASSERT_NO_FATAL_FAILURE(Unpack());
  const std::string held = appDir_ + "\\Temp\\Boat\\Boat.lua";
  {
    const UniqueFile hold = testkit::HoldWithoutSharing(held);
    ASSERT_TRUE(hold);
    RunExitSequence(session_, ui_, false);
  }
  EXPECT_TRUE(testkit::Exists(held));
  EXPECT_FALSE(testkit::Exists(appDir_ + "\\Temp\\Archive"));
  EXPECT_TRUE(LogHas("Could not delete " + held));
  EXPECT_FALSE(LogHas("Deleted all programm files and exiting"));
  EXPECT_TRUE(LogEndsWith("Exiting; 1 program files could not be deleted"));
}

}  // namespace
}  // namespace velk
