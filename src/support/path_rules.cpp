#include "support/path_rules.h"

#include <cctype>
#include <vector>

#include "support/text_tools.h"

namespace velk {
namespace {

// The root of a full path ("C:\" or "\\server\share") and where its names begin; false for
// anything else.
bool SplitRoot(const std::string& path, std::string& root, size_t& rest) {
  if (path.size() >= 3 && path[1] == ':' && path[2] == '\\' &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))) {
    root = path.substr(0, 3);
    rest = 3;
    return true;
  }
  if (path.rfind("\\\\", 0) != 0) return false;
  const size_t serverEnd = path.find('\\', 2);
  if (serverEnd == std::string::npos || serverEnd == 2) return false;
  size_t shareEnd = path.find('\\', serverEnd + 1);
  if (shareEnd == std::string::npos) shareEnd = path.size();
  if (shareEnd == serverEnd + 1) return false;
  const std::string server = path.substr(2, serverEnd - 2);
  const std::string share = path.substr(serverEnd + 1, shareEnd - serverEnd - 1);
  // "\\.\" and "\\?\" name devices and raw paths, never a folder of a game.
  if (server == "." || server == "?" || share == "." || share == "..") return false;
  root = path.substr(0, shareEnd);
  rest = shareEnd;
  return true;
}

}  // namespace

std::string NormalisedFullPath(std::string_view input) {
  std::string path = ReplaceAll(input, "/", "\\");
  if (StartsWithNoCase(path, "\\\\?\\UNC\\")) {
    path = "\\\\" + path.substr(8);
  } else if (path.rfind("\\\\?\\", 0) == 0 || path.rfind("\\??\\", 0) == 0) {
    path = path.substr(4);
  }
  // A share's root keeps its two leading backslashes; every other run of them folds to one.
  std::string folded = path.rfind("\\\\", 0) == 0 ? "\\\\" : "";
  for (size_t i = folded.size(); i < path.size(); ++i) {
    if (path[i] == '\\' && !folded.empty() && folded.back() == '\\') continue;
    folded += path[i];
  }
  std::string root;
  size_t rest = 0;
  if (!SplitRoot(folded, root, rest)) return {};
  if (root.size() == 3) root[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
  std::vector<std::string> names;
  size_t start = rest;
  while (start <= folded.size()) {
    size_t end = folded.find('\\', start);
    if (end == std::string::npos) end = folded.size();
    std::string name = folded.substr(start, end - start);
    start = end + 1;
    if (name == "..") {
      if (names.empty()) return {};
      names.pop_back();
      continue;
    }
    // Windows drops trailing dots and blanks from a name; what is left of "." or "..." is
    // nothing, and names nothing.
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    if (!name.empty()) names.push_back(std::move(name));
  }
  std::string out = root;
  for (const std::string& name : names) {
    if (out.back() != '\\') out += '\\';
    out += name;
  }
  return out;
}

std::string PathBelow(std::string_view path, std::string_view folder) {
  const std::string p = NormalisedFullPath(path);
  const std::string f = NormalisedFullPath(folder);
  if (p.empty() || f.empty()) return {};
  const std::string head = f.back() == '\\' ? f : f + "\\";
  if (p.size() <= head.size() || !StartsWithNoCase(p, head)) return {};
  return p.substr(head.size());
}

bool LiesWithin(std::string_view path, std::string_view folder) {
  const std::string p = NormalisedFullPath(path);
  const std::string f = NormalisedFullPath(folder);
  if (p.empty() || f.empty()) return false;
  return EqualsNoCase(p, f) || !PathBelow(p, f).empty();
}

}  // namespace velk
