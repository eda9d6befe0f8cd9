#pragma once
// The window's controls, which the engine fills when a page opens (captions, the level list)
// and which show what it reports. The real window implements it over Win32 controls; the
// unattended mode and the tests implement it in memory (MemoryUi).
#include <string>

#include "engine/run_events.h"

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

class WizardUi : public RunEvents {
 public:
  virtual ~WizardUi() = default;

  // Caption of a label, button or option; the text of Text1 (the path box) and Text2.
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

  // The status lines are the path box, the labels of the progress page and the completion
  // page's summary.
  void ShowStatus(StatusLine line, const std::string& text) final { SetText(StatusControl(line), text); }

 private:
  static Ctl StatusControl(StatusLine line) {
    switch (line) {
      case StatusLine::GameFolder:
        return Ctl::Text1;
      case StatusLine::Step:
        return Ctl::Label6;
      case StatusLine::Level:
        return Ctl::Label7;
      case StatusLine::Summary:
        break;
    }
    return Ctl::Text2;
  }
};

}  // namespace velk
