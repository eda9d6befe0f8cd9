#include "wizard/unattended_console.h"

#include <windows.h>

#include "support/text_codec.h"

namespace velk {
namespace {

HANDLE Redirected(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return nullptr;
  return GetFileType(handle) == FILE_TYPE_UNKNOWN ? nullptr : handle;
}

}  // namespace

ConsoleStreams::ConsoleStreams() {
  out_ = Redirected(STD_OUTPUT_HANDLE);
  err_ = Redirected(STD_ERROR_HANDLE);
  if (out_ && err_) return;
  // A window program started from a console has no handles of its own: borrow the parent's.
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  ownedConsole_ = UniqueFile(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!ownedConsole_) return;
  if (!out_) out_ = ownedConsole_.get();
  if (!err_) err_ = ownedConsole_.get();
}

ConsoleStreams::~ConsoleStreams() = default;

void ConsoleStreams::Write(HANDLE handle, const std::string& text) {
  if (!handle || text.empty()) return;
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    // A console shows every character when it is given wide text.
    const std::wstring wide = Widen(text);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  // Files and pipes get UTF-8.
  DWORD written = 0;
  WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void ConsoleUi::ShowError(const std::string& text) {
  MemoryUi::ShowError(text);
  streams_.Err(text + "\r\n");
}

void ConsoleUi::ShowNotice(const std::string& text) {
  MemoryUi::ShowNotice(text);
  streams_.Err(text + "\r\n");
}

}  // namespace velk
