#pragma once
// The mod's level scripts and level archives in the game's level folders.
#include <string>
#include <vector>

#include "engine/wizard_session.h"
#include "engine/run_events.h"

namespace velk {

// What CopyLua did with the level's script.
struct ScriptChange {
  enum class Kind {
    None,      // the work folder holds no script: nothing copied
    BackedUp,  // the stock script is kept in `backup`, the mod's is in `script`
    Added,     // the level had no script of that name: the mod's is in `script`
    Refused,   // both backup names are taken by files that are not the wizard's: nothing copied
  };
  Kind kind = Kind::None;
  std::string script;  // full path in the level folder
  std::string backup;  // full path of the stock script's backup (BackedUp)
};

// Copies the first "*.lua" of the level's work folder into LevelDir, after a one-time backup
// of the stock script of that name (<name>.bak, or <name>.velk.bak when a file not made by
// the wizard holds that name). The level and the script go into the install record before
// anything is changed; the backup and the script are written crash-safely. Logs nothing.
ScriptChange CopyLua(WizardSession& session, RunEvents& events);

// Takes back what CopyLua did for a level that could not be converted: the stock script
// returns from its backup, an added script goes, the level leaves the install record.
void UndoCopyLua(WizardSession& session, RunEvents& events, const ScriptChange& change);

// Deletes levelvelk.pak and levelvelkki.pak from one level folder, logging each.
void RemoveModArchives(RunEvents& events, const std::string& levelFolder);
// The same for the 20 stock level folders.
void DelLuaFiles(const WizardSession& session, RunEvents& events);

// Writes the session's install record crash-safely into the mod folder; a record that cannot
// be written is named in a box and the log.
void SaveInstallRecord(WizardSession& session, RunEvents& events);

// Puts a stock script back from its backup in one step (the backup is gone afterwards) and
// logs it; false when it could not be done.
bool RestoreScript(RunEvents& events, const std::string& script, const std::string& backup);

// <GameDir>\Levels\<Level> for each stock level, in the game's order.
std::vector<std::string> StockLevelFolders(const std::string& gameDir);

}  // namespace velk
