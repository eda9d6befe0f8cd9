#include "kit/unix_side.h"

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <vector>

#include "kit/test_kit.h"
#include "support/text_codec.h"
#include "support/win_handles.h"

namespace velk::testkit {
namespace {

// Runs a Unix program (Wine starts native executables too) until `done` holds. The handle of a
// native program started this way is not signalled when it ends, so its effect is watched
// for instead (at most 20 s).
void RunUnix(const std::string& commandLine, const std::function<bool()>& done) {
  std::wstring command = Widen(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                      &startup, &info))
    throw std::runtime_error("could not start " + commandLine);
  const UniqueHandle process(info.hProcess), thread(info.hThread);
  for (int waited = 0; waited < 20000 && !done(); waited += 10) {
    if (WaitForSingleObject(process.get(), 10) == WAIT_OBJECT_0 && done()) return;
  }
}

bool PathExists(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

// A Unix path as Wine's Z: drive names it.
std::string OnDriveZ(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path) c = c == '/' ? '\\' : c;
  return path;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The prefix's folder of drives and shares.
std::string DosDevices() {
  std::wstring prefix(32768, L'\0');
  const DWORD n = GetEnvironmentVariableW(L"WINEPREFIX", prefix.data(), static_cast<DWORD>(prefix.size()));
  if (n == 0 || n >= prefix.size()) throw std::runtime_error("WINEPREFIX is not set: run the tests through ./run test");
  prefix.resize(n);
  return Narrow(prefix) + "/dosdevices";
}

}  // namespace

std::string UnixPathOf(const std::string& windowsPath) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  const auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) throw std::runtime_error("not running under Wine");
  char* unixPath = toUnix(Widen(windowsPath).c_str());
  if (!unixPath) throw std::runtime_error("no Unix path for " + windowsPath);
  std::string path = unixPath;
  HeapFree(GetProcessHeap(), 0, unixPath);
  return path;
}

void MakeUnixLink(const std::string& linkPath, const std::string& targetPath) {
  const size_t slash = linkPath.rfind('\\');
  const std::string unixLink = UnixPathOf(linkPath.substr(0, slash)) + "/" + linkPath.substr(slash + 1);
  RunUnix("Z:\\bin\\ln -sfn " + Quoted(UnixPathOf(targetPath)) + " " + Quoted(unixLink),
          [&] { return PathExists(linkPath); });
  if (!PathExists(linkPath))
    throw std::runtime_error("could not link " + linkPath + " to " + targetPath);
}

void RemoveUnixTree(const std::string& folder) {
  RunUnix("Z:\\bin\\rm -rf " + Quoted(UnixPathOf(folder)), [&] { return !PathExists(folder); });
}

MappedDrive::MappedDrive(const std::string& letter, const std::string& folder)
    : letter_(letter), device_(DosDevices() + "/" + letter + ":") {
  RunUnix("Z:\\bin\\ln -sfn " + Quoted(UnixPathOf(folder)) + " " + Quoted(device_),
          [&] { return PathExists(root()); });
  if (!PathExists(root()))
    throw std::runtime_error("could not map " + root() + " to " + folder);
}

MappedDrive::~MappedDrive() {
  RunUnix("Z:\\bin\\rm -f " + Quoted(device_), [&] { return !PathExists(root()); });
}

LocalShare::LocalShare(const std::string& share, const std::string& folder)
    : share_(share), device_(DosDevices() + "/unc/localhost/" + share) {
  const std::string hosts = DosDevices() + "/unc/localhost";
  RunUnix("Z:\\bin\\mkdir -p " + Quoted(hosts), [&] { return PathExists(OnDriveZ(hosts)); });
  RunUnix("Z:\\bin\\ln -sfn " + Quoted(UnixPathOf(folder)) + " " + Quoted(device_),
          [&] { return PathExists(root()); });
  if (!PathExists(root()))
    throw std::runtime_error("could not share " + folder + " as " + root());
}

LocalShare::~LocalShare() {
  RunUnix("Z:\\bin\\rm -f " + Quoted(device_), [&] { return !PathExists(root()); });
}

}  // namespace velk::testkit
