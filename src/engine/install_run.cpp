#include "engine/install_run.h"

#include <vector>

#include "engine/archive_start.h"
#include "engine/choices.h"
#include "engine/desktop_shortcut.h"
#include "engine/engine_io.h"
#include "engine/install_check.h"
#include "engine/level_removal.h"
#include "engine/mod_switch.h"
#include "engine/uninstall.h"
#include "engine/archive_commands.h"
#include "support/file_helpers.h"

namespace velk {
namespace {

// The three folders of earlier versions go with their content (an empty-only removal would
// leave every real old version in place); each one that was there is logged as it ended.
void RemoveOldVersions(const WizardSession& session, RunEvents& events) {
  events.LogLine("Deleting old VELK Folders");
  for (const char* old : layout::kOldModFolders) {
    const std::string folder = session.ModsDir + old;
    if (!FolderExists(folder)) continue;
    events.LogLine((RemoveFolderTree(folder) ? "Deleted " : "Could not delete ") + folder);
  }
}

// The first file the payload's test named that the unpacking into `target` did not make;
// empty when all are there (or the test named none).
std::string FirstFileNotMade(const WizardSession& session, const std::string& archive, const std::string& target) {
  const auto listed = session.PayloadFiles.find(archive);
  if (listed == session.PayloadFiles.end()) return {};
  for (const std::string& entry : listed->second) {
    const std::string path = JoinPath(target, entry);
    const bool folder = !entry.empty() && entry.back() == '\\';
    if (!(folder ? FolderExists(path.substr(0, path.size() - 1)) : FileExists(path))) return path;
  }
  return {};
}

// Unpacks one payload archive into `target`; a missing archive is reported, and the attempt
// still made. An archiver that says it succeeded but did not make what the archive holds
// failed all the same.
void ExtractPayload(WizardSession& session, RunEvents& events, const std::string& archive,
                    const std::string& command, const std::string& target) {
  if (!FileExists(JoinPath(session.AppDir, archive))) {
    events.ShowError(SetupFileMessage(session, archive, session.Texts.MsgFileNotFound));
    events.LogLine("File missing: " + archive);
  }
  events.LogLine("Extracting \"" + archive + "\"");
  const bool reportedOk = RunArchiver(session, events, command, ".");
  const std::string notMade = reportedOk ? FirstFileNotMade(session, archive, target) : std::string();
  if (!notMade.empty()) events.LogLine("Not unpacked: " + notMade);
  if (!reportedOk || !notMade.empty()) {
    ShowCatalogueError(events, session.Texts.MsgExtractError, archive);
    LogArchiverFailure(session, events, "Error extracting " + archive);
  }
}

// Without the archiver every unpacking fails; the user first learns which file is missing.
void ReportMissingArchiver(const WizardSession& session, RunEvents& events) {
  if (FileExists(JoinPath(session.AppDir, layout::kArchiver))) return;
  events.ShowError(SetupFileMessage(session, layout::kArchiver, session.Texts.MsgFileNotFound));
  events.LogLine(std::string("File missing: ") + layout::kArchiver);
}

// The extras come with the mod files; what the user did not want is deleted again.
void TrimExtras(const WizardSession& session, const Choices& choices) {
  if (!choices.scripts) return;
  const std::string modFolder = ModFolderPath(session);
  if (!choices.cursor) DeleteFileAt(modFolder + layout::kMouseCursor);
  if (!choices.skins) {
    DeleteFileAt(modFolder + layout::kSkinDE);
    DeleteFileAt(modFolder + layout::kSkinM4);
  }
}

void InstallMod(WizardSession& session, RunEvents& events, const Choices& choices, const NextPageFn& nextPage) {
  if (choices.scripts || choices.maps) ReportMissingArchiver(session, events);
  if (choices.scripts) {
    KillDir(ModFolderPath(session));
    ExtractPayload(session, events, layout::kModFilesArchive,
                   ModFilesExtractCommand(session.AppDir, session.Request.gameDir), session.Request.gameDir + layout::kModsDirSuffix);
  }
  if (choices.maps) {
    // The work folder is not emptied first: beside a payload on a drive root it is the
    // user's own X:\Temp. Unpacking overwrites what the payload holds, and what an earlier
    // conversion left there is removed by the level conversion just before it packs.
    ExtractPayload(session, events, layout::kMapFilesArchive, MapFilesExtractCommand(session.AppDir), session.AppDir);
  } else if (nextPage) {
    // No map list to show: on to the progress page and the completion page at once.
    nextPage();
    nextPage();
  }
  // The pages entered meanwhile change no choice.
  TrimExtras(session, choices);
}

// What a game file check, a patch or another mod undid since the install, said once when the
// choices page opens; nothing when all is as installed.
void AdviseRepairWhenNeeded(const WizardSession& session, RunEvents& events) {
  if (!session.ModFolderFound) return;
  const std::string shortcut = ShortcutPath(session.Record, session.Texts, events.OwnerWindow());
  const InstallCheck check =
      CheckInstalledMod(session.Request.gameDir, session.Record, session.InstalledLevels, shortcut, session.Texts);
  if (!check.NeedsRepair()) return;
  std::string list;
  for (const InstallFinding& finding : check.findings) list += (list.empty() ? "" : "\r\n") + finding.text;
  events.AdviseRepair(FormatText(session.Texts.MsgRepairAdvised, list));
}

void LogLevels(RunEvents& events, const std::string& heading, const std::vector<LevelEntry>& levels) {
  events.LogLine(heading);
  for (const LevelEntry& level : levels) events.LogLine("  " + level.Name + " [" + level.Path + "]");
}

}  // namespace

const std::string& InstallCaption(const WizardSession& session) {
  return session.ModFolderFound ? session.Texts.MsgRepair : session.Texts.MsgInstallMod;
}

const std::string& SwitchCaption(const WizardSession& session) {
  return session.ModSwitchedOff ? session.Texts.MsgEnableMod : session.Texts.MsgDisableMod;
}

std::string ModFolderPath(const WizardSession& session) {
  return session.Request.gameDir + layout::kModsDirSuffix + ModFolderName(session);
}

void PrepareChoices(WizardSession& session, WizardUi& ui) {
  session.OldVersionFound = false;
  for (const char* old : layout::kOldModFolders) {
    if (FolderExists(session.ModsDir + old)) session.OldVersionFound = true;
  }
  if (session.OldVersionFound) {
    ui.SetValue(Ctl::Check2, true);
    ui.SetEnabled(Ctl::Check2, true);
  }
  session.ModFolderFound = FolderExists(session.ModsDir + ModFolderName(session));
  ui.SetText(Ctl::Option1, FormatText(InstallCaption(session), ""));
  session.ModSwitchedOff = EnableMod(session, ui, false);
  if (session.ModSwitchedOff) ui.SetText(Ctl::Option3, FormatText(session.Texts.MsgEnableMod, ""));
  AdviseRepairWhenNeeded(session, ui);
}

void CarryOutChoice(WizardSession& session, WizardUi& ui, const NextPageFn& nextPage) {
  RunEvents& events = ui;
  const Choices& choices = session.Request.choices;
  if (choices.removeOld) RemoveOldVersions(session, events);
  // An install without maps takes the mod's level archives out of the game, and with them the
  // mod's level scripts: no level keeps a mod script without its archive.
  if (choices.action == Action::Install && !choices.maps) RemoveModFromLevels(session, events, /*heading=*/false);
  switch (choices.action) {
    case Action::Install:
      InstallMod(session, events, choices, nextPage);
      break;
    case Action::Uninstall:
      UninstallMod(session, events);
      break;
    case Action::Switch:
      EnableMod(session, events, true);
      break;
  }
  GetAllLevels(session, ui);
  LogLevelLists(session, events);
}

void GetAllLevels(WizardSession& session, WizardUi& ui) {
  GetAvailableLevels(session.AppDir, session.AvailableLevels, [&ui] { ui.ProcessPendingEvents(); });
  session.OfferedLevels = OfferedLevels(session.AvailableLevels, session.InstalledLevels);
  // Every row offered starts ticked.
  int row = 0;
  for (const std::string& name : session.OfferedLevels) {
    ui.AddLevelRow(name);
    ui.SetLevelRowTicked(row++, true);
  }
  // Unticking and ticking the first row again brings it into view; no row, no effect.
  ui.SetLevelRowTicked(0, false);
  ui.SetLevelRowTicked(0, true);
}

void LogLevelLists(const WizardSession& session, RunEvents& events) {
  LogLevels(events, "Installed Maps:", session.InstalledLevels);
  LogLevels(events, "Available Maps:", session.AvailableLevels);
}

}  // namespace velk
