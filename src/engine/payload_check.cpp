#include "engine/payload_check.h"

#include "engine/archive_commands.h"
#include "engine/engine_io.h"
#include "support/archiver.h"
#include "support/file_helpers.h"
#include "support/text_tools.h"

namespace velk {
namespace {

std::string TopFolderOf(const std::string& entry) {
  const size_t slash = entry.find_first_of("\\/");
  return slash == std::string::npos ? entry : entry.substr(0, slash);
}

// Reads the reply of a passed test: every "T <path>" line names an entry, the summary's
// "Size: <bytes>" the unpacked size.
PayloadCheck ReadTestReply(const std::string& reply, const std::string& topFolder) {
  PayloadCheck result;
  size_t entries = 0;
  for (const std::string_view line : SplitLines(reply)) {
    const std::string text(Trimmed(line));
    if (text.rfind("T ", 0) == 0) {
      const std::string path = text.substr(2);
      ++entries;
      result.files.push_back(path);
      if (!EqualsNoCase(TopFolderOf(path), topFolder)) {
        result.problem = "holds '" + path + "' outside its folder " + topFolder;
        return result;
      }
    } else if (text.rfind("Size:", 0) == 0) {
      const std::string digits(Trimmed(std::string_view(text).substr(5)));
      if (!digits.empty() && digits.find_first_not_of("0123456789") == std::string::npos)
        result.unpackedBytes = std::stoull(digits);
    }
  }
  if (entries == 0) {
    result.problem = "holds no files";
    return result;
  }
  result.ok = true;
  return result;
}

// The last line of the archiver's reply that says something: its reason for a failure.
std::string LastWords(const std::string& reply) {
  std::string last;
  for (const std::string_view line : SplitLines(reply)) {
    if (!Trimmed(line).empty()) last = std::string(Trimmed(line));
  }
  return last.empty() ? "no reply" : last;
}

}  // namespace

PayloadCheck CheckPayload(const WizardSession& session, RunEvents& events, const std::string& archive,
                          const std::string& topFolder) {
  const std::string& appDir = session.AppDir;
  PayloadCheck failed;
  const std::string path = JoinPath(appDir, archive);
  if (!FileExists(path)) {
    failed.problem = "is missing";
    return failed;
  }
  if (FileSizeOf(path) == 0) {
    failed.problem = "is empty";
    return failed;
  }
  // The test reads every byte: a truncated, corrupt or password-protected archive fails it
  // (a password is asked for on the empty input and never given).
  const std::string reply = ExecDosCommand(PayloadTestCommand(appDir, archive), ".", HooksFor(session, events));
  if (!SevenZipOk(reply)) {
    failed.problem = "failed 7-Zip's test: " + LastWords(reply);
    return failed;
  }
  return ReadTestReply(reply, topFolder);
}

}  // namespace velk
