#include "engine/message_catalogue.h"

#include "support/text_tools.h"

namespace velk {

std::string FormatText(const std::string& text, const std::string& argument) {
  std::string out = ReplaceAll(text, "|", "\r\n");
  out = ReplaceAll(out, "'", "\"");
  return ReplaceAll(out, "%s", argument);
}

}  // namespace velk
