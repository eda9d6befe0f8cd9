#include "engine/page_work.h"

#include <string>
#include <vector>

#include "engine/change_checks.h"
#include "engine/choices.h"
#include "engine/engine_io.h"
#include "engine/install_record.h"
#include "levels/game_folder_check.h"
#include "levels/game_layout.h"
#include "levels/level_discovery.h"
#include "support/file_helpers.h"
#include "support/run_log.h"
#include "support/settings_store.h"
#include "support/write_access.h"

namespace velk {
namespace {

// The game folder, its mod folder and every level folder the install may convert.
std::vector<std::string> WriteProbeFolders(const std::string& gameDir,
                                           const std::vector<LevelEntry>& levels) {
  std::vector<std::string> folders = {gameDir};
  if (FolderExists(gameDir + layout::kMods)) folders.push_back(gameDir + layout::kMods);
  for (const LevelEntry& level : levels) folders.push_back(level.Path);
  return folders;
}

void ReportNoWriteAccess(const WizardSession& session, RunEvents& events, const std::string& gameDir,
                         const std::string& locked) {
  // The log is the wizard's own file; it can only tell when the game folder takes it.
  if (locked != gameDir && RestartRunLog(gameDir, session.ModTag))
    Log(RunLogFile(gameDir), "No write access to '" + locked + "': nothing changed");
  if (!events.OfferElevatedRestart(FormatText(session.Texts.MsgRestartElevated, locked)))
    events.ShowError(FormatText(session.Texts.MsgNoWriteAccess, locked));
}

bool CheckGameFolderPage(WizardSession& session, RunEvents& events) {
  std::string& gameDir = session.Request.gameDir;
  const bool ok = CheckPath(gameDir);
  events.ShowStatus(StatusLine::GameFolder, gameDir);  // the user sees, and may correct, the tidied path
  session.ModsDir = gameDir + layout::kModsDirSuffix;
  if (!ok) {
    // Nothing is written into a folder that is not a game folder: no log is deleted or
    // started there, and its archives are not listed.
    events.ShowError(FormatText(session.Texts.MsgWrongGameDir, ""));
    return false;
  }
  if (session.ClaimGame && !session.ClaimGame(gameDir)) return false;
  WriteGameDirSetting(gameDir);
  GetInstLevels(gameDir, session.InstalledLevels, [&events] { events.ProcessPendingEvents(); });
  // Found out before anything is changed: a folder the install would write to but may not.
  const std::string locked = FirstUnwritableFolder(WriteProbeFolders(gameDir, session.InstalledLevels));
  if (!locked.empty()) {
    ReportNoWriteAccess(session, events, gameDir, locked);
    return false;
  }
  RestartRunLog(gameDir, session.ModTag);
  events.LogTo(RunLogFile(gameDir));
  // Read once here; every path it names has passed its guard from now on.
  RecordReading reading = ReadInstallRecord(session.ModsDir + ModFolderName(session), gameDir);
  for (const std::string& line : reading.ignored) events.LogLine(line);
  session.Record = std::move(reading.record);
  return true;
}

// The choices page is left only when the run can finish: otherwise the user hears why, and
// may try again (the game closed), go back to the choices, or close the wizard.
bool CheckChoicesPage(WizardSession& session, RunEvents& events) {
  const Choices& choices = session.Request.choices;
  for (;;) {
    const StopReason stop = CheckBeforeChange(session, events, choices);
    if (stop.exitCode == 0) return true;
    events.LogLine(stop.logLine);
    const StopAnswer answer = events.AskAfterStop(stop.message, stop.canRetry,
                                              FormatText(session.Texts.MsgBackOrExit, ""));
    if (answer == StopAnswer::Retry) continue;
    session.StoppedExitCode = answer == StopAnswer::Exit ? stop.exitCode : 0;
    return false;
  }
}

}  // namespace

bool CheckInput(WizardSession& session, RunEvents& events) {
  switch (session.PageIndex) {
    case 0:
      return CheckGameFolderPage(session, events);
    case 1:
      return CheckChoicesPage(session, events);
    case 2:
    case 3:
    case 4:
      return true;
    default:
      return false;
  }
}

}  // namespace velk
