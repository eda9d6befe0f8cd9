#pragma once
// The map payload unpacks its levels into the work folder beside the program. The exit takes
// back exactly what it unpacked: the work folder may be shared (a drive-root "X:\Temp") and
// hold files that are not ours.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velk {

struct ArchiveEntry {
  std::string path;  // relative, as the archive names it
  bool folder = false;
};

// The entries of a "7z l -slt" listing (engine/archive_commands ArchiveListCommand); none when
// the text is no listing, as after a failed run of the archiver.
std::optional<std::vector<ArchiveEntry>> ParseArchiveListing(std::string_view output);

// Removes the entries that lie below `appDir`'s work folder: files, then the folders, deepest
// first and only when empty (the work folder itself stays for the caller). Nothing is reached
// through a link; a link the archive names goes as a link. Returns the paths that are still
// there; an entry that is missing counts as removed.
std::vector<std::string> RemoveUnpackedEntries(const std::string& appDir,
                                               const std::vector<ArchiveEntry>& entries);

}  // namespace velk
