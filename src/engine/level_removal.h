#pragma once
// Taking the mod out of the game's level folders: its archives go and the level scripts come
// back. Exactly what the install record names is undone; levels an earlier version of this
// wizard converted (it kept no record) lose only what is unmistakably the mod's.
#include "engine/wizard_session.h"
#include "engine/run_events.h"

namespace velk {

// The stock levels' archives go first, as DelLuaFiles removes them; then the archives
// (switched off too) of the recorded levels and of the other levels below <GameDir>\Levels;
// then every recorded script returns (a backup over the mod's script, an added script
// deleted) and the levels leave the record. In a level the record does not name, a
// <script>.lua.bak counts as the wizard's only when <script>.lua holds the map payload's
// script for that level. `heading` logs "Restoring level scripts" before the scripts.
void RemoveModFromLevels(WizardSession& session, RunEvents& events, bool heading);

}  // namespace velk
