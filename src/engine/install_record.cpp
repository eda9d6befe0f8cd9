#include "engine/install_record.h"

#include <algorithm>

#include "support/text_tools.h"
#include "levels/game_layout.h"
#include "support/file_helpers.h"
#include "support/safe_write.h"

namespace velk {
namespace {

constexpr const char* kHeader = "VELK install record 1";
constexpr char kTab = '\t';

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t tab; (tab = line.find(kTab, start)) != std::string::npos; start = tab + 1)
    fields.push_back(line.substr(start, tab - start));
  fields.push_back(line.substr(start));
  return fields;
}

std::string RecordFile(const std::string& modFolder) { return modFolder + "\\" + layout::kInstallRecord; }

}  // namespace

bool InstallRecord::HasLevel(const std::string& levelFolder) const {
  return std::any_of(levels.begin(), levels.end(),
                     [&](const std::string& l) { return EqualsNoCase(l, levelFolder); });
}

void InstallRecord::AddLevel(const std::string& levelFolder) {
  if (!HasLevel(levelFolder)) levels.push_back(levelFolder);
}

void InstallRecord::RemoveLevel(const std::string& levelFolder) {
  std::erase_if(levels, [&](const std::string& l) { return EqualsNoCase(l, levelFolder); });
  const std::string prefix = levelFolder + "\\";
  std::erase_if(scripts, [&](const RecordedScript& s) {
    return StartsWithNoCase(s.script, prefix) && s.script.find('\\', prefix.size()) == std::string::npos;
  });
}

const RecordedScript* InstallRecord::FindScript(const std::string& script) const {
  const auto it = std::find_if(scripts.begin(), scripts.end(),
                               [&](const RecordedScript& s) { return EqualsNoCase(s.script, script); });
  return it == scripts.end() ? nullptr : &*it;
}

void InstallRecord::SetScript(const RecordedScript& entry) {
  const auto it = std::find_if(scripts.begin(), scripts.end(),
                               [&](const RecordedScript& s) { return EqualsNoCase(s.script, entry.script); });
  if (it == scripts.end()) {
    scripts.push_back(entry);
  } else {
    *it = entry;
  }
}

InstallRecord ReadInstallRecord(const std::string& modFolder) {
  InstallRecord record;
  std::string bytes;
  if (!ReadFileBytes(RecordFile(modFolder), bytes)) return record;
  bool first = true;
  for (const std::string_view view : SplitLines(bytes)) {
    const std::string line(view);
    if (first) {
      // Another format is not guessed at: the record then counts as missing.
      if (line != kHeader) return record;
      record.found = true;
      first = false;
      continue;
    }
    const std::vector<std::string> f = Fields(line);
    if (f.size() == 2 && f[0] == "level" && !f[1].empty()) record.AddLevel(f[1]);
    if (f.size() == 4 && f[0] == "script" && !f[1].empty()) record.SetScript({f[1], f[2], f[3]});
  }
  return record;
}

bool WriteInstallRecord(const std::string& modFolder, const InstallRecord& record) {
  std::string text = std::string(kHeader) + "\r\n";
  for (const std::string& level : record.levels) text += "level\t" + level + "\r\n";
  for (const RecordedScript& s : record.scripts)
    text += "script\t" + s.script + kTab + s.backup + kTab + s.modHash + "\r\n";
  // Power-cut safe: without it an uninstall could not tell the wizard's backups from others.
  return CreateFolders(modFolder) && WriteFileSafely(RecordFile(modFolder), text, Durability::PowerCutSafe);
}

std::string RelativeToGame(const std::string& gameDir, const std::string& path) {
  const std::string root = gameDir + "\\";
  return StartsWithNoCase(path, root) ? path.substr(root.size()) : path;
}

std::string InGame(const std::string& gameDir, const std::string& relative) {
  const bool absolute = relative.rfind("\\\\", 0) == 0 || (relative.size() > 1 && relative[1] == ':');
  return absolute ? relative : gameDir + "\\" + relative;
}

}  // namespace velk
