#pragma once
// Finds installed copies of Far Cry for a first start, when no game folder is remembered:
// Steam's libraries, then GOG's and Ubisoft's registry entries, then the uninstall entries;
// under Wine, when these find none, the Linux Steam libraries of the Unix user (unix_steam.h).
#include <string>
#include <vector>

namespace velk {

inline constexpr const char* kFoundBySteam = "Steam";
inline constexpr const char* kFoundByGog = "GOG";
inline constexpr const char* kFoundByUbisoft = "Ubisoft";
inline constexpr const char* kFoundByUninstall = "Uninstall";

struct DetectedGame {
  std::string folder;  // as CheckPath leaves it
  std::string source;  // one of the kFoundBy names
};

// Every candidate that CheckPath accepts, in the order above; a folder met again (in another
// spelling of its full path or letter case) counts once, where it was met first. A Steam file
// that is unreadable or beyond what a real one holds is passed over. Empty when none is found.
std::vector<DetectedGame> DetectGameFolders();

}  // namespace velk
