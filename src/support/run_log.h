#pragma once
// The run log: one timestamped line per call, appended, ANSI code page.
#include <string>

namespace velk {

// Appends "[" + time of day + "] - " + logText + CR LF to `logFile` (<GameDir>\velk.log). The
// file is opened and closed inside the call. Returns false when the line could not be written
// (the folder is missing, the file is locked or read-only, or it is a link, which is never
// written through); callers in the install work ignore it.
bool Log(const std::string& logFile, const std::string& logText);

// The current local time in the user's regional long time format (hours, minutes, seconds).
std::string LongTimeOfDay();
// The current date in the user's regional short date format.
std::string ShortDate();

}  // namespace velk
