#include "engine/archive_commands.h"

#include "levels/game_layout.h"
#include "support/file_helpers.h"
#include "support/text_tools.h"

namespace velk {
namespace {

std::string ArchiverIn(const std::string& appDir) { return Quoted(JoinPath(appDir, layout::kArchiver)); }

}  // namespace

std::string ModFilesExtractCommand(const std::string& appDir, const std::string& gameDir) {
  return ArchiverIn(appDir) + " x " + layout::kModFilesArchive + " -o" +
         Quoted(gameDir + layout::kModsDirSuffix) + " -y";
}

std::string MapFilesExtractCommand(const std::string& appDir) {
  return ArchiverIn(appDir) + " x -y " + Quoted(JoinPath(appDir, layout::kMapFilesArchive)) + " -o" +
         Quoted(JoinPath(appDir, ""));
}

std::string BaiExtractCommand(const std::string& levelDir, const std::string& levelWorkDir) {
  return std::string(layout::kArchiverProgram) + " e " + Quoted(levelDir + "\\" + layout::kStockLevelPak) +
         " -o" + Quoted(levelWorkDir + "\\") + " " + layout::kBaiPattern + " -y";
}

std::string ScriptsExtractCommand(const std::string& appDir, const std::string& folder) {
  return ArchiverIn(appDir) + " x -y " + Quoted(JoinPath(appDir, layout::kMapFilesArchive)) + " -o" +
         Quoted(JoinPath(folder, "")) + " *.lua -r";
}

std::string LevelPakCommand(const std::string& appDir, const std::string& levelPakName,
                            const std::vector<std::string>& leftOut) {
  std::string command = ArchiverIn(appDir) + " a -tzip " + levelPakName + " * -y -x!" + Quoted(layout::kScriptPattern);
  for (const std::string& name : leftOut) command += " -x!" + Quoted(name);
  return command;
}

std::string PayloadTestCommand(const std::string& appDir, const std::string& archive) {
  return ArchiverIn(appDir) + " t -bb1 " + Quoted(JoinPath(appDir, archive));
}

std::string ArchiveListCommand(const std::string& appDir, const std::string& archive) {
  return ArchiverIn(appDir) + " l -slt " + Quoted(JoinPath(appDir, archive));
}

}  // namespace velk
