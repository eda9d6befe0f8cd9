#include "engine/level_scripts.h"

#include <vector>

#include "engine/engine_io.h"
#include "engine/install_record.h"
#include "engine/install_run.h"
#include "support/content_hash.h"
#include "support/file_helpers.h"
#include "support/folder_scan.h"
#include "support/safe_write.h"

namespace velk {
namespace {

std::string Leaf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

bool ReadIfThere(const std::string& path, std::string& bytes) {
  return FileExists(path) && ReadFileBytes(path, bytes);
}

// Where the stock script `target` is (or goes) kept. `isMod` tells the mod's script from the
// stock one. Empty with kind Added when there is no stock script to keep.
ScriptChange PlanBackup(const std::string& target, const RecordedScript* recorded,
                        const std::string& modBytes) {
  ScriptChange plan;
  plan.script = target;
  std::string current;
  const bool hasScript = ReadIfThere(target, current);
  const bool currentIsMod =
      hasScript && (current == modBytes || (recorded && ContentHash(current) == recorded->modHash));
  const std::string folder = target.substr(0, target.rfind('\\') + 1);
  // A backup the record names is the wizard's, made before the stock script was replaced.
  if (recorded && !recorded->backup.empty() && FileExists(folder + recorded->backup)) {
    plan.kind = ScriptChange::Kind::BackedUp;
    plan.backup = folder + recorded->backup;
    return plan;
  }
  plan.kind = ScriptChange::Kind::Added;
  if (!hasScript) return plan;
  const std::string usual = target + layout::kScriptBackupSuffix;
  if (currentIsMod) {
    // Installed by an earlier version, which kept no record: its backup, when it has one and
    // it is not empty, holds the stock script.
    std::string backup;
    if (!recorded && ReadIfThere(usual, backup) && !backup.empty()) {
      plan.kind = ScriptChange::Kind::BackedUp;
      plan.backup = usual;
    }
    return plan;
  }
  // The stock script is still in place: it is kept under a name no other file holds. A file
  // the wizard did not make (the user's own backup, a half-written one of a run ended by force)
  // is never taken for the stock script, nor overwritten.
  for (const std::string& name : {usual, target + layout::kScriptOwnBackupSuffix}) {
    if (FileExists(name)) continue;
    plan.kind = ScriptChange::Kind::BackedUp;
    plan.backup = name;
    return plan;
  }
  plan.kind = ScriptChange::Kind::Refused;
  return plan;
}

}  // namespace

void SaveInstallRecord(WizardSession& session, RunEvents& events) {
  session.Record.found = true;  // compared as written from now on
  if (WriteInstallRecord(ModFolderPath(session), session.Record)) return;
  const std::string file = ModFolderPath(session) + "\\" + layout::kInstallRecord;
  events.LogLine("Could not write the install record " + file);
  ShowCatalogueError(events, session.Texts.MsgWriteFailed, file);
}

ScriptChange CopyLua(WizardSession& session, RunEvents& events) {
  const std::string gameDir = session.Request.gameDir;
  const std::string level = RelativeToGame(gameDir, session.LevelDir);
  std::vector<FileEntry> scripts;
  FindFiles(JoinPath(session.AppDir, layout::kWorkFolder) + "\\" + session.CurrentLevel, false,
            layout::kScriptPattern, scripts, [&events] { events.ProcessPendingEvents(); });
  std::string modBytes;
  if (scripts.empty() || !ReadFileBytes(scripts.front().FullName, modBytes)) {
    if (!session.Record.HasLevel(level) || !session.Record.found) {
      session.Record.AddLevel(level);
      SaveInstallRecord(session, events);
    }
    return {};
  }
  // One script per level: the first one the folder lists.
  const std::string target = session.LevelDir + "\\" + scripts.front().Name;
  const std::string entry = RelativeToGame(gameDir, target);
  ScriptChange change = PlanBackup(target, session.Record.FindScript(entry), modBytes);
  if (change.kind == ScriptChange::Kind::Refused) {
    events.LogLine(target + layout::kScriptBackupSuffix + " and " + Leaf(target) + layout::kScriptOwnBackupSuffix +
                    " are not the wizard's backups");
    return change;
  }

  // Recorded first: whatever a kill interrupts below, the uninstall finds it.
  InstallRecord before = session.Record;
  session.Record.AddLevel(level);
  session.Record.SetScript({entry, change.backup.empty() ? "" : Leaf(change.backup), ContentHash(modBytes)});
  // Written before anything it names is changed; an unchanged record (a repair) is not.
  if (!(session.Record == before) || !before.found) SaveInstallRecord(session, events);
  const bool newBackup = change.kind == ScriptChange::Kind::BackedUp && !FileExists(change.backup);
  // The stock script exists nowhere else: its backup must survive even a power cut.
  if (newBackup && !CopyFileSafely(target, change.backup, Durability::PowerCutSafe)) {
    events.LogLine("Could not back up " + target);
    session.Record = before;
    SaveInstallRecord(session, events);
    return {ScriptChange::Kind::Refused, target, {}};
  }
  // The stock script is kept now; a read-only attribute does not keep it from being replaced.
  const std::uint32_t attributes = GetAttributes(target);
  if (change.kind == ScriptChange::Kind::BackedUp && attributes != 0xFFFFFFFFu && (attributes & 1u))
    SetAttributes(target, attributes & ~1u);
  if (!CopyFileSafely(scripts.front().FullName, target)) {
    events.LogLine("Could not copy the mod's script to " + target);
    if (newBackup) DeleteOwnFile(change.backup);
    session.Record = before;
    SaveInstallRecord(session, events);
    return {ScriptChange::Kind::Refused, target, {}};
  }
  return change;
}

void UndoCopyLua(WizardSession& session, RunEvents& events, const ScriptChange& change) {
  if (change.kind == ScriptChange::Kind::BackedUp) RestoreScript(events, change.script, change.backup);
  if (change.kind == ScriptChange::Kind::Added) DeleteLogged(events, change.script, change.script);
  session.Record.RemoveLevel(RelativeToGame(session.Request.gameDir, session.LevelDir));
  SaveInstallRecord(session, events);
}

bool RestoreScript(RunEvents& events, const std::string& script, const std::string& backup) {
  // The mod's script may carry the read-only attribute; it is replaced all the same.
  const std::uint32_t attributes = GetAttributes(script);
  if (attributes != 0xFFFFFFFFu && (attributes & 1u)) SetAttributes(script, attributes & ~1u);
  const bool restored = MoveFileOver(backup, script);
  events.LogLine((restored ? "Restored " : "Could not restore ") + script + " from " + Leaf(backup));
  return restored;
}

std::vector<std::string> StockLevelFolders(const std::string& gameDir) {
  std::vector<std::string> folders;
  for (const char* level : layout::kStockLevels)
    folders.push_back(gameDir + layout::kLevels + "\\" + level);
  return folders;
}

void RemoveModArchives(RunEvents& events, const std::string& levelFolder) {
  for (const char* archive : {layout::kLevelPakName, layout::kSecondLevelPak}) {
    const std::string path = levelFolder + "\\" + archive;
    DeleteLogged(events, path, path);
  }
}

void DelLuaFiles(const WizardSession& session, RunEvents& events) {
  for (const std::string& folder : StockLevelFolders(session.Request.gameDir)) RemoveModArchives(events, folder);
}

}  // namespace velk
