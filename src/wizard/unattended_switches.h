#pragma once
// The command line of the unattended mode: VelkSetup.exe /S [switches].
#include <optional>
#include <string>
#include <vector>

#include "engine/choices.h"
#include "wizard/languages.h"

namespace velk {

struct UnattendedOptions {
  bool unattended = false;  // /S, /SILENT or /VERYSILENT
  bool help = false;        // /?
  std::optional<std::string> gameDir;  // /D= or /DIR=; without it the remembered folder
  Action action = Action::Install;  // /ACTION=install, uninstall or toggle
  bool verify = false;              // /ACTION=verify: check what is installed, change nothing
  bool componentsGiven = false;
  bool scripts = true, cursor = true, skins = true, maps = true;  // /COMPONENTS=
  std::optional<std::vector<std::string>> levels;  // /LEVELS=; nullopt: all the list offers
  std::string levelsGiven;  // /LEVELS= as written, for the message when it names no level offered
  bool keepOld = false;  // /KEEPOLD
  std::string language;  // "en", "de", or empty for the system's language
  unsigned waitSeconds = 300;  // /WAIT=: how long to wait for another setup to finish
  std::optional<std::string> logCopy;  // /LOG=: where a copy of the run log goes
};

struct SwitchParse {
  bool ok = false;
  UnattendedOptions options;
  std::string error;  // what was wrong, for the user, in the language of the messages
};

// True when the arguments ask for the unattended mode: /S, /SILENT or /VERYSILENT (any case,
// also with a value, which the parse then refuses) or /?.
bool WantsUnattended(const std::vector<std::string>& arguments);

// Switch names and values are case-insensitive. /D= takes the rest of its argument; the words
// that follow it up to the next switch belong to it too (an unquoted folder with blanks).
// The first refused switch is the error; the rest are still read, so that a /LANG= anywhere
// chooses the language it is told in.
SwitchParse ParseUnattendedSwitches(const std::vector<std::string>& arguments);

// The language of the unattended mode's texts: /LANG=, otherwise the system's.
const Language& MessageLanguage(const UnattendedOptions& options);

// A name or value as the unattended mode's texts quote it: in single quotes, which a catalogue
// text cannot hold itself.
inline std::string SingleQuoted(const std::string& text) { return "'" + text + "'"; }

// The usage text that /? prints.
std::string UnattendedUsage();

}  // namespace velk
