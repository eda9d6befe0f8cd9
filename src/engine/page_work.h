#pragma once
// The work of each wizard page, shared by the window and the unattended mode.
#include <functional>

#include "engine/wizard_session.h"
#include "engine/wizard_ui.h"

namespace velk {

// The wizard's step to the next page; DoOutput calls it on an install without maps.
using NextPageFn = std::function<void()>;

// Whether the visible page may be left, judged on the run request the window (or the
// unattended mode) has just taken from it. On page 0: takes hold of the game folder the
// request names, restarts the run log and lists the installed levels; on page 1: the checks
// before the first change.
bool CheckInput(WizardSession& session, RunEvents& events);

// The work of the page just entered (session.PageIndex): 1 prepares the choices, 2 carries out
// the chosen action and lists the levels, 3 converts the chosen levels and finishes the run.
// The controls are only written: the captions and the level list of the page entered.
void DoOutput(WizardSession& session, WizardUi& ui, const NextPageFn& nextPage);

}  // namespace velk
