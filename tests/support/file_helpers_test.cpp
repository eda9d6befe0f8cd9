#include "support/file_helpers.h"

#include <windows.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <stdexcept>

#include <gtest/gtest.h>

#include "kit/test_kit.h"
#include "support/text_codec.h"

namespace velk {
namespace {

using testkit::Exists;
using testkit::ReadFile;
using testkit::TempFolder;
using testkit::WriteFile;

// A folder name that needs every conversion to be right.
constexpr const char* kOdd = "Zürich 100% & Ölfass's";

TEST(FileExists, TrueOnlyForFiles) {
  TempFolder root("fe");
  const std::string folder = root.path() + "\\" + kOdd;
  const std::string file = folder + "\\a b.txt";
  WriteFile(file, "x");

  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(folder));
  EXPECT_FALSE(FileExists(folder + "\\"));
  EXPECT_FALSE(FileExists(file + "\\"));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists(folder + "\\missing.txt"));
  EXPECT_FALSE(FileExists(folder + "\\missing\\a b.txt"));
  EXPECT_FALSE(FileExists(folder + "\\bad<name>|.txt"));
}

TEST(FileExists, HiddenSystemAndReadOnlyFilesCount) {
  TempFolder root("fe");
  for (DWORD attribute : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM, FILE_ATTRIBUTE_READONLY}) {
    const std::string file = root.path() + "\\f" + std::to_string(attribute);
    WriteFile(file, "x");
    ASSERT_TRUE(SetAttributes(file, attribute));
    EXPECT_EQ(GetAttributes(file) & attribute, attribute);
    EXPECT_TRUE(FileExists(file)) << attribute;
  }
}

TEST(FolderExists, TrueOnlyForFolders) {
  TempFolder root("fo");
  const std::string folder = root.path() + "\\" + kOdd;
  const std::string file = folder + "\\f.txt";
  WriteFile(file, "x");

  EXPECT_TRUE(FolderExists(folder));
  EXPECT_TRUE(FolderExists(folder + "\\"));
  EXPECT_FALSE(FolderExists(file));
  EXPECT_FALSE(FolderExists(folder + "\\missing"));
  EXPECT_FALSE(FolderExists(""));
  for (const std::string& path : {folder, file, folder + "\\missing"})
    EXPECT_FALSE(FileExists(path) && FolderExists(path)) << path;
}

TEST(RenameFile, NewLeafNameInTheSameFolder) {
  TempFolder root("rn");
  const std::string folder = root.path() + "\\" + kOdd;
  WriteFile(folder + "\\b.txt", "content");

  EXPECT_TRUE(RenameFile(folder + "\\b.txt", "c.txt"));
  EXPECT_FALSE(Exists(folder + "\\b.txt"));
  EXPECT_EQ(ReadFile(folder + "\\c.txt"), "content");

  // A second call finds nothing to rename and changes nothing.
  EXPECT_FALSE(RenameFile(folder + "\\b.txt", "c.txt"));
  EXPECT_EQ(ReadFile(folder + "\\c.txt"), "content");
  EXPECT_EQ(testkit::ListTree(folder), std::vector<std::string>{"c.txt"});
}

TEST(RenameFile, ExistingTargetLeavesBothFiles) {
  TempFolder root("rn");
  WriteFile(root.path() + "\\hideArchive.bai", "stock");
  WriteFile(root.path() + "\\hidevelk.bai", "older");
  EXPECT_FALSE(RenameFile(root.path() + "\\hideArchive.bai", "hidevelk.bai"));
  EXPECT_EQ(ReadFile(root.path() + "\\hideArchive.bai"), "stock");
  EXPECT_EQ(ReadFile(root.path() + "\\hidevelk.bai"), "older");
}

