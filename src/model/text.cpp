#include "model/text.h"

#include <ostream>

namespace ordex {

namespace {
TextArena* gCurrentArena = nullptr;
constexpr size_t kChunkSize = 1 << 16;
}  // namespace

void* TextArena::allocateInNewChunk(size_t size) {
  size_t chunk = size > kChunkSize / 4 ? size : kChunkSize;
  // Owned before the list grows, so a failure to grow it frees the chunk.
  std::unique_ptr<char[]> block(new char[chunk]);
  chunks_.push_back(std::move(block));
  next_ = chunks_.back().get();
  end_ = next_ + chunk;
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
