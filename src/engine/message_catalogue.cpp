#include "engine/message_catalogue.h"

namespace velk {
namespace {

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  if (from.empty()) return text;
  std::string out;
  size_t pos = 0;
  for (size_t hit; (hit = text.find(from, pos)) != std::string::npos; pos = hit + from.size())
    out.append(text, pos, hit - pos).append(to);
  out.append(text, pos, std::string::npos);
  return out;
}

}  // namespace

std::string FormatText(const std::string& text, const std::string& argument) {
  std::string out = ReplaceAll(text, "|", "\r\n");
  out = ReplaceAll(out, "'", "\"");
  return ReplaceAll(out, "%s", argument);
}

}  // namespace velk
