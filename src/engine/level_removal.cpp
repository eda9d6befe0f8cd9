#include "engine/level_removal.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/engine_io.h"
#include "engine/install_record.h"
#include "engine/install_run.h"
#include "engine/level_scripts.h"
#include "support/text_tools.h"
#include "engine/payload_scripts.h"
#include "support/content_hash.h"
#include "support/file_helpers.h"
#include "support/folder_scan.h"
#include "support/safe_write.h"

namespace velk {
namespace {

bool Contains(const std::vector<std::string>& folders, const std::string& folder) {
  return std::any_of(folders.begin(), folders.end(), [&](const std::string& f) { return EqualsNoCase(f, folder); });
}

void AddOnce(std::vector<std::string>& folders, const std::string& folder) {
  if (!Contains(folders, folder)) folders.push_back(folder);
}

std::string Leaf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

// Level folders besides the stock ones that may hold the mod: the recorded ones, wherever they
// lie, and the installed levels directly below <GameDir>\Levels. Other mods' level folders
// count only when the record names them.
std::vector<std::string> OtherLevelFolders(const WizardSession& session, WizardUi& ui,
                                           const std::vector<std::string>& stock) {
  const std::string gameDir = GameDirOf(ui);
  std::vector<std::string> others;
  for (const std::string& level : session.Record.levels) AddOnce(others, InGame(gameDir, level));
  const std::string levelsRoot = gameDir + layout::kLevels + "\\";
  for (const LevelEntry& level : session.InstalledLevels)
    if (StartsWithNoCase(level.Path, levelsRoot)) AddOnce(others, level.Path);
  std::erase_if(others, [&](const std::string& f) { return Contains(stock, f); });
  return others;
}

// The recorded scripts of one level folder.
void RestoreRecordedScripts(const WizardSession& session, WizardUi& ui, const std::string& folder) {
  const std::string gameDir = GameDirOf(ui);
  for (const RecordedScript& entry : session.Record.scripts) {
    const std::string script = InGame(gameDir, entry.script);
    if (!EqualsNoCase(script.substr(0, script.rfind('\\')), folder)) continue;
    DeleteLogged(ui, script + kPartSuffix, script + kPartSuffix);
    if (!entry.backup.empty()) DeleteLogged(ui, folder + "\\" + entry.backup + kPartSuffix, folder + "\\" + entry.backup + kPartSuffix);
    if (!entry.backup.empty()) {
      const std::string backup = folder + "\\" + entry.backup;
      if (FileExists(backup)) RestoreScript(ui, script, backup);
      continue;
    }
    // A script the level did not have before goes, unless someone has changed it since.
    std::string bytes;
    if (!FileExists(script) || !ReadFileBytes(script, bytes)) continue;
    if (ContentHash(bytes) == entry.modHash) {
      DeleteLogged(ui, script, script);
    } else {
      LogLine(ui, "Left " + script + ": changed since the install");
    }
  }
}

// Backups an earlier version made: <script>.lua.bak beside the payload's own script.
void RestoreUnrecordedScripts(WizardUi& ui, PayloadScripts& payload, const std::string& folder) {
  std::vector<FileEntry> backups;
  FindFiles(folder, false, std::string("*") + layout::kScriptBackupSuffix, backups,
            [&ui] { ui.ProcessPendingEvents(); });
  const std::string suffix = layout::kScriptBackupSuffix;
  for (const FileEntry& backup : backups) {
    if (!EndsWithNoCase(backup.Name, std::string(".lua") + suffix)) continue;
    const std::string script = backup.FullName.substr(0, backup.FullName.size() - suffix.size());
    std::string bytes;
    if (!FileExists(script) || !ReadFileBytes(script, bytes)) continue;
    if (payload.Script(Leaf(folder), Leaf(script)) == bytes) RestoreScript(ui, script, backup.FullName);
  }
}

}  // namespace

void RemoveModFromLevels(WizardSession& session, WizardUi& ui, bool heading) {
  const std::string gameDir = GameDirOf(ui);
  const std::vector<std::string> stock = StockLevelFolders(ui);
  const std::vector<std::string> others = OtherLevelFolders(session, ui, stock);
  DelLuaFiles(ui);
  for (const std::string& folder : others) RemoveModArchives(ui, folder);
  if (heading) LogLine(ui, "Restoring level scripts");
  PayloadScripts payload(session, ui);
  bool recordChanged = false;
  for (const std::vector<std::string>* group : {&stock, &others}) {
    for (const std::string& folder : *group) {
      const std::string disabled = folder + "\\" + session.LevelPakName + layout::kDisabledSuffix;
      DeleteLogged(ui, disabled, disabled);
      // Half a copy of the archive that a run ended by force left behind.
      DeleteLogged(ui, folder + "\\" + session.LevelPakName + kPartSuffix, folder + "\\" + session.LevelPakName + kPartSuffix);
      const std::string level = RelativeToGame(gameDir, folder);
      if (session.Record.HasLevel(level)) {
        RestoreRecordedScripts(session, ui, folder);
        session.Record.RemoveLevel(level);
        recordChanged = true;
      } else {
        RestoreUnrecordedScripts(ui, payload, folder);
      }
    }
  }
  if (recordChanged) WriteInstallRecord(ModFolderPath(session, ui), session.Record);
}

}  // namespace velk
