#pragma once
// How much room a drive has, and which drive a folder lies on.
#include <cstdint>
#include <optional>
#include <string>

namespace velk {

// The bytes this program may still write on the drive that holds `folder` (quotas counted);
// none when the platform cannot say.
std::optional<std::uint64_t> FreeBytesAt(const std::string& folder);
// The root of the volume that holds `path` ("C:\", "\\server\share\", or a mounted folder),
// so that two folders on one drive are counted together; `path` itself when unknown.
std::string VolumeRootOf(const std::string& path);

}  // namespace velk
