#include "support/text_codec.h"

#include <windows.h>

namespace velk {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string Narrow(std::wstring_view wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::string ToCodePage(std::string_view utf8, unsigned codePage, bool* lossless) {
  if (lossless) *lossless = true;
  std::wstring wide = Widen(utf8);
  if (wide.empty()) return {};
  BOOL usedDefault = FALSE;
  // WC_NO_BEST_FIT_CHARS: an 'ř' must not silently become 'r' in a path.
  DWORD flags = WC_NO_BEST_FIT_CHARS;
  int n = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr,
                              0, nullptr, nullptr);
  if (n <= 0) {
    flags = 0;
    n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                            nullptr, nullptr);
  }
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                      nullptr, &usedDefault);
  if (lossless) *lossless = !usedDefault;
  return out;
}

std::string FromCodePage(std::string_view bytes, unsigned codePage) {
  if (bytes.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
  return Narrow(wide);
}

std::string ToAnsi(std::string_view utf8, bool* lossless) { return ToCodePage(utf8, GetACP(), lossless); }
std::string FromAnsi(std::string_view bytes) { return FromCodePage(bytes, GetACP()); }
std::string ToOem(std::string_view utf8, bool* lossless) { return ToCodePage(utf8, GetOEMCP(), lossless); }
std::string FromOem(std::string_view bytes) { return FromCodePage(bytes, GetOEMCP()); }

bool IsOemSafe(std::string_view utf8) {
  bool lossless = true;
  ToOem(utf8, &lossless);
  return lossless;
}

}  // namespace velk
