// The choices page and the map list page: old versions, captions, unpacking the payload,
// trimming the extras and the level lists.
#include <algorithm>
#include <string>
#include <vector>

#include "engine_fixture.h"
#include "support/file_helpers.h"

namespace velk::enginetest {
namespace {

using testkit::AppOptions;
using testkit::GameOptions;

class InstallRun : public EngineTest {};

TEST_F(InstallRun, ScriptsAndMapsUnpackBothArchivesAndOfferTheInstalledLevels) {
  GameOptions game;
  game.levels = {"Archive", "Boat", "Cooler", "Dam"};
  AppOptions app;
  app.mapLevels = {"Archive", "Boat", "Dam", "Fort"};
  Prepare(game, app);
  Page(2);

  const std::vector<std::string> expected = {
      "Extracting \"modfiles.7z\"", "Extracting \"mapfiles.7z\"", "Installed Maps:",
      InstalledLine("Archive"),     InstalledLine("Boat"),        InstalledLine("Cooler"),
      InstalledLine("Dam"),         "Available Maps:",            AvailableLine("Archive"),
      AvailableLine("Boat"),        AvailableLine("Dam"),         AvailableLine("Fort")};
  EXPECT_EQ(RunLog(), expected);
  EXPECT_TRUE(ui_.Messages().empty());
  EXPECT_EQ(testkit::ListTree(ModFolder()), Sorted(testkit::ModFileNames()));
  for (const std::string& level : app.mapLevels) {
    EXPECT_EQ(testkit::ReadFile(WorkDir(level) + "\\" + level + ".lua"), testkit::ModScriptText(level));
    EXPECT_EQ(testkit::ReadFile(WorkDir(level) + "\\mission_velk.xml"), testkit::MissionFileText());
  }
  // Only levels both offered and installed, every row ticked; the wizard stays on page 2.
  EXPECT_EQ(RowTexts(ui_), (std::vector<std::string>{"Archive", "Boat", "Dam"}));
  for (const MemoryUi::Row& row : ui_.Rows()) EXPECT_TRUE(row.ticked) << row.text;
  EXPECT_EQ(session_.PageIndex, 2);
  EXPECT_EQ(std::count(ui_.events.begin(), ui_.events.end(), "page: 3"), 0);
  EXPECT_EQ(session_.CommandLine,
            "\"" + fx_.appDir + "\\7z.exe\" x -y \"" + fx_.appDir + "\\mapfiles.7z\" -o\"" + fx_.appDir + "\\\"");
  ASSERT_EQ(session_.AvailableLevels.size(), 4u);
  EXPECT_EQ(session_.AvailableLevels[3].Name, "Fort");
}

TEST_F(InstallRun, ScriptsOnlyFinishesTheRunBeforeTheExtrasAndTheLists) {
  Prepare();
  testkit::WriteFile(LevelDir("Boat") + "\\levelvelk.pak", "old mod archive");
  ui_.SetValue(Ctl::Check4, false);
  ui_.SetValue(Ctl::Check5, false);  // no new mouse cursor
  size_t logAtPage3 = 0;
  bool cursorAtPage3 = false;
  ui_.onPageShown = [&](int page) {
    if (page != 3) return;
    logAtPage3 = RunLog().size();
    cursorAtPage3 = FileExists(ModFolder() + "\\textures\\gui\\mousecursor.dds");
  };
  Page(2);

  const std::vector<std::string> expected = {
      "Deleted " + LevelDir("Boat") + "\\levelvelk.pak",
      "Extracting \"modfiles.7z\"",
      "Creating shortcut",
      "Renamed ModDesc.en.txt to ModDesc.txt",
      "Finished creating!",
      "Installed Maps:",
      InstalledLine("Archive"),
      InstalledLine("Boat"),
      InstalledLine("Dam"),
      "Available Maps:"};
  EXPECT_EQ(RunLog(), expected);
  EXPECT_EQ(logAtPage3, 2u);  // the archives are gone and the mod files unpacked
  EXPECT_TRUE(cursorAtPage3);
  EXPECT_FALSE(FileExists(ModFolder() + "\\textures\\gui\\mousecursor.dds"));
  EXPECT_TRUE(FileExists(ModFolder() + "\\Objects\\weapons\\DE\\de.dds"));
  EXPECT_FALSE(FileExists(LevelDir("Boat") + "\\levelvelk.pak"));
  EXPECT_FALSE(testkit::Exists(fx_.appDir + "\\Temp"));
  const std::vector<std::string> pages = {"page: 2", "page: 3", "page: 4"};
  EXPECT_EQ(ui_.events, pages);
  EXPECT_EQ(session_.PageIndex, 4);
  EXPECT_TRUE(ui_.Rows().empty());
  EXPECT_TRUE(ui_.Messages().empty());
  EXPECT_TRUE(FileExists(LinkFile()));
}

TEST_F(InstallRun, NeitherScriptsNorMapsOnlyRemovesArchivesAndFinishes) {
  Prepare();
  testkit::WriteFile(LevelDir("Dam") + "\\levelvelkki.pak", "second archive");
  ui_.SetValue(Ctl::Check3, false);
  ui_.SetValue(Ctl::Check4, false);
  Page(2);
  const std::vector<std::string> log = RunLog();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[0], "Deleted " + LevelDir("Dam") + "\\levelvelkki.pak");
  EXPECT_EQ(log[1], "Creating shortcut");
  EXPECT_EQ(std::count(log.begin(), log.end(), "Extracting \"modfiles.7z\""), 0);
  EXPECT_FALSE(testkit::Exists(ModFolder()));
  EXPECT_EQ(session_.PageIndex, 4);
}

// Mouse cursor off and skins on, then the reverse: only what was not wanted is deleted.
class Extras : public EngineTest, public ::testing::WithParamInterface<bool> {};

TEST_P(Extras, FollowTheirBoxes) {
  const bool cursor = GetParam();
  Prepare();
  ui_.SetValue(Ctl::Check5, cursor);
  ui_.SetValue(Ctl::Check1, !cursor);
  ui_.SetValue(Ctl::Check4, false);
  Page(2);
  EXPECT_EQ(FileExists(ModFolder() + "\\textures\\gui\\mousecursor.dds"), cursor);
  EXPECT_EQ(FileExists(ModFolder() + "\\Objects\\weapons\\DE\\de.dds"), !cursor);
  EXPECT_EQ(FileExists(ModFolder() + "\\Objects\\weapons\\M4\\m4.dds"), !cursor);
  EXPECT_TRUE(FileExists(ModFolder() + "\\textures\\velk_logo.dds"));
  EXPECT_TRUE(FileExists(ModFolder() + "\\ModDesc.txt"));
}

INSTANTIATE_TEST_SUITE_P(CursorOrSkins, Extras, ::testing::Bool());

TEST_F(InstallRun, AMissingModArchiveShowsTwoBoxesAndLogsTheOutput) {
  AppOptions app;
  app.withModFiles = false;
  Prepare({}, app);
  Page(2);
  EXPECT_EQ(ui_.Boxes(), (std::vector<std::string>{
                             FormatText(session_.Texts.MsgFileNotFound, "modfiles.7z"),
                             FormatText(session_.Texts.MsgExtractError, "modfiles.7z")}));
  const std::vector<std::string> log = RunLog();
  ASSERT_GE(log.size(), 5u);
  EXPECT_EQ(log[0], "File missing: modfiles.7z");
  EXPECT_EQ(log[1], "Extracting \"modfiles.7z\"");
  EXPECT_EQ(log[2], "Error extracting modfiles.7z");
  EXPECT_EQ(log[3].rfind("Output [", 0), 0u) << log[3];
  // The whole output, over as many lines as it takes, closed before the next step's line.
  const auto maps = std::find(log.begin(), log.end(), "Extracting \"mapfiles.7z\"");
  ASSERT_NE(maps, log.end());
  EXPECT_EQ((maps - 1)->back(), ']');
  // The maps still came: the run went on.
  EXPECT_TRUE(FileExists(WorkDir("Archive") + "\\mission_velk.xml"));
  EXPECT_EQ(RowTexts(ui_).size(), 3u);
}

TEST_F(InstallRun, TheModCommandReadsTheArchiveFromTheCurrentFolder) {
  Prepare();
  ui_.SetValue(Ctl::Check4, false);
  Page(2);
  // Page 3 ran inside; the command of the mod files is the last archive run.
  EXPECT_EQ(session_.CommandLine,
            "\"" + fx_.appDir + "\\7z.exe\" x modfiles.7z -o\"" + fx_.gameDir + "\\Mods\\\" -y");
  EXPECT_NE(session_.CommandOutput.find("Everything is Ok"), std::string::npos);
}

class ChoicesPage : public EngineTest {
 protected:
  void SetUp() override {
    Prepare();
    ui_.SetText(Ctl::Option1, "design caption");
    ui_.SetText(Ctl::Option3, FormatText(session_.Texts.MsgDisableMod, ""));
  }
};

TEST_F(ChoicesPage, NothingInstalledKeepsTheWindowsState) {
  Page(1);
  EXPECT_FALSE(ui_.Value(Ctl::Check2));
  EXPECT_FALSE(ui_.Enabled(Ctl::Check2));
  EXPECT_EQ(ui_.Text(Ctl::Option1), "Install VELK Mod");
  EXPECT_EQ(ui_.Text(Ctl::Option3), "Disable VELK Mod");
  EXPECT_EQ(RunLog().size(), 0u);
}

TEST_F(ChoicesPage, AnInstalledModOffersRepairAndASwitchedOffOneEnable) {
  ASSERT_TRUE(CreateFolders(ModFolder()));
  testkit::WriteFile(LevelDir("Boat") + "\\levelvelk.pak.dis", "switched off");
  Page(1);
  EXPECT_EQ(ui_.Text(Ctl::Option1), "Repair installed version");
  EXPECT_EQ(ui_.Text(Ctl::Option3), "Enable VELK Mod");
  EXPECT_FALSE(ui_.Value(Ctl::Check2));
}

TEST_F(ChoicesPage, OldVersionsAreMarkedAndRemovedWithTheirContent) {
  // Each old name alone is enough; with two present both are handled.
  for (const char* old : {"VELK", "VELK_Av6", "VELK_Av7"}) {
    SCOPED_TRACE(old);
    ASSERT_TRUE(CreateFolders(session_.ModsDir + old));
    ui_.SetValue(Ctl::Check2, false);
    ui_.SetEnabled(Ctl::Check2, false);
    Page(1);
    EXPECT_TRUE(ui_.Value(Ctl::Check2));
    EXPECT_TRUE(ui_.Enabled(Ctl::Check2));
    KillDir(session_.ModsDir + old);
  }
  ASSERT_TRUE(CreateFolders(session_.ModsDir + "VELK"));
  testkit::WriteFile(session_.ModsDir + "VELK_Av6\\Scripts\\old.lua", "old");
  ASSERT_TRUE(CreateFolders(session_.ModsDir + "Other"));
  Page(1);
  ASSERT_TRUE(ui_.Value(Ctl::Check2));
  ui_.SetValue(Ctl::Option3, true);  // switch-over: nothing unpacked
  Page(2);
  const std::vector<std::string> log = RunLog();
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log[0], "Deleting old VELK Folders");
  EXPECT_EQ(log[1], "Deleted " + session_.ModsDir + "VELK");
  EXPECT_EQ(log[2], "Deleted " + session_.ModsDir + "VELK_Av6");
  EXPECT_EQ(log[3], "Installed Maps:");
  EXPECT_FALSE(testkit::Exists(session_.ModsDir + "VELK"));
  EXPECT_FALSE(testkit::Exists(session_.ModsDir + "VELK_Av6"));
  EXPECT_TRUE(testkit::Exists(session_.ModsDir + "Other"));
}

}  // namespace
}  // namespace velk::enginetest
