#pragma once
// A read-only check of an installed mod against its install record and the disk: what a game
// file check, a game patch or another mod may have undone since. It changes nothing.
#include <string>
#include <vector>

#include "engine/install_record.h"
#include "engine/message_catalogue.h"
#include "levels/level_discovery.h"

namespace velk {

struct InstallFinding {
  std::string text;        // for the user, in the catalogue's language
  bool needsRepair = true;  // false for what is as the user left it (a level switched off)
};

struct InstallCheck {
  bool installed = false;  // the mod folder, or a level archive of the mod, is there
  std::vector<InstallFinding> findings;
  bool NeedsRepair() const;
};

// Checks the mod in `gameDir`: its folder; for each recorded level its archive (on, switched
// off, missing), its script (the mod's, the stock one back, missing), its backup, and whether
// its level.pak changed since the archive was built; the desktop shortcut `shortcut` (a full
// path; empty when the desktop is unknown). `installedLevels` are the game's level folders
// (for archives a game without a record holds). `record` has passed its guard.
InstallCheck CheckInstalledMod(const std::string& gameDir, const InstallRecord& record,
                               const std::vector<LevelEntry>& installedLevels, const std::string& shortcut,
                               const MessageCatalogue& texts);

}  // namespace velk
