#include "wizard/control_table.h"

#include <windows.h>
#include <commctrl.h>

#include <stdexcept>

#include "wizard/window_names.h"

namespace velk {
namespace {

constexpr unsigned long kLabel = SS_LEFT | SS_NOPREFIX;
constexpr unsigned long kCentred = SS_CENTER | SS_NOPREFIX;
constexpr unsigned long kPush = BS_PUSHBUTTON | WS_TABSTOP;
constexpr unsigned long kOption = BS_AUTORADIOBUTTON | WS_TABSTOP;
constexpr unsigned long kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr unsigned long kSunken = WS_EX_CLIENTEDGE;
// Option buttons and check boxes have no size in the design: wide enough for the longest
// German caption ("Vorhandene Version reparieren"), one line high.
constexpr int kChoiceWidth = 4500;
constexpr int kChoiceHeight = 240;

constexpr const wchar_t* kStatic = L"STATIC";
constexpr const wchar_t* kButton = L"BUTTON";
constexpr const wchar_t* kEdit = L"EDIT";

constexpr int kPageLeftTwips = 2280;  // where the visible page sits
constexpr int kPageTopTwips = 680;
constexpr int kPageWidthTwips = 6495;
constexpr int kPageHeightTwips = 3135;

constexpr Font N = Font::Normal;
constexpr Font L = Font::Large;
constexpr Role C = Role::Control;
constexpr Role D = Role::Decoration;

// clang-format off
constexpr ControlRow kTable[] = {
  // control, ID       class                parent      left   top  width height caption                       style                                          ex       font state      role
  // Left panel and banner.
  {Ctl::Mimg, 1901,         kStatic,             Ctl::Form1,      0,     0, 2250, 4500, "",                          SS_OWNERDRAW | SS_NOTIFY,                      0,       N, 0,         D},
  {Ctl::Line2, 1952,        kStatic,             Ctl::Form1,   2250,     0,   30, 4830, "",                          SS_ETCHEDVERT,                                 0,       N, 0,         D},
  {Ctl::Shape1, 1961,       nullptr,             Ctl::Form1,   2280,     0, 6495,  615, "",                          0,                                             0,       N, 0,         D},
  {Ctl::Label1, 1001,       kStatic,             Ctl::Form1,   2400,     0, 5055,  375, kBannerPrefix,               kLabel,                                        0,       L, 0,         C},
  {Ctl::Label10, 1010,      kStatic,             Ctl::Form1,   2400,   360, 5055,  255, VELK_WEB_ADDRESS,            kLabel | SS_NOTIFY,                            0,       N, 0,         C},
  {Ctl::Combo1, 1501,       L"COMBOBOX",         Ctl::Form1,   7680,   240, 1095, 1500, "",                          CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,    0,       N, 0,         C},
  {Ctl::Line1, 1951,        kStatic,             Ctl::Form1,   2280,   600, 6495,   30, "",                          SS_ETCHEDHORZ,                                 0,       N, 0,         D},
  // Page area.
  {Ctl::Page0, 2000,    kPanelClassName,     Ctl::Form1,   kPageLeftTwips, kPageTopTwips, kPageWidthTwips, kPageHeightTwips, "", WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, N, kHidden, C},
  {Ctl::Page1, 2001,    kPanelClassName,     Ctl::Form1,   kPageLeftTwips, kPageTopTwips, kPageWidthTwips, kPageHeightTwips, "", WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, N, kHidden, C},
  {Ctl::Page2, 2002,    kPanelClassName,     Ctl::Form1,   kPageLeftTwips, kPageTopTwips, kPageWidthTwips, kPageHeightTwips, "", WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, N, kHidden, C},
  {Ctl::Page3, 2003,    kPanelClassName,     Ctl::Form1,   kPageLeftTwips, kPageTopTwips, kPageWidthTwips, kPageHeightTwips, "", WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, N, kHidden, C},
  {Ctl::Page4, 2004,    kPanelClassName,     Ctl::Form1,   kPageLeftTwips, kPageTopTwips, kPageWidthTwips, kPageHeightTwips, "", WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, N, kHidden, C},
  // Page 0: the game folder.
  {Ctl::Label3, 1003,       kStatic,             Ctl::Page0,   120,     0, 6255, 2055, "SWelcome",                  kLabel,                                        0,       N, 0,         C},
  {Ctl::Text1, 1101,        kEdit,               Ctl::Page0,   120,  2040, 5775,  375, "D:\\Games\\Far Cry",        ES_AUTOHSCROLL | WS_TABSTOP,                   kSunken, N, 0,         C},
  {Ctl::Command1, 1201,     kButton,             Ctl::Page0,  6000,  2040,  375,  375, "...",                       kPush,                                         0,       N, 0,         C},
  {Ctl::Label4, 1004,       kStatic,             Ctl::Page0,   120,  2520, 6255,  495, "SPathHint",                 kLabel,                                        0,       N, 0,         C},
  // Page 1: the action and its parts. The three options come first, so that they form one
  // group for the buttons' own unticking.
  {Ctl::Option1, 1301,      kButton,             Ctl::Page1,   240,   240, kChoiceWidth, kChoiceHeight, "SInstall",  kOption | WS_GROUP,                      0,       N, kTicked,   C},
  {Ctl::Option3, 1303,      kButton,             Ctl::Page1,   240,  1680, kChoiceWidth, kChoiceHeight, "SDeActivate", kOption,                               0,       N, 0,         C},
  {Ctl::Option2, 1302,      kButton,             Ctl::Page1,   240,  2160, kChoiceWidth, kChoiceHeight, "SUnInstall", kOption,                                0,       N, 0,         C},
  {Ctl::Check3, 1403,       kButton,             Ctl::Page1,   480,   480, kChoiceWidth, kChoiceHeight, "SScripts",  kCheck | WS_GROUP,                       0,       N, kTicked,   C},
  {Ctl::Check5, 1405,       kButton,             Ctl::Page1,   720,   720, kChoiceWidth, kChoiceHeight, "SMouse",    kCheck,                                  0,       N, kTicked,   C},
  {Ctl::Check1, 1401,       kButton,             Ctl::Page1,   720,   960, kChoiceWidth, kChoiceHeight, "SSkins",    kCheck,                                  0,       N, kTicked,   C},
  {Ctl::Check4, 1404,       kButton,             Ctl::Page1,   480,  1220, kChoiceWidth, kChoiceHeight, "SMaps",     kCheck,                                  0,       N, kTicked,   C},
  {Ctl::Check2, 1402,       kButton,             Ctl::Page1,   240,  2640, kChoiceWidth, kChoiceHeight, "SOldVersionFound", kCheck,                           0,       N, kDisabled, C},
  // Page 2: the levels, first under the cover Frame1.
  {Ctl::Frame1, 1801,       kPanelClassName,     Ctl::Page2,   120,     0, 6255, 3015, "",                          WS_CLIPSIBLINGS,                               0,       N, 0,         C},
  {Ctl::Label9, 1009,       kStatic,             Ctl::Frame1,  120,  1320, 6015,  255, "lol",                       kCentred,                                      0,       N, 0,         C},
  {Ctl::Label2, 1002,       kStatic,             Ctl::Page2,   120,   120, 6255,  240, "SMapsToInstall",            kLabel | WS_CLIPSIBLINGS,                      0,       N, 0,         C},
  {Ctl::List1, 1601,        WC_LISTVIEWW,        Ctl::Page2,   120,   360, 6255, 2535, "",                          LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_CLIPSIBLINGS, kSunken, N, 0, C},
  // Page 3: progress of the conversion.
  {Ctl::Label6, 1006,       kStatic,             Ctl::Page3,   120,   120, 4335,  255, "",                          kLabel,                                        0,       N, 0,         C},
  {Ctl::Label7, 1007,       kStatic,             Ctl::Page3,  4560,   120, 1815,  255, "",                          kLabel,                                        0,       N, 0,         C},
  {Ctl::ProgressBar1, 1701, PROGRESS_CLASSW,     Ctl::Page3,   120,  2520, 6255,  375, "",                          PBS_SMOOTH,                                    0,       N, 0,         C},
  // Page 4: the result.
  {Ctl::Label5, 1005,       kStatic,             Ctl::Page4,   120,   120, 6135,  375, "SCompl",                    kCentred,                                      0,       L, 0,         C},
  {Ctl::Text2, 1102,        kEdit,               Ctl::Page4,   240,   720, 6015, 2175, "",                          ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, kSunken, N, 0, C},
  // Button row.
  {Ctl::Line3, 1953,        kStatic,             Ctl::Form1,   2280,  3860, 6495,   30, "",                          SS_ETCHEDHORZ,                                 0,       N, 0,         D},
  {Ctl::Command7, 1207,     kButton,             Ctl::Form1,   2400,  3960,  975,  375, "Beenden",                   kPush,                                         0,       N, 0,         C},
  {Ctl::Command5, 1205,     kButton,             Ctl::Form1,   8280,  3960,  375,  375, ">",                         kPush | BS_DEFPUSHBUTTON,                      0,       N, 0,         C},
};
// clang-format on

}  // namespace

std::span<const ControlRow> ControlTable() { return kTable; }

const ControlRow& RowOf(Ctl control) {
  for (const ControlRow& row : kTable)
    if (row.control == control) return row;
  throw std::logic_error("a control without a row in the control table");
}

int IdOf(Ctl control) { return RowOf(control).id; }

std::optional<Ctl> ControlWithId(int id) {
  for (const ControlRow& row : kTable)
    if (row.id == id) return row.control;
  return std::nullopt;
}

int TwipsToPixels(int twips, unsigned dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

}  // namespace velk
