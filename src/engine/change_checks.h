#pragma once
// What is checked before the choices page lets the run change anything: the payload the
// choices need, the space it takes, the setup's own folder, and the game not running. Silent
// when everything passes.
#include <optional>
#include <string>

#include "engine/choices.h"
#include "engine/wizard_session.h"
#include "engine/run_events.h"

namespace velk {

// The unattended mode's exit code when a check stops the run (nothing changed).
inline constexpr int kUnattendedPayloadBroken = 4;  // a payload archive missing or damaged
inline constexpr int kUnattendedNoSpace = 5;        // too little free space for the unpacking
inline constexpr int kUnattendedSetupReadOnly = 6;  // the setup's own folder cannot be written
inline constexpr int kUnattendedGameRunning = 7;    // Far Cry is running from the game folder

// What a failed check said; a check that passes says nothing.
struct CheckFinding {
  std::string argument;  // for the %s of the check's catalogue text
  std::string logLine;   // for the run log, without ": nothing changed"
  // Said instead of the check's text when set: a setup file's own message, which asks to
  // unpack the archive first when the setup runs from inside it.
  std::string message;
};
using CheckResult = std::optional<CheckFinding>;

// One check before the first change, in the order they run; a row is all it takes to add one.
struct ChangeCheck {
  CheckResult (*check)(WizardSession& session, RunEvents& events, const Choices& choices);
  int exitCode;                             // what the unattended mode ends with
  const std::string MessageCatalogue::*text;  // what the user is told, with the finding's argument
  bool canRetry;                            // the user can mend it and try again (close the game)
};

// Why the run stopped before its first change; exitCode 0 when every check passed.
struct StopReason {
  int exitCode = 0;
  bool canRetry = false;
  std::string message;  // for the user, in the session's language
  std::string logLine;  // for the run log
};

// The first check that fails for `choices`, or a reason with exitCode 0. Keeps the files each
// payload archive holds in the session, for the check after its unpacking.
StopReason CheckBeforeChange(WizardSession& session, RunEvents& events, const Choices& choices);

}  // namespace velk
