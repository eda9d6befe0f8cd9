#pragma once
// WizardUi over the real controls of the wizard window.
#include <windows.h>

#include <map>
#include <string>

#include "engine/wizard_ui.h"

namespace velk {

class WindowUi : public WizardUi {
 public:
  // `controls` holds the window's controls; it is owned by the window and must outlive this
  // object.
  WindowUi(HWND form, const std::map<Ctl, HWND>& controls) : form_(form), controls_(controls) {}

  std::string Text(Ctl control) override;
  void SetText(Ctl control, const std::string& text) override;
  bool Value(Ctl control) override;
  void SetValue(Ctl control, bool on) override;
  bool Enabled(Ctl control) override;
  void SetEnabled(Ctl control, bool enabled) override;
  void SetVisible(Ctl control, bool visible) override;
  void ShowPage(int pageIndex, bool visible) override;
  int LevelRowCount() override;
  void AddLevelRow(const std::string& name) override;
  std::string LevelRowText(int row) override;
  bool LevelRowTicked(int row) override;
  bool SetLevelRowTicked(int row, bool ticked) override;
  bool SetProgress(int value) override;
  void ShowError(const std::string& text) override;
  void ShowNotice(const std::string& text) override;
  StopAnswer AskAfterStop(const std::string& message, bool canRetry, const std::string& question) override;
  bool OfferElevatedRestart(const std::string& question) override;
  void AdviseRepair(const std::string& text) override;
  void ProcessPendingEvents() override;
  void* OwnerWindow() override { return form_; }

  void SetForm(HWND form) { form_ = form; }

 private:
  HWND Control(Ctl control) const;

  HWND form_;
  const std::map<Ctl, HWND>& controls_;
};

// The text of any window, however long.
std::string WindowText(HWND window);

}  // namespace velk
