#pragma once
// WizardUi kept in memory: the controls' texts, values and states (starting as the window's
// control table has them), the level list and the progress value, with a record of every
// message shown. The unattended mode runs the wizard over it, and the tests use it to see
// what the engine showed.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/wizard_ui.h"

namespace velk {

class MemoryUi : public WizardUi {
 public:
  struct Row {
    std::string text;
    bool ticked = false;
  };
  struct Message {
    bool error = true;  // false for ShowNotice
    std::string text;
  };

  MemoryUi();

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
  // Records the message as an error and gives stopAnswer's answer: Exit when none is set, as
  // there is no one to ask.
  StopAnswer AskAfterStop(const std::string& message, bool canRetry, const std::string& question) override;
  void ProcessPendingEvents() override {}
  void* OwnerWindow() override { return nullptr; }

  bool Visible(Ctl control) const;
  bool PageVisible(int pageIndex) const;
  int Progress() const { return progress_; }
  const std::vector<Row>& Rows() const { return rows_; }
  const std::vector<Message>& Messages() const { return messages_; }
  // Every value SetProgress accepted, in order.
  const std::vector<int>& ProgressHistory() const { return progressHistory_; }

  // Answers AskAfterStop in tests: gets the message and whether Retry was offered.
  std::function<StopAnswer(const std::string& message, bool canRetry)> stopAnswer;

 private:
  struct State {
    std::string text;
    bool value = false;
    bool enabled = true;
    bool visible = true;
  };
  std::map<Ctl, State> controls_;
  std::vector<Row> rows_;
  std::vector<Message> messages_;
  int progress_ = 1;
  std::vector<int> progressHistory_;
  // The option buttons form one group: selecting one clears the others.
  void SelectOption(Ctl option);
};

}  // namespace velk
