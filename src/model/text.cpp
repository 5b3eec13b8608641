#include "model/text.h"

#include <ostream>

namespace ordex {

namespace {
TextArena* gCurrentArena = nullptr;
constexpr size_t kFirstChunkSize = size_t{1} << 16;
constexpr size_t kLargestChunkSize = size_t{1} << 26;
}  // namespace

void* TextArena::allocateInNewChunk(size_t size) {
  if (nextChunkSize_ == 0) nextChunkSize_ = kFirstChunkSize;
  // Room in the list first, so that a failure to grow it leaks no chunk.
  chunks_.reserve(chunks_.size() + 1);
  platform::LargeBuffer block;
  if (size > nextChunkSize_ / 4) {
    // A block of its own; the current chunk stays in use for the small ones.
    block.allocate(size);
    chunks_.push_back(std::move(block));
    used_ += size;
    return chunks_.back().data();
  }
  block.allocate(nextChunkSize_);
  if (nextChunkSize_ < kLargestChunkSize) nextChunkSize_ *= 2;
  chunks_.push_back(std::move(block));
  next_ = reinterpret_cast<char*>(chunks_.back().data());
  end_ = next_ + chunks_.back().capacity();
  void* p = next_;
  next_ += size;
  used_ += size;
  return p;
}

TextArena* currentTextArena() {
  return gCurrentArena;
}

ScopedTextArena::ScopedTextArena(TextArena* arena) : previous_(gCurrentArena) {
  gCurrentArena = arena;
}

ScopedTextArena::~ScopedTextArena() {
  gCurrentArena = previous_;
}

void Text::assign(std::string_view s) {
  uintptr_t old = p_;
  if (s.empty()) {
    p_ = 0;
  } else {
    size_t n = s.size() > UINT32_MAX ? UINT32_MAX : s.size();
    size_t bytes = sizeof(uint32_t) + n + 1;
    char* b;
    if (TextArena* arena = gCurrentArena) {
      b = static_cast<char*>(arena->allocate(bytes));
      p_ = reinterpret_cast<uintptr_t>(b);
    } else {
      b = static_cast<char*>(::operator new(bytes));
      p_ = reinterpret_cast<uintptr_t>(b) | kHeapOwned;
    }
    uint32_t len = static_cast<uint32_t>(n);
    std::memcpy(b, &len, sizeof len);
    std::memcpy(b + sizeof len, s.data(), n);
    b[sizeof len + n] = '\0';
  }
  // Freed only now: s may have pointed into the old text.
  if (old & kHeapOwned) ::operator delete(reinterpret_cast<void*>(old & ~kHeapOwned));
}

std::ostream& operator<<(std::ostream& out, const Text& t) {
  return out << t.view();
}

std::string operator+(const std::string& a, const Text& b) {
  return a + std::string(b.view());
}
std::string operator+(const Text& a, const std::string& b) {
  return std::string(a.view()) + b;
}
std::string operator+(const char* a, const Text& b) {
  return a + std::string(b.view());
}

}  // namespace ordex
