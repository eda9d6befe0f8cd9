#pragma once
// Drives the real VelkSetup.exe from outside, as a person would: finds its window and
// controls by ID, reads texts, clicks, types, answers message boxes, reads the level list
// and takes screenshots. For every GUI test of the project.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "kit/test_kit.h"
#include "support/win_handles.h"

namespace velk::gui {

// Polls `condition` every 20 ms until it holds or `timeoutMs` passed.
bool WaitUntil(const std::function<bool()>& condition, unsigned timeoutMs = 10000);

// The remembered game folder FCDir in the registry the program reads.
void SetGameDirSetting(const std::string& gameDir);
void ClearGameDirSetting();

// A value under HKEY_CURRENT_USER for programs started afterwards; the old value (or its
// absence) comes back when it goes out of scope.
class ScopedUserValue {
 public:
  ScopedUserValue(const std::wstring& key, const std::wstring& name, DWORD type, const void* data, DWORD size);
  ~ScopedUserValue();
  ScopedUserValue(const ScopedUserValue&) = delete;
  ScopedUserValue& operator=(const ScopedUserValue&) = delete;
 private:
  std::wstring key_, name_;
  bool hadValue_ = false;
  DWORD oldType_ = 0;
  std::vector<unsigned char> oldData_;
};

// The DPI (HKCU\Control Panel\Desktop LogPixels), read by each Wine process at its start.
class ScopedLogPixels : public ScopedUserValue {
 public:
  explicit ScopedLogPixels(DWORD dpi)
      : ScopedUserValue(L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof(dpi)) {}
};

// Wine draws the caption and frame itself (there is no window manager under Xvfb), so that
// screenshots show them.
class ScopedWineDrawnFrames : public ScopedUserValue {
 public:
  ScopedWineDrawnFrames()
      : ScopedUserValue(L"Software\\Wine\\X11 Driver", L"Managed", REG_SZ, L"N", 2 * sizeof(wchar_t)) {}
};

// A message box (#32770) of the program.
struct MessageBoxInfo {
  HWND window = nullptr;
  std::string title;
  std::string text;
  bool hasIcon = false;  // ShowError has one (the error icon), ShowNotice none
  std::vector<std::string> buttons;
};

class WizardProcess {
 public:
  struct Options {
    std::vector<std::string> arguments;
    std::string workDir;                        // empty: the process's temporary folder
    std::map<std::string, std::string> environment;  // added to (or replacing) ours
    // Variables for Wine itself, such as LC_ALL: a program started from a Wine process
    // takes its locale from the parent, whatever its environment block says. With these
    // the program is started through /usr/bin/env and a fresh Wine loader, and it is found
    // by its window (the one wizard window there is).
    std::map<std::string, std::string> unixEnvironment;
  };

  // Starts the program; throws std::runtime_error when it cannot be started.
  WizardProcess(const std::string& exePath, const Options& options);
  explicit WizardProcess(const std::string& exePath) : WizardProcess(exePath, Options{}) {}
  // Ends the program when it still runs.
  ~WizardProcess();
  WizardProcess(const WizardProcess&) = delete;
  WizardProcess& operator=(const WizardProcess&) = delete;

  DWORD Pid() const { return pid_; }
  // Waits for the wizard window of this process; false on timeout.
  bool WaitForWindow(unsigned timeoutMs = 20000);
  HWND Window() const { return window_; }
  std::string Caption() const;

  // Any control of the window by its ID (wizard/control_ids.h), at any depth.
  HWND Control(int id) const;
  std::string Text(int id) const;
  void SetText(int id, const std::string& text);  // as if typed
  bool Checked(int id) const;
  bool Enabled(int id) const;
  bool Visible(int id) const;  // the control and all its parents
  // A click on a button, check box, option or notifying label (posted: the handler may open
  // a message box).
  void Click(int id);
  // The same click, sent: returns once the window has handled it. For controls whose handler
  // neither opens a box nor starts page work (options, check boxes, the picture); a Settle()
  // after a posted click may run before the click itself.
  void ClickAndWait(int id);
  // Chooses an item of a drop-down list as the user does (selection plus CBN_SELCHANGE);
  // returns once the window has handled the change.
  void ChooseComboItem(int id, int index);
  int ComboSelection(int id) const;
  std::vector<std::string> ComboItems(int id) const;
  // The index of the visible page, -1 when none is visible.
  int VisiblePage() const;
  // True once every message the window got so far has been handled.
  bool Settle(unsigned timeoutMs = 10000) const;

  // The level list List1, read through memory in the program's own process.
  int ListRowCount() const;
  std::string ListRowText(int row) const;
  bool ListRowChecked(int row) const;
  void SetListRowChecked(int row, bool checked);

  // The first visible message box of the process, waiting up to `timeoutMs`.
  std::optional<MessageBoxInfo> WaitForMessageBox(unsigned timeoutMs = 10000) const;
  // Presses the box's OK button.
  static void PressOk(const MessageBoxInfo& box);

  // The window's close box.
  void Close();
  // Waits for the process to end; its exit code, or nullopt on timeout.
  std::optional<DWORD> WaitForExit(unsigned timeoutMs = 20000);
  bool Running() const;

  // A PNG of the window as it is on screen.
  bool SaveScreenshot(const std::string& pngPath) const;
  // The screen pixels (32-bit BGRA rows) a control covers.
  std::string ControlPixels(int id) const;

 private:
  UniqueHandle process_;
  DWORD pid_ = 0;
  HWND window_ = nullptr;
};

// A game folder and a payload folder holding a copy of VelkSetup.exe, below a fresh
// temporary folder.
struct WizardSetup {
  explicit WizardSetup(const testkit::GameOptions& game = {});
  testkit::TempFolder temp{"gui"};
  testkit::Fixture fixture;
  std::string program;  // fixture.appDir + "\\VelkSetup.exe"
};

// Starts the program and waits for its window; throws std::runtime_error when none comes.
std::unique_ptr<WizardProcess> StartWizard(const std::string& program,
                                           const WizardProcess::Options& options = {});

// Where screenshots go: $VELK_SCREENSHOT_DIR (a Unix or Windows path) + name; empty when the
// variable is not set.
std::string ScreenshotPath(const std::string& fileName);

}  // namespace velk::gui
