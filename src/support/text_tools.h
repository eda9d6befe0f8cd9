#pragma once
// Small text tools shared by every layer. Text compared without letter case as Windows compares
// file and folder names (all of Unicode, not only ASCII: "Ä" and "ä" are one letter), which is
// also how switches are read.
#include <string>
#include <string_view>
#include <vector>

namespace velk {

bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view head);
bool EndsWithNoCase(std::string_view text, std::string_view tail);
// True when `part` occurs in `text`; an empty `part` occurs everywhere.
bool ContainsNoCase(std::string_view text, std::string_view part);

// The text in one letter case, as a key under which names that differ only in case meet.
std::string FoldedCase(std::string_view text);

// Every `from` replaced by `to` in one left-to-right pass; the result is not scanned again, so
// removing "\Mods" from "\Mo\Modsds" keeps a "\Mods". An empty `from` changes nothing.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// The lines of a text without their CR LF or LF; a line break at the very end opens no
// further line. The views point into `text`.
std::vector<std::string_view> SplitLines(std::string_view text);

// The last name of a path: what follows its last backslash or slash.
inline std::string LeafName(std::string_view path) {
  const size_t slash = path.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// The text without blanks and tabs at either end.
inline std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The text in double quotes, as command lines and batch files name a path.
// Built by appending: GCC 12 warns (-Wrestrict, wrongly) of an overlap in "\"" + text + "\"".
inline std::string Quoted(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted.append(1, '"').append(text).append(1, '"');
  return quoted;
}

}  // namespace velk
