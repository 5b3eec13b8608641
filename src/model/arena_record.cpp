#include "model/arena_record.h"

#include <cstdint>
#include <new>

#include "model/text.h"

namespace ordex {

namespace {
// The word in front of a record; 8 bytes keep the record 8-aligned.
constexpr size_t kTag = 8;
constexpr uint64_t kOnHeap = 1;
constexpr uint64_t kInArena = 2;

// Sanitizer builds keep every record on the heap, where a use after deletion is caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUseArena = false;
#else
constexpr bool kUseArena = true;
#endif
}  // namespace

void* ArenaRecord::operator new(size_t size) {
  TextArena* arena = kUseArena ? currentTextArena() : nullptr;
  void* block = arena ? arena->allocateAligned(kTag + size) : ::operator new(kTag + size);
  *static_cast<uint64_t*>(block) = arena ? kInArena : kOnHeap;
  return static_cast<char*>(block) + kTag;
}

void ArenaRecord::operator delete(void* p) noexcept {
  if (!p) return;
  void* block = static_cast<char*>(p) - kTag;
  if (*static_cast<uint64_t*>(block) == kOnHeap) ::operator delete(block);
}

}  // namespace ordex
