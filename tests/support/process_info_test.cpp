#include "support/process_info.h"

#include <windows.h>

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

TEST(SingleInstance, SecondAcquisitionFails) {
  const std::string name = "VelkSetupTest-" + std::to_string(GetCurrentProcessId());
  {
    SingleInstance first(name);
    EXPECT_TRUE(first.Acquired());
    SingleInstance second(name);
    EXPECT_FALSE(second.Acquired());
  }
  // Released with its owners: the next one acquires it again.
  SingleInstance again(name);
  EXPECT_TRUE(again.Acquired());
}

}  // namespace
}  // namespace velk
