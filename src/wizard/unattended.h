#pragma once
// VelkSetup.exe /S: the page work of the window without a window.
#include <string>
#include <vector>

namespace velk {

// True when the arguments ask for the unattended mode (/S or /?, any case).
bool WantsUnattended(const std::vector<std::string>& arguments);
// Runs it and returns the process exit code: 0 finished without error message, 1 finished
// with at least one, 2 bad switches or wrong game folder.
int RunUnattended(const std::vector<std::string>& arguments);

}  // namespace velk
