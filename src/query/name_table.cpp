#include "query/name_table.h"

#include <cstring>

#include "model/name_compare.h"

namespace ordex {

NameTable::NameTable(const ObjectListBase& list) {
  size_t size = 16;
  while (size < static_cast<size_t>(list.Count) * 2) size *= 2;
  slots_.assign(size, Slot{0, 0, nullptr, 0});
  mask_ = size - 1;
  entryOfObject_.reserve(list.Count);
  for (const ObjectHead* o = list.First; o; o = o->Next) {
    const std::string_view name = o->Name.view();
    const uint64_t h = hashExact(name);
    Slot& s = slots_[slotOf(name, h)];
    if (!s.tag) {
      s = Slot{tagOf(h), static_cast<uint32_t>(name.size()), name.data(), entries()};
      first_.push_back(o);
    }
    entryOfObject_.push_back(s.entry);
  }
}

// The slot holding name, or the empty slot where it would go.
size_t NameTable::slotOf(std::string_view name, uint64_t hash) const {
  const uint32_t tag = tagOf(hash);
  size_t i = static_cast<size_t>(hash) & mask_;
  for (; slots_[i].tag; i = (i + 1) & mask_) {
    const Slot& s = slots_[i];
    if (s.tag == tag && s.length == name.size() &&
        std::memcmp(s.text, name.data(), name.size()) == 0) {
      break;
    }
  }
  return i;
}

uint32_t NameTable::find(std::string_view name) const {
  if (slots_.empty()) return kNone;
  const Slot& s = slots_[slotOf(name, hashExact(name))];
  return s.tag ? s.entry : kNone;
}

}  // namespace ordex
