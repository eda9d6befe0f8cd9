// The window holds the game folder it works on until it closes: an unattended run on that
// game gives up after its wait, and a window asked for a game another setup holds says the
// wizard is running and stays on its first page.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "gui/gui_driver.h"
#include "kit/named_lock.h"
#include "kit/test_kit.h"
#include "support/file_helpers.h"
#include "support/single_instance.h"
#include "wizard/control_table.h"
#include "wizard/unattended.h"
#include "wizard/window_names.h"

namespace velk::gui {
namespace {

TEST(WindowLock, AnUnattendedRunOnTheWindowsGameGivesThreeAndChangesNothing) {
  testkit::SettingsLock settingsLock;
  WizardSetup setup;
  SetGameDirSetting(setup.fixture.gameDir);
  auto wizard = StartWizard(setup.program);
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 1; }));
  ASSERT_TRUE(wizard->Settle());

  testkit::AppOptions app;
  app.folderName = "Another Setup";
  app.withProgram = true;
  const std::string otherApp = testkit::MakeAppDir(setup.fixture.root, app);
  const std::string otherTemp = setup.temp.path() + "\\other temp";
  ASSERT_TRUE(CreateFolders(otherTemp));
  const auto before = testkit::HashTree(setup.fixture.gameDir);
  std::string output;
  const int code = testkit::RunProgram("\"" + otherApp + "\\VelkSetup.exe\" /S /LANG=en /WAIT=1 \"/D=" +
                                           setup.fixture.gameDir + "\"",
                                       setup.temp.path(), &output, 60000, otherTemp);
  EXPECT_EQ(code, kUnattendedBusy) << output;
  EXPECT_EQ(testkit::HashTree(setup.fixture.gameDir), before);

  wizard->Close();
  EXPECT_EQ(wizard->WaitForExit(), 0u);
}

TEST(WindowLock, AGameAnotherSetupHoldsKeepsTheWindowOnPageZero) {
  testkit::SettingsLock settingsLock;
  WizardSetup setup;
  ClearGameDirSetting();
  std::atomic<bool> tried{false}, held{false}, done{false};
  std::thread holder([&] {
    const SingleInstance other(GameLockName(setup.fixture.gameDir));
    held = other.Acquired();
    tried = true;
    while (!done) Sleep(20);
  });
  while (!tried) Sleep(10);
  auto wizard = StartWizard(setup.program);
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 0; }));
  wizard->SetText(IdOf(Ctl::Text1), setup.fixture.gameDir);
  wizard->Click(IdOf(Ctl::Command5));
  const auto box = wizard->WaitForMessageBox();
  done = true;
  holder.join();
  ASSERT_TRUE(held);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, "The VELK Mod setup wizard is already running.");
  WizardProcess::PressOk(*box);
  ASSERT_TRUE(WaitUntil([&] { return !wizard->WaitForMessageBox(0); }));
  EXPECT_EQ(wizard->VisiblePage(), 0);
  EXPECT_FALSE(testkit::Exists(setup.fixture.gameDir + "\\velk.log"));

  wizard->Close();
  EXPECT_EQ(wizard->WaitForExit(), 0u);
}

}  // namespace
}  // namespace velk::gui
