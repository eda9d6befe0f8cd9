#pragma once
// Reads other programs' registry entries: text values and the names of sub-keys, in a chosen
// view. On 64-bit Windows, 32-bit installers write below HKLM\SOFTWARE\WOW6432Node; the
// 32-bit view reads there by the names the installers used.
#include <optional>
#include <string>
#include <vector>

namespace velk {

enum class RegistryRoot { CurrentUser, LocalMachine };
// Default: the program's own view; Bit32 and Bit64 pick one regardless of how it was built.
enum class RegistryView { Default, Bit32, Bit64 };

// A REG_SZ (or expanded REG_EXPAND_SZ) value; nullopt when the key or value is missing or
// holds something else. An empty text is a value, not a missing one.
std::optional<std::string> ReadRegistryText(RegistryRoot root, const std::string& keyPath,
                                            const std::string& valueName,
                                            RegistryView view = RegistryView::Default);

// Names of the key's direct sub-keys in the registry's order; empty when the key is missing.
std::vector<std::string> ListRegistrySubKeys(RegistryRoot root, const std::string& keyPath,
                                             RegistryView view = RegistryView::Default);

}  // namespace velk
