// Kill.bat: its bytes, and real self-removal runs of a small probe program under cmd.exe.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "kit/test_kit.h"
#include "levels/game_layout.h"
#include "support/command_runner.h"
#include "support/file_helpers.h"
#include "support/self_removal.h"
#include "support/short_path.h"
#include "support/text_codec.h"
#include "support/win_handles.h"

namespace velk {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> BatchLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (;;) {
    const size_t end = bytes.find("\r\n", start);
    lines.push_back(bytes.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return lines;
    start = end + 2;
  }
}

// The quoted path of a line such as Del "..." or If Exist "..." Goto Marke.
std::string QuotedPart(const std::string& line) {
  const size_t open = line.find('"');
  const size_t close = line.find('"', open + 1);
  if (open == std::string::npos || close == std::string::npos) return {};
  return line.substr(open + 1, close - open - 1);
}

bool AllAscii(const std::string& bytes) {
  for (unsigned char c : bytes)
    if (c >= 0x80) return false;
  return true;
}

// Waits until none of the paths exists any more, or the time is up; returns the time waited.
double WaitUntilGone(const std::vector<std::string>& paths, double limitSeconds) {
  const auto start = Clock::now();
  for (;;) {
    bool any = false;
    for (const std::string& p : paths) any = any || testkit::Exists(p);
    const double waited = std::chrono::duration<double>(Clock::now() - start).count();
    if (!any || waited > limitSeconds) return waited;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

// The batch runs a little after the probe has ended; a few seconds are plenty.
constexpr double kRemovalLimit = 10.0;

TEST(KillBatch, PathsBesideTheProgramAndAtADriveRoot) {
  SelfRemovalPaths inFolder = SelfRemovalPathsFor("C:\\Games\\VelkSetup", "VelkSetup.exe", layout::kKillBatch);
  EXPECT_EQ(inFolder.exePath, "C:\\Games\\VelkSetup\\VelkSetup.exe");
  EXPECT_EQ(inFolder.batPath, "C:\\Games\\VelkSetup\\Kill.bat");

  SelfRemovalPaths atRoot = SelfRemovalPathsFor("D:\\", "VelkSetup.exe", layout::kKillBatch);
  EXPECT_EQ(atRoot.exePath, "D:\\VelkSetup.exe");
  EXPECT_EQ(atRoot.batPath, "D:\\Kill.bat");

  // ".exe" replaces whatever extension the file really has.
  EXPECT_EQ(SelfRemovalPathsFor("E:\\x", "Setup.bin", layout::kKillBatch).exePath, "E:\\x\\Setup.exe");
  EXPECT_EQ(SelfRemovalPathsFor("E:\\x", "Setup.1.2.exe", layout::kKillBatch).exePath, "E:\\x\\Setup.1.2.exe");
}

TEST(KillBatch, LinesForAnAsciiFolder) {
  const std::string exe = "C:\\Games\\Velk Setup\\VelkSetup.exe";
  const std::string bat = "C:\\Games\\Velk Setup\\Kill.bat";
  const std::string bytes = BuildKillBatchBytes(exe, bat);
  const std::vector<std::string> lines = BatchLines(bytes);

  // The loop keeps its form: label, Del, the If Exist jump back, and the final del without a
  // line end; the pause and the bound sit between them.
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines.front(), "@echo off");
  EXPECT_EQ(lines.back(), "del \"" + bat + "\"");
  EXPECT_NE(bytes.substr(bytes.size() - 2), "\r\n");
  std::vector<std::string> expectedOrder = {":Marke", "Del \"" + exe + "\"",
                                            "If Exist \"" + exe + "\" Goto Marke",
                                            "del \"" + bat + "\""};
  size_t at = 0;
  for (const std::string& line : lines)
    if (at < expectedOrder.size() && line == expectedOrder[at]) ++at;
  EXPECT_EQ(at, expectedOrder.size()) << bytes;

  // A pause between tries and a bound on their number.
  int pauses = 0, bounds = 0;
  for (const std::string& line : lines) {
    if (line.find("ping -n 2 127.0.0.1 >nul") != std::string::npos) ++pauses;
    if (line.find("GEQ " + std::to_string(kKillBatchAttempts) + " Goto") != std::string::npos) ++bounds;
  }
  EXPECT_EQ(pauses, 1);
  EXPECT_EQ(bounds, 1);
  // Every line but the last ends in CR LF: no bare LF anywhere.
  EXPECT_EQ(bytes.find("\n"), bytes.find("\r\n") + 1);
  for (const std::string& line : lines) EXPECT_EQ(line.find('\n'), std::string::npos);
}

TEST(KillBatch, DriveRootAndPercent) {
  SelfRemovalPaths root = SelfRemovalPathsFor("D:\\", "VelkSetup.exe", layout::kKillBatch);
  std::vector<std::string> lines = BatchLines(BuildKillBatchBytes(root.exePath, root.batPath));
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Del \"D:\\VelkSetup.exe\""), lines.end());
  EXPECT_EQ(lines.back(), "del \"D:\\Kill.bat\"");

