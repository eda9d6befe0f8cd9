#pragma once
// VelkSetup.exe /S: the page work of the window without a window.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "wizard/memory_ui.h"
#include "engine/change_checks.h"
#include "engine/wizard_session.h"
#include "wizard/unattended_console.h"
#include "wizard/unattended_switches.h"

namespace velk {

inline constexpr int kUnattendedDone = 0;       // finished without an error message
inline constexpr int kUnattendedErrors = 1;     // finished with at least one
// bad switches, or no game folder to work on: the one named or remembered is none or may not
// be written to, or none was named or remembered and not exactly one was found
inline constexpr int kUnattendedBadStart = 2;
inline constexpr int kUnattendedBusy = 3;       // another setup still at work after the wait
// 4 to 7: stopped before any change by a check of the choices page (engine/change_checks).
// /ACTION=verify, which changes nothing, ends with done (all as installed), errors (a repair is
// needed) or this: the mod is not installed in the game folder.
inline constexpr int kUnattendedNotInstalled = 8;

// The game folder of an unattended run: /D= (made absolute by the caller), else the remembered
// one, else the single installation found (`warn` names it). None when none or several are
// found; `error` says which.
std::optional<std::string> UnattendedGameFolder(const UnattendedOptions& options, const MessageCatalogue& texts,
                                                const std::function<void(const std::string&)>& error,
                                                const std::function<void(const std::string&)>& warn);

// /ACTION=verify: checks what is installed against the install record and prints one line per
// finding, then the verdict; returns 0, 1 or kUnattendedNotInstalled. Changes nothing: no run
// log, no remembered folder.
int RunUnattendedVerify(const UnattendedOptions& options, ConsoleStreams& console);

// Runs it (WantsUnattended tells when) and returns one of the exit codes above. It takes the
// window's lock, so that two setups never share the command runner's work files. /LOG= gets
// its copy of the run log whenever the game folder passed its check.
int RunUnattended(const std::vector<std::string>& arguments);

// The wizard's pages for the given choices over `ui`, as the window runs them, from start-up
// to the last page. Every message `ui` records counts as an error message. `session.AppDir`
// must be set and be the current folder. `warn` hears of choices that could not apply (a
// level the list does not offer, skins without scripts) and, after "Wrong Far Cry folder!",
// which folder was tried. Returns the exit code.
int RunUnattendedPages(const UnattendedOptions& options, WizardSession& session, MemoryUi& ui,
                       const std::function<void(const std::string&)>& warn, unsigned systemLcid);

}  // namespace velk
