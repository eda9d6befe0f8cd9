#pragma once
// The table of contents of a ZIP archive (the game's level.pak, the mod's levelvelk.pak), read
// from its central directory without unpacking anything.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velk {

struct ZipEntry {
  std::string name;  // as stored, "/" between folders
  std::uint64_t size = 0;  // unpacked
};

// The entries in stored order; nothing when the file cannot be read or holds no readable
// central directory (not a ZIP, cut short, or a ZIP64 archive, which no level needs).
std::optional<std::vector<ZipEntry>> ReadZipDirectory(const std::string& path);

}  // namespace velk
