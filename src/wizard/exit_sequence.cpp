#include "wizard/exit_sequence.h"

#include <string>

#include "levels/game_layout.h"
#include "support/file_helpers.h"
#include "support/run_log.h"
#include "support/self_removal.h"

namespace velk {

void RunExitSequence(WizardSession& session, WizardUi& ui, bool inDesignHost) {
  if (inDesignHost) return;
  const std::string& appDir = session.AppDir;
  const std::string folder = appDir.size() < 4 ? appDir : appDir + "\\";

  // Only an empty work folder goes: it may hold files that are not ours.
  KillDir(folder + layout::kWorkFolder);
  // Each failure (missing, read-only, in use) leaves that file and goes on.
  for (const char* name : layout::kLegacyPayload) DeleteFileAt(folder + name);
  DeleteFileAt(folder + layout::kMapFilesArchive);
  DeleteFileAt(folder + layout::kModFilesArchive);
  DeleteFileAt(folder + layout::kArchiver);

  Log(ui.Text(Ctl::Text1), "Deleted all programm files and exiting");
  StartOwnSelfRemoval(appDir);
}

}  // namespace velk
