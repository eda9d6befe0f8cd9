// Finding the game on a first start: real Steam folders and libraries, real registry entries
// in the private prefix, real game folders; CheckPath decides on each candidate.
#include "levels/game_detection.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kit/game_registry.h"
#include "kit/test_kit.h"

namespace velk {
namespace {

using testkit::TempFolder;
using testkit::WriteFile;

std::string ForwardSlashes(std::string text) {
  for (char& c : text)
    if (c == '\\') c = '/';
  return text;
}

// As Steam writes it: backslashes doubled.
std::string VdfQuoted(const std::string& path) {
  std::string out = "\"";
  for (char c : path) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return out + "\"";
}

std::string Game(const std::string& parent, const std::string& name) {
  return testkit::MakeGameFolder(parent, {.folderName = name, .levels = {}, .withMods = false});
}

void WriteManifest(const std::string& library, const std::string& installDir) {
  WriteFile(library + "\\steamapps\\appmanifest_13520.acf",
            "\"AppState\"\n{\n\t\"appid\"\t\t\"13520\"\n\t\"installdir\"\t\t\"" + installDir +
                "\"\n}\n");
}

std::vector<std::string> Describe(const std::vector<DetectedGame>& games) {
  std::vector<std::string> out;
  for (const DetectedGame& game : games) out.push_back(game.source + ": " + game.folder);
  return out;
}

class GameDetection : public ::testing::Test {
 protected:
  TempFolder root_{"detect"};
  testkit::GameRegistry registry_;
};

TEST_F(GameDetection, SteamLibrariesThenGogThenRetailEachFolderOnce) {
  const std::string root = root_.path();
  // Written in the reverse of the order detection reports.
  const std::string retail = Game(root + "\\Retail", "Far Cry");
  WriteFile(root + "\\Far Cry 3\\bin\\FarCry3.exe", "");
  registry_.AddUninstallEntry("Far Cry 3", root + "\\Far Cry 3");
  registry_.AddUninstallEntry("Some Other Game", Game(root + "\\Elsewhere", "Far Cry"), true);
  registry_.AddUninstallEntry("Far Cry", retail + "\\Bin32");
  const std::string ubisoft = Game(root + "\\Ubisoft", "Far Cry");
  registry_.AddUbisoftGame(ForwardSlashes(ubisoft) + "/");
  const std::string gog = Game(root + "\\GOG", "Far Cry");
  registry_.AddGogGame(root + "\\NotAGame");
  WriteFile(root + "\\NotAGame\\FarCry.exe", "");
  registry_.AddGogGame(gog + "\\");
  registry_.AddUninstallEntry("FAR CRY", root + "\\gog\\FAR CRY", true);

  const std::string steam = root + "\\Steam";
  const std::string library = root + "\\Steam Library";
  const std::string steamGame = Game(steam + "\\steamapps\\common", "Far Cry");
  const std::string libraryGame = Game(library + "\\steamapps\\common", "FarCry Game");
  WriteManifest(steam, "Far Cry");
  WriteManifest(library, "FarCry Game");
  // The Steam folder listed again, a library that is gone, and the second library.
  WriteFile(steam + "\\steamapps\\libraryfolders.vdf",
            "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t" + VdfQuoted(steam) +
                "\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t" + VdfQuoted(root + "\\Gone") +
                "\n\t}\n\t\"2\"\n\t{\n\t\t\"path\"\t\t" + VdfQuoted(library) + "\n\t}\n}\n");
  registry_.SetSteamPath(ForwardSlashes(steam));

  EXPECT_EQ(Describe(DetectGameFolders()),
            (std::vector<std::string>{"Steam: " + steamGame, "Steam: " + libraryGame, "GOG: " + gog,
                                      "Ubisoft: " + ubisoft, "Uninstall: " + retail}));
}

TEST_F(GameDetection, SteamFolderIsALibraryWithoutTheList) {
  const std::string steam = root_.path() + "\\Steam";
  WriteManifest(steam, "Far Cry");
  registry_.SetSteamPath(ForwardSlashes(steam) + "/");
  EXPECT_TRUE(DetectGameFolders().empty()) << "the manifest names a folder that is not there";

  const std::string game = Game(steam + "\\steamapps\\common", "Far Cry");
  const std::vector<DetectedGame> found = DetectGameFolders();
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].folder, game);
  EXPECT_EQ(found[0].source, kFoundBySteam);
}

}  // namespace
}  // namespace velk
