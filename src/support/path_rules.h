#pragma once
// Paths the wizard takes from a file or the command line (the install record, switches,
// Steam's files) may be damaged or hostile. Before anything acts on one, it is brought into
// one spelling here and compared with the folder it must lie in.
#include <string>
#include <string_view>

namespace velk {

// A full path in one spelling: "/" read as "\", the "\\?\" and "\\?\UNC\" prefixes taken
// off, repeated separators folded, "." and ".." resolved, trailing dots and blanks dropped
// from each name (as Windows drops them), no trailing separator except at a drive root
// ("X:\"). Empty when it is no full path ("x", "\x", "X:x", a device path "\\.\...") or when
// ".." climbs above its drive or share. Letter case is kept; compare with EqualsNoCase.
std::string NormalisedFullPath(std::string_view path);

// True when `path` is `folder` or lies below it, both normalised, letter case aside. False
// when either is no full path.
bool LiesWithin(std::string_view path, std::string_view folder);

// `path` relative to `folder` ("Levels\Archive"), both normalised; empty when it does not lie
// below it (the folder itself included).
std::string PathBelow(std::string_view path, std::string_view folder);

}  // namespace velk
