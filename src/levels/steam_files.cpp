#include "levels/steam_files.h"

#include <algorithm>

#include "levels/vdf_text.h"
#include "support/file_helpers.h"

namespace velk {
namespace {

bool IsNumber(const std::string& text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string ReadSteamFile(const std::string& path) {
  std::string bytes;
  return ReadFileBytesUpTo(path, kVdfMaxBytes, bytes) ? bytes : std::string();
}

std::vector<std::string> SteamLibraryPaths(std::string_view libraryFoldersVdf) {
  std::vector<std::string> paths;
  const std::optional<std::vector<VdfEntry>> top = ParseVdf(libraryFoldersVdf);
  const VdfEntry* folders = top ? FindVdfEntry(*top, "libraryfolders") : nullptr;
  if (!folders || !folders->isBlock) return paths;
  for (const VdfEntry& library : folders->children) {
    if (!IsNumber(library.key)) continue;
    const VdfEntry* path = library.isBlock ? FindVdfEntry(library.children, "path") : &library;
    if (path && !path->isBlock && !path->value.empty()) paths.push_back(path->value);
  }
  return paths;
}

std::optional<std::string> SteamInstallDir(std::string_view appManifestAcf) {
  const std::optional<std::vector<VdfEntry>> top = ParseVdf(appManifestAcf);
  const VdfEntry* app = top ? FindVdfEntry(*top, "AppState") : nullptr;
  const VdfEntry* dir = app && app->isBlock ? FindVdfEntry(app->children, "installdir") : nullptr;
  if (!dir || dir->isBlock || dir->value.empty()) return std::nullopt;
  return dir->value;
}

}  // namespace velk
