// The Unix side of Wine as the program sees it: these tests run under Wine.
#include "support/wine_host.h"

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "kit/test_kit.h"
#include "kit/unix_side.h"
#include "support/text_codec.h"
#include "support/text_tools.h"

namespace velk {
namespace {

TEST(WineHost, ZDrivePathTurnsTheUnixRootIntoDriveZ) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"/", "Z:\\"},
      {"/home/me", "Z:\\home\\me"},
      {"/home/me/", "Z:\\home\\me"},
      {"//home///me/.steam", "Z:\\home\\me\\.steam"},
      {"/mnt/Spiele/Far Cry \xC3\xA4", "Z:\\mnt\\Spiele\\Far Cry \xC3\xA4"},
      {"home/me", ""},
      {"", ""},
      {"C:\\Games", ""},
  };
  for (const auto& [unix, windows] : cases) EXPECT_EQ(ZDrivePath(unix), windows) << unix;
}

TEST(WineHost, WinePathsFollowThePrefixDrives) {
  ASSERT_TRUE(RunningUnderWine());
  EXPECT_EQ(WindowsPathOfUnix("/velk-nowhere/a b/"), "Z:\\velk-nowhere\\a b");
  EXPECT_EQ(WindowsPathOfUnix("relative/path"), "");
  // The prefix's drive_c is drive C: for Wine, though Z: reaches it too.
  const testkit::TempFolder temp("wine");
  EXPECT_TRUE(EqualsNoCase(WindowsPathOfUnix(testkit::UnixPathOf(temp.path())), temp.path()))
      << WindowsPathOfUnix(testkit::UnixPathOf(temp.path()));
}

TEST(WineHost, UnixHomeFromHomeElseFromWineHomeDir) {
  const std::optional<std::string> savedHome = EnvironmentValue("HOME");
  SetEnvironmentVariableW(L"HOME", L"/home/velk-tester");
  EXPECT_EQ(UnixHomeFolder(), "Z:\\home\\velk-tester");
  SetEnvironmentVariableW(L"HOME", nullptr);
  // Wine sets WINEHOMEDIR from the Unix HOME when the program starts.
  const std::string wineHome = EnvironmentValue("WINEHOMEDIR").value_or("");
  ASSERT_TRUE(wineHome.starts_with("\\??\\")) << wineHome;
  EXPECT_EQ(UnixHomeFolder(), wineHome.substr(4));
  if (savedHome) SetEnvironmentVariableW(L"HOME", Widen(*savedHome).c_str());
}

}  // namespace
}  // namespace velk
