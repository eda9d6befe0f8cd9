#include "levels/game_folder_check.h"

#include "levels/game_layout.h"
#include "support/file_helpers.h"
#include "support/run_log.h"

namespace velk {
namespace {

// One left-to-right pass; the result is not scanned again, so "\Mo\Modsds" keeps a "\Mods".
std::string ReplaceEvery(const std::string& text, const std::string& from, const std::string& to) {
  std::string out;
  size_t pos = 0;
  for (size_t hit; (hit = text.find(from, pos)) != std::string::npos; pos = hit + from.size())
    out.append(text, pos, hit - pos).append(to);
  out.append(text, pos, std::string::npos);
  return out;
}

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

std::string NormaliseGamePath(std::string text) {
  text = ReplaceEvery(text, "/", "\\");
  while (!text.empty() && text.back() == '\\') text.pop_back();
  text = WithoutTrailingDotsAndBlanks(text);
  // A sub-folder of the game picked instead of the game folder leads back to it. The cuts
  // are deliberately plain text: they also hit inside longer names (D:\Levels2 -> D:2).
  text = ReplaceEvery(text, layout::kMods, "");
  text = ReplaceEvery(text, layout::kLevels, "");
  return ReplaceEvery(text, layout::kBin32, "");
}

bool CheckPath(std::string& pathText) {
  pathText = NormaliseGamePath(pathText);
  return FileExists(pathText + layout::kGameExeCheck);
}

bool RestartRunLog(const std::string& gameDir, const std::string& modTag) {
  const std::string logFile = gameDir + "\\" + layout::kRunLog;
  if (FileExists(logFile)) DeleteFileAt(logFile);
  bool written = Log(gameDir, "VELK Mod " + modTag + " logfile");
  written = Log(gameDir, "Date: " + ShortDate()) && written;
  written = Log(gameDir, "Far Cry Informations:") && written;
  return Log(gameDir, "Far Cry Dir: '" + gameDir + "'") && written;
}

}  // namespace velk
