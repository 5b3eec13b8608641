// Allocation of model records. A record made while a read runs goes to the arena of the
// project being read, like the read's texts: one pointer bump instead of a heap block, and
// nothing to free one by one when the project goes. Any other record lives on the heap. A
// deleted record's address tells the two apart (the arenas know their chunks), so a record
// carries no word of its own for it; deleting an arena record only runs its destructor, its
// memory goes with the arena.
#pragma once

#include <cstddef>

namespace ordex {

struct ArenaRecord {
  static void* operator new(size_t size);
  static void operator delete(void* p) noexcept;
};

}  // namespace ordex
