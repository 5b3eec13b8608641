#include "writer/text_output.h"

namespace ordex {

void TextOutput::flush() {
  if (pos_ == 0) return;
  sink_.write(buf_.get(), pos_);
  pos_ = 0;
}

void TextOutput::putLarge(const char* data, size_t size) {
  flush();
  if (size >= cap_) {
    sink_.write(data, size);
    return;
  }
  std::memcpy(buf_.get(), data, size);
  pos_ = size;
}

void TextOutput::putDec(int64_t value) {
  char digits[24];
  char* end = digits + sizeof digits;
  char* p = end;
  // Negated in unsigned arithmetic, so the most negative value prints too.
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *--p = '-';
  put(p, static_cast<size_t>(end - p));
}

void TextOutput::putHex(uint32_t value) {
  static const char kDigits[] = "0123456789ABCDEF";
  char digits[8];
  char* end = digits + sizeof digits;
  char* p = end;
  do {
    *--p = kDigits[value & 0xF];
    value >>= 4;
  } while (value != 0);
  put(p, static_cast<size_t>(end - p));
}

}  // namespace ordex
