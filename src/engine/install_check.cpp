#include "engine/install_check.h"

#include <algorithm>

#include "levels/game_layout.h"
#include "support/content_hash.h"
#include "support/file_helpers.h"
#include "support/text_tools.h"

namespace velk {
namespace {

std::string ModArchive(const std::string& folder) { return folder + "\\" + layout::kLevelPakName; }
std::string SwitchedOff(const std::string& folder) { return ModArchive(folder) + layout::kDisabledSuffix; }

class Checker {
 public:
  Checker(const std::string& gameDir, const MessageCatalogue& texts) : gameDir_(gameDir), t_(texts) {}

  void Find(const std::string& text, const std::string& argument, bool needsRepair = true) {
    result.findings.push_back({FormatText(text, argument), needsRepair});
  }

  void CheckLevel(const std::string& relative, const InstallRecord& record) {
    const std::string folder = InGame(gameDir_, relative);
    const std::string name = LeafName(relative);
    if (!FolderExists(folder)) {
      Find(t_.VerifyLevelGone, name);
      return;
    }
    if (FileExists(SwitchedOff(folder)) && !FileExists(ModArchive(folder))) {
      Find(t_.VerifySwitchedOff, name, false);
    } else if (!FileExists(ModArchive(folder))) {
      Find(t_.VerifyArchiveMissing, name);
    }
    for (const RecordedScript& entry : record.scripts) {
      if (!EqualsNoCase(entry.script.substr(0, entry.script.rfind('\\')), relative)) continue;
      std::string bytes;
      const std::string script = InGame(gameDir_, entry.script);
      if (!ReadFileBytes(script, bytes)) {
        Find(t_.VerifyScriptMissing, name);
      } else if (ContentHash(bytes) != entry.modHash) {
        Find(t_.VerifyScriptReplaced, name);
      }
      if (!entry.backup.empty() && !FileExists(folder + "\\" + entry.backup)) Find(t_.VerifyBackupMissing, name);
    }
    const RecordedPak* pak = record.FindPak(relative);
    if (pak && pak->fingerprint != FileFingerprint(folder + "\\" + layout::kStockLevelPak))
      Find(t_.VerifyLevelPakChanged, name);
  }

  InstallCheck result;

 private:
  std::string gameDir_;
  const MessageCatalogue& t_;
};

}  // namespace

bool InstallCheck::NeedsRepair() const {
  return std::any_of(findings.begin(), findings.end(), [](const InstallFinding& f) { return f.needsRepair; });
}

InstallCheck CheckInstalledMod(const std::string& gameDir, const InstallRecord& record,
                               const std::vector<LevelEntry>& installedLevels, const std::string& shortcut,
                               const MessageCatalogue& texts) {
  Checker check(gameDir, texts);
  const std::string modFolder = gameDir + layout::kModsDirSuffix + layout::kModFolderPrefix + layout::kModTag;
  const bool hasModFolder = FolderExists(modFolder);
  const bool anyArchive = std::any_of(installedLevels.begin(), installedLevels.end(), [](const LevelEntry& level) {
    return FileExists(ModArchive(level.Path)) || FileExists(SwitchedOff(level.Path));
  });
  check.result.installed = hasModFolder || anyArchive;
  if (!check.result.installed) return check.result;
  // Without its folder the mod has no record either: its archives are left over.
  if (!hasModFolder) check.Find(texts.VerifyModFolderMissing, modFolder);
  for (const std::string& level : record.levels) check.CheckLevel(level, record);
  if (!shortcut.empty() && !FileExists(shortcut)) check.Find(texts.VerifyShortcutMissing, LeafName(shortcut));
  return check.result;
}

}  // namespace velk
