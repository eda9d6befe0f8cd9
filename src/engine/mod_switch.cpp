#include "engine/mod_switch.h"

#include <set>

#include "engine/engine_io.h"
#include "engine/install_record.h"
#include "support/text_tools.h"
#include "support/file_helpers.h"

namespace velk {
namespace {

bool IsSwitchedOff(const WizardSession& session, const std::vector<std::string>& folders) {
  bool off = false;
  for (const std::string& folder : folders) {
    if (FileExists(folder + "\\" + session.LevelPakName + layout::kDisabledSuffix)) off = true;
  }
  return off;
}

}  // namespace

std::vector<std::string> SwitchedLevelFolders(const WizardSession& session) {
  std::vector<std::string> folders;
  std::set<std::string> seen;
  auto add = [&](const std::string& folder) {
    if (seen.insert(FoldedCase(folder)).second) folders.push_back(folder);
  };
  for (const LevelEntry& level : session.InstalledLevels) add(level.Path);
  for (const std::string& level : session.Record.levels) add(InGame(session.Request.gameDir, level));
  return folders;
}

bool EnableMod(const WizardSession& session, RunEvents& events, bool Change) {
  const std::vector<std::string> folders = SwitchedLevelFolders(session);
  const bool off = IsSwitchedOff(session, folders);
  if (!Change) return off;
  for (const std::string& folder : folders) {
    const std::string active = folder + "\\" + session.LevelPakName;
    const std::string disabled = active + layout::kDisabledSuffix;
    if (off && FileExists(disabled)) {
      // A repair made the archive anew beside a switched-off one (by an earlier version).
      if (FileExists(active)) DeleteLogged(events, disabled, disabled);
      RenameFile(disabled, session.LevelPakName);
    }
    if (!off && FileExists(active)) RenameFile(active, session.LevelPakName + layout::kDisabledSuffix);
  }
  return false;
}

}  // namespace velk
