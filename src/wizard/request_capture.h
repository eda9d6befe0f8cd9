#pragma once
// The run request as the window's controls hold it. The window takes each part once, when the
// page that holds it is left; from then on the run works from the request alone.
#include <vector>

#include "engine/wizard_session.h"
#include "engine/wizard_ui.h"
#include "wizard/choice_controls.h"

namespace velk {

// The level list's rows in their order, each chosen when ticked.
std::vector<LevelChoice> ReadLevelList(WizardUi& ui);

// Takes into session.Request the part that the visible page holds: the game folder (page 0),
// the choices (page 1), the level list (page 2).
void CaptureRequest(WizardSession& session, WizardUi& ui);

}  // namespace velk
