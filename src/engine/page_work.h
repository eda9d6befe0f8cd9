#pragma once
// The work of each wizard page, shared by the window and the unattended mode.
#include <functional>

#include "engine/wizard_session.h"
#include "engine/wizard_ui.h"

namespace velk {

// The wizard's step to the next page; DoOutput calls it on an install without maps.
using NextPageFn = std::function<void()>;

// Whether the visible page may be left. On page 0: checks and stores the game folder, restarts
// the run log and lists the installed levels.
bool CheckInput(WizardSession& session, WizardUi& ui);

// The work of the page just entered (session.PageIndex): 1 prepares the choices, 2 carries out
// the chosen action and lists the levels, 3 converts the chosen levels and finishes the run.
void DoOutput(WizardSession& session, WizardUi& ui, const NextPageFn& nextPage);

}  // namespace velk
