#include "wizard/log_copy_target.h"

#include <algorithm>
#include <array>

#include "levels/game_layout.h"
#include "support/link_check.h"
#include "support/path_rules.h"
#include "support/process_info.h"
#include "support/text_codec.h"
#include "support/text_tools.h"

namespace velk {
namespace {

// A copy inside the game folder is only a log of the caller's own beside ours: one name,
// directly in the folder, ending in ".log", not the run log itself.
bool IsOwnLogInGame(const std::string& path, const std::string& gameDir) {
  if (!LiesWithin(path, gameDir)) return true;  // outside: not the game's concern
  const std::string below = PathBelow(path, gameDir);
  return !below.empty() && below.find('\\') == std::string::npos && EndsWithNoCase(below, ".log") &&
         !EqualsNoCase(below, layout::kRunLog);
}

// The setup's own files and work folder; the program also under whatever name it runs.
bool IsSetupFile(const std::string& path, const std::string& appDir) {
  const std::string below = PathBelow(path, appDir);
  if (below.empty()) return false;
  const size_t slash = below.find('\\');
  if (slash != std::string::npos) return EqualsNoCase(below.substr(0, slash), layout::kWorkFolder);
  const std::array<std::string, 7> own = {"VelkSetup.exe",          LeafName(OwnExePath()),
                                          layout::kArchiver,        layout::kModFilesArchive,
                                          layout::kMapFilesArchive, layout::kKillBatch,
                                          layout::kWorkFolder};
  return std::any_of(own.begin(), own.end(), [&](const std::string& name) { return EqualsNoCase(below, name); });
}

}  // namespace

std::string MessageCatalogue::*CheckLogCopyTarget(const std::string& target, const std::string& gameDir,
                                                  const std::string& appDir) {
  const std::string spelled = NormalisedFullPath(target);
  // Where it really leads: a folder link or a short name must not open a way around the rules.
  const std::string real = spelled.empty() ? std::string() : ResolvedPath(spelled);
  if (real.empty() || LeadsElsewhere(Widen(spelled))) return &MessageCatalogue::MsgLogCopyUnsafe;
  const std::string realGame = ResolvedPath(gameDir);
  // The name as written and where it leads must both pass: a spelling through a link to the
  // game folder, or a short name of a stock file, differs from its real path.
  if (!IsOwnLogInGame(spelled, NormalisedFullPath(gameDir)) ||
      (!realGame.empty() && !IsOwnLogInGame(real, realGame)))
    return &MessageCatalogue::MsgLogCopyInGame;
  const std::string realApp = ResolvedPath(appDir);
  if (IsSetupFile(spelled, NormalisedFullPath(appDir)) || (!realApp.empty() && IsSetupFile(real, realApp)))
    return &MessageCatalogue::MsgLogCopyOfSetup;
  return nullptr;
}

}  // namespace velk
