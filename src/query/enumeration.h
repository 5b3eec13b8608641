// The enumeration step shared by every next-name and member enumerator: one call returns
// one entry and remembers where it stopped, so that walking a list costs O(1) a step
// while the remembered position holds.
#pragma once

#include "model/watched_refs.h"

namespace ordex {

// A remembered position: the list walked and the entry returned last. One per enumerator
// family, process-wide and shared by all instances; several enumerators may share one.
// A removed entry clears every position that stands on it.
using EnumPosition = WatchedRef;

// One step over `list`:
//  - keyEmpty: start afresh from first();
//  - else, when the position stands on an entry of this list whose key still equals the
//    caller's key (sameKey), continue after it;
//  - else continue after findFirst(), the first entry with that key (none: the walk ends);
//  - skip entries that accept() refuses; take the next one and remember it.
// Returns the entry taken, or null at the end of the list (the position is then forgotten).
template <class Node, class First, class Next, class SameKey, class FindFirst, class Accept>
const Node* enumerationStep(EnumPosition& pos, const void* list, bool keyEmpty, First first,
                            Next next, SameKey sameKey, FindFirst findFirst, Accept accept) {
  const Node* n;
  if (keyEmpty) {
    pos.clear();
    n = first();
  } else if (pos.list() == list && pos.record() &&
             sameKey(static_cast<const Node*>(pos.record()))) {
    n = next(static_cast<const Node*>(pos.record()));
  } else {
    const Node* anchor = findFirst();
    n = anchor ? next(anchor) : nullptr;
  }
  while (n && !accept(n)) n = next(n);
  if (n) {
    pos.set(list, n);
  } else {
    pos.clear();
  }
  return n;
}

}  // namespace ordex
