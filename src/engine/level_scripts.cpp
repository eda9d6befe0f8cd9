#include "engine/level_scripts.h"

#include <vector>

#include "engine/engine_io.h"
#include "engine/path_names.h"
#include "support/file_helpers.h"
#include "support/folder_scan.h"

namespace velk {
namespace {

constexpr const char* kScriptPattern = "*.lua";
constexpr const char* kScriptExtension = ".lua";

}  // namespace

void CopyLua(const WizardSession& session, WizardUi& ui) {
  std::vector<FileEntry> scripts;
  FindFiles(session.AppDir + "\\" + layout::kWorkFolder + "\\" + session.CurrentLevel, false,
            kScriptPattern, scripts, [&ui] { ui.ProcessPendingEvents(); });
  if (scripts.empty()) return;
  // One script per level: the first one the folder lists.
  const FileEntry& script = scripts.front();
  const std::string target = session.LevelDir + "\\" + script.Name;
  const std::string backup = target + layout::kScriptBackupSuffix;
  // The backup keeps the stock script from before the first install, so it is never renewed.
  if (!FileExists(backup)) CopyFileOver(target, backup);
  CopyFileOver(script.FullName, target);
}

std::vector<std::string> StockLevelFolders(WizardUi& ui) {
  std::vector<std::string> folders;
  for (const char* level : layout::kStockLevels)
    folders.push_back(GameDirOf(ui) + layout::kLevels + "\\" + level);
  return folders;
}

void RemoveModArchives(WizardUi& ui, const std::string& levelFolder) {
  for (const char* archive : {layout::kLevelPakName, layout::kSecondLevelPak}) {
    const std::string path = levelFolder + "\\" + archive;
    DeleteLogged(ui, path, path);
  }
}

void DelLuaFiles(WizardUi& ui) {
  for (const std::string& folder : StockLevelFolders(ui)) RemoveModArchives(ui, folder);
}

void RestoreLevelScripts(WizardUi& ui, const std::string& levelFolder) {
  std::vector<FileEntry> backups;
  FindFiles(levelFolder, false, std::string("*") + layout::kScriptBackupSuffix, backups,
            [&ui] { ui.ProcessPendingEvents(); });
  const std::string suffix = layout::kScriptBackupSuffix;
  for (const FileEntry& backup : backups) {
    // Only the backups CopyLua makes: <script>.lua.bak.
    if (!EndsWithNoCase(backup.Name, suffix)) continue;
    const std::string script = backup.FullName.substr(0, backup.FullName.size() - suffix.size());
    if (!EndsWithNoCase(script, kScriptExtension)) continue;
    if (!CopyFileOver(backup.FullName, script)) {
      LogLine(ui, "Could not restore " + script + " from " + backup.Name);
      continue;
    }
    LogLine(ui, "Restored " + script + " from " + backup.Name);
    DeleteLogged(ui, backup.FullName, backup.FullName);
  }
}

}  // namespace velk
