#pragma once
// Switching the mod off and on by renaming the level archives of the installed levels.
#include "engine/wizard_session.h"

namespace velk {

// Change false: true when any installed level folder holds levelvelk.pak.dis (the mod then
// counts as off). Change true: switches every listed archive on when the mod is off, off when
// it is on; returns false.
bool EnableMod(const WizardSession& session, bool Change);

}  // namespace velk
