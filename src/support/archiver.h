#pragma once
// The 7-Zip console archiver: the wizard's four command forms and its success test.
#include <string>

namespace velk {

// True when the archiver reported success: the last four characters, first two kept and
// trimmed, are "Ok"; or the line "Everything is Ok" is followed only by blank lines and the
// summary lines today's 7-Zip prints after an extraction (Folders:, Files:, Size:, Compressed:).
bool SevenZipOk(const std::string& commandOutput);
// The first half alone: the last four characters (all of a shorter text), first two kept and
// trimmed of blanks, equal "Ok". True for an output whose last line ends in "Ok" and CR LF.
bool OkInLastFour(const std::string& commandOutput);

// "{appDir}\7z.exe" x modfiles.7z -o"{gameDir}\Mods\" -y
std::string ModFilesExtractCommand(const std::string& appDir, const std::string& gameDir);
// "{appDir}\7z.exe" x -y "{appDir}\mapfiles.7z" -o"{appDir}\"
std::string MapFilesExtractCommand(const std::string& appDir);
// 7z e "{levelDir}\level.pak" -o"{levelWorkDir}\" *.bai -y
std::string BaiExtractCommand(const std::string& levelDir, const std::string& levelWorkDir);
// "{appDir}\7z.exe" x -y "{appDir}\mapfiles.7z" -o"{folder}\" *.lua -r: the map payload's
// level scripts alone, with their folders.
std::string ScriptsExtractCommand(const std::string& appDir, const std::string& folder);
// "{appDir}\7z.exe" a -tzip {levelPakName} * -y -x!"*.lua"
std::string LevelPakCommand(const std::string& appDir, const std::string& levelPakName);

}  // namespace velk
