#include "wizard/layout_table.h"

#include <windows.h>
#include <commctrl.h>

#include "wizard/control_ids.h"

namespace velk {
namespace {

using namespace ids;

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

constexpr Font N = Font::Normal;
constexpr Font L = Font::Large;
constexpr Role C = Role::Control;
constexpr Role D = Role::Decoration;

// clang-format off
constexpr LayoutEntry kTable[] = {
  // id           class                parent          left   top  width height caption                       style                                          ex       font state      role
  // Left panel and banner.
  {kMimg,         kStatic,             Parent::Form,      0,     0, 2250, 4500, "",                          SS_OWNERDRAW | SS_NOTIFY,                      0,       N, 0,         D},
  {kLine2,        kStatic,             Parent::Form,   2250,     0,   30, 4830, "",                          SS_ETCHEDVERT,                                 0,       N, 0,         D},
  {kShape1,       nullptr,             Parent::Form,   2280,     0, 6495,  615, "",                          0,                                             0,       N, 0,         D},
  {kLabel1,       kStatic,             Parent::Form,   2400,     0, 5055,  375, "Far Cry VELK Mod Creator ", kLabel,                                        0,       L, 0,         C},
  {kLabel10,      kStatic,             Parent::Form,   2400,   360, 5055,  255, VELK_WEB_ADDRESS,            kLabel | SS_NOTIFY,                            0,       N, 0,         C},
  {kCombo1,       L"COMBOBOX",         Parent::Form,   7680,   240, 1095, 1500, "",                          CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,    0,       N, 0,         C},
  {kLine1,        kStatic,             Parent::Form,   2280,   600, 6495,   30, "",                          SS_ETCHEDHORZ,                                 0,       N, 0,         D},
  // Page area.
  {kPage0 + 0,    kPanelClassName,     Parent::Form,   kPageLeftTwips, kPageTopTwips, kPageWidthTwips, kPageHeightTwips, "", WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, N, kHidden, C},
  {kPage0 + 1,    kPanelClassName,     Parent::Form,   kPageLeftTwips, kPageTopTwips, kPageWidthTwips, kPageHeightTwips, "", WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, N, kHidden, C},
  {kPage0 + 2,    kPanelClassName,     Parent::Form,   kPageLeftTwips, kPageTopTwips, kPageWidthTwips, kPageHeightTwips, "", WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, N, kHidden, C},
  {kPage0 + 3,    kPanelClassName,     Parent::Form,   kPageLeftTwips, kPageTopTwips, kPageWidthTwips, kPageHeightTwips, "", WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, N, kHidden, C},
  {kPage0 + 4,    kPanelClassName,     Parent::Form,   kPageLeftTwips, kPageTopTwips, kPageWidthTwips, kPageHeightTwips, "", WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, N, kHidden, C},
  // Page 0: the game folder.
  {kLabel3,       kStatic,             Parent::Page0,   120,     0, 6255, 2055, "SWelcome",                  kLabel,                                        0,       N, 0,         C},
  {kText1,        kEdit,               Parent::Page0,   120,  2040, 5775,  375, "D:\\Games\\Far Cry",        ES_AUTOHSCROLL | WS_TABSTOP,                   kSunken, N, 0,         C},
  {kCommand1,     kButton,             Parent::Page0,  6000,  2040,  375,  375, "...",                       kPush,                                         0,       N, 0,         C},
  {kLabel4,       kStatic,             Parent::Page0,   120,  2520, 6255,  495, "SPathHint",                 kLabel,                                        0,       N, 0,         C},
  // Page 1: the action and its parts. The three options come first, so that they form one
  // group for the buttons' own unticking.
  {kOption1,      kButton,             Parent::Page1,   240,   240, kChoiceWidth, kChoiceHeight, "SInstall",  kOption | WS_GROUP,                      0,       N, kTicked,   C},
  {kOption3,      kButton,             Parent::Page1,   240,  1680, kChoiceWidth, kChoiceHeight, "SDeActivate", kOption,                               0,       N, 0,         C},
  {kOption2,      kButton,             Parent::Page1,   240,  2160, kChoiceWidth, kChoiceHeight, "SUnInstall", kOption,                                0,       N, 0,         C},
  {kCheck3,       kButton,             Parent::Page1,   480,   480, kChoiceWidth, kChoiceHeight, "SScripts",  kCheck | WS_GROUP,                       0,       N, kTicked,   C},
  {kCheck5,       kButton,             Parent::Page1,   720,   720, kChoiceWidth, kChoiceHeight, "SMouse",    kCheck,                                  0,       N, kTicked,   C},
  {kCheck1,       kButton,             Parent::Page1,   720,   960, kChoiceWidth, kChoiceHeight, "SSkins",    kCheck,                                  0,       N, kTicked,   C},
  {kCheck4,       kButton,             Parent::Page1,   480,  1220, kChoiceWidth, kChoiceHeight, "SMaps",     kCheck,                                  0,       N, kTicked,   C},
  {kCheck2,       kButton,             Parent::Page1,   240,  2640, kChoiceWidth, kChoiceHeight, "SOldVersionFound", kCheck,                           0,       N, kDisabled, C},
  // Page 2: the levels, first under the cover Frame1.
  {kFrame1,       kPanelClassName,     Parent::Page2,   120,     0, 6255, 3015, "",                          WS_CLIPSIBLINGS,                               0,       N, 0,         C},
  {kLabel9,       kStatic,             Parent::Frame1,  120,  1320, 6015,  255, "lol",                       kCentred,                                      0,       N, 0,         C},
  {kLabel2,       kStatic,             Parent::Page2,   120,   120, 6255,  240, "SMapsToInstall",            kLabel | WS_CLIPSIBLINGS,                      0,       N, 0,         C},
  {kList1,        WC_LISTVIEWW,        Parent::Page2,   120,   360, 6255, 2535, "",                          LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_CLIPSIBLINGS, kSunken, N, 0, C},
  // Page 3: progress of the conversion.
  {kLabel6,       kStatic,             Parent::Page3,   120,   120, 4335,  255, "",                          kLabel,                                        0,       N, 0,         C},
  {kLabel7,       kStatic,             Parent::Page3,  4560,   120, 1815,  255, "",                          kLabel,                                        0,       N, 0,         C},
  {kProgressBar1, PROGRESS_CLASSW,     Parent::Page3,   120,  2520, 6255,  375, "",                          PBS_SMOOTH,                                    0,       N, 0,         C},
  // Page 4: the result.
  {kLabel5,       kStatic,             Parent::Page4,   120,   120, 6135,  375, "SCompl",                    kCentred,                                      0,       L, 0,         C},
  {kText2,        kEdit,               Parent::Page4,   240,   720, 6015, 2175, "",                          ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, kSunken, N, 0, C},
  // Button row.
  {kLine3,        kStatic,             Parent::Form,   2280,  3860, 6495,   30, "",                          SS_ETCHEDHORZ,                                 0,       N, 0,         D},
  {kCommand7,     kButton,             Parent::Form,   2400,  3960,  975,  375, "Beenden",                   kPush,                                         0,       N, 0,         C},
  {kCommand5,     kButton,             Parent::Form,   8280,  3960,  375,  375, ">",                         kPush | BS_DEFPUSHBUTTON,                      0,       N, 0,         C},
};
// clang-format on

}  // namespace

std::span<const LayoutEntry> LayoutTable() { return kTable; }

const LayoutEntry* FindLayoutEntry(int id) {
  for (const LayoutEntry& e : kTable)
    if (e.id == id) return &e;
  return nullptr;
}

int TwipsToPixels(int twips, unsigned dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

}  // namespace velk
