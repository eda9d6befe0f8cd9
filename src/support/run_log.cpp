#include "support/run_log.h"

#include "support/link_check.h"
#include "support/text_codec.h"
#include "support/win_handles.h"

namespace velk {
namespace {

// Get{Time,Date}FormatW share their calling pattern: ask for the size, then fill.
template <typename Formatter>
std::string FormatNow(Formatter format) {
  const int needed = format(nullptr, 0);
  if (needed <= 0) return {};
  std::wstring buffer(static_cast<size_t>(needed), L'\0');
  const int n = format(buffer.data(), needed);
  if (n <= 0) return {};
  buffer.resize(static_cast<size_t>(n - 1));  // n counts the terminating zero
  return Narrow(buffer);
}

// The run's writer and a single Log call may hold the log at once; readers too.
constexpr DWORD kLogSharing = FILE_SHARE_READ | FILE_SHARE_WRITE;

// The log opened for writing, made when missing. Never made by an open that may follow a link:
// a new file only where no entry of the name is, so a link whose target is gone (which looks
// missing) does not bring its target into being. The folder is never made: a missing one fails.
UniqueFile OpenLogFile(const std::wstring& path) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, kLogSharing, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file || GetLastError() != ERROR_FILE_NOT_FOUND) return file;
    file.reset(CreateFileW(path.c_str(), GENERIC_WRITE, kLogSharing, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file || GetLastError() != ERROR_FILE_EXISTS) return file;
    // Made by someone else in between: opened as it is now.
  }
  return UniqueFile();
}

}  // namespace

std::string LongTimeOfDay() {
  return FormatNow([](wchar_t* out, int size) {
    return GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, out, size);
  });
}

std::string ShortDate() {
  return FormatNow([](wchar_t* out, int size) {
    return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, out, size);
  });
}

namespace {

// The log opened as Log writes it; empty when it is a link or cannot be opened.
UniqueFile OpenCheckedLog(const std::string& logFile) {
  const std::wstring path = Widen(logFile);
  // A log that is a link would write into whatever it leads to: such a log is not written.
  if (LeadsElsewhere(path)) return UniqueFile();
  UniqueFile file = OpenLogFile(path);
  // Asked again of what was opened: a link made in between counts too.
  if (!file || !OpensEntryItself(file.get(), path)) return UniqueFile();
  return file;
}

// One timestamped line at the end of the open log.
bool AppendLine(HANDLE file, const std::string& logText) {
  LARGE_INTEGER zero{};
  if (!SetFilePointerEx(file, zero, nullptr, FILE_END)) return false;
  std::string entry = "[";
  entry += LongTimeOfDay();
  entry += "] - ";
  entry += logText;
  const std::string line = ToAnsi(entry) + "\r\n";
  DWORD written = 0;
  return WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) && written == line.size();
}

}  // namespace

bool Log(const std::string& logFile, const std::string& logText) {
  const UniqueFile file = OpenCheckedLog(logFile);
  return file && AppendLine(file.get(), logText);
}

RunLogWriter::~RunLogWriter() {
  if (handle_) CloseHandle(handle_);
}

bool RunLogWriter::Write(const std::string& logText) {
  if (!handle_) {
    UniqueFile file = OpenCheckedLog(logFile_);
    if (!file) return false;
    handle_ = file.release();
  }
  return AppendLine(handle_, logText);
}

}  // namespace velk
