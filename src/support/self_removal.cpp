#include "support/self_removal.h"

#include <windows.h>

#include <cstdint>
#include <string>

#include "support/command_runner.h"
#include "support/batch_start.h"
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

  BatchStart start;
  start.batchPath = paths.batPath;
  // The batch runs from the temporary folder, so that it holds no handle on the program's own
  // folder while it waits.
  start.startFolder = TempFolder();
  start.skipAutoRun = true;
  start.extraFlags = CREATE_NEW_PROCESS_GROUP;
  UniqueHandle child;
  return StartBatchHidden(start, child) == ERROR_SUCCESS;
}

bool StartOwnSelfRemoval(const std::string& appDir, const std::string& batchName) {
  return StartSelfRemoval(appDir, LeafName(OwnExePath()), batchName);
}

}  // namespace velk
