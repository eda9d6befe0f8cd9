#pragma once
// Small text tools shared by every layer. Text compared without letter case, as the file
// system compares file names and as switches are read: ASCII letters only; other characters
// must match exactly.
#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace velk {

inline bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

inline bool StartsWithNoCase(std::string_view text, std::string_view head) {
  return text.size() >= head.size() && EqualsNoCase(text.substr(0, head.size()), head);
}

inline bool EndsWithNoCase(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && EqualsNoCase(text.substr(text.size() - tail.size()), tail);
}

// The text without blanks and tabs at either end.
inline std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The text in double quotes, as command lines and batch files name a path.
inline std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace velk
