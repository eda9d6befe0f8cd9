// The wizard's controls under the user's hands: the couplings of page 1, the language box,
// the close box, the folder browser and the picture panel.
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>

#include "engine/message_catalogue.h"
#include "gui/gui_driver.h"
#include "kit/test_kit.h"
#include "support/settings_store.h"
#include "wizard/catalogue.h"
#include "wizard/control_table.h"
#include "wizard/window_names.h"

namespace velk::gui {
namespace {

const int kInstallParts[] = {IdOf(Ctl::Check1), IdOf(Ctl::Check3), IdOf(Ctl::Check4), IdOf(Ctl::Check5)};

class WindowOnPageOne : public ::testing::Test {
 protected:
  void SetUp() override {
    SetGameDirSetting(setup_.fixture.gameDir);
    wizard_ = StartWizard(setup_.program);
    ASSERT_TRUE(WaitUntil([&] { return wizard_->VisiblePage() == 1; }));
    ASSERT_TRUE(wizard_->Settle());
  }
  void TearDown() override {
    if (!wizard_) return;
    wizard_->Close();
    EXPECT_EQ(wizard_->WaitForExit(), 0u);
  }
  // Clicks and waits until the window has handled the click.
  void Click(int id) {
    wizard_->ClickAndWait(id);
    ASSERT_TRUE(wizard_->Settle());
  }
  void ExpectParts(bool ticked, bool enabled) {
    for (int id : kInstallParts) {
      EXPECT_EQ(wizard_->Checked(id), ticked) << "control " << id;
      EXPECT_EQ(wizard_->Enabled(id), enabled) << "control " << id;
    }
  }

