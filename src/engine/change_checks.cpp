#include "engine/change_checks.h"

#include <algorithm>
#include <map>
#include <vector>

#include "engine/archive_start.h"
#include "engine/engine_io.h"
#include "engine/payload_check.h"
#include "levels/game_layout.h"
#include "support/disk_space.h"
#include "support/file_helpers.h"
#include "support/running_programs.h"
#include "support/text_tools.h"
#include "support/write_access.h"
#include "support/zip_directory.h"

namespace velk {
namespace {

constexpr std::uint64_t kMegabyte = 1024 * 1024;

std::string Megabytes(std::uint64_t bytes) { return std::to_string((bytes + kMegabyte - 1) / kMegabyte); }

StopReason Stopped(StopCause cause, const std::string& message, const std::string& logLine) {
  return {cause, message, logLine + ": nothing changed"};
}

// The running game: its program started from this folder, or a stock level archive the
// conversion reads held without sharing.
StopReason CheckGameNotRunning(const WizardSession& session, WizardUi& ui, bool readsLevels) {
  std::vector<std::string> held;
  const std::string exe = GameDirOf(ui) + layout::kGameExe;
  if (ProgramRunningFrom(exe)) held.push_back(exe);
  for (size_t i = 0; readsLevels && held.empty() && i < session.InstalledLevels.size(); ++i) {
    const std::string pak = JoinPath(session.InstalledLevels[i].Path, layout::kStockLevelPak);
    if (HeldWithoutSharing(pak)) held.push_back(pak);
  }
  if (held.empty()) return {};
  return Stopped(StopCause::GameRunning, FormatText(session.Texts.MsgGameRunning, held.front()),
                 "Far Cry is running, " + held.front() + " is in use");
}

struct PayloadNeed {
  const char* archive;
  std::string topFolder;
  std::vector<std::string> targets;  // the folders its files end up in, the work folder too
};

using DriveBytes = std::map<std::string, std::uint64_t>;

// The drives with too little room, each with its figures ("C: 120 MB needed, 50 MB free").
std::string DriveList(const DriveBytes& needed, const DriveBytes& free, const std::string& neededText,
                      const std::string& freeText, const std::string& separator) {
  std::string list;
  for (const auto& [root, bytes] : needed) {
    if (free.at(root) >= bytes) continue;
    if (!list.empty()) list += separator;
    const std::string shown = root.size() > 1 && root.back() == '\\' ? root.substr(0, root.size() - 1) : root;
    list += shown + (shown.back() == ':' ? " " : ": ") + FormatText(neededText, Megabytes(bytes)) + ", " +
            FormatText(freeText, Megabytes(free.at(root)));
  }
  return list;
}

// What the level conversion writes into the game besides the maps' files: per level the map
// payload offers, the stock .bai files its archive takes from level.pak and the backup of its
// script; and the install record (a few hundred bytes a level).
std::uint64_t LevelConversionBytes(const WizardSession& session, const std::vector<std::string>& mapFiles) {
  constexpr std::uint64_t kRecordBytesPerLevel = 512;
  std::uint64_t bytes = 0;
  for (const LevelEntry& level : session.InstalledLevels) {
    const std::string inPayload = std::string(layout::kWorkFolder) + "\\" + level.Name + "\\";
    const bool offered = std::any_of(mapFiles.begin(), mapFiles.end(),
                                     [&](const std::string& file) { return StartsWithNoCase(file, inPayload); });
    if (!offered) continue;
    if (const auto entries = ReadZipDirectory(JoinPath(level.Path, layout::kStockLevelPak))) {
      for (const ZipEntry& entry : *entries)
        if (EndsWithNoCase(entry.name, layout::kBaiExtension)) bytes += entry.size;
    }
    bytes += FileSizeOf(JoinPath(level.Path, level.Name + layout::kScriptExtension)) + kRecordBytesPerLevel;
  }
  return bytes;
}

StopReason CheckPayloadAndSpace(WizardSession& session, WizardUi& ui, const Choices& choices) {
  const std::string gameDir = GameDirOf(ui);
  std::vector<PayloadNeed> needs;
  // The mod files go into Mods; the maps into the work folder beside the setup, and from there,
  // packed per level, into the level folders.
  if (choices.scripts) needs.push_back({layout::kModFilesArchive, ModFolderName(session), {gameDir}});
  if (choices.maps) needs.push_back({layout::kMapFilesArchive, layout::kWorkFolder, {session.AppDir, gameDir}});
  if (needs.empty()) return {};
  if (!FileExists(JoinPath(session.AppDir, layout::kArchiver))) {
    return Stopped(StopCause::Payload, SetupFileMessage(session, layout::kArchiver, session.Texts.MsgPayloadBroken),
                   std::string("Setup file ") + layout::kArchiver + " is missing");
  }
  DriveBytes needed;
  for (const PayloadNeed& need : needs) {
    const PayloadCheck check = CheckPayload(session, ui, need.archive, need.topFolder);
    if (!check.ok) {
      return Stopped(StopCause::Payload, SetupFileMessage(session, need.archive, session.Texts.MsgPayloadBroken),
                     std::string("Setup file ") + need.archive + " " + check.problem);
    }
    for (const std::string& target : need.targets) needed[VolumeRootOf(target)] += check.unpackedBytes;
    session.PayloadFiles[need.archive] = check.files;
  }
  if (choices.maps) needed[VolumeRootOf(gameDir)] += LevelConversionBytes(session, session.PayloadFiles[layout::kMapFilesArchive]);
  DriveBytes free;
  bool enough = true;
  for (const auto& [root, bytes] : needed) {
    const std::optional<std::uint64_t> bytesFree = session.FreeSpace ? session.FreeSpace(root) : FreeBytesAt(root);
    // A drive that cannot say how much room it has is not held against the run.
    free[root] = bytesFree.value_or(bytes);
    enough = enough && free[root] >= bytes;
  }
  if (enough) return {};
  const MessageCatalogue& t = session.Texts;
  return Stopped(StopCause::Space,
                 FormatText(t.MsgNotEnoughSpace, DriveList(needed, free, t.MsgSpaceNeeded, t.MsgSpaceFree, "\r\n")),
                 "Not enough free space on " + DriveList(needed, free, "%s MB needed", "%s MB free", "; "));
}

}  // namespace

StopReason CheckBeforeChange(WizardSession& session, WizardUi& ui, const Choices& choices) {
  const bool install = choices.action == Action::Install;
  StopReason reason = CheckGameNotRunning(session, ui, install && choices.maps);
  if (reason.cause != StopCause::None || !install) return reason;
  if (choices.maps && !CanWriteFolder(session.AppDir)) {
    return Stopped(StopCause::SetupFolder, FormatText(session.Texts.MsgSetupFolderReadOnly, session.AppDir),
                   "No write access to the setup folder " + session.AppDir);
  }
  return CheckPayloadAndSpace(session, ui, choices);
}

}  // namespace velk
