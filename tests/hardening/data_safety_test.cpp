// Nothing that is not the mod's is touched: the user's own X:\Temp beside a payload on a drive
// root, what links point at, other mods, a game below a folder named Mods, a network share.
#include <windows.h>

#include <algorithm>
#include <string>

#include "hardening/hardening_fixture.h"
#include "kit/unix_side.h"
#include "support/file_helpers.h"

namespace velk::hardening {
namespace {

class HardeningDataSafety : public HardeningTest {
 protected:
  // VelkSetup.exe /S from `appDir` (a drive root or a share), for the fixture's game folder.
  SetupRun RunFrom(const std::string& appDir, const std::string& switches = {}) {
    std::string command = "\"";
    command += JoinPath(appDir, "VelkSetup.exe");
    command += "\" /S \"/D=" + fixture_.gameDir + "\" /LANG=en " + switches;
    SetupRun run;
    run.code = testkit::RunProgram(command, temp_.path(), &run.output, 90000);
    EXPECT_NE(run.code, -1) << "no end within the time limit";
    return run;
  }
  // A folder outside the game and the payload with a file in it, hashed.
  Tree Outside(const std::string& name) {
    const std::string folder = temp_.path() + "\\" + name;
    testkit::WriteFile(folder + "\\precious.txt", "the user's own " + name + "\r\n");
    return testkit::HashTree(folder);
  }
};

TEST_F(HardeningDataSafety, PayloadOnADriveRootLeavesTheUsersTempAlone) {
  MakeFolders();
  // The user's own X:\Temp, with a file and a folder of notes, and an old level work folder.
  testkit::WriteFile(fixture_.appDir + "\\Temp\\precious.txt", "keep me\r\n");
  testkit::WriteFile(fixture_.appDir + "\\Temp\\Notes\\note.txt", "and me\r\n");
  const Tree usersTemp = testkit::HashTree(fixture_.appDir + "\\Temp");
  testkit::MappedDrive drive("x", fixture_.appDir);

  const SetupRun run = RunFrom(drive.root());
  ASSERT_EQ(run.code, 0) << run.output;
  ExpectInstalled(fixture_.gameDir, stock_, levels_);
  const Tree after = testkit::HashTree(fixture_.appDir + "\\Temp");
  for (const auto& [name, hash] : usersTemp) {
    const auto kept = after.find(name);
    EXPECT_TRUE(kept != after.end() && kept->second == hash) << "the user's file is gone: " << name;
  }
  // Paths in the drive's root are written with one backslash (Wine names the drive "x:").
  const std::vector<std::string> log = testkit::LogTexts(fixture_.gameDir);
  EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::string& line) {
    return _stricmp(line.c_str(), "  Archive [X:\\temp\\Archive]") == 0;
  }));
  for (const std::string& line : log) EXPECT_FALSE(Contains(line, ":\\\\")) << line;
}

TEST_F(HardeningDataSafety, RemovalLeavesWhatLinksPointAt) {
  MakeFolders();
  ASSERT_EQ(RunChecked().code, 0);
  const Tree outsideFile = Outside("outside-file");
  const Tree outsideFolder = Outside("outside-folder");
  const Tree outsidePak = Outside("outside-pak");
  const std::string modFolder = fixture_.gameDir + "\\Mods\\VELK_Av8";
  // Links in the mod folder, in an old version's folder, and in place of a level's archive.
  testkit::MakeUnixLink(modFolder + "\\linked.txt", temp_.path() + "\\outside-file\\precious.txt");
  testkit::MakeUnixLink(modFolder + "\\linked folder", temp_.path() + "\\outside-folder");
  testkit::WriteFile(fixture_.gameDir + "\\Mods\\VELK_Av7\\old.txt", "an old version\r\n");
  testkit::MakeUnixLink(fixture_.gameDir + "\\Mods\\VELK_Av7\\linked.txt",
                        temp_.path() + "\\outside-file\\precious.txt");
  ASSERT_TRUE(DeleteFileAt(Level("Dam", "levelvelk.pak")));
  testkit::MakeUnixLink(Level("Dam", "levelvelk.pak"), temp_.path() + "\\outside-pak\\precious.txt");

  const SetupRun run = RunChecked("/ACTION=uninstall");
  EXPECT_EQ(run.code, 0) << run.output;
  EXPECT_EQ(testkit::HashTree(temp_.path() + "\\outside-file"), outsideFile);
  EXPECT_EQ(testkit::HashTree(temp_.path() + "\\outside-folder"), outsideFolder);
  EXPECT_EQ(testkit::HashTree(temp_.path() + "\\outside-pak"), outsidePak);
  // What could not go is said; the rest of the mod is gone.
  EXPECT_TRUE(LogHas(fixture_.gameDir, "Could not delete " + modFolder) ||
              LogHas(fixture_.gameDir, "Deleted " + modFolder));
  EXPECT_FALSE(testkit::Exists(modFolder + "\\ModDesc.txt"));
  EXPECT_FALSE(testkit::Exists(Level("Archive", "levelvelk.pak")));
  EXPECT_EQ(testkit::ReadFile(Level("Archive", "Archive.lua")), testkit::StockScriptText("Archive"));
}

