#pragma once
// What other programs hold: a program running from a given file, a file opened without sharing.
#include <string>

namespace velk {

// True when a process runs from the program file `exePath` (compared case-blind by full path).
bool ProgramRunningFrom(const std::string& exePath);
// True when `path` exists but cannot be opened for reading because another program holds it
// without sharing.
bool HeldWithoutSharing(const std::string& path);

}  // namespace velk
