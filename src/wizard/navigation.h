#pragma once
// The wizard's navigation and handlers that need no Win32: start-up, NextPage with its
// capture of the run request and its page-skipping rules, the option and scripts couplings, the language. The window and the
// unattended mode both drive the wizard through this class.
#include <string>

#include "engine/wizard_session.h"
#include "engine/wizard_ui.h"

namespace velk {

class Wizard {
 public:
  Wizard(WizardSession& session, WizardUi& ui) : session_(session), ui_(ui) {}

  // Start-up after the window exists: language from the system, page 0, Text1 from FCDir,
  // the progress range, CheckPath; a valid remembered folder goes on to page 1 unless
  // `inDesignHost`. `systemLcid` is the system's default locale (tests pass their own).
  void StartUp(bool inDesignHost, unsigned systemLcid);

  // The next button: takes the visible page's part of the run request from the controls,
  // then goes on as Continue does.
  bool NextPage();
  // Leaves the visible page when its checks pass on the request as it stands, and does the
  // work of the page entered; false when the page stays. The unattended mode fills the request
  // itself and calls this; so does the wizard for the pages it passes through by itself.
  bool Continue();
  bool OnLastPage() const { return session_.PageIndex == session_.LastPage; }

  // Option1..3 clicked (couplings of Check1, Check3, Check4, Check5).
  void OptionClicked(Ctl option);
  // Check3 clicked: Check5 and Check1 follow it.
  void ScriptsClicked();
  // Combo1: the language of that row of the languages table; no row selected, nothing.
  void LanguageChosen(int comboIndex);
  // Fills the catalogue for the code (empty: `systemLcid`) and relabels the controls.
  void LoadLanguage(const std::string& languageCode, unsigned systemLcid = 0);
  void TranslateControls();

  // True while a page's work runs.
  bool Busy() const { return busy_ > 0; }

  WizardSession& session() { return session_; }
  WizardUi& ui() { return ui_; }

 private:
  class BusyScope;
  void SetButtonsEnabled(bool enabled);

  WizardSession& session_;
  WizardUi& ui_;
  int busy_ = 0;
};

}  // namespace velk
