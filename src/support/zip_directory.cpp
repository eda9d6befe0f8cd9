#include "support/zip_directory.h"

#include <algorithm>

#include "support/text_codec.h"
#include "support/win_handles.h"

namespace velk {
namespace {

constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kEntrySignature = 0x02014b50;
constexpr size_t kEndSize = 22;
constexpr size_t kEntrySize = 46;
constexpr size_t kLongestComment = 0xFFFF;

std::uint32_t Le(const std::string& bytes, size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

bool ReadAt(HANDLE file, std::uint64_t offset, size_t size, std::string& bytes) {
  bytes.assign(size, '\0');
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(offset);
  DWORD read = 0;
  return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
         ReadFile(file, bytes.data(), static_cast<DWORD>(size), &read, nullptr) && read == size;
}

}  // namespace

std::optional<std::vector<ZipEntry>> ReadZipDirectory(const std::string& path) {
  UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart < static_cast<LONGLONG>(kEndSize)) return std::nullopt;
  const std::uint64_t fileSize = static_cast<std::uint64_t>(size.QuadPart);
  // The end record sits in the last 22 bytes, or before a comment of up to 64 KB.
  const size_t tail = static_cast<size_t>(std::min<std::uint64_t>(fileSize, kEndSize + kLongestComment));
  std::string end;
  if (!ReadAt(file.get(), fileSize - tail, tail, end)) return std::nullopt;
  size_t at = tail - kEndSize + 1;
  do {
    --at;
  } while (at > 0 && Le(end, at, 4) != kEndSignature);
  if (Le(end, at, 4) != kEndSignature) return std::nullopt;
  const std::uint32_t count = Le(end, at + 10, 2);
  const std::uint32_t directorySize = Le(end, at + 12, 4);
  const std::uint32_t directoryOffset = Le(end, at + 16, 4);
  if (static_cast<std::uint64_t>(directoryOffset) + directorySize > fileSize) return std::nullopt;
  std::string directory;
  if (!ReadAt(file.get(), directoryOffset, directorySize, directory)) return std::nullopt;
  std::vector<ZipEntry> entries;
  size_t pos = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (pos + kEntrySize > directory.size() || Le(directory, pos, 4) != kEntrySignature) return std::nullopt;
    const std::uint32_t unpacked = Le(directory, pos + 24, 4);
    const size_t nameLength = Le(directory, pos + 28, 2);
    const size_t extraLength = Le(directory, pos + 30, 2);
    const size_t commentLength = Le(directory, pos + 32, 2);
    if (unpacked == 0xFFFFFFFFu || pos + kEntrySize + nameLength > directory.size()) return std::nullopt;
    entries.push_back({directory.substr(pos + kEntrySize, nameLength), unpacked});
    pos += kEntrySize + nameLength + extraLength + commentLength;
  }
  return entries;
}

}  // namespace velk
