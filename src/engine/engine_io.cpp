#include "engine/engine_io.h"

#include "levels/game_folder_check.h"
#include "support/archiver.h"
#include "support/file_helpers.h"
#include "support/run_log.h"

namespace velk {

void LogLine(WizardUi& ui, const std::string& text) { Log(RunLogFile(GameDirOf(ui)), text); }

RunnerHooks HooksFor(const WizardSession& session, WizardUi& ui) {
  RunnerHooks hooks;
  hooks.processPendingEvents = [&ui] { ui.ProcessPendingEvents(); };
  hooks.showSystemError = [&ui](const std::string& text) { ui.ShowNotice(text); };
  hooks.timeLimitMs = session.ArchiverTimeLimitMs;
  return hooks;
}

bool RunArchiver(WizardSession& session, WizardUi& ui, const std::string& command,
                 const std::string& folder, const std::string& madeFile) {
  session.CommandLine = command;
  RunnerHooks hooks = HooksFor(session, ui);
  if (!madeFile.empty()) hooks.beforeRestart = [madeFile] { DeleteOwnFile(madeFile); };
  session.CommandOutput = ExecDosCommand(session.CommandLine, folder, hooks);
  return SevenZipOk(session.CommandOutput);
}

void LogArchiverFailure(WizardSession& session, WizardUi& ui, const std::string& failedLine) {
  LogLine(ui, failedLine);
  LogLine(ui, "Output [" + session.CommandOutput + "]");
}

void DeleteLogged(WizardUi& ui, const std::string& path, const std::string& shownName) {
  if (!FileExists(path)) return;
  // Only the mod's own files pass here; a read-only attribute (copied from a CD, set by a
  // backup tool or inherited by a script backup) does not keep them.
  LogLine(ui, (DeleteOwnFile(path) ? "Deleted " : "Could not delete ") + shownName);
}

void ShowCatalogueError(WizardUi& ui, const std::string& entry, const std::string& argument) {
  ui.ShowError(FormatText(entry, argument));
}

}  // namespace velk
