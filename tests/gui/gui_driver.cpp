#include "gui/gui_driver.h"

#include <commctrl.h>
#include <objidl.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include "kit/named_lock.h"
#include "support/file_helpers.h"
#include "support/process_info.h"
#include "support/settings_store.h"
#include "support/text_codec.h"
#include "wizard/control_table.h"
#include "wizard/window_names.h"

namespace velk::gui {
namespace {

constexpr UINT kSendTimeoutMs = 10000;

std::wstring ClassName(HWND window) {
  std::wstring name(256, L'\0');
  const int n = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
  name.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return name;
}

DWORD OwnerPid(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result))
    return 0;
  return static_cast<LRESULT>(result);
}

std::string RemoteText(HWND window) {
  if (!window) return {};
  const auto length = static_cast<size_t>(Send(window, WM_GETTEXTLENGTH));
  std::wstring buffer(length + 1, L'\0');
  const auto got = static_cast<size_t>(
      Send(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data())));
  buffer.resize(std::min(got, length));
  return Narrow(buffer);
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Top-level windows of a class; of one process, or of any when `pid` is 0.
std::vector<HWND> TopLevelWindows(DWORD pid, const wchar_t* className) {
  struct Search {
    DWORD pid;
    const wchar_t* className;
    std::vector<HWND> found;
  } search{pid, className, {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        if ((s.pid == 0 || OwnerPid(window) == s.pid) && ClassName(window) == s.className && IsWindowVisible(window))
          s.found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring QuoteArgument(const std::string& argument) {
  std::wstring wide = Widen(argument);
  if (!wide.empty() && wide.find_first_of(L" \t\"") == std::wstring::npos) return wide;
  return L"\"" + wide + L"\"";
}

// Our environment with `changes` applied, as a CreateProcessW block.
std::wstring EnvironmentBlock(const std::map<std::string, std::string>& changes) {
  std::vector<std::wstring> entries;
  if (wchar_t* block = GetEnvironmentStringsW()) {
    for (const wchar_t* p = block; *p; p += wcslen(p) + 1) entries.emplace_back(p);
    FreeEnvironmentStringsW(block);
  }
  for (const auto& [name, value] : changes) {
    const std::wstring prefix = Widen(name) + L"=";
    std::erase_if(entries, [&](const std::wstring& e) {
      return CompareStringOrdinal(e.c_str(), static_cast<int>(std::min(e.size(), prefix.size())),
                                  prefix.c_str(), static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
    });
    entries.push_back(prefix + Widen(value));
  }
  std::sort(entries.begin(), entries.end(), [](const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_LESS_THAN;
  });
  std::wstring result;
  for (const std::wstring& e : entries) result += e + L'\0';
  result += L'\0';
  return result;
}

// Memory inside the program's process, for list view messages that carry pointers.
class RemoteMemory {
 public:
  RemoteMemory(HANDLE process, size_t size)
      : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
    if (!address_) throw std::runtime_error("VirtualAllocEx failed");
  }
  ~RemoteMemory() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;
  void* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
  void Write(size_t offset, const void* data, size_t size) const {
    if (!WriteProcessMemory(process_, at(offset), data, size, nullptr))
      throw std::runtime_error("WriteProcessMemory failed");
  }
  void Read(size_t offset, void* data, size_t size) const {
    if (!ReadProcessMemory(process_, at(offset), data, size, nullptr))
      throw std::runtime_error("ReadProcessMemory failed");
  }

 private:
  HANDLE process_;
  void* address_;
};

bool PngEncoder(CLSID& clsid) {
  UINT count = 0, bytes = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<unsigned char> buffer(bytes);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (wcscmp(codecs[i].MimeType, L"image/png") == 0) {
      clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

// "/usr/bin/env NAME=value ... <wine loader>": a Unix command line that starts a Windows
// program in a Wine process of its own environment.
std::wstring UnixLauncher(const std::map<std::string, std::string>& variables) {
  std::wstring loader(32768, L'\0');
  const DWORD n = GetEnvironmentVariableW(L"WINELOADER", loader.data(), static_cast<DWORD>(loader.size()));
  loader = n > 0 && n < loader.size() ? loader.substr(0, n) : L"/usr/lib/wine/wine64";
  std::wstring line = L"/usr/bin/env";
  for (const auto& [name, value] : variables) line += L" " + QuoteArgument(name + "=" + value);
  return line + L" " + loader + L" ";
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, unsigned timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

void SetGameDirSetting(const std::string& gameDir) {
  if (!WriteGameDirSetting(gameDir)) throw std::runtime_error("cannot write FCDir");
}

void ClearGameDirSetting() { testkit::SettingsLock::ForgetGameDir(); }

ScopedUserValue::ScopedUserValue(const std::wstring& key, const std::wstring& name, DWORD type, const void* data,
                                 DWORD size)
    : key_(key), name_(name) {
  DWORD oldSize = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &oldType_, nullptr,
                   &oldSize) == ERROR_SUCCESS) {
    oldData_.resize(oldSize);
    hadValue_ = RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &oldType_,
                             oldData_.data(), &oldSize) == ERROR_SUCCESS;
  }
  if (RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), type, data, size) != ERROR_SUCCESS)
    throw std::runtime_error("cannot set " + Narrow(key_) + "\\" + Narrow(name_));
}

ScopedUserValue::~ScopedUserValue() {
  if (hadValue_) {
    RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), oldType_, oldData_.data(),
                    static_cast<DWORD>(oldData_.size()));
  } else {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str());
  }
}

