#pragma once
// Which levels the game holds, and which the unpacked map payload offers.
#include <functional>
#include <string>
#include <vector>

#include "support/folder_scan.h"

namespace velk {

struct LevelEntry {
  std::string Name;  // the folder's last component
  std::string Path;  // the level folder, no trailing backslash
};

// One entry per folder that directly holds a scanned file, in scan order. Records whose
// folder does not contain `requiredInPath` (when not empty) are skipped.
std::vector<LevelEntry> BuildLevelList(const std::vector<FileEntry>& files,
                                       const std::string& requiredInPath = {});

// Rebuilds `installed` from <gameDir>\Levels and <gameDir>\Mods ("*.pak", paths containing
// "Levels"). A scan that finds nothing leaves the list as it was.
void GetInstLevels(const std::string& gameDir, std::vector<LevelEntry>& installed,
                   const std::function<void()>& processPendingEvents = {});

// Rebuilds `available` from <appDir>\temp (every folder holding any file). A scan that finds
// nothing leaves the list as it was.
void GetAvailableLevels(const std::string& appDir, std::vector<LevelEntry>& available,
                        const std::function<void()>& processPendingEvents = {});

// The names of `available` that are also in `installed` (exact comparison), in order.
std::vector<std::string> OfferedLevels(const std::vector<LevelEntry>& available,
                                       const std::vector<LevelEntry>& installed);

}  // namespace velk
