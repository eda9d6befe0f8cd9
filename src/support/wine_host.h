#pragma once
// The Unix side of Wine (and Proton): whether the program runs there, what the Unix user's
// environment says and which Windows path a Unix path has. Wine's own exports are looked up at
// run time, so on Windows every answer is "not under Wine" and nothing else changes.
#include <optional>
#include <string>
#include <string_view>

namespace velk {

// True when ntdll exports wine_get_version.
bool RunningUnderWine();

// A variable of the program's environment; nullopt when it is unset or empty.
std::optional<std::string> EnvironmentValue(const std::string& name);

// The Unix user's home as a Windows path: HOME when the environment holds it (a Unix path),
// else WINEHOMEDIR, which Wine sets from HOME in its NT form ("\??\Z:\home\me"). Empty when
// neither is there.
std::string UnixHomeFolder();

// The Windows path of a full Unix path: Wine's wine_get_dos_file_name (which knows the
// prefix's drive mappings) where kernel32 has it, else ZDrivePath. Empty for a path that
// does not start with "/".
std::string WindowsPathOfUnix(const std::string& unixPath);

// Wine's default mapping of the Unix root to drive Z: "/home/me/" -> "Z:\home\me", "/" ->
// "Z:\". Empty for a path that does not start with "/".
std::string ZDrivePath(std::string_view unixPath);

}  // namespace velk
