#pragma once
// The mod's level scripts and level archives in the game's level folders.
#include <string>
#include <vector>

#include "engine/wizard_session.h"
#include "engine/wizard_ui.h"

namespace velk {

// Copies the first "*.lua" of the level's work folder into LevelDir, after a one-time backup
// of the stock script of that name as <name>.bak. Logs nothing.
void CopyLua(const WizardSession& session, WizardUi& ui);

// Deletes levelvelk.pak and levelvelkki.pak from one level folder, logging each.
void RemoveModArchives(WizardUi& ui, const std::string& levelFolder);
// The same for the 20 stock level folders.
void DelLuaFiles(WizardUi& ui);

// Puts every stock script that CopyLua saved in `levelFolder` back from its .bak and removes
// the .bak, logging each.
void RestoreLevelScripts(WizardUi& ui, const std::string& levelFolder);

// <GameDir>\Levels\<Level> for each stock level, in the game's order.
std::vector<std::string> StockLevelFolders(WizardUi& ui);

}  // namespace velk
