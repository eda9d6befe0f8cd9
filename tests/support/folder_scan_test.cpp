#include "support/folder_scan.h"

#include <algorithm>
#include <set>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "kit/test_kit.h"
#include "support/file_helpers.h"

namespace velk {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;
using testkit::TempFolder;
using testkit::WriteFile;

// root\ a.pak b.pak notes.txt README
//       sub1\ c.pak  sub1\deep\ d.pak
//       sub2\ x.txt  sub2\inner\ e.pak
//       old.pak\ f.pak          (a folder whose name matches the pattern)
//       empty\ (no files)
class FolderScanTree : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = folder_.path() + "\\Spiele Zürich 100% & Ölfass's";
    for (const char* file : {"a.pak", "b.pak", "notes.txt", "README", "sub1\\c.pak",
                             "sub1\\deep\\d.pak", "sub2\\x.txt", "sub2\\inner\\e.pak",
                             "old.pak\\f.pak"})
      WriteFile(root_ + "\\" + file, file);
    ASSERT_TRUE(CreateFolders(root_ + "\\empty"));
  }

  static std::vector<std::string> Relative(const std::vector<FileEntry>& files,
                                           const std::string& base) {
    std::vector<std::string> names;
    for (const FileEntry& entry : files) names.push_back(entry.FullName.substr(base.size() + 1));
    return names;
  }

  // Depth first with files first: the records below any folder are one consecutive run,
  // and the folder's own files open that run.
  static void ExpectDepthFirstFilesFirst(const std::vector<FileEntry>& files) {
    std::set<std::string> folders;
    for (const FileEntry& entry : files)
      for (size_t cut = entry.Path.find('\\'); cut != std::string::npos;
           cut = entry.Path.find('\\', cut + 1))
        folders.insert(entry.Path.substr(0, cut + 1));
    for (const std::string& folder : folders) {
      std::vector<size_t> below;
      for (size_t i = 0; i < files.size(); ++i)
        if (files[i].Path.starts_with(folder)) below.push_back(i);
      ASSERT_FALSE(below.empty());
      EXPECT_EQ(below.back() - below.front() + 1, below.size()) << "not consecutive: " << folder;
      bool ownFiles = true;
      for (size_t i : below) {
        if (files[i].Path != folder) ownFiles = false;
        else EXPECT_TRUE(ownFiles) << files[i].FullName << " after a sub-folder's file";
      }
    }
  }

  TempFolder folder_{"scan"};
  std::string root_;
};

TEST_F(FolderScanTree, RecursivePatternFindsEachMatchOnceDepthFirst) {
  std::vector<FileEntry> files;
  FindFiles(root_, true, "*.pak", files);
  EXPECT_THAT(Relative(files, root_),
              UnorderedElementsAre("a.pak", "b.pak", "sub1\\c.pak", "sub1\\deep\\d.pak",
                                   "sub2\\inner\\e.pak", "old.pak\\f.pak"));
  ExpectDepthFirstFilesFirst(files);
  // The top folder's files come first.
  ASSERT_EQ(files.size(), 6u);
  EXPECT_EQ(files[0].Path, root_ + "\\");
  EXPECT_EQ(files[1].Path, root_ + "\\");
  for (const FileEntry& entry : files) {
    EXPECT_EQ(entry.FullName, entry.Path + entry.Name);
    EXPECT_EQ(entry.Path.back(), '\\');
    EXPECT_EQ(entry.Name.find('\\'), std::string::npos);
  }
}

TEST_F(FolderScanTree, AllNamesPatternSeesEveryFileAndFolderInOnePass) {
  std::vector<FileEntry> files;
  FindFiles(root_, true, "*.*", files);
  EXPECT_THAT(Relative(files, root_),
              UnorderedElementsAre("a.pak", "b.pak", "notes.txt", "README", "sub1\\c.pak",
                                   "sub1\\deep\\d.pak", "sub2\\x.txt", "sub2\\inner\\e.pak",
                                   "old.pak\\f.pak"));
  ExpectDepthFirstFilesFirst(files);
}

