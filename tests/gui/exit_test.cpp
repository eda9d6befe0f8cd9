// The exit button of the real wizard: the payload goes, of the work folder what the map
// payload holds and then the folder when empty, and the program file and Kill.bat after the
// program has ended; with /dev nothing goes.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "gui/gui_driver.h"
#include "kit/named_lock.h"
#include "kit/test_kit.h"
#include "support/text_codec.h"
#include "wizard/control_table.h"
#include "wizard/window_names.h"

namespace velk::gui {
namespace {

const char* const kPayload[] = {"7z.exe", "modfiles.7z", "mapfiles.7z", "COMCTL32.OCX",
                                "COMDLG32.OCX", "vbrun60sp6.exe"};

class ExitButton : public ::testing::Test {
 protected:
  ExitButton() {
    // The three files of the old runtime are part of the payload in the field too.
    for (const char* name : {"COMCTL32.OCX", "COMDLG32.OCX", "vbrun60sp6.exe"})
      testkit::WriteFile(App() + "\\" + name, name);
    SetGameDirSetting(setup_.fixture.gameDir);
  }
  std::string App() const { return setup_.fixture.appDir; }

  // Starts the wizard, waits for page `page`, presses the exit button and waits for the end.
  void StartAndExit(const WizardProcess::Options& options, int page) {
    auto wizard = StartWizard(setup_.program, options);
    ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == page; }));
    ASSERT_TRUE(wizard->Settle());
    wizard->Click(IdOf(Ctl::Command7));
    const auto code = wizard->WaitForExit();
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
  }
  bool LogEndsWithExitLine() const {
    const auto lines = testkit::LogTexts(setup_.fixture.gameDir);
    return !lines.empty() && lines.back() == "Deleted all programm files and exiting";
  }

  testkit::SettingsLock settingsLock_;  // the wizard must find the folder set here
  WizardSetup setup_;
};

TEST_F(ExitButton, RemovesPayloadEmptyWorkFolderAndTheProgram) {
  ASSERT_TRUE(CreateDirectoryW(Widen(App() + "\\Temp").c_str(), nullptr));
  testkit::WriteFile(App() + "\\notes.txt", "not ours");
  StartAndExit({}, 1);
  for (const char* name : kPayload) EXPECT_FALSE(testkit::Exists(App() + "\\" + name)) << name;
  EXPECT_FALSE(testkit::Exists(App() + "\\Temp"));
  EXPECT_TRUE(testkit::Exists(App() + "\\notes.txt"));
  EXPECT_TRUE(LogEndsWithExitLine());
  // The program file and the batch go once the program has ended.
  EXPECT_TRUE(WaitUntil([&] {
    return !testkit::Exists(setup_.program) && !testkit::Exists(App() + "\\Kill.bat");
  }, 10000));
}

TEST_F(ExitButton, WorkFolderWithFilesStays) {
  testkit::WriteFile(App() + "\\Temp\\Archive\\someone.txt", "x");
  StartAndExit({}, 1);
  EXPECT_TRUE(testkit::Exists(App() + "\\Temp\\Archive\\someone.txt"));
  EXPECT_FALSE(testkit::Exists(App() + "\\mapfiles.7z"));
  EXPECT_TRUE(WaitUntil([&] { return !testkit::Exists(setup_.program); }, 10000));
}

TEST_F(ExitButton, UnpackedLevelsGoTheUsersFileStays) {
  // The work folder as an install leaves it, with a file of the user's beside the levels.
  ASSERT_EQ(testkit::RunProgram("\"" + App() + "\\7z.exe\" x -y mapfiles.7z", App()), 0);
  ASSERT_TRUE(testkit::Exists(App() + "\\Temp\\Dam"));
  testkit::WriteFile(App() + "\\Temp\\mine.txt", "x");
  StartAndExit({}, 1);
  for (const char* level : {"Archive", "Boat", "Dam"})
    EXPECT_FALSE(testkit::Exists(App() + "\\Temp\\" + level)) << level;
  EXPECT_TRUE(testkit::Exists(App() + "\\Temp\\mine.txt"));
  EXPECT_TRUE(LogEndsWithExitLine());
  EXPECT_TRUE(WaitUntil([&] { return !testkit::Exists(setup_.program); }, 10000));
}

TEST_F(ExitButton, DevelopmentSwitchDeletesNothing) {
  WizardProcess::Options options;
  options.arguments = {"/dev"};
  StartAndExit(options, 0);
  for (const char* name : kPayload) EXPECT_TRUE(testkit::Exists(App() + "\\" + name)) << name;
  EXPECT_FALSE(testkit::Exists(App() + "\\Kill.bat"));
  // Give a batch that should not exist the time it would need.
  Sleep(1500);
  EXPECT_TRUE(testkit::Exists(setup_.program));
  EXPECT_FALSE(testkit::Exists(setup_.fixture.gameDir + "\\velk.log"));
}

}  // namespace
}  // namespace velk::gui
