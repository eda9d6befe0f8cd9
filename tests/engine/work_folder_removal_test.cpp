// Reading the archiver's listing of the map payload, and taking back exactly its entries from
// the work folder.
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/work_folder_removal.h"
#include "kit/test_kit.h"
#include "support/file_helpers.h"

namespace velk {
namespace {

const char kListing[] =
    "7-Zip (a) 21.07 (x64)\r\n\r\nListing archive: mapfiles.7z\r\n\r\n--\r\n"
    "Path = mapfiles.7z\r\nType = 7z\r\nPhysical Size = 204\r\n\r\n----------\r\n"
    "Path = Temp\r\nSize = 0\r\nAttributes = D\r\n\r\n"
    "Path = Temp\\Archive\r\nSize = 0\r\nAttributes = D -rwxr-xr-x\r\n\r\n"
    "Path = Temp\\Archive\\Archive.lua\r\nSize = 2\r\nAttributes = A\r\n\r\n"
    "Path = Temp\\Boat\\x = y.txt\r\nFolder = -\r\n\r\n"
    "Path = Temp\\Dam\r\nFolder = +\r\n";

TEST(ArchiveListing, EntriesFollowTheArchivesOwnBlock) {
  const std::optional<std::vector<ArchiveEntry>> entries = ParseArchiveListing(kListing);
  ASSERT_TRUE(entries);
  const std::vector<std::pair<std::string, bool>> expected = {
      {"Temp", true}, {"Temp\\Archive", true}, {"Temp\\Archive\\Archive.lua", false},
      {"Temp\\Boat\\x = y.txt", false}, {"Temp\\Dam", true}};
  ASSERT_EQ(entries->size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ((*entries)[i].path, expected[i].first);
    EXPECT_EQ((*entries)[i].folder, expected[i].second) << expected[i].first;
  }
}

TEST(ArchiveListing, OutputOfAFailedRunIsNoListing) {
  for (const char* output : {"", "<ERROR>", "ERROR: mapfiles.7z\r\nCan not open the file as archive\r\n",
                             "Path = Temp\\Archive\\Archive.lua\r\n"})
    EXPECT_FALSE(ParseArchiveListing(output)) << output;
}

class UnpackedEntries : public ::testing::Test {
 protected:
  std::string At(const std::string& relative) const { return temp_.path() + "\\" + relative; }
  testkit::TempFolder temp_{"unpacked"};
};

TEST_F(UnpackedEntries, OnlyTheListedEntriesBelowTheWorkFolderGo) {
  const std::vector<std::string> ours = {"Temp\\Archive\\Archive.lua", "Temp\\Archive\\sub\\m.xml",
                                         "Temp\\Boat\\Boat.lua"};
  const std::vector<std::string> theirs = {"Temp\\precious.txt", "Temp\\Notes\\note.txt",
                                           "outside.txt", "modfiles.7z", "Temp\\Boat\\mine.txt"};
  for (const std::string& name : ours) testkit::WriteFile(At(name), "ours");
  for (const std::string& name : theirs) testkit::WriteFile(At(name), "theirs");
  std::vector<ArchiveEntry> entries = {{"Temp", true}, {"Temp\\Archive", true}, {"Temp\\Boat", true},
                                       {"Temp\\Notes", false},  // a file in the archive, a folder here
                                       {"Temp\\..\\outside.txt", false}, {"modfiles.7z", false},
                                       {"Temp\\Missing.lua", false}};
  for (const std::string& name : ours) entries.push_back({name, false});

  const std::vector<std::string> stayed = RemoveUnpackedEntries(temp_.path(), entries);
  for (const std::string& name : ours) EXPECT_FALSE(testkit::Exists(At(name))) << name;
  EXPECT_FALSE(testkit::Exists(At("Temp\\Archive")));
  for (const std::string& name : theirs) EXPECT_TRUE(testkit::Exists(At(name))) << name;
  // The work folder is the caller's; the level folder a user's file keeps, and the folder
  // where the archive has a file, are told.
  EXPECT_TRUE(testkit::Exists(At("Temp")));
  EXPECT_EQ(stayed, (std::vector<std::string>{At("Temp\\Notes"), At("Temp\\Boat")}));
}

TEST_F(UnpackedEntries, NoWorkFolderNothingToDo) {
  testkit::WriteFile(At("keep.txt"), "x");
  EXPECT_TRUE(RemoveUnpackedEntries(temp_.path(), {{"Temp\\Archive\\a.lua", false}, {"keep.txt", false}}).empty());
  EXPECT_TRUE(testkit::Exists(At("keep.txt")));
}

}  // namespace
}  // namespace velk
