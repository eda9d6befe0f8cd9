#pragma once
// Lists the files below a folder that match a pattern: a folder's files first, then its
// sub-folders, depth first.
#include <functional>
#include <string>
#include <vector>

namespace velk {

struct FileEntry {
  std::string Path;      // the file's folder, ending in a backslash
  std::string Name;      // the leaf name as the enumeration reports it
  std::string FullName;  // Path + Name
};

// Appends one FileEntry per matching file to `files`. One trailing backslash of `path` is
// tolerated; a missing folder adds nothing. `processPendingEvents` (may be empty) is called
// before each file record, after each enumeration entry and before each sub-folder.
void FindFiles(const std::string& path, bool recursive, const std::string& pattern,
               std::vector<FileEntry>& files, const std::function<void()>& processPendingEvents = {});

// Fills one record: Name = foundName up to its first NUL; Path = searchSpec up to and
// including its last "\"; FullName = Path + Name.
void FillFileEntry(FileEntry& entry, const std::string& foundName, const std::string& searchSpec);

}  // namespace velk
