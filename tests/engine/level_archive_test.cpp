// One level's mod archive, built with the real 7-Zip from the stock level.pak and the work
// folder.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "engine/level_archive.h"
#include "engine_fixture.h"
#include "support/file_helpers.h"

namespace velk::enginetest {
namespace {

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

class LevelArchive : public OneLevelTest {};

TEST_F(LevelArchive, BuildsTheArchiveFromTheBaiFilesAndTheModFiles) {
  testkit::WriteFile(NewArchive(), "old mod archive");
  testkit::WriteFile(LevelDir("Archive") + "\\levelvelkki.pak", "old second archive");
  testkit::WriteFile(work_ + "\\levelvelk.pak", "leftover");
  const std::string stockPak = LevelDir("Archive") + "\\level.pak";
  const std::string stockBefore = testkit::ReadFile(stockPak);

  EXPECT_TRUE(LevelPak(session_, ui_));

  const std::vector<std::string> expected = {
      "Deleted Archive\\levelvelk.pak",
      "Deleted Archive\\levelvelkki.pak",
      "Deleted " + work_ + "\\levelvelk.pak",
      "Extracting \"" + stockPak + "\"",
      "Patched mission_velk.xml",
      "Copying \"levelvelk.pak\" to folder \"" + LevelDir("Archive") + "\\\""};
  EXPECT_EQ(RunLog(), expected);
  EXPECT_TRUE(ui_.Messages().empty());
  EXPECT_EQ(testkit::ListArchiveFiles(NewArchive()),
            Sorted({"Archive.bai", "hidevelk.bai", "mission_velk.xml", "netvelk.bai", "velk_objects.xml"}));
  EXPECT_EQ(testkit::ReadArchiveEntry(NewArchive(), "hidevelk.bai"), "BAI hide Archive\r\n");
  EXPECT_EQ(testkit::ReadArchiveEntry(NewArchive(), "netvelk.bai"), "BAI net Archive\r\n");
  const std::string patched =
      Replaced(testkit::MissionFileText(), "RespawnTime=\"0\"", "RespawnTime=\"10\"") + "\r\n";
  EXPECT_EQ(testkit::ReadArchiveEntry(NewArchive(), "mission_velk.xml"), patched);
  EXPECT_EQ(testkit::ReadFile(NewArchive()), testkit::ReadFile(work_ + "\\levelvelk.pak"));
  EXPECT_FALSE(testkit::Exists(LevelDir("Archive") + "\\levelvelkki.pak"));
  EXPECT_EQ(testkit::ReadFile(stockPak), stockBefore);
  EXPECT_EQ(session_.CommandLine, "\"" + fx_.appDir + "\\7z.exe\" a -tzip levelvelk.pak * -y -x!\"*.lua\"");
  EXPECT_EQ(ui_.Text(Ctl::Label6), "Status: " + FormatText(session_.Texts.MsgCreating, "levelvelk.pak"));
}

TEST_F(LevelArchive, ABrokenLevelPakGivesNoArchiveAndIsNamed) {
  const std::string stockPak = LevelDir("Archive") + "\\level.pak";
  // A level.pak that is a ZIP but lacks one of the two files the mod renames.
  auto zipWithout = [&](const std::string& missing) {
    testkit::TempFolder source("bai");
    for (const char* name : {"hideArchive.bai", "netArchive.bai", "Archive.bai"})
      if (name != missing) testkit::WriteFile(source.path() + "\\" + name, "BAI");
    DeleteFileAt(stockPak);
    testkit::PackFolder(source.path(), stockPak, "zip");
  };
  const struct {
    std::function<void()> make;
    std::string reason;
    std::vector<std::string> firstBoxes;
  } cases[] = {
      {[&] { DeleteFileAt(stockPak); }, "is missing", {FormatText(session_.Texts.MsgFileNotFound, "level.pak")}},
      {[&] { testkit::WriteFile(stockPak, "not an archive"); }, "cannot be read", {"An error occured!"}},
      {[&] { testkit::WriteFile(stockPak, ""); }, "cannot be read", {"An error occured!"}},
      {[&] { zipWithout("hideArchive.bai"); }, "holds no hideArchive.bai", {}},
      {[&] { zipWithout("netArchive.bai"); }, "holds no netArchive.bai", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    testkit::WriteFile(NewArchive(), "archive of an earlier install");
    testkit::WriteFile(NewArchive() + ".dis", "switched off by an earlier install");
    c.make();
    const size_t boxesBefore = ui_.Boxes().size();
    EXPECT_FALSE(LevelPak(session_, ui_));
    EXPECT_FALSE(testkit::Exists(NewArchive()));
    EXPECT_FALSE(testkit::Exists(NewArchive() + ".dis"));
    std::vector<std::string> boxes = ui_.Boxes();
    boxes.erase(boxes.begin(), boxes.begin() + static_cast<std::ptrdiff_t>(boxesBefore));
    std::vector<std::string> expected = c.firstBoxes;
    expected.push_back(FormatText(session_.Texts.MsgLevelPakBroken, "Archive"));
    EXPECT_EQ(boxes, expected);
    EXPECT_EQ(RunLog().back(), "level.pak of Archive " + c.reason + ": Archive not converted");
  }
}

TEST_F(LevelArchive, TheMissionFileIsPatchedByteForByte) {
  // Three occurrences, one in lower case, bytes beyond ASCII, no line break at the end.
  const std::string mission = "<M a=\"\xE4\xF6\xFC\">\nRespawnTime=\"0\" RespawnTime=\"0\"\r\n"
                              "respawntime=\"0\" RespawnTime=\"00\" RespawnTime=\"0\"/>";
  testkit::WriteFile(work_ + "\\mission_velk.xml", mission);
  LevelPak(session_, ui_);
  const std::string expected = "<M a=\"\xE4\xF6\xFC\">\nRespawnTime=\"10\" RespawnTime=\"10\"\r\n"
                               "respawntime=\"0\" RespawnTime=\"00\" RespawnTime=\"10\"/>\r\n";
  EXPECT_EQ(testkit::ReadFile(work_ + "\\mission_velk.xml"), expected);
  EXPECT_EQ(testkit::ReadArchiveEntry(NewArchive(), "mission_velk.xml"), expected);
}

TEST(MissionPatch, EveryCaseSensitiveOccurrenceAndOneLineBreak) {
  EXPECT_EQ(PatchMissionBytes(""), "\r\n");
  EXPECT_EQ(PatchMissionBytes("x\r\n"), "x\r\n\r\n");
  EXPECT_EQ(PatchMissionBytes("RespawnTime=\"0\"RespawnTime=\"0\""), "RespawnTime=\"10\"RespawnTime=\"10\"\r\n");
  EXPECT_EQ(PatchMissionBytes("RespawnTime=\"05\" RESPAWNTIME=\"0\""), "RespawnTime=\"05\" RESPAWNTIME=\"0\"\r\n");
  EXPECT_EQ(PatchMissionBytes(std::string("a\0RespawnTime=\"0\"", 17)), std::string("a\0RespawnTime=\"10\"\r\n", 20));
}

TEST_F(LevelArchive, RenamedFilesOfAnEarlierConversionAreReplacedByFreshOnes) {
  testkit::WriteFile(work_ + "\\hidevelk.bai", "from an earlier run");
  testkit::WriteFile(work_ + "\\netvelk.bai", "net from an earlier run");
  EXPECT_TRUE(LevelPak(session_, ui_));
  EXPECT_EQ(testkit::ListArchiveFiles(NewArchive()),
            Sorted({"Archive.bai", "hidevelk.bai", "mission_velk.xml", "netvelk.bai", "velk_objects.xml"}));
  EXPECT_EQ(testkit::ReadArchiveEntry(NewArchive(), "hidevelk.bai"), "BAI hide Archive\r\n");
  EXPECT_FALSE(testkit::Exists(work_ + "\\hideArchive.bai"));
}

TEST_F(LevelArchive, AFailedPackingIsReportedAndTheCopyLineStillWritten) {
  // A folder of the archive's name: 7-Zip cannot write the archive.
  ASSERT_TRUE(CreateFolders(work_ + "\\levelvelk.pak\\inner"));
  EXPECT_FALSE(LevelPak(session_, ui_));  // nothing reached the level folder
  EXPECT_EQ(ui_.Boxes(), std::vector<std::string>{"An error occured!"});
  const std::vector<std::string> log = RunLog();
  const auto failed = std::find(log.begin(), log.end(), "Error creating levelvelk.pak");
  ASSERT_NE(failed, log.end());
  ASSERT_NE(failed + 1, log.end());
  EXPECT_EQ((failed + 1)->rfind("Output [", 0), 0u);
  EXPECT_EQ(log.back(), "Copying \"levelvelk.pak\" to folder \"" + LevelDir("Archive") + "\\\"");
  EXPECT_FALSE(FileExists(NewArchive()));
}

TEST_F(LevelArchive, FilesAnOlderPayloadLeftInTheWorkFolderStayOutOfTheArchive) {
  // The payload's test listed what this payload holds for the level; the rest of the folder
  // came from elsewhere.
  session_.PayloadFiles["mapfiles.7z"] = {"Temp\\Archive\\", "Temp\\Archive\\Archive.lua",
                                          "Temp\\Archive\\mission_velk.xml", "Temp\\Archive\\velk_objects.xml"};
  testkit::WriteFile(work_ + "\\old_objects.xml", "from an older payload");
  testkit::WriteFile(work_ + "\\sub\\notes.txt", "someone's notes");
  EXPECT_TRUE(LevelPak(session_, ui_));
  EXPECT_EQ(testkit::ListArchiveFiles(NewArchive()),
            Sorted({"Archive.bai", "hidevelk.bai", "mission_velk.xml", "netvelk.bai", "velk_objects.xml"}));
  EXPECT_TRUE(testkit::Exists(work_ + "\\old_objects.xml"));
  EXPECT_TRUE(testkit::Exists(work_ + "\\sub\\notes.txt"));
  EXPECT_TRUE(testkit::LogHas(fx_.gameDir, "Not packed, not of the map payload: " + work_ + "\\old_objects.xml"));
}

}  // namespace
}  // namespace velk::enginetest
