// The checks before the first change, through the real navigation over the in-memory window
// with the real 7-Zip: too little space and a running game stop the run on the choices page
// with nothing changed; going back or Retry lets it go on.
#include <regex>
#include <string>

#include "engine_fixture.h"
#include "engine/change_checks.h"
#include "kit/running_game.h"
#include "support/file_helpers.h"
#include "wizard/navigation.h"

namespace velk::enginetest {
namespace {

// Every file (by content) and folder below `folder`; the run log aside, which leaving the
// game folder page always starts afresh.
std::pair<std::map<std::string, std::string>, std::vector<std::string>> Snapshot(const std::string& folder) {
  auto files = testkit::HashTree(folder);
  files.erase("velk.log");
  return {files, testkit::ListFolders(folder)};
}

class ChangeChecks : public EngineTest {
 protected:
  // A new wizard run past the game folder page, with `action` chosen.
  void Start(Ctl action = Ctl::Option1) {
    session_ = WizardSession{};
    session_.AppDir = fx_.appDir;
    wizard_ = std::make_unique<Wizard>(session_, ui_);
    wizard_->LoadLanguage("0");
    ui_.SetText(Ctl::Text1, fx_.gameDir);
    wizard_->NextPage();
    ASSERT_EQ(session_.PageIndex, 1);
    wizard_->OptionClicked(action);
  }
  void ExpectNothingChanged() const {
    EXPECT_EQ(Snapshot(fx_.gameDir), game_);
    EXPECT_EQ(Snapshot(fx_.appDir), app_);
  }
  void TakeSnapshots() {
    game_ = Snapshot(fx_.gameDir);
    app_ = Snapshot(fx_.appDir);
  }

  testkit::SettingsLock settingsLock_;
  std::unique_ptr<Wizard> wizard_;
  decltype(Snapshot("")) game_, app_;
};

TEST_F(ChangeChecks, TooLittleSpaceStopsWithBothFiguresUntilThereIsRoom) {
  Prepare();
  TakeSnapshots();
  Start();
  session_.FreeSpace = [](const std::string&) { return std::optional<std::uint64_t>(0); };
  int asked = 0;
  ui_.stopAnswer = [&](const std::string& message, bool canRetry) {
    ++asked;
    EXPECT_FALSE(canRetry);
    // Both drives are C: here: the mod files, the maps and the level archives made of them.
    EXPECT_TRUE(std::regex_search(message, std::regex("C: [1-9][0-9]* MB needed, 0 MB free"))) << message;
    return StopAnswer::Back;
  };
  wizard_->NextPage();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(session_.PageIndex, 1);
  EXPECT_EQ(session_.StoppedExitCode, 0) << "going back is not closing";
  ExpectNothingChanged();
  const std::vector<std::string> log = RunLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_TRUE(std::regex_match(log[0], std::regex("Not enough free space on C: [1-9][0-9]* MB needed, "
                                                  "0 MB free: nothing changed")))
      << log[0];

  // Room made: the same choices go on to the level list, and the run finishes.
  session_.FreeSpace = nullptr;
  wizard_->NextPage();
  EXPECT_EQ(asked, 1);
  ASSERT_EQ(session_.PageIndex, 2);
  while (session_.PageIndex < 4) wizard_->NextPage();
  EXPECT_TRUE(FileExists(LevelDir("Dam") + "\\levelvelk.pak"));
}

TEST_F(ChangeChecks, RunningGameStopsUninstallAndInstallUntilItHasEnded) {
  Prepare();
  testkit::RunningGame game(fx_.gameDir);
  ASSERT_TRUE(game.Running());
  TakeSnapshots();

  // The uninstall is refused, and closing the wizard is remembered as the reason.
  Start(Ctl::Option2);
  ui_.stopAnswer = [&](const std::string& message, bool canRetry) {
    EXPECT_TRUE(canRetry);
    EXPECT_NE(message.find(game.Exe()), std::string::npos) << message;
    return StopAnswer::Exit;
  };
  wizard_->NextPage();
  EXPECT_EQ(session_.PageIndex, 1);
  EXPECT_EQ(session_.StoppedExitCode, kUnattendedGameRunning);
  ExpectNothingChanged();
  EXPECT_EQ(RunLog(), std::vector<std::string>{"Far Cry is running, " + game.Exe() +
                                               " is in use: nothing changed"});

  // The install: the user closes the game and presses Retry, and the run goes on.
  Start();
  int asked = 0;
  ui_.stopAnswer = [&](const std::string&, bool) {
    ++asked;
    ExpectNothingChanged();
    game.End();
    return StopAnswer::Retry;
  };
  wizard_->NextPage();
  EXPECT_EQ(asked, 1);
  ASSERT_EQ(session_.PageIndex, 2);
  while (session_.PageIndex < 4) wizard_->NextPage();
  for (const char* level : {"Archive", "Boat", "Dam"}) EXPECT_TRUE(FileExists(LevelDir(level) + "\\levelvelk.pak"));
}

}  // namespace
}  // namespace velk::enginetest
