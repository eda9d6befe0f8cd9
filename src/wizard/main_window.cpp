#include "wizard/main_window.h"

#include <commctrl.h>
#include <objidl.h>
#include <shlwapi.h>

#include <algorithm>
#include <optional>
#include <string>

// GDI+ expects min and max, which NOMINMAX keeps out of windows.h.
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include "support/file_helpers.h"
#include "support/process_info.h"
#include "support/settings_store.h"
#include "support/shell.h"
#include "support/text_codec.h"
#include "wizard/control_ids.h"
#include "wizard/exit_sequence.h"
#include "wizard/layout_table.h"
#include "wizard/resources.h"

namespace velk {
namespace {

constexpr DWORD kFormStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;
constexpr COLORREF kBannerColour = RGB(24, 40, 56);
constexpr COLORREF kBannerText = RGB(255, 255, 255);
constexpr COLORREF kLinkText = RGB(140, 200, 255);
constexpr int kNormalPointsX100 = 825;   // Verdana 8.25 pt
constexpr int kLargePointsX100 = 1575;   // Verdana 15.75 pt
constexpr int kPictureWidth = 150;
constexpr int kPictureHeight = 300;
#ifndef WM_DPICHANGED
constexpr UINT WM_DPICHANGED = 0x02E0;
#endif

// Functions of newer Windows versions, looked up so that the program also starts without them.
template <typename Fn>
Fn User32Function(const char* name) {
  FARPROC proc = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(proc));
}

unsigned WindowDpi(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpiForWindow) {
    if (UINT dpi = getDpiForWindow(hwnd)) return dpi;
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<unsigned>(dpi) : 96;
}

SIZE NonClientSize(unsigned dpi) {
  using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
  RECT r{0, 0, 0, 0};
  if (!adjustForDpi || !adjustForDpi(&r, kFormStyle, FALSE, kFormExStyle, dpi))
    AdjustWindowRectEx(&r, kFormStyle, FALSE, kFormExStyle);
  return {r.right - r.left, r.bottom - r.top};
}

int CALLBACK FontFamilyFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// Verdana where installed, else the system's dialog font.
std::wstring FontFace() {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  wcscpy_s(wanted.lfFaceName, L"Verdana");
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, FontFamilyFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  if (found) return wanted.lfFaceName;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    return metrics.lfMessageFont.lfFaceName;
  return L"MS Shell Dlg 2";
}

UniqueFont MakeFont(const std::wstring& face, int pointsX100, unsigned dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(pointsX100, static_cast<int>(dpi), 7200);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy_s(lf.lfFaceName, face.c_str(), _TRUNCATE);
  return UniqueFont(CreateFontIndirectW(&lf));
}

class GdiplusScope {
 public:
  GdiplusScope() {
    Gdiplus::GdiplusStartupInput input;
    ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
  }
  ~GdiplusScope() {
    if (ok_) Gdiplus::GdiplusShutdown(token_);
  }
  GdiplusScope(const GdiplusScope&) = delete;
  GdiplusScope& operator=(const GdiplusScope&) = delete;
  bool ok() const { return ok_; }

 private:
  ULONG_PTR token_ = 0;
  bool ok_ = false;
};

// One embedded JPEG decoded into a bitmap; empty when the resource is missing or damaged.
UniqueBitmap DecodePicture(HINSTANCE instance, int resourceId) {
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10));
  if (!found) return {};
  HGLOBAL loaded = LoadResource(instance, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  const DWORD size = SizeofResource(instance, found);
  if (!bytes || size == 0) return {};
  ComPtr<IStream> stream;
  *stream.put() = SHCreateMemStream(static_cast<const BYTE*>(bytes), size);
  if (!stream) return {};
  Gdiplus::Bitmap bitmap(stream.get());
  HBITMAP handle = nullptr;
  if (bitmap.GetLastStatus() != Gdiplus::Ok ||
      bitmap.GetHBITMAP(Gdiplus::Color(0, 0, 0), &handle) != Gdiplus::Ok)
    return {};
  return UniqueBitmap(handle);
}

