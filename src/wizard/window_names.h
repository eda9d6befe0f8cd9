#pragma once
// The wizard window's class names, caption and switches; shared by the window, the unattended
// mode and the GUI tests, which find the window from outside the process. Its controls are in
// wizard/control_table.h.

#include <string>

#include "support/content_hash.h"
#include "support/path_rules.h"
#include "support/process_info.h"
#include "support/text_tools.h"

namespace velk {

inline constexpr const wchar_t* kWindowClassName = L"VelkSetupWizard";
inline constexpr const wchar_t* kPanelClassName = L"VelkSetupPanel";
// The window caption is this followed by the session's ModTag.
inline constexpr const char* kWindowCaptionPrefix = "Far Cry Velk Creator ";
// The banner Label1 is this followed by the session's ModTag.
inline constexpr const char* kBannerPrefix = "Far Cry VELK Mod Creator ";
// Title of the program's message boxes.
inline constexpr const char* kAppTitle = "VelkSetup";
// Named mutex: one setup at a time, window or unattended.
inline constexpr const char* kSingleInstanceName = "VelkSetup.SingleInstance";
// The mutex's full name: one setup at a time per temporary folder, the place of the command
// runner's fixed-name work files that the lock protects (one per user account).
inline std::string SetupLockName() { return std::string(kSingleInstanceName) + "." + ContentHash(TempFolder()); }
// A run also holds what it changes: the game folder and the setup's own folder (its Temp),
// each by its full path in one spelling, letter case aside. Two setups on different games
// from different folders run side by side.
inline std::string FolderLockName(const char* kind, const std::string& folder) {
  return std::string(kSingleInstanceName) + "." + kind + "." + ContentHash(FoldedCase(NormalisedFullPath(folder)));
}
inline std::string GameLockName(const std::string& gameDir) { return FolderLockName("Game", gameDir); }
inline std::string SetupFolderLockName(const std::string& appDir) { return FolderLockName("SetupFolder", appDir); }
// Switch that makes the program behave as in its development host: it stays on page 0 and
// the exit button deletes nothing.
inline constexpr const char* kDevSwitch = "/dev";
// Given to the wizard restarted with administrator rights: it waits for the first one to close.
inline constexpr const char* kElevatedSwitch = "/elevated";

}  // namespace velk
