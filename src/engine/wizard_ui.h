#pragma once
// How the engine reaches the window's controls. The real window implements it over Win32
// controls; the unattended mode and the tests implement it in memory (MemoryUi).
#include <string>

namespace velk {

// The window's controls by their design names; the window's own table (wizard/control_table)
// says what each one is. The engine reads and writes the first group; the rest are the form,
// its pages and decorations.
enum class Ctl {
  Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label9, Label10,
  Text1, Text2,
  Command1, Command5, Command7,
  Option1, Option2, Option3,
  Check1, Check2, Check3, Check4, Check5,
  Combo1, List1, ProgressBar1, Frame1,
  Form1, Page0, Page1, Page2, Page3, Page4, Mimg, Line1, Line2, Line3, Shape1,
};

// The page control of page `index` (0 to 4).
constexpr Ctl PageControl(int index) { return static_cast<Ctl>(static_cast<int>(Ctl::Page0) + index); }
inline constexpr int kPageCount = 5;

// The user's answer when a check before the first change failed.
enum class StopAnswer { Retry, Back, Exit };

class WizardUi {
 public:
  virtual ~WizardUi() = default;

  // Caption of a label, button or option; the text of Text1 (GameDir) and Text2.
  virtual std::string Text(Ctl control) = 0;
  virtual void SetText(Ctl control, const std::string& text) = 0;
  // Ticked check box or selected option button.
  virtual bool Value(Ctl control) = 0;
  virtual void SetValue(Ctl control, bool on) = 0;
  virtual bool Enabled(Ctl control) = 0;
  virtual void SetEnabled(Ctl control, bool enabled) = 0;
  virtual void SetVisible(Ctl control, bool visible) = 0;
  // Shows or hides one of the five pages.
  virtual void ShowPage(int pageIndex, bool visible) = 0;

  // The level list List1: one row per level, a ticked row is a selected one.
  virtual int LevelRowCount() = 0;
  virtual void AddLevelRow(const std::string& name) = 0;
  virtual std::string LevelRowText(int row) = 0;
  virtual bool LevelRowTicked(int row) = 0;
  // False when there is no such row.
  virtual bool SetLevelRowTicked(int row, bool ticked) = 0;

  // ProgressBar1 (range 1 to 20); false when the value is outside the range (refused).
  virtual bool SetProgress(int value) = 0;

  // Modal message with the error icon and a single OK button.
  virtual void ShowError(const std::string& text) = 0;
  // Modal message with an OK button and no icon (the command runner's platform errors).
  virtual void ShowNotice(const std::string& text) = 0;

  // A check before the first change failed: shows `message` (with Retry and Cancel when
  // `canRetry`), then asks `question`: back to the choices page, or close the wizard.
  virtual StopAnswer AskAfterStop(const std::string& message, bool canRetry,
                                  const std::string& question) = 0;

  // Tells the user, without a question, that the installed mod needs a repair. Only the window
  // says so: the unattended mode has its own action for the check.
  virtual void AdviseRepair(const std::string& /*text*/) {}

  // Lets the window paint and handle timer ticks while work runs.
  virtual void ProcessPendingEvents() = 0;
  // The window handle for shell calls; nullptr without a window.
  virtual void* OwnerWindow() = 0;
  // Asks with Yes and No whether to start the wizard again with the rights it lacks, and does
  // so on Yes; true when the elevated wizard was started and this one is closing. Without a
  // window there is no one to ask.
  virtual bool OfferElevatedRestart(const std::string& /*question*/) { return false; }
};

}  // namespace velk
