#pragma once
// Short (8.3) names that are safe to write into a batch file.
//
// Under Wine a short name is a hash of the long one (such as "____~LFT" for a Cyrillic name),
// and siblings may share it: the name then opens whichever sibling comes first in the folder.
// Every short form made here is checked to lead back to the very file or folder it stands for.
#include <string>

namespace velk {

// True when both paths open the same existing file or folder (same volume, same file index).
bool SameFileObject(const std::string& a, const std::string& b);

// The platform's short form of an existing path when it leads back to that path; the path
// itself when its short form would open something else; empty when the path does not exist.
std::string GetShortName(const std::string& path);

// The path with each component that the OEM code page cannot hold replaced by its checked
// short name; the other components stay as written. Empty when a component that needs it has
// no short name (it does not exist yet, or short names are off) or the short name is shared.
std::string OemSafeForm(const std::string& path);

}  // namespace velk