HWND ParentOf(const LayoutEntry& entry, HWND form, const std::map<int, HWND>& controls) {
  int id = 0;
  switch (entry.parent) {
    case Parent::Form: return form;
    case Parent::Page0: id = ids::kPage0; break;
    case Parent::Page1: id = ids::kPage0 + 1; break;
    case Parent::Page2: id = ids::kPage0 + 2; break;
    case Parent::Page3: id = ids::kPage0 + 3; break;
    case Parent::Page4: id = ids::kPage0 + 4; break;
    case Parent::Frame1: id = ids::kFrame1; break;
  }
  const auto it = controls.find(id);
  return it == controls.end() ? nullptr : it->second;
}

std::optional<Ctl> OptionOf(int id) {
  if (id == ids::kOption1) return Ctl::Option1;
  if (id == ids::kOption2) return Ctl::Option2;
  if (id == ids::kOption3) return Ctl::Option3;
  return std::nullopt;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, bool inDesignHost)
    : instance_(instance), inDesignHost_(inDesignHost), ui_(nullptr, controls_), wizard_(session_, ui_) {}

MainWindow::~MainWindow() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool MainWindow::RegisterClasses(HINSTANCE instance) {
  WNDCLASSEXW form{};
  form.cbSize = sizeof(form);
  form.lpfnWndProc = FormProc;
  form.hInstance = instance;
  form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  form.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  form.lpszClassName = kWindowClassName;
  WNDCLASSEXW panel = form;
  panel.lpfnWndProc = PanelProc;
  panel.hIcon = nullptr;
  panel.lpszClassName = kPanelClassName;
  return RegisterClassExW(&form) && RegisterClassExW(&panel);
}

std::unique_ptr<MainWindow> MainWindow::Create(HINSTANCE instance, bool inDesignHost) {
  if (!RegisterClasses(instance)) return nullptr;
  std::unique_ptr<MainWindow> window(new MainWindow(instance, inDesignHost));
  window->session_.AppDir = ExeFolder();
  const std::wstring caption = Widen(kWindowCaptionPrefix + window->session_.ModTag);
  HWND hwnd = CreateWindowExW(kFormExStyle, kWindowClassName, caption.c_str(), kFormStyle,
                              CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance,
                              window.get());
  if (!hwnd) return nullptr;
  window->ui_.SetForm(hwnd);
  window->dpi_ = WindowDpi(hwnd);
  window->bannerBrush_ = UniqueBrush(CreateSolidBrush(kBannerColour));
  if (!window->CreateControls()) return nullptr;
  window->LoadPictures();
  window->MakeFonts();
  window->ApplyLayout(nullptr);
  SetTimer(hwnd, ids::kTimer1, ids::kTimer1Interval, nullptr);
  return window;
}

bool MainWindow::CreateControls() {
  for (const LayoutEntry& e : LayoutTable()) {
    if (!e.className) continue;  // painted by the form
    HWND parent = ParentOf(e, hwnd_, controls_);
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | e.style | ((e.state & kHidden) ? 0 : WS_VISIBLE);
    HWND h = CreateWindowExW(e.exStyle, e.className, Widen(e.caption).c_str(), style, 0, 0, 0, 0,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(e.id)), instance_,
                             nullptr);
    if (!h) return false;
    controls_[e.id] = h;
    if (e.state & kTicked) SendMessageW(h, BM_SETCHECK, BST_CHECKED, 0);
    if (e.state & kDisabled) EnableWindow(h, FALSE);
  }
  HWND list = controls_[ids::kList1];
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = 100;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  HWND bar = controls_[ids::kProgressBar1];
  SendMessageW(bar, PBM_SETRANGE32, ids::kProgressMin, ids::kProgressMax);
  SendMessageW(bar, PBM_SETPOS, ids::kProgressMin, 0);
  HWND combo = controls_[ids::kCombo1];
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Deutsch"));
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"English"));
  // The cover lies over the level list until page 2's work is done.
  SetWindowPos(controls_[ids::kFrame1], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  return true;
}

