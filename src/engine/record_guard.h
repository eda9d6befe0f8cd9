#pragma once
// The install record is a file in the game folder that anyone may edit or damage. Every path
// it names is checked here, once, before anything acts on it; what fails is ignored.
#include <map>
#include <string>

namespace velk {

enum class RecordedKind {
  LevelFolder,  // Levels\<Level> or Mods\<Mod>\Levels\<Level> of the game folder
  Script,       // <level folder>\<name>.lua: the payload's script (normally <Level>.lua)
  Backup,       // a leaf name: <script>.bak or <script>.velk.bak, beside the script
  Shortcut,     // a leaf name <name>.lnk on the desktop
};

// Checks the record's paths against one game folder. A path is normalised first (".", "..",
// repeated and trailing separators, "\\?\", forward slashes), must then lie where its kind
// belongs, and nothing of it may be reached through a link or junction that leads out of the
// game folder; a script or backup that is a link at all is not the wizard's.
class RecordGuard {
 public:
  explicit RecordGuard(const std::string& gameDir) : gameDir_(gameDir) {}

  // The path in the record's spelling (relative to the game folder, normalised; a backup's
  // leaf name) when it passes; otherwise empty, and `why` says what is wrong. A backup is
  // checked beside `script`, the already checked script it belongs to.
  std::string Check(RecordedKind kind, const std::string& text, std::string& why,
                    const std::string& script = {});

 private:
  std::string CheckLevelFolder(const std::string& text, std::string& why);
  bool ReachedWithinGame(const std::string& relative, bool isFile, std::string& why);

  std::string gameDir_;
  std::map<std::string, bool> checkedFolders_;  // folded relative folder -> within the game
};

}  // namespace velk
