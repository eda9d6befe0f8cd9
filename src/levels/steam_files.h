#pragma once
// What the game's detection reads from Steam's own files.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velk {

// A Steam file's text, or nothing when it is missing or longer than any real one: its parse
// would refuse it anyway, and reading no more keeps a huge one from costing memory.
std::string ReadSteamFile(const std::string& path);

// The library folders that steamapps\libraryfolders.vdf lists, in file order, in both forms
// Steam has written: "1" { "path" "D:\\SteamLibrary" ... } and the older "1" "D:\\SteamLibrary".
// Only numbered entries are libraries (the older form keeps other values beside them).
std::vector<std::string> SteamLibraryPaths(std::string_view libraryFoldersVdf);

// The folder name below steamapps\common that an app manifest (appmanifest_<id>.acf) names
// in its installdir; nullopt when it names none.
std::optional<std::string> SteamInstallDir(std::string_view appManifestAcf);

}  // namespace velk
