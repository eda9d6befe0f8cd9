// Short names in batch files when siblings share one: under Wine a short name is a hash of
// the long one, so among many Cyrillic-named folders some have the same short name, and that
// name opens only the first of them. Nothing may then be read, deleted or run in the other.
#include "support/short_path.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kit/test_kit.h"
#include "support/command_runner.h"
#include "support/file_helpers.h"
#include "support/text_codec.h"

namespace velk {
namespace {

// The platform's short form, unchecked.
std::string RawShortName(const std::string& path) {
  wchar_t buffer[1024] = {};
  const DWORD n = GetShortPathNameW(Widen(path).c_str(), buffer, 1024);
  return n == 0 || n >= 1024 ? std::string() : Narrow(std::wstring(buffer, n));
}

class SharedShortNames : public ::testing::Test {
 protected:
  // Siblings "Установка <n>" until two get the same short name (a few hundred suffice); each
  // holds who.txt with its own number. Returns the folder the shared name does not open and
  // the one it opens, or empty strings when short names are unique here.
  std::pair<std::string, std::string> FindMisleadingPair() {
    std::map<std::string, std::string> byShortName;
    for (int n = 1; n <= 3000; ++n) {
      const std::string folder = temp_.path() + "\\Установка " + std::to_string(n);
      if (!CreateFolders(folder)) return {};
      testkit::WriteFile(folder + "\\who.txt", std::to_string(n));
      const std::string shortName = RawShortName(folder);
      const auto found = byShortName.find(shortName);
      if (found != byShortName.end()) {
        const std::string& earlier = found->second;
        return SameFileObject(shortName, folder) ? std::make_pair(earlier, folder)
                                                 : std::make_pair(folder, earlier);
      }
      byShortName[shortName] = folder;
    }
    return {};
  }

  testkit::TempFolder temp_{"ssn"};
};

TEST_F(SharedShortNames, NeitherTheBatchNorTheCommandReachesTheOtherFolder) {
  const auto [misled, opened] = FindMisleadingPair();
  if (misled.empty()) GTEST_SKIP() << "short names are unique on this file system";
  const std::string own = testkit::ReadFile(misled + "\\who.txt");
  const std::string other = testkit::ReadFile(opened + "\\who.txt");
  ASSERT_NE(own, other);

  // The checked short name is the long path itself here, and it opens the right folder.
  EXPECT_TRUE(SameFileObject(GetShortName(misled), misled));
  EXPECT_TRUE(SameFileObject(GetShortName(misled + "\\who.txt"), misled + "\\who.txt"));

  // No batch-safe form exists, so the batch gets the long path, which opens nothing else
  // (its Cyrillic letters become '?' in the OEM code page and cmd finds no such file).
  EXPECT_EQ(OemSafeForm(misled + "\\who.txt"), "");
  EXPECT_EQ(BatchSafePath(misled + "\\who.txt"), misled + "\\who.txt");

  // A command run in the folder runs there all the same and reads its own file.
  const std::string output = ExecDosCommand("type who.txt", misled + "\\");
  EXPECT_EQ(output, own) << output;

  // The self-removal batch of a program in that folder must not delete the other's program.
  testkit::WriteFile(misled + "\\VelkSetup.exe", "MZ own");
  testkit::WriteFile(opened + "\\VelkSetup.exe", "MZ other");
  const std::string kill = misled + "\\kill-test.bat";
  const std::string del = "Del \"" + BatchSafePath(misled + "\\VelkSetup.exe") + "\"\r\n";
  testkit::WriteFile(kill, ToOem(del));
  testkit::RunProgram("cmd /d /c \"\"" + kill + "\"\"");
  EXPECT_EQ(testkit::ReadFile(opened + "\\VelkSetup.exe"), "MZ other");
}

TEST(OemSafeForm, ReplacesOnlyTheNamesOutsideTheCodePage) {
  testkit::TempFolder temp("osf");
  const std::string deep = temp.path() + "\\Spiele für Zürich\\Установка\\Far Cry 100%";
  ASSERT_TRUE(CreateFolders(deep));
  testkit::WriteFile(deep + "\\a.txt", "a");

  const std::string safe = OemSafeForm(deep + "\\a.txt");
  ASSERT_FALSE(safe.empty());
  EXPECT_TRUE(IsOemSafe(safe)) << safe;
  EXPECT_EQ(safe.rfind(temp.path() + "\\Spiele für Zürich\\", 0), 0u) << safe;
  EXPECT_NE(safe.find("\\Far Cry 100%\\a.txt"), std::string::npos) << safe;
  EXPECT_TRUE(SameFileObject(safe, deep + "\\a.txt"));
  // A trailing backslash stays, and a name that does not exist yet is appended as written.
  const std::string folder = OemSafeForm(deep + "\\");
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_TRUE(SameFileObject(folder, deep));
  EXPECT_EQ(OemSafeForm(deep + "\\new.7z"), safe.substr(0, safe.size() - 5) + "new.7z");
  // A Cyrillic name that does not exist has no short form.
  EXPECT_EQ(OemSafeForm(deep + "\\Новый.7z"), "");
  // Drive roots and relative paths.
  EXPECT_EQ(OemSafeForm("C:\\"), "C:\\");
  EXPECT_EQ(OemSafeForm("."), ".");
}

TEST(SameFileObject, FilesFoldersAndMissingPaths) {
  testkit::TempFolder temp("sfo");
  testkit::WriteFile(temp.path() + "\\a.txt", "a");
  testkit::WriteFile(temp.path() + "\\b.txt", "a");
  EXPECT_TRUE(SameFileObject(temp.path() + "\\a.txt", temp.path() + "\\.\\A.TXT"));
  EXPECT_FALSE(SameFileObject(temp.path() + "\\a.txt", temp.path() + "\\b.txt"));
  EXPECT_TRUE(SameFileObject(temp.path(), temp.path() + "\\"));
  EXPECT_FALSE(SameFileObject(temp.path() + "\\missing", temp.path() + "\\missing"));
}

}  // namespace
}  // namespace velk
