#pragma once
// Numeric IDs of the wizard window's controls, its class names and captions. Shared by the
// window and by the GUI tests, which find the controls from outside the process.
#include "engine/wizard_ui.h"

namespace velk::ids {

inline constexpr int kLabel1 = 1001;
inline constexpr int kLabel2 = 1002;
inline constexpr int kLabel3 = 1003;
inline constexpr int kLabel4 = 1004;
inline constexpr int kLabel5 = 1005;
inline constexpr int kLabel6 = 1006;
inline constexpr int kLabel7 = 1007;
inline constexpr int kLabel9 = 1009;
inline constexpr int kLabel10 = 1010;
inline constexpr int kText1 = 1101;
inline constexpr int kText2 = 1102;
inline constexpr int kCommand1 = 1201;
inline constexpr int kCommand5 = 1205;
inline constexpr int kCommand7 = 1207;
inline constexpr int kOption1 = 1301;
inline constexpr int kOption2 = 1302;
inline constexpr int kOption3 = 1303;
inline constexpr int kCheck1 = 1401;
inline constexpr int kCheck2 = 1402;
inline constexpr int kCheck3 = 1403;
inline constexpr int kCheck4 = 1404;
inline constexpr int kCheck5 = 1405;
inline constexpr int kCombo1 = 1501;
inline constexpr int kList1 = 1601;
inline constexpr int kProgressBar1 = 1701;
inline constexpr int kFrame1 = 1801;
inline constexpr int kMimg = 1901;
inline constexpr int kLine1 = 1951;
inline constexpr int kLine2 = 1952;
inline constexpr int kLine3 = 1953;
inline constexpr int kShape1 = 1961;
// Page n has the ID kPage0 + n.
inline constexpr int kPage0 = 2000;
inline constexpr int kPageCount = 5;

// ProgressBar1 counts the stock levels, indexed 1 to 20.
inline constexpr int kProgressMin = 1;
inline constexpr int kProgressMax = 20;

inline constexpr int kTimer1 = 1;
inline constexpr unsigned kTimer1Interval = 5000;

constexpr int ControlId(Ctl control) {
  switch (control) {
    case Ctl::Label1: return kLabel1;
    case Ctl::Label2: return kLabel2;
    case Ctl::Label3: return kLabel3;
    case Ctl::Label4: return kLabel4;
    case Ctl::Label5: return kLabel5;
    case Ctl::Label6: return kLabel6;
    case Ctl::Label7: return kLabel7;
    case Ctl::Label9: return kLabel9;
    case Ctl::Label10: return kLabel10;
    case Ctl::Text1: return kText1;
    case Ctl::Text2: return kText2;
    case Ctl::Command1: return kCommand1;
    case Ctl::Command5: return kCommand5;
    case Ctl::Command7: return kCommand7;
    case Ctl::Option1: return kOption1;
    case Ctl::Option2: return kOption2;
    case Ctl::Option3: return kOption3;
    case Ctl::Check1: return kCheck1;
    case Ctl::Check2: return kCheck2;
    case Ctl::Check3: return kCheck3;
    case Ctl::Check4: return kCheck4;
    case Ctl::Check5: return kCheck5;
    case Ctl::Combo1: return kCombo1;
    case Ctl::List1: return kList1;
    case Ctl::ProgressBar1: return kProgressBar1;
    case Ctl::Frame1: return kFrame1;
  }
  return 0;
}

}  // namespace velk::ids

namespace velk {

inline constexpr const wchar_t* kWindowClassName = L"VelkSetupWizard";
inline constexpr const wchar_t* kPanelClassName = L"VelkSetupPanel";
// The window caption is this followed by the session's ModTag.
inline constexpr const char* kWindowCaptionPrefix = "Far Cry Velk Creator ";
// Title of the program's message boxes.
inline constexpr const char* kAppTitle = "VelkSetup";
// Named mutex that keeps a second window from starting.
inline constexpr const char* kSingleInstanceName = "VelkSetup.SingleInstance";
// Switch that makes the program behave as in its development host: it stays on page 0 and
// the exit button deletes nothing.
inline constexpr const char* kDevSwitch = "/dev";
// Given to the wizard restarted with administrator rights: it waits for the first one to close.
inline constexpr const char* kElevatedSwitch = "/elevated";

}  // namespace velk
