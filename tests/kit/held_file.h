#pragma once
// A file held open as the running game holds its level archive. Header only; it brings in
// windows.h, so only the tests that need it include it.
#include <string>

#include "support/text_codec.h"
#include "support/win_handles.h"

namespace velk::testkit {

// The file opened without sharing: while the handle lives the file can be neither written
// nor deleted. Empty when it cannot be opened.
inline UniqueFile HoldWithoutSharing(const std::string& path) {
  return UniqueFile(CreateFileW(Widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace velk::testkit
