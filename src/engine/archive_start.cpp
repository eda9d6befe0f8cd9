#include "engine/archive_start.h"

#include <algorithm>

#include "engine/message_catalogue.h"
#include "support/file_helpers.h"
#include "support/text_tools.h"

namespace velk {
namespace {

constexpr std::string_view kExplorerPrefix = "Temp";
constexpr std::string_view kExplorerSuffix = ".zip";
constexpr const char* kOtherArchiverPrefixes[] = {"Rar$EX", "7zO"};

// "Temp1_VelkSetup-1.0.zip": digits, an underscore, a name.
bool IsExplorerTempName(std::string_view leaf) {
  if (!StartsWithNoCase(leaf, kExplorerPrefix) || !EndsWithNoCase(leaf, kExplorerSuffix)) return false;
  const std::string_view rest = leaf.substr(kExplorerPrefix.size());
  const size_t underscore = rest.find('_');
  if (underscore == 0 || underscore == std::string_view::npos) return false;
  const std::string_view digits = rest.substr(0, underscore);
  const bool allDigits = std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
  return allDigits && rest.size() > underscore + 1 + kExplorerSuffix.size();
}

}  // namespace

bool IsArchiverTempFolder(const std::string& appDir) {
  std::string_view folder = appDir;
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.remove_suffix(1);
  const std::string leaf = LeafName(folder);
  if (IsExplorerTempName(leaf)) return true;
  return std::any_of(std::begin(kOtherArchiverPrefixes), std::end(kOtherArchiverPrefixes),
                     [&](const char* prefix) { return StartsWithNoCase(leaf, prefix); });
}

std::string SetupFileMessage(const WizardSession& session, const std::string& file, const std::string& otherwise) {
  const bool missing = !FileExists(JoinPath(session.AppDir, file));
  if (missing && IsArchiverTempFolder(session.AppDir)) return FormatText(session.Texts.MsgUnpackArchiveFirst, "");
  return FormatText(otherwise, file);
}

}  // namespace velk