void MainWindow::LoadPictures() {
  GdiplusScope gdiplus;
  if (!gdiplus.ok()) return;
  for (int i = 0; i < VELK_PICTURE_COUNT; ++i) {
    UniqueBitmap picture = DecodePicture(instance_, VELK_IDR_PICTURE0 + i);
    if (picture) pictures_.push_back(std::move(picture));
  }
}

void MainWindow::MakeFonts() {
  const std::wstring face = FontFace();
  normalFont_ = MakeFont(face, kNormalPointsX100, dpi_);
  largeFont_ = MakeFont(face, kLargePointsX100, dpi_);
}

RECT MainWindow::ScaledRect(int left, int top, int width, int height) const {
  return {TwipsToPixels(left, dpi_), TwipsToPixels(top, dpi_), TwipsToPixels(left + width, dpi_),
          TwipsToPixels(top + height, dpi_)};
}

void MainWindow::ApplyLayout(const RECT* anchor) {
  RECT needed{0, 0, 0, 0};  // what the controls take in the client area
  for (const LayoutEntry& e : LayoutTable()) {
    if (!e.className) continue;
    HWND h = controls_[e.id];
    const RECT r = ScaledRect(e.left, e.top, e.width, e.height);
    MoveWindow(h, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(e.font == Font::Large ? largeFont_.get() : normalFont_.get()), FALSE);
    if (e.parent == Parent::Form && e.role == Role::Control) {
      RECT placed;
      GetWindowRect(h, &placed);  // a closed drop-down list is shorter than its layout height
      MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&placed), 2);
      needed.right = std::max(needed.right, placed.right);
      needed.bottom = std::max(needed.bottom, placed.bottom);
    }
  }
  HWND list = controls_[ids::kList1];
  RECT listClient;
  GetClientRect(list, &listClient);
  SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, listClient.right - GetSystemMetrics(SM_CXVSCROLL));

  // The outer size of the design, grown when a large system font or DPI would clip a control.
  const SIZE frame = NonClientSize(dpi_);
  const int clientWidth = std::max<int>(TwipsToPixels(kFormWidthTwips, dpi_) - frame.cx, needed.right);
  const int clientHeight = std::max<int>(TwipsToPixels(kFormHeightTwips, dpi_) - frame.cy, needed.bottom);
  const int width = clientWidth + frame.cx;
  const int height = clientHeight + frame.cy;
  int x = 0, y = 0;
  if (anchor) {
    x = anchor->left;
    y = anchor->top;
  } else {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    x = work.left + std::max(0L, (work.right - work.left - width) / 2);
    y = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
  }
  SetWindowPos(hwnd_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void MainWindow::Start(int showCommand) {
  // Labelled before it is first seen, so that no placeholder key ever shows.
  wizard_.LoadLanguage("", SystemDefaultLcid());
  ui_.ShowPage(0, true);
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
  wizard_.StartUp(inDesignHost_, SystemDefaultLcid());
  pageWorkDoneAt_ = GetTickCount();
}

int MainWindow::RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // When the input being handled was made (a message sent from elsewhere has no such time).
    inputTime_ = msg.time;
    if (!(hwnd_ && IsDialogMessageW(hwnd_, &msg))) {  // Tab between the controls, Enter
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    inputTime_.reset();
  }
  return static_cast<int>(msg.wParam);
}

LRESULT CALLBACK MainWindow::FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->Handle(message, wParam, lParam);
}

