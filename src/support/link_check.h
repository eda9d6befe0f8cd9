#pragma once
// Links (symbolic links, junctions) met while removing files: only the link itself may go,
// never what it points at. Under Wine a Unix symlink to a file looks like a plain file, and
// deleting it by name deletes its target, so a link is told by where it really opens.
#include <string>

namespace velk {

// True when opening `path` leads somewhere else than the entry of that name in its folder:
// the path is a link (to a file or a folder). False for a missing path and a plain entry.
bool LeadsElsewhere(const std::wstring& path);
bool LeadsElsewhere(const std::string& path);

// True when `handle`, opened by `path`, is the entry of that name in its folder and not what a
// link there leads to. A writer opens first and asks this after, so that a link made between
// a check and the open is caught too.
bool OpensEntryItself(void* handle, const std::wstring& path);

// Removes the link `path` itself, never its target: opened without following, and removed
// only when that handle is the entry itself. False when the platform cannot do that (Wine
// follows Unix symlinks); the link and its target then stay.
bool RemoveLinkItself(const std::wstring& path);

}  // namespace velk

namespace velk {

// True when what `path` really opens lies within what `folder` really opens, every link and
// junction on the way followed: a path reached through a link that leads out of `folder` does
// not. A path that does not exist counts by its nearest existing folder above. False when
// `folder` cannot be opened.
bool ReallyLiesWithin(const std::string& path, const std::string& folder);

// Where `path` really leads, in the normal spelling: the real path of its nearest existing
// folder or file, every link and short name on the way resolved, with the names below it that
// do not exist yet. Empty when it is no full path or nothing of it can be opened.
std::string ResolvedPath(const std::string& path);

}  // namespace velk
