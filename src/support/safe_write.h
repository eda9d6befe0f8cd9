#pragma once
// Files that back up or replace another are written completely under another name first and
// then put in place in one step, so that a kill or a power cut leaves either the old file or
// the new one, never half of one.
#include <string>

namespace velk {

// The name a file is written under before it is put in place: <path>.velkpart. A run that was
// ended by force may leave one; the next write of the same file replaces it.
inline constexpr const char* kPartSuffix = ".velkpart";

// Writes `bytes` to <path>.velkpart, flushes it to the disk and moves it over `path`.
bool WriteFileSafely(const std::string& path, const std::string& bytes);
// Copies `from` to <to>.velkpart, flushes it and moves it over `to`.
bool CopyFileSafely(const std::string& from, const std::string& to);
// Moves the file `from` over `to` in one step, replacing it; `from` is gone afterwards.
bool MoveFileOver(const std::string& from, const std::string& to);

}  // namespace velk
