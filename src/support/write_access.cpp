#include "support/write_access.h"

#include <windows.h>
#include <shellapi.h>

#include "support/process_info.h"
#include "support/text_codec.h"
#include "support/win_handles.h"

namespace velk {

bool CanWriteFolder(const std::string& folder) {
  const std::wstring probe = Widen(folder + "\\velk-write-probe-" +
                                   std::to_string(GetCurrentProcessId()) + "-" +
                                   std::to_string(GetTickCount64()) + ".tmp");
  {
    UniqueFile file(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_TEMPORARY, nullptr));
    if (!file) return false;
  }
  // A folder where files can be added but not removed again is no place to install into.
  return DeleteFileW(probe.c_str()) != FALSE;
}

std::string FirstUnwritableFolder(const std::vector<std::string>& folders) {
  for (const std::string& folder : folders)
    if (!CanWriteFolder(folder)) return folder;
  return {};
}

bool RestartElevated(void* owner, const std::string& arguments) {
  const std::wstring exe = Widen(OwnExePath());
  const std::wstring parameters = Widen(arguments);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOASYNC;
  info.hwnd = static_cast<HWND>(owner);
  info.lpVerb = L"runas";
  info.lpFile = exe.c_str();
  info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
  info.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&info) != FALSE;
}

}  // namespace velk
