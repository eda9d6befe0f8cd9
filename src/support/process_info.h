#pragma once
// Facts about the running program and its platform.
#include <string>

namespace velk {

// The full path of the program's own file.
std::string OwnExePath();
// The folder of the program's own file: no trailing backslash, except at a drive root ("C:\").
std::string ExeFolder();
// Makes `folder` the current folder; false on failure.
bool SetCurrentFolder(const std::string& folder);
std::string CurrentFolder();
// A path as the current folder resolves it: a relative one (also "\x" and "C:x") becomes a full
// path; a full one ("X:\..." or "\\server\...") comes back as it is, and so does one that
// cannot be resolved.
std::string FullPathFromCurrentFolder(const std::string& path);
// The temporary folder as the platform reports it, ending in a backslash.
std::string TempFolder();
// A new, empty folder of this process's own below the temporary folder, named after `prefix`;
// empty when none could be made.
std::string NewPrivateTempFolder(const std::string& prefix);
// GetSystemDefaultLCID as a number.
unsigned SystemDefaultLcid();
bool DebuggerAttached();
// The platform's description of the last error (GetLastError) or of the given code.
std::string LastErrorText();
std::string ErrorText(unsigned long code);

}  // namespace velk
