#include "support/archiver.h"

#include <string_view>
#include <vector>

#include "support/text_tools.h"

namespace velk {
namespace {

// "Folders: 3", "Files: 3", "Size:       25", "Compressed: 263".
bool IsSummaryLine(std::string_view line) {
  for (std::string_view name : {"Folders:", "Files:", "Size:", "Compressed:"}) {
    if (line.substr(0, name.size()) != name) continue;
    const std::string_view number = Trimmed(line.substr(name.size()));
    return !number.empty() && number.find_first_not_of("0123456789") == std::string_view::npos;
  }
  return false;
}

// An extraction by today's 7-Zip ends in "Everything is Ok", a blank line and the summary.
// At least one summary line is required, so that this accepts nothing the last-four test
// rejects other than that summary.
bool EndsInOkAndSummary(std::string_view output) {
  const std::vector<std::string_view> lines = SplitLines(output);
  size_t summaryLines = 0;
  for (size_t i = lines.size(); i-- > 0;) {
    const std::string_view line = Trimmed(lines[i]);
    if (line == "Everything is Ok") return summaryLines > 0;
    if (IsSummaryLine(line)) {
      ++summaryLines;
    } else if (!line.empty()) {
      return false;
    }
  }
  return false;
}

}  // namespace

bool OkInLastFour(const std::string& commandOutput) {
  const std::string_view output = commandOutput;
  const std::string_view lastFour = output.size() > 4 ? output.substr(output.size() - 4) : output;
  std::string_view firstTwo = lastFour.substr(0, 2);
  // Only blanks are trimmed, as the check always did.
  while (!firstTwo.empty() && firstTwo.front() == ' ') firstTwo.remove_prefix(1);
  while (!firstTwo.empty() && firstTwo.back() == ' ') firstTwo.remove_suffix(1);
  return firstTwo == "Ok";
}

bool SevenZipOk(const std::string& commandOutput) {
  return OkInLastFour(commandOutput) || EndsInOkAndSummary(commandOutput);
}

}  // namespace velk
