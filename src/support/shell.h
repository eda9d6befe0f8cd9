#pragma once
// Thin operations over the Windows shell. Window handles are passed as void* so that callers
// outside the window code need no windows.h.
#include <string>

namespace velk {

inline constexpr int kDesktopFolderId = 0;  // CSIDL_DESKTOP
inline constexpr int kShowCmdShow = 5;      // SW_SHOW

// The shell's folder browser; the chosen folder, or empty text when cancelled.
std::string BrowseForFolder(const std::string& title);
// The path of a shell special folder; false (and `path` unchanged) when the lookup fails.
bool GetSpecialFolder(void* ownerWindow, int folderId, std::string& path);
// Writes a shell link, replacing one of the same name; false when it could not be written.
bool CreateShortcut(const std::string& linkFile, const std::string& target,
                    const std::string& workDir, const std::string& arguments,
                    const std::string& iconFile, int iconIndex, int showCmd);
// Opens a web address with the shell's "Open" verb.
void OpenWebAddress(void* ownerWindow, const std::string& address, const std::string& appDir);

}  // namespace velk