TEST(RenameFile, FileInUseStaysAsItWas) {
  TempFolder root("rn");
  const std::string file = root.path() + "\\levelvelk.pak";
  WriteFile(file, "pak");
  {
    // Opened without delete sharing, as a running game holds its archives.
    HANDLE held = CreateFileW(Widen(file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(RenameFile(file, "levelvelk.pak.dis"));
    CloseHandle(held);
  }
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(Exists(file + ".dis"));
  EXPECT_TRUE(RenameFile(file, "levelvelk.pak.dis"));
  EXPECT_EQ(ReadFile(file + ".dis"), "pak");
}

TEST(KillDir, RemovesOnlyEmptyFolders) {
  TempFolder root("kd");
  const std::string empty = root.path() + "\\" + kOdd;
  ASSERT_TRUE(CreateFolders(empty));
  KillDir(empty);
  EXPECT_FALSE(Exists(empty));

  const std::string full = root.path() + "\\Temp";
  WriteFile(full + "\\Archive\\mission_velk.xml", "x");
  KillDir(full + "\\Archive");
  KillDir(full);
  EXPECT_TRUE(FolderExists(full + "\\Archive"));
  EXPECT_EQ(ReadFile(full + "\\Archive\\mission_velk.xml"), "x");

  KillDir(root.path() + "\\missing");  // no effect, no failure
  KillDir("");
  EXPECT_TRUE(FolderExists(root.path()));
}

TEST(RemoveFolderTree, RemovesContentIncludingReadOnlyEntries) {
  TempFolder root("rt");
  const std::string tree = root.path() + "\\" + kOdd;
  WriteFile(tree + "\\a.txt", "a");
  WriteFile(tree + "\\sub\\deeper\\b.txt", "b");
  WriteFile(tree + "\\sub\\c.txt", "c");
  ASSERT_TRUE(SetAttributes(tree + "\\sub\\deeper\\b.txt", FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(SetAttributes(tree + "\\a.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(SetAttributes(tree + "\\sub", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));

  EXPECT_TRUE(RemoveFolderTree(tree + "\\"));
  EXPECT_FALSE(Exists(tree));
  EXPECT_TRUE(RemoveFolderTree(tree));  // already gone
  EXPECT_FALSE(RemoveFolderTree(""));
  EXPECT_TRUE(FolderExists(root.path()));
}

TEST(TxtReadAll, DecodesOrdinaryFilesFromAnsi) {
  TempFolder root("rd");
  const std::string file = root.path() + "\\" + kOdd + ".txt";
  WriteFile(file, "Z\xFCrich\r\nStra\xDF" "e\n\xA7");
  EXPECT_EQ(txt_ReadAll(file), "Zürich\r\nStraße\n§");

  ASSERT_TRUE(SetAttributes(file, FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(txt_ReadAll(file), "Zürich\r\nStraße\n§");
}

TEST(TxtReadAll, EmptyForMissingEmptyHiddenAndSystemFiles) {
  TempFolder root("rd");
  EXPECT_EQ(txt_ReadAll(root.path() + "\\missing.txt"), "");
  EXPECT_EQ(txt_ReadAll(""), "");
  EXPECT_EQ(txt_ReadAll(root.path()), "");  // a folder is not an ordinary file

  WriteFile(root.path() + "\\empty.txt", "");
  EXPECT_EQ(txt_ReadAll(root.path() + "\\empty.txt"), "");

  for (DWORD attribute : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
    const std::string file = root.path() + "\\a" + std::to_string(attribute) + ".txt";
    WriteFile(file, "secret");
    ASSERT_TRUE(SetAttributes(file, attribute));
    EXPECT_EQ(txt_ReadAll(file), "") << attribute;
    ASSERT_TRUE(SetAttributes(file, FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(txt_ReadAll(file), "secret");
  }
}

TEST(FileBytes, WriteReplacesAndReadGivesTheExactBytes) {
  TempFolder root("fb");
  const std::string file = root.path() + "\\" + kOdd + ".bin";
  const std::string bytes("a\0b\r\n\xFF", 6);
  EXPECT_TRUE(WriteFileBytes(file, "a much longer first content"));
  EXPECT_TRUE(WriteFileBytes(file, bytes));
  std::string read;
  EXPECT_TRUE(ReadFileBytes(file, read));
  EXPECT_EQ(read, bytes);

  EXPECT_TRUE(WriteFileBytes(file, ""));
  EXPECT_TRUE(ReadFileBytes(file, read));
  EXPECT_EQ(read, "");

  read = "stale";
  EXPECT_FALSE(ReadFileBytes(root.path() + "\\missing", read));
  EXPECT_EQ(read, "");
  EXPECT_FALSE(WriteFileBytes(root.path() + "\\missing\\f.bin", "x"));
  EXPECT_FALSE(WriteFileBytes("", "x"));
}

TEST(DeleteFileAt, TrueWhenTheFileIsGone) {
  TempFolder root("df");
  const std::string file = root.path() + "\\" + kOdd + ".lnk";
  WriteFile(file, "x");
  EXPECT_TRUE(DeleteFileAt(file));
  EXPECT_FALSE(Exists(file));
  EXPECT_TRUE(DeleteFileAt(file));  // never there is gone as well

  WriteFile(file, "x");
  HANDLE held = CreateFileW(Widen(file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(DeleteFileAt(file));
  CloseHandle(held);
  EXPECT_TRUE(FileExists(file));
}

TEST(CopyFileOver, ReplacesAnExistingFile) {
  TempFolder root("cf");
  const std::string from = root.path() + "\\" + kOdd + "\\levelvelk.pak";
  const std::string to = root.path() + "\\Levels\\Archive\\levelvelk.pak";
  WriteFile(from, "new archive");
  WriteFile(to, "old archive, longer than the new one");
  EXPECT_TRUE(CopyFileOver(from, to));
  EXPECT_EQ(ReadFile(to), "new archive");
  EXPECT_EQ(ReadFile(from), "new archive");
  EXPECT_FALSE(CopyFileOver(root.path() + "\\missing", to));
  EXPECT_EQ(ReadFile(to), "new archive");
}

TEST(CreateFolders, MakesMissingParents) {
  TempFolder root("cd");
  const std::string deep = root.path() + "\\" + kOdd + "\\Mods\\VELK_Av8";
  EXPECT_TRUE(CreateFolders(deep));
  EXPECT_TRUE(FolderExists(deep));
  EXPECT_TRUE(CreateFolders(deep + "\\"));  // already there
  WriteFile(root.path() + "\\file", "x");
  EXPECT_FALSE(CreateFolders(root.path() + "\\file"));
  EXPECT_FALSE(CreateFolders(root.path() + "\\file\\below"));
  EXPECT_FALSE(CreateFolders(""));
}

TEST(Attributes, MissingPathAndRoundTrip) {
  TempFolder root("at");
  EXPECT_EQ(GetAttributes(root.path() + "\\missing"), 0xFFFFFFFFu);
  EXPECT_EQ(GetAttributes(""), 0xFFFFFFFFu);
  EXPECT_NE(GetAttributes(root.path()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  const std::string file = root.path() + "\\f";
  WriteFile(file, "x");
  EXPECT_TRUE(SetAttributes(file, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(GetAttributes(file) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY),
            static_cast<std::uint32_t>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(SetAttributes(root.path() + "\\missing", FILE_ATTRIBUTE_NORMAL));
}

TEST(Zufall, FormulaAtTheEndsOfTheDraw) {
  const float belowOne = std::nextafter(1.0f, 0.0f);
  // The picture changer's call: the first argument is the upper bound, here the smaller one.
  EXPECT_EQ(ZufallWith(0.0f, 0, 7), 7);
  EXPECT_EQ(ZufallWith(belowOne, 0, 7), 0);
  EXPECT_EQ(ZufallWith(0.5f, 0, 7), 3);  // floor(-3.5) + 7
  EXPECT_EQ(ZufallWith(0.0f, 10, 1), 1);
  EXPECT_EQ(ZufallWith(belowOne, 10, 1), 9);
  EXPECT_EQ(ZufallWith(0.5f, 10, 1), 5);
  EXPECT_EQ(ZufallWith(belowOne, 5, 5), 5);
  EXPECT_EQ(ZufallWith(belowOne, std::numeric_limits<std::int32_t>::max(), 0),
            std::numeric_limits<std::int32_t>::max() - 128);  // single precision r
}

TEST(Zufall, DrawsStayInTheirRanges) {
  std::set<std::int32_t> seen;
  for (int i = 0; i < 400; ++i) {
    const std::int32_t picture = Zufall(0, 7);
    // 7 needs a draw of exactly 0: one chance in 2^24.
    EXPECT_GE(picture, 0);
    EXPECT_LE(picture, 7);
    seen.insert(picture);
    const std::int32_t value = Zufall(10, 1);
    EXPECT_GE(value, 1);
    EXPECT_LE(value, 9);
    EXPECT_EQ(Zufall(5, 5), 5);
    EXPECT_EQ(Zufall(-3, -3), -3);
  }
  // Reseeded from the clock on every call, the draws still spread over the range.
  EXPECT_GE(seen.size(), 4u);
}

TEST(Zufall, DifferenceOutside32BitsThrows) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  EXPECT_THROW(Zufall(kMax, -1), std::overflow_error);
  EXPECT_THROW(Zufall(kMin, 1), std::overflow_error);
  EXPECT_THROW(Zufall(kMax, kMin), std::overflow_error);
  EXPECT_NO_THROW(Zufall(kMax, 0));
  EXPECT_NO_THROW(Zufall(kMin, 0));
  EXPECT_NO_THROW(Zufall(kMin, -1));
}

}  // namespace
}  // namespace velk
