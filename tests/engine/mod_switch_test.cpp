// Switching the mod off and on by the archives' names.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "wizard/memory_ui.h"
#include "engine/mod_switch.h"
#include "kit/test_kit.h"
#include "support/file_helpers.h"

namespace velk {
namespace {

class ModSwitch : public ::testing::Test {
 protected:
  // A level folder listed as installed, holding the given files (name -> content).
  std::string AddLevel(const std::string& name, const std::vector<std::string>& files) {
    const std::string path = root_.path() + "\\Levels\\" + name;
    EXPECT_TRUE(CreateFolders(path));
    testkit::WriteFile(path + "\\level.pak", "stock");
    for (const std::string& file : files) testkit::WriteFile(path + "\\" + file, name + " " + file);
    session_.InstalledLevels.push_back({name, path});
    return path;
  }
  bool Has(const std::string& folder, const std::string& file) { return FileExists(folder + "\\" + file); }

  void SetUp() override { session_.Request.gameDir = root_.path(); }

  testkit::TempFolder root_{"sw"};
  WizardSession session_;
  MemoryUi ui_;
};

TEST_F(ModSwitch, NeverFilledOrWithoutArchivesItIsOnAndNothingMoves) {
  EXPECT_FALSE(EnableMod(session_, ui_, false));
  EXPECT_FALSE(EnableMod(session_, ui_, true));
  AddLevel("Archive", {});
  const auto before = testkit::HashTree(root_.path());
  EXPECT_FALSE(EnableMod(session_, ui_, false));
  EXPECT_FALSE(EnableMod(session_, ui_, true));
  EXPECT_EQ(testkit::HashTree(root_.path()), before);
}

TEST_F(ModSwitch, TwoArchivesGoOffAndComeBack) {
  const std::string archive = AddLevel("Archive", {"levelvelk.pak"});
  const std::string boat = AddLevel("Boat", {"levelvelk.pak"});
  EXPECT_FALSE(EnableMod(session_, ui_, false));
  EXPECT_FALSE(EnableMod(session_, ui_, true));
  for (const std::string& level : {archive, boat}) {
    EXPECT_FALSE(Has(level, "levelvelk.pak"));
    EXPECT_TRUE(Has(level, "levelvelk.pak.dis"));
  }
  EXPECT_EQ(testkit::ReadFile(boat + "\\levelvelk.pak.dis"), "Boat levelvelk.pak");
  EXPECT_TRUE(EnableMod(session_, ui_, false));
  EXPECT_FALSE(EnableMod(session_, ui_, true));
  for (const std::string& level : {archive, boat}) {
    EXPECT_TRUE(Has(level, "levelvelk.pak"));
    EXPECT_FALSE(Has(level, "levelvelk.pak.dis"));
  }
  EXPECT_FALSE(EnableMod(session_, ui_, false));
}

TEST_F(ModSwitch, AMixedStateCountsAsOffAndSwitchesEverythingOn) {
  const std::string archive = AddLevel("Archive", {"levelvelk.pak.dis"});
  const std::string boat = AddLevel("Boat", {"levelvelk.pak"});
  const std::string dam = AddLevel("Dam", {});
  EXPECT_TRUE(EnableMod(session_, ui_, false));
  EXPECT_FALSE(EnableMod(session_, ui_, true));
  EXPECT_TRUE(Has(archive, "levelvelk.pak"));
  EXPECT_FALSE(Has(archive, "levelvelk.pak.dis"));
  EXPECT_EQ(testkit::ReadFile(boat + "\\levelvelk.pak"), "Boat levelvelk.pak");
  EXPECT_FALSE(Has(boat, "levelvelk.pak.dis"));
  EXPECT_FALSE(Has(dam, "levelvelk.pak"));
  EXPECT_FALSE(EnableMod(session_, ui_, false));
}

TEST_F(ModSwitch, AFolderHoldingBothNamesKeepsTheActiveArchive) {
  // An earlier version's repair made the archive anew beside a switched-off one.
  const std::string archive = AddLevel("Archive", {"levelvelk.pak", "levelvelk.pak.dis"});
  const std::string boat = AddLevel("Boat", {"levelvelk.pak.dis"});
  EXPECT_TRUE(EnableMod(session_, ui_, false));
  EXPECT_FALSE(EnableMod(session_, ui_, true));
  EXPECT_EQ(testkit::ReadFile(archive + "\\levelvelk.pak"), "Archive levelvelk.pak");
  EXPECT_FALSE(Has(archive, "levelvelk.pak.dis"));
  EXPECT_TRUE(Has(boat, "levelvelk.pak"));
  // Every level holds one state now, so the next switch turns all of them off.
  EXPECT_FALSE(EnableMod(session_, ui_, false));
  EXPECT_FALSE(EnableMod(session_, ui_, true));
  EXPECT_TRUE(Has(archive, "levelvelk.pak.dis") && Has(boat, "levelvelk.pak.dis"));
}

TEST_F(ModSwitch, RecordedLevelsOutsideTheInstalledListAreSwitchedToo) {
  const std::string archive = AddLevel("Archive", {"levelvelk.pak"});
  const std::string other = root_.path() + "\\Mods\\OtherMod\\Levels\\Volcano";
  testkit::WriteFile(other + "\\levelvelk.pak", "converted in another mod");
  session_.Record.AddLevel("Mods\\OtherMod\\Levels\\Volcano");
  EXPECT_FALSE(EnableMod(session_, ui_, true));
  EXPECT_TRUE(Has(archive, "levelvelk.pak.dis"));
  EXPECT_TRUE(Has(other, "levelvelk.pak.dis"));
  EXPECT_TRUE(EnableMod(session_, ui_, false));
}

}  // namespace
}  // namespace velk
