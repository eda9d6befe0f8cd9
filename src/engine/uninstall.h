#pragma once
// Taking the mod out of the game again.
#include "engine/wizard_session.h"
#include "engine/run_events.h"

namespace velk {

// Removes the mod's level archives (also switched-off ones), puts the stock level scripts
// back from their backups and removes the mod folder with its content. Marks the session so
// that the finish removes the desktop shortcut.
void UninstallMod(WizardSession& session, RunEvents& events);

}  // namespace velk
