// A compact table from the names of one list to their first object, compared byte by byte.
// The check resolves several names per object; the lists' own indexes follow a pointer to
// the record and one to its name at every probe, while this table keeps a part of the hash
// and the name's length beside the pointers, so that a probe that cannot match touches
// nothing else. Each distinct name has a number (its entry), and every object of the list
// knows the entry of its name, so a caller can keep data per name in a plain array. Built
// once, linear in the list; the list must not change while the table is used.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "model/object_list.h"

namespace ordex {

class NameTable {
 public:
  static constexpr uint32_t kNone = UINT32_MAX;

  NameTable() = default;
  explicit NameTable(const ObjectListBase& list);

  // The number of distinct names.
  uint32_t entries() const { return static_cast<uint32_t>(first_.size()); }
  // The entry of name, or kNone.
  uint32_t find(std::string_view name) const;
  // The first object, in list order, of an entry's name.
  const ObjectHead* first(uint32_t entry) const { return first_[entry]; }
  // The entry of the name of the list's object at position i (0 = First).
  uint32_t entryOf(uint32_t i) const { return entryOfObject_[i]; }

 private:
  struct Slot {
    uint32_t tag;  // the hash's upper half with the lowest bit set; 0 for an empty slot
    uint32_t length;
    const char* text;
    uint32_t entry;
  };
  static uint32_t tagOf(uint64_t hash) { return static_cast<uint32_t>(hash >> 32) | 1u; }
  size_t slotOf(std::string_view name, uint64_t hash) const;

  std::vector<Slot> slots_;
  size_t mask_ = 0;
  std::vector<const ObjectHead*> first_;
  std::vector<uint32_t> entryOfObject_;
};

}  // namespace ordex
