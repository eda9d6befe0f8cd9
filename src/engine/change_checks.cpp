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

// The running game: its program started from this folder, or a stock level archive the
// conversion reads held without sharing.
CheckResult CheckGameNotRunning(WizardSession& session, RunEvents&, const Choices& choices) {
  const bool readsLevels = choices.action == Action::Install && choices.maps;
  std::vector<std::string> held;
  const std::string exe = session.Request.gameDir + layout::kGameExe;
  if (ProgramRunningFrom(exe)) held.push_back(exe);
  for (size_t i = 0; readsLevels && held.empty() && i < session.InstalledLevels.size(); ++i) {
    const std::string pak = JoinPath(session.InstalledLevels[i].Path, layout::kStockLevelPak);
    if (HeldWithoutSharing(pak)) held.push_back(pak);
  }
  if (held.empty()) return std::nullopt;
  return CheckFinding{held.front(), "Far Cry is running, " + held.front() + " is in use", {}};
}

// The maps are unpacked beside the setup.
CheckResult CheckSetupFolderWritable(WizardSession& session, RunEvents&, const Choices& choices) {
  if (choices.action != Action::Install || !choices.maps || CanWriteFolder(session.AppDir)) return std::nullopt;
  return CheckFinding{session.AppDir, "No write access to the setup folder " + session.AppDir, {}};
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

// The payload archives the choices need: the mod files go into Mods; the maps into the work
// folder beside the setup, and from there, packed per level, into the level folders.
std::vector<PayloadNeed> PayloadNeeds(const WizardSession& session, const Choices& choices) {
  std::vector<PayloadNeed> needs;
  if (choices.action != Action::Install) return needs;
  const std::string& gameDir = session.Request.gameDir;
  if (choices.scripts) needs.push_back({layout::kModFilesArchive, ModFolderName(session), {gameDir}});
  if (choices.maps) needs.push_back({layout::kMapFilesArchive, layout::kWorkFolder, {session.AppDir, gameDir}});
  return needs;
}

CheckFinding SetupFileFinding(const WizardSession& session, const std::string& file, const std::string& logLine) {
  return {file, logLine, SetupFileMessage(session, file, session.Texts.MsgPayloadBroken)};
}

// The archiver and every archive the choices need pass the archiver's test; their files and
// sizes are kept for the space check and for the check after unpacking.
CheckResult CheckPayloadIntact(WizardSession& session, RunEvents& events, const Choices& choices) {
  const std::vector<PayloadNeed> needs = PayloadNeeds(session, choices);
  if (needs.empty()) return std::nullopt;
  if (!FileExists(JoinPath(session.AppDir, layout::kArchiver)))
    return SetupFileFinding(session, layout::kArchiver, std::string("Setup file ") + layout::kArchiver + " is missing");
  for (const PayloadNeed& need : needs) {
    const PayloadCheck check = CheckPayload(session, events, need.archive, need.topFolder);
    if (!check.ok) return SetupFileFinding(session, need.archive, std::string("Setup file ") + need.archive + " " + check.problem);
    session.PayloadFiles[need.archive] = check.files;
    session.PayloadBytes[need.archive] = check.unpackedBytes;
  }
  return std::nullopt;
}

// Room on every drive the unpacking and the conversion write to.
CheckResult CheckFreeSpace(WizardSession& session, RunEvents&, const Choices& choices) {
  const std::vector<PayloadNeed> needs = PayloadNeeds(session, choices);
  if (needs.empty()) return std::nullopt;
  DriveBytes needed;
  for (const PayloadNeed& need : needs)
    for (const std::string& target : need.targets) needed[VolumeRootOf(target)] += session.PayloadBytes[need.archive];
  if (choices.maps)
    needed[VolumeRootOf(session.Request.gameDir)] +=
        LevelConversionBytes(session, session.PayloadFiles[layout::kMapFilesArchive]);
  DriveBytes free;
  bool enough = true;
  for (const auto& [root, bytes] : needed) {
    const std::optional<std::uint64_t> bytesFree = session.FreeSpace ? session.FreeSpace(root) : FreeBytesAt(root);
    // A drive that cannot say how much room it has is not held against the run.
    free[root] = bytesFree.value_or(bytes);
    enough = enough && free[root] >= bytes;
  }
  if (enough) return std::nullopt;
  const MessageCatalogue& t = session.Texts;
  return CheckFinding{DriveList(needed, free, t.MsgSpaceNeeded, t.MsgSpaceFree, "\r\n"),
                      "Not enough free space on " + DriveList(needed, free, "%s MB needed", "%s MB free", "; "), {}};
}

// The checks in the order they run: the first that fails stops the run.
constexpr ChangeCheck kChangeChecks[] = {
    {CheckGameNotRunning, kUnattendedGameRunning, &MessageCatalogue::MsgGameRunning, /*canRetry=*/true},
    {CheckSetupFolderWritable, kUnattendedSetupReadOnly, &MessageCatalogue::MsgSetupFolderReadOnly, false},
    {CheckPayloadIntact, kUnattendedPayloadBroken, &MessageCatalogue::MsgPayloadBroken, false},
    {CheckFreeSpace, kUnattendedNoSpace, &MessageCatalogue::MsgNotEnoughSpace, false},
};

}  // namespace

StopReason CheckBeforeChange(WizardSession& session, RunEvents& events, const Choices& choices) {
  for (const ChangeCheck& row : kChangeChecks) {
    const CheckResult finding = row.check(session, events, choices);
    if (!finding) continue;
    const std::string message =
        finding->message.empty() ? FormatText(session.Texts.*row.text, finding->argument) : finding->message;
    return {row.exitCode, row.canRetry, message, finding->logLine + ": nothing changed"};
  }
  return {};
}

}  // namespace velk
