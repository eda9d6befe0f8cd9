// What makes a folder a game folder, on real folders, and the header of a new run log.
#include "levels/game_folder_check.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kit/test_kit.h"
#include "support/file_helpers.h"
#include "support/run_log.h"

namespace velk {
namespace {

using testkit::TempFolder;

std::string ForwardSlashes(std::string text) {
  for (char& c : text)
    if (c == '\\') c = '/';
  return text;
}

TEST(NormaliseGamePath, TidiesSlashesAndTrailingBackslashes) {
  EXPECT_EQ(NormaliseGamePath("D:/Games/Far Cry/"), "D:\\Games\\Far Cry");
  EXPECT_EQ(NormaliseGamePath("D:\\Games\\Far Cry\\\\\\"), "D:\\Games\\Far Cry");
  EXPECT_EQ(NormaliseGamePath("\\\\\\"), "");
  EXPECT_EQ(NormaliseGamePath("////"), "");
  EXPECT_EQ(NormaliseGamePath(""), "");
}

TEST(NormaliseGamePath, CutsGameSubFoldersAnywhereAndCaseSensitively) {
  EXPECT_EQ(NormaliseGamePath("D:\\Games\\Far Cry\\Bin32\\"), "D:\\Games\\Far Cry");
  EXPECT_EQ(NormaliseGamePath("D:\\Games\\Far Cry\\Levels"), "D:\\Games\\Far Cry");
  EXPECT_EQ(NormaliseGamePath("D:\\Games\\Far Cry\\Mods\\VELK_Av8"), "D:\\Games\\Far Cry\\VELK_Av8");
  EXPECT_EQ(NormaliseGamePath("D:\\Games\\Far Cry\\bin32"), "D:\\Games\\Far Cry\\bin32");
  EXPECT_EQ(NormaliseGamePath("D:\\Games\\Far Cry\\levels\\mods"), "D:\\Games\\Far Cry\\levels\\mods");
  EXPECT_EQ(NormaliseGamePath("D:\\Levels2\\Far Cry"), "D:2\\Far Cry");
  EXPECT_EQ(NormaliseGamePath("D:\\Levels\\Far Cry\\Levels"), "D:\\Far Cry");
}

TEST(GamePathCandidates, AsTypedFirstThenTheFoldersAboveGameSubFoldersThenTheCuts) {
  EXPECT_EQ(GamePathCandidates("D:/Mods/Far Cry/Levels/Archive/", true),
            (std::vector<std::string>{"D:\\Mods\\Far Cry\\Levels\\Archive", "D:\\Mods\\Far Cry", "D:",
                                      "D:\\Far Cry\\Archive"}));
  EXPECT_EQ(GamePathCandidates("D:/Mods/Far Cry/Levels/Archive", false),
            (std::vector<std::string>{"D:\\Mods\\Far Cry\\Levels\\Archive", "D:\\Far Cry\\Archive"}));
  EXPECT_EQ(GamePathCandidates("D:\\Levels2\\Far Cry", true),
            (std::vector<std::string>{"D:\\Levels2\\Far Cry", "D:2\\Far Cry"}));
}

TEST(NormaliseGamePath, RemovesEachNameOnceInTheGivenOrder) {
  // "\Mods" goes before "\Levels": a "\Mods" that only appears once "\Levels" is cut stays.
  EXPECT_EQ(NormaliseGamePath("X\\Mo\\Levelsds"), "X\\Mods");
  // "\Levels" before "\Bin32": a "\Levels" formed by cutting "\Bin32" stays.
  EXPECT_EQ(NormaliseGamePath("X\\Lev\\Bin32els"), "X\\Levels");
  // One pass per name: what the cut joins together is not cut again.
  EXPECT_EQ(NormaliseGamePath("X\\Mo\\Modsds"), "X\\Mods");
  EXPECT_EQ(NormaliseGamePath("X\\Bin32\\Mods\\Levels"), "X");
}

class CheckPathTest : public ::testing::Test {
 protected:
  TempFolder root_{"chk"};
  std::string game_ = testkit::MakeGameFolder(root_.path());
};

TEST_F(CheckPathTest, AcceptsTheGameFolderWrittenInCommonVariants) {
  for (const std::string& typed :
       {game_, ForwardSlashes(game_) + "/", game_ + "\\\\", game_ + "\\Bin32\\", game_ + "\\Levels",
        game_ + "\\Mods", game_ + "\\Bin32\\\\"}) {
    std::string text = typed;
    EXPECT_TRUE(CheckPath(text)) << typed;
    EXPECT_EQ(text, game_) << typed;
  }
}

TEST_F(CheckPathTest, LowerCaseBin32IsNotShortenedAndFails) {
  std::string text = game_ + "\\bin32";
  EXPECT_FALSE(CheckPath(text));
  EXPECT_EQ(text, game_ + "\\bin32");
}

TEST_F(CheckPathTest, AGameFolderIsTakenAsTypedWhateverItsParentsAreNamed) {
  for (const char* parent : {"\\Levels2", "\\Mods", "\\Bin32\\Levels"}) {
    const std::string inner = testkit::MakeGameFolder(root_.path() + parent);
    std::string text = inner + "\\";
    EXPECT_TRUE(CheckPath(text)) << parent;
    EXPECT_EQ(text, inner);
    // A sub-folder of it still leads back to it.
    text = inner + "\\Levels\\Archive";
    EXPECT_TRUE(CheckPath(text)) << parent;
    EXPECT_EQ(text, inner);
  }
}

TEST_F(CheckPathTest, ABin32FolderNamedFarCryExeFails) {
  const std::string fake = root_.path() + "\\Fake";
  ASSERT_TRUE(CreateFolders(fake + "\\bin32\\FarCry.exe"));
  std::string text = fake;
  EXPECT_FALSE(CheckPath(text));
  EXPECT_EQ(text, fake);
}

TEST_F(CheckPathTest, OnlyBackslashesBecomeEmptyAndFail) {
  std::string text = "\\\\\\";
  EXPECT_FALSE(CheckPath(text));
  EXPECT_EQ(text, "");
}

TEST_F(CheckPathTest, MissingFolderFails) {
  std::string text = root_.path() + "\\Nowhere\\";
  EXPECT_FALSE(CheckPath(text));
  EXPECT_EQ(text, root_.path() + "\\Nowhere");
}

TEST_F(CheckPathTest, RestartRunLogReplacesTheOldLogWithFourHeaderLines) {
  testkit::WriteFile(game_ + "\\velk.log", "[01:02:03] - an old run\r\n");
  ASSERT_TRUE(RestartRunLog(game_, "Av8"));
  const std::vector<std::string> lines = testkit::LogTexts(game_);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "VELK Mod Av8 logfile");
  EXPECT_EQ(lines[1], "Date: " + ShortDate());
  EXPECT_EQ(lines[2], "Far Cry Informations:");
  EXPECT_EQ(lines[3], "Far Cry Dir: '" + game_ + "'");
  // A second run starts again from nothing.
  ASSERT_TRUE(RestartRunLog(game_, "Av8"));
  EXPECT_EQ(testkit::LogTexts(game_).size(), 4u);
}

TEST_F(CheckPathTest, RestartRunLogInAMissingFolderReportsFailure) {
  EXPECT_FALSE(RestartRunLog(root_.path() + "\\Nowhere", "Av8"));
  EXPECT_FALSE(testkit::Exists(root_.path() + "\\Nowhere"));
}

}  // namespace
}  // namespace velk
