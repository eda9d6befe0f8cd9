#include "engine/engine_io.h"

#include "levels/game_folder_check.h"
#include "support/archiver.h"
#include "support/file_helpers.h"
#include "support/run_log.h"

namespace velk {

void RunEvents::LogLine(const std::string& text) const {
  if (log_) log_->Write(text);
}

RunnerHooks HooksFor(const WizardSession& session, RunEvents& events) {
  RunnerHooks hooks;
  hooks.processPendingEvents = [&events] { events.ProcessPendingEvents(); };
  hooks.showSystemError = [&events](const std::string& text) { events.ShowNotice(text); };
  hooks.timeLimitMs = session.ArchiverTimeLimitMs;
  return hooks;
}

bool RunArchiver(WizardSession& session, RunEvents& events, const std::string& command,
                 const std::string& folder, const std::string& madeFile) {
  session.CommandLine = command;
  RunnerHooks hooks = HooksFor(session, events);
  if (!madeFile.empty()) hooks.beforeRestart = [madeFile] { DeleteOwnFile(madeFile); };
  session.CommandOutput = ExecDosCommand(session.CommandLine, folder, hooks);
  return SevenZipOk(session.CommandOutput);
}

void LogArchiverFailure(WizardSession& session, RunEvents& events, const std::string& failedLine) {
  events.LogLine(failedLine);
  events.LogLine("Output [" + session.CommandOutput + "]");
}

void DeleteLogged(RunEvents& events, const std::string& path, const std::string& shownName) {
  if (!FileExists(path)) return;
  // Only the mod's own files pass here; a read-only attribute (copied from a CD, set by a
  // backup tool or inherited by a script backup) does not keep them.
  events.LogLine((DeleteOwnFile(path) ? "Deleted " : "Could not delete ") + shownName);
}

void ShowCatalogueError(RunEvents& events, const std::string& entry, const std::string& argument) {
  events.ShowError(FormatText(entry, argument));
}

}  // namespace velk
