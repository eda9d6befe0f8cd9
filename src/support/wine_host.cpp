#include "support/wine_host.h"

#include <windows.h>

#include "support/text_codec.h"

namespace velk {
namespace {

// Wine's NT prefix of a DOS path in the variables it sets itself.
constexpr std::string_view kNtPrefix = "\\??\\";

template <typename Function>
Function WineExport(const wchar_t* module, const char* name) {
  const HMODULE handle = GetModuleHandleW(module);
  return handle ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)))
                : nullptr;
}

}  // namespace

bool RunningUnderWine() {
  using GetVersion = const char*(CDECL*)();
  return WineExport<GetVersion>(L"ntdll.dll", "wine_get_version") != nullptr;
}

std::optional<std::string> EnvironmentValue(const std::string& name) {
  const std::wstring wideName = Widen(name);
  std::wstring buffer(256, L'\0');
  for (int attempt = 0; attempt < 3; ++attempt) {
    const DWORD n = GetEnvironmentVariableW(wideName.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::nullopt;
    if (n < buffer.size()) {
      buffer.resize(n);
      return Narrow(buffer);
    }
    buffer.assign(n, L'\0');  // n counts the terminating zero when the buffer is too small
  }
  return std::nullopt;
}

std::string UnixHomeFolder() {
  if (const auto home = EnvironmentValue("HOME")) return WindowsPathOfUnix(*home);
  std::string wineHome = EnvironmentValue("WINEHOMEDIR").value_or("");
  if (wineHome.starts_with(kNtPrefix)) wineHome.erase(0, kNtPrefix.size());
  return wineHome;
}

std::string WindowsPathOfUnix(const std::string& unixPath) {
  if (!unixPath.starts_with('/')) return {};
  // Takes the path in the Unix code page (UTF-8 here) and returns it from the process heap.
  using GetDosFileName = wchar_t*(CDECL*)(const char*);
  if (const auto turn = WineExport<GetDosFileName>(L"kernel32.dll", "wine_get_dos_file_name")) {
    if (wchar_t* dos = turn(unixPath.c_str())) {
      std::string path = Narrow(dos);
      HeapFree(GetProcessHeap(), 0, dos);
      while (path.size() > 3 && path.back() == '\\') path.pop_back();
      if (!path.empty()) return path;
    }
  }
  return ZDrivePath(unixPath);
}

std::string ZDrivePath(std::string_view unixPath) {
  if (!unixPath.starts_with('/')) return {};
  std::string path = "Z:";
  for (const char c : unixPath) {
    const char turned = c == '/' ? '\\' : c;
    if (turned == '\\' && path.back() == '\\') continue;  // "//" is one separator on Unix
    path += turned;
  }
  if (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

}  // namespace velk
