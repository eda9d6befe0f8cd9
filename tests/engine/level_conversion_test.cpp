// The progress page on its own: the chosen rows, the shortcut and the completion texts.
#include <algorithm>
#include <string>
#include <vector>

#include "engine/level_conversion.h"
#include "engine_fixture.h"
#include "support/file_helpers.h"

namespace velk::enginetest {
namespace {

class LevelConversion : public EngineTest {
 protected:
  void SetUp() override {
    testkit::AppOptions app;
    app.withModFiles = app.withMapFiles = false;
    testkit::GameOptions game;
    game.levels = {"Archive", "Boat"};
    Prepare(game, app);
    for (const char* level : {"Archive", "Boat"}) {
      testkit::WriteFile(WorkDir(level) + "\\mission_velk.xml", testkit::MissionFileText());
      ui_.AddLevelRow(level);
      ui_.SetLevelRowTicked(ui_.LevelRowCount() - 1, true);
    }
  }
};

TEST_F(LevelConversion, ARefusedProgressValueDoesNotStopTheRun) {
  ui_.refuseProgress = true;
  Page(3);
  EXPECT_TRUE(ui_.ProgressHistory().empty());
  EXPECT_TRUE(FileExists(LevelDir("Archive") + "\\levelvelk.pak"));
  EXPECT_TRUE(FileExists(LevelDir("Boat") + "\\levelvelk.pak"));
  EXPECT_EQ(ui_.Text(Ctl::Label7), "Level: Boat");
  EXPECT_EQ(session_.CurrentLevel, "Boat");
  EXPECT_EQ(session_.LevelDir, LevelDir("Boat"));
  EXPECT_EQ(session_.LevelWorkDir, WorkDir("Boat"));
  ASSERT_EQ(session_.ChosenLevels.size(), 2u);
  EXPECT_EQ(session_.ChosenLevels[1].Path, LevelDir("Boat"));
}

TEST_F(LevelConversion, OnlyAnInstallWithMapsConvertsLevels) {
  for (const Ctl other : {Ctl::Option2, Ctl::Option3}) {
    ui_.SetValue(other, true);
    Page(3);
  }
  ui_.SetValue(Ctl::Option1, true);
  ui_.SetValue(Ctl::Check4, false);
  Page(3);
  EXPECT_FALSE(FileExists(LevelDir("Archive") + "\\levelvelk.pak"));
  EXPECT_EQ(session_.ChosenLevels.size(), 2u);
  EXPECT_TRUE(ui_.ProgressHistory().empty());
}

TEST_F(LevelConversion, AnEarlierSummaryIsKeptAndAMissingDescriptionLogged) {
  session_.UpdatedLevels = " Archive";
  ui_.SetValue(Ctl::Check4, false);
  Page(3);
  EXPECT_EQ(ui_.Text(Ctl::Text2), "Level updated: Archive");
  const std::vector<std::string> expected = {
      "Creating shortcut", "Not renamed ModDesc.en.txt to ModDesc.txt: ModDesc.en.txt is missing",
      "Finished creating!"};
  EXPECT_EQ(RunLog(), expected);
  EXPECT_TRUE(FileExists(LinkFile()));
}

TEST_F(LevelConversion, AfterAnUninstallTheShortcutIsRemovedNotWritten) {
  session_.Uninstalled = true;
  ui_.SetValue(Ctl::Option2, true);
  Page(3);
  EXPECT_FALSE(testkit::Exists(LinkFile()));
  testkit::WriteFile(LinkFile(), "a link of the mod");
  Page(3);
  EXPECT_FALSE(testkit::Exists(LinkFile()));
  const std::vector<std::string> log = RunLog();
  ExpectInOrder(log, {"Removing shortcut", "Finished creating!", "Removing shortcut",
                      "Deleted " + LinkFile(), "Finished creating!"});
  EXPECT_EQ(std::count(log.begin(), log.end(), "Creating shortcut"), 0);
}

TEST(FramedLogLine, PadsToFortyNineAndCloses) {
  EXPECT_EQ(FramedLogLine("|--Path: \"D:\\Games\\Far Cry\\Levels\\Archive\""),
            "|--Path: \"D:\\Games\\Far Cry\\Levels\\Archive\"-------|");
  EXPECT_EQ(FramedLogLine(std::string(49, 'x')), std::string(49, 'x') + "|");
  EXPECT_EQ(FramedLogLine(std::string(60, 'x')), std::string(60, 'x') + "|");
  EXPECT_EQ(FramedLogLine(""), std::string(49, '-') + "|");
}

}  // namespace
}  // namespace velk::enginetest
