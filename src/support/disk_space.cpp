#include "support/disk_space.h"

#include <windows.h>

#include "support/text_codec.h"

namespace velk {

std::optional<std::uint64_t> FreeBytesAt(const std::string& folder) {
  ULARGE_INTEGER available{};
  if (!GetDiskFreeSpaceExW(Widen(folder).c_str(), &available, nullptr, nullptr)) return std::nullopt;
  return available.QuadPart;
}

std::string VolumeRootOf(const std::string& path) {
  wchar_t root[MAX_PATH + 1] = {};
  if (!GetVolumePathNameW(Widen(path).c_str(), root, MAX_PATH)) return path;
  return Narrow(root);
}

}  // namespace velk
