#pragma once
// One level's mod archive: levelvelk.pak, built in the level's work folder from the stock
// level.pak's .bai files and the mod's files, then copied into the level folder.
#include <string>

#include "engine/wizard_session.h"
#include "engine/run_events.h"

namespace velk {

// Converts the level named by session.CurrentLevel (LevelDir, LevelWorkDir). Failures show a
// box and go to the log; the caller goes on with the next level whatever happened. True when
// the new archive was copied into the level folder. A level whose level.pak is missing,
// unreadable or without hide<Level>.bai and net<Level>.bai gets no archive (false).
bool LevelPak(WizardSession& session, RunEvents& events);

// Every RespawnTime="0" becomes RespawnTime="10" (case-sensitive), the other bytes stay, and
// one CR LF is appended.
std::string PatchMissionBytes(const std::string& bytes);

}  // namespace velk
