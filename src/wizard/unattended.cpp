#include "wizard/unattended.h"

#include <objbase.h>

#include <algorithm>
#include <cctype>

#include "support/process_info.h"
#include "support/win_handles.h"
#include "wizard/catalogue.h"
#include "wizard/control_ids.h"
#include "wizard/navigation.h"
#include "wizard/unattended_console.h"

namespace velk {
namespace {

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

// The choices page as a user would set it: the option first (its coupling ticks or clears
// the parts), then the parts, Check3 through its own coupling.
void ApplyChoices(const UnattendedOptions& o, Wizard& wizard, WizardUi& ui,
                  const std::function<void(const std::string&)>& warn) {
  switch (o.action) {
    case UnattendedAction::Install:
      wizard.OptionClicked(Ctl::Option1);
      if (!o.scripts) {
        ui.SetValue(Ctl::Check3, false);
        wizard.ScriptsClicked();
        if (o.cursor || o.skins) warn("The mouse cursor and the weapon skins come with the scripts only: left out");
      } else {
        ui.SetValue(Ctl::Check5, o.cursor);
        ui.SetValue(Ctl::Check1, o.skins);
      }
      ui.SetValue(Ctl::Check4, o.maps);
      break;
    case UnattendedAction::Uninstall:
      wizard.OptionClicked(Ctl::Option2);
      break;
    case UnattendedAction::Toggle:
      wizard.OptionClicked(Ctl::Option3);
      break;
  }
  if (o.action != UnattendedAction::Install && o.componentsGiven)
    warn("/COMPONENTS= applies to an install only: ignored");
  // Page 1 ticked Check2 when it found an old version.
  if (o.keepOld) ui.SetValue(Ctl::Check2, false);
}

// The level list as the user leaves it: only the requested rows ticked.
void ApplyLevels(const std::vector<std::string>& wanted, WizardUi& ui,
                 const std::function<void(const std::string&)>& warn) {
  const int rows = ui.LevelRowCount();
  for (const std::string& name : wanted) {
    bool offered = false;
    for (int row = 0; row < rows; ++row) offered = offered || SameName(ui.LevelRowText(row), name);
    if (!offered) warn("Level '" + name + "' is not offered: skipped");
  }
  for (int row = 0; row < rows; ++row) {
    const std::string text = ui.LevelRowText(row);
    const bool tick = std::any_of(wanted.begin(), wanted.end(),
                                  [&](const std::string& name) { return SameName(text, name); });
    ui.SetLevelRowTicked(row, tick);
  }
}

}  // namespace

bool WantsUnattended(const std::vector<std::string>& arguments) {
  return std::any_of(arguments.begin(), arguments.end(), [](const std::string& a) {
    return SameName(a, "/S") || a == "/?";
  });
}

int RunUnattendedPages(const UnattendedOptions& options, WizardSession& session, MemoryUi& ui,
                       const std::function<void(const std::string&)>& warn, unsigned systemLcid) {
  Wizard wizard(session, ui);
  // Start-up as the window does it, but staying on page 0 (as in the development host), so
  // that /LANG= and /D= apply before the folder is checked.
  wizard.StartUp(/*inDesignHost=*/true, systemLcid);
  if (options.language == "de") wizard.LoadLanguage("1031");
  if (options.language == "en") wizard.LoadLanguage("0");
  if (options.gameDir) ui.SetText(Ctl::Text1, *options.gameDir);

  wizard.NextPage();  // CheckInput checks, remembers and logs the folder
  if (session.PageIndex != 1) return kUnattendedBadStart;

  ApplyChoices(options, wizard, ui, warn);
  wizard.NextPage();
  if (session.PageIndex == 2) {
    // Install with maps: the wizard waits on the level list.
    if (options.levels) ApplyLevels(*options.levels, ui, warn);
  } else if (options.levels) {
    warn("No maps are installed: /LEVELS= ignored");
  }
  while (session.PageIndex < session.LastPage) {
    const int before = session.PageIndex;
    wizard.NextPage();
    if (session.PageIndex == before) break;
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

  // The same lock as the window: one setup at a time, whichever kind.
  const SingleInstance lock(kSingleInstanceName, parse.options.waitSeconds * 1000u);
  if (!lock.Acquired()) {
    const bool german = parse.options.language.empty() ? IsGermanCode(std::to_string(SystemDefaultLcid()))
                                                       : parse.options.language == "de";
    const MessageCatalogue texts = german ? GermanCatalogue() : EnglishCatalogue();
    console.Err(FormatText(texts.MsgSetupBusy, std::to_string(parse.options.waitSeconds)) + "\r\n");
    return kUnattendedBusy;
  }
  ComScope com;  // the desktop shortcut is written through COM
  WizardSession session;
  session.AppDir = ExeFolder();
  // The payload is named relative to the program's folder, as when it is started from there.
  SetCurrentFolder(session.AppDir);
  ConsoleUi ui(console);
  const int code = RunUnattendedPages(parse.options, session, ui,
                                      [&console](const std::string& note) { console.Err(note + "\r\n"); },
                                      SystemDefaultLcid());
  if (code != kUnattendedBadStart) console.Out(ui.Text(Ctl::Text2) + "\r\n");
  return code;
}

}  // namespace velk
