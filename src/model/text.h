// Text: the string type of record fields. Eight bytes: null for the empty text, else a
// pointer to a block holding the length, the bytes and a terminating zero. The length takes
// one byte below 255 (nearly every name and number of a model), else a 255 and four bytes:
// a large model holds millions of texts, and their headers are a good part of its size. While a
// read runs, texts are placed in the project's text arena (a bump allocator freed with the
// project), which keeps a large model compact and its teardown fast; texts set at any
// other time live on the heap and are freed with their record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/large_buffer.h"

namespace ordex {

// Chunked storage for the texts and records of a read; freed as a whole. Each chunk is
// twice the size of the one before, up to a limit, so a small read takes little memory and
// a large one few chunks; the large chunks are mapped memory asked for huge pages, whose
// first touch costs one page fault per 2 MiB instead of one per 4 KiB.
class TextArena {
 public:
  TextArena() = default;
  ~TextArena();
  TextArena(const TextArena&) = delete;
  TextArena& operator=(const TextArena&) = delete;
  // size bytes aligned to 2.
  void* allocate(size_t size) {
    size = (size + 1) & ~size_t{1};
    if (static_cast<size_t>(end_ - next_) < size) return allocateInNewChunk(size);
    void* p = next_;
    next_ += size;
    used_ += size;
    return p;
  }
  // size bytes aligned to 8.
  void* allocateAligned(size_t size) {
    size_t pad = (8 - (reinterpret_cast<uintptr_t>(next_) & 7)) & 7;
    next_ = static_cast<size_t>(end_ - next_) >= pad ? next_ + pad : end_;
    return allocate(size);
  }
  size_t bytesUsed() const { return used_; }
  // The arena is about to receive the model of a file of that many bytes (about twice as
  // many): its first chunk is sized for it, so that a large read starts in mapped chunks
  // instead of passing through a series of small heap blocks, and a small one in one chunk.
  void expect(size_t fileBytes);

 private:
  void* allocateInNewChunk(size_t size);
  // `chunk`: a chunk of the arena, not a block of one large text.
  void allocateChunk(platform::LargeBuffer& block, size_t size, bool chunk) const;

  std::vector<platform::LargeBuffer> chunks_;
  size_t nextChunkSize_ = 0;
  bool sharedChunks_ = false;  // the read is large enough for the shared huge page
  char* next_ = nullptr;
  char* end_ = nullptr;
  size_t used_ = 0;
};

// Whether p lies in a chunk of a text arena that still exists (any project's).
bool inTextArena(const void* p);

// The arena new texts go to; null (the heap) outside a read. Set by the reader for the time
// of a read with ScopedTextArena.
TextArena* currentTextArena();

class ScopedTextArena {
 public:
  explicit ScopedTextArena(TextArena* arena);
  ~ScopedTextArena();
  ScopedTextArena(const ScopedTextArena&) = delete;
  ScopedTextArena& operator=(const ScopedTextArena&) = delete;

 private:
  TextArena* previous_;
};

class Text {
 public:
  Text() = default;
  Text(std::string_view s) { assign(s); }  // NOLINT: texts convert from views and back
  Text(const char* s) { assign(s ? std::string_view(s) : std::string_view()); }
  Text(const std::string& s) { assign(std::string_view(s)); }
  Text(const Text& o) { assign(o.view()); }
  Text(Text&& o) noexcept : p_(o.p_) { o.p_ = 0; }
  ~Text() { release(); }

  Text& operator=(const Text& o) {
    if (this != &o) assign(o.view());
    return *this;
  }
  Text& operator=(Text&& o) noexcept {
    if (this != &o) {
      release();
      p_ = o.p_;
      o.p_ = 0;
    }
    return *this;
  }
  Text& operator=(std::string_view s) {
    assign(s);
    return *this;
  }
  Text& operator=(const std::string& s) {
    assign(std::string_view(s));
    return *this;
  }
  Text& operator=(const char* s) {
    assign(s ? std::string_view(s) : std::string_view());
    return *this;
  }

  size_t size() const {
    if (!p_) return 0;
    const unsigned char* b = reinterpret_cast<const unsigned char*>(block());
    if (b[0] != kLongLength) return b[0];
    uint32_t n;
    std::memcpy(&n, b + 1, sizeof n);
    return n;
  }
  size_t length() const { return size(); }
  bool empty() const { return p_ == 0; }
  const char* data() const {
    if (!p_) return "";
    const char* b = block();
    return b + (static_cast<unsigned char>(b[0]) != kLongLength ? 1 : 1 + sizeof(uint32_t));
  }
  const char* c_str() const { return data(); }
  std::string_view view() const { return std::string_view(data(), size()); }
  operator std::string_view() const { return view(); }  // NOLINT
  std::string str() const { return std::string(view()); }
  void clear() {
    release();
    p_ = 0;
  }
  char operator[](size_t i) const { return data()[i]; }
  void assign(std::string_view s);
  // Refers to the bytes of o when they sit in a text arena, copies them otherwise. Only for
  // two records of one project: an arena lives as long as its project.
  void share(const Text& o) {
    if (o.p_ & kHeapOwned || !o.p_) return assign(o.view());
    release();
    p_ = o.p_;
  }

  friend bool operator==(const Text& a, const Text& b) { return a.view() == b.view(); }
  friend bool operator!=(const Text& a, const Text& b) { return !(a == b); }
  friend bool operator==(const Text& a, std::string_view b) { return a.view() == b; }
  friend bool operator!=(const Text& a, std::string_view b) { return a.view() != b; }
  friend bool operator==(std::string_view a, const Text& b) { return a == b.view(); }
  friend bool operator!=(std::string_view a, const Text& b) { return a != b.view(); }
  friend bool operator==(const Text& a, const char* b) { return a.view() == b; }
  friend bool operator!=(const Text& a, const char* b) { return a.view() != b; }
  friend bool operator==(const char* a, const Text& b) { return b.view() == a; }
  friend bool operator!=(const char* a, const Text& b) { return b.view() != a; }
  friend bool operator==(const Text& a, const std::string& b) { return a.view() == b; }
  friend bool operator!=(const Text& a, const std::string& b) { return a.view() != b; }
  friend bool operator==(const std::string& a, const Text& b) { return b.view() == a; }
  friend bool operator!=(const std::string& a, const Text& b) { return b.view() != a; }

 private:
  static constexpr uintptr_t kHeapOwned = 1;  // blocks in an arena are aligned to 2
  static constexpr unsigned char kLongLength = 255;
  const char* block() const { return reinterpret_cast<const char*>(p_ & ~kHeapOwned); }
  void release() {
    if (p_ & kHeapOwned) ::operator delete(reinterpret_cast<void*>(p_ & ~kHeapOwned));
  }

  uintptr_t p_ = 0;
};

std::ostream& operator<<(std::ostream& out, const Text& t);
std::string operator+(const std::string& a, const Text& b);
std::string operator+(const Text& a, const std::string& b);
std::string operator+(const char* a, const Text& b);

}  // namespace ordex
