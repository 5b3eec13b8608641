// Helpers shared by the fuzz targets: a reader that takes typed values from the fuzzer's
// bytes, and a private folder for the files a target reads and writes. Only the public
// header is used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "ordex.h"

namespace ordex_fuzz {

// Takes values from the front of the input; past its end every value is 0.
class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : p_(data), n_(size) {}

  size_t left() const { return n_; }
  const uint8_t* rest() const { return p_; }

  uint8_t byte() {
    if (!n_) return 0;
    --n_;
    return *p_++;
  }
  uint32_t u32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | byte();
    return v;
  }
  uint64_t u64() { return (uint64_t{u32()} << 32) | u32(); }
  double f64() {
    uint64_t bits = u64();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }
  // A small number most of the time, any 32-bit value now and then: values near the
  // edges of a range find more than uniformly spread ones.
  int32_t smallOrAny(int32_t lo, int32_t hi) {
    uint8_t sel = byte();
    if (sel < 200) return lo + static_cast<int32_t>(sel % static_cast<uint32_t>(hi - lo + 1));
    if (sel < 210) return INT32_MAX;
    if (sel < 220) return INT32_MIN;
    if (sel < 230) return -1;
    return static_cast<int32_t>(u32());
  }
  // A text of at most max bytes (a length byte, then the bytes), without zero bytes.
  std::string text(size_t max) {
    size_t len = byte();
    if (len > max) len = max;
    if (len > n_) len = n_;
    std::string s(reinterpret_cast<const char*>(p_), len);
    p_ += len;
    n_ -= len;
    for (char& c : s)
      if (c == '\0') c = ' ';
    return s;
  }

 private:
  const uint8_t* p_;
  size_t n_;
};

// A folder of this process for the files of the targets, made on first use in /dev/shm
// when there is one (fast), else in $TMPDIR or /tmp.
const std::string& scratchFolder();

// Writes bytes to a file of the scratch folder and returns its path.
std::string writeScratchFile(const char* name, const uint8_t* data, size_t size);

// Copies a text into a fixed text field of a public record, cut and terminated.
void setField(char (&field)[ORDEX_TEXT_SIZE], const std::string& value);

}  // namespace ordex_fuzz