TEST_F(HardeningDataSafety, OldVersionsGoWithTheirContentAndOtherModsStay) {
  MakeFolders();
  const std::string mods = fixture_.gameDir + "\\Mods\\";
  testkit::WriteFile(mods + "VELK\\a.txt", "first version\r\n");
  testkit::WriteFile(mods + "VELK_Av6\\Scripts\\b.lua", "-- sixth\r\n");
  testkit::WriteFile(mods + "VELK_Av7\\c.txt", "seventh\r\n");
  testkit::WriteFile(mods + "VELK_Av5\\d.txt", "not one of the three\r\n");
  testkit::WriteFile(mods + "OtherMod\\keep.txt", "another mod\r\n");
  const Tree before = Game();

  const SetupRun run = RunChecked();
  ASSERT_EQ(run.code, 0) << run.output;
  for (const char* old : {"VELK", "VELK_Av6", "VELK_Av7"}) {
    EXPECT_FALSE(FolderExists(mods + old)) << old;
    EXPECT_TRUE(LogHas(fixture_.gameDir, "Deleted " + mods + old)) << old;
  }
  const Tree after = Game();
  for (const auto& [name, hash] : before) {
    if (name.rfind("Mods\\VELK\\", 0) == 0 || name.rfind("Mods\\VELK_Av6\\", 0) == 0 ||
        name.rfind("Mods\\VELK_Av7\\", 0) == 0 || name.rfind("Levels\\", 0) == 0)
      continue;
    const auto kept = after.find(name);
    EXPECT_TRUE(kept != after.end() && kept->second == hash) << "changed: " << name;
  }
  // The next run finds no old version to offer.
  const SetupRun again = RunChecked();
  EXPECT_EQ(again.code, 0) << again.output;
  EXPECT_FALSE(LogHas(fixture_.gameDir, "Deleting old VELK Folders"));
}

TEST_F(HardeningDataSafety, GameBelowFoldersNamedModsAndLevels) {
  for (const char* parent : {"Mods", "Levels"}) {
    SCOPED_TRACE(parent);
    testkit::TempFolder place("named");
    CreateFolders(place.path() + "\\" + parent);
    MakeFolders("Far Cry", "VelkSetup", place.path() + "\\" + parent);
    SetupRun run = RunChecked();
    ASSERT_EQ(run.code, 0) << run.output;
    ExpectInstalled(fixture_.gameDir, stock_, levels_);
    // The sub-folder picked instead of the game folder still leads to it.
    run = RunChecked("/ACTION=uninstall", fixture_.gameDir + "\\Levels\\Archive");
    EXPECT_EQ(run.code, 0) << run.output;
    ExpectStockRestored(stock_, Game());
  }
}

TEST_F(HardeningDataSafety, PayloadAndGameOnANetworkShare) {
  // The same install on local folders gives the level archives to compare with.
  testkit::TempFolder localPlace("local");
  MakeFolders("Far Cry", "VelkSetup", localPlace.path());
  ASSERT_EQ(RunChecked().code, 0);
  const std::string localGame = fixture_.gameDir;

  testkit::TempFolder sharedPlace("share");
  MakeFolders("Far Cry", "VelkSetup", sharedPlace.path());
  testkit::LocalShare share("velk" + std::to_string(GetCurrentProcessId()), sharedPlace.path());
  fixture_.gameDir = share.root() + "\\Far Cry";
  const SetupRun run = RunFrom(share.root() + "\\VelkSetup");
  ASSERT_EQ(run.code, 0) << run.output;
  ExpectInstalled(fixture_.gameDir, stock_, levels_);
  // Each level archive holds what the level's work folder held, nothing of another folder.
  for (const std::string& level : levels_) {
    const std::string archive = "\\Levels\\" + level + "\\levelvelk.pak";
    EXPECT_EQ(testkit::ListArchiveFiles(fixture_.gameDir + archive),
              testkit::ListArchiveFiles(localGame + archive))
        << level;
  }
  const SetupRun back = RunFrom(share.root() + "\\VelkSetup", "/ACTION=uninstall");
  EXPECT_EQ(back.code, 0) << back.output;
  ExpectStockRestored(stock_, Game());
}

}  // namespace
}  // namespace velk::hardening
