#include "engine/page_work.h"
#include "levels/game_folder_check.h"
#include "levels/game_layout.h"
#include "levels/level_discovery.h"
#include "support/settings_store.h"

namespace velk {
namespace {

bool CheckGameFolderPage(WizardSession& session, WizardUi& ui) {
  std::string gameDir = ui.Text(Ctl::Text1);
  const bool ok = CheckPath(gameDir);
  ui.SetText(Ctl::Text1, gameDir);  // the user sees, and may correct, the tidied path
  session.ModsDir = gameDir + layout::kModsDirSuffix;
  if (!ok) {
    // Nothing is written into a folder that is not a game folder: no log is deleted or
    // started there, and its archives are not listed.
    ui.ShowError(FormatText(session.Texts.MsgWrongGameDir, ""));
    return false;
  }
  WriteGameDirSetting(gameDir);
  RestartRunLog(gameDir, session.ModTag);
  GetInstLevels(gameDir, session.InstalledLevels, [&ui] { ui.ProcessPendingEvents(); });
  return true;
}

}  // namespace

bool CheckInput(WizardSession& session, WizardUi& ui) {
  switch (session.PageIndex) {
    case 0:
      return CheckGameFolderPage(session, ui);
    case 1:
    case 2:
    case 3:
    case 4:
      return true;
    default:
      return false;
  }
}

}  // namespace velk
