#pragma once
// What makes a folder a Far Cry game folder, and the header that opens each run log.
#include <string>
#include <vector>

namespace velk {

// Tidies a typed path: "/" to "\", trailing backslashes removed, and trailing dots and
// blanks that Windows drops from a last name.
std::string TidyGamePath(std::string text);

// The tidied path with every "\Mods", "\Levels" and "\Bin32" then removed (case-sensitive,
// once each, in this order).
std::string NormaliseGamePath(std::string text);

// The folders CheckPath tries, in order: the tidied path as typed; with `withFoldersAbove`
// (the typed folder exists), the folder above each whole "\Mods", "\Levels" or "\Bin32"
// name in it, the deepest first; the normalised path.
std::vector<std::string> GamePathCandidates(const std::string& text, bool withFoldersAbove);

// Sets `pathText` to the first candidate that names a game folder (the file
// <folder>\bin32\FarCry.exe exists) and answers true; otherwise to the normalised path, false.
bool CheckPath(std::string& pathText);

// <gameDir>\velk.log.
std::string RunLogFile(const std::string& gameDir);

// Deletes an existing <gameDir>\velk.log and writes the four header lines. False when the
// header could not be written.
bool RestartRunLog(const std::string& gameDir, const std::string& modTag);

}  // namespace velk
