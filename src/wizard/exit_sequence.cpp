#include "wizard/exit_sequence.h"

#include <optional>
#include <string>
#include <vector>

#include "engine/archive_commands.h"
#include "engine/engine_io.h"
#include "engine/work_folder_removal.h"
#include "levels/game_folder_check.h"
#include "levels/game_layout.h"
#include "support/command_runner.h"
#include "support/file_helpers.h"
#include "support/run_log.h"
#include "support/self_removal.h"

namespace velk {
namespace {

// What the map payload unpacked into the work folder, as its archive lists it; none when it
// cannot be listed. Asked while the archive and the archiver are still there.
std::optional<std::vector<ArchiveEntry>> UnpackedEntries(const WizardSession& session, WizardUi& ui) {
  const std::string& appDir = session.AppDir;
  if (!FileExists(JoinPath(appDir, layout::kMapFilesArchive))) return std::nullopt;
  return ParseArchiveListing(
      ExecDosCommand(ArchiveListCommand(appDir, layout::kMapFilesArchive), appDir, HooksFor(session, ui)));
}

}  // namespace

void RunExitSequence(WizardSession& session, WizardUi& ui, bool inDesignHost) {
  if (inDesignHost) return;
  const std::string& appDir = session.AppDir;
  const std::string workDir = JoinPath(appDir, layout::kWorkFolder);
  std::vector<std::string> stayed;

  // Only what the map payload put into the work folder goes, then the folder when empty: it
  // may hold files that are not ours.
  if (FolderExists(workDir)) {
    const std::optional<std::vector<ArchiveEntry>> unpacked = UnpackedEntries(session, ui);
    if (unpacked) stayed = RemoveUnpackedEntries(appDir, *unpacked);
    KillDir(workDir);
    // Without the list, what is left there may be ours.
    if (!unpacked && FolderExists(workDir)) stayed.push_back(workDir);
  }
  // Each failure (read-only, in use) leaves that file and goes on; a missing file is gone.
  auto remove = [&stayed](const std::string& path) {
    if (!DeleteFileAt(path)) stayed.push_back(path);
  };
  for (const char* name : layout::kLegacyPayload) remove(JoinPath(appDir, name));
  remove(JoinPath(appDir, layout::kMapFilesArchive));
  remove(JoinPath(appDir, layout::kModFilesArchive));
  remove(JoinPath(appDir, layout::kArchiver));

  const std::string log = RunLogFile(ui.Text(Ctl::Text1));
  for (const std::string& path : stayed) Log(log, "Could not delete " + path);
  Log(log, stayed.empty() ? "Deleted all programm files and exiting"
                          : "Exiting; " + std::to_string(stayed.size()) + " program files could not be deleted");
  StartOwnSelfRemoval(appDir, layout::kKillBatch);
}

}  // namespace velk