  WizardSetup setup_;
  std::unique_ptr<WizardProcess> wizard_;
};

TEST_F(WindowOnPageOne, OptionsTickAndUntickTheInstallParts) {
  ExpectParts(true, true);
  EXPECT_FALSE(wizard_->Checked(IdOf(Ctl::Check2)));
  EXPECT_FALSE(wizard_->Enabled(IdOf(Ctl::Check2)));

  for (int other : {IdOf(Ctl::Option2), IdOf(Ctl::Option3)}) {
    Click(other);
    EXPECT_TRUE(wizard_->Checked(other));
    EXPECT_FALSE(wizard_->Checked(IdOf(Ctl::Option1)));
    ExpectParts(false, false);
    EXPECT_FALSE(wizard_->Checked(IdOf(Ctl::Check2)));
    EXPECT_FALSE(wizard_->Enabled(IdOf(Ctl::Check2)));

    Click(IdOf(Ctl::Option1));
    EXPECT_TRUE(wizard_->Checked(IdOf(Ctl::Option1)));
    EXPECT_FALSE(wizard_->Checked(other));
    ExpectParts(true, true);
    EXPECT_FALSE(wizard_->Enabled(IdOf(Ctl::Check2)));
  }
}

TEST_F(WindowOnPageOne, ScriptsCarryMouseCursorAndSkins) {
  Click(IdOf(Ctl::Check3));
  EXPECT_FALSE(wizard_->Checked(IdOf(Ctl::Check3)));
  for (int part : {IdOf(Ctl::Check5), IdOf(Ctl::Check1)}) {
    EXPECT_FALSE(wizard_->Checked(part));
    EXPECT_FALSE(wizard_->Enabled(part));
  }
  EXPECT_TRUE(wizard_->Checked(IdOf(Ctl::Check4)));  // the maps are no part of the scripts
  EXPECT_TRUE(wizard_->Enabled(IdOf(Ctl::Check4)));

  Click(IdOf(Ctl::Check3));
  EXPECT_TRUE(wizard_->Checked(IdOf(Ctl::Check3)));
  for (int part : {IdOf(Ctl::Check5), IdOf(Ctl::Check1)}) {
    EXPECT_TRUE(wizard_->Checked(part));
    EXPECT_TRUE(wizard_->Enabled(part));
  }
}

// The fifteen controls the language relabels, with the catalogue text each shows.
std::vector<std::pair<int, std::string>> ExpectedCaptions(const MessageCatalogue& t) {
  return {
      {IdOf(Ctl::Label1), "Far Cry VELK Mod Creator Av8"},
      {IdOf(Ctl::Label3), FormatText(t.MsgWelcome, "Av8")},
      {IdOf(Ctl::Label4), FormatText(t.MsgPathHint, "")},
      {IdOf(Ctl::Option1), t.MsgInstallMod},
      {IdOf(Ctl::Check2), t.MsgRemoveOld},
      {IdOf(Ctl::Option2), t.MsgUninstallMod},
      {IdOf(Ctl::Check3), t.MsgInstallScripts},
      {IdOf(Ctl::Check4), t.MsgInstallMaps},
      {IdOf(Ctl::Label2), t.MsgSelectMaps},
      {IdOf(Ctl::Label5), t.MsgComplete},
      {IdOf(Ctl::Label9), t.MsgExtracting},
      {IdOf(Ctl::Check5), t.MsgMouseCursor},
      {IdOf(Ctl::Check1), t.MsgWeaponSkins},
      {IdOf(Ctl::Command7), t.MsgExit},
      {IdOf(Ctl::Option3), t.MsgDisableMod},
  };
}

TEST_F(WindowOnPageOne, LanguageBoxRelabelsAllFifteenControlsAtOnce) {
  const std::string caption = wizard_->Caption();
  const std::string path = wizard_->Text(IdOf(Ctl::Text1));
  for (int round = 0; round < 2; ++round) {
    wizard_->ChooseComboItem(IdOf(Ctl::Combo1), 0);
    ASSERT_TRUE(wizard_->Settle());
    for (const auto& [id, text] : ExpectedCaptions(GermanCatalogue()))
      EXPECT_EQ(wizard_->Text(id), text) << "control " << id;
    EXPECT_EQ(wizard_->Text(IdOf(Ctl::Command7)), "Beenden");
    EXPECT_EQ(wizard_->Text(IdOf(Ctl::Label2)), "Zu aktualisierende Maps auswählen:");

    wizard_->ChooseComboItem(IdOf(Ctl::Combo1), 1);
    ASSERT_TRUE(wizard_->Settle());
    for (const auto& [id, text] : ExpectedCaptions(EnglishCatalogue()))
      EXPECT_EQ(wizard_->Text(id), text) << "control " << id;
    EXPECT_EQ(wizard_->Text(IdOf(Ctl::Option3)), "Disable VELK Mod");
  }
  // The banner carries one tag however often the language changes; the rest stays.
  EXPECT_EQ(wizard_->Text(IdOf(Ctl::Label1)), "Far Cry VELK Mod Creator Av8");
  EXPECT_EQ(wizard_->Caption(), caption);
  EXPECT_EQ(wizard_->Text(IdOf(Ctl::Text1)), path);
  EXPECT_EQ(wizard_->VisiblePage(), 1);
}

// An installed, switched-off mod: the choices read "repair" and "enable" in either language.
TEST(WindowLanguage, RepairAndEnableCaptionsSurviveTheLanguageBox) {
  WizardSetup setup;
  testkit::WriteFile(setup.fixture.gameDir + "\\Mods\\VELK_Av8\\ModDesc.txt", "installed\r\n");
  testkit::WriteFile(setup.fixture.gameDir + "\\Levels\\Dam\\levelvelk.pak.dis", "switched off");
  SetGameDirSetting(setup.fixture.gameDir);
  auto wizard = StartWizard(setup.program);
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 1; }));
  ASSERT_TRUE(wizard->Settle());
  const struct {
    int combo;
    const char *repair, *enable, *shot;
  } rounds[] = {
      {0, "Vorhandene Version reparieren", "VELK Mod aktivieren", "captions-installed-off-de.png"},
      {1, "Repair installed version", "Enable VELK Mod", "captions-installed-off-en.png"},
  };
  for (const auto& round : rounds) {
    wizard->ChooseComboItem(IdOf(Ctl::Combo1), round.combo);
    ASSERT_TRUE(wizard->Settle());
    EXPECT_EQ(wizard->Text(IdOf(Ctl::Option1)), round.repair);
    EXPECT_EQ(wizard->Text(IdOf(Ctl::Option3)), round.enable);
    EXPECT_TRUE(wizard->SaveScreenshot(ScreenshotPath(round.shot)));
  }
  wizard->Close();
  EXPECT_EQ(wizard->WaitForExit(), 0u);
}

TEST_F(WindowOnPageOne, PicturePanelShowsOneOfTheSevenPicturesOnEachClick) {
  std::set<std::string> seen{wizard_->ControlPixels(IdOf(Ctl::Mimg))};
  ASSERT_FALSE(seen.begin()->empty());
  for (int click = 0; click < 12; ++click) {
    Click(IdOf(Ctl::Mimg));
    seen.insert(wizard_->ControlPixels(IdOf(Ctl::Mimg)));
  }
  EXPECT_GE(seen.size(), 2u);
  EXPECT_LE(seen.size(), 7u);
}

