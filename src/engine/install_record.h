#pragma once
// The install record: what an install changed outside the mod folder (the level folders that
// got the mod's archive, each level script it replaced or added, and the backup it made), kept
// as <ModFolder>\InstallRecord.txt. Uninstall, repair and switch-over undo exactly what it
// names; the record is rewritten (crash-safely) before each change it describes.
#include <cstdint>
#include <string>
#include <vector>

namespace velk {

struct RecordedScript {
  std::string script;   // relative to the game folder, e.g. Levels\Archive\Archive.lua
  std::string backup;   // leaf name of the stock script's backup; empty: the level had none
  std::string modHash;  // ContentHash of the mod's script put in its place
  bool operator==(const RecordedScript&) const = default;
};

// The stock level.pak a level's archive was built from, by its size and last write time: a
// game patch or a file check that replaces it afterwards shows.
struct RecordedPak {
  std::string level;        // the level folder, relative
  std::string fingerprint;  // PakFingerprint of its level.pak
  bool operator==(const RecordedPak&) const = default;
};

struct InstallRecord {
  bool found = false;               // read from the mod folder (an install of this wizard)
  std::vector<std::string> levels;  // level folders holding the mod's archive, relative
  std::vector<RecordedScript> scripts;
  std::vector<RecordedPak> paks;
  std::string shortcut;  // the desktop shortcut's file name as it was made; empty: none recorded

  bool operator==(const InstallRecord&) const = default;
  bool HasLevel(const std::string& levelFolder) const;
  void AddLevel(const std::string& levelFolder);
  // Drops the level and the scripts recorded in it.
  void RemoveLevel(const std::string& levelFolder);
  const RecordedScript* FindScript(const std::string& script) const;
  void SetScript(const RecordedScript& entry);
  const RecordedPak* FindPak(const std::string& levelFolder) const;
  void SetPak(const RecordedPak& entry);
};

// What reading the record gave: the entries whose paths passed the record's guard
// (engine/record_guard.h), and one run log line for each line that was ignored.
struct RecordReading {
  InstallRecord record;
  std::vector<std::string> ignored;
};

// A record larger than this is not read at all: no install writes one near it.
inline constexpr std::uint64_t kInstallRecordLimit = 1024 * 1024;

// Reads <modFolder>\InstallRecord.txt of the game in `gameDir`, in one pass: an empty record
// (found false) when there is none, it is too large or its header is not ours. A damaged
// record counts for what it still says.
RecordReading ReadInstallRecord(const std::string& modFolder, const std::string& gameDir);
// Writes it crash-safely, creating the mod folder when missing; false when it could not be
// written.
bool WriteInstallRecord(const std::string& modFolder, const InstallRecord& record);

// A path below the game folder as the record keeps it (paths outside the game folder stay as
// they are, and the guard refuses them when the record is read), and a checked one back.
std::string RelativeToGame(const std::string& gameDir, const std::string& path);
std::string InGame(const std::string& gameDir, const std::string& relative);

}  // namespace velk
