#include "engine/level_archive.h"

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

#include "engine/engine_io.h"
#include "engine/archive_commands.h"
#include "engine/install_record.h"
#include "engine/level_scripts.h"
#include "support/file_helpers.h"
#include "support/folder_scan.h"
#include "support/safe_write.h"
#include "support/text_tools.h"
#include "support/zip_directory.h"

namespace velk {
namespace {

constexpr const char* kStatusPrefix = "Status: ";
constexpr const char* kQuote = "\"";

void RemoveOldArchives(WizardSession& s, RunEvents& events) {
  const std::string level = s.CurrentLevel + "\\";
  DeleteLogged(events, s.LevelDir + "\\" + s.LevelPakName, level + s.LevelPakName);
  DeleteLogged(events, s.LevelDir + "\\" + layout::kSecondLevelPak, level + layout::kSecondLevelPak);
  // The switched-off archive of an earlier install is stale beside the new one: a level holds
  // one state, so that a later switch-over switches it.
  const std::string disabled = s.LevelPakName + layout::kDisabledSuffix;
  DeleteLogged(events, s.LevelDir + "\\" + disabled, level + disabled);
  const std::string leftover = s.LevelWorkDir + "\\" + s.LevelPakName;
  DeleteLogged(events, leftover, leftover);
}

// Takes the level's .bai files out of level.pak. Empty when the two the mod renames came out;
// otherwise what is wrong with the level's archive, for the log.
std::string ExtractBaiFiles(WizardSession& s, RunEvents& events) {
  // Files of an earlier conversion (a repair, or a run that was ended by force) would block
  // the renames below, go into the new archive beside the fresh ones, or pass for this run's.
  const std::string hideBai = layout::HideBaiOf(s.CurrentLevel);
  const std::string netBai = layout::NetBaiOf(s.CurrentLevel);
  for (const std::string& stale : {std::string(layout::kHideBai), std::string(layout::kNetBai), hideBai, netBai})
    DeleteFileAt(s.LevelWorkDir + "\\" + stale);
  const std::string stockPak = s.LevelDir + "\\" + layout::kStockLevelPak;
  const std::string ofLevel = std::string(layout::kStockLevelPak) + " of " + s.CurrentLevel;
  if (!FileExists(stockPak)) {
    ShowCatalogueError(events, s.Texts.MsgFileNotFound, layout::kStockLevelPak);
    return ofLevel + " is missing";
  }
  events.ShowStatus(StatusLine::Step, kStatusPrefix + FormatText(s.Texts.MsgExtractingFile, layout::kStockLevelPak));
  events.LogLine(std::string("Extracting ") + kQuote + stockPak + kQuote);
  if (!RunArchiver(s, events, BaiExtractCommand(s.LevelDir, s.LevelWorkDir), ".")) {
    ShowCatalogueError(events, s.Texts.MsgErrorOccurred, "");
    LogArchiverFailure(s, events, "Error extracting level.pak");
    return ofLevel + " cannot be read";
  }
  for (const std::string& needed : {hideBai, netBai})
    if (!FileExists(s.LevelWorkDir + "\\" + needed)) return ofLevel + " holds no " + needed;
  return {};
}

// The mission file is patched as bytes, so that its encoding and line ends survive.
void PatchMissionFile(const WizardSession& s, RunEvents& events) {
  const std::string mission = s.LevelWorkDir + "\\" + layout::kMissionFile;
  if (!FileExists(mission)) return;
  std::string bytes;
  const bool patched = ReadFileBytes(mission, bytes) && WriteFileSafely(mission, PatchMissionBytes(bytes));
  events.LogLine(std::string(patched ? "Patched " : "Could not patch ") + layout::kMissionFile);
  if (!patched) ShowCatalogueError(events, s.Texts.MsgWriteFailed, mission);
}

// The files the pack had to put into the new archive that it does not list: its top folder's
// files but the scripts and the archive itself. Empty when all are there.
std::string FirstFileNotPacked(const WizardSession& s, const std::string& archive,
                               const std::vector<std::string>& leftOut) {
  const std::optional<std::vector<ZipEntry>> listed = ReadZipDirectory(archive);
  if (!listed) return archive;
  std::vector<FileEntry> files;
  FindFiles(s.LevelWorkDir, false, "*", files, {});
  for (const FileEntry& file : files) {
    const bool notToPack = EndsWithNoCase(file.Name, layout::kScriptExtension) || EqualsNoCase(file.Name, s.LevelPakName) ||
                           std::any_of(leftOut.begin(), leftOut.end(), [&](const std::string& name) { return EqualsNoCase(name, file.Name); });
    if (notToPack) continue;
    const bool packed = std::any_of(listed->begin(), listed->end(),
                                    [&](const ZipEntry& entry) { return EqualsNoCase(entry.name, file.Name); });
    if (!packed) return file.FullName;
  }
  return {};
}

// Files in the level's work folder that neither the map payload holds nor this conversion
// made (the .bai files from level.pak, the archive itself): what an older payload or someone
// else left there. They are left out of the level's archive, and left where they are.
std::vector<std::string> FilesNotOfThePayload(const WizardSession& s, RunEvents& events) {
  const auto listed = s.PayloadFiles.find(layout::kMapFilesArchive);
  if (listed == s.PayloadFiles.end()) return {};
  std::set<std::string> payload;
  const std::string inPayload = std::string(layout::kWorkFolder) + "\\" + s.CurrentLevel + "\\";
  for (const std::string& entry : listed->second)
    if (StartsWithNoCase(entry, inPayload)) payload.insert(FoldedCase(entry.substr(inPayload.size())));
  std::vector<FileEntry> files;
  FindFiles(s.LevelWorkDir, true, "*.*", files, [&events] { events.ProcessPendingEvents(); });
  std::vector<std::string> foreign;
  for (const FileEntry& file : files) {
    const std::string relative = file.FullName.substr(s.LevelWorkDir.size() + 1);
    const bool topLevel = relative.find('\\') == std::string::npos;
    const bool made = topLevel && (EndsWithNoCase(relative, layout::kBaiExtension) || EqualsNoCase(relative, s.LevelPakName));
    if (made || payload.count(FoldedCase(relative))) continue;
    events.LogLine("Not packed, not of the map payload: " + file.FullName);
    foreign.push_back(relative);
  }
  return foreign;
}

bool BuildArchive(WizardSession& s, RunEvents& events) {
  const std::vector<std::string> leftOut = FilesNotOfThePayload(s, events);
  const std::string command = LevelPakCommand(s.AppDir, s.LevelPakName, leftOut);
  events.ShowStatus(StatusLine::Step, kStatusPrefix + FormatText(s.Texts.MsgCreating, s.LevelPakName));
  const std::string workFolder = JoinPath(s.AppDir, std::string(layout::kWorkFolderLowerCase) + "\\" + s.CurrentLevel + "\\");
  const std::string archive = s.LevelWorkDir + "\\" + s.LevelPakName;
  // A pack started again after its reply was lost would put the first run's archive into the
  // second: that archive goes first.
  const bool reportedOk = RunArchiver(s, events, command, workFolder, archive);
  // An archiver that says it succeeded must also have packed what the folder holds.
  const std::string notPacked = reportedOk ? FirstFileNotPacked(s, archive, leftOut) : std::string();
  if (!notPacked.empty()) events.LogLine("Not packed: " + notPacked);
  if (!reportedOk || !notPacked.empty()) {
    ShowCatalogueError(events, s.Texts.MsgErrorOccurred, "");
    LogArchiverFailure(s, events, "Error creating " + s.LevelPakName);
    return false;
  }
  return true;
}

}  // namespace

std::string PatchMissionBytes(const std::string& bytes) {
  static const std::string kFrom = "RespawnTime=\"0\"";
  static const std::string kTo = "RespawnTime=\"10\"";
  std::string out;
  out.reserve(bytes.size() + 16);
  size_t at = 0;
  for (size_t hit; (hit = bytes.find(kFrom, at)) != std::string::npos; at = hit + kFrom.size())
    out.append(bytes, at, hit - at).append(kTo);
  out.append(bytes, at, std::string::npos);
  return out + "\r\n";
}

bool LevelPak(WizardSession& s, RunEvents& events) {
  RemoveOldArchives(s, events);
  const std::string broken = ExtractBaiFiles(s, events);
  if (!broken.empty()) {
    // Without its two .bai files the mod's archive would break the level: it is not built.
    events.LogLine(broken + ": " + s.CurrentLevel + " not converted");
    ShowCatalogueError(events, s.Texts.MsgLevelPakBroken, s.CurrentLevel);
    return false;
  }
  // 7-Zip would update an existing archive and pack the old copy into the new one.
  DeleteFileAt(s.LevelWorkDir + "\\" + s.LevelPakName);
  RenameFile(s.LevelWorkDir + "\\" + layout::HideBaiOf(s.CurrentLevel), layout::kHideBai);
  RenameFile(s.LevelWorkDir + "\\" + layout::NetBaiOf(s.CurrentLevel), layout::kNetBai);
  PatchMissionFile(s, events);
  const bool packed = BuildArchive(s, events);
  events.LogLine(std::string("Copying ") + kQuote + s.LevelPakName + kQuote + " to folder " + kQuote +
                  s.LevelDir + "\\" + kQuote);
  // Only an archive 7-Zip finished goes into the game, and it goes in whole: the game never
  // finds half an archive, whenever the wizard is ended.
  if (!packed) return false;
  const std::string target = s.LevelDir + "\\" + s.LevelPakName;
  if (CopyFileSafely(s.LevelWorkDir + "\\" + s.LevelPakName, target)) {
    // What the archive was built from, so that a check can tell when the game replaced it.
    s.Record.SetPak({RelativeToGame(s.Request.gameDir, s.LevelDir), FileFingerprint(s.LevelDir + "\\" + layout::kStockLevelPak)});
    SaveInstallRecord(s, events);
    return true;
  }
  // A full disk or a file held open: the level keeps what it had.
  events.LogLine("Could not write " + target);
  ShowCatalogueError(events, s.Texts.MsgWriteFailed, target);
  return false;
}

}  // namespace velk
