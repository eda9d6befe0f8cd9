#include "wizard/window_ui.h"

#include <commctrl.h>

#include <vector>

#include "support/text_codec.h"
#include "support/write_access.h"
#include "levels/game_layout.h"
#include "wizard/window_names.h"

namespace velk {
namespace {

bool IsOption(Ctl c) { return c == Ctl::Option1 || c == Ctl::Option2 || c == Ctl::Option3; }

}  // namespace

std::string WindowText(HWND window) {
  if (!window) return {};
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, buffer.data(), length + 1);
  buffer.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return Narrow(buffer);
}

HWND WindowUi::Control(Ctl control) const {
  const auto it = controls_.find(control);
  return it == controls_.end() ? nullptr : it->second;
}

std::string WindowUi::Text(Ctl control) { return WindowText(Control(control)); }

void WindowUi::SetText(Ctl control, const std::string& text) {
  if (HWND h = Control(control)) SetWindowTextW(h, Widen(text).c_str());
}

bool WindowUi::Value(Ctl control) {
  HWND h = Control(control);
  return h && SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void WindowUi::SetValue(Ctl control, bool on) {
  HWND h = Control(control);
  if (!h) return;
  // The option buttons are one group: selecting one clears the others, as a click does.
  if (on && IsOption(control)) {
    for (Ctl other : {Ctl::Option1, Ctl::Option2, Ctl::Option3})
      if (other != control) SendMessageW(Control(other), BM_SETCHECK, BST_UNCHECKED, 0);
  }
  SendMessageW(h, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool WindowUi::Enabled(Ctl control) {
  HWND h = Control(control);
  return h && IsWindowEnabled(h);
}

void WindowUi::SetEnabled(Ctl control, bool enabled) {
  if (HWND h = Control(control)) EnableWindow(h, enabled ? TRUE : FALSE);
}

void WindowUi::SetVisible(Ctl control, bool visible) {
  if (HWND h = Control(control)) ShowWindow(h, visible ? SW_SHOW : SW_HIDE);
}

void WindowUi::ShowPage(int pageIndex, bool visible) {
  if (pageIndex < 0 || pageIndex >= kPageCount) return;
  if (HWND h = Control(PageControl(pageIndex))) ShowWindow(h, visible ? SW_SHOW : SW_HIDE);
}

int WindowUi::LevelRowCount() {
  HWND list = Control(Ctl::List1);
  return list ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

void WindowUi::AddLevelRow(const std::string& name) {
  HWND list = Control(Ctl::List1);
  if (!list) return;
  std::wstring text = Widen(name);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = LevelRowCount();
  item.pszText = text.data();
  SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

std::string WindowUi::LevelRowText(int row) {
  HWND list = Control(Ctl::List1);
  if (!list || row < 0 || row >= LevelRowCount()) return {};
  // LVM_GETITEMTEXT gives no length: grow the buffer until the text fits.
  for (size_t size = 256;; size *= 2) {
    std::vector<wchar_t> buffer(size, L'\0');
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(size);
    const auto n = static_cast<size_t>(
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    if (n + 1 < size) return Narrow(std::wstring_view(buffer.data(), n));
  }
}

bool WindowUi::LevelRowTicked(int row) {
  HWND list = Control(Ctl::List1);
  if (!list || row < 0 || row >= LevelRowCount()) return false;
  const auto state = SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
  return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

bool WindowUi::SetLevelRowTicked(int row, bool ticked) {
  HWND list = Control(Ctl::List1);
  if (!list || row < 0 || row >= LevelRowCount()) return false;
  LVITEMW item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1);
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return true;
}

bool WindowUi::SetProgress(int value) {
  if (value < layout::kFirstStockLevelIndex || value > layout::kLastStockLevelIndex) return false;
  HWND bar = Control(Ctl::ProgressBar1);
  if (!bar) return false;
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(value), 0);
  return true;
}

void WindowUi::ShowError(const std::string& text) {
  MessageBoxW(form_, Widen(text).c_str(), Widen(kAppTitle).c_str(), MB_ICONERROR | MB_OK);
}

void WindowUi::ShowNotice(const std::string& text) {
  MessageBoxW(form_, Widen(text).c_str(), Widen(kAppTitle).c_str(), MB_OK);
}

void WindowUi::AdviseRepair(const std::string& text) {
  MessageBoxW(form_, Widen(text).c_str(), Widen(kAppTitle).c_str(), MB_ICONINFORMATION | MB_OK);
}

StopAnswer WindowUi::AskAfterStop(const std::string& message, bool canRetry, const std::string& question) {
  const std::wstring title = Widen(kAppTitle);
  if (canRetry) {
    if (MessageBoxW(form_, Widen(message).c_str(), title.c_str(), MB_ICONWARNING | MB_RETRYCANCEL) == IDRETRY)
      return StopAnswer::Retry;
    return MessageBoxW(form_, Widen(question).c_str(), title.c_str(), MB_ICONQUESTION | MB_YESNO) == IDYES
               ? StopAnswer::Back
               : StopAnswer::Exit;
  }
  // One box: what stops the run, and the question below it.
  const std::wstring text = Widen(message + "\r\n\r\n" + question);
  return MessageBoxW(form_, text.c_str(), title.c_str(), MB_ICONERROR | MB_YESNO) == IDYES ? StopAnswer::Back
                                                                                             : StopAnswer::Exit;
}

bool WindowUi::OfferElevatedRestart(const std::string& question) {
  if (MessageBoxW(form_, Widen(question).c_str(), Widen(kAppTitle).c_str(),
                  MB_ICONWARNING | MB_YESNO) != IDYES)
    return false;
  if (!RestartElevated(form_, kElevatedSwitch)) return false;
  PostMessageW(form_, WM_CLOSE, 0, 0);
  return true;
}

void WindowUi::ProcessPendingEvents() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Leave the quit request for the message loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace velk
