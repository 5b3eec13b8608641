// Name comparison under the process-wide comparison mode.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ordex {

// 0: names compare byte by byte; 1: letter case is ignored. Shared by all instances.
bool caseInsensitiveNames();
void setCaseInsensitiveNames(bool on);

// Lower-case folding of one byte, as used by case-insensitive lookups (ASCII letters).
inline unsigned char foldByte(unsigned char c) {
  return static_cast<unsigned char>(static_cast<unsigned char>(c - 'A') < 26u ? c + ('a' - 'A')
                                                                              : c);
}

inline bool equalExact(std::string_view a, std::string_view b) {
  return a == b;
}
bool equalFolded(std::string_view a, std::string_view b);

// Equality under the current comparison mode.
inline bool namesEqual(std::string_view a, std::string_view b) {
  return caseInsensitiveNames() ? equalFolded(a, b) : a == b;
}

uint64_t hashExact(std::string_view s);
uint64_t hashFolded(std::string_view s);

}  // namespace ordex
