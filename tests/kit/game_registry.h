#pragma once
// The registry entries that game detection reads, written for one test and removed when it
// ends. Test processes running side by side share the prefix's registry, so every test that
// writes them or checks what a first start finds holds the settings lock while it lives.
#include <optional>
#include <string>
#include <vector>

#include "kit/named_lock.h"

namespace velk::testkit {

class GameRegistry : public SettingsLock {
 public:
  // Takes the lock and sets Steam's SteamPath aside, so that only this test's entries count.
  GameRegistry();
  // Removes every entry written, puts SteamPath back and releases the lock.
  ~GameRegistry();
  GameRegistry(const GameRegistry&) = delete;
  GameRegistry& operator=(const GameRegistry&) = delete;

  // HKCU\Software\Valve\Steam, value SteamPath.
  void SetSteamPath(const std::string& path);
  // The next three write below HKLM\SOFTWARE\WOW6432Node (where 32-bit installers' entries
  // land on 64-bit Windows) under a new key name of this test's own.
  // GOG.com\Games\<id>: path and gameName.
  void AddGogGame(const std::string& path);
  // Ubisoft\Launcher\Installs\<id>: InstallDir.
  void AddUbisoftGame(const std::string& installDir);
  // Microsoft\Windows\CurrentVersion\Uninstall\<id>: DisplayName and InstallLocation; with
  // `bit64` in the 64-bit registry (no WOW6432Node) instead.
  void AddUninstallEntry(const std::string& displayName, const std::string& installLocation,
                         bool bit64 = false);
  // A Steam folder below `parent` whose second library holds the game as Steam installs it
  // (library list, app manifest, steamapps\common\Far Cry), with SteamPath pointing at it.
  // Returns the game folder.
  std::string AddSteamGame(const std::string& parent);

 private:
  std::string NewKey(const std::string& parent);

  std::optional<std::string> savedSteamPath_;
  std::vector<std::string> addedKeys_;         // below HKLM
  std::vector<std::string> vendorKeysToDrop_;  // "HKCU\..." or "HKLM\...": absent before the test
};

}  // namespace velk::testkit
