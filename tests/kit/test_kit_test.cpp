// The kit builds what every other test stands on, so its layout is checked against the game's
// and the payload's, with the real 7-Zip reading the archives back.
#include "kit/test_kit.h"

#include <windows.h>

#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/file_helpers.h"
#include "support/text_codec.h"

namespace velk::testkit {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsSupersetOf;
using ::testing::UnorderedElementsAre;

constexpr const char* kOddName = "Spiele Zürich 100% & Ölfass's Far Cry";

TEST(TestKit, GameFolderHasTheGameLayout) {
  TempFolder root("kit");
  GameOptions options;
  options.folderName = kOddName;
  options.levels = {"Archive", "Volcano"};
  const std::string game = MakeGameFolder(root.path(), options);

  EXPECT_EQ(game, root.path() + "\\" + kOddName);
  EXPECT_THAT(ListTree(game),
              ElementsAre("Bin32\\FarCry.exe", "Levels\\Archive\\Archive.lua",
                          "Levels\\Archive\\level.pak", "Levels\\Volcano\\Volcano.lua",
                          "Levels\\Volcano\\level.pak"));
  EXPECT_EQ(ReadFile(game + "\\Bin32\\FarCry.exe"), "");
  EXPECT_TRUE(FolderExists(game + "\\Mods"));
  EXPECT_EQ(ReadFile(game + "\\Levels\\Volcano\\Volcano.lua"), StockScriptText("Volcano"));
  EXPECT_NE(StockScriptText("Volcano"), StockScriptText("Archive"));
}

TEST(TestKit, GameFolderOptionsLeaveOutModsAndScripts) {
  TempFolder root("kit");
  GameOptions options;
  options.levels = {"Dam"};
  options.stockScripts = false;
  options.withMods = false;
  const std::string game = MakeGameFolder(root.path(), options);
  EXPECT_THAT(ListTree(game), ElementsAre("Bin32\\FarCry.exe", "Levels\\Dam\\level.pak"));
  EXPECT_FALSE(Exists(game + "\\Mods"));
}

TEST(TestKit, LevelArchiveIsAZipWithTheLevelsBaiFiles) {
  TempFolder root("kit");
  GameOptions options;
  options.folderName = kOddName;
  options.levels = {"Archive", "Boat"};
  const std::string game = MakeGameFolder(root.path(), options);
  const std::string pak = game + "\\Levels\\Boat\\level.pak";

  EXPECT_EQ(ReadFile(pak).substr(0, 2), "PK");  // ZIP, as the game and the wizard expect
  const std::vector<std::string> entries = ListArchive(pak);
  EXPECT_THAT(entries, IsSupersetOf({"hideBoat.bai", "netBoat.bai", "Boat.bai", "mission.xml",
                                     "Terrain", "Terrain\\terrain.dat"}));
  const std::vector<std::string> files = ListArchiveFiles(pak);
  EXPECT_THAT(files, Contains("hideBoat.bai"));
  EXPECT_EQ(std::count(files.begin(), files.end(), "Terrain"), 0);
  EXPECT_EQ(std::count_if(files.begin(), files.end(),
                          [](const std::string& name) { return name.ends_with(".bai"); }),
            3);
  // Each level's archive is its own, even when copied from the kit's packed copy.
  EXPECT_THAT(ListArchive(game + "\\Levels\\Archive\\level.pak"), Contains("netArchive.bai"));
  EXPECT_EQ(ReadArchiveEntry(pak, "hideBoat.bai"), "BAI hide Boat\r\n");
}

TEST(TestKit, AppDirHoldsArchiverAndBothPayloads) {
  TempFolder root("kit");
  AppOptions options;
  options.folderName = kOddName;
  options.mapLevels = {"Archive", "Pier"};
  const std::string app = MakeAppDir(root.path(), options);

  EXPECT_THAT(ListTree(app), ElementsAre("7z.exe", "mapfiles.7z", "modfiles.7z"));
  EXPECT_EQ(HashTree(app)["7z.exe"], Fnv1a64Hex(ReadFile(ArchiverPath())));
  EXPECT_EQ(ReadFile(app + "\\modfiles.7z").substr(0, 2), "7z");

  std::vector<std::string> mod = ListArchiveFiles(app + "\\modfiles.7z");
  std::vector<std::string> expected;
  for (const std::string& name : ModFileNames()) expected.push_back("VELK_Av8\\" + name);
  EXPECT_THAT(mod, ::testing::UnorderedElementsAreArray(expected));
  EXPECT_THAT(mod, IsSupersetOf({"VELK_Av8\\textures\\gui\\mousecursor.dds",
                                 "VELK_Av8\\Objects\\weapons\\DE\\de.dds",
                                 "VELK_Av8\\Objects\\weapons\\M4\\m4.dds",
                                 "VELK_Av8\\ModDesc.en.txt", "VELK_Av8\\ModDesc.de.txt"}));
  for (const std::string& entry : ListArchive(app + "\\modfiles.7z"))
    EXPECT_TRUE(entry.starts_with("VELK_Av8")) << entry;
  const std::string english = ReadArchiveEntry(app + "\\modfiles.7z", "VELK_Av8\\ModDesc.en.txt");
  EXPECT_EQ(english, ModFileText("ModDesc.en.txt"));
  EXPECT_NE(english, ModFileText("ModDesc.de.txt"));

  std::vector<std::string> maps = ListArchiveFiles(app + "\\mapfiles.7z");
  EXPECT_THAT(maps, UnorderedElementsAre(
                        "Temp\\Archive\\Archive.lua", "Temp\\Archive\\mission_velk.xml",
                        "Temp\\Archive\\velk_objects.xml", "Temp\\Pier\\Pier.lua",
                        "Temp\\Pier\\mission_velk.xml", "Temp\\Pier\\velk_objects.xml"));
  EXPECT_EQ(ReadArchiveEntry(app + "\\mapfiles.7z", "Temp\\Pier\\Pier.lua"), ModScriptText("Pier"));
  EXPECT_EQ(ReadArchiveEntry(app + "\\mapfiles.7z", "Temp\\Pier\\mission_velk.xml"),
            MissionFileText());
}

TEST(TestKit, AppDirOptionsChooseThePayload) {
  TempFolder root("kit");
  AppOptions options;
  options.withArchiver = false;
  options.withModFiles = false;
  options.mapLevels = {};
  options.withProgram = true;
  const std::string app = MakeAppDir(root.path(), options);
  EXPECT_THAT(ListTree(app), ElementsAre("VelkSetup.exe", "mapfiles.7z"));
  EXPECT_EQ(HashTree(app)["VelkSetup.exe"], Fnv1a64Hex(ReadFile(ProgramPath())));
  EXPECT_THAT(ListArchive(app + "\\mapfiles.7z"), ElementsAre("Temp"));
}

TEST(TestKit, FixturePutsGameAndPayloadSideBySide) {
  TempFolder root("kit");
  const Fixture fixture = MakeFixture(root.path());
  EXPECT_EQ(fixture.root, root.path());
  EXPECT_EQ(fixture.gameDir, root.path() + "\\Far Cry");
  EXPECT_EQ(fixture.appDir, root.path() + "\\VelkSetup");
  EXPECT_TRUE(FileExists(fixture.gameDir + "\\bin32\\FarCry.exe"));
  EXPECT_TRUE(FileExists(fixture.appDir + "\\mapfiles.7z"));
}

TEST(TestKit, MissionTextHoldsTwoZeroRespawnTimes) {
  const std::string text = MissionFileText();
  size_t count = 0;
  for (size_t at = text.find("RespawnTime=\"0\""); at != std::string::npos;
       at = text.find("RespawnTime=\"0\"", at + 1))
    ++count;
  EXPECT_EQ(count, 2u);
  EXPECT_NE(text.find("RespawnTime=\"05\""), std::string::npos);
  EXPECT_NE(text.find("\r\n"), std::string::npos);
}

TEST(TestKit, TempFoldersAreFreshAndRemovedWithTheirContent) {
  std::string first, second;
  {
    TempFolder a(kOddName);
    TempFolder b(kOddName);
    first = a.path();
    second = b.path();
    EXPECT_NE(first, second);
    EXPECT_TRUE(FolderExists(first));
    EXPECT_TRUE(ListTree(first).empty());
    const std::wstring temp = Widen(first.substr(0, first.rfind('\\')));
    wchar_t own[MAX_PATH + 1] = {};
    GetEnvironmentVariableW(L"TEMP", own, MAX_PATH + 1);
    EXPECT_EQ(temp, own);  // below the process's own temporary folder
    WriteFile(first + "\\sub\\locked.txt", "x");
    ASSERT_TRUE(SetAttributes(first + "\\sub\\locked.txt", FILE_ATTRIBUTE_READONLY));
  }
  EXPECT_FALSE(Exists(first));
  EXPECT_FALSE(Exists(second));
}

TEST(TestKit, TempFolderStaysWhenFixturesAreKept) {
  std::string kept;
  SetEnvironmentVariableW(L"VELK_KEEP_FIXTURES", L"1");
  {
    TempFolder folder("kept");
    kept = folder.path();
    WriteFile(kept + "\\f.txt", "x");
  }
  SetEnvironmentVariableW(L"VELK_KEEP_FIXTURES", nullptr);
  EXPECT_EQ(ReadFile(kept + "\\f.txt"), "x");
  EXPECT_TRUE(RemoveFolderTree(kept));
}

std::string Probe(const std::string& arguments) {
  return "\"" + TestProgramPath("kit_probe") + "\" " + arguments;
}

TEST(TestKit, RunProgramGivesExitCodeAndBothOutputs) {
  std::string output = "stale";
  EXPECT_EQ(RunProgram(Probe("exit 7"), {}, &output), 7);
  EXPECT_NE(output.find("out"), std::string::npos);
  EXPECT_NE(output.find("err"), std::string::npos);
  EXPECT_EQ(RunProgram(Probe("exit 0")), 0);

  // Standard input is at its end at once, so prompts cannot wait for an answer.
  EXPECT_EQ(RunProgram(Probe("stdin"), {}, &output), 0);
  EXPECT_EQ(output, "0");

  TempFolder folder(kOddName);
  EXPECT_EQ(RunProgram(Probe("cwd"), folder.path(), &output), 0);
  EXPECT_EQ(output, folder.path());
}

TEST(TestKit, RunProgramReadsLargeOutputAndEndsHangingPrograms) {
  std::string output;
  EXPECT_EQ(RunProgram(Probe("flood 1000000"), {}, &output), 0);
  EXPECT_EQ(output.size(), 1000000u);

  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(RunProgram(Probe("sleep 20000"), {}, &output, 300), -1);
  EXPECT_LT(GetTickCount64() - start, 10000u);

  EXPECT_EQ(RunProgram("\"" + TestProgramPath("no_such_program") + "\"", {}, &output), -1);
  EXPECT_EQ(output, "");
}

TEST(TestKit, PackFolderKeepsRelativeNamesAndStartsAfresh) {
  TempFolder source(kOddName);
  TempFolder target("packed");
  WriteFile(source.path() + "\\c.txt", "c");
  WriteFile(source.path() + "\\a\\b.txt", "b");
  WriteFile(source.path() + "\\a\\deep\\d.bai", "d");
  for (const std::string type : {"zip", "7z"}) {
    const std::string archive = target.path() + "\\" + kOddName + "." + type;
    PackFolder(source.path(), archive, type);
    EXPECT_THAT(ListArchive(archive), UnorderedElementsAre("a", "a\\deep", "a\\b.txt",
                                                           "a\\deep\\d.bai", "c.txt"));
    EXPECT_THAT(ListArchiveFiles(archive),
                UnorderedElementsAre("a\\b.txt", "a\\deep\\d.bai", "c.txt"));
    EXPECT_EQ(ReadArchiveEntry(archive, "a\\deep\\d.bai"), "d");
  }
  // Packing again replaces the archive instead of updating it.
  const std::string archive = target.path() + "\\again.zip";
  PackFolder(source.path(), archive, "zip");
  ASSERT_TRUE(DeleteFileAt(source.path() + "\\c.txt"));
  PackFolder(source.path(), archive, "zip");
  EXPECT_THAT(ListArchiveFiles(archive), UnorderedElementsAre("a\\b.txt", "a\\deep\\d.bai"));
  EXPECT_THROW(ReadArchiveEntry(archive, "c.txt"), std::runtime_error);
  EXPECT_THROW(ListArchive(target.path() + "\\missing.zip"), std::runtime_error);
}

TEST(TestKit, CachedPackingFollowsTheContent) {
  TempFolder source(kOddName);
  TempFolder target("packed");
  WriteFile(source.path() + "\\Temp\\Dam\\Dam.lua", "first");
  PackFolderCached(source.path(), target.path() + "\\one.7z", "7z");
  WriteFile(source.path() + "\\Temp\\Dam\\Dam.lua", "second");
  PackFolderCached(source.path(), target.path() + "\\two.7z", "7z");
  EXPECT_EQ(ReadArchiveEntry(target.path() + "\\two.7z", "Temp\\Dam\\Dam.lua"), "second");
  ASSERT_TRUE(CreateFolders(source.path() + "\\Temp\\Empty"));  // a new folder is new content
  PackFolderCached(source.path(), target.path() + "\\three.7z", "7z");
  EXPECT_THAT(ListArchive(target.path() + "\\three.7z"), Contains("Temp\\Empty"));

  WriteFile(source.path() + "\\Temp\\Dam\\Dam.lua", "first");
  ASSERT_TRUE(RemoveFolderTree(source.path() + "\\Temp\\Empty"));
  PackFolderCached(source.path(), target.path() + "\\again.7z", "7z");
  EXPECT_EQ(ReadArchiveEntry(target.path() + "\\again.7z", "Temp\\Dam\\Dam.lua"), "first");
  // The same content again is the archive packed before, byte for byte.
  EXPECT_EQ(ReadFile(target.path() + "\\again.7z"), ReadFile(target.path() + "\\one.7z"));
}

TEST(TestKit, FileHelpersOfTheKit) {
  TempFolder root(kOddName);
  WriteFile(root.path() + "\\x\\y\\z.bin", std::string("\0\1", 2));
  WriteFile(root.path() + "\\b.txt", "same");
  WriteFile(root.path() + "\\a.txt", "same");
  EXPECT_EQ(ReadFile(root.path() + "\\x\\y\\z.bin"), std::string("\0\1", 2));
  EXPECT_THROW(ReadFile(root.path() + "\\missing"), std::runtime_error);
  EXPECT_TRUE(Exists(root.path() + "\\x"));
  EXPECT_TRUE(Exists(root.path() + "\\a.txt"));
  EXPECT_FALSE(Exists(root.path() + "\\missing"));
  EXPECT_FALSE(Exists(""));
  EXPECT_THAT(ListTree(root.path()), ElementsAre("a.txt", "b.txt", "x\\y\\z.bin"));

  const auto hashes = HashTree(root.path());
  ASSERT_EQ(hashes.size(), 3u);
  EXPECT_EQ(hashes.at("a.txt"), hashes.at("b.txt"));
  EXPECT_NE(hashes.at("a.txt"), hashes.at("x\\y\\z.bin"));
  EXPECT_EQ(Fnv1a64Hex(""), "cbf29ce484222325");
  EXPECT_EQ(Fnv1a64Hex("a"), "af63dc4c8601ec8c");
  WriteFile(root.path() + "\\b.txt", "changed");
  EXPECT_NE(HashTree(root.path()).at("b.txt"), hashes.at("b.txt"));
}

TEST(TestKit, LogTextsDropTheTimeStampsOnly) {
  TempFolder game(kOddName);
  EXPECT_TRUE(LogTexts(game.path()).empty());
  WriteFile(game.path() + "\\velk.log",
            "[14:05:33] - Start\r\n"
            "[2:05:33 PM] - Z\xFCrich\r\n"
            "[14:05:33] - Output [7-Zip\r\n"
            "[no time] - continued\r\n"
            "Everything is Ok\r\n"
            "]\r\n"
            "[14:05:34] - \r\n");
  EXPECT_THAT(LogTexts(game.path()),
              ElementsAre("Start", "Zürich", "Output [7-Zip", "[no time] - continued",
                          "Everything is Ok", "]", ""));
}

}  // namespace
}  // namespace velk::testkit
