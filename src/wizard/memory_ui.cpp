#include "wizard/memory_ui.h"

#include "levels/game_layout.h"
#include "wizard/control_table.h"

namespace velk {

MemoryUi::MemoryUi() {
  // Every control starts as the window's table has it.
  for (const ControlRow& row : ControlTable()) {
    State& state = controls_[row.control];
    state.text = row.caption;
    state.value = (row.state & kTicked) != 0;
    state.enabled = (row.state & kDisabled) == 0;
    state.visible = (row.state & kHidden) == 0;
  }
}

std::string MemoryUi::Text(Ctl control) { return controls_[control].text; }
void MemoryUi::SetText(Ctl control, const std::string& text) { controls_[control].text = text; }

bool MemoryUi::Value(Ctl control) { return controls_[control].value; }

void MemoryUi::SetValue(Ctl control, bool on) {
  if (on && (control == Ctl::Option1 || control == Ctl::Option2 || control == Ctl::Option3)) {
    SelectOption(control);
    return;
  }
  controls_[control].value = on;
}

void MemoryUi::SelectOption(Ctl option) {
  for (Ctl c : {Ctl::Option1, Ctl::Option2, Ctl::Option3}) controls_[c].value = (c == option);
}

bool MemoryUi::Enabled(Ctl control) { return controls_[control].enabled; }
void MemoryUi::SetEnabled(Ctl control, bool enabled) { controls_[control].enabled = enabled; }
void MemoryUi::SetVisible(Ctl control, bool visible) { controls_[control].visible = visible; }

bool MemoryUi::Visible(Ctl control) const {
  auto it = controls_.find(control);
  return it == controls_.end() || it->second.visible;
}

void MemoryUi::ShowPage(int pageIndex, bool visible) {
  if (pageIndex >= 0 && pageIndex < kPageCount) controls_[PageControl(pageIndex)].visible = visible;
}

bool MemoryUi::PageVisible(int pageIndex) const {
  return pageIndex >= 0 && pageIndex < kPageCount && Visible(PageControl(pageIndex));
}

int MemoryUi::LevelRowCount() { return static_cast<int>(rows_.size()); }
void MemoryUi::AddLevelRow(const std::string& name) { rows_.push_back({name, false}); }

std::string MemoryUi::LevelRowText(int row) {
  return row >= 0 && row < LevelRowCount() ? rows_[row].text : std::string();
}

bool MemoryUi::LevelRowTicked(int row) {
  return row >= 0 && row < LevelRowCount() && rows_[row].ticked;
}

bool MemoryUi::SetLevelRowTicked(int row, bool ticked) {
  if (row < 0 || row >= LevelRowCount()) return false;
  rows_[row].ticked = ticked;
  return true;
}

bool MemoryUi::SetProgress(int value) {
  if (value < layout::kFirstStockLevelIndex || value > layout::kLastStockLevelIndex) return false;
  progress_ = value;
  progressHistory_.push_back(value);
  return true;
}

void MemoryUi::ShowError(const std::string& text) { messages_.push_back({true, text}); }
void MemoryUi::ShowNotice(const std::string& text) { messages_.push_back({false, text}); }

StopAnswer MemoryUi::AskAfterStop(const std::string& message, bool canRetry, const std::string&) {
  ShowError(message);
  return stopAnswer ? stopAnswer(message, canRetry) : StopAnswer::Exit;
}

}  // namespace velk
