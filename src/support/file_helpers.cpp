#include "support/file_helpers.h"

#include <algorithm>
#include <cstdint>
#include <chrono>
#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>
#include <vector>

#include "support/link_check.h"
#include "support/text_codec.h"
#include "support/win_handles.h"

namespace velk {
namespace {

constexpr DWORD kNoAttributes = INVALID_FILE_ATTRIBUTES;

DWORD AttributesOf(const std::string& path) {
  if (path.empty()) return kNoAttributes;
  return GetFileAttributesW(Widen(path).c_str());
}

bool IsDotEntry(const wchar_t* name) {
  return (name[0] == L'.' && name[1] == L'\0') ||
         (name[0] == L'.' && name[1] == L'.' && name[2] == L'\0');
}

// Deletes one file, or a link as a link; `evenReadOnly` clears a read-only attribute first.
// True when no file of that name is left.
bool DeleteFileWide(const std::wstring& path, bool evenReadOnly) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    if (LeadsElsewhere(path)) {
      RemoveLinkItself(path);
    } else {
      if (evenReadOnly && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(path.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
      DeleteFileW(path.c_str());
    }
  }
  const DWORD after = GetFileAttributesW(path.c_str());
  // A folder of that name is not a file, so no file is left there.
  return after == kNoAttributes || (after & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Deletes everything below `folder` (wide, no trailing backslash) and then the folder itself.
// A link met on the way (to a file or a folder) is removed as a link, or left with what it
// points at: never followed.
void RemoveTreeWide(const std::wstring& folder) {
  if (LeadsElsewhere(folder)) {
    RemoveLinkItself(folder);
    return;
  }
  WIN32_FIND_DATAW data;
  {
    UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (find) {
      do {
        if (IsDotEntry(data.cFileName)) continue;
        const std::wstring child = folder + L"\\" + data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTreeWide(child);
        } else {
          DeleteFileWide(child, true);
        }
      } while (FindNextFileW(find.get(), &data));
    }
  }
  DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesW(folder.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '\\') return folder + name;
  return folder + "\\" + name;
}

std::uint64_t FileSizeOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string FileFingerprint(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return {};
  const std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  const std::uint64_t time =
      (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
  return std::to_string(size) + ":" + std::to_string(time);
}

bool FileExists(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  if (attributes == kNoAttributes) return false;
  // 8 is the volume-label attribute of the old file system calls.
  return (attributes & (FILE_ATTRIBUTE_DIRECTORY | 8)) == 0;
}

bool FolderExists(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool RenameFile(const std::string& oldPath, const std::string& newName) {
  // The folder is everything before the last "\"; the leaf alone is replaced.
  const size_t cut = oldPath.rfind('\\');
  const std::string folder = cut == std::string::npos ? std::string() : oldPath.substr(0, cut);
  const std::string newPath = folder + "\\" + newName;
  return MoveFileW(Widen(oldPath).c_str(), Widen(newPath).c_str()) != FALSE;
}

void KillDir(const std::string& folderPath) {
  if (folderPath.empty()) return;
  RemoveDirectoryW(Widen(folderPath).c_str());
}

bool RemoveFolderTree(const std::string& folderPath) {
  if (folderPath.empty()) return false;
  std::wstring folder = Widen(folderPath);
  while (folder.size() > 1 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  if (GetFileAttributesW(folder.c_str()) == kNoAttributes) return true;
  RemoveTreeWide(folder);
  return GetFileAttributesW(folder.c_str()) == kNoAttributes;
}

std::string txt_ReadAll(const std::string& fileName) {
  if (fileName.empty()) return {};
  // Only ordinary files count: hidden and system files are not found, like a plain Dir().
  constexpr DWORD kSkipped =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | 8;
  bool found = false;
  {
    WIN32_FIND_DATAW data;
    UniqueFind find(FindFirstFileW(Widen(fileName).c_str(), &data));
    if (!find) return {};
    do {
      found = (data.dwFileAttributes & kSkipped) == 0;
    } while (!found && FindNextFileW(find.get(), &data));
  }
  if (!found) return {};
  std::string bytes;
  if (!ReadFileBytes(fileName, bytes)) return {};
  return FromAnsi(bytes);
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  return ReadFileBytesUpTo(path, SIZE_MAX, bytes);
}

bool ReadFileBytesUpTo(const std::string& path, size_t limit, std::string& bytes) {
  bytes.clear();
  if (path.empty()) return false;
  UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return false;
  if (static_cast<unsigned long long>(size.QuadPart) > limit) return false;
  bytes.resize(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD read = 0;
    if (!::ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr)) return false;
    if (read == 0) break;
    done += read;
  }
  bytes.resize(done);
  return true;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  if (path.empty()) return false;
  UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return true;
}

bool DeleteFileAt(const std::string& path) {
  if (path.empty()) return false;
  return DeleteFileWide(Widen(path), false);
}

bool CopyFileOver(const std::string& from, const std::string& to) {
  if (from.empty() || to.empty()) return false;
  return CopyFileW(Widen(from).c_str(), Widen(to).c_str(), FALSE) != FALSE;
}

bool CreateFolders(const std::string& path) {
  if (path.empty()) return false;
  const std::wstring wide = Widen(path);
  // Create each prefix that ends before a separator; the drive and UNC server parts fail
  // harmlessly because they exist or cannot be folders.
  for (size_t i = 1; i < wide.size(); ++i) {
    if (wide[i] == L'\\' || wide[i] == L'/') CreateDirectoryW(wide.substr(0, i).c_str(), nullptr);
  }
  CreateDirectoryW(wide.c_str(), nullptr);
  return FolderExists(path);
}

std::uint32_t GetAttributes(const std::string& path) {
  return static_cast<std::uint32_t>(AttributesOf(path));
}

bool SetAttributes(const std::string& path, std::uint32_t attributes) {
  if (path.empty()) return false;
  return SetFileAttributesW(Widen(path).c_str(), attributes) != FALSE;
}

bool DeleteOwnFile(const std::string& path) {
  if (path.empty()) return false;
  return DeleteFileWide(Widen(path), true);
}

std::int32_t ZufallWith(float r, std::int32_t Obergrenze, std::int32_t Untergrenze) {
  const std::int64_t difference = std::int64_t{Obergrenze} - std::int64_t{Untergrenze};
  if (difference > std::numeric_limits<std::int32_t>::max() ||
      difference < std::numeric_limits<std::int32_t>::min())
    throw std::overflow_error("Zufall: the difference of the bounds leaves the 32-bit range");
  const double scaled = static_cast<double>(r) * static_cast<double>(difference);
  return static_cast<std::int32_t>(static_cast<std::int64_t>(std::floor(scaled)) + Untergrenze);
}

std::int32_t Zufall(std::int32_t Obergrenze, std::int32_t Untergrenze) {
  const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  std::seed_seq seed{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
  std::mt19937 generator(seed);
  // 24 random bits give every single-precision value k / 2^24 in [0, 1) exactly; 1 itself
  // can never come out, which a float distribution may round to.
  const float r = static_cast<float>(generator() >> 8) / 16777216.0f;
  return ZufallWith(r, Obergrenze, Untergrenze);
}

}  // namespace velk