  // cmd expands %...% inside quotes too; doubled, it reads a single %.
  lines = BatchLines(BuildKillBatchBytes("C:\\100%Mod\\VelkSetup.exe", "C:\\100%Mod\\Kill.bat"));
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Del \"C:\\100%%Mod\\VelkSetup.exe\""), lines.end());
  EXPECT_EQ(lines.back(), "del \"C:\\100%%Mod\\Kill.bat\"");
}

TEST(KillBatch, UmlautFolderInTheOemCodePageInEveryLine) {
  testkit::TempFolder temp("kb");
  const std::string folder = temp.path() + "\\Zürich";
  ASSERT_TRUE(CreateFolders(folder));
  const std::string bytes =
      BuildKillBatchBytes(folder + "\\VelkSetup.exe", folder + "\\Kill.bat");
  const std::vector<std::string> lines = BatchLines(bytes);
  const std::string oemFolder = ToOem(folder);
  // ü is 0x81 in the OEM code pages 437 and 850; in ANSI it would be 0xFC.
  ASSERT_NE(oemFolder.find('\x81'), std::string::npos);
  EXPECT_EQ(bytes.find('\xFC'), std::string::npos);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Del \"" + oemFolder + "\\VelkSetup.exe\""),
            lines.end());
  // The batch's own path too, so that cmd finds it for the last line.
  EXPECT_EQ(lines.back(), "del \"" + oemFolder + "\\Kill.bat\"");
}

TEST(KillBatch, CyrillicFolderInItsShortForm) {
  testkit::TempFolder temp("kb");
  const std::string folder = temp.path() + "\\Установка игры";
  ASSERT_TRUE(CreateFolders(folder));
  testkit::WriteFile(folder + "\\VelkSetup.exe", "MZ");
  const std::string bytes =
      BuildKillBatchBytes(folder + "\\VelkSetup.exe", folder + "\\Kill.bat");
  const std::vector<std::string> lines = BatchLines(bytes);
  // No OEM code page of a Western locale has Cyrillic: the names go in their 8.3 form.
  EXPECT_TRUE(AllAscii(bytes)) << bytes;
  // Only the Cyrillic folder name is replaced; the names before and after it stay.
  const std::string exeInBatch = QuotedPart(lines[3]);
  EXPECT_EQ(lines[3].rfind("Del ", 0), 0u);
  EXPECT_EQ(exeInBatch.rfind(temp.path() + "\\", 0), 0u) << exeInBatch;
  EXPECT_EQ(exeInBatch.substr(exeInBatch.size() - 14), "\\VelkSetup.exe") << exeInBatch;
  EXPECT_TRUE(SameFileObject(exeInBatch, folder + "\\VelkSetup.exe")) << exeInBatch;
  const std::string batInBatch = QuotedPart(lines.back());
  const std::string folderInBatch = exeInBatch.substr(0, exeInBatch.size() - 14);
  EXPECT_EQ(batInBatch, folderInBatch + "\\Kill.bat");
}

