#include "engine/level_removal.h"

#include <map>
#include <set>
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
#include "support/link_check.h"
#include "support/safe_write.h"

namespace velk {
namespace {

// Folder paths in a set that ignores letter case.
class FolderSet {
 public:
  bool Add(const std::string& folder) { return keys_.insert(FoldedCase(folder)).second; }
  bool Has(const std::string& folder) const { return keys_.count(FoldedCase(folder)) > 0; }

 private:
  std::set<std::string> keys_;
};

std::string Leaf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }
std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('\\')); }

// Level folders besides the stock ones that may hold the mod: the recorded ones, wherever they
// lie in the game, and the installed levels directly below <GameDir>\Levels. Other mods' level
// folders count only when the record names them. A recorded folder that is not there holds
// nothing to undo.
std::vector<std::string> OtherLevelFolders(const WizardSession& session,
                                           const std::vector<std::string>& stock) {
  const std::string gameDir = session.Request.gameDir;
  FolderSet seen;
  for (const std::string& folder : stock) seen.Add(folder);
  std::vector<std::string> others;
  for (const std::string& level : session.Record.levels) {
    const std::string folder = InGame(gameDir, level);
    if (FolderExists(folder) && seen.Add(folder)) others.push_back(folder);
  }
  const std::string levelsRoot = gameDir + layout::kLevels + "\\";
  for (const LevelEntry& level : session.InstalledLevels)
    if (StartsWithNoCase(level.Path, levelsRoot) && seen.Add(level.Path)) others.push_back(level.Path);
  return others;
}

// The recorded scripts by their level folder (full path, letter case folded).
using ScriptsByFolder = std::map<std::string, std::vector<const RecordedScript*>>;

ScriptsByFolder RecordedScriptsByFolder(const InstallRecord& record, const std::string& gameDir) {
  ScriptsByFolder byFolder;
  for (const RecordedScript& entry : record.scripts)
    byFolder[FoldedCase(FolderOf(InGame(gameDir, entry.script)))].push_back(&entry);
  return byFolder;
}

// The recorded scripts of one level folder; `handled` gets each script they name.
void RestoreRecordedScripts(RunEvents& events, const std::string& gameDir, const std::string& folder,
                            const std::vector<const RecordedScript*>& entries, FolderSet& handled) {
  for (const RecordedScript* entry : entries) {
    const std::string script = InGame(gameDir, entry->script);
    handled.Add(script);
    DeleteLogged(events, script + kPartSuffix, script + kPartSuffix);
    if (!entry->backup.empty()) {
      const std::string backup = folder + "\\" + entry->backup;
      DeleteLogged(events, backup + kPartSuffix, backup + kPartSuffix);
      if (FileExists(backup)) RestoreScript(events, script, backup);
      continue;
    }
    // A script the level did not have before goes, unless someone has changed it since.
    std::string bytes;
    if (!FileExists(script) || !ReadFileBytes(script, bytes)) continue;
    if (ContentHash(bytes) == entry->modHash) {
      DeleteLogged(events, script, script);
    } else {
      events.LogLine("Left " + script + ": changed since the install");
    }
  }
}

// Backups the record does not name (an earlier version kept no record; a damaged one lost
// lines): <script>.lua.velk.bak or <script>.lua.bak beside the payload's own script. The
// .velk.bak name is only ever the wizard's; where both are there, the .bak is someone else's.
void RestoreUnrecordedScripts(RunEvents& events, PayloadScripts& payload, const std::string& folder,
                              const FolderSet& handled) {
  std::vector<FileEntry> backups;
  FindFiles(folder, false, std::string("*") + layout::kScriptBackupSuffix, backups,
            [&events] { events.ProcessPendingEvents(); });
  FolderSet restored;
  for (const char* suffix : {layout::kScriptOwnBackupSuffix, layout::kScriptBackupSuffix}) {
    const std::string tail = std::string(layout::kScriptExtension) + suffix;
    for (const FileEntry& backup : backups) {
      if (!EndsWithNoCase(backup.Name, tail)) continue;
      const std::string script = backup.FullName.substr(0, backup.FullName.size() - std::string(suffix).size());
      // The wizard makes no links: a backup that is one is not the wizard's.
      if (handled.Has(script) || restored.Has(script) || !FileExists(backup.FullName) ||
          LeadsElsewhere(backup.FullName))
        continue;
      std::string bytes;
      if (!FileExists(script) || !ReadFileBytes(script, bytes)) continue;
      if (payload.Script(Leaf(folder), Leaf(script)) == bytes && RestoreScript(events, script, backup.FullName))
        restored.Add(script);
    }
  }
}

}  // namespace

void RemoveModFromLevels(WizardSession& session, RunEvents& events, bool heading) {
  const std::string gameDir = session.Request.gameDir;
  const std::vector<std::string> stock = StockLevelFolders(session.Request.gameDir);
  const std::vector<std::string> others = OtherLevelFolders(session, stock);
  DelLuaFiles(session, events);
  for (const std::string& folder : others) RemoveModArchives(events, folder);
  if (heading) events.LogLine("Restoring level scripts");
  PayloadScripts payload(session, events);
  const ScriptsByFolder recorded = RecordedScriptsByFolder(session.Record, gameDir);
  static const std::vector<const RecordedScript*> kNone;
  for (const std::vector<std::string>* group : {&stock, &others}) {
    for (const std::string& folder : *group) {
      const std::string disabled = folder + "\\" + session.LevelPakName + layout::kDisabledSuffix;
      DeleteLogged(events, disabled, disabled);
      // Half a copy of the archive that a run ended by force left behind.
      const std::string part = folder + "\\" + session.LevelPakName + kPartSuffix;
      DeleteLogged(events, part, part);
      // What the record names is undone exactly; whatever else is there follows the rule for
      // levels without a record, so that a record cut short leaves no level half undone.
      const auto entries = recorded.find(FoldedCase(folder));
      FolderSet handled;
      RestoreRecordedScripts(events, gameDir, folder, entries == recorded.end() ? kNone : entries->second, handled);
      RestoreUnrecordedScripts(events, payload, folder, handled);
    }
  }
  if (!session.Record.levels.empty() || !session.Record.scripts.empty() || !session.Record.paks.empty()) {
    session.Record.levels.clear();
    session.Record.scripts.clear();
    session.Record.paks.clear();
    WriteInstallRecord(ModFolderPath(session), session.Record);
  }
}

}  // namespace velk
