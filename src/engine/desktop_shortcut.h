#pragma once
// The desktop shortcut that starts the game with the mod. Its file name comes from the
// catalogue, so the install record keeps the name it was made under: a later run in another
// language still finds it.
#include <string>

#include "engine/install_record.h"
#include "engine/message_catalogue.h"
#include "engine/run_events.h"
#include "engine/wizard_session.h"

namespace velk {

// The shortcut's full path: the name the record keeps, else the catalogue's; empty when the
// desktop cannot be found.
std::string ShortcutPath(const InstallRecord& record, const MessageCatalogue& texts, void* ownerWindow);

// Writes the shortcut under the catalogue's name, after taking away the one an earlier run
// made, and records the name when the mod folder is there to keep it.
void PlaceShortcut(WizardSession& session, RunEvents& events);

// After an uninstall the shortcut would start the game with a mod that is gone.
void RemoveShortcut(const WizardSession& session, RunEvents& events);

}  // namespace velk
