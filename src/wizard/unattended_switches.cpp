#include "wizard/unattended_switches.h"

#include <algorithm>
#include <cctype>

#include "support/text_tools.h"
#include "wizard/languages.h"

namespace velk {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// A comma list; blanks around the items go, empty items too.
std::vector<std::string> CommaList(const std::string& text) {
  std::vector<std::string> items;
  size_t start = 0;
  for (;;) {
    const size_t comma = text.find(',', start);
    std::string item(Trimmed(std::string_view(text).substr(start, comma == std::string::npos ? std::string::npos
                                                                                             : comma - start)));
    if (!item.empty()) items.push_back(std::move(item));
    if (comma == std::string::npos) return items;
    start = comma + 1;
  }
}

bool IsSwitch(const std::string& argument) { return !argument.empty() && argument[0] == '/'; }

SwitchParse Fail(std::string error) {
  SwitchParse result;
  result.error = std::move(error);
  return result;
}

}  // namespace

SwitchParse ParseUnattendedSwitches(const std::vector<std::string>& arguments) {
  SwitchParse result;
  UnattendedOptions& o = result.options;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const size_t equals = argument.find('=');
    const std::string name = Lower(argument.substr(0, equals));
    const std::string value = equals == std::string::npos ? std::string() : argument.substr(equals + 1);
    const bool hasValue = equals != std::string::npos;

    if (name == "/s" && !hasValue) {
      o.unattended = true;
    } else if (name == "/?" && !hasValue) {
      o.help = true;
    } else if (name == "/keepold" && !hasValue) {
      o.keepOld = true;
    } else if (name == "/d" && hasValue) {
      std::string folder = value;
      while (i + 1 < arguments.size() && !IsSwitch(arguments[i + 1])) folder += " " + arguments[++i];
      if (Trimmed(folder).empty()) return Fail("/D= needs the game folder");
      o.gameDir = folder;
    } else if (name == "/action" && hasValue) {
      const std::string action = Lower(value);
      if (action == "install" || action == "repair") {
        o.action = Action::Install;
      } else if (action == "uninstall") {
        o.action = Action::Uninstall;
      } else if (action == "toggle") {
        o.action = Action::Switch;
      } else {
        return Fail("Unknown action '" + value + "' (install, repair, uninstall or toggle)");
      }
    } else if (name == "/components" && hasValue) {
      o.componentsGiven = true;
      o.scripts = o.cursor = o.skins = o.maps = false;
      for (const std::string& item : CommaList(value)) {
        const std::string component = Lower(item);
        if (component == "scripts") {
          o.scripts = true;
        } else if (component == "cursor") {
          o.cursor = true;
        } else if (component == "skins") {
          o.skins = true;
        } else if (component == "maps") {
          o.maps = true;
        } else {
          return Fail("Unknown component '" + item + "' (scripts, cursor, skins, maps)");
        }
      }
    } else if (name == "/levels" && hasValue) {
      if (EqualsNoCase(Trimmed(value), "all")) {
        o.levels.reset();
      } else {
        o.levels = CommaList(value);
      }
    } else if (name == "/wait" && hasValue) {
      const std::string seconds(Trimmed(value));
      if (seconds.empty() || seconds.size() > 5 || seconds.find_first_not_of("0123456789") != std::string::npos)
        return Fail("/WAIT= needs a number of seconds (0 to 99999)");
      o.waitSeconds = static_cast<unsigned>(std::stoul(seconds));
    } else if (name == "/lang" && hasValue) {
      const Language* language = LanguageForSwitch(value);
      if (!language) return Fail("Unknown language '" + value + "' (" + LanguageSwitchNames() + ")");
      o.language = language->switchName;
    } else {
      return Fail("Unknown switch '" + argument + "'");
    }
  }
  result.ok = true;
  return result;
}

std::string UnattendedUsage() {
  return "Usage: VelkSetup.exe /S [/D=<game folder>] [/ACTION=install|uninstall|toggle]\r\n"
         "                        [/COMPONENTS=scripts,cursor,skins,maps] [/LEVELS=all|<level>,...]\r\n"
         "                        [/KEEPOLD] [/LANG=" + LanguageSwitchNames("|") + "] [/WAIT=<seconds>]\r\n"
         "\r\n"
         "Runs the wizard's work without its window.\r\n"
         "  /D=<folder>    the Far Cry folder (default: the one remembered from the last run)\r\n"
         "  /ACTION=       install (also repair; the default), uninstall, or toggle the mod\r\n"
         "                 off or on\r\n"
         "  /COMPONENTS=   what to install (default all four); cursor and skins need scripts\r\n"
         "  /LEVELS=       the levels to convert (default all that the game and the maps hold)\r\n"
         "  /KEEPOLD       leave old versions of the mod in place\r\n"
         "  /LANG=         language of the messages (default: the system's)\r\n"
         "  /WAIT=         how long to wait for another setup to finish (default 300 seconds)\r\n"
         "Messages go to the error output, the summary to the output, every step to the run\r\n"
         "log velk.log in the game folder.\r\n"
         "Exit code: 0 done, 1 done with errors, 2 bad switches or wrong game folder,\r\n"
         "3 another setup still at work after the wait (nothing changed).\r\n";
}

}  // namespace velk
