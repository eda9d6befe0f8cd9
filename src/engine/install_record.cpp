#include "engine/install_record.h"

#include <algorithm>
#include <map>
#include <set>

#include "engine/record_guard.h"
#include "levels/game_layout.h"
#include "support/file_helpers.h"
#include "support/safe_write.h"
#include "support/text_tools.h"

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
  std::erase_if(paks, [&](const RecordedPak& p) { return EqualsNoCase(p.level, levelFolder); });
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

const RecordedPak* InstallRecord::FindPak(const std::string& levelFolder) const {
  const auto it = std::find_if(paks.begin(), paks.end(), [&](const RecordedPak& p) { return EqualsNoCase(p.level, levelFolder); });
  return it == paks.end() ? nullptr : &*it;
}

void InstallRecord::SetPak(const RecordedPak& entry) {
  const auto it = std::find_if(paks.begin(), paks.end(), [&](const RecordedPak& p) { return EqualsNoCase(p.level, entry.level); });
  if (it == paks.end()) {
    paks.push_back(entry);
  } else {
    *it = entry;
  }
}

namespace {

// The record's line as the run log shows it: its start, should it be long.
std::string Shown(std::string_view line) {
  constexpr size_t kShownLength = 200;
  return ReplaceAll(line.substr(0, kShownLength), "\t", " ") + (line.size() > kShownLength ? "..." : "");
}

class RecordReader {
 public:
  explicit RecordReader(const std::string& gameDir) : guard_(gameDir) {}

  void Read(size_t number, const std::string& line) {
    const std::vector<std::string> f = Fields(line);
    std::string why;
    if (f.size() == 2 && f[0] == "level") {
      const std::string level = guard_.Check(RecordedKind::LevelFolder, f[1], why);
      if (!level.empty() && levels_.insert(FoldedCase(level)).second) reading.record.levels.push_back(level);
    } else if (f.size() == 4 && f[0] == "script") {
      const std::string script = guard_.Check(RecordedKind::Script, f[1], why);
      const std::string backup = script.empty() || f[2].empty() ? std::string()
                                                                 : guard_.Check(RecordedKind::Backup, f[2], why, script);
      if (why.empty()) AddScript({script, backup, f[3]});
    } else if (f.size() == 2 && f[0] == "shortcut") {
      const std::string name = guard_.Check(RecordedKind::Shortcut, f[1], why);
      if (!name.empty()) reading.record.shortcut = name;
    } else if (f.size() == 3 && f[0] == "pak") {
      const std::string level = guard_.Check(RecordedKind::LevelFolder, f[1], why);
      if (!level.empty()) AddPak({level, f[2]});
    } else if (!line.empty()) {
      why = "not a record line";
    }
    if (!why.empty()) Ignore(number, line, why);
  }

  // The count of the ignored lines that were not shown one by one.
  void Finish() {
    if (ignoredCount_ > kShownAtMost)
      reading.ignored.back() = "Ignored " + std::to_string(ignoredCount_ - kShownAtMost) + " more lines of " +
                               layout::kInstallRecord;
  }

  RecordReading reading;

 private:
  // A record of thousands of hostile lines does not fill the run log: the first ones are
  // named, the rest counted.
  static constexpr size_t kShownAtMost = 20;

  void AddScript(const RecordedScript& entry) {
    const auto [at, added] = scripts_.emplace(FoldedCase(entry.script), reading.record.scripts.size());
    if (added) {
      reading.record.scripts.push_back(entry);
    } else {
      reading.record.scripts[at->second] = entry;  // the later line counts, as it was written last
    }
  }

  void AddPak(const RecordedPak& entry) {
    const auto [at, added] = paks_.emplace(FoldedCase(entry.level), reading.record.paks.size());
    if (added) {
      reading.record.paks.push_back(entry);
    } else {
      reading.record.paks[at->second] = entry;
    }
  }

  void Ignore(size_t number, const std::string& line, const std::string& why) {
    ++ignoredCount_;
    if (ignoredCount_ <= kShownAtMost) {
      reading.ignored.push_back(std::string("Ignored line ") + std::to_string(number) + " of " +
                                layout::kInstallRecord + " (" + why + "): " + Shown(line));
    } else if (ignoredCount_ == kShownAtMost + 1) {
      reading.ignored.push_back({});  // the count of the rest, filled in by Finish
    }
  }

  RecordGuard guard_;
  std::set<std::string> levels_;
  std::map<std::string, size_t> scripts_;
  std::map<std::string, size_t> paks_;
  size_t ignoredCount_ = 0;
};

}  // namespace

RecordReading ReadInstallRecord(const std::string& modFolder, const std::string& gameDir) {
  const std::string file = RecordFile(modFolder);
  if (!FileExists(file)) return {};
  if (FileSizeOf(file) > kInstallRecordLimit) {
    RecordReading tooLarge;
    tooLarge.ignored.push_back(file + " is larger than 1 MB: not read");
    return tooLarge;
  }
  std::string bytes;
  if (!ReadFileBytes(file, bytes)) return {};
  const std::vector<std::string_view> lines = SplitLines(bytes);
  // Another format is not guessed at: the record then counts as missing.
  if (lines.empty() || lines.front() != kHeader) return {};
  RecordReader reader(gameDir);
  reader.reading.record.found = true;
  for (size_t i = 1; i < lines.size(); ++i) reader.Read(i + 1, std::string(lines[i]));
  reader.Finish();
  return std::move(reader.reading);
}

bool WriteInstallRecord(const std::string& modFolder, const InstallRecord& record) {
  std::string text = std::string(kHeader) + "\r\n";
  for (const std::string& level : record.levels) text += "level\t" + level + "\r\n";
  for (const RecordedScript& s : record.scripts)
    text += "script\t" + s.script + kTab + s.backup + kTab + s.modHash + "\r\n";
  for (const RecordedPak& p : record.paks) text += "pak\t" + p.level + kTab + p.fingerprint + "\r\n";
  if (!record.shortcut.empty()) text += "shortcut\t" + record.shortcut + "\r\n";
  // Power-cut safe: without it an uninstall could not tell the wizard's backups from others.
  return CreateFolders(modFolder) && WriteFileSafely(RecordFile(modFolder), text, Durability::PowerCutSafe);
}

std::string RelativeToGame(const std::string& gameDir, const std::string& path) {
  const std::string root = gameDir + "\\";
  return StartsWithNoCase(path, root) ? path.substr(root.size()) : path;
}

std::string InGame(const std::string& gameDir, const std::string& relative) { return gameDir + "\\" + relative; }

}  // namespace velk
