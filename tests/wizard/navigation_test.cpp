// The wizard's steps, couplings and languages over the in-memory window.
#include "wizard/navigation.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "wizard/memory_ui.h"
#include "kit/named_lock.h"
#include "kit/test_kit.h"
#include "support/process_info.h"
#include "support/settings_store.h"
#include "wizard/catalogue.h"

namespace velk {
namespace {

using testkit::TempFolder;

constexpr Ctl kInstallParts[] = {Ctl::Check1, Ctl::Check3, Ctl::Check4, Ctl::Check5};

// Notes, at every message and every pause for window events, whether the buttons were locked.
class WatchingUi : public MemoryUi {
 public:
  struct Moment {
    bool busy, nextEnabled, exitEnabled;
  };
  const Wizard* wizard = nullptr;
  std::vector<Moment> atMessages, atPumps;
  std::vector<Ctl> textsSet;  // in the order they were set

  void SetText(Ctl control, const std::string& text) override {
    textsSet.push_back(control);
    MemoryUi::SetText(control, text);
  }

  void ShowError(const std::string& text) override {
    atMessages.push_back(Now());
    MemoryUi::ShowError(text);
  }
  void ProcessPendingEvents() override { atPumps.push_back(Now()); }

 private:
  Moment Now() { return {wizard && wizard->Busy(), Enabled(Ctl::Command5), Enabled(Ctl::Command7)}; }
};

class NavigationTest : public ::testing::Test {
 protected:
  void SetUp() override { ui_.wizard = &wizard_; }

  // The fifteen captions as the catalogue of that language gives them.
  void ExpectCaptionsOf(const MessageCatalogue& t) {
    EXPECT_EQ(ui_.Text(Ctl::Label1), "Far Cry VELK Mod Creator Av8");
    EXPECT_EQ(ui_.Text(Ctl::Label3), FormatText(t.MsgWelcome, "Av8"));
    const std::pair<Ctl, std::string> captions[] = {
        {Ctl::Label4, t.MsgPathHint},        {Ctl::Option1, t.MsgInstallMod},
        {Ctl::Check2, t.MsgRemoveOld},       {Ctl::Option2, t.MsgUninstallMod},
        {Ctl::Check3, t.MsgInstallScripts},  {Ctl::Check4, t.MsgInstallMaps},
        {Ctl::Label2, t.MsgSelectMaps},      {Ctl::Label5, t.MsgComplete},
        {Ctl::Label9, t.MsgExtracting},      {Ctl::Check5, t.MsgMouseCursor},
        {Ctl::Check1, t.MsgWeaponSkins},     {Ctl::Command7, t.MsgExit},
        {Ctl::Option3, t.MsgDisableMod}};
    for (const auto& [control, text] : captions) EXPECT_EQ(ui_.Text(control), FormatText(text, ""));
  }

  // A fixture with its payload, the current folder in it as the program's start sets it, and
  // the wizard on page 1.
  void StartOnChoicesPage() {
    const testkit::Fixture fixture = testkit::MakeFixture(root_.path());
    session_.AppDir = fixture.appDir;
    previousFolder_ = CurrentFolder();
    ASSERT_TRUE(SetCurrentFolder(fixture.appDir));
    ASSERT_TRUE(WriteGameDirSetting(fixture.gameDir));
    wizard_.StartUp(false, 1033);
    ASSERT_EQ(session_.PageIndex, 1);
  }
  void TearDown() override {
    if (!previousFolder_.empty()) SetCurrentFolder(previousFolder_);
  }

  void ExpectOnlyPageVisible(int page) {
    for (int p = 0; p < 5; ++p) EXPECT_EQ(ui_.PageVisible(p), p == page) << "page " << p;
    EXPECT_EQ(session_.PageIndex, page);
  }

