// Undo exactly what was done: every file and folder of the game hashed before and after, the
// install record deciding what uninstall, repair and switch-over touch.
#include <windows.h>

#include <string>
#include <vector>

#include "hardening/hardening_fixture.h"
#include "support/file_helpers.h"

namespace velk::hardening {
namespace {

class HardeningUndo : public HardeningTest {
 protected:
  std::vector<std::string> Folders() const { return testkit::ListFolders(fixture_.gameDir); }
  void ExpectGameAsBefore(const Tree& files, const std::vector<std::string>& folders) {
    ExpectStockRestored(files, Game());
    EXPECT_EQ(Folders(), folders);
  }
  void Write(const std::string& relative, const std::string& bytes) {
    testkit::WriteFile(fixture_.gameDir + "\\" + relative, bytes);
  }
};

TEST_F(HardeningUndo, InstallAndUninstallGiveBackTheGameExactly) {
  // Boat has no stock script; Volcano lies in another mod's folder; the payload's Dam holds a
  // second script beside the level's.
  testkit::GameOptions game;
  game.levels = {"Archive", "Boat", "Dam", "Volcano"};
  testkit::AppOptions app;
  app.mapLevels = game.levels;
  app.extraMapFiles = {{"Dam\\aaa_first.lua", "-- a second script\r\n"}};
  MakeFolders("Far Cry", "VelkSetup", {}, game, app);
  ASSERT_TRUE(DeleteFileAt(Level("Boat", "Boat.lua")));
  const std::string volcano = fixture_.gameDir + "\\Mods\\OtherMod\\Levels\\Volcano";
  ASSERT_TRUE(CreateFolders(fixture_.gameDir + "\\Mods\\OtherMod\\Levels"));
  ASSERT_TRUE(MoveFileW(Widen(Level("Volcano")).c_str(), Widen(volcano).c_str()));
  ASSERT_TRUE(RemoveFolderTree(fixture_.gameDir + "\\Levels\\Volcano"));
  const Tree files = Game();
  const std::vector<std::string> folders = Folders();

  SetupRun run = RunChecked();
  ASSERT_EQ(run.code, 0) << run.output;
  EXPECT_TRUE(testkit::Exists(volcano + "\\levelvelk.pak"));
  EXPECT_TRUE(testkit::Exists(Level("Boat", "levelvelk.pak")));
  run = RunChecked("/ACTION=uninstall");
  EXPECT_EQ(run.code, 0) << run.output;
  ExpectGameAsBefore(files, folders);
}

TEST_F(HardeningUndo, TheUsersOwnBackupsSurvive) {
  MakeFolders();
  Write("Levels\\Archive\\Archive.lua.bak", "-- the user's own copy\r\n");
  Write("Levels\\Archive\\notes.lua.bak", "-- the user's notes\r\n");
  const Tree files = Game();
  const std::vector<std::string> folders = Folders();
  // On a game the mod never touched, and after an install.
  SetupRun run = RunChecked("/ACTION=uninstall");
  EXPECT_EQ(run.code, 0) << run.output;
  ExpectGameAsBefore(files, folders);
  run = RunChecked();
  ASSERT_EQ(run.code, 0) << run.output;
  ExpectInstalled(fixture_.gameDir, stock_, levels_);
  run = RunChecked("/ACTION=uninstall");
  EXPECT_EQ(run.code, 0) << run.output;
  ExpectGameAsBefore(files, folders);
}

TEST_F(HardeningUndo, ARepairAfterSwitchingOffLeavesOneStateThatSwitches) {
  MakeFolders();
  ASSERT_EQ(RunChecked().code, 0);
  ASSERT_EQ(RunChecked("/ACTION=toggle").code, 0);
  ASSERT_EQ(RunChecked("/LEVELS=Archive,Boat").code, 0);  // Dam stays switched off
  for (const char* level : {"Archive", "Boat"}) {
    EXPECT_TRUE(testkit::Exists(Level(level, "levelvelk.pak"))) << level;
    EXPECT_FALSE(testkit::Exists(Level(level, "levelvelk.pak.dis"))) << level;
  }
  // A mixed game counts as off: the switch turns every level on, the next one every level off.
  for (const char* wanted : {"levelvelk.pak", "levelvelk.pak.dis"}) {
    SCOPED_TRACE(wanted);
    ASSERT_EQ(RunChecked("/ACTION=toggle").code, 0);
    for (const std::string& level : levels_) {
      const bool on = testkit::Exists(Level(level, "levelvelk.pak"));
      const bool off = testkit::Exists(Level(level, "levelvelk.pak.dis"));
      EXPECT_TRUE(on != off) << level;
      EXPECT_TRUE(testkit::Exists(Level(level, wanted))) << level;
    }
  }
}

TEST_F(HardeningUndo, AScriptsOnlyInstallLeavesNoModScriptWithoutItsArchive) {
  testkit::GameOptions game;
  game.levels = {"Archive", "Boat", "MyMap"};
  testkit::AppOptions app;
  app.mapLevels = game.levels;
  MakeFolders("Far Cry", "VelkSetup", {}, game, app);
  ASSERT_EQ(RunChecked().code, 0);
  const SetupRun run = RunChecked("/COMPONENTS=scripts,cursor,skins");
  ASSERT_EQ(run.code, 0) << run.output;
  for (const std::string& level : game.levels) {
    EXPECT_FALSE(testkit::Exists(Level(level, "levelvelk.pak"))) << level;
    EXPECT_EQ(testkit::ReadFile(Level(level, level + ".lua")), testkit::StockScriptText(level)) << level;
    EXPECT_FALSE(testkit::Exists(Level(level, level + ".lua.bak"))) << level;
  }
  EXPECT_TRUE(testkit::Exists(fixture_.gameDir + "\\Mods\\VELK_Av8\\ModDesc.txt"));
}

TEST_F(HardeningUndo, ABrokenLevelArchiveIsNamedAndNotConverted) {
  MakeFolders();
  Write("Levels\\Dam\\level.pak", "not an archive at all");
  const Tree files = Game();
  const SetupRun run = RunChecked();
  EXPECT_EQ(run.code, 1) << run.output;
  EXPECT_TRUE(Contains(run.output, "Level \"Dam\" was not converted")) << run.output;
  EXPECT_TRUE(LogHas(fixture_.gameDir, "level.pak of Dam cannot be read: Dam not converted"));
  EXPECT_FALSE(testkit::Exists(Level("Dam", "levelvelk.pak")));
  EXPECT_EQ(testkit::ReadFile(Level("Dam", "Dam.lua")), testkit::StockScriptText("Dam"));
  EXPECT_FALSE(testkit::Exists(Level("Dam", "Dam.lua.bak")));
  EXPECT_TRUE(Contains(run.output, "Level updated:\r\nArchive\r\nBoat\r\n")) << run.output;
  EXPECT_FALSE(Contains(run.output, "Boat\r\nDam")) << run.output;
  ASSERT_EQ(RunChecked("/ACTION=uninstall").code, 0);
  ExpectStockRestored(files, Game());
}

}  // namespace
}  // namespace velk::hardening
