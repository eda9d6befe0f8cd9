#pragma once
// Steam's text key-value files (libraryfolders.vdf, appmanifest_<id>.acf): quoted keys and
// values, nested { } blocks, "\\" and "\"" inside quotes, // comments.
#include <string>
#include <string_view>
#include <vector>

namespace velk {

struct VdfEntry {
  std::string key;
  std::string value;               // a plain entry's value; empty for a block
  std::vector<VdfEntry> children;  // a block's entries in file order
  bool isBlock = false;
};

// The top-level entries. Forgiving, as a hand-edited file may be: a block left open ends with
// the text, a stray "}" and a key without a value are dropped, and any backslash other than
// "\\" and "\"" stays as written (so a path with single backslashes survives).
std::vector<VdfEntry> ParseVdf(std::string_view text);

// The first entry of that key, letter case aside (Steam has written both "LibraryFolders"
// and "libraryfolders"); nullptr when there is none.
const VdfEntry* FindVdfEntry(const std::vector<VdfEntry>& entries, std::string_view key);

}  // namespace velk
