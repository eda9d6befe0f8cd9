#include "wizard/exit_sequence.h"

#include <string>

#include "levels/game_folder_check.h"
#include "levels/game_layout.h"
#include "support/file_helpers.h"
#include "support/run_log.h"
#include "support/self_removal.h"

namespace velk {

void RunExitSequence(WizardSession& session, WizardUi& ui, bool inDesignHost) {
  if (inDesignHost) return;
  const std::string& appDir = session.AppDir;

  // Only an empty work folder goes: it may hold files that are not ours.
  KillDir(JoinPath(appDir, layout::kWorkFolder));
  // Each failure (missing, read-only, in use) leaves that file and goes on.
  for (const char* name : layout::kLegacyPayload) DeleteFileAt(JoinPath(appDir, name));
  DeleteFileAt(JoinPath(appDir, layout::kMapFilesArchive));
  DeleteFileAt(JoinPath(appDir, layout::kModFilesArchive));
  DeleteFileAt(JoinPath(appDir, layout::kArchiver));

  Log(RunLogFile(ui.Text(Ctl::Text1)), "Deleted all programm files and exiting");
  StartOwnSelfRemoval(appDir, layout::kKillBatch);
}

}  // namespace velk
