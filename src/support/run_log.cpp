#include "support/run_log.h"

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

bool Log(const std::string& logFile, const std::string& logText) {
  const std::string& path = logFile;
  // OPEN_ALWAYS creates the file but never its folder: a missing folder fails here.
  UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER zero{};
  if (!SetFilePointerEx(file.get(), zero, nullptr, FILE_END)) return false;
  std::string entry = "[";
  entry += LongTimeOfDay();
  entry += "] - ";
  entry += logText;
  const std::string line = ToAnsi(entry) + "\r\n";
  DWORD written = 0;
  return WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
         written == line.size();
}

}  // namespace velk
