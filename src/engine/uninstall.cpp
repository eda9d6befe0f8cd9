#include "engine/uninstall.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/engine_io.h"
#include "engine/level_scripts.h"
#include "engine/path_names.h"
#include "support/file_helpers.h"

namespace velk {
namespace {

bool ContainsFolder(const std::vector<std::string>& folders, const std::string& folder) {
  return std::any_of(folders.begin(), folders.end(),
                     [&](const std::string& f) { return EqualsNoCase(f, folder); });
}

// Level folders of the game outside the stock list that the install may have converted:
// installed levels directly below <GameDir>\Levels. Other mods' folders are not ours.
std::vector<std::string> OtherLevelFolders(const WizardSession& session, WizardUi& ui,
                                           const std::vector<std::string>& stock) {
  const std::string levelsRoot = GameDirOf(ui) + layout::kLevels + "\\";
  std::vector<std::string> others;
  for (const LevelEntry& level : session.InstalledLevels) {
    if (!StartsWithNoCase(level.Path, levelsRoot)) continue;
    if (ContainsFolder(stock, level.Path) || ContainsFolder(others, level.Path)) continue;
    others.push_back(level.Path);
  }
  return others;
}

// What the install left in a level folder besides the archives: a switched-off archive and
// the mod's script in place of the stock one.
void RestoreLevelFolder(const WizardSession& session, WizardUi& ui, const std::string& folder) {
  const std::string disabled = folder + "\\" + session.LevelPakName + layout::kDisabledSuffix;
  DeleteLogged(ui, disabled, disabled);
  RestoreLevelScripts(ui, folder);
}

void RemoveModFolder(const WizardSession& session, WizardUi& ui) {
  const std::string modFolder = session.ModsDir + ModFolderName(session);
  if (!FolderExists(modFolder)) return;
  LogLine(ui, (RemoveFolderTree(modFolder) ? "Deleted " : "Could not delete ") + modFolder);
}

}  // namespace

void UninstallMod(WizardSession& session, WizardUi& ui) {
  LogLine(ui, "Deleting pak files");
  DelLuaFiles(ui);
  const std::vector<std::string> stock = StockLevelFolders(ui);
  const std::vector<std::string> others = OtherLevelFolders(session, ui, stock);
  for (const std::string& folder : others) RemoveModArchives(ui, folder);
  LogLine(ui, "Restoring level scripts");
  for (const std::string& folder : stock) RestoreLevelFolder(session, ui, folder);
  for (const std::string& folder : others) RestoreLevelFolder(session, ui, folder);
  LogLine(ui, "Deleting " + session.ModTag + "-Dir");
  RemoveModFolder(session, ui);
  session.Uninstalled = true;
}

}  // namespace velk
