#pragma once
// Where the unattended mode speaks: the parent's console, or the files and pipes that its
// output is redirected to. The wizard's message boxes become lines on the error output.
#include <string>

#include "support/win_handles.h"
#include "wizard/memory_ui.h"

namespace velk {

class ConsoleStreams {
 public:
  // Uses the standard handles when they are redirected; otherwise attaches to the parent's
  // console, if there is one. Without either, the text goes nowhere.
  ConsoleStreams();
  ~ConsoleStreams();
  ConsoleStreams(const ConsoleStreams&) = delete;
  ConsoleStreams& operator=(const ConsoleStreams&) = delete;

  void Out(const std::string& text) { Write(out_, text); }
  void Err(const std::string& text) { Write(err_, text); }

 private:
  static void Write(HANDLE handle, const std::string& text);
  HANDLE out_ = nullptr;  // borrowed: the process's standard handles, or ownedConsole_
  HANDLE err_ = nullptr;
  UniqueFile ownedConsole_;  // CONOUT$ opened after attaching
};

// The wizard's controls in memory; every message box text is also written to stderr.
class ConsoleUi : public MemoryUi {
 public:
  explicit ConsoleUi(ConsoleStreams& streams) : streams_(streams) {}
  void ShowError(const std::string& text) override;
  void ShowNotice(const std::string& text) override;

 private:
  ConsoleStreams& streams_;
};

}  // namespace velk
