#include "support/settings_store.h"

#include "support/registry_reader.h"
#include "support/text_codec.h"
#include "support/win_handles.h"

namespace velk {

std::string SettingsKeyPath(const std::string& app, const std::string& section) {
  return "Software\\VB and VBA Program Settings\\" + app + "\\" + section;
}

std::optional<std::string> ReadSetting(const std::string& app, const std::string& section,
                                       const std::string& key) {
  return ReadRegistryText(RegistryRoot::CurrentUser, SettingsKeyPath(app, section), key);
}

bool WriteSetting(const std::string& app, const std::string& section, const std::string& key,
                  const std::string& value) {
  UniqueRegKey regKey;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, Widen(SettingsKeyPath(app, section)).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, regKey.put(),
                      nullptr) != ERROR_SUCCESS)
    return false;
  const std::wstring data = Widen(value);
  const DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(regKey.get(), Widen(key).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(data.c_str()), bytes) == ERROR_SUCCESS;
}

bool DeleteSetting(const std::string& app, const std::string& section, const std::string& key) {
  UniqueRegKey regKey;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, Widen(SettingsKeyPath(app, section)).c_str(), 0, KEY_SET_VALUE,
                    regKey.put()) != ERROR_SUCCESS)
    return true;  // no section, no value
  const LSTATUS rc = RegDeleteValueW(regKey.get(), Widen(key).c_str());
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

std::optional<std::string> ReadGameDirSetting() {
  return ReadSetting(kSettingsApp, kSettingsSection, kGameDirSetting);
}

bool WriteGameDirSetting(const std::string& gameDir) {
  return WriteSetting(kSettingsApp, kSettingsSection, kGameDirSetting, gameDir);
}

}  // namespace velk
