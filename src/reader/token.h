// A token as the reader delivers it: at most 1023 bytes, always zero-terminated, with the
// place it was read from.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace ordex {

struct Token {
  static constexpr uint32_t kCapacity = 1024;

  char text[kCapacity];
  uint32_t size = 0;  // bytes before the first zero byte
  // The token's bytes in the text of its file, from its first byte to behind its last. They
  // stay valid while a read holds its files whole (when it keeps their text); null for the
  // empty tokens that follow the end of the input.
  const unsigned char* from = nullptr;
  const unsigned char* to = nullptr;

  Token() { text[0] = '\0'; }
  std::string_view view() const { return std::string_view(text, size); }
  bool is(std::string_view s) const { return view() == s; }
  bool empty() const { return size == 0; }
  void clear() {
    text[0] = '\0';
    size = 0;
    from = to = nullptr;
  }
  void assign(std::string_view s) {
    size_t n = s.size() < kCapacity - 1 ? s.size() : kCapacity - 1;
    std::memcpy(text, s.data(), n);
    text[n] = '\0';
    size = static_cast<uint32_t>(strnlen(text, n));
  }
};

}  // namespace ordex
