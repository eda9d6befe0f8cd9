#include "support/folder_scan.h"

#include "support/text_codec.h"
#include "support/win_handles.h"

namespace velk {
namespace {

void Pump(const std::function<void()>& processPendingEvents) {
  if (processPendingEvents) processPendingEvents();
}

bool IsDotEntry(const std::wstring& name) { return name == L"." || name == L".."; }

// One enumeration of `searchSpec`: remembers sub-folders when `collectFolders`, and records
// the files when `collectFiles`.
void EnumerateOnce(const std::string& searchSpec, bool collectFolders, bool collectFiles,
                   std::vector<FileEntry>& files, std::vector<std::string>& subFolders,
                   const std::function<void()>& processPendingEvents) {
  WIN32_FIND_DATAW data;
  UniqueFind find(FindFirstFileW(Widen(searchSpec).c_str(), &data));
  if (!find) return;
  do {
    const std::wstring name(data.cFileName);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (collectFolders && !IsDotEntry(name)) subFolders.push_back(Narrow(name));
    } else if (collectFiles) {
      Pump(processPendingEvents);
      files.emplace_back();
      FillFileEntry(files.back(), Narrow(name), searchSpec);
    }
    Pump(processPendingEvents);
  } while (FindNextFileW(find.get(), &data));
}

}  // namespace

void FillFileEntry(FileEntry& entry, const std::string& foundName, const std::string& searchSpec) {
  entry.Name = foundName.substr(0, foundName.find('\0'));
  const size_t cut = searchSpec.rfind('\\');
  entry.Path = cut == std::string::npos ? std::string() : searchSpec.substr(0, cut + 1);
  entry.FullName = entry.Path + entry.Name;
}

void FindFiles(const std::string& path, bool recursive, const std::string& pattern,
               std::vector<FileEntry>& files, const std::function<void()>& processPendingEvents) {
  Pump(processPendingEvents);
  std::string folder = path;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();

  // A narrower pattern hides the sub-folders whose names do not match it, so they come from a
  // second pass over "*.*"; the first pass then leaves folders alone, or a folder whose name
  // matches the pattern (say "old.pak") would be scanned twice.
  const bool allNames = pattern == "*.*";
  std::vector<std::string> subFolders;
  EnumerateOnce(folder + "\\" + pattern, recursive && allNames, true, files, subFolders,
                processPendingEvents);
  if (!recursive) return;
  if (!allNames)
    EnumerateOnce(folder + "\\*.*", true, false, files, subFolders, processPendingEvents);

  for (const std::string& subFolder : subFolders) {
    Pump(processPendingEvents);
    FindFiles(folder + "\\" + subFolder, recursive, pattern, files, processPendingEvents);
  }
}

}  // namespace velk
