#pragma once
// The progress page: converts the chosen levels, places (or after an uninstall removes) the
// desktop shortcut, installs the mod description and fills the completion text.
#include <string>

#include "engine/wizard_session.h"
#include "engine/wizard_ui.h"

namespace velk {

void ConvertChosenLevels(WizardSession& session, WizardUi& ui);

// `text` padded with "-" to 49 characters, then "|".
std::string FramedLogLine(const std::string& text);

}  // namespace velk