WizardProcess::WizardProcess(const std::string& exePath, const Options& options) {
  std::wstring commandLine = QuoteArgument(exePath);
  if (!options.unixEnvironment.empty()) commandLine = UnixLauncher(options.unixEnvironment) + commandLine;
  for (const std::string& a : options.arguments) commandLine += L" " + QuoteArgument(a);
  const std::wstring workDir = Widen(options.workDir.empty() ? TempFolder() : options.workDir);
  std::wstring environment = EnvironmentBlock(options.environment);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                      environment.data(), workDir.c_str(), &startup, &info))
    throw std::runtime_error("cannot start " + exePath + ": " + LastErrorText());
  CloseHandle(info.hThread);
  if (!options.unixEnvironment.empty()) {
    // The handle is of the Unix launcher; the program is known once its window shows.
    CloseHandle(info.hProcess);
    return;
  }
  process_.reset(info.hProcess);
  pid_ = info.dwProcessId;
}

WizardProcess::~WizardProcess() {
  if (Running()) {
    TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 5000);
  }
}

bool WizardProcess::WaitForWindow(unsigned timeoutMs) {
  WaitUntil(
      [this] {
        const auto found = TopLevelWindows(pid_, kWindowClassName);
        window_ = found.empty() ? nullptr : found.front();
        return window_ != nullptr || (process_ && !Running());
      },
      timeoutMs);
  if (window_ && pid_ == 0) {
    pid_ = OwnerPid(window_);
    process_.reset(OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid_));
  }
  return window_ != nullptr;
}

std::string WizardProcess::Caption() const { return RemoteText(window_); }

HWND WizardProcess::Control(int id) const {
  for (HWND child : Children(window_))
    if (GetDlgCtrlID(child) == id) return child;
  return nullptr;
}

std::string WizardProcess::Text(int id) const { return RemoteText(Control(id)); }

