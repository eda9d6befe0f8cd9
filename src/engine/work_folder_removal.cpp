#include "engine/work_folder_removal.h"

#include <algorithm>
#include <map>

#include "levels/game_layout.h"
#include "support/file_helpers.h"
#include "support/link_check.h"
#include "support/path_rules.h"
#include "support/text_codec.h"
#include "support/text_tools.h"

namespace velk {
namespace {

// "Attributes = D" (7z, zip) or "Folder = +" (tar and others) mark a folder; the attribute
// letters come before any blank (Unix modes follow it).
bool MarksFolder(std::string_view name, std::string_view value) {
  if (name == "Folder") return value == "+";
  if (name != "Attributes") return false;
  return value.substr(0, value.find(' ')).find('D') != std::string_view::npos;
}

bool Exists(const std::string& path) { return FileExists(path) || FolderExists(path); }

size_t Depth(const std::string& path) { return static_cast<size_t>(std::count(path.begin(), path.end(), '\\')); }

// The work folder and every folder below it on the way to `below`'s parent, in that order.
std::vector<std::string> FoldersOnTheWay(const std::string& workDir, const std::string& below) {
  std::vector<std::string> folders = {workDir};
  for (size_t slash = below.find('\\'); slash != std::string::npos; slash = below.find('\\', slash + 1))
    folders.push_back(workDir + "\\" + below.substr(0, slash));
  return folders;
}

}  // namespace

std::optional<std::vector<ArchiveEntry>> ParseArchiveListing(std::string_view output) {
  std::vector<ArchiveEntry> entries;
  bool inEntries = false;  // the archive's own block comes before the line of dashes
  for (std::string_view line : SplitLines(output)) {
    if (!inEntries) {
      inEntries = line == "----------";
      continue;
    }
    const size_t equals = line.find(" = ");
    if (equals == std::string_view::npos) continue;
    const std::string_view name = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 3);
    if (name == "Path")
      entries.push_back({std::string(value), false});
    else if (!entries.empty() && MarksFolder(name, value))
      entries.back().folder = true;
  }
  if (!inEntries) return std::nullopt;
  return entries;
}

std::vector<std::string> RemoveUnpackedEntries(const std::string& appDir,
                                               const std::vector<ArchiveEntry>& entries) {
  const std::string workDir = NormalisedFullPath(JoinPath(appDir, layout::kWorkFolder));
  std::vector<std::string> stayed;
  if (workDir.empty()) return stayed;
  std::map<std::string, std::string> folders;  // folded spelling -> path
  std::map<std::string, bool> linked;          // folded spelling -> leads elsewhere
  auto isLink = [&linked](const std::string& folder) {
    const auto [it, fresh] = linked.try_emplace(FoldedCase(folder), false);
    if (fresh) it->second = LeadsElsewhere(folder);
    return it->second;
  };
  for (const ArchiveEntry& entry : entries) {
    const std::string path = NormalisedFullPath(JoinPath(appDir, entry.path));
    const std::string below = PathBelow(path, workDir);
    if (below.empty()) continue;  // outside the work folder, or the folder itself
    const std::vector<std::string> way = FoldersOnTheWay(workDir, below);
    if (std::any_of(way.begin(), way.end(), isLink)) {
      if (Exists(path)) stayed.push_back(path);  // reached only through a link: left alone
      continue;
    }
    for (size_t i = 1; i < way.size(); ++i) folders.emplace(FoldedCase(way[i]), way[i]);
    if (entry.folder) {
      folders.emplace(FoldedCase(path), path);
    } else if (FolderExists(path) && !LeadsElsewhere(path)) {
      stayed.push_back(path);  // a folder where the archive has a file is not ours
    } else if (!DeleteFileAt(path)) {
      stayed.push_back(path);
    }
  }
  std::vector<std::string> byDepth;
  for (const auto& [key, path] : folders) byDepth.push_back(path);
  std::stable_sort(byDepth.begin(), byDepth.end(),
                   [](const std::string& a, const std::string& b) { return Depth(a) > Depth(b); });
  for (const std::string& folder : byDepth) {
    if (!Exists(folder)) continue;
    if (LeadsElsewhere(folder))
      RemoveLinkItself(Widen(folder));
    else
      KillDir(folder);
    // A folder kept by what stayed in it is told by that alone.
    const bool keptByStayed = std::any_of(stayed.begin(), stayed.end(), [&](const std::string& path) {
      return LiesWithin(path, folder);
    });
    if (Exists(folder) && !keptByStayed) stayed.push_back(folder);
  }
  return stayed;
}

}  // namespace velk
