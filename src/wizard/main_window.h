#pragma once
// The wizard window Form1: built from the layout table, scaled with the monitor's DPI, with
// the handlers of its controls. The navigation itself lives in Wizard (navigation.h).
#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "engine/wizard_session.h"
#include "support/win_handles.h"
#include "wizard/navigation.h"
#include "wizard/run_locks.h"
#include "wizard/window_ui.h"

namespace velk {

class MainWindow {
 public:
  // Creates the hidden window with all its controls; nullptr when that fails (no display).
  // `inDesignHost`: stay on page 0 at start and let the exit button delete nothing.
  static std::unique_ptr<MainWindow> Create(HINSTANCE instance, bool inDesignHost);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Shows the window labelled in the system's language, then runs the start-up sequence
  // (which may go on to page 1).
  void Start(int showCommand);
  // Runs until the window is gone; returns the exit code.
  int RunMessageLoop();

 private:
  MainWindow(HINSTANCE instance, bool inDesignHost);
  static LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static bool RegisterClasses(HINSTANCE instance);

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateControls();
  void LoadPictures();
  void MakeFonts();
  // Places every control for the current DPI and sizes the window; `anchor` keeps the top
  // left corner, otherwise the window is centred on its monitor.
  void ApplyLayout(const RECT* anchor);
  void OnCommand(int id, int code);
  void OnBrowse();
  void OnExitButton();
  void ShowRandomPicture();
  void Paint();
  LRESULT ColourStatic(HDC dc, HWND control);
  void DrawPicture(const DRAWITEMSTRUCT& item);
  RECT ScaledRect(int left, int top, int width, int height) const;

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  unsigned dpi_ = 96;
  bool inDesignHost_;
  std::map<Ctl, HWND> controls_;
  UniqueFont normalFont_;
  UniqueFont largeFont_;
  UniqueBrush bannerBrush_;
  std::vector<UniqueBitmap> pictures_;
  size_t picture_ = 0;
  DWORD pageWorkDoneAt_ = 0;  // when the last press of the next button had been handled
  std::optional<DWORD> inputTime_;  // when the posted message being handled was made
  RunLocks locks_;  // held until the window closes
  WizardSession session_;
  WindowUi ui_;
  Wizard wizard_;
};

}  // namespace velk
