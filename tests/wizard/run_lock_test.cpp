// Two setups at once on one game, or from one setup folder: each run holds what it changes, so
// the game ends in one state; on different games from different folders both run. The real
// program, each run with a temporary folder of its own (as two user accounts have).
#include <windows.h>

#include <atomic>
#include <cctype>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "engine/message_catalogue.h"
#include "kit/named_lock.h"
#include "kit/test_kit.h"
#include "support/file_helpers.h"
#include "support/single_instance.h"
#include "wizard/catalogue.h"
#include "wizard/unattended.h"
#include "wizard/window_names.h"

namespace velk {
namespace {

const std::vector<std::string> kLevels = {"Archive", "Boat", "Dam"};

// Another spelling of the same folder.
std::string Upper(std::string path) {
  for (char& c : path) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return path;
}

struct SetupRun {
  int code = -1;
  std::string output;
};

class RunLock : public ::testing::Test {
 protected:
  RunLock() {
    testkit::AppOptions app;
    app.withProgram = true;
    fixture_ = testkit::MakeFixture(temp_.path(), {}, app);
    app.folderName = "VelkSetup Two";
    otherApp_ = testkit::MakeAppDir(fixture_.root, app);
    testkit::GameOptions game;
    game.folderName = "Far Cry Two";
    otherGame_ = testkit::MakeGameFolder(fixture_.root, game);
    for (const char* name : {"tempA", "tempB"}) CreateFolders(temp_.path() + "\\" + name);
  }
  SetupRun Run(const std::string& appDir, const std::string& gameDir, const std::string& switches,
               const std::string& tempName) const {
    SetupRun run;
    run.code = testkit::RunProgram("\"" + appDir + "\\VelkSetup.exe\" /S /LANG=en \"/D=" + gameDir + "\" " + switches,
                                   temp_.path(), &run.output, 180000, temp_.path() + "\\" + tempName);
    return run;
  }
  // Two runs started together, each with its own temporary folder.
  std::pair<SetupRun, SetupRun> RunTogether(const std::string& appA, const std::string& gameA,
                                            const std::string& switchesA, const std::string& appB,
                                            const std::string& gameB, const std::string& switchesB) const {
    std::pair<SetupRun, SetupRun> runs;
    std::thread other([&] { runs.second = Run(appB, gameB, switchesB, "tempB"); });
    runs.first = Run(appA, gameA, switchesA, "tempA");
    other.join();
    return runs;
  }
  static bool Installed(const std::string& gameDir, const std::string& level) {
    return testkit::Exists(gameDir + "\\Levels\\" + level + "\\levelvelk.pak");
  }
  // Either every level and the mod folder hold the mod, or none does.
  static void ExpectOneState(const std::string& gameDir) {
    const bool mod = testkit::Exists(gameDir + "\\Mods\\VELK_Av8");
    for (const std::string& level : kLevels) EXPECT_EQ(Installed(gameDir, level), mod) << level;
  }
  static void ExpectNoNestedArchive(const std::string& gameDir) {
    for (const std::string& level : kLevels) {
      ASSERT_TRUE(Installed(gameDir, level)) << level;
      for (const std::string& entry : testkit::ListArchive(gameDir + "\\Levels\\" + level + "\\levelvelk.pak"))
        EXPECT_EQ(entry.find("levelvelk.pak"), std::string::npos) << level << ": " << entry;
    }
  }

  testkit::DesktopLock desktopLock_;
  testkit::SettingsLock settingsLock_;
  testkit::TempFolder temp_{"runlock"};
  testkit::Fixture fixture_;
  std::string otherApp_, otherGame_;
};

TEST_F(RunLock, InstallBesideUninstallOnOneGameEndsInOneState) {
  ASSERT_EQ(Run(fixture_.appDir, fixture_.gameDir, "", "tempA").code, kUnattendedDone);
  const auto [install, uninstall] = RunTogether(fixture_.appDir, fixture_.gameDir, "",
                                                otherApp_, fixture_.gameDir, "/ACTION=uninstall");
  EXPECT_EQ(install.code, kUnattendedDone) << install.output;
  EXPECT_EQ(uninstall.code, kUnattendedDone) << uninstall.output;
  ExpectOneState(fixture_.gameDir);
}

TEST_F(RunLock, TwoInstallsFromOneSetupFolderTakeTurns) {
  const auto [first, second] = RunTogether(fixture_.appDir, fixture_.gameDir, "", fixture_.appDir,
                                           otherGame_, "");
  EXPECT_EQ(first.code, kUnattendedDone) << first.output;
  EXPECT_EQ(second.code, kUnattendedDone) << second.output;
  ExpectNoNestedArchive(fixture_.gameDir);
  ExpectNoNestedArchive(otherGame_);
}

TEST_F(RunLock, TwoInstallsOnOneGameLeaveNoNestedArchives) {
  const auto [first, second] = RunTogether(fixture_.appDir, fixture_.gameDir, "", otherApp_,
                                           fixture_.gameDir, "");
  EXPECT_EQ(first.code, kUnattendedDone) << first.output;
  EXPECT_EQ(second.code, kUnattendedDone) << second.output;
  ExpectNoNestedArchive(fixture_.gameDir);
}

TEST_F(RunLock, DifferentGamesFromDifferentSetupsRunSideBySide) {
  // No wait: neither may need the other's lock.
  const auto [first, second] = RunTogether(fixture_.appDir, fixture_.gameDir, "/WAIT=0", otherApp_,
                                           otherGame_, "/WAIT=0");
  EXPECT_EQ(first.code, kUnattendedDone) << first.output;
  EXPECT_EQ(second.code, kUnattendedDone) << second.output;
  ExpectNoNestedArchive(fixture_.gameDir);
  ExpectNoNestedArchive(otherGame_);
}

// A folder another setup holds (the window, which holds it until it closes): code 3 after the
// wait, the busy message, nothing changed.
TEST_F(RunLock, AHeldGameOrSetupFolderGivesThreeAndChangesNothing) {
  const struct {
    std::string lock;
    std::string appDir;
  } cases[] = {{GameLockName(fixture_.gameDir), otherApp_},
               {GameLockName(Upper(fixture_.gameDir) + "\\.\\"), otherApp_},
               {SetupFolderLockName(fixture_.appDir), fixture_.appDir}};
  for (const auto& c : cases) {
    const auto before = testkit::HashTree(fixture_.gameDir);
    std::atomic<bool> held{false}, tried{false}, done{false};
    std::thread holder([&] {
      const SingleInstance other(c.lock);
      held = other.Acquired();
      tried = true;
      while (!done) Sleep(20);
    });
    while (!tried) Sleep(10);
    SetupRun busy;
    if (held) busy = Run(c.appDir, fixture_.gameDir, "/WAIT=1", "tempB");
    done = true;
    holder.join();
    ASSERT_TRUE(held) << c.lock;
    EXPECT_EQ(busy.code, kUnattendedBusy) << c.lock << busy.output;
    EXPECT_EQ(busy.output, FormatText(EnglishCatalogue().MsgSetupBusy, "1") + "\r\n");
    EXPECT_EQ(testkit::HashTree(fixture_.gameDir), before) << c.lock;
  }
}

}  // namespace
}  // namespace velk
