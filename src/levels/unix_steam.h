#pragma once
// Far Cry in the Linux Steam libraries of the Unix user, for a setup run under Wine or Proton:
// inside a Wine prefix Windows' Steam is missing or a stub, while the game lies in the Steam
// of the Unix side, whose files name their libraries with Unix paths.
#include <string>
#include <vector>

#include "levels/game_detection.h"

namespace velk {

// The Steam folders of the Unix user as Windows paths, in the order they are searched:
// Proton's STEAM_COMPAT_CLIENT_INSTALL_PATH, $XDG_DATA_HOME/Steam, ~/.local/share/Steam,
// ~/.steam/steam, Flatpak's ~/.var/app/com.valvesoftware.Steam/.local/share/Steam. Empty when
// the program does not run under Wine.
std::vector<std::string> UnixSteamFolders();

// Every game folder those Steam folders and the libraries their libraryfolders.vdf lists hold
// that CheckPath accepts, as a kFoundBySteam game; a folder reached again through another
// path (~/.steam/steam is a link to the Steam folder) counts once.
std::vector<DetectedGame> DetectUnixSteamGames();

}  // namespace velk
