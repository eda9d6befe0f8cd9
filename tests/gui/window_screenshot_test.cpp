// The window at 96 and 144 DPI: its outer size follows the design, no control is clipped,
// and a screenshot of every page lands in $VELK_SCREENSHOT_DIR.
#include <gtest/gtest.h>

#include "gui/gui_driver.h"
#include "kit/test_kit.h"
#include "wizard/control_table.h"
#include "wizard/window_names.h"
#include "wizard/control_table.h"

namespace velk::gui {
namespace {

class WindowAtDpi : public ::testing::TestWithParam<unsigned> {
 protected:
  // Every control of the form and of the visible page lies inside the client area.
  void ExpectNothingClipped(const WizardProcess& wizard) {
    RECT client;
    GetClientRect(wizard.Window(), &client);
    MapWindowPoints(wizard.Window(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (const ControlRow& e : ControlTable()) {
      if (!e.className || e.role != Role::Control) continue;
      HWND control = wizard.Control(e.id);
      ASSERT_NE(control, nullptr) << "control " << e.id;
      if (!IsWindowVisible(control) || e.id == IdOf(Ctl::Combo1)) continue;  // a closed list is shorter
      RECT r;
      GetWindowRect(control, &r);
      EXPECT_GE(r.left, client.left) << "control " << e.id;
      EXPECT_GE(r.top, client.top) << "control " << e.id;
      EXPECT_LE(r.right, client.right) << "control " << e.id;
      EXPECT_LE(r.bottom, client.bottom) << "control " << e.id;
    }
  }
  // German has the longest texts.
  static void ChooseGerman(WizardProcess& wizard) {
    wizard.ChooseComboItem(IdOf(Ctl::Combo1), 0);
    ASSERT_TRUE(wizard.Settle());
    ASSERT_EQ(wizard.Text(IdOf(Ctl::Command7)), "Beenden");
  }
  void Shoot(const WizardProcess& wizard, int page, const char* language) {
    const std::string path = ScreenshotPath("page" + std::to_string(page) + "-" + language + "-" +
                                            std::to_string(GetParam()) + "dpi.png");
    if (path.empty()) return;  // no folder asked for
    EXPECT_TRUE(wizard.SaveScreenshot(path)) << path;
    EXPECT_TRUE(testkit::Exists(path)) << path;
  }
};

TEST_P(WindowAtDpi, PagesZeroAndOneShowEveryControlUnclipped) {
  const unsigned dpi = GetParam();
  ScopedLogPixels logPixels(dpi);
  ScopedWineDrawnFrames frames;
  WizardSetup setup;

  ClearGameDirSetting();
  {
    auto wizard = StartWizard(setup.program);
    ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 0; }));
    ASSERT_TRUE(wizard->Settle());
    RECT outer;
    GetWindowRect(wizard->Window(), &outer);
    // 8850 x 4830 twips; controls that need more room may only make it larger.
    EXPECT_GE(outer.right - outer.left, TwipsToPixels(kFormWidthTwips, dpi));
    EXPECT_LE(outer.right - outer.left, TwipsToPixels(kFormWidthTwips, dpi) + 8);
    EXPECT_GE(outer.bottom - outer.top, TwipsToPixels(kFormHeightTwips, dpi));
    EXPECT_LE(outer.bottom - outer.top, TwipsToPixels(kFormHeightTwips, dpi) + 8);
    ExpectNothingClipped(*wizard);
    Shoot(*wizard, 0, "en");
    ChooseGerman(*wizard);
    Shoot(*wizard, 0, "de");
    wizard->Close();
    EXPECT_EQ(wizard->WaitForExit(), 0u);
  }
  SetGameDirSetting(setup.fixture.gameDir);
  {
    auto wizard = StartWizard(setup.program);
    ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 1; }));
    ASSERT_TRUE(wizard->Settle());
    ExpectNothingClipped(*wizard);
    Shoot(*wizard, 1, "en");
    ChooseGerman(*wizard);
    Shoot(*wizard, 1, "de");
    wizard->Close();
    EXPECT_EQ(wizard->WaitForExit(), 0u);
  }
}

TEST_P(WindowAtDpi, PagesTwoToFourOfAnInstallWithMaps) {
  ScopedLogPixels logPixels(GetParam());
  ScopedWineDrawnFrames frames;
  WizardSetup setup;
  SetGameDirSetting(setup.fixture.gameDir);
  auto wizard = StartWizard(setup.program);
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 1; }));
  ASSERT_TRUE(wizard->Settle());

  wizard->Click(IdOf(Ctl::Command5));
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 2 && !wizard->Visible(IdOf(Ctl::Frame1)); }, 60000));
  ASSERT_TRUE(wizard->Settle(60000));
  ASSERT_TRUE(wizard->Enabled(IdOf(Ctl::Command5)));
  // Every level the payload offers and the game holds, ticked.
  ASSERT_EQ(wizard->ListRowCount(), 3);
  for (int row = 0; row < 3; ++row) EXPECT_TRUE(wizard->ListRowChecked(row)) << row;
  EXPECT_EQ(wizard->ListRowText(0), "Archive");
  ExpectNothingClipped(*wizard);
  Shoot(*wizard, 2, "en");

  wizard->SetListRowChecked(1, false);
  wizard->SetListRowChecked(2, false);
  EXPECT_FALSE(wizard->ListRowChecked(1));
  wizard->Click(IdOf(Ctl::Command5));
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 3; }, 60000));
  ASSERT_TRUE(wizard->Settle(60000));
  ASSERT_TRUE(WaitUntil([&] { return wizard->Enabled(IdOf(Ctl::Command5)); }, 60000));
  ExpectNothingClipped(*wizard);
  Shoot(*wizard, 3, "en");

  wizard->Click(IdOf(Ctl::Command5));
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 4; }, 60000));
  ASSERT_TRUE(wizard->Settle(60000));
  EXPECT_FALSE(wizard->Visible(IdOf(Ctl::Command5)));
  EXPECT_EQ(wizard->Text(IdOf(Ctl::Label5)), "Complete!");
  EXPECT_EQ(wizard->Text(IdOf(Ctl::Text2)).rfind("Level updated:", 0), 0u) << wizard->Text(IdOf(Ctl::Text2));
  EXPECT_TRUE(testkit::Exists(setup.fixture.gameDir + "\\Levels\\Archive\\levelvelk.pak"));
  EXPECT_FALSE(testkit::Exists(setup.fixture.gameDir + "\\Levels\\Boat\\levelvelk.pak"));
  ExpectNothingClipped(*wizard);
  Shoot(*wizard, 4, "en");
  wizard->Close();
  EXPECT_EQ(wizard->WaitForExit(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Dpi, WindowAtDpi, ::testing::Values(96u, 144u),
                         [](const auto& info) { return std::to_string(info.param); });

}  // namespace
}  // namespace velk::gui
