#include "support/text_tools.h"

#include <windows.h>

#include "support/text_codec.h"

namespace velk {

bool EqualsNoCase(std::string_view a, std::string_view b) {
  const std::wstring wa = Widen(a);
  const std::wstring wb = Widen(b);
  return CompareStringOrdinal(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                              static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
}

bool StartsWithNoCase(std::string_view text, std::string_view head) {
  return text.size() >= head.size() && EqualsNoCase(text.substr(0, head.size()), head);
}

bool EndsWithNoCase(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && EqualsNoCase(text.substr(text.size() - tail.size()), tail);
}

bool ContainsNoCase(std::string_view text, std::string_view part) {
  if (part.empty()) return true;
  const std::wstring wtext = Widen(text);
  const std::wstring wpart = Widen(part);
  return FindStringOrdinal(FIND_FROMSTART, wtext.c_str(), static_cast<int>(wtext.size()),
                           wpart.c_str(), static_cast<int>(wpart.size()), TRUE) >= 0;
}

std::string FoldedCase(std::string_view text) {
  std::wstring wide = Widen(text);
  if (!wide.empty()) CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return Narrow(wide);
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string out;
  size_t pos = 0;
  for (size_t hit; (hit = text.find(from, pos)) != std::string_view::npos; pos = hit + from.size())
    out.append(text, pos, hit - pos).append(to);
  out.append(text.substr(pos));
  return out;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace velk
