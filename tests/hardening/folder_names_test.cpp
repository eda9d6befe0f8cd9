// Install, switch-off and uninstall in game and payload folders whose names cmd, the OEM code
// page or the path length make hard; the game's own files survive every step.
#include <string>

#include "hardening/hardening_fixture.h"

namespace velk::hardening {
namespace {

struct NameCase {
  const char* label;
  const char* game;
  const char* app;
};

const NameCase kNames[] = {
    {"Blanks", "Far Cry Game", "Velk Setup Files"},
    {"Umlauts", "Spiele \xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F Far Cry", "Setup \xC3\x84\xC3\x96\xC3\x9C\xC3\x9F"},
    {"Percent", "Far%Cry%PATH%", "Setup %TEMP% 100%"},
    {"AmpersandCaret", "Far & Cry ^1", "Setup & ^^ go"},
    {"QuoteBang", "Far'Cry!x!", "Setup 'it'!"},
    {"ParensCommaSemicolonEquals", "Far (Cry), a; b=c", "Setup (1),;=x"},
    // Cyrillic: outside the OEM code page, so the batch file must use short names.
    {"Cyrillic", "\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B Far Cry", "\xD0\xA3\xD1\x81\xD1\x82\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xB2\xD0\xBA\xD0\xB0"},
};

class HardeningNames : public HardeningTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(HardeningNames, InstallSwitchOffAndUninstallKeepTheStockFiles) {
  MakeFolders(GetParam().game, GetParam().app);
  SetupRun run = RunChecked();
  ASSERT_EQ(run.code, 0) << run.output;
  ExpectInstalled(fixture_.gameDir, stock_, levels_);

  run = RunChecked("/ACTION=toggle");
  ASSERT_EQ(run.code, 0) << run.output;
  for (const std::string& level : levels_) {
    EXPECT_TRUE(testkit::Exists(Level(level, "levelvelk.pak.dis"))) << level;
    EXPECT_FALSE(testkit::Exists(Level(level, "levelvelk.pak"))) << level;
  }
  ExpectStockKept(stock_, Game());

  run = RunChecked("/ACTION=uninstall");
  ASSERT_EQ(run.code, 0) << run.output;
  ExpectStockRestored(stock_, Game());
  // The log is ANSI text: a name outside the code page is written as well as it goes.
  EXPECT_TRUE(LogMentions(fixture_.gameDir, "Far Cry Dir: '"));
}

INSTANTIATE_TEST_SUITE_P(Folders, HardeningNames, ::testing::ValuesIn(kNames),
                         [](const ::testing::TestParamInfo<NameCase>& info) {
                           return std::string(info.param.label);
                         });

class HardeningPaths : public HardeningTest {};

// The user types a trailing dot or blank: Windows drops it from the last name, so the
// wizard must work on the real folder and say so in the log.
TEST_F(HardeningPaths, TrailingDotOrBlankTypedAfterTheGameFolder) {
  MakeFolders("Far Cry", "VelkSetup");
  for (const char* tail : {".", " ", " .", "\\ "}) {
    SCOPED_TRACE(std::string("typed tail '") + tail + "'");
    const SetupRun run = RunChecked({}, fixture_.gameDir + tail);
    ASSERT_EQ(run.code, 0) << run.output;
    ExpectInstalled(fixture_.gameDir, stock_, levels_);
    EXPECT_TRUE(LogHas(fixture_.gameDir, "Far Cry Dir: '" + fixture_.gameDir + "'"));
  }
  const SetupRun run = RunChecked("/ACTION=uninstall", fixture_.gameDir + ".");
  ASSERT_EQ(run.code, 0) << run.output;
  ExpectStockRestored(stock_, Game());
}

// Game and payload folder so deep that the longest file the install writes is 259
// characters long.
TEST_F(HardeningPaths, FullPathNearTheLimit) {
  size_t longest = std::string("\\Levels\\Archive\\Archive.lua.bak").size();
  for (const std::string& name : testkit::ModFileNames())
    longest = std::max(longest, std::string("\\Mods\\VELK_Av8\\").size() + name.size());
  const size_t gameLength = 259 - longest;
  std::string parent = temp_.path();
  const std::string tail = "\\Far Cry";
  while (parent.size() + tail.size() < gameLength) {
    const size_t room = gameLength - parent.size() - tail.size() - 1;
    parent.push_back('\\');
    parent.append(std::min<size_t>(60, room), 'd');
  }
  ASSERT_EQ(parent.size() + tail.size(), gameLength);
  ASSERT_TRUE(testkit::Exists(temp_.path()));
  MakeFolders("Far Cry", "VelkSetup", parent);
  const SetupRun run = RunChecked();
  ASSERT_EQ(run.code, 0) << run.output;
  ExpectInstalled(fixture_.gameDir, stock_, levels_);
  const SetupRun back = RunChecked("/ACTION=uninstall");
  ASSERT_EQ(back.code, 0) << back.output;
  ExpectStockRestored(stock_, Game());
}

}  // namespace
}  // namespace velk::hardening
