#pragma once
// The wizard window's controls, each declared once: its ID, class, parent, position and size in
// twips, design caption, style, font and starting state. The window is built from this table,
// the in-memory window (MemoryUi) starts in its states, and the GUI tests find the controls by
// its IDs. No windows.h here: styles are plain numbers, given in the .cpp.
#include <optional>
#include <span>

#include "engine/wizard_ui.h"

namespace velk {

inline constexpr int kFormWidthTwips = 8850;   // outer size of the window
inline constexpr int kFormHeightTwips = 4830;

enum class Font { Normal, Large };  // Verdana 8.25 pt and 15.75 pt
// Decorations are left out when checking that the window shows every control unclipped.
enum class Role { Control, Decoration };

// Starting states on top of the window style.
inline constexpr unsigned kTicked = 1;    // check box ticked, option selected
inline constexpr unsigned kDisabled = 2;
inline constexpr unsigned kHidden = 4;

struct ControlRow {
  Ctl control;
  int id;
  const wchar_t* className;  // nullptr: painted by the form (the banner Shape1)
  Ctl parent;                // Form1, a page, or Frame1
  int left, top, width, height;  // twips, relative to the parent
  const char* caption;           // design caption or placeholder key
  unsigned long style;           // window style besides WS_CHILD
  unsigned long exStyle;
  Font font;
  unsigned state;
  Role role;
};

// Every control of the form in creation order (pages before their controls, Frame1 before
// Label9). The form itself is not in it.
std::span<const ControlRow> ControlTable();
const ControlRow& RowOf(Ctl control);
int IdOf(Ctl control);
std::optional<Ctl> ControlWithId(int id);

// Twips at 1440 per inch to pixels at `dpi` (15 twips per pixel at 96 DPI).
int TwipsToPixels(int twips, unsigned dpi);

}  // namespace velk
