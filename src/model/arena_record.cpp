#include "model/arena_record.h"

#include <new>

#include "model/text.h"

namespace ordex {

namespace {
// Sanitizer builds keep every record on the heap, where a use after deletion is caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUseArena = false;
#else
constexpr bool kUseArena = true;
#endif
}  // namespace

void* ArenaRecord::operator new(size_t size) {
  TextArena* arena = kUseArena ? currentTextArena() : nullptr;
  return arena ? arena->allocateAligned(size) : ::operator new(size);
}

void ArenaRecord::operator delete(void* p) noexcept {
  if (p && !inTextArena(p)) ::operator delete(p);
}

}  // namespace ordex