TEST_F(WindowOnPageOne, InstallWithoutMapsEndsOnTheLastPageAfterOnePress) {
  Click(IdOf(Ctl::Check4));
  ASSERT_FALSE(wizard_->Checked(IdOf(Ctl::Check4)));
  wizard_->Click(IdOf(Ctl::Command5));
  ASSERT_TRUE(WaitUntil([&] { return wizard_->VisiblePage() == 4; }, 60000));
  // Page 4 shows before page 2's work has ended (the level lists follow), and that work lets
  // messages through while it scans: an empty queue does not say it is done, the exit button
  // coming back does.
  EXPECT_TRUE(WaitUntil([&] { return wizard_->Enabled(IdOf(Ctl::Command7)); }, 60000));
  EXPECT_FALSE(wizard_->Visible(IdOf(Ctl::Command5)));
  EXPECT_EQ(wizard_->Text(IdOf(Ctl::Label5)), "Complete!");
}

TEST_F(WindowOnPageOne, SecondPressWhileThePageWorksIsDropped) {
  // Both presses are queued at once: the second arrives while page 2's work runs.
  wizard_->Click(IdOf(Ctl::Command5));
  wizard_->Click(IdOf(Ctl::Command5));
  ASSERT_TRUE(WaitUntil([&] { return wizard_->VisiblePage() == 2 && !wizard_->Visible(IdOf(Ctl::Frame1)); }, 60000));
  ASSERT_TRUE(wizard_->Settle(60000));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_TRUE(wizard_->Settle(60000));
  EXPECT_EQ(wizard_->VisiblePage(), 2);
  EXPECT_TRUE(wizard_->Enabled(IdOf(Ctl::Command5)));
  EXPECT_TRUE(wizard_->Enabled(IdOf(Ctl::Command7)));
  EXPECT_EQ(wizard_->ListRowCount(), 3);
}

TEST(WindowClick, OneClickOnePageAfterTheWrongFolderBox) {
  WizardSetup setup;
  ClearGameDirSetting();
  auto wizard = StartWizard(setup.program);
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 0; }));
  wizard->SetText(IdOf(Ctl::Text1), setup.fixture.gameDir + "\\nowhere");
  wizard->Click(IdOf(Ctl::Command5));
  const auto box = wizard->WaitForMessageBox();
  ASSERT_TRUE(box.has_value());
  // A second click made while the box is up, and Enter to close it.
  wizard->Click(IdOf(Ctl::Command5));
  WizardProcess::PressOk(*box);
  ASSERT_TRUE(WaitUntil([&] { return !wizard->WaitForMessageBox(0); }));
  ASSERT_TRUE(wizard->Settle());
  EXPECT_EQ(wizard->VisiblePage(), 0);
  // The folder typed, then two clicks in a row, the second queued behind the first's work.
  wizard->SetText(IdOf(Ctl::Text1), setup.fixture.gameDir);
  wizard->Click(IdOf(Ctl::Command5));
  wizard->Click(IdOf(Ctl::Command5));
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 1; }));
  ASSERT_TRUE(wizard->Settle());
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  ASSERT_TRUE(wizard->Settle());
  EXPECT_EQ(wizard->VisiblePage(), 1);
  EXPECT_FALSE(testkit::Exists(setup.fixture.gameDir + "\\Mods\\VELK_Av8"));
  wizard->Close();
  EXPECT_EQ(wizard->WaitForExit(), 0u);
}

TEST(WindowClose, CloseBoxRemembersThePathBoxAsItStands) {
  WizardSetup setup;
  ClearGameDirSetting();
  for (const std::string& typed : {std::string("C:\\Games\\Nowhere"), std::string()}) {
    auto wizard = StartWizard(setup.program);
    ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 0; }));
    wizard->SetText(IdOf(Ctl::Text1), typed);
    wizard->Close();
    EXPECT_EQ(wizard->WaitForExit(), 0u);
    EXPECT_EQ(ReadGameDirSetting(), std::optional<std::string>(typed));
  }
}

TEST(WindowBrowse, CancelledFolderBrowserKeepsThePathBoxAndTheSetting) {
  WizardSetup setup;
  ClearGameDirSetting();
  auto wizard = StartWizard(setup.program);
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 0; }));
  wizard->SetText(IdOf(Ctl::Text1), "D:\\typed by hand");
  wizard->Click(IdOf(Ctl::Command1));
  const auto browser = wizard->WaitForMessageBox();
  ASSERT_TRUE(browser.has_value()) << "no folder browser appeared";
  EXPECT_EQ(browser->text, "Choose the Far Cry directory!");
  PostMessageW(browser->window, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !wizard->WaitForMessageBox(0); }));
  ASSERT_TRUE(wizard->Settle());
  EXPECT_EQ(wizard->Text(IdOf(Ctl::Text1)), "D:\\typed by hand");
  EXPECT_EQ(ReadGameDirSetting(), std::nullopt);
  wizard->Close();
  EXPECT_EQ(wizard->WaitForExit(), 0u);
}

}  // namespace
}  // namespace velk::gui