// Pages and the cover are plain panels; their controls report to the form.
LRESULT CALLBACK MainWindow::PanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_DRAWITEM:
      return SendMessageW(GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_TIMER:
      if (wParam == ids::kTimer1) ShowRandomPicture();
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
      if (wParam == ids::kMimg) {
        DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
      }
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == controls_[ids::kLabel10]) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_DPICHANGED:
      dpi_ = LOWORD(wParam);
      MakeFonts();
      ApplyLayout(reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      // The close box remembers the path box as it stands, valid or not.
      WriteGameDirSetting(ui_.Text(Ctl::Text1));
      // In the middle of a page's work the stack still holds that work: end at once.
      if (wizard_.Busy()) ExitProcess(0);
      DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd_, ids::kTimer1);
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void MainWindow::OnCommand(int id, int code) {
  if (id == IDOK && IsWindowVisible(controls_[ids::kCommand5]) &&
      IsWindowEnabled(controls_[ids::kCommand5]))
    id = ids::kCommand5;  // Enter presses the next button
  if (const auto option = OptionOf(id); option && code == BN_CLICKED) {
    wizard_.OptionClicked(*option);
    return;
  }
  switch (id) {
    case ids::kCommand5:
      // One click, one page: a click (or Enter) made while a page's work ran, or before the
      // page it would leave had come up (queued behind the work, or behind a message box),
      // is dropped. Its message time tells when it was made.
      if (code != BN_CLICKED || wizard_.Busy()) break;
      if (inputTime_ && static_cast<LONG>(*inputTime_ - pageWorkDoneAt_) <= 0) break;
      wizard_.NextPage();
      pageWorkDoneAt_ = GetTickCount();
      break;
    case ids::kCheck3:
      if (code == BN_CLICKED) wizard_.ScriptsClicked();
      break;
    case ids::kCombo1:
      if (code == CBN_SELCHANGE)
        wizard_.LanguageChosen(static_cast<int>(SendMessageW(controls_[ids::kCombo1], CB_GETCURSEL, 0, 0)));
      break;
    case ids::kCommand1:
      if (code == BN_CLICKED) OnBrowse();
      break;
    case ids::kMimg:
      if (code == STN_CLICKED) ShowRandomPicture();
      break;
    case ids::kLabel10:
      if (code == STN_CLICKED) OpenWebAddress(hwnd_, VELK_WEB_ADDRESS, session_.AppDir);
      break;
    case ids::kCommand7:
      if (code == BN_CLICKED) OnExitButton();
      break;
    default:
      break;
  }
}

void MainWindow::OnBrowse() {
  const std::string folder = BrowseForFolder(FormatText(session_.Texts.MsgChooseGameDir, ""));
  // A cancelled browser leaves the path box and the remembered folder as they were.
  if (folder.empty()) return;
  ui_.SetText(Ctl::Text1, folder);
  WriteGameDirSetting(folder);
}

void MainWindow::OnExitButton() {
  if (wizard_.Busy()) return;
  RunExitSequence(session_, ui_, inDesignHost_);
  // Ending by the exit button does not remember the path box.
  DestroyWindow(hwnd_);
}

void MainWindow::ShowRandomPicture() {
  if (pictures_.empty()) return;
  // Zufall(0, 7) gives 0 to 6, and 7 for a draw of exactly 0: that one shows picture 0.
  const int k = Zufall(0, 7);
  picture_ = static_cast<size_t>(((k % VELK_PICTURE_COUNT) + VELK_PICTURE_COUNT) % VELK_PICTURE_COUNT) %
             pictures_.size();
  InvalidateRect(controls_[ids::kMimg], nullptr, FALSE);
}

void MainWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  if (const LayoutEntry* shape = FindLayoutEntry(ids::kShape1)) {
    const RECT banner = ScaledRect(shape->left, shape->top, shape->width, shape->height);
    FillRect(dc, &banner, bannerBrush_.get());
  }
  EndPaint(hwnd_, &ps);
}

LRESULT MainWindow::ColourStatic(HDC dc, HWND control) {
  const int id = GetDlgCtrlID(control);
  if (id == ids::kLabel1 || id == ids::kLabel10) {
    // The banner labels lie on Shape1.
    SetTextColor(dc, id == ids::kLabel1 ? kBannerText : kLinkText);
    SetBkColor(dc, kBannerColour);
    return reinterpret_cast<LRESULT>(bannerBrush_.get());
  }
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void MainWindow::DrawPicture(const DRAWITEMSTRUCT& item) {
  const RECT& r = item.rcItem;
  if (pictures_.empty()) {
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    return;
  }
  HDC memory = CreateCompatibleDC(item.hDC);
  HGDIOBJ old = SelectObject(memory, pictures_[picture_].get());
  SetStretchBltMode(item.hDC, HALFTONE);
  SetBrushOrgEx(item.hDC, 0, 0, nullptr);
  StretchBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, 0, 0, kPictureWidth,
             kPictureHeight, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

}  // namespace velk
