#include "support/batch_start.h"

#include "support/text_codec.h"

namespace velk {
namespace {

std::wstring CommandInterpreter() {
  const UINT size = GetSystemDirectoryW(nullptr, 0);
  std::wstring folder(size, L'\0');
  folder.resize(GetSystemDirectoryW(folder.data(), size));
  return folder + L"\\cmd.exe";
}

}  // namespace

DWORD StartBatchHidden(const BatchStart& start, UniqueHandle& process) {
  const std::wstring interpreter = CommandInterpreter();
  // The batch path goes on the command line wide, so no code page matters. cmd /c drops the
  // outer pair of quotes and keeps the inner one, so "&" or "(" in the path stay inside quotes.
  std::wstring commandLine = L"\"" + interpreter + L"\"" + (start.skipAutoRun ? L" /d" : L"") +
                             L" /c \"\"" + Widen(start.batchPath) + L"\"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION info{};
  const std::wstring folder = Widen(start.startFolder);
  const DWORD suspended = start.job ? CREATE_SUSPENDED : 0;
  if (!CreateProcessW(interpreter.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_NO_WINDOW | suspended | start.extraFlags, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info))
    return GetLastError();
  if (start.job) {
    // In the job before it can start anything, so that nothing it starts escapes the job.
    if (!AssignProcessToJobObject(start.job, info.hProcess)) {
      const DWORD error = GetLastError();
      TerminateProcess(info.hProcess, 1);
      CloseHandle(info.hThread);
      CloseHandle(info.hProcess);
      return error;
    }
    ResumeThread(info.hThread);
  }
  CloseHandle(info.hThread);
  process.reset(info.hProcess);
  return ERROR_SUCCESS;
}

}  // namespace velk
