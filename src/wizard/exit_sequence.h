#pragma once
// The exit button: removes the payload beside the program and, through Kill.bat, the
// program's own file once it has ended.
#include "engine/wizard_session.h"
#include "engine/wizard_ui.h"

namespace velk {

// Runs the exit sequence. Returns when the program should end now (the caller ends it);
// in the development host nothing is deleted.
void RunExitSequence(WizardSession& session, WizardUi& ui, bool inDesignHost);

}  // namespace velk
