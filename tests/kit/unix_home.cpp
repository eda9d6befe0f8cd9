#include "kit/unix_home.h"

#include <windows.h>

#include <stdexcept>

#include "kit/test_kit.h"
#include "kit/unix_side.h"
#include "support/file_helpers.h"
#include "support/process_info.h"
#include "support/text_codec.h"

namespace velk::testkit {
namespace {

constexpr const wchar_t* kVariables[] = {L"HOME", L"XDG_DATA_HOME", L"STEAM_COMPAT_CLIENT_INSTALL_PATH"};

std::optional<std::wstring> Variable(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return std::nullopt;
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

}  // namespace

UnixHome::UnixHome() {
  // Beside the test programs, which lie on drive Z: outside the prefix.
  const std::string base = ExeFolder() + "\\unix-homes";
  CreateDirectoryW(Widen(base).c_str(), nullptr);
  for (unsigned n = 1; path_.empty(); ++n) {
    const std::string candidate = base + "\\home-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(n);
    if (CreateDirectoryW(Widen(candidate).c_str(), nullptr)) path_ = candidate;
    else if (GetLastError() != ERROR_ALREADY_EXISTS || n > 1000)
      throw std::runtime_error("cannot create a home folder " + candidate);
  }
  if (path_.size() < 3 || (path_[0] != 'Z' && path_[0] != 'z') || path_[1] != ':')
    throw std::runtime_error("the test programs do not lie on drive Z: " + path_);
  unixPath_ = UnixPathOf(path_);
  for (const wchar_t* name : kVariables) {
    saved_.emplace_back(name, Variable(name));
    SetEnvironmentVariableW(name, nullptr);
  }
  SetEnvironmentVariableW(L"HOME", Widen(unixPath_).c_str());
}

UnixHome::~UnixHome() {
  for (const auto& [name, value] : saved_) SetEnvironmentVariableW(name, value ? value->c_str() : nullptr);
  RemoveUnixTree(path_);  // ~/.steam/steam may be a link
}

std::string UnixHome::UnixPathOf(const std::string& windowsPath) const {
  std::string unix = windowsPath.substr(2);  // drive Z: is the Unix root
  for (char& c : unix) c = c == '\\' ? '/' : c;
  return unix;
}

std::string UnixHome::AddSteamGame(const std::string& library, const std::string& installDir) {
  WriteFile(library + "\\steamapps\\appmanifest_13520.acf",
            "\"AppState\"\n{\n\t\"appid\"\t\t\"13520\"\n\t\"installdir\"\t\t\"" + installDir + "\"\n}\n");
  return MakeGameFolder(library + "\\steamapps\\common", {.folderName = installDir});
}

void UnixHome::ListLibraries(const std::string& steamFolder, const std::vector<std::string>& libraries) {
  std::string vdf = "\"libraryfolders\"\n{\n";
  for (size_t i = 0; i < libraries.size(); ++i)
    vdf += "\t\"" + std::to_string(i) + "\"\n\t{\n\t\t\"path\"\t\t\"" + UnixPathOf(libraries[i]) + "\"\n\t}\n";
  WriteFile(steamFolder + "\\steamapps\\libraryfolders.vdf", vdf + "}\n");
}

}  // namespace velk::testkit
