#pragma once
// What is checked before the choices page lets the run change anything: the payload the
// choices need, the space it takes, the setup's own folder, and the game not running. Silent
// when everything passes.
#include <string>

#include "engine/choices.h"
#include "engine/wizard_session.h"
#include "engine/wizard_ui.h"

namespace velk {

struct StopReason {
  StopCause cause = StopCause::None;
  std::string message;  // for the user, in the session's language
  std::string logLine;  // for the run log
};

// The first check that fails for `choices`, or a reason with StopCause::None. Keeps the files
// each payload archive holds in the session, for the check after its unpacking.
StopReason CheckBeforeChange(WizardSession& session, WizardUi& ui, const Choices& choices);

}  // namespace velk
