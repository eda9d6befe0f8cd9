#include "wizard/unattended_switches.h"

#include <algorithm>
#include <string_view>

#include "support/process_info.h"
#include "support/text_tools.h"
#include "wizard/unattended_switch_table.h"

namespace velk {
namespace {

// The names that ask for the unattended mode: ours, and those of scripts written for the other
// family of installers (the row of /S).
bool AsksForUnattended(std::string_view name) { return FindSwitch(name) == FindSwitch("/S"); }

// Reads arguments[i] into `o`; a switch that takes the words after it moves i on.
std::optional<Refusal> ReadSwitch(const std::vector<std::string>& arguments, size_t& i, UnattendedOptions& o) {
  const std::string& argument = arguments[i];
  const size_t equals = argument.find('=');
  const bool hasValue = equals != std::string::npos;
  const char* known = nullptr;
  const SwitchRow* row = FindSwitch(std::string_view(argument).substr(0, equals), &known);
  if (row && !row->takesValue && hasValue) return Refusal{&MessageCatalogue::SwitchTakesNoValue, SingleQuoted(argument)};
  if (!row || row->takesValue != hasValue) return Refusal{&MessageCatalogue::SwitchUnknown, SingleQuoted(argument)};
  SwitchArgument input{arguments, i, known, hasValue ? argument.substr(equals + 1) : std::string()};
  return row->apply(input, o);
}

// Items joined by blanks into lines of at most `width` characters, each line after the first
// starting at `indent`.
std::string Wrapped(const std::vector<std::string>& items, std::string line, size_t indent, size_t width) {
  std::string text;
  for (const std::string& item : items) {
    if (line.size() + 1 + item.size() > width && line.find_first_not_of(' ') != std::string::npos) {
      text += line + "\r\n";
      line.assign(indent, ' ');
    } else if (line.back() != ' ') {
      line += ' ';
    }
    line += item;
  }
  return text + line + "\r\n";
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
  constexpr const char* kLead = "Usage: VelkSetup.exe /S";
  std::vector<std::string> synopsis;
  std::string list;
  for (const SwitchRow& row : SwitchTable()) {
    if (*row.synopsis) synopsis.push_back(ReplaceAll(row.synopsis, "{languages}", LanguageSwitchNames("|")));
    list += row.help;
  }
  return Wrapped(synopsis, kLead, std::string_view(kLead).size() + 1, 90) +
         "\r\n"
         "Runs the wizard's work without its window.\r\n" +
         list +
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