class SelfRemoval : public ::testing::Test {
 protected:
  // A copy of the probe as <folderName>\VelkSetup.exe.
  std::string PlaceProbe(const std::string& folderName) {
    const std::string folder = temp_.path() + "\\" + folderName;
    EXPECT_TRUE(CreateFolders(folder));
    const std::string exe = folder + "\\VelkSetup.exe";
    EXPECT_TRUE(CopyFileOver(testkit::TestProgramPath("self_remove_probe"), exe));
    return exe;
  }
  static std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('\\')); }

  // Runs the probe and checks that it and Kill.bat disappear afterwards.
  void RunAndExpectGone(const std::string& exe, const std::string& arguments = {}) {
    const std::string bat = FolderOf(exe) + "\\Kill.bat";
    std::string output;
    ASSERT_EQ(testkit::RunProgram("\"" + exe + "\" " + arguments, {}, &output), 0) << output;
    WaitUntilGone({exe, bat}, kRemovalLimit);
    EXPECT_FALSE(testkit::Exists(exe));
    EXPECT_FALSE(testkit::Exists(bat));
    if (testkit::Exists(bat)) {
      // What cmd was asked to delete, to tell a batch that never ran from one naming
      // the wrong file.
      const std::string bytes = testkit::ReadFile(bat);
      const std::vector<std::string> lines = BatchLines(bytes);
      const std::string target = lines.size() > 3 ? QuotedPart(lines[3]) : std::string();
      ADD_FAILURE() << "Kill.bat is still there:\n" << bytes << "\nits target "
                    << (FileExists(target) ? "exists" : "does not exist");
    }
    // Nothing else is touched.
    EXPECT_TRUE(testkit::Exists(FolderOf(exe) + "\\keep.txt"));
  }

  testkit::TempFolder temp_{"sr"};
};

TEST_F(SelfRemoval, ProgramAndBatchGoAfterTheProgramEnded) {
  const std::string exe = PlaceProbe("Velk Setup");
  testkit::WriteFile(FolderOf(exe) + "\\keep.txt", "x");
  RunAndExpectGone(exe);
}

TEST_F(SelfRemoval, FoldersOutsideAscii) {
  for (const std::string name : {"Spiele für Zürich", "Установка игры", "100% Mod & Co"}) {
    SCOPED_TRACE(name);
    const std::string exe = PlaceProbe(name);
    testkit::WriteFile(FolderOf(exe) + "\\keep.txt", "x");
    RunAndExpectGone(exe);
  }
}

TEST_F(SelfRemoval, ReadOnlyProgramIsClearedAndGoes) {
  const std::string exe = PlaceProbe("ro");
  testkit::WriteFile(FolderOf(exe) + "\\keep.txt", "x");
  ASSERT_TRUE(SetAttributes(exe, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  RunAndExpectGone(exe);
}

TEST_F(SelfRemoval, BatchWaitsForAProgramThatEndsLate) {
  const std::string exe = PlaceProbe("late");
  testkit::WriteFile(FolderOf(exe) + "\\keep.txt", "x");
  const std::string bat = FolderOf(exe) + "\\Kill.bat";
  const auto start = Clock::now();
  // The probe stays 2 s after starting the batch: the first tries fail, a later one succeeds
  // (without retries the program file would stay).
  ASSERT_EQ(testkit::RunProgram("\"" + exe + "\" 2000"), 0);
  WaitUntilGone({exe, bat}, kRemovalLimit);
  EXPECT_FALSE(testkit::Exists(exe));
  EXPECT_FALSE(testkit::Exists(bat));
  EXPECT_GE(std::chrono::duration<double>(Clock::now() - start).count(), 2.0);
}

TEST_F(SelfRemoval, ProgramThatCanNeverBeDeletedEndsTheBatchWithinItsBound) {
  const std::string folder = temp_.path() + "\\held";
  ASSERT_TRUE(CreateFolders(folder));
  const std::string exe = folder + "\\Held.exe";
  testkit::WriteFile(exe, "MZ");
  // Held open without sharing: no Del can succeed while this handle lives.
  UniqueFile held(CreateFileW(Widen(exe).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held);

  const auto start = Clock::now();
  ASSERT_TRUE(StartSelfRemoval(folder, "Held.exe", layout::kKillBatch));
  const std::string bat = folder + "\\Kill.bat";
  ASSERT_TRUE(testkit::Exists(bat));
  const double waited = WaitUntilGone({bat}, 30.0);
  const double total = std::chrono::duration<double>(Clock::now() - start).count();
  // The batch gives up by itself after its tries, about a second apart, and removes itself;
  // only the program file remains.
  EXPECT_FALSE(testkit::Exists(bat));
  EXPECT_LT(waited, kRemovalLimit);
  EXPECT_GE(total, 0.8 * (kKillBatchAttempts - 1));
  EXPECT_TRUE(testkit::Exists(exe));
}

}  // namespace
}  // namespace velk
