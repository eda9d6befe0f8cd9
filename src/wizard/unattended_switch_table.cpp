#include "wizard/unattended_switch_table.h"

#include <algorithm>
#include <cctype>

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

using Result = std::optional<Refusal>;

Result Unattended(SwitchArgument&, UnattendedOptions& o) {
  o.unattended = true;
  return std::nullopt;
}

Result Help(SwitchArgument&, UnattendedOptions& o) {
  o.help = true;
  return std::nullopt;
}

Result KeepOld(SwitchArgument&, UnattendedOptions& o) {
  o.keepOld = true;
  return std::nullopt;
}

// This mode shows no boxes and never restarts anything.
Result ChangesNothing(SwitchArgument&, UnattendedOptions&) { return std::nullopt; }

// The folder takes the words after it up to the next switch too (an unquoted folder with
// blanks).
Result GameFolder(SwitchArgument& a, UnattendedOptions& o) {
  std::string folder = a.value;
  while (a.index + 1 < a.arguments.size() && !IsSwitch(a.arguments[a.index + 1])) folder += " " + a.arguments[++a.index];
  if (Trimmed(folder).empty()) return Refusal{&MessageCatalogue::SwitchNeedsFolder, a.name + "="};
  // Which of two folders was meant cannot be told: neither is taken.
  if (o.gameDir && !SameGameFolder(*o.gameDir, folder))
    return Refusal{&MessageCatalogue::SwitchFoldersDisagree, SingleQuoted(*o.gameDir) + ", " + SingleQuoted(folder)};
  o.gameDir = folder;
  return std::nullopt;
}

Result ActionSwitch(SwitchArgument& a, UnattendedOptions& o) {
  const std::string action = Lower(a.value);
  if (action == "install" || action == "repair") {
    o.action = Action::Install;
  } else if (action == "uninstall") {
    o.action = Action::Uninstall;
  } else if (action == "toggle") {
    o.action = Action::Switch;
  } else if (action == "verify") {
    o.verify = true;
  } else {
    return Refusal{&MessageCatalogue::SwitchUnknownAction, SingleQuoted(a.value)};
  }
  return std::nullopt;
}

Result Components(SwitchArgument& a, UnattendedOptions& o) {
  o.componentsGiven = true;
  o.scripts = o.cursor = o.skins = o.maps = false;
  for (const std::string& item : CommaList(a.value)) {
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
  return std::nullopt;
}

Result Levels(SwitchArgument& a, UnattendedOptions& o) {
  if (EqualsNoCase(Trimmed(a.value), "all")) {
    o.levels.reset();
  } else {
    o.levels = CommaList(a.value);
    o.levelsGiven = a.value;
  }
  return std::nullopt;
}

Result Wait(SwitchArgument& a, UnattendedOptions& o) {
  const std::string seconds(Trimmed(a.value));
  if (seconds.empty() || seconds.size() > 5 || seconds.find_first_not_of("0123456789") != std::string::npos)
    return Refusal{&MessageCatalogue::SwitchNeedsSeconds, {}};
  o.waitSeconds = static_cast<unsigned>(std::stoul(seconds));
  return std::nullopt;
}

Result LanguageSwitch(SwitchArgument& a, UnattendedOptions& o) {
  const Language* language = LanguageForSwitch(a.value);
  // The choices are the rows of the languages table, so they are not part of the text.
  if (!language)
    return Refusal{&MessageCatalogue::SwitchUnknownLanguage, SingleQuoted(a.value) + " (" + LanguageSwitchNames() + ")"};
  o.language = language->switchName;
  return std::nullopt;
}

Result LogCopy(SwitchArgument& a, UnattendedOptions& o) {
  if (Trimmed(a.value).empty()) return Refusal{&MessageCatalogue::SwitchNeedsFile, "/LOG="};
  o.logCopy = a.value;
  return std::nullopt;
}

// In the order of the usage and the README. /S, /DIR=, /SUPPRESSMSGBOXES and /NORESTART are
// explained by the usage's paragraph on other installers.
const SwitchRow kSwitches[] = {
    {{"/S", "/SILENT", "/VERYSILENT"}, false, Unattended, "", ""},
    {{"/D"}, true, GameFolder, "[/D=<game folder>]",
     "  /D=<folder>    the Far Cry folder (default: the one remembered from the last run,\r\n"
     "                 else the only one found on this computer)\r\n"},
    {{"/DIR"}, true, GameFolder, "", ""},
    {{"/ACTION"}, true, ActionSwitch, "[/ACTION=install|uninstall|toggle|verify]",
     "  /ACTION=       install (also repair; the default), uninstall, toggle the mod\r\n"
     "                 off or on, or verify what is installed (changes nothing)\r\n"},
    {{"/COMPONENTS"}, true, Components, "[/COMPONENTS=scripts,cursor,skins,maps]",
     "  /COMPONENTS=   what to install (default all four); cursor and skins need scripts\r\n"},
    {{"/LEVELS"}, true, Levels, "[/LEVELS=all|<level>,...]",
     "  /LEVELS=       the levels to convert (default all that the game and the maps hold)\r\n"},
    {{"/KEEPOLD"}, false, KeepOld, "[/KEEPOLD]", "  /KEEPOLD       leave old versions of the mod in place\r\n"},
    {{"/LANG"}, true, LanguageSwitch, "[/LANG={languages}]",
     "  /LANG=         language of the messages (default: the system's)\r\n"},
    {{"/WAIT"}, true, Wait, "[/WAIT=<seconds>]",
     "  /WAIT=         how long to wait for another setup to finish (default 300 seconds)\r\n"},
    {{"/LOG"}, true, LogCopy, "[/LOG=<file>]",
     "  /LOG=<file>    also copy the run log to this file at the end (in the game folder\r\n"
     "                 only a <name>.log directly in it)\r\n"},
    {{"/SUPPRESSMSGBOXES", "/NORESTART"}, false, ChangesNothing, "", ""},
    {{"/?"}, false, Help, "", ""},
};

}  // namespace

std::span<const SwitchRow> SwitchTable() { return kSwitches; }

const SwitchRow* FindSwitch(std::string_view name, const char** known) {
  for (const SwitchRow& row : kSwitches) {
    for (const char* candidate : row.names) {
      if (!candidate || !EqualsNoCase(name, candidate)) continue;
      if (known) *known = candidate;
      return &row;
    }
  }
  return nullptr;
}

}  // namespace velk
