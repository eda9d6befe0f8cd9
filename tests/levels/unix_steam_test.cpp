// Finding the game in the Linux Steam of the Unix user, for a setup run under Wine: a private
// home outside the prefix (named by HOME for this process only), real Steam files and game
// folders, and the Windows-side entries in the private prefix.
#include "levels/unix_steam.h"

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kit/game_registry.h"
#include "kit/test_kit.h"
#include "kit/unix_home.h"
#include "kit/unix_side.h"
#include "support/file_helpers.h"

namespace velk {
namespace {

std::vector<std::string> Folders(const std::vector<DetectedGame>& games) {
  std::vector<std::string> out;
  for (const DetectedGame& game : games) out.push_back(game.source + ": " + game.folder);
  return out;
}

class UnixSteamDetection : public ::testing::Test {
 protected:
  testkit::GameRegistry registry_;  // SteamPath set aside (the Windows side wins: Unattended)
  testkit::UnixHome home_;
};

TEST_F(UnixSteamDetection, SteamFolderThenItsListedLibraryOnDriveZ) {
  EXPECT_TRUE(DetectGameFolders().empty());
  const std::string library = home_.path() + "\\Games\\SteamLibrary";
  const std::string second = home_.AddSteamGame(library, "FarCry");
  const std::string first = home_.AddSteamGame(home_.steamFolder(), "Far Cry");
  home_.ListLibraries(home_.steamFolder(), {home_.steamFolder(), home_.path() + "\\Gone", library});
  ASSERT_EQ(first.rfind("Z:\\", 0), 0u) << first;
  EXPECT_EQ(Folders(DetectGameFolders()),
            (std::vector<std::string>{"Steam: " + first, "Steam: " + second}));
}

TEST_F(UnixSteamDetection, LinkedSteamFolderAndFlatpakAndProton) {
  const std::string game = home_.AddSteamGame(home_.steamFolder(), "Far Cry");
  // ~/.steam/steam is Steam's own link to its folder: the game counts once.
  ASSERT_TRUE(CreateFolders(home_.path() + "\\.steam"));
  testkit::MakeUnixLink(home_.path() + "\\.steam\\steam", home_.steamFolder());
  EXPECT_EQ(Folders(DetectGameFolders()), std::vector<std::string>{"Steam: " + game});

  const std::string flatpak = home_.AddSteamGame(
      home_.path() + "\\.var\\app\\com.valvesoftware.Steam\\.local\\share\\Steam", "Far Cry");
  const std::string proton = home_.AddSteamGame(home_.path() + "\\proton-steam", "Far Cry");
  SetEnvironmentVariableA("STEAM_COMPAT_CLIENT_INSTALL_PATH", home_.UnixPathOf(home_.path() + "\\proton-steam").c_str());
  EXPECT_EQ(Folders(DetectGameFolders()),
            (std::vector<std::string>{"Steam: " + proton, "Steam: " + game, "Steam: " + flatpak}));
}

}  // namespace
}  // namespace velk
