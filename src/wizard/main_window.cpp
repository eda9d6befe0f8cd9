#include "wizard/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>

#include "support/file_helpers.h"
#include "support/process_info.h"
#include "support/settings_store.h"
#include "support/shell.h"
#include "support/text_codec.h"
#include "support/window_metrics.h"
#include "wizard/control_table.h"
#include "wizard/exit_sequence.h"
#include "wizard/languages.h"
#include "wizard/resources.h"
#include "wizard/window_names.h"

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

constexpr UINT_PTR kTimer1 = 1;  // the picture rotation
constexpr UINT kTimer1Interval = 5000;

HWND Find(const std::map<Ctl, HWND>& controls, Ctl control) {
  const auto it = controls.find(control);
  return it == controls.end() ? nullptr : it->second;
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
  // A game or setup folder another setup works on is left alone: the window stays on page 0.
  MainWindow* self = window.get();
  window->session_.ClaimGame = [self](const std::string& gameDir) {
    if (self->locks_.Claim(self->session_.AppDir, gameDir, 0)) return true;
    self->ui_.ShowError(FormatText(self->session_.Texts.MsgAlreadyRunning, ""));
    return false;
  };
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
  SetTimer(hwnd, kTimer1, kTimer1Interval, nullptr);
  return window;
}

bool MainWindow::CreateControls() {
  for (const ControlRow& row : ControlTable()) {
    if (!row.className) continue;  // painted by the form
    HWND parent = row.parent == Ctl::Form1 ? hwnd_ : Find(controls_, row.parent);
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | row.style | ((row.state & kHidden) ? 0 : WS_VISIBLE);
    HWND h = CreateWindowExW(row.exStyle, row.className, Widen(row.caption).c_str(), style, 0, 0, 0, 0,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance_,
                             nullptr);
    if (!h) return false;
    controls_[row.control] = h;
    if (row.state & kTicked) SendMessageW(h, BM_SETCHECK, BST_CHECKED, 0);
    if (row.state & kDisabled) EnableWindow(h, FALSE);
  }
  HWND list = controls_[Ctl::List1];
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = 100;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  HWND bar = controls_[Ctl::ProgressBar1];
  SendMessageW(bar, PBM_SETRANGE32, layout::kFirstStockLevelIndex, layout::kLastStockLevelIndex);
  SendMessageW(bar, PBM_SETPOS, layout::kFirstStockLevelIndex, 0);
  HWND combo = controls_[Ctl::Combo1];
  for (const Language& language : Languages())
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(language.boxName).c_str()));
  // The cover lies over the level list until page 2's work is done.
  SetWindowPos(controls_[Ctl::Frame1], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  return true;
}

void MainWindow::LoadPictures() {
  pictures_ = DecodePictures(instance_, VELK_IDR_PICTURE0, VELK_PICTURE_COUNT);
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
  for (const ControlRow& e : ControlTable()) {
    if (!e.className) continue;
    HWND h = controls_[e.control];
    const RECT r = ScaledRect(e.left, e.top, e.width, e.height);
    MoveWindow(h, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(e.font == Font::Large ? largeFont_.get() : normalFont_.get()), FALSE);
    if (e.parent == Ctl::Form1 && e.role == Role::Control) {
      RECT placed;
      GetWindowRect(h, &placed);  // a closed drop-down list is shorter than its layout height
      MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&placed), 2);
      needed.right = std::max(needed.right, placed.right);
      needed.bottom = std::max(needed.bottom, placed.bottom);
    }
  }
  HWND list = controls_[Ctl::List1];
  RECT listClient;
  GetClientRect(list, &listClient);
  SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, listClient.right - GetSystemMetrics(SM_CXVSCROLL));

  // The outer size of the design, grown when a large system font or DPI would clip a control.
  const SIZE frame = NonClientSize(kFormStyle, kFormExStyle, dpi_);
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
      OnCommand(static_cast<int>(LOWORD(wParam)), HIWORD(wParam));
      return 0;
    case WM_TIMER:
      if (wParam == kTimer1) ShowRandomPicture();
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
      if (wParam == static_cast<WPARAM>(IdOf(Ctl::Mimg))) {
        DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
      }
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == controls_[Ctl::Label10]) {
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
      KillTimer(hwnd_, kTimer1);
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void MainWindow::OnCommand(int id, int code) {
  // Enter presses the next button.
  const std::optional<Ctl> control =
      id == IDOK && IsWindowVisible(controls_[Ctl::Command5]) && IsWindowEnabled(controls_[Ctl::Command5])
          ? Ctl::Command5
          : ControlWithId(id);
  if (!control) return;
  switch (*control) {
    case Ctl::Option1:
    case Ctl::Option2:
    case Ctl::Option3:
      if (code == BN_CLICKED) wizard_.OptionClicked(*control);
      break;
    case Ctl::Command5:
      // One click, one page: a click (or Enter) made while a page's work ran, or before the
      // page it would leave had come up (queued behind the work, or behind a message box),
      // is dropped. Its message time tells when it was made.
      if (code != BN_CLICKED || wizard_.Busy()) break;
      if (inputTime_ && static_cast<LONG>(*inputTime_ - pageWorkDoneAt_) <= 0) break;
      wizard_.NextPage();
      pageWorkDoneAt_ = GetTickCount();
      // The user chose to close after a check stopped the run: the payload stays, so that
      // the setup can be run again once the game is closed or space is freed.
      if (session_.StoppedExitCode != 0) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
      break;
    case Ctl::Check3:
      if (code == BN_CLICKED) wizard_.ScriptsClicked();
      break;
    case Ctl::Combo1:
      if (code == CBN_SELCHANGE)
        wizard_.LanguageChosen(static_cast<int>(SendMessageW(controls_[Ctl::Combo1], CB_GETCURSEL, 0, 0)));
      break;
    case Ctl::Command1:
      if (code == BN_CLICKED) OnBrowse();
      break;
    case Ctl::Mimg:
      if (code == STN_CLICKED) ShowRandomPicture();
      break;
    case Ctl::Label10:
      if (code == STN_CLICKED) OpenWebAddress(hwnd_, VELK_WEB_ADDRESS, session_.AppDir);
      break;
    case Ctl::Command7:
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
  InvalidateRect(controls_[Ctl::Mimg], nullptr, FALSE);
}

void MainWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  const ControlRow& shape = RowOf(Ctl::Shape1);
  const RECT banner = ScaledRect(shape.left, shape.top, shape.width, shape.height);
  FillRect(dc, &banner, bannerBrush_.get());
  EndPaint(hwnd_, &ps);
}

LRESULT MainWindow::ColourStatic(HDC dc, HWND control) {
  if (control == controls_[Ctl::Label1] || control == controls_[Ctl::Label10]) {
    // The banner labels lie on Shape1.
    SetTextColor(dc, control == controls_[Ctl::Label1] ? kBannerText : kLinkText);
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
  const UniqueMemoryDc memory(CreateCompatibleDC(item.hDC));
  if (!memory) return;
  const ScopedSelection picture(memory.get(), pictures_[picture_].get());
  SetStretchBltMode(item.hDC, HALFTONE);
  SetBrushOrgEx(item.hDC, 0, 0, nullptr);
  StretchBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, memory.get(), 0, 0,
             kPictureWidth, kPictureHeight, SRCCOPY);
}

}  // namespace velk
