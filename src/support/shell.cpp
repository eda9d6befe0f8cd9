#include "support/shell.h"

#include "support/win_handles.h"

#include <shellapi.h>
#include <shlobj.h>

#include "support/text_codec.h"

namespace velk {
namespace {

// Owns an item list that the shell allocated with the COM allocator.
struct ItemListTraits {
  using Type = PIDLIST_ABSOLUTE;
  static Type Invalid() { return nullptr; }
  static void Close(Type items) { CoTaskMemFree(items); }
};
using UniqueItemList = UniqueResource<ItemListTraits>;

// The file-system path of an item list; false for items that have none. The buffer is the
// largest path the system knows, so long paths are not cut.
bool PathOfItems(PCIDLIST_ABSOLUTE items, std::wstring& path) {
  std::wstring buffer(32768, L'\0');
  if (SHGetPathFromIDListEx(items, buffer.data(), static_cast<DWORD>(buffer.size()),
                            GPFIDL_DEFAULT) != TRUE)
    return false;
  buffer.resize(buffer.find(L'\0'));
  path = std::move(buffer);
  return true;
}

}  // namespace

std::string BrowseForFolder(const std::string& title) {
  ComScope com;
  const std::wstring caption = Widen(title);
  BROWSEINFOW info{};
  info.hwndOwner = GetActiveWindow();
  info.pidlRoot = nullptr;        // start at the top of the shell namespace
  info.pszDisplayName = nullptr;  // the path is all the caller needs
  info.lpszTitle = caption.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  UniqueItemList chosen(SHBrowseForFolderW(&info));
  if (!chosen) return {};  // cancelled
  std::wstring path;
  if (!PathOfItems(chosen.get(), path)) return {};
  return Narrow(path);
}

bool GetSpecialFolder(void* ownerWindow, int folderId, std::string& path) {
  UniqueItemList items;
  if (SHGetSpecialFolderLocation(static_cast<HWND>(ownerWindow), folderId, items.put()) != S_OK)
    return false;
  std::wstring found;
  if (!PathOfItems(items.get(), found)) return false;
  const size_t first = found.find_first_not_of(L' ');
  if (first == std::wstring::npos) return true;  // nothing left to store
  found = found.substr(first, found.find_last_not_of(L' ') - first + 1);
  path = Narrow(found);
  return true;
}

bool CreateShortcut(const std::string& linkFile, const std::string& target,
                    const std::string& workDir, const std::string& arguments,
                    const std::string& iconFile, int iconIndex, int showCmd) {
  if (linkFile.empty() || target.empty()) return false;
  ComScope com;
  ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              link.put_void())))
    return false;
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.put_void()))) return false;

  // An existing target is set by its item list: SetPath also asks for the volume's label and
  // serial, which under Wine prints a diagnostic for drives it cannot read the device of.
  // SetPath answers S_FALSE for a target that does not exist yet; that still sets it.
  const std::wstring targetWide = Widen(target);
  UniqueItemList targetItems(ILCreateFromPathW(targetWide.c_str()));
  if (targetItems ? FAILED(link->SetIDList(targetItems.get())) : FAILED(link->SetPath(targetWide.c_str())))
    return false;
  if (!workDir.empty() && FAILED(link->SetWorkingDirectory(Widen(workDir).c_str()))) return false;
  if (!arguments.empty() && FAILED(link->SetArguments(Widen(arguments).c_str()))) return false;
  if (FAILED(link->SetDescription(L""))) return false;
  if (!iconFile.empty() && FAILED(link->SetIconLocation(Widen(iconFile).c_str(), iconIndex)))
    return false;
  if (FAILED(link->SetShowCmd(showCmd))) return false;
  if (FAILED(link->Resolve(nullptr, SLR_UPDATE))) return false;
  return SUCCEEDED(file->Save(Widen(linkFile).c_str(), FALSE));
}

void OpenWebAddress(void* ownerWindow, const std::string& address, const std::string& appDir) {
  const std::wstring folder = Widen(appDir);
  ShellExecuteW(static_cast<HWND>(ownerWindow), L"open", Widen(address).c_str(), L"",
                folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL);
}

}  // namespace velk
