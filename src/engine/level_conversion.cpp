#include "engine/level_conversion.h"

#include "engine/choices.h"
#include "engine/engine_io.h"
#include "engine/install_run.h"
#include "engine/level_archive.h"
#include "engine/level_scripts.h"
#include "support/file_helpers.h"
#include "support/shell.h"

namespace velk {
namespace {

constexpr size_t kFramedWidth = 49;

// The level's script, then its archive. A level that cannot be converted is left without the
// mod's script and archive (as before the install), and is not listed as updated.
bool InstallLevel(WizardSession& session, WizardUi& ui) {
  const ScriptChange change = CopyLua(session, ui);
  if (change.kind == ScriptChange::Kind::Refused) {
    LogLine(ui, session.CurrentLevel + " not converted: its script cannot be kept safely");
    ShowCatalogueError(ui, session.Texts.MsgScriptNotKept, session.CurrentLevel);
    return false;
  }
  if (LevelPak(session, ui)) return true;
  UndoCopyLua(session, ui, change);
  return false;
}

// The ticked rows of List1 with their folders from InstalledLevels; unticked rows are logged.
void BuildChosenLevels(WizardSession& session, WizardUi& ui) {
  session.ChosenLevels.clear();
  for (int row = 0; row < ui.LevelRowCount(); ++row) {
    const std::string name = ui.LevelRowText(row);
    if (!ui.LevelRowTicked(row)) {
      LogLine(ui, "Level '" + name + "' skipped: not choosed");
      continue;
    }
    for (const LevelEntry& installed : session.InstalledLevels) {
      if (installed.Name == name) {
        session.ChosenLevels.push_back({name, installed.Path});
        break;
      }
    }
  }
}

void ConvertLevels(WizardSession& session, WizardUi& ui) {
  const Choices& choices = session.Request.choices;
  if (!choices.maps || choices.action != Action::Install) return;
  for (size_t m = 0; m < session.ChosenLevels.size(); ++m) {
    const LevelEntry level = session.ChosenLevels[m];
    LogLine(ui, FramedLogLine("|----------Current Level: \"" + level.Name + "\""));
    LogLine(ui, FramedLogLine("|--Path: \"" + level.Path + "\""));
    ui.SetProgress(static_cast<int>(m) + 1);  // more than 20 levels: the bar keeps its value
    session.CurrentLevel = level.Name;
    session.LevelWorkDir = JoinPath(session.AppDir, layout::kWorkFolder) + "\\" + level.Name;
    session.LevelDir = level.Path;
    ui.SetText(Ctl::Label7, "Level: " + level.Name);
    // The summary names every level whose new archive reached the game.
    if (InstallLevel(session, ui)) session.UpdatedLevels += "\r\n" + level.Name;
  }
}

void PlaceShortcut(const WizardSession& session, WizardUi& ui) {
  LogLine(ui, "Creating shortcut");
  std::string desktop;
  if (!GetSpecialFolder(ui.OwnerWindow(), kDesktopFolderId, desktop)) return;
  const std::string existing = desktop + "\\" + layout::kShortcutFile;
  if (FileExists(existing)) DeleteFileAt(existing);
  const std::string gameExe = GameDirOf(ui) + layout::kGameExe;
  CreateShortcut(desktop + "\\" + FormatText(session.Texts.MsgShortcutName, "") + layout::kLinkExtension, gameExe,
                 GameDirOf(ui) + layout::kBin32, "-Mod:" + ModFolderName(session), gameExe,
                 layout::kShortcutIconIndex, kShowCmdShow);
}

// After an uninstall the shortcut would start the game with a mod that is gone.
void RemoveShortcut(WizardUi& ui) {
  LogLine(ui, "Removing shortcut");
  std::string desktop;
  if (!GetSpecialFolder(ui.OwnerWindow(), kDesktopFolderId, desktop)) return;
  const std::string link = desktop + "\\" + layout::kShortcutFile;
  DeleteLogged(ui, link, link);
}

// The current language's description becomes ModDesc.txt, replacing the one of an earlier run.
void InstallModDescription(const WizardSession& session, WizardUi& ui) {
  const std::string& sourceName = session.Texts.ModDescSource;
  const std::string modFolder = ModFolderPath(session, ui);
  const std::string source = modFolder + "\\" + sourceName;
  const std::string target = modFolder + "\\" + layout::kModDescription;
  const std::string what = sourceName + " to " + layout::kModDescription;
  if (!FileExists(source)) {
    LogLine(ui, "Not renamed " + what + ": " + sourceName + " is missing");
    return;
  }
  if (FileExists(target) && !DeleteFileAt(target)) {
    LogLine(ui, "Not renamed " + what + ": the old " + layout::kModDescription + " cannot be replaced");
    return;
  }
  LogLine(ui, (RenameFile(source, layout::kModDescription) ? "Renamed " : "Could not rename ") + what);
}

}  // namespace

std::string FramedLogLine(const std::string& text) {
  std::string line = text;
  if (line.size() < kFramedWidth) line.append(kFramedWidth - line.size(), '-');
  return line + "|";
}

void ConvertChosenLevels(WizardSession& session, WizardUi& ui) {
  BuildChosenLevels(session, ui);
  ConvertLevels(session, ui);
  if (session.Uninstalled) {
    RemoveShortcut(ui);
  } else {
    PlaceShortcut(session, ui);
  }
  ui.SetText(Ctl::Label6, "Status: " + FormatText(session.Texts.MsgComplete, ""));
  if (session.UpdatedLevels.empty()) session.UpdatedLevels = "\r\n" + FormatText(session.Texts.MsgNone, "");
  InstallModDescription(session, ui);
  LogLine(ui, "Finished creating!");
  ui.SetText(Ctl::Text2, FormatText(session.Texts.MsgLevelUpdated, "") + session.UpdatedLevels);
}

}  // namespace velk
