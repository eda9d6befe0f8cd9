#include "support/self_removal.h"

#include <windows.h>

#include <cstdint>
#include <string>

#include "support/command_runner.h"
#include "support/file_helpers.h"
#include "support/process_info.h"
#include "support/text_codec.h"
#include "support/text_tools.h"
#include "support/win_handles.h"

namespace velk {
namespace {

constexpr std::uint32_t kMissing = 0xFFFFFFFFu;

std::string WithoutExtension(const std::string& fileName) {
  const size_t dot = fileName.find_last_of('.');
  return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

std::string LeafName(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::wstring SystemCmdPath() {
  const UINT size = GetSystemDirectoryW(nullptr, 0);
  std::wstring dir(size, L'\0');
  const UINT n = GetSystemDirectoryW(dir.data(), size);
  dir.resize(n);
  return dir + L"\\cmd.exe";
}

}  // namespace

SelfRemovalPaths SelfRemovalPathsFor(const std::string& appDir, const std::string& exeFileName,
                                     const std::string& batchName) {
  const std::string name = WithoutExtension(exeFileName);
  // A drive root such as "C:\" already ends in its backslash.
  const std::string folder = appDir.size() < 4 ? appDir : appDir + "\\";
  return {folder + name + ".exe", folder + batchName};
}

std::string BuildKillBatchBytes(const std::string& exePath, const std::string& batPath) {
  const std::string exe = Quoted(BatchSafePath(exePath));
  const std::string bat = Quoted(BatchSafePath(batPath));
  // The loop pauses about a second between tries (ping waits one second between its two
  // echoes; no sleep command exists in every Windows and Wine cmd) and gives up after
  // kKillBatchAttempts tries. The batch deletes itself either way.
  const std::string lines[] = {
      "@echo off",
      "set VelkKillTries=0",
      ":Marke",
      "Del " + exe,
      "set /a VelkKillTries+=1",
      "If %VelkKillTries% GEQ " + std::to_string(kKillBatchAttempts) + " Goto Aufgeben",
      "If Exist " + exe + " ping -n 2 127.0.0.1 >nul",
      "If Exist " + exe + " Goto Marke",
      ":Aufgeben",
      "del " + bat,  // the last line has no line end
  };
  std::string text;
  for (const std::string& line : lines) {
    if (!text.empty()) text += "\r\n";
    text += line;
  }
  return ToOem(text);
}

bool StartSelfRemoval(const std::string& appDir, const std::string& exeFileName,
                      const std::string& batchName) {
  const SelfRemovalPaths paths = SelfRemovalPathsFor(appDir, exeFileName, batchName);

  // Read-only, hidden or system would make every Del fail.
  const std::uint32_t attributes = GetAttributes(paths.exePath);
  if (attributes != kMissing && attributes != 0) SetAttributes(paths.exePath, 0);

  if (!WriteFileBytes(paths.batPath, BuildKillBatchBytes(paths.exePath, paths.batPath)))
    return false;

  // The batch path goes to cmd unchanged on its command line (wide, so no code page
  // matters); cmd /c strips the outer pair of quotes and keeps the inner one.
  const std::wstring cmd = SystemCmdPath();
  std::wstring commandLine = L"\"" + cmd + L"\" /d /c \"\"" + Widen(paths.batPath) + L"\"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process = {};
  // The batch runs from the temporary folder, so that it holds no handle on the program's own
  // folder while it waits.
  const std::wstring workFolder = Widen(TempFolder());
  if (!CreateProcessW(cmd.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_NO_WINDOW | CREATE_NEW_PROCESS_GROUP, nullptr,
                      workFolder.empty() ? nullptr : workFolder.c_str(), &startup, &process))
    return false;
  UniqueHandle thread(process.hThread);
  UniqueHandle child(process.hProcess);
  return true;
}

bool StartOwnSelfRemoval(const std::string& appDir, const std::string& batchName) {
  return StartSelfRemoval(appDir, LeafName(OwnExePath()), batchName);
}

}  // namespace velk
