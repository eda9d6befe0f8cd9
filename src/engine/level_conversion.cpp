#include "engine/level_conversion.h"

#include "engine/choices.h"
#include "engine/desktop_shortcut.h"
#include "engine/engine_io.h"
#include "engine/install_run.h"
#include "engine/level_archive.h"
#include "engine/level_scripts.h"
#include "support/file_helpers.h"

namespace velk {
namespace {

constexpr size_t kFramedWidth = 49;

// The level's script, then its archive. A level that cannot be converted is left without the
// mod's script and archive (as before the install), and is not listed as updated.
bool InstallLevel(WizardSession& session, RunEvents& events) {
  const ScriptChange change = CopyLua(session, events);
  if (change.kind == ScriptChange::Kind::Refused) {
    events.LogLine(session.CurrentLevel + " not converted: its script cannot be kept safely");
    ShowCatalogueError(events, session.Texts.MsgScriptNotKept, session.CurrentLevel);
    return false;
  }
  if (LevelPak(session, events)) return true;
  UndoCopyLua(session, events, change);
  return false;
}

// The chosen levels of the request with their folders from InstalledLevels; the others are
// logged.
void BuildChosenLevels(WizardSession& session, RunEvents& events) {
  session.ChosenLevels.clear();
  for (const LevelChoice& row : session.Request.levels) {
    const std::string& name = row.name;
    if (!row.chosen) {
      events.LogLine("Level '" + name + "' skipped: not choosed");
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

void ConvertLevels(WizardSession& session, RunEvents& events) {
  const Choices& choices = session.Request.choices;
  if (!choices.maps || choices.action != Action::Install) return;
  for (size_t m = 0; m < session.ChosenLevels.size(); ++m) {
    const LevelEntry level = session.ChosenLevels[m];
    events.LogLine(FramedLogLine("|----------Current Level: \"" + level.Name + "\""));
    events.LogLine(FramedLogLine("|--Path: \"" + level.Path + "\""));
    events.SetProgress(static_cast<int>(m) + 1);  // more than 20 levels: the bar keeps its value
    session.CurrentLevel = level.Name;
    session.LevelWorkDir = JoinPath(session.AppDir, layout::kWorkFolder) + "\\" + level.Name;
    session.LevelDir = level.Path;
    events.ShowStatus(StatusLine::Level, "Level: " + level.Name);
    // The summary names every level whose new archive reached the game.
    if (InstallLevel(session, events)) session.UpdatedLevels += "\r\n" + level.Name;
  }
}

// The current language's description becomes ModDesc.txt, replacing the one of an earlier run.
void InstallModDescription(const WizardSession& session, RunEvents& events) {
  const std::string& sourceName = session.Texts.ModDescSource;
  const std::string modFolder = ModFolderPath(session);
  const std::string source = modFolder + "\\" + sourceName;
  const std::string target = modFolder + "\\" + layout::kModDescription;
  const std::string what = sourceName + " to " + layout::kModDescription;
  if (!FileExists(source)) {
    events.LogLine("Not renamed " + what + ": " + sourceName + " is missing");
    return;
  }
  if (FileExists(target) && !DeleteFileAt(target)) {
    events.LogLine("Not renamed " + what + ": the old " + layout::kModDescription + " cannot be replaced");
    return;
  }
  events.LogLine((RenameFile(source, layout::kModDescription) ? "Renamed " : "Could not rename ") + what);
}

}  // namespace

std::string FramedLogLine(const std::string& text) {
  std::string line = text;
  if (line.size() < kFramedWidth) line.append(kFramedWidth - line.size(), '-');
  return line + "|";
}

void ConvertChosenLevels(WizardSession& session, RunEvents& events) {
  BuildChosenLevels(session, events);
  ConvertLevels(session, events);
  if (session.Uninstalled) {
    RemoveShortcut(session, events);
  } else {
    PlaceShortcut(session, events);
  }
  events.ShowStatus(StatusLine::Step, "Status: " + FormatText(session.Texts.MsgComplete, ""));
  if (session.UpdatedLevels.empty()) session.UpdatedLevels = "\r\n" + FormatText(session.Texts.MsgNone, "");
  InstallModDescription(session, events);
  events.LogLine("Finished creating!");
  events.ShowStatus(StatusLine::Summary, FormatText(session.Texts.MsgLevelUpdated, "") + session.UpdatedLevels);
}

}  // namespace velk
