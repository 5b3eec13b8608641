#include "model/object_list.h"

#include "model/name_compare.h"

namespace ordex {

namespace {
// Below this many records a lookup walks the list instead of building an index.
constexpr uint32_t kIndexThreshold = 8;
}  // namespace

uint64_t NameIndex::hash(std::string_view s) const {
  return folded_ ? hashFolded(s) : hashExact(s);
}

bool NameIndex::same(std::string_view a, std::string_view b) const {
  return folded_ ? equalFolded(a, b) : a == b;
}

size_t NameIndex::slotOf(std::string_view name) const {
  const size_t mask = slots_.size() - 1;
  size_t i = static_cast<size_t>(hash(name)) & mask;
  while (slots_[i].head && !same(slots_[i].head->Name, name)) i = (i + 1) & mask;
  return i;
}

void NameIndex::build(ObjectHead* first, uint32_t count) {
  size_t size = 16;
  while (size < static_cast<size_t>(count) * 2 + 2) size *= 2;
  slots_.assign(size, Slot{nullptr, nullptr});
  used_ = 0;
  later_.clear();
  for (ObjectHead* n = first; n; n = n->Next) {
    Slot& s = slots_[slotOf(n->Name)];
    if (!s.head) {
      s.head = s.tail = n;
      ++used_;
    } else {
      link(s.tail, n);
      s.tail = n;
    }
  }
}

void NameIndex::grow() {
  std::vector<Slot> old;
  old.swap(slots_);
  slots_.assign(old.size() * 2, Slot{nullptr, nullptr});
  for (const Slot& s : old) {
    if (s.head) slots_[slotOf(s.head->Name)] = s;
  }
}

ObjectHead* NameIndex::find(std::string_view name) const {
  return slots_[slotOf(name)].head;
}

void NameIndex::insert(ObjectHead* node, bool last) {
  if ((used_ + 1) * 2 > slots_.size()) grow();
  Slot& s = slots_[slotOf(node->Name)];
  if (!s.head) {
    s.head = s.tail = node;
    ++used_;
    return;
  }
  // The first record of the name behind node in the list becomes its successor.
  ObjectHead* after = last ? nullptr : node->Next;
  while (after && !same(after->Name, node->Name)) after = after->Next;
  if (!after) {
    link(s.tail, node);
    s.tail = node;
    return;
  }
  link(node, after);
  if (after == s.head) {
    s.head = node;
    return;
  }
  ObjectHead* before = s.head;
  while (chainNext(before) != after) before = chainNext(before);
  link(before, node);
}

void NameIndex::erase(ObjectHead* node) {
  const size_t mask = slots_.size() - 1;
  size_t i = slotOf(node->Name);
  Slot& s = slots_[i];
  if (s.head != node) {
    ObjectHead* before = s.head;
    while (before && chainNext(before) != node) before = chainNext(before);
    if (!before) return;
    link(before, chainNext(node));
    if (s.tail == node) s.tail = before;
    link(node, nullptr);
    return;
  }
  if (ObjectHead* next = chainNext(node)) {
    s.head = next;
    link(node, nullptr);
    return;
  }
  // The last record of that name: empty the slot and shift the probe run back.
  s = Slot{nullptr, nullptr};
  --used_;
  size_t hole = i;
  for (size_t j = (i + 1) & mask; slots_[j].head; j = (j + 1) & mask) {
    size_t home = static_cast<size_t>(hash(slots_[j].head->Name)) & mask;
    // Move j into the hole when its home does not lie cyclically in (hole, j].
    bool homeBetween = hole <= j ? (home > hole && home <= j) : (home > hole || home <= j);
    if (!homeBetween) {
      slots_[hole] = slots_[j];
      slots_[j] = Slot{nullptr, nullptr};
      hole = j;
    }
  }
}

ObjectHead* ObjectListBase::findIn(NameIndex& index, std::string_view name, bool folded) const {
  if (!index.built()) {
    if (Count < kIndexThreshold) {
      for (ObjectHead* n = First; n; n = n->Next) {
        if (folded ? equalFolded(n->Name, name) : n->Name == name) return n;
      }
      return nullptr;
    }
    index.build(First, Count);
  }
  return index.find(name);
}

ObjectHead* ObjectListBase::findHead(std::string_view name) const {
  return caseInsensitiveNames() ? findIn(folded_, name, true) : findIn(exact_, name, false);
}

ObjectHead* ObjectListBase::findExactHead(std::string_view name) const {
  return findIn(exact_, name, false);
}

void ObjectListBase::appendHead(ObjectHead* node) {
  node->Next = nullptr;
  node->Prev = Last;
  if (!First) {
    First = node;
  } else {
    Last->Next = node;
  }
  Last = node;
  ++Count;
  if (exact_.built()) exact_.insert(node, true);
  if (folded_.built()) folded_.insert(node, true);
}

void ObjectListBase::unlinkHead(ObjectHead* node) {
  releaseRecord(node);
  if (exact_.built()) exact_.erase(node);
  if (folded_.built()) folded_.erase(node);
  if (node->Prev) {
    node->Prev->Next = node->Next;
  } else {
    First = node->Next;
  }
  if (node->Next) {
    node->Next->Prev = node->Prev;
  } else {
    Last = node->Prev;
  }
  node->Next = node->Prev = nullptr;
  --Count;
}

void ObjectListBase::renameHead(ObjectHead* node, std::string_view name) {
  if (exact_.built()) exact_.erase(node);
  if (folded_.built()) folded_.erase(node);
  node->Name = name;
  if (exact_.built()) exact_.insert(node, false);
  if (folded_.built()) folded_.insert(node, false);
}

void ObjectListBase::forgetAll() {
  First = Last = nullptr;
  Count = 0;
  exact_.reset();
  folded_.reset();
}

}  // namespace ordex
