// Allocation of model records. A record made while a read runs goes to the arena of the
// project being read, like the read's texts: one pointer bump instead of a heap block, and
// nothing to free one by one when the project goes. Any other record lives on the heap. A
// word in front of each record tells the two apart when it is deleted; deleting an arena
// record only runs its destructor, its memory goes with the arena.
#pragma once

#include <cstddef>

namespace ordex {

struct ArenaRecord {
  static void* operator new(size_t size);
  static void operator delete(void* p) noexcept;
};

}  // namespace ordex
