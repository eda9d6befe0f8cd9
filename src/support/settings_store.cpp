#include "support/settings_store.h"

#include "support/text_codec.h"
#include "support/win_handles.h"

namespace velk {
namespace {

std::wstring SettingsKeyPath(const std::string& app, const std::string& section) {
  return Widen("Software\\VB and VBA Program Settings\\" + app + "\\" + section);
}

}  // namespace

std::optional<std::string> ReadSetting(const std::string& app, const std::string& section,
                                       const std::string& key) {
  const std::wstring keyPath = SettingsKeyPath(app, section);
  const std::wstring name = Widen(key);
  // The value may change between asking for its size and reading it: ask again then.
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD bytes = 0;
    LSTATUS rc = RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), name.c_str(), RRF_RT_REG_SZ,
                              nullptr, nullptr, &bytes);
    if (rc != ERROR_SUCCESS) return std::nullopt;
    std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    rc = RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                      buffer.data(), &bytes);
    if (rc == ERROR_MORE_DATA) continue;
    if (rc != ERROR_SUCCESS) return std::nullopt;
    // The size counts the terminating zero, which RegGetValue guarantees.
    buffer.resize(bytes / sizeof(wchar_t));
    while (!buffer.empty() && buffer.back() == L'\0') buffer.pop_back();
    return Narrow(buffer);
  }
  return std::nullopt;
}

bool WriteSetting(const std::string& app, const std::string& section, const std::string& key,
                  const std::string& value) {
  UniqueRegKey regKey;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, SettingsKeyPath(app, section).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, regKey.put(),
                      nullptr) != ERROR_SUCCESS)
    return false;
  const std::wstring data = Widen(value);
  const DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(regKey.get(), Widen(key).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(data.c_str()), bytes) == ERROR_SUCCESS;
}

std::optional<std::string> ReadGameDirSetting() {
  return ReadSetting(kSettingsApp, kSettingsSection, kGameDirSetting);
}

bool WriteGameDirSetting(const std::string& gameDir) {
  return WriteSetting(kSettingsApp, kSettingsSection, kGameDirSetting, gameDir);
}

}  // namespace velk
