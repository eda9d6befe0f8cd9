#pragma once
// A folder this process may not write to, for the tests of the write probe (the hardening
// matrix and the window). Header only, so that every test program can use it.
#include <windows.h>

#include <string>
#include <utility>

#include "support/text_codec.h"
#include "support/win_handles.h"
#include "support/write_access.h"

namespace velk::hardening {

// Makes a folder unwritable for this process from the Unix side (Wine maps neither the
// read-only attribute of a folder nor, for root, its permission bits): chattr +i, or
// chmod a-w where that is not allowed. Undone when it goes out of scope.
class UnwritableFolder {
 public:
  explicit UnwritableFolder(std::string folder);
  ~UnwritableFolder();
  UnwritableFolder(const UnwritableFolder&) = delete;
  UnwritableFolder& operator=(const UnwritableFolder&) = delete;
  // False when the folder could still be written to (the test then has nothing to check).
  bool holds() const { return holds_; }

 private:
  std::string folder_;
  bool holds_ = false;
};

namespace detail {

inline std::string UnixPath(const std::string& path) {
  using ToUnix = char*(CDECL*)(LPCWSTR);
  const auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
  if (!toUnix) return {};
  char* unix = toUnix(Widen(path).c_str());
  if (!unix) return {};
  std::string result = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

// Wine starts Unix programs through CreateProcess, with the Windows environment (so the
// programs are named by their full paths) and a handle that cannot be waited for. So the
// script touches a marker file when it is done, and that is what is waited for (at most ten
// seconds). Probing the folder meanwhile would race with the change and could leave a
// probe file behind that can no longer be deleted.
inline bool RunUnixShell(const std::string& script) {
  wchar_t tempFolder[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, tempFolder);
  const std::string marker = Narrow(tempFolder) + "velk-unix-shell-" +
                             std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(GetTickCount64()) + ".done";
  const std::string unixMarker = UnixPath(marker);
  if (unixMarker.empty()) return false;
  std::wstring commandLine = Widen("sh -c \"" + script + "; /usr/bin/touch '" + unixMarker + "'\"");
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(L"Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    return false;
  UniqueHandle processHandle(process.hProcess), threadHandle(process.hThread);
  const std::wstring wideMarker = Widen(marker);
  for (int i = 0; i < 200; ++i) {
    if (GetFileAttributesW(wideMarker.c_str()) != INVALID_FILE_ATTRIBUTES) {
      DeleteFileW(wideMarker.c_str());
      return true;
    }
    Sleep(50);
  }
  return false;
}

}  // namespace detail

inline UnwritableFolder::UnwritableFolder(std::string folder) : folder_(std::move(folder)) {
  const std::string unix = detail::UnixPath(folder_);
  if (unix.empty() || unix.find('\'') != std::string::npos) return;
  holds_ = detail::RunUnixShell("/usr/bin/chattr +i '" + unix + "' 2>/dev/null || /bin/chmod a-w '" + unix + "'") &&
           !CanWriteFolder(folder_);
}

inline UnwritableFolder::~UnwritableFolder() {
  const std::string unix = detail::UnixPath(folder_);
  if (unix.empty() || !holds_) return;
  detail::RunUnixShell("/usr/bin/chattr -i '" + unix + "' 2>/dev/null; /bin/chmod u+w '" + unix + "'");
}

}  // namespace velk::hardening
