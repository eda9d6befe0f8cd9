#pragma once
// The archiver command lines of the wizard, with the payload's and the game's fixed names.
#include <string>
#include <vector>

namespace velk {

// "{appDir}\7z.exe" x modfiles.7z -o"{gameDir}\Mods\" -y
std::string ModFilesExtractCommand(const std::string& appDir, const std::string& gameDir);
// "{appDir}\7z.exe" x -y "{appDir}\mapfiles.7z" -o"{appDir}\"
std::string MapFilesExtractCommand(const std::string& appDir);
// 7z e "{levelDir}\level.pak" -o"{levelWorkDir}\" *.bai -y
std::string BaiExtractCommand(const std::string& levelDir, const std::string& levelWorkDir);
// "{appDir}\7z.exe" x -y "{appDir}\mapfiles.7z" -o"{folder}\" *.lua -r: the map payload's
// level scripts alone, with their folders.
std::string ScriptsExtractCommand(const std::string& appDir, const std::string& folder);
// "{appDir}\7z.exe" a -tzip {levelPakName} * -y -x!"*.lua", then -x!"{name}" for each of
// `leftOut` (paths relative to the work folder).
std::string LevelPakCommand(const std::string& appDir, const std::string& levelPakName,
                            const std::vector<std::string>& leftOut = {});
// "{appDir}\7z.exe" t -bb1 "{appDir}\{archive}": the payload archive's own integrity test,
// naming every entry it tests ("T <path>") and ending with the unpacked size ("Size: <bytes>").
std::string PayloadTestCommand(const std::string& appDir, const std::string& archive);
// "{appDir}\7z.exe" l -slt "{appDir}\{archive}": every entry the archive holds, one block of
// "Name = value" lines each ("Path = ...", "Attributes = D" for a folder).
std::string ArchiveListCommand(const std::string& appDir, const std::string& archive);

}  // namespace velk
