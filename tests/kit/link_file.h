#pragma once
// What a shortcut file holds, read back through the shell's own link object. The show command
// and the flags come from the file itself: this platform's link object always reports 1.
#include <cstdint>
#include <string>

namespace velk::testkit {

struct LinkFields {
  std::string target, arguments, workDir, description, iconFile;
  int iconIndex = -1;
  std::uint32_t linkFlags = 0;  // header flags at 0x14
  std::uint32_t showCmd = 0;    // header field at 0x3C
};

// Adds a test failure when the file cannot be loaded as a link.
LinkFields ReadLink(const std::string& linkFile);

}  // namespace velk::testkit
