// The mod's level script replacing the stock one, and the removal of the mod's archives.
#include <string>
#include <vector>

#include "engine/install_record.h"
#include "engine/level_removal.h"
#include "engine/level_scripts.h"
#include "engine_fixture.h"
#include "kit/held_file.h"
#include "support/file_helpers.h"
#include "support/folder_scan.h"

namespace velk::enginetest {
namespace {

constexpr std::uint32_t kReadOnly = 1;  // FILE_ATTRIBUTE_READONLY

class LevelScripts : public EngineTest {
 protected:
  void SetUp() override {
    testkit::AppOptions app;
    app.withModFiles = app.withMapFiles = false;
    testkit::GameOptions game;
    game.levels = {"Archive", "Boat", "Dam"};
    Prepare(game, app);
  }
  void ForLevel(const std::string& level) {
    session_.CurrentLevel = level;
    session_.LevelDir = LevelDir(level);
    session_.LevelWorkDir = WorkDir(level);
  }
};

TEST_F(LevelScripts, OnlyTheFirstScriptIsCopiedAfterABackupOfTheStockOne) {
  ForLevel("Archive");
  testkit::WriteFile(WorkDir("Archive") + "\\a.lua", "mod a");
  testkit::WriteFile(WorkDir("Archive") + "\\b.lua", "mod b");
  testkit::WriteFile(WorkDir("Archive") + "\\Sub\\c.lua", "mod c");
  testkit::WriteFile(LevelDir("Archive") + "\\a.lua", "stock a");
  testkit::WriteFile(LevelDir("Archive") + "\\b.lua", "stock b");
  std::vector<FileEntry> listed;
  FindFiles(WorkDir("Archive"), false, "*.lua", listed);
  ASSERT_EQ(listed.size(), 2u);
  const std::string first = listed[0].Name, second = listed[1].Name;

  CopyLua(session_, ui_);
  EXPECT_EQ(testkit::ReadFile(LevelDir("Archive") + "\\" + first), "mod " + first.substr(0, 1));
  EXPECT_EQ(testkit::ReadFile(LevelDir("Archive") + "\\" + first + ".bak"), "stock " + first.substr(0, 1));
  EXPECT_EQ(testkit::ReadFile(LevelDir("Archive") + "\\" + second), "stock " + second.substr(0, 1));
  EXPECT_FALSE(testkit::Exists(LevelDir("Archive") + "\\" + second + ".bak"));
  EXPECT_FALSE(testkit::Exists(LevelDir("Archive") + "\\c.lua"));
  EXPECT_TRUE(RunLog().empty());
  EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(LevelScripts, ASecondInstallKeepsTheFirstBackup) {
  ForLevel("Boat");
  const std::string script = LevelDir("Boat") + "\\Boat.lua";
  testkit::WriteFile(WorkDir("Boat") + "\\Boat.lua", "mod one");
  CopyLua(session_, ui_);
  testkit::WriteFile(WorkDir("Boat") + "\\Boat.lua", "mod two");
  CopyLua(session_, ui_);
  EXPECT_EQ(testkit::ReadFile(script), "mod two");
  EXPECT_EQ(testkit::ReadFile(script + ".bak"), testkit::StockScriptText("Boat"));
}

TEST_F(LevelScripts, ALevelWithoutThatStockScriptGetsNoBackup) {
  ForLevel("Dam");
  testkit::WriteFile(WorkDir("Dam") + "\\velk_dam.lua", "mod only");
  CopyLua(session_, ui_);
  EXPECT_EQ(testkit::ReadFile(LevelDir("Dam") + "\\velk_dam.lua"), "mod only");
  EXPECT_FALSE(testkit::Exists(LevelDir("Dam") + "\\velk_dam.lua.bak"));
  // Nothing to copy: the level stays as it is.
  ForLevel("Archive");
  ASSERT_TRUE(CreateFolders(WorkDir("Archive")));
  const auto before = testkit::HashTree(LevelDir("Archive"));
  CopyLua(session_, ui_);
  EXPECT_EQ(testkit::HashTree(LevelDir("Archive")), before);
}

TEST_F(LevelScripts, DelLuaFilesRemovesTheArchivesOfStockLevelsOnly) {
  DelLuaFiles(session_, ui_);
  EXPECT_TRUE(RunLog().empty());  // nothing to remove, nothing logged

  const std::string dam = LevelDir("Dam") + "\\levelvelkki.pak";
  const std::string custom = fx_.gameDir + "\\Levels\\MyMap\\levelvelk.pak";
  testkit::WriteFile(dam, "second archive");
  testkit::WriteFile(custom, "not a stock level");
  testkit::WriteFile(LevelDir("Dam") + "\\levelvelk.pak.dis", "switched off");
  DelLuaFiles(session_, ui_);
  EXPECT_EQ(RunLog(), std::vector<std::string>{"Deleted " + dam});
  EXPECT_FALSE(testkit::Exists(dam));
  EXPECT_TRUE(testkit::Exists(custom));
  EXPECT_TRUE(testkit::Exists(LevelDir("Dam") + "\\levelvelk.pak.dis"));
  EXPECT_TRUE(testkit::Exists(LevelDir("Dam") + "\\level.pak"));
  EXPECT_TRUE(testkit::Exists(LevelDir("Dam") + "\\Dam.lua"));
}

TEST_F(LevelScripts, DelLuaFilesSaysSoWhenAnArchiveCannotBeDeleted) {
  const std::string archive = LevelDir("Archive") + "\\levelvelk.pak";
  const std::string boat = LevelDir("Boat") + "\\levelvelk.pak";
  testkit::WriteFile(archive, "in use");
  testkit::WriteFile(boat, "free");
  {
    const UniqueFile held = testkit::HoldWithoutSharing(archive);
    ASSERT_TRUE(held);
    DelLuaFiles(session_, ui_);
    EXPECT_TRUE(testkit::Exists(archive));
  }
  EXPECT_EQ(RunLog(), (std::vector<std::string>{"Could not delete " + archive, "Deleted " + boat}));
}

TEST_F(LevelScripts, ModFilesMarkedReadOnlyAreDeletedAllTheSame) {
  // Left by an earlier version without a record: the script is the payload's, so the backup
  // is the wizard's.
  const std::string folder = LevelDir("Archive");
  testkit::WriteFile(WorkDir("Archive") + "\\Archive.lua", "mod");
  testkit::WriteFile(folder + "\\levelvelk.pak", "copied from a disc");
  testkit::WriteFile(folder + "\\Archive.lua", "mod");
  testkit::WriteFile(folder + "\\Archive.lua.bak", "stock");
  ASSERT_TRUE(SetAttributes(folder + "\\levelvelk.pak", kReadOnly));
  ASSERT_TRUE(SetAttributes(folder + "\\Archive.lua.bak", kReadOnly));
  RemoveModFromLevels(session_, ui_, false);
  EXPECT_FALSE(testkit::Exists(folder + "\\levelvelk.pak"));
  EXPECT_FALSE(testkit::Exists(folder + "\\Archive.lua.bak"));
  EXPECT_EQ(testkit::ReadFile(folder + "\\Archive.lua"), "stock");
  EXPECT_EQ(RunLog(), (std::vector<std::string>{"Deleted " + folder + "\\levelvelk.pak",
                                                 "Restored " + folder + "\\Archive.lua from Archive.lua.bak"}));
}

TEST_F(LevelScripts, OnlyTheWizardsBackupsAreRestored) {
  // Unrecorded: a user's backups beside scripts that are not the payload's stay as they are.
  const std::string archive = LevelDir("Archive");
  testkit::WriteFile(WorkDir("Archive") + "\\Archive.lua", "mod");
  testkit::WriteFile(archive + "\\Archive.lua.bak", "the user's own");
  testkit::WriteFile(archive + "\\notes.lua.bak", "notes");
  // Recorded: Boat's stock script and Dam's added script, as CopyLua left them.
  testkit::WriteFile(WorkDir("Boat") + "\\Boat.lua", "mod boat");
  testkit::WriteFile(WorkDir("Dam") + "\\velk_dam.lua", "mod dam");
  for (const char* level : {"Boat", "Dam"}) {
    ForLevel(level);
    CopyLua(session_, ui_);
  }
  const auto untouched = testkit::HashTree(archive);
  RemoveModFromLevels(session_, ui_, true);
  EXPECT_EQ(testkit::HashTree(archive), untouched);
  EXPECT_EQ(testkit::ReadFile(LevelDir("Boat") + "\\Boat.lua"), testkit::StockScriptText("Boat"));
  EXPECT_FALSE(testkit::Exists(LevelDir("Boat") + "\\Boat.lua.bak"));
  EXPECT_FALSE(testkit::Exists(LevelDir("Dam") + "\\velk_dam.lua"));
  EXPECT_TRUE(ReadInstallRecord(ModFolder(), fx_.gameDir).record.levels.empty());
}

TEST_F(LevelScripts, ABackupNameTakenByAnotherFileIsLeftAlone) {
  // A stray Boat.lua.bak (the user's, or half of one a killed run wrote): the stock script
  // goes to Boat.lua.velk.bak instead, and the stray file survives install and removal.
  ForLevel("Boat");
  testkit::WriteFile(WorkDir("Boat") + "\\Boat.lua", "mod boat");
  testkit::WriteFile(LevelDir("Boat") + "\\Boat.lua.bak", "");
  const ScriptChange change = CopyLua(session_, ui_);
  EXPECT_EQ(change.kind, ScriptChange::Kind::BackedUp);
  EXPECT_EQ(testkit::ReadFile(LevelDir("Boat") + "\\Boat.lua.velk.bak"), testkit::StockScriptText("Boat"));
  RemoveModFromLevels(session_, ui_, false);
  EXPECT_EQ(testkit::ReadFile(LevelDir("Boat") + "\\Boat.lua"), testkit::StockScriptText("Boat"));
  EXPECT_EQ(testkit::ReadFile(LevelDir("Boat") + "\\Boat.lua.bak"), "");
  // With both names taken the level's script is not touched.
  testkit::WriteFile(LevelDir("Boat") + "\\Boat.lua.velk.bak", "also not ours");
  EXPECT_EQ(CopyLua(session_, ui_).kind, ScriptChange::Kind::Refused);
  EXPECT_EQ(testkit::ReadFile(LevelDir("Boat") + "\\Boat.lua"), testkit::StockScriptText("Boat"));
}

}  // namespace
}  // namespace velk::enginetest
