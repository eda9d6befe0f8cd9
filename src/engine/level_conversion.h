#pragma once
// The progress page: converts the chosen levels, places (or after an uninstall removes) the
// desktop shortcut, installs the mod description and fills the completion text.
#include <string>

#include "engine/wizard_session.h"
#include "engine/run_events.h"

namespace velk {

void ConvertChosenLevels(WizardSession& session, RunEvents& events);

// `text` padded with "-" to 49 characters, then "|".
std::string FramedLogLine(const std::string& text);

}  // namespace velk
