#include "support/short_path.h"

#include <windows.h>

#include <vector>

#include "support/text_codec.h"
#include "support/win_handles.h"

namespace velk {
namespace {

bool Identity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  // Attribute access only: it is not subject to sharing, so a file the game holds still opens.
  UniqueFile file(CreateFileW(Widen(path).c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return file && GetFileInformationByHandle(file.get(), &info);
}

// The root that stays as written ("C:\", "\\server\share\", or nothing for a relative path)
// and the components after it.
struct SplitPath {
  std::string root;
  std::vector<std::string> parts;
};

SplitPath Split(const std::string& path) {
  SplitPath split;
  size_t pos = 0;
  if (path.size() >= 2 && path[1] == ':') {
    pos = path.size() > 2 && path[2] == '\\' ? 3 : 2;
  } else if (path.rfind("\\\\", 0) == 0) {
    // Server and share name.
    pos = path.find('\\', 2);
    pos = pos == std::string::npos ? path.size() : path.find('\\', pos + 1);
    pos = pos == std::string::npos ? path.size() : pos + 1;
  }
  split.root = path.substr(0, pos);
  while (pos <= path.size()) {
    size_t end = path.find('\\', pos);
    if (end == std::string::npos) end = path.size();
    split.parts.push_back(path.substr(pos, end - pos));
    pos = end + 1;
  }
  return split;
}

// The short name the folder listing gives for the last component of `path`; empty when the
// entry does not exist or has none.
std::string ListedShortName(const std::string& path) {
  WIN32_FIND_DATAW data;
  UniqueFind find(FindFirstFileW(Widen(path).c_str(), &data));
  if (!find) return {};
  return Narrow(data.cAlternateFileName);
}

}  // namespace

bool SameFileObject(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION first{}, second{};
  if (!Identity(a, first) || !Identity(b, second)) return false;
  return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

std::string GetShortName(const std::string& path) {
  const std::wstring wide = Widen(path);
  std::wstring buffer;
  DWORD size = static_cast<DWORD>(wide.size() + 1);
  // The needed size may grow between the calls when the path changes: ask until it fits.
  for (int attempt = 0; attempt < 4; ++attempt) {
    buffer.assign(size, L'\0');
    const DWORD n = GetShortPathNameW(wide.c_str(), buffer.data(), size);
    if (n == 0) return {};
    if (n < size) {
      buffer.resize(n);
      const std::string shortForm = Narrow(buffer);
      if (shortForm == path || SameFileObject(shortForm, path)) return shortForm;
      // The long form always names the right file; callers that need a batch-safe form
      // still pass it through the OEM check.
      return path;
    }
    size = n;
  }
  return {};
}

std::string OemSafeForm(const std::string& path) {
  const SplitPath split = Split(path);
  if (!IsOemSafe(split.root)) return {};
  std::string longSoFar = split.root;
  std::string safeSoFar = split.root;
  for (size_t i = 0; i < split.parts.size(); ++i) {
    const std::string& part = split.parts[i];
    const std::string separator = i == 0 ? "" : "\\";
    longSoFar += separator + part;
    if (IsOemSafe(part)) {
      safeSoFar += separator + part;
      continue;
    }
    const std::string shortPart = ListedShortName(longSoFar);
    if (shortPart.empty() || !IsOemSafe(shortPart)) return {};
    safeSoFar += separator + shortPart;
    if (!SameFileObject(safeSoFar, longSoFar)) return {};
  }
  return safeSoFar;
}

}  // namespace velk
