#include "support/path_rules.h"

#include <gtest/gtest.h>

#include "kit/test_kit.h"
#include "kit/unix_side.h"
#include "support/file_helpers.h"
#include "support/link_check.h"
#include "support/text_tools.h"

namespace velk {
namespace {

TEST(NormalisedFullPath, OneSpellingForEveryFormOfAPath) {
  const struct {
    const char* given;
    const char* expected;
  } cases[] = {
      {"C:\\Games\\Far Cry", "C:\\Games\\Far Cry"},
      {"c:/Games//Far Cry/", "C:\\Games\\Far Cry"},
      {"C:\\Games\\x\\..\\Far Cry\\.", "C:\\Games\\Far Cry"},
      {"C:\\Games\\Far Cry. \\Levels", "C:\\Games\\Far Cry\\Levels"},
      {"\\\\?\\C:\\Games\\Far Cry", "C:\\Games\\Far Cry"},
      {"\\\\?\\UNC\\server\\share\\Far Cry", "\\\\server\\share\\Far Cry"},
      {"\\\\server\\share\\\\a\\..\\b\\", "\\\\server\\share\\b"},
      {"C:\\", "C:\\"},
      {"C:\\..\\..", ""},            // above the drive
      {"\\\\server\\share\\..", ""},  // above the share
      {"Levels\\Archive", ""},       // relative
      {"\\Levels", ""},              // relative to the current drive
      {"C:Levels", ""},              // relative to the drive's current folder
      {"\\\\.\\PhysicalDrive0", ""},  // a device
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(NormalisedFullPath(c.given), c.expected) << c.given;
}

TEST(LiesWithin, ComparesTheNormalisedPathsLetterCaseAside) {
  const std::string game = "C:\\Games\\Far Cry";
  EXPECT_TRUE(LiesWithin("c:\\games\\far cry\\Levels\\Archive", game));
  EXPECT_TRUE(LiesWithin(game + "\\.", game));
  EXPECT_FALSE(LiesWithin(game + "\\..\\victim", game));
  EXPECT_FALSE(LiesWithin("C:\\Games\\Far Cry 2\\Levels", game));  // a sibling sharing the start
  EXPECT_FALSE(LiesWithin("Levels\\Archive", game));
  EXPECT_EQ(PathBelow("C:/Games/Far Cry/Levels//Dam/", game), "Levels\\Dam");
  EXPECT_EQ(PathBelow(game, game), "");
  EXPECT_EQ(PathBelow("D:\\Games\\Far Cry\\Levels", game), "");
}

TEST(ReallyLiesWithin, FollowsLinksOutOfTheFolder) {
  testkit::TempFolder root("prw");
  const std::string game = root.path() + "\\game";
  const std::string outside = root.path() + "\\outside";
  ASSERT_TRUE(CreateFolders(game + "\\Levels\\Archive"));
  ASSERT_TRUE(CreateFolders(outside));
  EXPECT_TRUE(ReallyLiesWithin(game + "\\Levels\\Archive", game));
  EXPECT_TRUE(ReallyLiesWithin(game + "\\Levels\\Missing\\x.lua", game));  // by its nearest folder
  EXPECT_FALSE(ReallyLiesWithin(outside, game));
  EXPECT_FALSE(ReallyLiesWithin(game + "\\..\\outside", game));
  EXPECT_FALSE(ReallyLiesWithin(game + "\\x", root.path() + "\\missing"));
  // A level folder that is a link to a folder outside the game is not within it.
  testkit::MakeUnixLink(game + "\\Levels\\Linked", outside);
  EXPECT_FALSE(ReallyLiesWithin(game + "\\Levels\\Linked", game));
  EXPECT_FALSE(ReallyLiesWithin(game + "\\Levels\\Linked\\Linked.lua", game));
}

TEST(ResolvedPath, FollowsLinksAndKeepsTheMissingNames) {
  testkit::TempFolder root("prr");
  const std::string game = root.path() + "\\game";
  const std::string outside = root.path() + "\\outside";
  ASSERT_TRUE(CreateFolders(game));
  ASSERT_TRUE(CreateFolders(outside));
  testkit::WriteFile(outside + "\\level.pak", "stock");
  testkit::MakeUnixLink(game + "\\Linked", outside);
  const std::string realOutside = ResolvedPath(outside);
  ASSERT_FALSE(realOutside.empty());
  EXPECT_TRUE(EqualsNoCase(ResolvedPath(game + "\\Linked\\level.pak"), realOutside + "\\level.pak"));
  EXPECT_TRUE(EqualsNoCase(ResolvedPath(game + "\\Linked\\new\\copy.log"), realOutside + "\\new\\copy.log"));
  EXPECT_TRUE(EqualsNoCase(ResolvedPath(game + "\\x\\..\\Linked\\."), realOutside));
  EXPECT_EQ(ResolvedPath("relative\\copy.log"), "");
}

}  // namespace
}  // namespace velk
