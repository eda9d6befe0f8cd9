#pragma once
// Small file operations with forgiving contracts: failures answer false, empty or nothing.
#include <cstdint>
#include <string>

namespace velk {

// folder + "\" + name; a drive root ("X:\") already ends in its backslash and gets no second.
std::string JoinPath(const std::string& folder, const std::string& name);

// True only for an existing file (not a folder, not a volume label).
bool FileExists(const std::string& path);
// The size of a file in bytes; 0 when it is missing or cannot be asked.
std::uint64_t FileSizeOf(const std::string& path);
// A file's size and last write time as one text ("<size>:<time>"); empty when it is missing.
// Equal texts: the file was not replaced or changed in between, as far as the file system
// tells.
std::string FileFingerprint(const std::string& path);
// True only for an existing folder.
bool FolderExists(const std::string& path);
// Gives the file a new leaf name in its own folder. Callers may ignore the result: true when
// the rename happened; every failure leaves the file unchanged.
bool RenameFile(const std::string& oldPath, const std::string& newName);
// Removes the folder when it is empty; every failure is ignored.
void KillDir(const std::string& folderPath);
// Removes a folder with everything in it, links as links (never what they point at). Returns
// true when the folder is gone afterwards.
bool RemoveFolderTree(const std::string& folderPath);
// The whole file decoded from the ANSI code page; empty when missing, hidden or system.
std::string txt_ReadAll(const std::string& fileName);
// Raw bytes of a file; false when it cannot be read.
bool ReadFileBytes(const std::string& path, std::string& bytes);
// The same for a file that may be at most `limit` bytes: false, reading nothing, when it is
// longer (a file of another program that may be huge).
bool ReadFileBytesUpTo(const std::string& path, size_t limit, std::string& bytes);
// Creates or replaces the file with exactly these bytes.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// Deletes one file; true when it is gone afterwards (also when it never existed). A link is
// removed as a link, never its target (left in place where that cannot be done).
bool DeleteFileAt(const std::string& path);
// Copies one file over an existing one; true on success.
bool CopyFileOver(const std::string& from, const std::string& to);
// Creates a folder and its missing parents; true when it exists afterwards.
bool CreateFolders(const std::string& path);
// File attributes: 0xFFFFFFFF for a missing path.
std::uint32_t GetAttributes(const std::string& path);
bool SetAttributes(const std::string& path, std::uint32_t attributes);
// Deletes one file even when it carries the read-only attribute; true when it is gone
// afterwards. Only for the program's own files.
bool DeleteOwnFile(const std::string& path);

// A random integer: floor(r * (Obergrenze - Untergrenze)) + Untergrenze, r uniform in [0, 1),
// the generator reseeded from the clock on every call. Throws std::overflow_error when the
// difference does not fit in 32 bits.
std::int32_t Zufall(std::int32_t Obergrenze, std::int32_t Untergrenze);
// The same formula for a given draw r in [0, 1), so that the bounds can be checked exactly.
std::int32_t ZufallWith(float r, std::int32_t Obergrenze, std::int32_t Untergrenze);

}  // namespace velk
