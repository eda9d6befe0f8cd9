#pragma once
// Steam's text key-value files (libraryfolders.vdf, appmanifest_<id>.acf): quoted keys and
// values, nested { } blocks, "\\" and "\"" inside quotes, // comments.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velk {

// What a Steam file may hold to be read at all: real ones are a few kilobytes and a few
// blocks deep; anything beyond is damaged or made to harm, and is taken as unreadable.
inline constexpr size_t kVdfMaxBytes = 1024 * 1024;
inline constexpr size_t kVdfMaxDepth = 32;

struct VdfEntry {
  std::string key;
  std::string value;               // a plain entry's value; empty for a block
  std::vector<VdfEntry> children;  // a block's entries in file order
  bool isBlock = false;

  VdfEntry() = default;
  VdfEntry(VdfEntry&&) = default;
  VdfEntry& operator=(VdfEntry&&) = default;
  VdfEntry(const VdfEntry&) = default;
  VdfEntry& operator=(const VdfEntry&) = default;
  // Frees the blocks below one level at a time, never by recursion.
  ~VdfEntry();
};

// The top-level entries. Forgiving, as a hand-edited file may be: a block left open ends with
// the text, a stray "}" and a key without a value are dropped, and any backslash other than
// "\\" and "\"" stays as written (so a path with single backslashes survives). Nullopt for a
// text longer than kVdfMaxBytes or with blocks nested deeper than kVdfMaxDepth.
std::optional<std::vector<VdfEntry>> ParseVdf(std::string_view text);

// The first entry of that key, letter case aside (Steam has written both "LibraryFolders"
// and "libraryfolders"); nullptr when there is none.
const VdfEntry* FindVdfEntry(const std::vector<VdfEntry>& entries, std::string_view key);

}  // namespace velk
