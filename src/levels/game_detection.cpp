#include "levels/game_detection.h"

#include <algorithm>

#include "levels/game_folder_check.h"
#include "levels/game_layout.h"
#include "levels/steam_files.h"
#include "levels/vdf_text.h"
#include "levels/unix_steam.h"
#include "support/file_helpers.h"
#include "support/path_rules.h"
#include "support/registry_reader.h"
#include "support/text_tools.h"

namespace velk {
namespace {

using layout::kSteamGames;
using layout::kSteamLibraryList;
using layout::kSteamManifest;
constexpr const char* kSteamKey = "Software\\Valve\\Steam";
// Written by 32-bit installers, so read in the 32-bit view (WOW6432Node on 64-bit Windows).
constexpr const char* kGogGamesKey = "SOFTWARE\\GOG.com\\Games";
constexpr const char* kUbisoftInstallsKey = "SOFTWARE\\Ubisoft\\Launcher\\Installs";
constexpr const char* kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kGameName = "Far Cry";

struct Candidate {
  std::string folder;
  const char* source;
};

// Two spellings of one folder ("D:\Games\x\..\Far Cry", "D:\Games\Far Cry\.") count once.
bool SameFolder(const std::string& a, const std::string& b) {
  const std::string na = NormalisedFullPath(a);
  const std::string nb = NormalisedFullPath(b);
  return na.empty() || nb.empty() ? EqualsNoCase(a, b) : EqualsNoCase(na, nb);
}

void AddSteamCandidates(std::vector<Candidate>& out) {
  std::string steam =
      ReadRegistryText(RegistryRoot::CurrentUser, kSteamKey, "SteamPath").value_or("");
  // Steam writes it with forward slashes: c:/program files (x86)/steam
  std::replace(steam.begin(), steam.end(), '/', '\\');
  while (!steam.empty() && steam.back() == '\\') steam.pop_back();
  if (steam.empty()) return;
  // The Steam folder is a library whether or not the list names it.
  std::vector<std::string> libraries = {steam};
  for (const std::string& listed : SteamLibraryPaths(ReadSteamFile(JoinPath(steam, kSteamLibraryList))))
    libraries.push_back(listed);
  for (const std::string& library : libraries) {
    const auto installDir = SteamInstallDir(ReadSteamFile(JoinPath(library, kSteamManifest)));
    if (installDir)
      out.push_back({JoinPath(JoinPath(library, kSteamGames), *installDir), kFoundBySteam});
  }
}

// One value of every sub-key of `key` in the 32-bit view of HKLM.
void AddSubKeyValues(const std::string& key, const char* valueName, const char* source,
                     std::vector<Candidate>& out) {
  constexpr RegistryRoot hklm = RegistryRoot::LocalMachine;
  for (const std::string& id : ListRegistrySubKeys(hklm, key, RegistryView::Bit32)) {
    const auto folder = ReadRegistryText(hklm, key + "\\" + id, valueName, RegistryView::Bit32);
    if (folder) out.push_back({*folder, source});
  }
}

// Entries of the Windows uninstall list whose name mentions the game (Far Cry 3 and the like
// too: CheckPath sorts them out). Both views: the retail game's installer is 32-bit, a
// re-release need not be.
void AddUninstallCandidates(std::vector<Candidate>& out) {
  constexpr RegistryRoot hklm = RegistryRoot::LocalMachine;
  for (const RegistryView view : {RegistryView::Bit32, RegistryView::Bit64}) {
    for (const std::string& id : ListRegistrySubKeys(hklm, kUninstallKey, view)) {
      const std::string entry = std::string(kUninstallKey) + "\\" + id;
      const auto name = ReadRegistryText(hklm, entry, "DisplayName", view);
      if (!name || !ContainsNoCase(*name, kGameName)) continue;
      const auto folder = ReadRegistryText(hklm, entry, "InstallLocation", view);
      if (folder) out.push_back({*folder, kFoundByUninstall});
    }
  }
}

}  // namespace

std::vector<DetectedGame> DetectGameFolders() {
  std::vector<Candidate> candidates;
  AddSteamCandidates(candidates);
  AddSubKeyValues(kGogGamesKey, "path", kFoundByGog, candidates);
  AddSubKeyValues(kUbisoftInstallsKey, "InstallDir", kFoundByUbisoft, candidates);
  AddUninstallCandidates(candidates);

  std::vector<DetectedGame> found;
  for (Candidate& candidate : candidates) {
    if (candidate.folder.empty() || !CheckPath(candidate.folder)) continue;
    const bool seen = std::any_of(found.begin(), found.end(), [&](const DetectedGame& game) {
      return SameFolder(game.folder, candidate.folder);
    });
    if (!seen) found.push_back({candidate.folder, candidate.source});
  }
  if (found.empty()) found = DetectUnixSteamGames();
  return found;
}

}  // namespace velk
