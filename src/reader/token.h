// A token as the reader delivers it: at most 1023 bytes, always zero-terminated, with the
// place it was read from.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace ordex {

struct Token {
  static constexpr uint32_t kCapacity = 1024;

  static constexpr uint32_t kNoFile = ~0u;

  char text[kCapacity];
  uint32_t size = 0;  // bytes before the first zero byte
  // The file among those the read opened (in the order they were opened) and the token's
  // bytes in it, from its first byte to behind its last; kNoFile for the empty tokens that
  // follow the end of the input.
  uint32_t file = kNoFile;
  uint32_t begin = 0;
  uint32_t end = 0;

  Token() { text[0] = '\0'; }
  std::string_view view() const { return std::string_view(text, size); }
  bool is(std::string_view s) const { return view() == s; }
  bool empty() const { return size == 0; }
  void clear() {
    text[0] = '\0';
    size = 0;
    file = kNoFile;
    begin = end = 0;
  }
  void assign(std::string_view s) {
    size_t n = s.size() < kCapacity - 1 ? s.size() : kCapacity - 1;
    std::memcpy(text, s.data(), n);
    text[n] = '\0';
    size = static_cast<uint32_t>(strnlen(text, n));
  }
};

}  // namespace ordex
