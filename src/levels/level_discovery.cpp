#include "levels/level_discovery.h"

#include <algorithm>

#include "levels/game_layout.h"
#include "support/file_helpers.h"

namespace velk {
namespace {

// The list is only replaced when the scan found at least one level folder.
void ReplaceWhenFound(std::vector<LevelEntry>& list, std::vector<LevelEntry> found) {
  if (!found.empty()) list = std::move(found);
}

}  // namespace

std::vector<LevelEntry> BuildLevelList(const std::vector<FileEntry>& files,
                                       const std::string& requiredInPath) {
  std::vector<LevelEntry> levels;
  // The scan reports a folder's files together, so a change of folder starts a new level.
  std::string previousFolder;
  for (const FileEntry& file : files) {
    if (!requiredInPath.empty() && file.Path.find(requiredInPath) == std::string::npos) continue;
    if (file.Path != previousFolder && !file.Path.empty()) {
      LevelEntry entry;
      entry.Path = file.Path.substr(0, file.Path.size() - 1);
      const size_t slash = entry.Path.rfind('\\');
      entry.Name = slash == std::string::npos ? entry.Path : entry.Path.substr(slash + 1);
      levels.push_back(std::move(entry));
    }
    previousFolder = file.Path;
  }
  return levels;
}

void GetInstLevels(const std::string& gameDir, std::vector<LevelEntry>& installed,
                   const std::function<void()>& processPendingEvents) {
  std::vector<FileEntry> files;
  FindFiles(gameDir + layout::kLevels, true, layout::kLevelArchivePattern, files, processPendingEvents);
  FindFiles(gameDir + layout::kMods, true, layout::kLevelArchivePattern, files, processPendingEvents);
  // Case-sensitive on purpose: only level folders of mods count, not every mod archive.
  ReplaceWhenFound(installed, BuildLevelList(files, "Levels"));
}

void GetAvailableLevels(const std::string& appDir, std::vector<LevelEntry>& available,
                        const std::function<void()>& processPendingEvents) {
  std::vector<FileEntry> files;
  FindFiles(JoinPath(appDir, layout::kWorkFolderLowerCase), true, "*.*", files, processPendingEvents);
  ReplaceWhenFound(available, BuildLevelList(files));
}

std::vector<std::string> OfferedLevels(const std::vector<LevelEntry>& available,
                                       const std::vector<LevelEntry>& installed) {
  std::vector<std::string> offered;
  for (const LevelEntry& level : available) {
    const bool isInstalled = std::any_of(installed.begin(), installed.end(),
                                         [&](const LevelEntry& i) { return i.Name == level.Name; });
    if (isInstalled) offered.push_back(level.Name);
  }
  return offered;
}

}  // namespace velk
