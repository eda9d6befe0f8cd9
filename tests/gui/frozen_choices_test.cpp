// The choices are taken when the next button leaves the choices page: ticking "Install maps"
// while 7-Zip still tests the payload neither tests nor unpacks the maps.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "gui/gui_driver.h"
#include "kit/named_lock.h"
#include "kit/test_kit.h"
#include "support/text_tools.h"
#include "support/text_codec.h"
#include "wizard/control_table.h"

namespace velk::gui {
namespace {

// modfiles.7z compressed with PPMd, which 7-Zip decodes at about 2 MB/s here: its test takes
// a few seconds, long enough to click meanwhile.
void MakeSlowModFiles(const std::string& appDir, const std::string& temp) {
  const std::string content = temp + "\\slow";
  for (const std::string& name : testkit::ModFileNames())
    testkit::WriteFile(content + "\\VELK_Av8\\" + name, testkit::ModFileText(name));
  std::string filler;
  unsigned seed = 12345;
  for (int i = 0; i < 8 * 1024 * 1024; ++i) {
    seed = seed * 1103515245u + 12345u;
    filler += static_cast<char>('a' + (seed >> 16) % 26);
  }
  testkit::WriteFile(content + "\\VELK_Av8\\filler.txt", filler);
  const std::string archive = appDir + "\\modfiles.7z";
  ASSERT_TRUE(DeleteFileW(Widen(archive).c_str()));
  std::string output;
  ASSERT_EQ(testkit::RunProgram(Quoted(testkit::ArchiverPath()) + " a -t7z -m0=PPMd " + Quoted(archive) + " VELK_Av8",
                                content, &output),
            0)
      << output;
}

TEST(FrozenChoices, TickingMapsWhileThePayloadIsTestedChangesNothing) {
  testkit::SettingsLock settingsLock;
  WizardSetup setup;
  MakeSlowModFiles(setup.fixture.appDir, setup.temp.path());
  SetGameDirSetting(setup.fixture.gameDir);
  auto wizard = StartWizard(setup.program);
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 1; }));
  wizard->ClickAndWait(IdOf(Ctl::Check4));  // no maps
  ASSERT_FALSE(wizard->Checked(IdOf(Ctl::Check4)));

  wizard->Click(IdOf(Ctl::Command5));
  // While the payload is tested, the choices cannot be changed by the mouse: they are
  // disabled. A click sent as a message still ticks the box under Wine; what counts is that
  // the run keeps the choices it was started with.
  ASSERT_TRUE(WaitUntil([&] { return !wizard->Enabled(IdOf(Ctl::Check4)); }));
  EXPECT_FALSE(wizard->Enabled(IdOf(Ctl::Option2)));
  wizard->ClickAndWait(IdOf(Ctl::Check4));
  EXPECT_TRUE(wizard->SaveScreenshot(ScreenshotPath("frozen-choices-while-testing.png")));

  // An install without maps ends on the last page by itself.
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 4; }, 60000));
  EXPECT_FALSE(testkit::Exists(setup.fixture.appDir + "\\Temp"));
  EXPECT_FALSE(testkit::LogMentions(setup.fixture.gameDir, "mapfiles.7z"))
      << testkit::ReadFile(setup.fixture.gameDir + "\\velk.log");
  EXPECT_TRUE(testkit::Exists(setup.fixture.gameDir + "\\Mods\\VELK_Av8\\filler.txt"));
  wizard->Close();
  EXPECT_TRUE(wizard->WaitForExit().has_value());
}

}  // namespace
}  // namespace velk::gui