void WizardProcess::SetText(int id, const std::string& text) {
  const std::wstring wide = Widen(text);
  Send(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

bool WizardProcess::Checked(int id) const { return Send(Control(id), BM_GETCHECK) == BST_CHECKED; }

bool WizardProcess::Enabled(int id) const {
  HWND h = Control(id);
  return h && IsWindowEnabled(h);
}

bool WizardProcess::Visible(int id) const {
  HWND h = Control(id);
  return h && IsWindowVisible(h);
}

namespace {

// A label or picture with SS_NOTIFY takes a mouse click in its corner, the rest BM_CLICK.
template <typename Deliver>
void ClickWith(HWND control, Deliver deliver) {
  if (CompareStringOrdinal(ClassName(control).c_str(), -1, L"Static", -1, TRUE) == CSTR_EQUAL) {
    deliver(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    deliver(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    return;
  }
  deliver(control, BM_CLICK, 0, 0);
}

}  // namespace

void WizardProcess::Click(int id) {
  ClickWith(Control(id), [](HWND h, UINT m, WPARAM w, LPARAM l) { PostMessageW(h, m, w, l); });
}

void WizardProcess::ClickAndWait(int id) {
  ClickWith(Control(id), [](HWND h, UINT m, WPARAM w, LPARAM l) { Send(h, m, w, l); });
}

void WizardProcess::ChooseComboItem(int id, int index) {
  HWND combo = Control(id);
  Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index));
  // Sent, not posted: a later Settle() is a sent message too, and the window handles sent
  // messages before posted ones, so a posted change could still be pending after it.
  Send(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

int WizardProcess::ComboSelection(int id) const { return static_cast<int>(Send(Control(id), CB_GETCURSEL)); }

std::vector<std::string> WizardProcess::ComboItems(int id) const {
  HWND combo = Control(id);
  std::vector<std::string> items;
  const auto count = static_cast<int>(Send(combo, CB_GETCOUNT));
  for (int i = 0; i < count; ++i) {
    const auto length = static_cast<size_t>(Send(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i)));
    std::wstring text(length + 1, L'\0');
    Send(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    items.push_back(Narrow(text));
  }
  return items;
}

int WizardProcess::VisiblePage() const {
  for (int page = 0; page < kPageCount; ++page)
    if (Visible(IdOf(PageControl(page)))) return page;
  return -1;
}

bool WizardProcess::Settle(unsigned timeoutMs) const {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

int WizardProcess::ListRowCount() const { return static_cast<int>(Send(Control(IdOf(Ctl::List1)), LVM_GETITEMCOUNT)); }

bool WizardProcess::ListRowChecked(int row) const {
  const auto state = Send(Control(IdOf(Ctl::List1)), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
  return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

std::string WizardProcess::ListRowText(int row) const {
  constexpr size_t kChars = 1024;
  RemoteMemory memory(process_.get(), sizeof(LVITEMW) + kChars * sizeof(wchar_t));
  LVITEMW item{};
  item.iSubItem = 0;
  item.cchTextMax = kChars;
  item.pszText = static_cast<wchar_t*>(memory.at(sizeof(LVITEMW)));
  memory.Write(0, &item, sizeof(item));
  const auto n = static_cast<size_t>(Send(Control(IdOf(Ctl::List1)), LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                          reinterpret_cast<LPARAM>(memory.at(0))));
  std::wstring text(std::min(n, kChars), L'\0');
  if (!text.empty()) memory.Read(sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t));
  return Narrow(text);
}

void WizardProcess::SetListRowChecked(int row, bool checked) {
  RemoteMemory memory(process_.get(), sizeof(LVITEMW));
  LVITEMW item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  memory.Write(0, &item, sizeof(item));
  Send(Control(IdOf(Ctl::List1)), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(memory.at(0)));
}

std::optional<MessageBoxInfo> WizardProcess::WaitForMessageBox(unsigned timeoutMs) const {
  HWND box = nullptr;
  WaitUntil(
      [&] {
        const auto found = TopLevelWindows(pid_, L"#32770");
        box = found.empty() ? nullptr : found.front();
        return box != nullptr;
      },
      timeoutMs);
  if (!box) return std::nullopt;
  // Let the box finish building its controls.
  Send(box, WM_NULL);
  MessageBoxInfo info;
  info.window = box;
  info.title = RemoteText(box);
  for (HWND child : Children(box)) {
    const std::wstring cls = ClassName(child);
    if (CompareStringOrdinal(cls.c_str(), -1, L"Static", -1, TRUE) == CSTR_EQUAL) {
      if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        // Icon handles differ between processes: a shown icon is all that can be told.
        info.hasIcon = info.hasIcon || (IsWindowVisible(child) && Send(child, STM_GETICON) != 0);
      } else {
        std::string text = RemoteText(child);
        if (text.size() > info.text.size()) info.text = std::move(text);
      }
    } else if (CompareStringOrdinal(cls.c_str(), -1, L"Button", -1, TRUE) == CSTR_EQUAL) {
      if (IsWindowVisible(child)) info.buttons.push_back(RemoteText(child));
    }
  }
  return info;
}

void WizardProcess::PressOk(const MessageBoxInfo& box) { PostMessageW(box.window, WM_COMMAND, IDOK, 0); }

void WizardProcess::Close() { PostMessageW(window_, WM_CLOSE, 0, 0); }

std::optional<DWORD> WizardProcess::WaitForExit(unsigned timeoutMs) {
  if (WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

bool WizardProcess::Running() const { return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

bool WizardProcess::SaveScreenshot(const std::string& pngPath) const {
  if (!window_) return false;
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  Settle();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  Settle();
  RECT r;
  GetWindowRect(window_, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY | CAPTUREBLT);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  bool saved = false;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) {
    {
      Gdiplus::Bitmap image(bitmap, nullptr);
      CLSID png;
      saved = PngEncoder(png) && image.Save(Widen(pngPath).c_str(), &png, nullptr) == Gdiplus::Ok;
    }
    Gdiplus::GdiplusShutdown(token);
  }
  DeleteObject(bitmap);
  return saved;
}

std::string WizardProcess::ControlPixels(int id) const {
  HWND control = Control(id);
  if (!control) return {};
  Settle();
  std::this_thread::sleep_for(std::chrono::milliseconds(60));  // let a pending repaint run
  Settle();
  RECT r;
  GetWindowRect(control, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return {};
  HDC screen = GetDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::string pixels;
  if (section) {
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    pixels.assign(static_cast<const char*>(bits), static_cast<size_t>(width) * height * 4);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(section);
  }
  ReleaseDC(nullptr, screen);
  return pixels;
}

WizardSetup::WizardSetup(const testkit::GameOptions& game) {
  testkit::AppOptions app;
  app.withProgram = true;
  fixture = testkit::MakeFixture(temp.path(), game, app);
  program = fixture.appDir + "\\VelkSetup.exe";
}

std::unique_ptr<WizardProcess> StartWizard(const std::string& program, const WizardProcess::Options& options) {
  auto wizard = std::make_unique<WizardProcess>(program, options);
  if (!wizard->WaitForWindow()) throw std::runtime_error("no wizard window appeared for " + program);
  return wizard;
}

std::string ScreenshotPath(const std::string& fileName) {
  const char* dir = std::getenv("VELK_SCREENSHOT_DIR");
  if (!dir || !*dir) return {};
  std::string folder = dir;
  if (folder.front() == '/') {
    folder = "Z:" + folder;  // Wine's drive for the Unix root
    std::replace(folder.begin(), folder.end(), '/', '\\');
  }
  CreateFolders(folder);
  return folder + "\\" + fileName;
}

}  // namespace velk::gui
