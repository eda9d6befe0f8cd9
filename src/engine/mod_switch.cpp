#include "engine/mod_switch.h"

#include "support/file_helpers.h"

namespace velk {
namespace {

std::string ArchivePath(const WizardSession& session, const LevelEntry& level) {
  return level.Path + "\\" + session.LevelPakName;
}

std::string DisabledName(const WizardSession& session) {
  return session.LevelPakName + layout::kDisabledSuffix;
}

bool IsSwitchedOff(const WizardSession& session) {
  bool off = false;
  for (const LevelEntry& level : session.InstalledLevels) {
    if (FileExists(ArchivePath(session, level) + layout::kDisabledSuffix)) off = true;
  }
  return off;
}

}  // namespace

bool EnableMod(const WizardSession& session, bool Change) {
  if (!Change) return IsSwitchedOff(session);
  const bool off = IsSwitchedOff(session);
  for (const LevelEntry& level : session.InstalledLevels) {
    const std::string active = ArchivePath(session, level);
    const std::string disabled = active + layout::kDisabledSuffix;
    // A folder holding both names keeps both: the rename refuses an existing target.
    if (off && FileExists(disabled)) RenameFile(disabled, session.LevelPakName);
    if (!off && FileExists(active)) RenameFile(active, DisabledName(session));
  }
  return false;
}

}  // namespace velk