TEST_F(FolderScanTree, NotRecursiveStaysInTheFolder) {
  std::vector<FileEntry> files;
  FindFiles(root_, false, "*.pak", files);
  EXPECT_THAT(Relative(files, root_), UnorderedElementsAre("a.pak", "b.pak"));
  files.clear();
  FindFiles(root_ + "\\sub2", false, "*.pak", files);
  EXPECT_TRUE(files.empty());
}

TEST_F(FolderScanTree, FolderWithoutMatchesStillSearchesItsSubFolders) {
  std::vector<FileEntry> files;
  FindFiles(root_ + "\\sub2", true, "*.pak", files);
  EXPECT_THAT(Relative(files, root_), ElementsAre("sub2\\inner\\e.pak"));
  files.clear();
  FindFiles(root_, true, "*.lua", files);
  EXPECT_TRUE(files.empty());
}

TEST_F(FolderScanTree, AppendsToTheCallersList) {
  std::vector<FileEntry> files(1);
  files[0].Name = "kept";
  FindFiles(root_ + "\\sub1", true, "*.pak", files);
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[0].Name, "kept");
  EXPECT_EQ(files[1].FullName, root_ + "\\sub1\\c.pak");
  EXPECT_EQ(files[2].FullName, root_ + "\\sub1\\deep\\d.pak");
}

TEST_F(FolderScanTree, MissingFolderAddsNothing) {
  std::vector<FileEntry> files(2);
  FindFiles(root_ + "\\missing", true, "*.pak", files);
  FindFiles(root_ + "\\a.pak", true, "*.*", files);  // a file is no folder either
  FindFiles(root_ + "\\empty", true, "*.*", files);
  EXPECT_EQ(files.size(), 2u);
}

TEST_F(FolderScanTree, TrailingBackslashes) {
  std::vector<FileEntry> files;
  FindFiles(root_ + "\\sub1\\", false, "*.pak", files);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].Path, root_ + "\\sub1\\");
  EXPECT_EQ(files[0].FullName, root_ + "\\sub1\\c.pak");

  // Only one is removed: the search text and the records keep a double backslash.
  files.clear();
  FindFiles(root_ + "\\sub1\\\\", false, "*.pak", files);
  ASSERT_EQ(files.size(), 1u);
  for (const FileEntry& entry : files) {
    EXPECT_EQ(entry.Path, root_ + "\\sub1\\\\");
    EXPECT_EQ(entry.FullName, root_ + "\\sub1\\\\c.pak");
  }
}

TEST_F(FolderScanTree, PendingEventsRunBeforeEveryRecord) {
  std::vector<FileEntry> files;
  std::vector<size_t> sizesSeen;
  FindFiles(root_, true, "*.pak", files, [&] { sizesSeen.push_back(files.size()); });
  ASSERT_EQ(files.size(), 6u);
  for (size_t i = 0; i < files.size(); ++i)
    EXPECT_NE(std::find(sizesSeen.begin(), sizesSeen.end(), i), sizesSeen.end()) << i;
  EXPECT_EQ(sizesSeen.front(), 0u);

  // One folder, two matching files and the matching folder old.pak: once at the start, once
  // before each record and once after each of the three entries.
  std::vector<FileEntry> flat;
  int calls = 0;
  FindFiles(root_, false, "*.pak", flat, [&] { ++calls; });
  EXPECT_EQ(flat.size(), 2u);
  EXPECT_EQ(calls, 1 + 2 + 3);

  // An empty hook is allowed.
  std::vector<FileEntry> quiet;
  FindFiles(root_, true, "*.pak", quiet, {});
  EXPECT_EQ(quiet.size(), 6u);
}

TEST(FillFileEntry, NameToTheFirstNulPathToTheLastBackslash) {
  FileEntry entry;
  FillFileEntry(entry, std::string("level.pak\0junk", 14), "D:\\Games\\Far Cry\\Levels\\*.pak");
  EXPECT_EQ(entry.Name, "level.pak");
  EXPECT_EQ(entry.Path, "D:\\Games\\Far Cry\\Levels\\");
  EXPECT_EQ(entry.FullName, "D:\\Games\\Far Cry\\Levels\\level.pak");

  FillFileEntry(entry, "Zürich.lua", "*.lua");
  EXPECT_EQ(entry.Path, "");
  EXPECT_EQ(entry.FullName, "Zürich.lua");
}

}  // namespace
}  // namespace velk
