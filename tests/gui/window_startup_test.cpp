// Starting the real wizard: the first page, a remembered folder, the system's language and
// the single instance.
#include <gtest/gtest.h>

#include "gui/gui_driver.h"
#include "kit/game_registry.h"
#include "kit/test_kit.h"
#include "kit/unix_home.h"
#include "support/file_helpers.h"
#include "support/settings_store.h"
#include "wizard/control_table.h"
#include "wizard/window_names.h"

namespace velk::gui {
namespace {

TEST(WindowStartUp, WithoutRememberedFolderWaitsOnPageZeroAndRejectsTheEmptyBox) {
  WizardSetup setup;
  ClearGameDirSetting();
  auto wizard = StartWizard(setup.program);
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 0; }));
  EXPECT_EQ(wizard->Caption(), "Far Cry Velk Creator Av8");
  EXPECT_EQ(wizard->Text(IdOf(Ctl::Text1)), "");
  EXPECT_EQ(wizard->Text(IdOf(Ctl::Label3)).rfind("Welcome to the VELK Mod Av8 Setup program.\r\n\r\n", 0), 0u);
  EXPECT_EQ(wizard->Text(IdOf(Ctl::Label4)), "Note:\r\nThe path will be saved for subsequent installations.");
  EXPECT_EQ(wizard->ComboItems(IdOf(Ctl::Combo1)), (std::vector<std::string>{"Deutsch", "English"}));
  EXPECT_EQ(wizard->ComboSelection(IdOf(Ctl::Combo1)), -1);

  wizard->Click(IdOf(Ctl::Command5));
  const auto box = wizard->WaitForMessageBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, "Wrong Far Cry folder!");
  EXPECT_EQ(box->title, kAppTitle);
  EXPECT_TRUE(box->hasIcon);
  EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
  WizardProcess::PressOk(*box);
  ASSERT_TRUE(WaitUntil([&] { return !wizard->WaitForMessageBox(0); }));
  EXPECT_EQ(wizard->VisiblePage(), 0);
  EXPECT_TRUE(wizard->Visible(IdOf(Ctl::Command5)));
  EXPECT_TRUE(wizard->Enabled(IdOf(Ctl::Command5)));
  EXPECT_TRUE(wizard->Enabled(IdOf(Ctl::Command7)));
  EXPECT_FALSE(testkit::Exists(setup.fixture.gameDir + "\\velk.log"));

  wizard->Close();
  EXPECT_EQ(wizard->WaitForExit(), 0u);
}

TEST(WindowStartUp, FirstStartSuggestsTheInstallationFoundAndWaitsOnPageZero) {
  WizardSetup setup;
  testkit::GameRegistry registry;
  const std::string steamGame = registry.AddSteamGame(setup.temp.path());
  ClearGameDirSetting();
  auto wizard = StartWizard(setup.program);
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 0; }));
  ASSERT_TRUE(wizard->Settle());
  EXPECT_EQ(wizard->Text(IdOf(Ctl::Text1)), steamGame);
  EXPECT_EQ(ReadGameDirSetting(), std::nullopt);  // a suggestion, not a decision
  EXPECT_TRUE(wizard->SaveScreenshot(ScreenshotPath("first-start-found-in-steam.png")));
  wizard->Click(IdOf(Ctl::Command5));
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 1; }, 30000));
  EXPECT_EQ(ReadGameDirSetting(), std::optional<std::string>(steamGame));
  wizard->Close();
  EXPECT_EQ(wizard->WaitForExit(), 0u);
}

// Under Wine, the game in the Linux Steam of the Unix user (HOME for this wizard only).
TEST(WindowStartUp, FirstStartSuggestsTheGameInTheLinuxSteam) {
  WizardSetup setup;
  testkit::GameRegistry registry;
  testkit::UnixHome home;
  const std::string library = home.path() + "\\Games\\SteamLibrary";
  const std::string steamGame = home.AddSteamGame(library, "Far Cry");
  home.ListLibraries(home.steamFolder(), {library});
  ClearGameDirSetting();
  auto wizard = StartWizard(setup.program);
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 0; }));
  ASSERT_TRUE(wizard->Settle());
  EXPECT_EQ(steamGame.rfind("Z:\\", 0), 0u) << steamGame;
  EXPECT_EQ(wizard->Text(IdOf(Ctl::Text1)), steamGame);
  EXPECT_EQ(ReadGameDirSetting(), std::nullopt);  // a suggestion, not a decision
  EXPECT_TRUE(wizard->SaveScreenshot(ScreenshotPath("first-start-found-in-linux-steam.png")));
  wizard->Close();
  EXPECT_EQ(wizard->WaitForExit(), 0u);
}

