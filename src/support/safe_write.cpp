#include "support/safe_write.h"

#include "support/file_helpers.h"
#include "support/text_codec.h"
#include "support/win_handles.h"

namespace velk {
namespace {

// The file's data on the disk before its name is changed: otherwise a power cut right after
// the move could leave the new name with no content.
bool Flush(const std::string& path) {
  UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && FlushFileBuffers(file.get());
}

bool PutInPlace(const std::string& part, const std::string& path, Durability durability) {
  const bool flushed = durability == Durability::KillSafe || Flush(part);
  const bool moved = flushed && (durability == Durability::KillSafe
                                     ? MoveFileExW(Widen(part).c_str(), Widen(path).c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE
                                     : MoveFileOver(part, path));
  if (!moved) DeleteFileAt(part);
  return moved;
}

}  // namespace

bool WriteFileSafely(const std::string& path, const std::string& bytes, Durability durability) {
  const std::string part = path + kPartSuffix;
  if (!WriteFileBytes(part, bytes)) {
    DeleteFileAt(part);
    return false;
  }
  return PutInPlace(part, path, durability);
}

bool CopyFileSafely(const std::string& from, const std::string& to, Durability durability) {
  const std::string part = to + kPartSuffix;
  if (!CopyFileOver(from, part)) {
    DeleteFileAt(part);
    return false;
  }
  // A copy keeps the source's attributes: a read-only one is flushed without the attribute
  // and gets it back once in place.
  const std::uint32_t attributes = GetAttributes(part);
  const bool readOnly = attributes != 0xFFFFFFFFu && (attributes & FILE_ATTRIBUTE_READONLY);
  if (readOnly) SetAttributes(part, attributes & ~std::uint32_t{FILE_ATTRIBUTE_READONLY});
  if (!PutInPlace(part, to, durability)) return false;
  if (readOnly) SetAttributes(to, attributes);
  return true;
}

bool MoveFileOver(const std::string& from, const std::string& to) {
  return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

}  // namespace velk
