#pragma once
// The few things every step of the page work does: run the archiver, log its failure, delete
// a file of the mod, show an error.
#include <string>

#include "engine/wizard_session.h"
#include "engine/run_events.h"
#include "support/command_runner.h"

namespace velk {

// The runner's hooks over the window: pending events, and platform errors as a notice; the
// session's time limit for one run.
RunnerHooks HooksFor(const WizardSession& session, RunEvents& events);

// Runs one archiver command in `folder`, keeps the command and its output in the session and
// answers whether the archiver reported success. `madeFile`, when given, is the file the
// command makes: a run whose reply was lost may have made it, and it goes before the command
// is started again.
bool RunArchiver(WizardSession& session, RunEvents& events, const std::string& command,
                 const std::string& folder, const std::string& madeFile = {});

// Logs a failed archive run: the failed operation, then the archiver's whole output.
void LogArchiverFailure(WizardSession& session, RunEvents& events, const std::string& failedLine);

// Deletes an existing file of the mod (read-only or not) and logs "Deleted " + shownName, or
// "Could not delete " + shownName when it is still there. A missing file is left alone and nothing is logged.
void DeleteLogged(RunEvents& events, const std::string& path, const std::string& shownName);

// The modal error box with a catalogue text.
void ShowCatalogueError(RunEvents& events, const std::string& entry, const std::string& argument);

}  // namespace velk
