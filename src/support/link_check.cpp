#include "support/link_check.h"

#include <windows.h>

#include "support/path_rules.h"
#include "support/text_codec.h"
#include "support/win_handles.h"

namespace velk {
namespace {

// The path a handle really opens, as "\\?\X:\..." or "\\?\UNC\...", without a trailing
// backslash; empty when it cannot be told.
std::wstring FinalPath(HANDLE handle) {
  std::wstring buffer(512, L'\0');
  for (int attempt = 0; attempt < 3; ++attempt) {
    const DWORD n = GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                              FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0) return {};
    if (n < buffer.size()) {
      buffer.resize(n);
      while (!buffer.empty() && buffer.back() == L'\\') buffer.pop_back();
      return buffer;
    }
    buffer.assign(n + 1, L'\0');
  }
  return {};
}

UniqueFile OpenForQuery(const std::wstring& path, DWORD access, bool followLinks) {
  const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
  return UniqueFile(CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, flags, nullptr));
}

// Where the entry `path` itself lives: its folder's real path and its own leaf name. The
// folder is followed, so links in the folders above do not count.
std::wstring OwnFinalPath(const std::wstring& path) {
  std::wstring trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == L'\\') trimmed.pop_back();
  const size_t slash = trimmed.find_last_of(L'\\');
  if (slash == std::wstring::npos) return {};
  std::wstring parent = trimmed.substr(0, slash + 1);  // "X:\" stays a root
  UniqueFile folder = OpenForQuery(parent, FILE_READ_ATTRIBUTES, true);
  if (!folder) return {};
  const std::wstring parentFinal = FinalPath(folder.get());
  return parentFinal.empty() ? std::wstring() : parentFinal + L"\\" + trimmed.substr(slash + 1);
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return !a.empty() && CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                            static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

bool LeadsElsewhere(const std::wstring& path) {
  UniqueFile opened = OpenForQuery(path, FILE_READ_ATTRIBUTES, true);
  if (!opened) {
    // A link whose target is gone cannot be followed, but it is still there.
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  return !SamePath(FinalPath(opened.get()), OwnFinalPath(path));
}

bool LeadsElsewhere(const std::string& path) { return LeadsElsewhere(Widen(path)); }
bool OpensEntryItself(void* handle, const std::wstring& path) {
  return SamePath(FinalPath(handle), OwnFinalPath(path));
}

bool RemoveLinkItself(const std::wstring& path) {
  UniqueFile link = OpenForQuery(path, DELETE | FILE_READ_ATTRIBUTES, false);
  if (!link || !SamePath(FinalPath(link.get()), OwnFinalPath(path))) return false;
  FILE_DISPOSITION_INFO disposition{TRUE};
  return SetFileInformationByHandle(link.get(), FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

namespace {

// The real path of an existing file or folder in its normal spelling; empty when it cannot be
// opened.
std::string RealPath(const std::string& path) {
  UniqueFile opened = OpenForQuery(Widen(path), FILE_READ_ATTRIBUTES, true);
  return opened ? NormalisedFullPath(Narrow(FinalPath(opened.get()))) : std::string();
}

}  // namespace

std::string ResolvedPath(const std::string& path) {
  std::string existing = NormalisedFullPath(path);
  std::string rest;  // the names below `existing` that are not there
  for (;;) {
    if (existing.empty()) return {};
    if (GetFileAttributesW(Widen(existing).c_str()) != INVALID_FILE_ATTRIBUTES) break;
    const size_t slash = existing.rfind('\\');
    if (slash == std::string::npos || existing.size() <= 3) return {};
    rest = existing.substr(slash + 1) + (rest.empty() ? "" : "\\" + rest);
    existing = NormalisedFullPath(existing.substr(0, slash + 1));
  }
  const std::string real = RealPath(existing);
  if (real.empty() || rest.empty()) return real;
  return real.back() == '\\' ? real + rest : real + "\\" + rest;
}

bool ReallyLiesWithin(const std::string& path, const std::string& folder) {
  const std::string realFolder = RealPath(folder);
  const std::string real = ResolvedPath(path);
  return !realFolder.empty() && !real.empty() && LiesWithin(real, realFolder);
}

}  // namespace velk
