#include "support/run_log.h"

#include <windows.h>

#include <regex>

#include <gtest/gtest.h>

#include "kit/test_kit.h"
#include "kit/unix_side.h"
#include "support/file_helpers.h"
#include "support/text_codec.h"

namespace velk {
namespace {

using testkit::TempFolder;

// "[4:05:33 AM] - " in the United States format, "[14:05:33] - " in the German one.
const std::string kStamp = R"(\[\d{1,2}:\d{2}:\d{2}( [AP]M)?\] - )";

std::string LogBytes(const std::string& gameDir) { return testkit::ReadFile(gameDir + "\\velk.log"); }

TEST(RunLog, OneLineWithTheTimeOfDay) {
  TempFolder game("log");
  ASSERT_TRUE(Log(game.path() + "\\velk.log", "Installing VELK Mod"));
  const std::string bytes = LogBytes(game.path());
  EXPECT_TRUE(std::regex_match(bytes, std::regex(kStamp + "Installing VELK Mod\r\n"))) << bytes;
  const std::string now = LongTimeOfDay();
  EXPECT_TRUE(std::regex_match("[" + now + "] - ", std::regex(kStamp))) << now;
}

TEST(RunLog, AppendsInCallOrderToWhatIsThere) {
  TempFolder game("log");
  testkit::WriteFile(game.path() + "\\velk.log", "older line\r\n");
  ASSERT_TRUE(Log(game.path() + "\\velk.log", "first"));
  ASSERT_TRUE(Log(game.path() + "\\velk.log", "second"));
  const std::string bytes = LogBytes(game.path());
  EXPECT_TRUE(std::regex_match(
      bytes, std::regex("older line\r\n" + kStamp + "first\r\n" + kStamp + "second\r\n")))
      << bytes;
  EXPECT_EQ(testkit::LogTexts(game.path()),
            (std::vector<std::string>{"older line", "first", "second"}));
}

TEST(RunLog, EmptyAndMultiLineTexts) {
  TempFolder game("log");
  ASSERT_TRUE(Log(game.path() + "\\velk.log", ""));
  ASSERT_TRUE(Log(game.path() + "\\velk.log", "Output [\r\n7-Zip\r\nEverything is Ok\r\n]"));
  const std::string bytes = LogBytes(game.path());
  // Only the first line of an entry carries the time.
  EXPECT_TRUE(std::regex_match(
      bytes, std::regex(kStamp + "\r\n" + kStamp + "Output \\[\r\n7-Zip\r\nEverything is Ok\r\n\\]\r\n")))
      << bytes;
}

TEST(RunLog, WrittenInTheAnsiCodePage) {
  TempFolder game("log Zürich");
  ASSERT_TRUE(Log(game.path() + "\\velk.log", "Fertig: Grüße"));
  const std::string bytes = LogBytes(game.path());
  // ü is 0xFC in code page 1252; in UTF-8 it would be two bytes.
  EXPECT_NE(bytes.find("Fertig: Gr\xFC\xDF" "e\r\n"), std::string::npos) << bytes;
}

TEST(RunLog, FailsWithoutCreatingAMissingFolder) {
  TempFolder parent("log");
  const std::string missing = parent.path() + "\\Far Cry";
  EXPECT_FALSE(Log(missing + "\\velk.log", "lost"));
  EXPECT_FALSE(testkit::Exists(missing));

  ASSERT_TRUE(Log(parent.path() + "\\velk.log", "kept"));
  {
    // Another program holds the file without sharing it.
    const std::wstring file = Widen(parent.path() + "\\velk.log");
    HANDLE locked = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(Log(parent.path() + "\\velk.log", "locked"));
    CloseHandle(locked);
  }
  EXPECT_EQ(testkit::LogTexts(parent.path()), std::vector<std::string>{"kept"});
}

TEST(RunLog, NeverWritesThroughALink) {
  TempFolder parent("log");
  const std::string game = parent.path() + "\\game";
  ASSERT_TRUE(CreateFolders(game));
  const std::string victim = parent.path() + "\\victim.txt";
  testkit::WriteFile(victim, "theirs");
  // A link to a file, and one whose target is not there yet (the open would create it).
  const struct {
    const char* name;
    std::string target;
  } cases[] = {{"velk.log", victim}, {"dangling.log", parent.path() + "\\made.txt"}};
  testkit::WriteFile(parent.path() + "\\made.txt", "");  // a link is made to something there
  for (const auto& c : cases) testkit::MakeUnixLink(game + "\\" + c.name, c.target);
  ASSERT_TRUE(DeleteFileW(Widen(parent.path() + "\\made.txt").c_str()));
  for (const auto& c : cases) {
    EXPECT_FALSE(Log(game + "\\" + c.name, "into the link")) << c.name;
  }
  EXPECT_EQ(testkit::ReadFile(victim), "theirs");
  EXPECT_FALSE(testkit::Exists(parent.path() + "\\made.txt"));
  // The run goes on: a plain log beside them is written.
  EXPECT_TRUE(Log(game + "\\plain.log", "kept"));
}

// The run keeps its log open: its lines and those of single Log calls (the exit's) land in
// the order written, the file can be read meanwhile, a folder that comes late is written once
// it is there, and a log that is a link is never opened.
TEST(RunLogWriter, KeepsTheLogOpenBesideOtherWritersAndNeverThroughALink) {
  TempFolder parent("log");
  const std::string game = parent.path() + "\\Far Cry";
  {
    RunLogWriter writer(game + "\\velk.log");
    EXPECT_FALSE(writer.Write("before the folder"));
    ASSERT_TRUE(CreateFolders(game));
    EXPECT_TRUE(writer.Write("first"));
    EXPECT_TRUE(Log(game + "\\velk.log", "between"));
    EXPECT_TRUE(writer.Write("second"));
    EXPECT_EQ(testkit::LogTexts(game), (std::vector<std::string>{"first", "between", "second"}));
  }
  EXPECT_TRUE(Log(game + "\\velk.log", "after"));
  EXPECT_EQ(testkit::LogTexts(game).back(), "after");

  const std::string victim = parent.path() + "\\victim.txt";
  testkit::WriteFile(victim, "theirs");
  testkit::MakeUnixLink(game + "\\linked.log", victim);
  RunLogWriter linked(game + "\\linked.log");
  EXPECT_FALSE(linked.Write("into the link"));
  EXPECT_EQ(testkit::ReadFile(victim), "theirs");
}

TEST(RunLog, ShortDateHasDayMonthAndYear) {
  const std::string date = ShortDate();
  EXPECT_TRUE(std::regex_match(date, std::regex(R"(\d{1,4}[./-]\d{1,2}[./-]\d{1,4})"))) << date;
}

}  // namespace
}  // namespace velk
