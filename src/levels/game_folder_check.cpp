#include "levels/game_folder_check.h"

#include "levels/game_layout.h"
#include "support/file_helpers.h"
#include "support/run_log.h"
#include "support/text_tools.h"

namespace velk {
namespace {

// Windows drops trailing dots and blanks from a path's last name, but the archiver and the
// batch file would not: "D:\Far Cry. " becomes "D:\Far Cry". A last name of dots only
// ("." or "..") is a step through the tree and stays.
std::string WithoutTrailingDotsAndBlanks(std::string text) {
  const size_t nameStart = text.find_last_of("\\:") + 1;  // 0 without a separator
  if (text.find_first_not_of('.', nameStart) == std::string::npos) return text;
  while (text.size() > nameStart && (text.back() == '.' || text.back() == ' ')) text.pop_back();
  while (!text.empty() && text.back() == '\\') text.pop_back();
  return text;
}

}  // namespace

std::string TidyGamePath(std::string text) {
  text = ReplaceAll(text, "/", "\\");
  while (!text.empty() && text.back() == '\\') text.pop_back();
  return WithoutTrailingDotsAndBlanks(text);
}

std::string NormaliseGamePath(std::string text) {
  text = TidyGamePath(text);
  // A sub-folder of the game picked instead of the game folder leads back to it. The cuts
  // are deliberately plain text: they also hit inside longer names (D:\Levels2 -> D:2).
  text = ReplaceAll(text, layout::kMods, "");
  text = ReplaceAll(text, layout::kLevels, "");
  return ReplaceAll(text, layout::kBin32, "");
}

std::vector<std::string> GamePathCandidates(const std::string& text, bool withFoldersAbove) {
  const std::string tidy = TidyGamePath(text);
  std::vector<std::string> candidates = {tidy};
  // The folder above a whole "\Mods", "\Levels" or "\Bin32" name, the deepest first: the
  // game that holds the picked sub-folder, also when a folder above it bears such a name.
  for (size_t end = withFoldersAbove ? tidy.size() : 0; end > 0;) {
    const size_t slash = tidy.rfind('\\', end - 1);
    if (slash == std::string::npos) break;
    const std::string name = tidy.substr(slash, end - slash);
    if (name == layout::kMods || name == layout::kLevels || name == layout::kBin32)
      candidates.push_back(tidy.substr(0, slash));
    end = slash;
  }
  candidates.push_back(NormaliseGamePath(text));
  return candidates;
}

bool CheckPath(std::string& pathText) {
  // A folder that is a game folder as typed is taken as it is (D:\Mods\Far Cry is a game
  // folder, not D:\Far Cry); the tidied forms count only when it is not.
  // Only a sub-folder that is there was picked; a mistyped one leads nowhere.
  const bool picked = FolderExists(TidyGamePath(pathText));
  for (const std::string& candidate : GamePathCandidates(pathText, picked)) {
    if (FileExists(candidate + layout::kGameExeCheck)) {
      pathText = candidate;
      return true;
    }
  }
  pathText = NormaliseGamePath(pathText);
  return false;
}

std::string RunLogFile(const std::string& gameDir) { return gameDir + "\\" + layout::kRunLog; }

bool RestartRunLog(const std::string& gameDir, const std::string& modTag) {
  const std::string logFile = RunLogFile(gameDir);
  // A log that is a link loses the link only, never what it leads to; one that stays is not
  // written (Log refuses it), and the run goes on without a log.
  if (FileExists(logFile)) DeleteFileAt(logFile);
  bool written = Log(logFile, "VELK Mod " + modTag + " logfile");
  written = Log(logFile, "Date: " + ShortDate()) && written;
  written = Log(logFile, "Far Cry Informations:") && written;
  return Log(logFile, "Far Cry Dir: '" + gameDir + "'") && written;
}

}  // namespace velk
