// Copying texts into the fixed-size text fields of public records.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ordex {

// Size of every text field of the public records.
constexpr size_t kTextField = 256;

// Copies at most n-1 bytes of text into field and always terminates it; n = 0 writes
// nothing.
void copyToField(char* field, std::string_view text, size_t n = kTextField);
inline void copyToField(char* field, const char* text, size_t n = kTextField) {
  copyToField(field, text ? std::string_view(text) : std::string_view(), n);
}
inline void copyToField(char* field, const std::string& text, size_t n = kTextField) {
  copyToField(field, std::string_view(text), n);
}

// The text of a caller's zero-terminated field of n bytes (never reads past the field).
std::string_view fieldText(const char* field, size_t n = kTextField);

}  // namespace ordex
