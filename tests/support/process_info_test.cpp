#include "support/process_info.h"
#include "support/single_instance.h"

#include <windows.h>

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "kit/test_kit.h"
#include "support/file_helpers.h"

namespace velk {
namespace {

TEST(ProcessInfo, OwnFileAndFolder) {
  const std::string exe = OwnExePath();
  ASSERT_GT(exe.size(), std::string("velk_support_tests.exe").size());
  EXPECT_EQ(exe.substr(exe.size() - 22), "velk_support_tests.exe");
  EXPECT_TRUE(FileExists(exe));
  const std::string folder = ExeFolder();
  EXPECT_EQ(folder + "\\velk_support_tests.exe", exe);
  EXPECT_NE(folder.back(), '\\');
  EXPECT_TRUE(FileExists(folder + "\\7z.exe"));
}

TEST(ProcessInfo, CurrentFolderRoundTrip) {
  const std::string saved = CurrentFolder();
  testkit::TempFolder temp("cf Zürich Игры");
  ASSERT_TRUE(SetCurrentFolder(temp.path()));
  EXPECT_EQ(CurrentFolder(), temp.path());
  EXPECT_FALSE(SetCurrentFolder(temp.path() + "\\missing"));
  EXPECT_EQ(CurrentFolder(), temp.path());
  ASSERT_TRUE(SetCurrentFolder(saved));
  EXPECT_EQ(CurrentFolder(), saved);
}

TEST(ProcessInfo, TemporaryFolderEndsInABackslash) {
  const std::string temp = TempFolder();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '\\');
  EXPECT_TRUE(FolderExists(temp));
  // test_main gives every test process a folder of its own.
  EXPECT_NE(temp.find("velk-test-" + std::to_string(GetCurrentProcessId())), std::string::npos);
}

TEST(ProcessInfo, PlatformFacts) {
  // ./run starts the tests with LC_ALL=en_US.UTF-8: English (United States).
  EXPECT_EQ(SystemDefaultLcid(), static_cast<unsigned>(GetSystemDefaultLCID()));
  EXPECT_EQ(SystemDefaultLcid(), 1033u);
  EXPECT_FALSE(DebuggerAttached());
}

TEST(ProcessInfo, ErrorTextsAreTheSystemsTrimmed) {
  const std::string text = ErrorText(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(text.empty());
  EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
  EXPECT_NE(text.back(), ' ');
  EXPECT_NE(ErrorText(ERROR_ACCESS_DENIED), text);
  SetLastError(ERROR_ACCESS_DENIED);
  EXPECT_EQ(LastErrorText(), ErrorText(ERROR_ACCESS_DENIED));
  // A code the system has no text for still gives something to show.
  EXPECT_EQ(ErrorText(0x2FFFFFFF), "Error " + std::to_string(0x2FFFFFFF));
}

TEST(SingleInstance, SecondAcquisitionFailsOrWaitsForTheFirst) {
  const std::string name = "VelkSetupTest-" + std::to_string(GetCurrentProcessId());
  // Each acquisition in a thread of its own, as in two programs.
  auto acquiredElsewhere = [&](unsigned waitMs) {
    bool acquired = false;
    std::thread([&] { acquired = SingleInstance(name, waitMs).Acquired(); }).join();
    return acquired;
  };
  {
    SingleInstance first(name);
    EXPECT_TRUE(first.Acquired());
    EXPECT_FALSE(acquiredElsewhere(0));
    EXPECT_FALSE(acquiredElsewhere(100));
  }
  // Released with its owner: the next one acquires it again.
  EXPECT_TRUE(acquiredElsewhere(0));
  // A waiting one gets it once the owner lets go.
  std::atomic<bool> owned{false};
  std::thread owner([&] {
    SingleInstance first(name);
    owned = first.Acquired();
    Sleep(300);
  });
  while (!owned) Sleep(10);
  EXPECT_TRUE(acquiredElsewhere(10000));
  owner.join();
}

}  // namespace
}  // namespace velk
