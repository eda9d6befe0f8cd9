#include "support/registry_reader.h"

#include "support/text_codec.h"
#include "support/win_handles.h"

namespace velk {
namespace {

HKEY RootKey(RegistryRoot root) {
  return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

REGSAM ViewFlag(RegistryView view) {
  switch (view) {
    case RegistryView::Bit32: return KEY_WOW64_32KEY;
    case RegistryView::Bit64: return KEY_WOW64_64KEY;
    default: return 0;
  }
}

UniqueRegKey OpenKey(RegistryRoot root, const std::string& keyPath, REGSAM access,
                     RegistryView view) {
  UniqueRegKey key;
  const LSTATUS rc =
      RegOpenKeyExW(RootKey(root), Widen(keyPath).c_str(), 0, access | ViewFlag(view), key.put());
  if (rc != ERROR_SUCCESS) key.release();  // nothing was opened
  return key;
}

}  // namespace

std::optional<std::string> ReadRegistryText(RegistryRoot root, const std::string& keyPath,
                                            const std::string& valueName, RegistryView view) {
  const UniqueRegKey key = OpenKey(root, keyPath, KEY_QUERY_VALUE, view);
  if (!key) return std::nullopt;
  const std::wstring name = Widen(valueName);
  // The value may change between asking for its size and reading it: ask again then.
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD bytes = 0;
    LSTATUS rc =
        RegGetValueW(key.get(), nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes);
    if (rc != ERROR_SUCCESS) return std::nullopt;
    std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    rc = RegGetValueW(key.get(), nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, buffer.data(),
                      &bytes);
    if (rc == ERROR_MORE_DATA) continue;
    if (rc != ERROR_SUCCESS) return std::nullopt;
    // The size counts the terminating zero, which RegGetValue guarantees.
    buffer.resize(bytes / sizeof(wchar_t));
    while (!buffer.empty() && buffer.back() == L'\0') buffer.pop_back();
    return Narrow(buffer);
  }
  return std::nullopt;
}

std::vector<std::string> ListRegistrySubKeys(RegistryRoot root, const std::string& keyPath,
                                             RegistryView view) {
  std::vector<std::string> names;
  const UniqueRegKey key = OpenKey(root, keyPath, KEY_ENUMERATE_SUB_KEYS, view);
  if (!key) return names;
  wchar_t name[256];  // a key name has at most 255 characters
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name / sizeof name[0];
    const LSTATUS rc =
        RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc == ERROR_SUCCESS) names.push_back(Narrow(std::wstring_view(name, length)));
    else if (rc != ERROR_MORE_DATA) break;
  }
  return names;
}

}  // namespace velk
