#pragma once
// The game running from a test's game folder: a copy of the kit's probe program started as
// <game>\Bin32\FarCry.exe, ended when the object goes. Header only; it brings in windows.h.
#include <string>

#include "kit/test_kit.h"
#include "support/file_helpers.h"
#include "support/text_codec.h"
#include "support/win_handles.h"

namespace velk::testkit {

class RunningGame {
 public:
  explicit RunningGame(const std::string& gameDir) : exe_(gameDir + "\\Bin32\\FarCry.exe") {
    if (!CopyFileOver(TestProgramPath("kit_probe"), exe_)) return;
    std::wstring command = L"\"" + Widen(exe_) + L"\" sleep 120000";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &info))
      return;
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);
  }
  ~RunningGame() { End(); }
  RunningGame(const RunningGame&) = delete;
  RunningGame& operator=(const RunningGame&) = delete;

  bool Running() const { return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }
  const std::string& Exe() const { return exe_; }
  // Ends the game and waits until it is gone.
  void End() {
    if (!process_) return;
    TerminateProcess(process_.get(), 0);
    WaitForSingleObject(process_.get(), 10000);
    process_.reset();
  }

 private:
  std::string exe_;
  UniqueHandle process_;
};

}  // namespace velk::testkit
