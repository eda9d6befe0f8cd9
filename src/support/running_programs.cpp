#include "support/running_programs.h"

#include <windows.h>
#include <tlhelp32.h>

#include "support/text_codec.h"
#include "support/text_tools.h"
#include "support/win_handles.h"

namespace velk {
namespace {

// The program file of process `id`; empty when it cannot be asked (another user's process).
std::string ImagePathOf(DWORD id) {
  const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
  if (!process) return {};
  wchar_t path[MAX_PATH * 2] = {};
  DWORD size = MAX_PATH * 2;
  if (!QueryFullProcessImageNameW(process.get(), 0, path, &size)) return {};
  return Narrow(std::wstring_view(path, size));
}

}  // namespace

bool ProgramRunningFrom(const std::string& exePath) {
  const UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  const std::string name = LeafName(exePath);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    // Only a process of the same file name is asked for its full path.
    if (!EqualsNoCase(Narrow(entry.szExeFile), name)) continue;
    if (EqualsNoCase(ImagePathOf(entry.th32ProcessID), exePath)) return true;
  }
  return false;
}

bool HeldWithoutSharing(const std::string& path) {
  const UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return !file && GetLastError() == ERROR_SHARING_VIOLATION;
}

}  // namespace velk
