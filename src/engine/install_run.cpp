#include "engine/install_run.h"

#include <vector>

#include "engine/archive_start.h"
#include "engine/choices.h"
#include "engine/engine_io.h"
#include "engine/install_check.h"
#include "engine/level_removal.h"
#include "engine/mod_switch.h"
#include "engine/uninstall.h"
#include "engine/archive_commands.h"
#include "support/file_helpers.h"
#include "support/shell.h"

namespace velk {
namespace {

// The three folders of earlier versions go with their content (an empty-only removal would
// leave every real old version in place); each one that was there is logged as it ended.
void RemoveOldVersions(const WizardSession& session, WizardUi& ui) {
  LogLine(ui, "Deleting old VELK Folders");
  for (const char* old : layout::kOldModFolders) {
    const std::string folder = session.ModsDir + old;
    if (!FolderExists(folder)) continue;
    LogLine(ui, (RemoveFolderTree(folder) ? "Deleted " : "Could not delete ") + folder);
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
void ExtractPayload(WizardSession& session, WizardUi& ui, const std::string& archive,
                    const std::string& command, const std::string& target) {
  if (!FileExists(JoinPath(session.AppDir, archive))) {
    ui.ShowError(SetupFileMessage(session, archive, session.Texts.MsgFileNotFound));
    LogLine(ui, "File missing: " + archive);
  }
  LogLine(ui, "Extracting \"" + archive + "\"");
  const bool reportedOk = RunArchiver(session, ui, command, ".");
  const std::string notMade = reportedOk ? FirstFileNotMade(session, archive, target) : std::string();
  if (!notMade.empty()) LogLine(ui, "Not unpacked: " + notMade);
  if (!reportedOk || !notMade.empty()) {
    ShowCatalogueError(ui, session.Texts.MsgExtractError, archive);
    LogArchiverFailure(session, ui, "Error extracting " + archive);
  }
}

// Without the archiver every unpacking fails; the user first learns which file is missing.
void ReportMissingArchiver(const WizardSession& session, WizardUi& ui) {
  if (FileExists(JoinPath(session.AppDir, layout::kArchiver))) return;
  ui.ShowError(SetupFileMessage(session, layout::kArchiver, session.Texts.MsgFileNotFound));
  LogLine(ui, std::string("File missing: ") + layout::kArchiver);
}

// The extras come with the mod files; what the user did not want is deleted again.
void TrimExtras(const WizardSession& session, WizardUi& ui, const Choices& choices) {
  if (!choices.scripts) return;
  const std::string modFolder = ModFolderPath(session, ui);
  if (!choices.cursor) DeleteFileAt(modFolder + layout::kMouseCursor);
  if (!choices.skins) {
    DeleteFileAt(modFolder + layout::kSkinDE);
    DeleteFileAt(modFolder + layout::kSkinM4);
  }
}

void InstallMod(WizardSession& session, WizardUi& ui, const Choices& choices, const NextPageFn& nextPage) {
  if (choices.scripts || choices.maps) ReportMissingArchiver(session, ui);
  if (choices.scripts) {
    KillDir(ModFolderPath(session, ui));
    ExtractPayload(session, ui, layout::kModFilesArchive,
                   ModFilesExtractCommand(session.AppDir, GameDirOf(ui)), GameDirOf(ui) + layout::kModsDirSuffix);
  }
  if (choices.maps) {
    // The work folder is not emptied first: beside a payload on a drive root it is the
    // user's own X:\Temp. Unpacking overwrites what the payload holds, and what an earlier
    // conversion left there is removed by the level conversion just before it packs.
    ExtractPayload(session, ui, layout::kMapFilesArchive, MapFilesExtractCommand(session.AppDir), session.AppDir);
  } else if (nextPage) {
    // No map list to show: on to the progress page and the completion page at once.
    nextPage();
    nextPage();
  }
  // The pages entered meanwhile change no choice.
  TrimExtras(session, ui, choices);
}

// What a game file check, a patch or another mod undid since the install, said once when the
// choices page opens; nothing when all is as installed.
void AdviseRepairWhenNeeded(const WizardSession& session, WizardUi& ui) {
  if (!session.ModFolderFound) return;
  std::string desktop;
  const std::string shortcut =
      GetSpecialFolder(ui.OwnerWindow(), kDesktopFolderId, desktop)
          ? desktop + "\\" + FormatText(session.Texts.MsgShortcutName, "") + layout::kLinkExtension
          : std::string();
  const InstallCheck check =
      CheckInstalledMod(GameDirOf(ui), session.Record, session.InstalledLevels, shortcut, session.Texts);
  if (!check.NeedsRepair()) return;
  std::string list;
  for (const InstallFinding& finding : check.findings) list += (list.empty() ? "" : "\r\n") + finding.text;
  ui.AdviseRepair(FormatText(session.Texts.MsgRepairAdvised, list));
}

void LogLevels(WizardUi& ui, const std::string& heading, const std::vector<LevelEntry>& levels) {
  LogLine(ui, heading);
  for (const LevelEntry& level : levels) LogLine(ui, "  " + level.Name + " [" + level.Path + "]");
}

}  // namespace

const std::string& InstallCaption(const WizardSession& session) {
  return session.ModFolderFound ? session.Texts.MsgRepair : session.Texts.MsgInstallMod;
}

const std::string& SwitchCaption(const WizardSession& session) {
  return session.ModSwitchedOff ? session.Texts.MsgEnableMod : session.Texts.MsgDisableMod;
}

std::string ModFolderPath(const WizardSession& session, WizardUi& ui) {
  return GameDirOf(ui) + layout::kModsDirSuffix + ModFolderName(session);
}

void PrepareChoices(WizardSession& session, WizardUi& ui) {
  bool oldVersion = false;
  for (const char* old : layout::kOldModFolders) {
    if (FolderExists(session.ModsDir + old)) oldVersion = true;
  }
  if (oldVersion) {
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
  const Choices& choices = session.Request.choices;
  if (choices.removeOld) RemoveOldVersions(session, ui);
  // An install without maps takes the mod's level archives out of the game, and with them the
  // mod's level scripts: no level keeps a mod script without its archive.
  if (choices.action == Action::Install && !choices.maps) RemoveModFromLevels(session, ui, /*heading=*/false);
  switch (choices.action) {
    case Action::Install:
      InstallMod(session, ui, choices, nextPage);
      break;
    case Action::Uninstall:
      UninstallMod(session, ui);
      break;
    case Action::Switch:
      EnableMod(session, ui, true);
      break;
  }
  GetAllLevels(session, ui);
  LogLevelLists(session, ui);
}

void GetAllLevels(WizardSession& session, WizardUi& ui) {
  GetAvailableLevels(session.AppDir, session.AvailableLevels, [&ui] { ui.ProcessPendingEvents(); });
  for (const std::string& name : OfferedLevels(session.AvailableLevels, session.InstalledLevels)) {
    ui.AddLevelRow(name);
    int ticked = 0;
    for (int row = 0; row < ui.LevelRowCount(); ++row) ticked += ui.LevelRowTicked(row) ? 1 : 0;
    ui.SetLevelRowTicked(ticked, true);
  }
  // Unticking and ticking the first row again brings it into view; no row, no effect.
  ui.SetLevelRowTicked(0, false);
  ui.SetLevelRowTicked(0, true);
}

void LogLevelLists(const WizardSession& session, WizardUi& ui) {
  LogLevels(ui, "Installed Maps:", session.InstalledLevels);
  LogLevels(ui, "Available Maps:", session.AvailableLevels);
}

}  // namespace velk
