#include "engine/level_archive.h"

#include "engine/engine_io.h"
#include "support/archiver.h"
#include "support/file_helpers.h"

namespace velk {
namespace {

constexpr const char* kStatusPrefix = "Status: ";
constexpr const char* kQuote = "\"";

void RemoveOldArchives(WizardSession& s, WizardUi& ui) {
  const std::string level = s.CurrentLevel + "\\";
  DeleteLogged(ui, s.LevelDir + "\\" + s.LevelPakName, level + s.LevelPakName);
  DeleteLogged(ui, s.LevelDir + "\\" + layout::kSecondLevelPak, level + layout::kSecondLevelPak);
  const std::string leftover = s.LevelWorkDir + "\\" + s.LevelPakName;
  DeleteLogged(ui, leftover, leftover);
}

void ExtractBaiFiles(WizardSession& s, WizardUi& ui) {
  const std::string stockPak = s.LevelDir + "\\" + layout::kStockLevelPak;
  if (!FileExists(stockPak)) {
    ShowCatalogueError(ui, s.Texts.MsgFileNotFound, layout::kStockLevelPak);
    return;
  }
  // Renamed files of an earlier conversion (a repair, or a run that was ended by force) would
  // block the renames below and go into the new archive beside the fresh ones.
  DeleteFileAt(s.LevelWorkDir + "\\" + layout::kHideBai);
  DeleteFileAt(s.LevelWorkDir + "\\" + layout::kNetBai);
  ui.SetText(Ctl::Label6, kStatusPrefix + FormatText(s.Texts.MsgExtractingFile, layout::kStockLevelPak));
  LogLine(ui, std::string("Extracting ") + kQuote + stockPak + kQuote);
  if (!RunArchiver(s, ui, BaiExtractCommand(s.LevelDir, s.LevelWorkDir), ".")) {
    ShowCatalogueError(ui, s.Texts.MsgErrorOccurred, "");
    LogArchiverFailure(s, ui, "Error extracting level.pak");
  }
}

// The mission file is patched as bytes, so that its encoding and line ends survive.
void PatchMissionFile(const WizardSession& s, WizardUi& ui) {
  const std::string mission = s.LevelWorkDir + "\\" + layout::kMissionFile;
  if (!FileExists(mission)) return;
  std::string bytes;
  const bool patched = ReadFileBytes(mission, bytes) && WriteFileBytes(mission, PatchMissionBytes(bytes));
  LogLine(ui, std::string(patched ? "Patched " : "Could not patch ") + layout::kMissionFile);
}

void BuildArchive(WizardSession& s, WizardUi& ui) {
  const std::string command = LevelPakCommand(s.AppDir, s.LevelPakName);
  ui.SetText(Ctl::Label6, kStatusPrefix + FormatText(s.Texts.MsgCreating, s.LevelPakName));
  const std::string workFolder = s.AppDir + "\\temp\\" + s.CurrentLevel + "\\";
  if (!RunArchiver(s, ui, command, workFolder)) {
    ShowCatalogueError(ui, s.Texts.MsgErrorOccurred, "");
    LogArchiverFailure(s, ui, "Error creating " + s.LevelPakName);
  }
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

bool LevelPak(WizardSession& s, WizardUi& ui) {
  RemoveOldArchives(s, ui);
  ExtractBaiFiles(s, ui);
  // 7-Zip would update an existing archive and pack the old copy into the new one.
  DeleteFileAt(s.LevelWorkDir + "\\" + s.LevelPakName);
  RenameFile(s.LevelWorkDir + "\\hide" + s.CurrentLevel + ".bai", layout::kHideBai);
  RenameFile(s.LevelWorkDir + "\\net" + s.CurrentLevel + ".bai", layout::kNetBai);
  PatchMissionFile(s, ui);
  BuildArchive(s, ui);
  LogLine(ui, std::string("Copying ") + kQuote + s.LevelPakName + kQuote + " to folder " + kQuote +
                  s.LevelDir + "\\" + kQuote);
  return CopyFileOver(s.LevelWorkDir + "\\" + s.LevelPakName, s.LevelDir + "\\" + s.LevelPakName);
}

}  // namespace velk
