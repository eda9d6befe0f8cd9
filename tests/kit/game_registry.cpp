#include "kit/game_registry.h"

#include "kit/test_kit.h"

#include <windows.h>

#include <stdexcept>

#include "support/registry_reader.h"
#include "support/text_codec.h"
#include "support/win_handles.h"

namespace velk::testkit {
namespace {

constexpr const char* kSteamKey = "Software\\Valve\\Steam";
constexpr const char* kWow = "SOFTWARE\\WOW6432Node\\";
// Vendor keys that a test may be the first to create, and then removes whole.
constexpr const char* kVendorKeys[] = {"HKCU\\Software\\Valve",
                                       "HKLM\\SOFTWARE\\WOW6432Node\\GOG.com",
                                       "HKLM\\SOFTWARE\\WOW6432Node\\Ubisoft"};

HKEY RootOf(const std::string& fullPath) {
  return fullPath.rfind("HKCU\\", 0) == 0 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

bool KeyExists(HKEY root, const std::string& path) {
  UniqueRegKey key;
  return RegOpenKeyExW(root, Widen(path).c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

void WriteText(HKEY root, const std::string& path, const std::string& name,
               const std::string& value) {
  UniqueRegKey key;
  LSTATUS rc = RegCreateKeyExW(root, Widen(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_SET_VALUE, nullptr, key.put(), nullptr);
  if (rc == ERROR_SUCCESS) {
    const std::wstring data = Widen(value);
    rc = RegSetValueExW(key.get(), Widen(name).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(data.c_str()),
                        static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  }
  if (rc != ERROR_SUCCESS)
    throw std::runtime_error("cannot write the registry value " + path + "\\" + name + " (error " +
                             std::to_string(rc) + ")");
}

void DeleteSteamPath() {
  UniqueRegKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, Widen(kSteamKey).c_str(), 0, KEY_SET_VALUE, key.put()) ==
      ERROR_SUCCESS)
    RegDeleteValueW(key.get(), L"SteamPath");
}

}  // namespace

GameRegistry::GameRegistry() {
  for (const char* vendor : kVendorKeys) {
    const std::string full = vendor;
    if (!KeyExists(RootOf(full), full.substr(5))) vendorKeysToDrop_.push_back(full);
  }
  savedSteamPath_ = ReadRegistryText(RegistryRoot::CurrentUser, kSteamKey, "SteamPath");
  DeleteSteamPath();
}

GameRegistry::~GameRegistry() {
  for (const std::string& key : addedKeys_) RegDeleteTreeW(HKEY_LOCAL_MACHINE, Widen(key).c_str());
  if (savedSteamPath_) {
    try {
      WriteText(HKEY_CURRENT_USER, kSteamKey, "SteamPath", *savedSteamPath_);
    } catch (const std::exception&) {
    }
  } else {
    DeleteSteamPath();
  }
  for (const std::string& vendor : vendorKeysToDrop_)
    RegDeleteTreeW(RootOf(vendor), Widen(vendor.substr(5)).c_str());
}

std::string GameRegistry::NewKey(const std::string& parent) {
  const std::string key = parent + "\\velk-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                          std::to_string(addedKeys_.size() + 1);
  addedKeys_.push_back(key);
  return key;
}

void GameRegistry::SetSteamPath(const std::string& path) {
  WriteText(HKEY_CURRENT_USER, kSteamKey, "SteamPath", path);
}

void GameRegistry::AddGogGame(const std::string& path) {
  const std::string key = NewKey(std::string(kWow) + "GOG.com\\Games");
  WriteText(HKEY_LOCAL_MACHINE, key, "path", path);
  WriteText(HKEY_LOCAL_MACHINE, key, "gameName", "Far Cry");
}

void GameRegistry::AddUbisoftGame(const std::string& installDir) {
  const std::string key = NewKey(std::string(kWow) + "Ubisoft\\Launcher\\Installs");
  WriteText(HKEY_LOCAL_MACHINE, key, "InstallDir", installDir);
}

void GameRegistry::AddUninstallEntry(const std::string& displayName,
                                     const std::string& installLocation, bool bit64) {
  const std::string key = NewKey(std::string(bit64 ? "SOFTWARE\\" : kWow) +
                                 "Microsoft\\Windows\\CurrentVersion\\Uninstall");
  WriteText(HKEY_LOCAL_MACHINE, key, "DisplayName", displayName);
  WriteText(HKEY_LOCAL_MACHINE, key, "InstallLocation", installLocation);
}

std::string GameRegistry::AddSteamGame(const std::string& parent) {
  const std::string steam = parent + "\\Steam";
  const std::string library = parent + "\\Steam Library";
  auto vdfQuoted = [](const std::string& path) {
    std::string out = "\"";
    for (char c : path) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return out + "\"";
  };
  testkit::WriteFile(steam + "\\steamapps\\libraryfolders.vdf",
            "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t" + vdfQuoted(steam) +
                "\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t" + vdfQuoted(library) + "\n\t}\n}\n");
  testkit::WriteFile(library + "\\steamapps\\appmanifest_13520.acf",
            "\"AppState\"\n{\n\t\"appid\"\t\t\"13520\"\n\t\"installdir\"\t\t\"Far Cry\"\n}\n");
  std::string forward = steam;
  for (char& c : forward)
    if (c == '\\') c = '/';
  SetSteamPath(forward);
  return testkit::MakeGameFolder(library + "\\steamapps\\common");
}

}  // namespace velk::testkit
