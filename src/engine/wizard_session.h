#pragma once
// The values the wizard window owns for the length of one run. Every procedure of the engine
// takes the session (or the part it needs); there is no other shared state.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/choices.h"
#include "engine/install_record.h"
#include "engine/message_catalogue.h"
#include "levels/game_layout.h"
#include "levels/level_discovery.h"

namespace velk {

// Takes hold of the game folder (and the setup's own folder) for the rest of the run, so that
// no other setup changes them meanwhile; false, after telling the user, when another holds it.
using GameClaim = std::function<bool(const std::string& gameDir)>;

// The free bytes on the drive of a folder; none when unknown.
using FreeSpaceQuery = std::function<std::optional<std::uint64_t>(const std::string& folder)>;

// What the run works from, taken from the window once, when the page that holds it is left,
// and fixed from then on: a control changed while the work runs changes nothing.
// A row of the level list as the user left it.
struct LevelChoice {
  std::string name;
  bool chosen = false;
};

struct RunRequest {
  std::string gameDir;  // tidied and checked by CheckPath, taken when the game folder page is left
  Choices choices;      // taken when the choices page is left
  std::vector<LevelChoice> levels;  // the level list in its order, taken when it is left
};

struct WizardSession {
  int PageIndex = 0;
  int LastPage = 4;
  std::string ModTag = layout::kModTag;
  std::string LevelPakName = layout::kLevelPakName;
  std::string AppDir;   // the program's folder, no trailing backslash except at a drive root
  std::string ModsDir;  // Request.gameDir + "\Mods\", set when page 0 is left

  std::vector<LevelEntry> InstalledLevels;
  std::vector<LevelEntry> AvailableLevels;
  std::vector<LevelEntry> ChosenLevels;
  // The names the level list offers (installed and in the map payload), in its order.
  std::vector<std::string> OfferedLevels;
  // What the install changed outside the mod folder, read when page 0 is left.
  InstallRecord Record;

  std::string CurrentLevel;
  std::string LevelDir;
  std::string LevelWorkDir;
  std::string CommandLine;
  std::string CommandOutput;
  std::string UpdatedLevels;

  RunRequest Request;

  MessageCatalogue Texts;
  std::string Language = "en";  // the /LANG= name of the language of Texts

  // Set by the uninstall branch, so that page 3 removes the shortcut instead of writing one.
  bool Uninstalled = false;
  // What the choices page found (page 1), so that the captions of Option1 and Option3 keep
  // saying "repair" and "enable" when the language is changed afterwards.
  bool ModFolderFound = false;
  // An earlier version's folder was there: the choices page ticks its removal.
  bool OldVersionFound = false;
  bool ModSwitchedOff = false;

  // Set when a check before the first change failed and the user chose to close the wizard:
  // the unattended mode's exit code for it (engine/change_checks); 0 otherwise.
  int StoppedExitCode = 0;
  // The drives' free space; the platform's when empty (tests put in their own figures).
  FreeSpaceQuery FreeSpace;
  // How long one archiver run may take before it is ended; 0 for the runner's own limit.
  unsigned ArchiverTimeLimitMs = 0;
  // The files each payload archive holds, as its test before the first change listed them
  // (paths below the folder it is unpacked into): what its unpacking must have made.
  std::map<std::string, std::vector<std::string>> PayloadFiles;
  // The bytes each payload archive's files take once unpacked, as its test found them.
  std::map<std::string, std::uint64_t> PayloadBytes;
  // Asked when page 0 is left, before anything is written; none: no other setup to fear.
  GameClaim ClaimGame;
};

// "VELK_" + ModTag under ModsDir-style paths.
inline std::string ModFolderName(const WizardSession& s) { return layout::kModFolderPrefix + s.ModTag; }

}  // namespace velk
