#include "wizard/request_capture.h"

namespace velk {

std::vector<LevelChoice> ReadLevelList(WizardUi& ui) {
  std::vector<LevelChoice> levels;
  for (int row = 0; row < ui.LevelRowCount(); ++row) levels.push_back({ui.LevelRowText(row), ui.LevelRowTicked(row)});
  return levels;
}

void CaptureRequest(WizardSession& session, WizardUi& ui) {
  switch (session.PageIndex) {
    case 0:
      session.Request.gameDir = ui.Text(Ctl::Text1);
      break;
    case 1:
      session.Request.choices = ReadChoices(ui);
      break;
    case 2:
      session.Request.levels = ReadLevelList(ui);
      break;
    default:
      break;  // the later pages hold no input
  }
}

}  // namespace velk
