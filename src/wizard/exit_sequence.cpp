#include "wizard/exit_sequence.h"

namespace velk {

void RunExitSequence(WizardSession&, WizardUi&, bool) {}

}  // namespace velk
