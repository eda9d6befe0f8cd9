#include "levels/unix_steam.h"

#include <algorithm>

#include "levels/game_folder_check.h"
#include "levels/game_layout.h"
#include "levels/steam_files.h"
#include "support/file_helpers.h"
#include "support/short_path.h"
#include "support/wine_host.h"

namespace velk {
namespace {

constexpr const char* kProtonSteam = "STEAM_COMPAT_CLIENT_INSTALL_PATH";
constexpr const char* kXdgDataHome = "XDG_DATA_HOME";
// Below the home folder.
constexpr const char* kHomeSteamFolders[] = {
    ".local\\share\\Steam", ".steam\\steam",
    ".var\\app\\com.valvesoftware.Steam\\.local\\share\\Steam"};

// Each library once, the Steam folder itself first: it is a library whether or not its list
// names it.
std::vector<std::string> LibrariesOf(const std::string& steam) {
  std::vector<std::string> libraries = {steam};
  for (const std::string& listed : SteamLibraryPaths(ReadSteamFile(JoinPath(steam, layout::kSteamLibraryList)))) {
    const std::string library = WindowsPathOfUnix(listed);
    if (!library.empty()) libraries.push_back(library);
  }
  return libraries;
}

}  // namespace

std::vector<std::string> UnixSteamFolders() {
  std::vector<std::string> folders;
  if (!RunningUnderWine()) return folders;
  auto add = [&folders](const std::string& folder) {
    if (!folder.empty()) folders.push_back(folder);
  };
  add(WindowsPathOfUnix(EnvironmentValue(kProtonSteam).value_or("")));
  if (const auto dataHome = EnvironmentValue(kXdgDataHome)) {
    const std::string windowsDataHome = WindowsPathOfUnix(*dataHome);
    if (!windowsDataHome.empty()) add(JoinPath(windowsDataHome, "Steam"));
  }
  const std::string home = UnixHomeFolder();
  if (!home.empty())
    for (const char* below : kHomeSteamFolders) add(JoinPath(home, below));
  return folders;
}

std::vector<DetectedGame> DetectUnixSteamGames() {
  std::vector<DetectedGame> found;
  for (const std::string& steam : UnixSteamFolders()) {
    for (const std::string& library : LibrariesOf(steam)) {
      const auto installDir = SteamInstallDir(ReadSteamFile(JoinPath(library, layout::kSteamManifest)));
      if (!installDir) continue;
      std::string folder = JoinPath(JoinPath(library, layout::kSteamGames), *installDir);
      if (!CheckPath(folder)) continue;
      const bool seen = std::any_of(found.begin(), found.end(), [&](const DetectedGame& game) {
        return SameFileObject(game.folder, folder);
      });
      if (!seen) found.push_back({folder, kFoundBySteam});
    }
  }
  return found;
}

}  // namespace velk
