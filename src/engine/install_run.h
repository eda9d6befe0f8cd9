#pragma once
// The choices page and the map list page: old versions, the chosen action, the level lists.
#include "engine/page_work.h"

namespace velk {

// Page 1: marks old mod versions and labels Option1 and Option3 from what is installed.
void PrepareChoices(WizardSession& session, WizardUi& ui);

// Page 2: removes old versions when chosen, runs install, uninstall or switch-over, then
// lists the levels. An install without maps moves on through pages 3 and 4 by itself.
void CarryOutChoice(WizardSession& session, WizardUi& ui, const NextPageFn& nextPage);

// Rebuilds AvailableLevels from the map payload and OfferedLevels, and adds a ticked row to
// List1 for each available level that is also installed.
void GetAllLevels(WizardSession& session, WizardUi& ui);

// "Installed Maps:" and "Available Maps:", each followed by "  Name [Path]" per level.
void LogLevelLists(const WizardSession& session, RunEvents& events);

// The catalogue texts of Option1 and Option3 for what the choices page found: install or
// repair, disable or enable.
const std::string& InstallCaption(const WizardSession& session);
const std::string& SwitchCaption(const WizardSession& session);

// GameDir + "\Mods\VELK_" + ModTag.
std::string ModFolderPath(const WizardSession& session);

}  // namespace velk
