#pragma once
// The command line of the unattended mode: VelkSetup.exe /S [switches].
#include <optional>
#include <string>
#include <vector>

#include "engine/choices.h"

namespace velk {

struct UnattendedOptions {
  bool unattended = false;  // /S
  bool help = false;        // /?
  std::optional<std::string> gameDir;  // /D=; without it the remembered folder
  Action action = Action::Install;  // /ACTION=install, uninstall or toggle
  bool componentsGiven = false;
  bool scripts = true, cursor = true, skins = true, maps = true;  // /COMPONENTS=
  std::optional<std::vector<std::string>> levels;  // /LEVELS=; nullopt: all the list offers
  bool keepOld = false;  // /KEEPOLD
  std::string language;  // "en", "de", or empty for the system's language
  unsigned waitSeconds = 300;  // /WAIT=: how long to wait for another setup to finish
};

struct SwitchParse {
  bool ok = false;
  UnattendedOptions options;
  std::string error;  // what was wrong, for the user
};

// Switch names and values are case-insensitive. /D= takes the rest of its argument; the words
// that follow it up to the next switch belong to it too (an unquoted folder with blanks).
SwitchParse ParseUnattendedSwitches(const std::vector<std::string>& arguments);

// The usage text that /? prints.
std::string UnattendedUsage();

}  // namespace velk
