#pragma once
// Text inside the program is UTF-8. These convert at the boundary: wide strings for the W
// APIs, and the 8-bit ANSI and OEM code pages for the files and console output that use them.
#include <string>
#include <string_view>

namespace velk {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// Bytes in the given code page. `lossless` (when given) tells whether every character had
// a representation there; unrepresentable characters become '?'.
std::string ToCodePage(std::string_view utf8, unsigned codePage, bool* lossless = nullptr);
std::string FromCodePage(std::string_view bytes, unsigned codePage);

std::string ToAnsi(std::string_view utf8, bool* lossless = nullptr);
std::string FromAnsi(std::string_view bytes);
std::string ToOem(std::string_view utf8, bool* lossless = nullptr);
std::string FromOem(std::string_view bytes);
// True when every character of the text exists in the OEM code page.
bool IsOemSafe(std::string_view utf8);

}  // namespace velk