TEST(WindowStartUp, RememberedGameFolderOpensOnPageOneWithARestartedLog) {
  WizardSetup setup;
  const std::string log = setup.fixture.gameDir + "\\velk.log";
  testkit::WriteFile(log, "[00:00:00] - a line of an earlier run\r\n");
  SetGameDirSetting(setup.fixture.gameDir + "\\Bin32\\");  // tidied by the check
  auto wizard = StartWizard(setup.program);
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 1; }));
  ASSERT_TRUE(wizard->Settle());
  EXPECT_EQ(wizard->Text(IdOf(Ctl::Text1)), setup.fixture.gameDir);
  EXPECT_TRUE(wizard->Checked(IdOf(Ctl::Option1)));
  EXPECT_TRUE(wizard->Visible(IdOf(Ctl::Command5)));

  const auto lines = testkit::LogTexts(setup.fixture.gameDir);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "VELK Mod Av8 logfile");
  EXPECT_EQ(lines[1].rfind("Date: ", 0), 0u);
  EXPECT_EQ(lines[2], "Far Cry Informations:");
  EXPECT_EQ(lines[3], "Far Cry Dir: '" + setup.fixture.gameDir + "'");
  EXPECT_EQ(testkit::ReadFile(log).find("earlier run"), std::string::npos);
  wizard->Close();
  EXPECT_EQ(wizard->WaitForExit(), 0u);
}

TEST(WindowStartUp, DevSwitchKeepsAValidFolderOnPageZero) {
  WizardSetup setup;
  SetGameDirSetting(setup.fixture.gameDir);
  WizardProcess::Options options;
  options.arguments = {"/dev"};
  auto wizard = StartWizard(setup.program, options);
  ASSERT_TRUE(wizard->Settle());
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 0; }));
  EXPECT_EQ(wizard->Text(IdOf(Ctl::Text1)), setup.fixture.gameDir);
  EXPECT_FALSE(testkit::Exists(setup.fixture.gameDir + "\\velk.log"));
  wizard->Close();
  EXPECT_EQ(wizard->WaitForExit(), 0u);
}

struct LocaleCase {
  const char* locale;
  bool german;
};

class WindowLanguageAtStart : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(WindowLanguageAtStart, FollowsTheSystemLocale) {
  WizardSetup setup;
  ClearGameDirSetting();
  WizardProcess::Options options;
  options.unixEnvironment = {{"LC_ALL", GetParam().locale}};
  auto wizard = StartWizard(setup.program, options);
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 0; }));
  const bool german = GetParam().german;
  EXPECT_EQ(wizard->Text(IdOf(Ctl::Command7)), german ? "Beenden" : "Exit");
  EXPECT_EQ(wizard->Text(IdOf(Ctl::Option1)), german ? "VELK Mod installieren" : "Install VELK Mod");
  EXPECT_EQ(wizard->Text(IdOf(Ctl::Label4)).rfind(german ? "Hinweis:\r\n" : "Note:\r\n", 0), 0u);
  EXPECT_EQ(wizard->Text(IdOf(Ctl::Label1)), "Far Cry VELK Mod Creator Av8");
  wizard->Click(IdOf(Ctl::Command5));
  const auto box = wizard->WaitForMessageBox();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, german ? "Falscher Far Cry Ordner!" : "Wrong Far Cry folder!");
  WizardProcess::PressOk(*box);
  wizard->Close();
  EXPECT_EQ(wizard->WaitForExit(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Locales, WindowLanguageAtStart,
                         ::testing::Values(LocaleCase{"de_DE.UTF-8", true}, LocaleCase{"de_CH.UTF-8", false},
                                           LocaleCase{"en_US.UTF-8", false}),
                         [](const auto& info) {
                           std::string name = info.param.locale;
                           return name.substr(0, 5);
                         });

TEST(WindowStartUp, SecondInstanceIsRefusedAndTheFirstRunsOn) {
  WizardSetup setup;
  ClearGameDirSetting();
  auto first = StartWizard(setup.program);
  ASSERT_TRUE(first->Settle());

  WizardProcess second(setup.program);
  const auto box = second.WaitForMessageBox(20000);
  ASSERT_TRUE(box.has_value());
  EXPECT_NE(box->text.find("already running"), std::string::npos) << box->text;
  EXPECT_FALSE(second.WaitForWindow(0));
  WizardProcess::PressOk(*box);
  EXPECT_EQ(second.WaitForExit(), 1u);

  EXPECT_TRUE(first->Running());
  first->Close();
  EXPECT_EQ(first->WaitForExit(), 0u);
  // Once the first has gone, a new start gets its window.
  auto third = StartWizard(setup.program);
  third->Close();
  EXPECT_EQ(third->WaitForExit(), 0u);
}

}  // namespace
}  // namespace velk::gui
