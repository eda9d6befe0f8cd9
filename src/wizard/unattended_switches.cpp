#include "wizard/unattended_switches.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string_view>

#include "support/path_rules.h"
#include "support/process_info.h"
#include "support/text_tools.h"

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

// Two spellings of one game folder, both taken from the current folder as the run will take
// them: "/D=Far Cry /DIR=.\Far Cry\" name one folder.
bool SameGameFolder(const std::string& a, const std::string& b) {
  const std::string na = NormalisedFullPath(FullPathFromCurrentFolder(a));
  const std::string nb = NormalisedFullPath(FullPathFromCurrentFolder(b));
  return na.empty() || nb.empty() ? EqualsNoCase(Trimmed(a), Trimmed(b)) : EqualsNoCase(na, nb);
}

bool IsSwitch(const std::string& argument) { return !argument.empty() && argument[0] == '/'; }

// The names that ask for the unattended mode: ours, and those of scripts written for the other
// family of installers.
constexpr const char* kUnattendedNames[] = {"/S", "/SILENT", "/VERYSILENT"};

bool AsksForUnattended(std::string_view name) {
  return std::any_of(std::begin(kUnattendedNames), std::end(kUnattendedNames),
                     [name](const char* known) { return EqualsNoCase(name, known); });
}

// Why a switch was refused: a text of the catalogue and what it names.
struct Refusal {
  std::string MessageCatalogue::*text;
  std::string argument;
};

// Reads arguments[i] into `o`; /D= also the words after it that belong to its folder.
std::optional<Refusal> ReadSwitch(const std::vector<std::string>& arguments, size_t& i,
                                  UnattendedOptions& o) {
  const std::string& argument = arguments[i];
  const size_t equals = argument.find('=');
  const std::string name = Lower(argument.substr(0, equals));
  const std::string value = equals == std::string::npos ? std::string() : argument.substr(equals + 1);
  const bool hasValue = equals != std::string::npos;

  // The switches that stand alone. /SUPPRESSMSGBOXES and /NORESTART change nothing: this mode
  // shows no boxes and never restarts anything.
  if (AsksForUnattended(name) || name == "/?" || name == "/keepold" || name == "/suppressmsgboxes" ||
      name == "/norestart") {
    if (hasValue) return Refusal{&MessageCatalogue::SwitchTakesNoValue, SingleQuoted(argument)};
    o.unattended = o.unattended || AsksForUnattended(name);
    o.help = o.help || name == "/?";
    o.keepOld = o.keepOld || name == "/keepold";
  } else if ((name == "/d" || name == "/dir") && hasValue) {
    std::string folder = value;
    while (i + 1 < arguments.size() && !IsSwitch(arguments[i + 1])) folder += " " + arguments[++i];
    if (Trimmed(folder).empty())
      return Refusal{&MessageCatalogue::SwitchNeedsFolder, name == "/d" ? "/D=" : "/DIR="};
    // Which of two folders was meant cannot be told: neither is taken.
    if (o.gameDir && !SameGameFolder(*o.gameDir, folder))
      return Refusal{&MessageCatalogue::SwitchFoldersDisagree, SingleQuoted(*o.gameDir) + ", " + SingleQuoted(folder)};
    o.gameDir = folder;
  } else if (name == "/action" && hasValue) {
    const std::string action = Lower(value);
    if (action == "install" || action == "repair") {
      o.action = Action::Install;
    } else if (action == "uninstall") {
      o.action = Action::Uninstall;
    } else if (action == "toggle") {
      o.action = Action::Switch;
    } else if (action == "verify") {
      o.verify = true;
    } else {
      return Refusal{&MessageCatalogue::SwitchUnknownAction, SingleQuoted(value)};
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
        return Refusal{&MessageCatalogue::SwitchUnknownComponent, SingleQuoted(item)};
      }
    }
  } else if (name == "/levels" && hasValue) {
    if (EqualsNoCase(Trimmed(value), "all")) {
      o.levels.reset();
    } else {
      o.levels = CommaList(value);
      o.levelsGiven = value;
    }
  } else if (name == "/wait" && hasValue) {
    const std::string seconds(Trimmed(value));
    if (seconds.empty() || seconds.size() > 5 || seconds.find_first_not_of("0123456789") != std::string::npos)
      return Refusal{&MessageCatalogue::SwitchNeedsSeconds, {}};
    o.waitSeconds = static_cast<unsigned>(std::stoul(seconds));
  } else if (name == "/lang" && hasValue) {
    const Language* language = LanguageForSwitch(value);
    // The choices are the rows of the languages table, so they are not part of the text.
    if (!language)
      return Refusal{&MessageCatalogue::SwitchUnknownLanguage,
                     SingleQuoted(value) + " (" + LanguageSwitchNames() + ")"};
    o.language = language->switchName;
  } else if (name == "/log" && hasValue) {
    if (Trimmed(value).empty()) return Refusal{&MessageCatalogue::SwitchNeedsFile, "/LOG="};
    o.logCopy = value;
  } else {
    return Refusal{&MessageCatalogue::SwitchUnknown, SingleQuoted(argument)};
  }
  return std::nullopt;
}

}  // namespace

