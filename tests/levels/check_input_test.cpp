// Leaving the first page: the game folder is checked, stored, and opens the run.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "wizard/memory_ui.h"
#include "engine/page_work.h"
#include "kit/named_lock.h"
#include "kit/test_kit.h"
#include "support/settings_store.h"
#include "wizard/catalogue.h"

namespace velk {
namespace {

using testkit::TempFolder;

class CheckInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session_.Texts = EnglishCatalogue();
    ASSERT_TRUE(WriteGameDirSetting(kPrevious));
  }
  bool LeavePage0(const std::string& typed) {
    session_.PageIndex = 0;
    session_.Request.gameDir = typed;  // as the window takes it from the path box
    return CheckInput(session_, ui_);
  }

  static constexpr const char* kPrevious = "C:\\previous game folder";
  testkit::SettingsLock settingsLock_;
  TempFolder root_{"inp"};
  WizardSession session_;
  MemoryUi ui_;
};

TEST_F(CheckInputTest, AGameFolderIsStoredAndOpensTheRun) {
  const std::string game = testkit::MakeGameFolder(root_.path());
  testkit::WriteFile(game + "\\velk.log", "[00:00:00] - last run\r\n");
  ASSERT_TRUE(LeavePage0(game + "\\Bin32\\"));
  EXPECT_TRUE(ui_.Messages().empty());
  EXPECT_EQ(ui_.Text(Ctl::Text1), game);
  EXPECT_EQ(ReadGameDirSetting().value_or(""), game);
  EXPECT_EQ(session_.ModsDir, game + "\\Mods\\");
  const std::vector<std::string> log = testkit::LogTexts(game);
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0], "VELK Mod Av8 logfile");
  EXPECT_EQ(log[1].rfind("Date: ", 0), 0u);
  EXPECT_EQ(log[2], "Far Cry Informations:");
  EXPECT_EQ(log[3], "Far Cry Dir: '" + game + "'");
  ASSERT_EQ(session_.InstalledLevels.size(), 3u);  // the kit's Archive, Boat and Dam
  for (const LevelEntry& level : session_.InstalledLevels)
    EXPECT_EQ(level.Path, game + "\\Levels\\" + level.Name);
}

TEST_F(CheckInputTest, AWrongFolderShowsTheMessageAndIsLeftAlone) {
  // Looks like a game folder except for the game program.
  const std::string wrong = root_.path() + "\\Not A Game";
  testkit::WriteFile(wrong + "\\Levels\\Archive\\level.pak", "x");
  testkit::WriteFile(wrong + "\\velk.log", "keep me");
  session_.InstalledLevels = {{"Boat", "C:\\earlier\\Levels\\Boat"}};

  EXPECT_FALSE(LeavePage0(wrong + "/"));
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_TRUE(ui_.Messages()[0].error);
  EXPECT_EQ(ui_.Messages()[0].text, "Wrong Far Cry folder!");
  EXPECT_EQ(ui_.Text(Ctl::Text1), wrong);
  EXPECT_EQ(ReadGameDirSetting().value_or(""), kPrevious);
  EXPECT_EQ(session_.ModsDir, wrong + "\\Mods\\");
  EXPECT_EQ(testkit::ReadFile(wrong + "\\velk.log"), "keep me");
  ASSERT_EQ(session_.InstalledLevels.size(), 1u);
  EXPECT_EQ(session_.InstalledLevels[0].Path, "C:\\earlier\\Levels\\Boat");
}

TEST_F(CheckInputTest, AWrongFolderGetsNoNewLog) {
  const std::string wrong = root_.path() + "\\Empty";
  testkit::WriteFile(wrong + "\\readme.txt", "x");
  EXPECT_FALSE(LeavePage0(wrong));
  EXPECT_FALSE(testkit::Exists(wrong + "\\velk.log"));
  EXPECT_FALSE(LeavePage0(root_.path() + "\\Missing"));
  EXPECT_FALSE(testkit::Exists(root_.path() + "\\Missing"));
  EXPECT_EQ(ui_.Messages().size(), 2u);
}

TEST_F(CheckInputTest, TheMessageFollowsTheLanguage) {
  session_.Texts = GermanCatalogue();
  EXPECT_FALSE(LeavePage0(""));
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Messages()[0].text, "Falscher Far Cry Ordner!");
  EXPECT_EQ(session_.ModsDir, "\\Mods\\");
}

TEST_F(CheckInputTest, AWrongFolderThenTheRightOne) {
  const std::string game = testkit::MakeGameFolder(root_.path());
  const std::string wrong = root_.path() + "\\Elsewhere";
  testkit::WriteFile(wrong + "\\readme.txt", "x");
  EXPECT_FALSE(LeavePage0(wrong));
  EXPECT_EQ(ReadGameDirSetting().value_or(""), kPrevious);
  EXPECT_TRUE(LeavePage0(game));
  EXPECT_EQ(ReadGameDirSetting().value_or(""), game);
  EXPECT_FALSE(testkit::Exists(wrong + "\\velk.log"));
  EXPECT_EQ(testkit::LogTexts(game).size(), 4u);
  EXPECT_EQ(ui_.Messages().size(), 1u);
}

// The choices page has its own checks (the engine's tests run them on real folders).
TEST_F(CheckInputTest, PagesAfterTheChoicesAlwaysPassAndOthersNever) {
  ui_.SetText(Ctl::Text1, "not checked here");
  for (int page : {2, 3, 4}) {
    session_.PageIndex = page;
    EXPECT_TRUE(CheckInput(session_, ui_)) << page;
  }
  for (int page : {-1, 5, 42}) {
    session_.PageIndex = page;
    EXPECT_FALSE(CheckInput(session_, ui_)) << page;
  }
  EXPECT_TRUE(ui_.Messages().empty());
  EXPECT_EQ(ui_.Text(Ctl::Text1), "not checked here");
  EXPECT_TRUE(session_.ModsDir.empty());
  EXPECT_EQ(ReadGameDirSetting().value_or(""), kPrevious);
}

}  // namespace
}  // namespace velk