  testkit::SettingsLock settingsLock_;
  TempFolder root_{"nav"};
  WizardSession session_;
  WatchingUi ui_;
  Wizard wizard_{session_, ui_};
  std::string previousFolder_;
};

TEST_F(NavigationTest, TranslationSetsTheCaptionsInItsFixedOrder) {
  wizard_.TranslateControls();
  const std::vector<Ctl> order = {Ctl::Label1,  Ctl::Label3,   Ctl::Label4, Ctl::Option1,
                                  Ctl::Check2,  Ctl::Option2,  Ctl::Check3, Ctl::Check4,
                                  Ctl::Label2,  Ctl::Label5,   Ctl::Label9, Ctl::Check5,
                                  Ctl::Check1,  Ctl::Command7, Ctl::Option3};
  EXPECT_EQ(ui_.textsSet, order);
}

TEST_F(NavigationTest, TranslationLeavesTheUsersControlsAlone) {
  ui_.SetText(Ctl::Text1, "D:\\typed");
  ui_.SetText(Ctl::Label6, "status");
  ui_.SetText(Ctl::Text2, "summary");
  wizard_.LanguageChosen(0);
  EXPECT_EQ(ui_.Text(Ctl::Text1), "D:\\typed");
  EXPECT_EQ(ui_.Text(Ctl::Label6), "status");
  EXPECT_EQ(ui_.Text(Ctl::Text2), "summary");
}

TEST_F(NavigationTest, AWrongFolderKeepsPage0AndLocksTheButtonsOnlyMeanwhile) {
  testkit::SettingsLock::ForgetGameDir();
  wizard_.StartUp(false, 1031);
  ui_.SetText(Ctl::Text1, root_.path() + "\\No Game\\");
  wizard_.NextPage();
  ExpectOnlyPageVisible(0);
  EXPECT_EQ(ui_.Text(Ctl::Text1), root_.path() + "\\No Game");
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Messages()[0].text, "Falscher Far Cry Ordner!");
  ASSERT_EQ(ui_.atMessages.size(), 1u);
  EXPECT_TRUE(ui_.atMessages[0].busy);
  EXPECT_FALSE(ui_.atMessages[0].nextEnabled);
  EXPECT_FALSE(ui_.atMessages[0].exitEnabled);
  EXPECT_FALSE(wizard_.Busy());
  EXPECT_TRUE(ui_.Enabled(Ctl::Command5));
  EXPECT_TRUE(ui_.Enabled(Ctl::Command7));
  EXPECT_FALSE(ReadGameDirSetting().has_value());
}

TEST_F(NavigationTest, SwitchOverRunsThroughToTheLastPage) {
  const std::string game = testkit::MakeGameFolder(root_.path());
  ASSERT_TRUE(WriteGameDirSetting(game));
  wizard_.StartUp(false, 1033);
  ASSERT_EQ(session_.PageIndex, 1);
  wizard_.OptionClicked(Ctl::Option3);
  wizard_.NextPage();
  ExpectOnlyPageVisible(4);
  EXPECT_FALSE(ui_.Visible(Ctl::Frame1));
  EXPECT_FALSE(ui_.Visible(Ctl::Command5));
  EXPECT_FALSE(wizard_.Busy());
  EXPECT_TRUE(ui_.Enabled(Ctl::Command7));
}


TEST_F(NavigationTest, InstallWithMapsStopsOnTheUncoveredLevelList) {
  ASSERT_NO_FATAL_FAILURE(StartOnChoicesPage());
  EXPECT_TRUE(ui_.Visible(Ctl::Frame1));

  wizard_.NextPage();
  ExpectOnlyPageVisible(2);
  EXPECT_FALSE(ui_.Visible(Ctl::Frame1));
  EXPECT_GT(ui_.LevelRowCount(), 0);
  EXPECT_TRUE(ui_.Visible(Ctl::Command5));
  // The archiver ran with both buttons locked, and they are free again now.
  ASSERT_FALSE(ui_.atPumps.empty());
  for (const auto& moment : ui_.atPumps) EXPECT_FALSE(moment.nextEnabled || moment.exitEnabled);
  EXPECT_TRUE(ui_.Enabled(Ctl::Command5));
  EXPECT_TRUE(ui_.Enabled(Ctl::Command7));

  wizard_.NextPage();
  ExpectOnlyPageVisible(3);
  EXPECT_TRUE(ui_.Visible(Ctl::Command5));
  wizard_.NextPage();
  ExpectOnlyPageVisible(4);
  EXPECT_FALSE(ui_.Visible(Ctl::Command5));
  for (const auto& message : ui_.Messages()) ADD_FAILURE() << message.text;
}

}  // namespace
}  // namespace velk
