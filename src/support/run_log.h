#pragma once
// The run log: one timestamped line per call, appended, ANSI code page.
#include <string>

namespace velk {

// Appends "[" + time of day + "] - " + logText + CR LF to `logFile` (<GameDir>\velk.log). The
// file is opened and closed inside the call. Returns false when the line could not be written
// (the folder is missing, the file is locked or read-only, or it is a link, which is never
// written through); callers in the install work ignore it.
bool Log(const std::string& logFile, const std::string& logText);

// The run's log kept open from its first line until the writer ends: one open for a run
// instead of one per line. The file is checked as Log checks it when it opens (a missing log is
// made, a link is never written through), and an open that failed is tried again at the next
// line. Each line is handed to the system as it comes, nothing held back, so a killed run has
// lost none of the lines it logged; other writers (Log) may append meanwhile.
class RunLogWriter {
 public:
  explicit RunLogWriter(std::string logFile) : logFile_(std::move(logFile)) {}
  ~RunLogWriter();
  RunLogWriter(const RunLogWriter&) = delete;
  RunLogWriter& operator=(const RunLogWriter&) = delete;

  // Appends one line as Log does; false when it could not be written.
  bool Write(const std::string& logText);
  const std::string& File() const { return logFile_; }

 private:
  std::string logFile_;
  void* handle_ = nullptr;  // the open log; none before the first line or after a failed open
};

// The current local time in the user's regional long time format (hours, minutes, seconds).
std::string LongTimeOfDay();
// The current date in the user's regional short date format.
std::string ShortDate();

}  // namespace velk
