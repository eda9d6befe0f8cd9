#pragma once
// The per-user settings store of earlier versions of this wizard:
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>.
#include <optional>
#include <string>

namespace velk {

inline constexpr const char* kSettingsApp = "VELK-Installer";
inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kGameDirSetting = "FCDir";

// The key below HKEY_CURRENT_USER that holds a section's values.
std::string SettingsKeyPath(const std::string& app, const std::string& section);
// Removes a value; true when it is gone afterwards.
bool DeleteSetting(const std::string& app, const std::string& section, const std::string& key);

std::optional<std::string> ReadSetting(const std::string& app, const std::string& section,
                                       const std::string& key);
bool WriteSetting(const std::string& app, const std::string& section, const std::string& key,
                  const std::string& value);

// The remembered game folder (FCDir).
std::optional<std::string> ReadGameDirSetting();
bool WriteGameDirSetting(const std::string& gameDir);

}  // namespace velk
