// A game folder in a state the wizard does not expect: folders it may not write to, read-only
// or locked files, files where folders belong. The wizard says what is wrong, and the game's
// own files stay as they were.
#include <windows.h>

#include <string>

#include "engine/message_catalogue.h"
#include "hardening/hardening_fixture.h"
#include "kit/running_game.h"
#include "kit/held_file.h"
#include "support/file_helpers.h"
#include "support/text_codec.h"
#include "support/win_handles.h"
#include "support/write_access.h"
#include "wizard/catalogue.h"

namespace velk::hardening {
namespace {

const MessageCatalogue kEnglish = EnglishCatalogue();

// A read-only attribute set for the length of a test.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(std::string path) : path_(std::move(path)) {
    SetAttributes(path_, FILE_ATTRIBUTE_READONLY);
  }
  ~ReadOnlyFile() { SetAttributes(path_, FILE_ATTRIBUTE_NORMAL); }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

 private:
  std::string path_;
};

class HardeningWriteAccess : public HardeningTest {};

TEST_F(HardeningWriteAccess, ProbeFindsAnUnwritableFolderAndLeavesNothing) {
  const std::string open = temp_.path() + "\\open";
  const std::string closed = temp_.path() + "\\closed";
  ASSERT_TRUE(CreateFolders(open) && CreateFolders(closed));
  EXPECT_TRUE(CanWriteFolder(open));
  EXPECT_TRUE(testkit::ListTree(open).empty()) << "the probe file is deleted again";
  EXPECT_FALSE(CanWriteFolder(temp_.path() + "\\missing"));
  UnwritableFolder guard(closed);
  if (!guard.holds()) GTEST_SKIP() << "this system cannot make a folder unwritable";
  EXPECT_FALSE(CanWriteFolder(closed));
  EXPECT_EQ(FirstUnwritableFolder({open, closed, open}), closed);
  EXPECT_EQ(FirstUnwritableFolder({open}), "");
  // The read-only attribute alone does not stop writing into a folder.
  SetAttributes(open, FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(CanWriteFolder(open));
  SetAttributes(open, FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(HardeningWriteAccess, UnwritableGameFolderEndsBeforeAnyChange) {
  MakeFolders();
  {
    UnwritableFolder guard(fixture_.gameDir);
    if (!guard.holds()) GTEST_SKIP() << "this system cannot make a folder unwritable";
    const SetupRun run = RunChecked();
    EXPECT_EQ(run.code, 2) << run.output;
    EXPECT_TRUE(Contains(run.output, FormatText(kEnglish.MsgNoWriteAccess, fixture_.gameDir)))
        << run.output;
  }
  EXPECT_EQ(Game(), stock_) << "not even a log is written";
}

TEST_F(HardeningWriteAccess, UnwritableLevelFolderEndsBeforeAnyChange) {
  MakeFolders();
  {
    UnwritableFolder guard(Level("Dam"));
    if (!guard.holds()) GTEST_SKIP() << "this system cannot make a folder unwritable";
    const SetupRun run = RunChecked();
    EXPECT_EQ(run.code, 2) << run.output;
    EXPECT_TRUE(Contains(run.output, FormatText(kEnglish.MsgNoWriteAccess, Level("Dam")))) << run.output;
    EXPECT_TRUE(LogHas(fixture_.gameDir, "No write access to '" + Level("Dam") + "': nothing changed"));
  }
  ExpectStockRestored(stock_, Game());
  // Writable again, the same run installs.
  const SetupRun run = RunChecked();
  EXPECT_EQ(run.code, 0) << run.output;
  ExpectInstalled(fixture_.gameDir, stock_, levels_);
}

class HardeningGameState : public HardeningTest {};

TEST_F(HardeningGameState, ReadOnlyStockScript) {
  MakeFolders();
  const std::string script = Level("Archive", "Archive.lua");
  {
    ReadOnlyFile readOnly(script);
    const SetupRun run = RunChecked();
    EXPECT_NE(run.code, -1);
    ExpectStockKept(stock_, Game());
    if (testkit::ReadFile(script) != testkit::ModScriptText("Archive")) {
      EXPECT_EQ(run.code, 1) << run.output;
      EXPECT_TRUE(Contains(run.output, "Archive.lua")) << run.output;
      EXPECT_TRUE(LogMentions(fixture_.gameDir, "Archive.lua"));
    }
    const SetupRun back = RunChecked("/ACTION=uninstall");
    EXPECT_NE(back.code, -1);
    ExpectStockKept(stock_, Game());
  }
  const SetupRun back = RunChecked("/ACTION=uninstall");
  EXPECT_EQ(back.code, 0) << back.output;
  ExpectStockRestored(stock_, Game());
}

TEST_F(HardeningGameState, ReadOnlyLevelArchiveOfTheMod) {
  MakeFolders();
  ASSERT_EQ(RunChecked().code, 0);
  const std::string archive = Level("Archive", "levelvelk.pak");
  {
    ReadOnlyFile readOnly(archive);
    for (const char* action : {"", "/ACTION=toggle", "/ACTION=uninstall"}) {
      SCOPED_TRACE(action);
      const SetupRun run = RunChecked(action);
      EXPECT_NE(run.code, -1);
      ExpectStockKept(stock_, Game());
      if (testkit::Exists(archive) && std::string(action) == "/ACTION=uninstall") {
        EXPECT_EQ(run.code, 1) << run.output;
        EXPECT_TRUE(Contains(run.output, archive)) << run.output;
      }
    }
  }
  const SetupRun back = RunChecked("/ACTION=uninstall");
  EXPECT_EQ(back.code, 0) << back.output;
  ExpectStockRestored(stock_, Game());
}

// The game found running (its program, or a level archive it holds without sharing) stops
// the install and the uninstall with their own exit code before any change.
TEST_F(HardeningGameState, RunningGameStopsEveryActionBeforeAnyChange) {
  MakeFolders();
  const auto unchanged = [this] {
    Tree now = Game(), stock = stock_;
    now.erase("velk.log");
    stock.erase("velk.log");
    return now == stock;
  };
  {
    const UniqueFile held = testkit::HoldWithoutSharing(Level("Boat", "level.pak"));
    ASSERT_TRUE(held);
    const SetupRun run = RunChecked();
    EXPECT_EQ(run.code, 7) << run.output;
    EXPECT_TRUE(Contains(run.output, FormatText(kEnglish.MsgGameRunning, Level("Boat", "level.pak")))) << run.output;
  }
  EXPECT_TRUE(unchanged());
  testkit::RunningGame game(fixture_.gameDir);
  ASSERT_TRUE(game.Running());
  stock_ = Game();
  for (const char* action : {"/ACTION=install", "/ACTION=uninstall", "/ACTION=toggle"}) {
    SCOPED_TRACE(action);
    const SetupRun run = RunChecked(action);
    EXPECT_EQ(run.code, 7) << run.output;
    EXPECT_TRUE(Contains(run.output, FormatText(kEnglish.MsgGameRunning, game.Exe()))) << run.output;
    EXPECT_TRUE(unchanged());
  }
  // The game closed, the install goes through.
  game.End();
  const SetupRun run = RunChecked();
  EXPECT_EQ(run.code, 0) << run.output;
  ExpectInstalled(fixture_.gameDir, stock_, levels_);
}

TEST_F(HardeningGameState, ModFolderIsAFile) {
  MakeFolders();
  testkit::WriteFile(fixture_.gameDir + "\\Mods\\VELK_Av8", "not a folder");
  stock_ = Game();
  const SetupRun run = RunChecked();
  EXPECT_EQ(run.code, 1) << run.output;
  EXPECT_TRUE(Contains(run.output, FormatText(kEnglish.MsgExtractError, "modfiles.7z"))) << run.output;
  EXPECT_TRUE(LogHas(fixture_.gameDir, "Error extracting modfiles.7z"));
  ExpectStockKept(stock_, Game());
  const SetupRun back = RunChecked("/ACTION=uninstall");
  EXPECT_NE(back.code, -1);
  ExpectStockRestored(stock_, Game());
}

TEST_F(HardeningGameState, LevelFolderIsAFileOrHasNoLevelArchive) {
  testkit::GameOptions game;
  game.levels = {"Archive", "Dam"};
  testkit::AppOptions app;
  app.mapLevels = {"Archive", "Boat", "Cooler", "Dam"};
  MakeFolders("Far Cry", "VelkSetup", {}, game, app);
  testkit::WriteFile(fixture_.gameDir + "\\Levels\\Boat", "a file where a level folder belongs");
  testkit::WriteFile(Level("Cooler", "Cooler.lua"), testkit::StockScriptText("Cooler"));
  stock_ = Game();
  const SetupRun run = RunChecked("/LEVELS=Archive,Boat,Cooler,Dam");
  EXPECT_EQ(run.code, 0) << run.output;
  EXPECT_TRUE(Contains(run.output, "Level 'Boat' is not offered")) << run.output;
  EXPECT_TRUE(Contains(run.output, "Level 'Cooler' is not offered")) << run.output;
  ExpectInstalled(fixture_.gameDir, stock_, {"Archive", "Dam"});
  EXPECT_EQ(testkit::ReadFile(Level("Cooler", "Cooler.lua")), testkit::StockScriptText("Cooler"));
  const SetupRun back = RunChecked("/ACTION=uninstall");
  EXPECT_EQ(back.code, 0) << back.output;
  ExpectStockRestored(stock_, Game());
}

}  // namespace
}  // namespace velk::hardening

namespace velk::hardening {
namespace {

// The copy of a level's new archive fails (the name it is written under first is held, as a
// full disk or a scanner would stop it): a message naming the file, a log line, exit 1, and
// that level as it was.
TEST_F(HardeningGameState, ALevelArchiveThatCannotBeWrittenIsAnError) {
  MakeFolders();
  const std::string part = Level("Dam", "levelvelk.pak.velkpart");
  testkit::WriteFile(part, "held");
  stock_ = Game();
  const SetupRun run = [&] {
    const UniqueFile held = testkit::HoldWithoutSharing(part);
    EXPECT_TRUE(held);
    return RunChecked();
  }();
  EXPECT_EQ(run.code, 1) << run.output;
  EXPECT_TRUE(Contains(run.output, "Could not write \"" + Level("Dam", "levelvelk.pak") + "\"!")) << run.output;
  EXPECT_TRUE(LogHas(fixture_.gameDir, "Could not write " + Level("Dam", "levelvelk.pak")));
  EXPECT_FALSE(testkit::Exists(Level("Dam", "levelvelk.pak")));
  EXPECT_EQ(testkit::ReadFile(Level("Dam", "Dam.lua")), testkit::StockScriptText("Dam"));
  EXPECT_TRUE(testkit::Exists(Level("Archive", "levelvelk.pak")));
}

}  // namespace
}  // namespace velk::hardening
