// From scanned files to level lists, on real folders.
#include "levels/level_discovery.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kit/test_kit.h"
#include "support/file_helpers.h"

namespace velk {
namespace {

using testkit::TempFolder;
using testkit::WriteFile;

std::vector<std::string> Names(const std::vector<LevelEntry>& levels) {
  std::vector<std::string> names;
  for (const LevelEntry& level : levels) names.push_back(level.Name);
  return names;
}

using Names_t = std::vector<std::string>;

FileEntry Record(const std::string& folder, const std::string& name) {
  return {folder, name, folder + name};
}

TEST(BuildLevelList, OneEntryPerFolderInScanOrder) {
  const std::vector<FileEntry> files = {
      Record("C:\\G\\Levels\\Boat\\", "a.pak"), Record("C:\\G\\Levels\\Boat\\", "b.pak"),
      Record("C:\\G\\Levels\\Archive\\", "level.pak"), Record("C:\\G\\Mods\\X\\", "x.pak"),
      Record("C:\\G\\Mods\\X\\Levels\\Dam\\", "d.pak")};
  const std::vector<LevelEntry> all = BuildLevelList(files);
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(all[0].Name, "Boat");
  EXPECT_EQ(all[0].Path, "C:\\G\\Levels\\Boat");
  EXPECT_EQ(all[2].Name, "X");
  EXPECT_EQ(all[2].Path, "C:\\G\\Mods\\X");
  const std::vector<LevelEntry> filtered = BuildLevelList(files, "Levels");
  EXPECT_EQ(Names(filtered), (Names_t{"Boat", "Archive", "Dam"}));
  EXPECT_EQ(filtered[2].Path, "C:\\G\\Mods\\X\\Levels\\Dam");
  EXPECT_TRUE(BuildLevelList({}).empty());
  EXPECT_TRUE(BuildLevelList(files, "levels").empty());  // the filter minds letter case
}

class LevelDiscoveryTest : public ::testing::Test {
 protected:
  TempFolder root_{"lvl"};
  std::string game_ = root_.path() + "\\Far Cry";
  std::string app_ = root_.path() + "\\VelkSetup";

