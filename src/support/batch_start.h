#pragma once
// Starting a batch file through the system's command interpreter, without a window. The
// command runner and the self-removal both start their batch files this way.
// Internal to support/: it includes windows.h.
#include <string>

#include "support/win_handles.h"

namespace velk {

struct BatchStart {
  std::string batchPath;
  // The interpreter's starting folder; empty for this process's own.
  std::string startFolder;
  // cmd's /d: no AutoRun commands from the registry.
  bool skipAutoRun = false;
  // Creation flags besides CREATE_NO_WINDOW.
  DWORD extraFlags = 0;
  // When set, the interpreter runs in this job from its first instruction, and so does every
  // program it starts: ending the job ends them all.
  HANDLE job = nullptr;
};

// Starts `cmd.exe /c "<batch>"` hidden; `process` gets the interpreter's handle. Returns
// ERROR_SUCCESS or the platform's error.
DWORD StartBatchHidden(const BatchStart& start, UniqueHandle& process);

}  // namespace velk
