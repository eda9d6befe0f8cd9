#include "support/shell.h"

#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

#include "kit/link_file.h"
#include "kit/test_kit.h"
#include "support/file_helpers.h"
#include "support/text_codec.h"
#include "support/win_handles.h"

#include <shlobj.h>

namespace velk {
namespace {

using testkit::TempFolder;

using testkit::LinkFields;
using testkit::ReadLink;

constexpr std::uint32_t kHasWorkingDir = 0x10;
constexpr std::uint32_t kHasArguments = 0x20;

class Shortcut : public ::testing::Test {
 protected:
  void SetUp() override {
    GameOptions options;
    options.folderName = "Spiele Zürich 100% & Ölfass's Far Cry";
    options.levels = {};
    gameDir_ = testkit::MakeGameFolder(root_.path(), options);
    target_ = gameDir_ + "\\Bin32\\FarCry.exe";
    desktop_ = root_.path() + "\\Desktop";
    ASSERT_TRUE(CreateFolders(desktop_));
    link_ = desktop_ + "\\Far Cry VELK.lnk";
  }
  using GameOptions = testkit::GameOptions;
  TempFolder root_{"lnk"};
  std::string gameDir_, target_, desktop_, link_;
};

TEST_F(Shortcut, WritesTheInstallRunsFields) {
  ASSERT_TRUE(CreateShortcut(link_, target_, gameDir_ + "\\Bin32", "-Mod:VELK_Av8", target_, 1,
                             kShowCmdShow));
  ASSERT_TRUE(FileExists(link_));
  const std::string bytes = testkit::ReadFile(link_);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x4C\0\0\0", 4));  // shell link header size

  const LinkFields fields = ReadLink(link_);
  EXPECT_EQ(fields.target, target_);
  EXPECT_EQ(fields.workDir, gameDir_ + "\\Bin32");
  EXPECT_EQ(fields.arguments, "-Mod:VELK_Av8");
  EXPECT_EQ(fields.iconFile, target_);
  EXPECT_EQ(fields.iconIndex, 1);
  EXPECT_EQ(fields.description, "");
  EXPECT_EQ(fields.showCmd, 5u);
}

TEST_F(Shortcut, OverwritesAnExistingLink) {
  ASSERT_TRUE(CreateShortcut(link_, target_, gameDir_ + "\\Bin32", "-Mod:VELK_Av7", target_, 0, 3));
  ASSERT_TRUE(CreateShortcut(link_, target_, gameDir_, "-Mod:VELK_Av8", target_, 1, kShowCmdShow));
  const LinkFields fields = ReadLink(link_);
  EXPECT_EQ(fields.arguments, "-Mod:VELK_Av8");
  EXPECT_EQ(fields.workDir, gameDir_);
  EXPECT_EQ(fields.iconIndex, 1);
  EXPECT_EQ(fields.showCmd, 5u);
}

TEST_F(Shortcut, FailedSaveLeavesTheOldLink) {
  ASSERT_TRUE(CreateShortcut(link_, target_, "", "-Mod:VELK_Av7", "", 0, kShowCmdShow));
  const std::string before = testkit::ReadFile(link_);
  {
    // Held open without sharing, the link file cannot be written.
    UniqueFile held(CreateFileW(Widen(link_).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_FALSE(CreateShortcut(link_, target_, "", "-Mod:VELK_Av8", "", 0, kShowCmdShow));
  }
  EXPECT_EQ(testkit::ReadFile(link_), before);
}

TEST_F(Shortcut, EmptyFieldsStayUnset) {
  ASSERT_TRUE(CreateShortcut(link_, target_, "", "", "", 3, 1));
  const LinkFields fields = ReadLink(link_);
  EXPECT_EQ(fields.target, target_);
  EXPECT_EQ(fields.workDir, "");
  EXPECT_EQ(fields.arguments, "");
  EXPECT_EQ(fields.description, "");
  EXPECT_EQ(fields.linkFlags & (kHasWorkingDir | kHasArguments), 0u);
  // Without an icon file the index given is not used. (Wine's Resolve names the target itself
  // as the icon, with index 0, when none is set.)
  EXPECT_EQ(fields.iconIndex, 0);
  EXPECT_TRUE(fields.iconFile.empty() || fields.iconFile == target_) << fields.iconFile;
  EXPECT_EQ(fields.showCmd, 1u);
}

TEST_F(Shortcut, NothingWithoutLinkFileOrTargetOrWritableFolder) {
  EXPECT_FALSE(CreateShortcut("", target_, "", "", "", 0, 5));
  EXPECT_FALSE(CreateShortcut(link_, "", "", "", "", 0, 5));
  EXPECT_FALSE(FileExists(link_));
  EXPECT_FALSE(CreateShortcut(desktop_ + "\\missing\\x.lnk", target_, "", "", "", 0, 5));
  EXPECT_FALSE(testkit::Exists(desktop_ + "\\missing"));
}

TEST(SpecialFolder, DesktopIsAnExistingFolder) {
  std::string path = "unchanged";
  ASSERT_TRUE(GetSpecialFolder(nullptr, kDesktopFolderId, path));
  EXPECT_NE(path, "unchanged");
  EXPECT_TRUE(FolderExists(path)) << path;
  EXPECT_NE(path.back(), ' ');
  EXPECT_EQ(path.find('\0'), std::string::npos);
}

TEST(SpecialFolder, UnknownIdLeavesThePath) {
  std::string path = "D:\\kept";
  EXPECT_FALSE(GetSpecialFolder(nullptr, 0x7E, path));
  EXPECT_EQ(path, "D:\\kept");
}

TEST(OpenWebAddress, OpensTheAddressInTheAppFolder) {
  // A program stands in for the web address: "open" starts it in the folder given, and it
  // writes that folder into kit_probe.txt there.
  TempFolder appDir("Velk Zürich 100% & Ölfass's");
  const std::string marker = appDir.path() + "\\kit_probe.txt";
  OpenWebAddress(nullptr, testkit::TestProgramPath("kit_probe"), appDir.path());
  std::string content;  // UTF-8, as the probe writes it
  for (int waited = 0; waited < 10000 && content.empty(); waited += 50) {
    if (!ReadFileBytes(marker, content) || content.empty()) Sleep(50);
  }
  EXPECT_EQ(content, appDir.path());
}

}  // namespace
}  // namespace velk
