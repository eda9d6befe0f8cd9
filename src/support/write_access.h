#pragma once
// Whether the wizard may change a folder, found out before it changes anything. A probe file
// with a unique name is created and deleted again: neither the read-only attribute (ignored
// on folders) nor the access rights alone say what the running process may do.
#include <string>
#include <vector>

namespace velk {

// True when a file could be created in `folder` and deleted again.
bool CanWriteFolder(const std::string& folder);
// The first of `folders` that fails that probe; empty when every one may be written.
std::string FirstUnwritableFolder(const std::vector<std::string>& folders);
// Starts this program again through the shell with the "runas" verb (elevated on Windows),
// with `arguments`; true when it started. `owner` is the asking window or nullptr.
bool RestartElevated(void* owner, const std::string& arguments);

}  // namespace velk
