// The window on page 1 of an installed game: when something undid part of the install (here
// a stock script put back, as a game file check does), one box says what and that a repair
// mends it; on an intact install no box comes.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "gui/gui_driver.h"
#include "kit/named_lock.h"
#include "kit/test_kit.h"
#include "wizard/control_table.h"

namespace velk::gui {
namespace {

TEST(RepairAdvice, OneBoxWhenTheGameChangedNoneWhenIntact) {
  testkit::SettingsLock settingsLock;
  testkit::DesktopLock desktopLock;  // the check asks for the shortcut the install made
  WizardSetup setup;
  const std::string& gameDir = setup.fixture.gameDir;
  std::string output;
  ASSERT_EQ(testkit::RunProgram("\"" + setup.program + "\" /S \"/D=" + gameDir + "\" /LANG=en", setup.temp.path(),
                                &output, 120000),
            0)
      << output;

  // Intact: page 1 without a box.
  {
    SetGameDirSetting(gameDir);
    auto wizard = StartWizard(setup.program);
    ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 1; }));
    ASSERT_TRUE(wizard->Settle());
    EXPECT_FALSE(wizard->WaitForMessageBox(1500).has_value());
    wizard->Close();
    ASSERT_TRUE(wizard->WaitForExit().has_value());
  }

  testkit::WriteFile(gameDir + "\\Levels\\Boat\\Boat.lua", testkit::StockScriptText("Boat"));
  SetGameDirSetting(gameDir);
  auto wizard = StartWizard(setup.program);
  const auto box = wizard->WaitForMessageBox(20000);
  ASSERT_TRUE(box.has_value());
  EXPECT_NE(box->text.find("Boat"), std::string::npos) << box->text;
  EXPECT_NE(box->text.find("Repair installed version"), std::string::npos) << box->text;
  EXPECT_TRUE(wizard->SaveScreenshot(ScreenshotPath("repair-advice-page1.png")));
  WizardProcess::PressOk(*box);
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 1; }));
  EXPECT_FALSE(wizard->WaitForMessageBox(1000).has_value());  // said once
  wizard->Close();
  EXPECT_TRUE(wizard->WaitForExit().has_value());
}

}  // namespace
}  // namespace velk::gui
