#include "support/process_info.h"

#include <windows.h>

#include "support/text_codec.h"

namespace velk {
namespace {

// A program started as \\?\X:\... or from a share may be told its path in the namespace form
// ("\\?\UNC\server\share\...", and under Wine even "UNC\server\share\..."): the folder
// built from it must be the plain one that every other call takes.
std::wstring WithoutNamespacePrefix(const std::wstring& path) {
  if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + path.substr(8);
  if (path.rfind(L"UNC\\", 0) == 0) return L"\\\\" + path.substr(4);
  if (path.rfind(L"\\\\?\\", 0) == 0) return path.substr(4);
  return path;
}

}  // namespace

std::string OwnExePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    // A full buffer means the name was cut short (ERROR_INSUFFICIENT_BUFFER): try bigger.
    if (n < buffer.size()) {
      buffer.resize(n);
      return Narrow(WithoutNamespacePrefix(buffer));
    }
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

std::string ExeFolder() {
  const std::string exe = OwnExePath();
  const size_t slash = exe.rfind('\\');
  if (slash == std::string::npos) return {};
  // "C:\setup.exe" lives in "C:\", not in "C:".
  if (slash == 2 && exe[1] == ':') return exe.substr(0, 3);
  return exe.substr(0, slash);
}

bool SetCurrentFolder(const std::string& folder) {
  return SetCurrentDirectoryW(Widen(folder).c_str()) != FALSE;
}

std::string CurrentFolder() {
  const DWORD needed = GetCurrentDirectoryW(0, nullptr);
  if (needed == 0) return {};
  std::wstring buffer(needed, L'\0');
  const DWORD n = GetCurrentDirectoryW(needed, buffer.data());
  if (n == 0 || n >= needed) return {};
  buffer.resize(n);
  return Narrow(buffer);
}

std::string FullPathFromCurrentFolder(const std::string& path) {
  const bool drivePath = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
  const bool uncPath = path.size() >= 2 && (path[0] == '\\' || path[0] == '/') && path[1] == path[0];
  if (drivePath || uncPath) return path;
  const std::wstring wide = Widen(path);
  const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::wstring buffer(needed, L'\0');
  const DWORD n = GetFullPathNameW(wide.c_str(), needed, buffer.data(), nullptr);
  if (n == 0 || n >= needed) return path;
  buffer.resize(n);
  return Narrow(buffer);
}

std::string TempFolder() {
  const DWORD needed = GetTempPathW(0, nullptr);
  if (needed == 0) return {};
  std::wstring buffer(needed, L'\0');
  const DWORD n = GetTempPathW(needed, buffer.data());
  if (n == 0 || n >= needed) return {};
  buffer.resize(n);
  return Narrow(buffer);
}

std::string NewPrivateTempFolder(const std::string& prefix) {
  const std::string stem = TempFolder() + prefix + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(GetTickCount64());
  for (int k = 0; k < 100; ++k) {
    const std::string folder = k == 0 ? stem : stem + "-" + std::to_string(k);
    if (CreateDirectoryW(Widen(folder).c_str(), nullptr)) return folder;
  }
  return {};
}

unsigned SystemDefaultLcid() { return static_cast<unsigned>(GetSystemDefaultLCID()); }

bool DebuggerAttached() { return IsDebuggerPresent() != FALSE; }

std::string LastErrorText() { return ErrorText(GetLastError()); }

std::string ErrorText(unsigned long code) {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = n ? std::wstring(text, n) : std::wstring();
  if (text) LocalFree(text);
  // System messages end in CR LF, sometimes after a blank or a full stop and a blank.
  while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' ||
                              message.back() == L' '))
    message.pop_back();
  if (message.empty()) return "Error " + std::to_string(code);
  return Narrow(message);
}

}  // namespace velk
