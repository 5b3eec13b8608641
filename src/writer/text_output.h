// Buffered text output for the writer: texts are copied into one large buffer and integers
// are formatted in place, so a file is written in few large pieces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace ordex {

// Where the text goes.
class OutputSink {
 public:
  virtual ~OutputSink() = default;
  virtual void write(const char* data, size_t size) = 0;
};

// Appends to a string (tests, in-memory output).
class StringSink final : public OutputSink {
 public:
  void write(const char* data, size_t size) override { text.append(data, size); }
  std::string text;
};

// Writes to an open file; write errors are not reported.
class FileSink final : public OutputSink {
 public:
  explicit FileSink(std::FILE* file) : file_(file) {}
  void write(const char* data, size_t size) override { std::fwrite(data, 1, size, file_); }

 private:
  std::FILE* file_;
};

// An integer printed in decimal ("%d", "%ld").
struct Dec {
  int64_t value;
};
// An unsigned 32-bit integer printed as upper-case hexadecimal digits without prefix
// ("%lX").
struct Hex {
  uint32_t value;
};

class TextOutput {
 public:
  static constexpr size_t kDefaultCapacity = size_t{1} << 20;

  explicit TextOutput(OutputSink& sink, size_t capacity = kDefaultCapacity)
      : sink_(sink), buf_(new char[capacity]), cap_(capacity) {}
  ~TextOutput() { flush(); }
  TextOutput(const TextOutput&) = delete;
  TextOutput& operator=(const TextOutput&) = delete;

  void put(const char* data, size_t size) {
    if (size <= cap_ - pos_) {
      std::memcpy(buf_.get() + pos_, data, size);
      pos_ += size;
    } else {
      putLarge(data, size);
    }
  }
  void put(char c) {
    if (pos_ == cap_) flush();
    buf_[pos_++] = c;
  }
  void putDec(int64_t value);
  void putHex(uint32_t value);
  // Hands everything buffered to the sink.
  void flush();

  // String literals are copied with their length known at compile time.
  template <size_t N>
  TextOutput& operator<<(const char (&literal)[N]) {
    put(literal, N - 1);
    return *this;
  }
  TextOutput& operator<<(std::string_view s) {
    put(s.data(), s.size());
    return *this;
  }
  TextOutput& operator<<(const std::string& s) {
    put(s.data(), s.size());
    return *this;
  }
  TextOutput& operator<<(char c) {
    put(c);
    return *this;
  }
  TextOutput& operator<<(Dec d) {
    putDec(d.value);
    return *this;
  }
  TextOutput& operator<<(Hex h) {
    putHex(h.value);
    return *this;
  }

 private:
  void putLarge(const char* data, size_t size);

  OutputSink& sink_;
  std::unique_ptr<char[]> buf_;
  size_t cap_;
  size_t pos_ = 0;
};

}  // namespace ordex
