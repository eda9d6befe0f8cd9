#pragma once
// Switching the mod off and on by renaming the level archives: in the installed levels and
// in every level the install record names, wherever it lies.
#include <string>
#include <vector>

#include "engine/wizard_session.h"
#include "engine/run_events.h"

namespace velk {

// The level folders the switch looks at: the installed levels, then the recorded ones that
// are not among them.
std::vector<std::string> SwitchedLevelFolders(const WizardSession& session);

// Change false: true when any of those folders holds levelvelk.pak.dis (the mod then counts
// as off). Change true: switches every archive on when the mod is off, off when it is on;
// returns false. A folder that holds both names keeps the active archive and loses the stale
// switched-off one (logged), so that each level ends in the same state.
bool EnableMod(const WizardSession& session, RunEvents& events, bool Change);

}  // namespace velk