bool WantsUnattended(const std::vector<std::string>& arguments) {
  return std::any_of(arguments.begin(), arguments.end(), [](const std::string& a) {
    return a == "/?" || AsksForUnattended(std::string_view(a).substr(0, a.find('=')));
  });
}

SwitchParse ParseUnattendedSwitches(const std::vector<std::string>& arguments) {
  SwitchParse result;
  std::optional<Refusal> refused;
  for (size_t i = 0; i < arguments.size(); ++i) {
    std::optional<Refusal> refusal = ReadSwitch(arguments, i, result.options);
    if (!refused) refused = std::move(refusal);
  }
  if (refused) {
    result.error = FormatText(CatalogueOf(MessageLanguage(result.options)).*refused->text, refused->argument);
    return result;
  }
  result.ok = true;
  return result;
}

const Language& MessageLanguage(const UnattendedOptions& options) {
  const Language* chosen = LanguageForSwitch(options.language);
  return chosen ? *chosen : LanguageForCode(std::to_string(SystemDefaultLcid()));
}

std::string UnattendedUsage() {
  return "Usage: VelkSetup.exe /S [/D=<game folder>] [/ACTION=install|uninstall|toggle|verify]\r\n"
         "                        [/COMPONENTS=scripts,cursor,skins,maps] [/LEVELS=all|<level>,...]\r\n"
         "                        [/KEEPOLD] [/LANG=" + LanguageSwitchNames("|") +
         "] [/WAIT=<seconds>] [/LOG=<file>]\r\n"
         "\r\n"
         "Runs the wizard's work without its window.\r\n"
         "  /D=<folder>    the Far Cry folder (default: the one remembered from the last run,\r\n"
         "                 else the only one found on this computer)\r\n"
         "  /ACTION=       install (also repair; the default), uninstall, toggle the mod\r\n"
         "                 off or on, or verify what is installed (changes nothing)\r\n"
         "  /COMPONENTS=   what to install (default all four); cursor and skins need scripts\r\n"
         "  /LEVELS=       the levels to convert (default all that the game and the maps hold)\r\n"
         "  /KEEPOLD       leave old versions of the mod in place\r\n"
         "  /LANG=         language of the messages (default: the system's)\r\n"
         "  /WAIT=         how long to wait for another setup to finish (default 300 seconds)\r\n"
         "  /LOG=<file>    also copy the run log to this file at the end (in the game folder\r\n"
         "                 only a <name>.log directly in it)\r\n"
         "For scripts written for other installers: /SILENT and /VERYSILENT act as /S,\r\n"
         "/DIR=<folder> as /D=; /SUPPRESSMSGBOXES and /NORESTART change nothing.\r\n"
         "Messages go to the error output, the summary to the output, every step to the run\r\n"
         "log velk.log in the game folder.\r\n"
         "Exit codes:\r\n"
         "  0  done\r\n"
         "  1  done with error messages\r\n"
         "  2  bad switches (also /D= and /DIR= naming different folders, or a /LOG= file\r\n"
         "     of the game or the setup, or a link), wrong game folder or no write access to\r\n"
         "     it, or none named or remembered and none or several found (nothing changed)\r\n"
         "  3  another setup still at work after the wait (nothing changed)\r\n"
         "  4  a setup file (modfiles.7z, mapfiles.7z, 7z.exe) missing or damaged (nothing changed)\r\n"
         "  5  too little free space for the unpacking (nothing changed)\r\n"
         "  6  the setup's own folder cannot be written, with maps (nothing changed)\r\n"
         "  7  Far Cry is running from the game folder (nothing changed)\r\n"
         "  8  /ACTION=verify: the mod is not installed in the game folder\r\n"
         "/ACTION=verify ends with 0 when all is as installed (a level switched off too), and\r\n"
         "with 1 when a repair is needed.\r\n";
}

}  // namespace velk
