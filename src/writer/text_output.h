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

#include "model/sub_records.h"
#include "platform/replacing_file.h"

// The pieces of a line are written through a cursor kept in a register only when every
// step is inlined into the function that writes the line.
#define ORDEX_WRITER_INLINE inline __attribute__((always_inline))

namespace ordex {

// Writes the shortest decimal text of value that reads back to it (at most 24 bytes).
char* putShortestDouble(char* p, double value);

// Where the text goes.
class OutputSink {
 public:
  virtual ~OutputSink() = default;
  virtual void write(const char* data, size_t size) = 0;
};

// Writes to a file that replaces its target on commit; the file remembers the first failed
// write, and its commit() reports it.
class FileSink final : public OutputSink {
 public:
  explicit FileSink(platform::ReplacingFile& file) : file_(file) {}
  void write(const char* data, size_t size) override { file_.write(data, size); }

 private:
  platform::ReplacingFile& file_;
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
// A run of at most 16 blanks (the indentation of a line).
struct Blanks {
  size_t count;
};

// Copies a piece of at most Line::kPiece bytes. Most pieces are short: they are copied with
// fixed-size moves (two overlapping ones), which the compiler inlines, instead of a call.
ORDEX_WRITER_INLINE char* copyShort(char* to, const char* from, size_t size) {
  if (size <= 16) {
    if (size >= 8) {
      std::memcpy(to, from, 8);
      std::memcpy(to + size - 8, from + size - 8, 8);
    } else if (size >= 4) {
      std::memcpy(to, from, 4);
      std::memcpy(to + size - 4, from + size - 4, 4);
    } else {
      for (size_t i = 0; i < size; ++i) to[i] = from[i];
    }
  } else if (size <= 32) {
    std::memcpy(to, from, 16);
    std::memcpy(to + size - 16, from + size - 16, 16);
  } else {
    std::memcpy(to, from, size);
  }
  return to + size;
}

// value in decimal at to; returns the end.
ORDEX_WRITER_INLINE char* putDecimal(char* to, int64_t value) {
  // Negated in unsigned arithmetic, so the most negative value prints too.
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  if (value < 0) *to++ = '-';
  int digits = 1;
  for (uint64_t rest = magnitude / 10; rest != 0; rest /= 10) ++digits;
  char* end = to + digits;
  char* p = end;
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  return end;
}

// value in upper-case hexadecimal digits at to; returns the end.
ORDEX_WRITER_INLINE char* putHexadecimal(char* to, uint32_t value) {
  const int digits = value == 0 ? 1 : (35 - __builtin_clz(value)) / 4;
  char* end = to + digits;
  char* p = end;
  do {
    *--p = "0123456789ABCDEF"[value & 0xF];
    value >>= 4;
  } while (value != 0);
  return end;
}

class TextOutput {
 public:
  static constexpr size_t kDefaultCapacity = size_t{1} << 18;
  // Room behind the flush threshold that a Line may fill before it next checks.
  static constexpr size_t kSlack = size_t{64} << 10;

  explicit TextOutput(OutputSink& sink, size_t capacity = kDefaultCapacity)
      : sink_(sink),
        buf_(new char[capacity + kSlack]),
        cur_(buf_.get()),
        limit_(buf_.get() + capacity),
        end_(limit_ + kSlack) {}
  ~TextOutput() { flush(); }
  TextOutput(const TextOutput&) = delete;
  TextOutput& operator=(const TextOutput&) = delete;

  void put(const char* data, size_t size) {
    if (size > static_cast<size_t>(end_ - cur_)) return putLarge(data, size);
    cur_ = copyShort(cur_, data, size);
  }
  void put(std::string_view s) { put(s.data(), s.size()); }
  // Hands everything buffered to the sink.
  void flush();

  // The cursor protocol of Line: the cursor at the start of a stretch (with at least kSlack
  // bytes of room), and the cursor where it ended.
  char* lineStart() {
    if (cur_ > limit_) flush();
    return cur_;
  }
  void lineEnd(char* at) { cur_ = at; }
  bool overLimit(const char* at) const { return at > limit_; }
  // Writes a piece of any size at the cursor at; returns the cursor behind it.
  char* putAt(char* at, const char* data, size_t size) {
    cur_ = at;
    put(data, size);
    return cur_;
  }

 private:
  void putLarge(const char* data, size_t size);

  OutputSink& sink_;
  std::unique_ptr<char[]> buf_;
  char* cur_;
  char* limit_;  // the flush threshold
  char* end_;    // the end of the buffer, kSlack behind the threshold
};

// One stretch of output, usually one line, written through a cursor that the compiler can
// keep in a register: pieces of at most kPiece bytes are copied without a capacity check,
// which the slack of TextOutput makes safe as long as a Line writes fewer than
// kSlack / kPiece such pieces between checks (at its start and at each checkpoint()).
// Longer pieces take the checked path.
class Line {
 public:
  static constexpr size_t kPiece = 256;

  ORDEX_WRITER_INLINE explicit Line(TextOutput& out) : out_(out), p_(out.lineStart()) {}
  ORDEX_WRITER_INLINE ~Line() { out_.lineEnd(p_); }
  Line(const Line&) = delete;
  Line& operator=(const Line&) = delete;

  // Called in loops that write many pieces through one Line.
  ORDEX_WRITER_INLINE void checkpoint() {
    if (out_.overLimit(p_)) {
      out_.lineEnd(p_);
      p_ = out_.lineStart();
    }
  }

  template <size_t N>
  ORDEX_WRITER_INLINE Line& operator<<(const char (&literal)[N]) {
    static_assert(N - 1 <= kPiece, "a literal is a short piece");
    p_ = copyShort(p_, literal, N - 1);
    return *this;
  }
  ORDEX_WRITER_INLINE Line& operator<<(std::string_view s) {
    p_ =
        s.size() <= kPiece ? copyShort(p_, s.data(), s.size()) : out_.putAt(p_, s.data(), s.size());
    return *this;
  }
  // A number is written as the text it was read or given with; a number given without
  // text (through the interface) as the shortest text that reads back to its value, so
  // that the file stays readable.
  ORDEX_WRITER_INLINE Line& operator<<(const NumberText& n) {
    if (!n.Text.empty()) return *this << std::string_view(n.Text);
    p_ = putShortestDouble(p_, n.Value);
    return *this;
  }
  ORDEX_WRITER_INLINE Line& operator<<(char c) {
    *p_++ = c;
    return *this;
  }
  ORDEX_WRITER_INLINE Line& operator<<(Blanks b) {
    std::memcpy(p_, "                ", 16);  // the slack takes the blanks beyond the count
    p_ += b.count;
    return *this;
  }
  ORDEX_WRITER_INLINE Line& operator<<(Dec d) {
    p_ = putDecimal(p_, d.value);
    return *this;
  }
  ORDEX_WRITER_INLINE Line& operator<<(Hex h) {
    p_ = putHexadecimal(p_, h.value);
    return *this;
  }

  // For writers of their own pieces: the cursor, and the output for pieces of any size.
  ORDEX_WRITER_INLINE char*& cursor() { return p_; }
  ORDEX_WRITER_INLINE TextOutput& output() { return out_; }

 private:
  TextOutput& out_;
  char* p_;
};

}  // namespace ordex
