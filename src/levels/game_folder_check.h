#pragma once
// What makes a folder a Far Cry game folder, and the header that opens each run log.
#include <string>

namespace velk {

// Tidies a typed path: "/" to "\", trailing backslashes removed, then every "\Mods",
// "\Levels" and "\Bin32" removed (case-sensitive, once each, in this order).
std::string NormaliseGamePath(std::string text);

// Normalises `pathText` in place and tells whether it names a game folder (the file
// pathText + "\bin32\FarCry.exe" exists).
bool CheckPath(std::string& pathText);

// Deletes an existing <gameDir>\velk.log and writes the four header lines. False when the
// header could not be written.
bool RestartRunLog(const std::string& gameDir, const std::string& modTag);

}  // namespace velk
