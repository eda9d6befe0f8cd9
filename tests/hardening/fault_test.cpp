// The wizard ended by force in the middle of a level conversion (power cut, task manager):
// started again, it repairs the install to the state of one that was never interrupted.
#include <windows.h>

#include <string>

#include "hardening/hardening_fixture.h"
#include "support/text_codec.h"
#include "support/win_handles.h"

namespace velk::hardening {
namespace {

class HardeningFault : public HardeningTest {
 protected:
  // Starts VelkSetup.exe /S on the fixture and ends it by force as soon as `marker` exists
  // (or, without a marker, after `afterMs`); true when it was still running then.
  bool KillWhenPresent(const std::string& marker, unsigned afterMs = 0) {
    std::wstring command = Widen("\"" + fixture_.appDir + "\\VelkSetup.exe\" /S \"/D=" +
                                 fixture_.gameDir + "\" /LANG=en");
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const std::wstring workDir = Widen(temp_.path());
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        workDir.c_str(), &startup, &process))
      return false;
    UniqueHandle processHandle(process.hProcess), threadHandle(process.hThread);
    bool killed = false;
    const ULONGLONG started = GetTickCount64();
    for (int i = 0; i < 30000 && !killed; ++i) {
      if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
      const bool due = marker.empty() ? GetTickCount64() - started >= afterMs : testkit::Exists(marker);
      if (due) killed = TerminateProcess(process.hProcess, 9) != FALSE;
      Sleep(1);
    }
    WaitForSingleObject(process.hProcess, 10000);
    // The archiver it started may still be writing; let it end.
    Sleep(1500);
    return killed;
  }
  // After a kill: the stock files are all there, a rerun ends as an uninterrupted install
  // (`cleanGame`) did, and an uninstall then gives back the stock game.
  void ExpectRepairedAndRemovable(const std::string& cleanGame);
  void KillAtEach(const std::vector<struct KillPoint>& points);
  // Kills the install after k/(kSweepPoints+1) of an uninterrupted one's time, k from first to last.
  void SweepKills(unsigned first, unsigned last);
  static constexpr unsigned kSweepPoints = 6;
};

// Same files with the same bytes; a level archive (packed with file times) by its entries.
void ExpectSameInstall(const std::string& gameDir, const std::string& cleanDir) {
  const Tree got = testkit::HashTree(gameDir);
  const Tree want = testkit::HashTree(cleanDir);
  for (const auto& [name, hash] : want) {
    if (name == "velk.log") continue;
    const auto it = got.find(name);
    if (it == got.end()) {
      ADD_FAILURE() << "missing after the repair: " << name;
    } else if (name.size() > 13 && name.substr(name.size() - 13) == "levelvelk.pak") {
      EXPECT_EQ(testkit::HashArchive(gameDir + "\\" + name), testkit::HashArchive(cleanDir + "\\" + name))
          << name;
    } else {
      EXPECT_EQ(it->second, hash) << name;
    }
  }
  for (const auto& [name, hash] : got)
    if (name != "velk.log" && want.count(name) == 0) ADD_FAILURE() << "left over: " << name;
}

void HardeningFault::ExpectRepairedAndRemovable(const std::string& cleanGame) {
  ExpectStockKept(stock_, Game());
  const SetupRun run = RunChecked();
  EXPECT_EQ(run.code, 0) << run.output;
  ExpectSameInstall(fixture_.gameDir, cleanGame);
  const SetupRun back = RunChecked("/ACTION=uninstall");
  EXPECT_EQ(back.code, 0) << back.output;
  ExpectStockRestored(stock_, Game());
}

struct KillPoint {
  const char* label;
  std::string marker;  // relative to the fixture root
};

// An uninterrupted install to compare with, then for each point a fresh fixture whose install
// is killed there and repaired. Each test takes a few points, so that each stays short.
void HardeningFault::KillAtEach(const std::vector<KillPoint>& points) {
  testkit::TempFolder cleanPlace("clean");
  MakeFolders("Far Cry", "VelkSetup", cleanPlace.path());
  ASSERT_EQ(RunChecked().code, 0);
  const std::string cleanGame = fixture_.gameDir;
  for (const auto& point : points) {
    SCOPED_TRACE(point.label);
    testkit::TempFolder place("kill");
    MakeFolders("Far Cry", "VelkSetup", place.path());
    // A file that lives a few milliseconds may slip past the watch: that point is then not
    // reached in this run, which proves nothing either way.
    if (!KillWhenPresent(place.path() + "\\" + point.marker)) continue;
    ExpectRepairedAndRemovable(cleanGame);
  }
}

void HardeningFault::SweepKills(unsigned first, unsigned last) {
  testkit::TempFolder cleanPlace("clean");
  MakeFolders("Far Cry", "VelkSetup", cleanPlace.path());
  const ULONGLONG started = GetTickCount64();
  ASSERT_EQ(RunChecked().code, 0);
  const unsigned whole = static_cast<unsigned>(GetTickCount64() - started);
  const std::string cleanGame = fixture_.gameDir;
  for (unsigned k = first; k <= last; ++k) {
    const unsigned afterMs = whole * k / (kSweepPoints + 1);
    SCOPED_TRACE("killed after " + std::to_string(afterMs) + " of " + std::to_string(whole) + " ms");
    testkit::TempFolder place("sweep");
    MakeFolders("Far Cry", "VelkSetup", place.path());
    KillWhenPresent({}, afterMs);
    ExpectRepairedAndRemovable(cleanGame);
  }
}

TEST_F(HardeningFault, KilledInTheFirstLevelsScriptOrArchiveWorkAndStartedAgain) {
  KillAtEach({
      {"once the first level's script is backed up", "Far Cry\\Levels\\Archive\\Archive.lua.bak"},
      {"after the first archiver run of the first level", "VelkSetup\\Temp\\Archive\\hidevelk.bai"},
      {"once the first level's archive is packed", "VelkSetup\\Temp\\Archive\\levelvelk.pak"},
  });
}

TEST_F(HardeningFault, KilledAroundTheFirstLevelsArchiveCopyAndStartedAgain) {
  KillAtEach({
      {"while the first level's archive is copied", "Far Cry\\Levels\\Archive\\levelvelk.pak.velkpart"},
      {"once the first level's archive is in the game", "Far Cry\\Levels\\Archive\\levelvelk.pak"},
      {"while the second level's script is backed up", "Far Cry\\Levels\\Boat\\Boat.lua.bak.velkpart"},
  });
}

// Killed at moments spread over a whole install, wherever they fall (inside a copy, a backup,
// a rename or an archiver run): no stock file is ever lost or emptied, and a rerun repairs.
TEST_F(HardeningFault, KilledInTheFirstHalfOfAnInstallNoStockFileIsLost) { SweepKills(1, 3); }
TEST_F(HardeningFault, KilledInTheSecondHalfOfAnInstallNoStockFileIsLost) { SweepKills(4, kSweepPoints); }

}  // namespace
}  // namespace velk::hardening
