#include "engine/record_guard.h"

#include <algorithm>
#include <vector>

#include "levels/game_layout.h"
#include "support/file_helpers.h"
#include "support/link_check.h"
#include "support/path_rules.h"
#include "support/text_tools.h"

namespace velk {
namespace {

std::vector<std::string> Names(const std::string& relative) {
  std::vector<std::string> names;
  size_t start = 0;
  for (size_t slash; (slash = relative.find('\\', start)) != std::string::npos; start = slash + 1)
    names.push_back(relative.substr(start, slash - start));
  names.push_back(relative.substr(start));
  return names;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// Where a level folder may lie: Levels\<Level>, or Mods\<Mod>\Levels\<Level>.
bool IsLevelFolderShape(const std::vector<std::string>& names) {
  const std::string levels = std::string(layout::kLevels).substr(1);
  const std::string mods = std::string(layout::kMods).substr(1);
  if (names.size() == 2) return EqualsNoCase(names[0], levels);
  return names.size() == 4 && EqualsNoCase(names[0], mods) && EqualsNoCase(names[2], levels);
}

}  // namespace

std::string RecordGuard::Check(RecordedKind kind, const std::string& text, std::string& why,
                               const std::string& script) {
  why.clear();
  if (kind == RecordedKind::LevelFolder) return CheckLevelFolder(text, why);
  if (kind == RecordedKind::Shortcut) {
    // A file name the desktop can hold, no folder in it, and a shortcut's extension.
    const bool plainName = !text.empty() && text.find_first_of("\\/:*?\"<>|") == std::string::npos &&
                           std::none_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    if (!plainName || !EndsWithNoCase(text, layout::kLinkExtension) || text.size() <= 4) {
      why = "not a shortcut name";
      return {};
    }
    return text;
  }
  if (kind == RecordedKind::Backup) {
    // Only the two names the conversion gives a backup, beside its script.
    const std::string leaf = LeafName(script);
    const bool named = EqualsNoCase(text, leaf + layout::kScriptBackupSuffix) ||
                       EqualsNoCase(text, leaf + layout::kScriptOwnBackupSuffix);
    if (!named) {
      why = "not a backup name of " + leaf;
      return {};
    }
    return ReachedWithinGame(FolderOf(script) + "\\" + text, true, why) ? text : std::string();
  }
  const std::string folder = CheckLevelFolder(FolderOf(text), why);
  if (folder.empty()) {
    why = "not in a level folder";
    return {};
  }
  // The conversion names the script after the payload's first one, normally <Level>.lua.
  const std::string leaf = LeafName(NormalisedFullPath(gameDir_ + "\\" + text));
  if (!EndsWithNoCase(leaf, layout::kScriptExtension) || leaf.size() <= 4) {
    why = "not a level script";
    return {};
  }
  const std::string relative = folder + "\\" + leaf;
  return ReachedWithinGame(relative, true, why) ? relative : std::string();
}

std::string RecordGuard::CheckLevelFolder(const std::string& text, std::string& why) {
  // A full path counts when it lies in the game folder; a relative one is taken from there.
  const bool full = !NormalisedFullPath(text).empty();
  const std::string relative = PathBelow(full ? text : gameDir_ + "\\" + text, gameDir_);
  if (relative.empty()) {
    why = "outside the game folder";
    return {};
  }
  if (!IsLevelFolderShape(Names(relative))) {
    why = "not a level folder";
    return {};
  }
  return ReachedWithinGame(relative, false, why) ? relative : std::string();
}

bool RecordGuard::ReachedWithinGame(const std::string& relative, bool isFile, std::string& why) {
  const std::string path = gameDir_ + "\\" + relative;
  if (isFile) {
    // The wizard makes no links: a script or backup that is one is not the wizard's.
    if (FileExists(path) && LeadsElsewhere(path)) {
      why = "a link";
      return false;
    }
    return ReachedWithinGame(FolderOf(relative), false, why);
  }
  // Each folder is asked once: a long record names the same few folders again and again.
  const std::string key = FoldedCase(relative);
  auto known = checkedFolders_.find(key);
  if (known == checkedFolders_.end()) {
    const std::string parent = FolderOf(relative);
    bool within = parent.empty() || ReachedWithinGame(parent, false, why);
    // A folder that is not there is judged by the one above it, which is.
    if (within && FolderExists(path)) within = ReallyLiesWithin(path, gameDir_);
    known = checkedFolders_.emplace(key, within).first;
  }
  if (!known->second) why = "reached through a link out of the game folder";
  return known->second;
}

}  // namespace velk
