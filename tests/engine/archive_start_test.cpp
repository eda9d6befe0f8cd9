// The temporary folders archivers start a program in when it is double-clicked inside an
// archive, told by their names.
#include "engine/archive_start.h"

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(ArchiveStart, ArchiverTempFoldersByName) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {"C:\\Users\\me\\AppData\\Local\\Temp\\Temp1_VelkSetup-1.0.zip", true},
      {"C:\\Temp\\TEMP23_velk setup (2).ZIP", true},
      {"C:\\Temp\\Rar$EXa4412.18544", true},
      {"C:\\Temp\\7zO8B2C4F1D", true},
      {"C:\\Temp\\Temp_VelkSetup.zip", false},   // no digits
      {"C:\\Temp\\Temp1x_VelkSetup.zip", false},  // not only digits
      {"C:\\Temp\\Temp1_.zip", false},            // no archive name
      {"C:\\Temp\\Temp1_VelkSetup", false},       // not a zip
      {"C:\\Temp1_VelkSetup.zip\\VelkSetup", false},
      {"C:\\Games\\VelkSetup", false},
  };
  for (const auto& [folder, expected] : cases) EXPECT_EQ(IsArchiverTempFolder(folder), expected) << folder;
}

}  // namespace
}  // namespace velk