  void Put(const std::string& relative) { WriteFile(game_ + "\\" + relative, "x"); }
  void PutPayload(const std::string& relative) { WriteFile(app_ + "\\temp\\" + relative, "x"); }
  std::vector<LevelEntry> Installed() {
    std::vector<LevelEntry> levels;
    GetInstLevels(game_, levels);
    return levels;
  }
  std::vector<LevelEntry> Available() {
    std::vector<LevelEntry> levels;
    GetAvailableLevels(app_, levels);
    return levels;
  }
};

TEST_F(LevelDiscoveryTest, StockLevelsWithTheirPaths) {
  Put("Levels\\Archive\\level.pak");
  Put("Levels\\Boat\\level.pak");
  Put("Levels\\Boat\\Boat.lua");
  const std::vector<LevelEntry> levels = Installed();
  ASSERT_EQ(Names(levels), (Names_t{"Archive", "Boat"}));
  EXPECT_EQ(levels[0].Path, game_ + "\\Levels\\Archive");
  EXPECT_EQ(levels[1].Path, game_ + "\\Levels\\Boat");
}

TEST_F(LevelDiscoveryTest, SeveralArchivesInOneFolderGiveOneEntry) {
  Put("Levels\\Dam\\level.pak");
  Put("Levels\\Dam\\levelvelk.pak");
  Put("Levels\\Dam\\extra.pak");
  EXPECT_EQ(Names(Installed()), (Names_t{"Dam"}));
}

TEST_F(LevelDiscoveryTest, ModLevelsComeAfterTheGameLevels) {
  Put("Mods\\VELK_Av8\\Levels\\Archive\\level.pak");
  Put("Levels\\Archive\\level.pak");
  Put("Levels\\Boat\\level.pak");
  const std::vector<LevelEntry> levels = Installed();
  ASSERT_EQ(Names(levels), (Names_t{"Archive", "Boat", "Archive"}));
  EXPECT_EQ(levels[2].Path, game_ + "\\Mods\\VELK_Av8\\Levels\\Archive");
}

TEST_F(LevelDiscoveryTest, ModArchivesOutsideALevelsFolderDoNotCount) {
  Put("Levels\\Boat\\level.pak");
  Put("Mods\\VELK_Av8\\Objects\\objects.pak");
  Put("Mods\\Other\\levels\\Dam\\level.pak");  // lower-case "levels"
  Put("Mods\\Other\\Levels\\Pier\\notes.txt");  // not an archive
  EXPECT_EQ(Names(Installed()), (Names_t{"Boat"}));
}

TEST_F(LevelDiscoveryTest, AnArchiveDirectlyInLevelsGivesAnEntryNamedLevels) {
  Put("Levels\\Boat\\level.pak");
  Put("Levels\\loose.pak");
  const std::vector<LevelEntry> levels = Installed();
  ASSERT_EQ(Names(levels), (Names_t{"Levels", "Boat"}));
  EXPECT_EQ(levels[0].Path, game_ + "\\Levels");
}

TEST_F(LevelDiscoveryTest, AScanThatFindsNothingKeepsTheList) {
  std::vector<LevelEntry> levels = {{"Archive", "C:\\old\\Levels\\Archive"}};
  GetInstLevels(game_, levels);  // no game folder at all
  EXPECT_EQ(Names(levels), (Names_t{"Archive"}));
  Put("Mods\\Other\\other.pak");  // found, but filtered out
  GetInstLevels(game_, levels);
  EXPECT_EQ(Names(levels), (Names_t{"Archive"}));
  Put("Levels\\Boat\\level.pak");
  GetInstLevels(game_, levels);
  EXPECT_EQ(Names(levels), (Names_t{"Boat"}));

  std::vector<LevelEntry> available = {{"Dam", "C:\\old\\temp\\Dam"}};
  GetAvailableLevels(app_, available);
  EXPECT_EQ(Names(available), (Names_t{"Dam"}));
}

TEST_F(LevelDiscoveryTest, ScanningLetsTheWindowWork) {
  Put("Levels\\Boat\\level.pak");
  int calls = 0;
  std::vector<LevelEntry> levels;
  GetInstLevels(game_, levels, [&calls] { ++calls; });
  EXPECT_EQ(Names(levels), (Names_t{"Boat"}));
  EXPECT_GT(calls, 0);
}

TEST_F(LevelDiscoveryTest, PayloadLevelsAreFoldersHoldingAnyFile) {
  PutPayload("Archive\\Archive.lua");
  PutPayload("Archive\\mission_velk.xml");
  PutPayload("Group\\Boat\\Boat.lua");  // Group itself holds only a sub-folder
  PutPayload("Group\\Dam\\readme");
  const std::vector<LevelEntry> levels = Available();
  ASSERT_EQ(Names(levels), (Names_t{"Archive", "Boat", "Dam"}));
  EXPECT_EQ(levels[1].Path, app_ + "\\temp\\Group\\Boat");
}

TEST_F(LevelDiscoveryTest, OnlyInstalledPayloadLevelsAreOfferedWithExactNames) {
  Put("Levels\\Archive\\level.pak");
  Put("Levels\\Boat\\level.pak");
  Put("Levels\\Dam\\level.pak");
  PutPayload("archive\\Archive.lua");  // differs only in letter case
  PutPayload("Dam\\Dam.lua");
  PutPayload("Volcano\\Volcano.lua");  // not installed
  PutPayload("Boat\\Boat.lua");
  EXPECT_EQ(OfferedLevels(Available(), Installed()), (Names_t{"Boat", "Dam"}));
  EXPECT_TRUE(OfferedLevels(Available(), {}).empty());
}

TEST(OfferedLevels, DuplicatesFollowTheAvailableList) {
  const std::vector<LevelEntry> installed = {{"Archive", "a"}, {"Archive", "b"}};
  const std::vector<LevelEntry> available = {{"Archive", "x"}, {"Boat", "y"}, {"Archive", "z"}};
  EXPECT_EQ(OfferedLevels(available, installed), (Names_t{"Archive", "Archive"}));
}

}  // namespace
}  // namespace velk
