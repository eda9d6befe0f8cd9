#pragma once
// The wizard window's layout: every control with its class, parent, position and size in
// twips, design caption, style and font. The window is built from this table alone.
#include <span>

namespace velk {

inline constexpr int kFormWidthTwips = 8850;   // outer size of the window
inline constexpr int kFormHeightTwips = 4830;
inline constexpr int kPageLeftTwips = 2280;    // where the visible page sits
inline constexpr int kPageTopTwips = 680;
inline constexpr int kPageWidthTwips = 6495;
inline constexpr int kPageHeightTwips = 3135;

// Who holds a control: the form, one of the five pages, or the cover Frame1 on page 2.
enum class Parent { Form, Page0, Page1, Page2, Page3, Page4, Frame1 };
enum class Font { Normal, Large };  // Verdana 8.25 pt and 15.75 pt
// Decorations are left out when checking that the window shows every control unclipped.
enum class Role { Control, Decoration };

// Initial states on top of the window style.
inline constexpr unsigned kTicked = 1;    // check box ticked, option selected
inline constexpr unsigned kDisabled = 2;
inline constexpr unsigned kHidden = 4;

struct LayoutEntry {
  int id;
  const wchar_t* className;
  Parent parent;
  int left, top, width, height;  // twips, relative to the parent
  const char* caption;           // design caption or placeholder key
  unsigned long style;           // window style besides WS_CHILD
  unsigned long exStyle;
  Font font;
  unsigned state;
  Role role;
};

// Every window of the form in creation order (pages before their controls, Frame1 before
// Label9). The banner rectangle Shape1 is painted by the form and has no class.
std::span<const LayoutEntry> LayoutTable();
const LayoutEntry* FindLayoutEntry(int id);

// Twips at 1440 per inch to pixels at `dpi` (15 twips per pixel at 96 DPI).
int TwipsToPixels(int twips, unsigned dpi);

}  // namespace velk
