#pragma once
// The unattended mode's switches, each declared once: the names it goes by, whether it takes a
// value, its part of the usage text, and what it does with the options. The parser, the usage
// and a test that compares the table with the README's switch table all read it.
#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/message_catalogue.h"
#include "wizard/unattended_switches.h"

namespace velk {

// Why a switch was refused: a text of the catalogue and what it names.
struct Refusal {
  std::string MessageCatalogue::*text;
  std::string argument;
};

// One switch as written on the command line.
struct SwitchArgument {
  const std::vector<std::string>& arguments;
  size_t& index;         // of the argument; a switch that takes the words after it moves it on
  std::string name;      // the row's name it matched, as the table writes it ("/DIR")
  std::string value;     // after the "="
};

struct SwitchRow {
  // Every name it goes by, as the usage and the README write them ("/D", "/S"); unused ones null.
  std::array<const char*, 3> names;
  bool takesValue;  // written as <name>=<value>; the others stand alone
  std::optional<Refusal> (*apply)(SwitchArgument& argument, UnattendedOptions& options);
  // Its part of the usage line ("[/D=<game folder>]", "{languages}" for the /LANG= names) and
  // its lines in the usage's list; empty when the usage names it elsewhere.
  const char* synopsis;
  const char* help;
};

std::span<const SwitchRow> SwitchTable();

// The row of a name written on the command line (any case), and in `known` the table's
// spelling of it; none for an unknown name.
const SwitchRow* FindSwitch(std::string_view name, const char** known = nullptr);

}  // namespace velk
