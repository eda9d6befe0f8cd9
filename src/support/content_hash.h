#pragma once
// A short fingerprint of a file's bytes, to tell whether a file is still the one written.
#include <cstdint>
#include <cstdio>
#include <string>

namespace velk {

// FNV-1a (64 bit) of the bytes, as 16 lower-case hex digits.
inline std::string ContentHash(const std::string& bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

}  // namespace velk
