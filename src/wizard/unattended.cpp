#include "wizard/unattended.h"

#include <objbase.h>

#include <algorithm>
#include <cctype>

#include "engine/choices.h"
#include "levels/game_detection.h"
#include "levels/game_folder_check.h"
#include "support/link_check.h"
#include "support/process_info.h"
#include "support/safe_write.h"
#include "support/settings_store.h"
#include "support/single_instance.h"
#include "support/text_codec.h"
#include "support/text_tools.h"
#include "support/win_handles.h"
#include "wizard/languages.h"
#include "wizard/log_copy_target.h"
#include "wizard/window_names.h"
#include "wizard/navigation.h"
#include "wizard/run_locks.h"
#include "wizard/unattended_console.h"

namespace velk {
namespace {

// The choices the switches ask for, through the same couplings as the window's clicks: the
// action first (it takes all parts or none), then the parts an install may leave out. An old
// version the choices page found is removed unless /KEEPOLD says otherwise.
Choices RequestedChoices(const UnattendedOptions& o, bool oldVersionFound, const MessageCatalogue& texts,
                         const std::function<void(const std::string&)>& warn) {
  Choices choices;
  choices.removeOld = oldVersionFound;
  choices.SelectAction(o.action);
  if (o.action == Action::Install) {
    choices.SetScripts(o.scripts);
    choices.cursor = choices.scripts && o.cursor;
    choices.skins = choices.scripts && o.skins;
    choices.maps = o.maps;
    if (!o.scripts && (o.cursor || o.skins)) warn(FormatText(texts.NoteSkinsNeedScripts, ""));
  } else if (o.componentsGiven) {
    warn(FormatText(texts.NoteComponentsIgnored, ""));
  }
  if (o.keepOld) choices.removeOld = false;
  return choices;
}

// The level list as the switches leave it: every level offered without /LEVELS=, otherwise
// only those it names. A list that chooses none is an error message naming the levels
// offered: the caller asked for levels and gets none.
std::vector<LevelChoice> RequestedLevels(const UnattendedOptions& o, const std::vector<std::string>& offered,
                                         RunEvents& events, const MessageCatalogue& texts,
                                         const std::function<void(const std::string&)>& warn) {
  std::vector<LevelChoice> levels;
  if (!o.levels) {
    for (const std::string& name : offered) levels.push_back({name, true});
    return levels;
  }
  const std::vector<std::string>& wanted = *o.levels;
  for (const std::string& name : wanted) {
    const bool known = std::any_of(offered.begin(), offered.end(),
                                   [&](const std::string& text) { return EqualsNoCase(text, name); });
    if (!known) warn(FormatText(texts.NoteLevelNotOffered, SingleQuoted(name)));
  }
  bool anyChosen = false;
  std::string offeredList;
  for (const std::string& text : offered) {
    const bool chosen = std::any_of(wanted.begin(), wanted.end(),
                                    [&](const std::string& name) { return EqualsNoCase(text, name); });
    levels.push_back({text, chosen});
    anyChosen = anyChosen || chosen;
    offeredList += (offeredList.empty() ? "|  " : ", ") + text;
  }
  if (!anyChosen)
    events.ShowError(FormatText(texts.MsgNoLevelChosen + offeredList, SingleQuoted("/LEVELS=" + o.levelsGiven)));
  return levels;
}

// The copy of the run log that /LOG= asks for; an error message when it cannot be written.
bool CopyRunLog(const std::string& gameDir, const std::string& copy, const MessageCatalogue& texts,
                ConsoleStreams& console) {
  // A run log that is a link was never written: what it leads to is no copy of ours to give.
  const std::string runLog = RunLogFile(gameDir);
  if (!LeadsElsewhere(Widen(runLog)) && CopyFileSafely(runLog, copy)) return true;
  console.Err(FormatText(texts.MsgLogNotCopied, copy) + "\r\n");
  return false;
}

}  // namespace

std::optional<std::string> UnattendedGameFolder(const UnattendedOptions& options, const MessageCatalogue& texts,
                                                const std::function<void(const std::string&)>& error,
                                                const std::function<void(const std::string&)>& warn) {
  if (options.gameDir) return options.gameDir;
  if (const std::optional<std::string> remembered = ReadGameDirSetting()) return remembered;
  // Nothing named, nothing remembered: only a single installation found is taken.
  const std::vector<DetectedGame> found = DetectGameFolders();
  if (found.empty()) {
    error(FormatText(texts.MsgNoGameFound, ""));
    return std::nullopt;
  }
  if (found.size() > 1) {
    std::string list;
    for (const DetectedGame& game : found) list += "|  " + game.folder + " (" + game.source + ")";
    error(FormatText(texts.MsgSeveralGamesFound + list, ""));
    return std::nullopt;
  }
  // The folder in quotes, where it was found beside them.
  warn(FormatText(texts.MsgGameFound, Quoted(found.front().folder) + " (" + found.front().source + ")"));
  return found.front().folder;
}

int RunUnattendedPages(const UnattendedOptions& options, WizardSession& session, MemoryUi& ui,
                       const std::function<void(const std::string&)>& warn, unsigned systemLcid) {
  Wizard wizard(session, ui);
  // Start-up as the window does it, but staying on page 0 (as in the development host), so
  // that /LANG= and /D= apply before the folder is checked.
  wizard.StartUp(/*inDesignHost=*/true, systemLcid);
  if (const Language* language = LanguageForSwitch(options.language)) wizard.LoadLanguage(language->code);
  const std::optional<std::string> chosen = UnattendedGameFolder(
      options, session.Texts, [&ui](const std::string& text) { ui.ShowError(text); }, warn);
  if (!chosen) return kUnattendedBadStart;
  const std::string folderTried = *chosen;
  // The copy's file is judged against the folder the check will take, before the check starts
  // the run log: a refused one changes nothing.
  if (options.logCopy) {
    std::string gameDir = folderTried;
    CheckPath(gameDir);
    if (const auto refusal = CheckLogCopyTarget(*options.logCopy, gameDir, session.AppDir)) {
      ui.ShowError(FormatText(session.Texts.*refusal, *options.logCopy));
      return kUnattendedBadStart;
    }
  }

  // The request is built from the switches, part by part, as the window takes it from its pages.
  session.Request.gameDir = folderTried;
  if (!wizard.Continue()) {  // CheckInput checks, remembers and logs the folder
    // The window's box shows its folder beside it; here the message names it.
    const std::string wrongFolder = FormatText(session.Texts.MsgWrongGameDir, "");
    if (!ui.Messages().empty() && ui.Messages().back().text == wrongFolder)
      warn(FormatText(session.Texts.MsgFolderTried, folderTried));
    return kUnattendedBadStart;
  }

  session.Request.choices = RequestedChoices(options, session.OldVersionFound, session.Texts, warn);
  // A check before the first change stopped the run on the choices page.
  if (!wizard.Continue()) return session.StoppedExitCode != 0 ? session.StoppedExitCode : kUnattendedErrors;
  const Choices& choices = session.Request.choices;
  if (choices.action == Action::Install && choices.maps) {
    // The wizard waits on the level list.
    session.Request.levels = RequestedLevels(options, session.OfferedLevels, ui, session.Texts, warn);
  } else if (options.levels) {
    warn(FormatText(session.Texts.NoteLevelsIgnored, ""));
  }
  while (!wizard.OnLastPage() && wizard.Continue()) {
  }
  return ui.Messages().empty() ? kUnattendedDone : kUnattendedErrors;
}

int RunUnattended(const std::vector<std::string>& arguments) {
  ConsoleStreams console;
  const SwitchParse parse = ParseUnattendedSwitches(arguments);
  if (!parse.ok) {
    console.Err(parse.error + "\r\n\r\n" + UnattendedUsage());
    return kUnattendedBadStart;
  }
  if (parse.options.help) {
    console.Out(UnattendedUsage());
    return kUnattendedDone;
  }

  // The caller names folders and files relative to the folder it started us in, which stops
  // being the current one below.
  UnattendedOptions options = parse.options;
  if (options.gameDir) options.gameDir = FullPathFromCurrentFolder(*options.gameDir);
  if (options.logCopy) options.logCopy = FullPathFromCurrentFolder(*options.logCopy);
  // The check of what is installed changes nothing and needs no lock.
  if (options.verify) return RunUnattendedVerify(options, console);

  // The same lock as the window: one setup at a time, whichever kind.
  const SingleInstance lock(SetupLockName(), parse.options.waitSeconds * 1000u);
  if (!lock.Acquired()) {
    const MessageCatalogue texts = CatalogueOf(MessageLanguage(parse.options));
    console.Err(FormatText(texts.MsgSetupBusy, std::to_string(parse.options.waitSeconds)) + "\r\n");
    return kUnattendedBusy;
  }

  ComScope com;  // the desktop shortcut is written through COM
  WizardSession session;
  session.AppDir = ExeFolder();
  // The game and the setup's folder are held before their checks, for the whole run.
  RunLocks locks;
  bool busy = false;
  session.ClaimGame = [&](const std::string& gameDir) {
    if (locks.Claim(session.AppDir, gameDir, options.waitSeconds * 1000u)) return true;
    console.Err(FormatText(CatalogueOf(MessageLanguage(options)).MsgSetupBusy,
                           std::to_string(options.waitSeconds)) + "\r\n");
    busy = true;
    return false;
  };
  // The payload is named relative to the program's folder, as when it is started from there.
  SetCurrentFolder(session.AppDir);
  ConsoleUi ui(console);
  int code = RunUnattendedPages(options, session, ui,
                                [&console](const std::string& note) { console.Err(note + "\r\n"); },
                                SystemDefaultLcid());
  if (busy) return kUnattendedBusy;
  if (code == kUnattendedBadStart) return code;  // the folder check failed: no run to copy
  // A run stopped by a check before the first change has no summary, but its log line.
  if (code == kUnattendedDone || code == kUnattendedErrors) console.Out(ui.Text(Ctl::Text2) + "\r\n");
  ui.EndLog();  // the copy takes the log whole
  if (options.logCopy && !CopyRunLog(session.Request.gameDir, *options.logCopy, session.Texts, console) &&
      code == kUnattendedDone)
    code = kUnattendedErrors;
  return code;
}

}  // namespace velk
