#pragma once
// Files that back up or replace another are written completely under another name first and
// then put in place in one step, so that a kill or a power cut leaves either the old file or
// the new one, never half of one.
#include <string>

namespace velk {

// The name a file is written under before it is put in place: <path>.velkpart. A run that was
// ended by force may leave one; the next write of the same file replaces it.
inline constexpr const char* kPartSuffix = ".velkpart";

// How far a file put in place must be safe: from a kill (the data written, then renamed), or
// also from a power cut (the data flushed to the disk before the rename, which is written
// through). The stronger costs a disk flush each time: for what cannot be made again.
enum class Durability { KillSafe, PowerCutSafe };

// Writes `bytes` to <path>.velkpart and moves it over `path`.
bool WriteFileSafely(const std::string& path, const std::string& bytes,
                     Durability durability = Durability::KillSafe);
// Copies `from` to <to>.velkpart and moves it over `to`.
bool CopyFileSafely(const std::string& from, const std::string& to,
                    Durability durability = Durability::KillSafe);
// Moves the file `from` over `to` in one step, replacing it; `from` is gone afterwards. The
// rename is written through to the disk.
bool MoveFileOver(const std::string& from, const std::string& to);

}  // namespace velk
