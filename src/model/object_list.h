// The list container of the object model: an intrusive singly linked list in append
// order (with a back link for O(1) removal) and lazily built name indexes that always
// answer with the first record of a name in list order.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/arena_record.h"
#include "model/text.h"
#include "model/watched_refs.h"

namespace ordex {

// The fields every object record starts with. Records of each kind derive from it.
struct ObjectHead : ArenaRecord {
  ObjectHead* Next = nullptr;
  void* Owner = nullptr;  // the module for an object, the project for a module
  int32_t Kind = 0;       // ElementKind value; 0 for records without a kind
  uint32_t UserData = 0;
  ordex::Text Name;
  ordex::Text LongIdentifier;

  // Bookkeeping of the owning list; not part of the record's data.
  ObjectHead* Prev = nullptr;

  ObjectHead() = default;
  ObjectHead(const ObjectHead&) = delete;
  ObjectHead& operator=(const ObjectHead&) = delete;
};

// Open-addressing table from a name to the chain of records holding it, in list order.
// Only a name held by several records has links between them, kept beside the table: a
// list of distinct names (nearly every list) costs the records no field for them.
class NameIndex {
 public:
  explicit NameIndex(bool folded) : folded_(folded) {}
  bool built() const { return !slots_.empty(); }
  void build(ObjectHead* first, uint32_t count);
  void reset() {
    slots_.clear();
    used_ = 0;
    later_.clear();
  }
  ObjectHead* find(std::string_view name) const;
  // node stands anywhere in the list (a rename), or last when it was just appended.
  void insert(ObjectHead* node, bool last);
  void erase(ObjectHead* node);

 private:
  struct Slot {
    ObjectHead* head;
    ObjectHead* tail;
  };
  // The next record of the same name in list order, or null.
  ObjectHead* chainNext(const ObjectHead* n) const {
    if (later_.empty()) return nullptr;
    auto it = later_.find(n);
    return it == later_.end() ? nullptr : it->second;
  }
  void link(const ObjectHead* n, ObjectHead* next) {
    if (next) {
      later_[n] = next;
    } else {
      later_.erase(n);
    }
  }
  uint64_t hash(std::string_view s) const;
  bool same(std::string_view a, std::string_view b) const;
  size_t slotOf(std::string_view name) const;  // the slot holding name, or an empty one
  void grow();

  bool folded_;
  std::vector<Slot> slots_;
  size_t used_ = 0;
  std::unordered_map<const ObjectHead*, ObjectHead*> later_;
};

class ObjectListBase {
 public:
  ObjectListBase() = default;
  ObjectListBase(const ObjectListBase&) = delete;
  ObjectListBase& operator=(const ObjectListBase&) = delete;

  ObjectHead* First = nullptr;
  ObjectHead* Last = nullptr;
  uint32_t Count = 0;

  // First record of that name under the process-wide comparison mode, or null.
  ObjectHead* findHead(std::string_view name) const;
  // First record of that name compared byte by byte, whatever the mode.
  ObjectHead* findExactHead(std::string_view name) const;

  void appendHead(ObjectHead* node);
  void unlinkHead(ObjectHead* node);  // the caller owns the node afterwards
  void renameHead(ObjectHead* node, std::string_view name);

 protected:
  void forgetAll();  // after the records were destroyed

 private:
  ObjectHead* findIn(NameIndex& index, std::string_view name, bool folded) const;

  mutable NameIndex exact_{false};
  mutable NameIndex folded_{true};
};

// A list of records of one kind. The list owns its records.
template <class T>
class ObjectList : public ObjectListBase {
 public:
  ObjectList() = default;
  ~ObjectList() { clear(); }

  T* first() const { return static_cast<T*>(First); }
  T* last() const { return static_cast<T*>(Last); }
  uint32_t count() const { return Count; }
  bool empty() const { return Count == 0; }
  static T* next(const T* node) { return static_cast<T*>(node->Next); }

  T* append(std::unique_ptr<T> node) {
    T* raw = node.release();
    appendHead(raw);
    return raw;
  }
  std::unique_ptr<T> unlink(T* node) {
    unlinkHead(node);
    return std::unique_ptr<T>(node);
  }
  void rename(T* node, std::string_view name) { renameHead(node, name); }

  T* find(std::string_view name) const { return static_cast<T*>(findHead(name)); }
  T* findExact(std::string_view name) const { return static_cast<T*>(findExactHead(name)); }

  // Destroys every record, first to last, and leaves the list empty.
  void clear() {
    ObjectHead* n = First;
    while (n) {
      ObjectHead* following = n->Next;
      releaseRecord(n);
      delete static_cast<T*>(n);
      n = following;
    }
    forgetAll();
  }

  class iterator {
   public:
    explicit iterator(ObjectHead* n) : n_(n) {}
    T* operator*() const { return static_cast<T*>(n_); }
    iterator& operator++() {
      n_ = n_->Next;
      return *this;
    }
    bool operator!=(const iterator& o) const { return n_ != o.n_; }

   private:
    ObjectHead* n_;
  };
  iterator begin() const { return iterator(First); }
  iterator end() const { return iterator(nullptr); }
};

// A list of small entries without an object head (IF_DATA entries, annotations, name
// entries, system constants). T has a member `T* Next`. The list owns its entries. It keeps
// no count: most lists hold a few entries, and every object record holds several lists.
template <class T>
class EntryList {
 public:
  EntryList() = default;
  EntryList(const EntryList&) = delete;
  EntryList& operator=(const EntryList&) = delete;
  ~EntryList() { clear(); }

  T* First = nullptr;
  T* Last = nullptr;

  // A walk of the list.
  uint32_t count() const {
    uint32_t n = 0;
    for (const T* e = First; e; e = e->Next) ++n;
    return n;
  }
  bool empty() const { return First == nullptr; }

  T* append(std::unique_ptr<T> entry) {
    T* raw = entry.release();
    raw->Next = nullptr;
    if (!First) {
      First = raw;
    } else {
      Last->Next = raw;
    }
    Last = raw;
    return raw;
  }

  // Unlinks an entry of this list; the caller owns it afterwards.
  std::unique_ptr<T> unlink(T* entry) {
    T* before = nullptr;
    for (T* e = First; e && e != entry; e = e->Next) before = e;
    if (before) {
      before->Next = entry->Next;
    } else {
      First = entry->Next;
    }
    if (Last == entry) Last = before;
    entry->Next = nullptr;
    releaseRecord(entry);
    return std::unique_ptr<T>(entry);
  }

  void clear() {
    T* e = First;
    while (e) {
      T* following = e->Next;
      releaseRecord(e);
      delete e;
      e = following;
    }
    First = Last = nullptr;
  }

  class iterator {
   public:
    explicit iterator(T* e) : e_(e) {}
    T* operator*() const { return e_; }
    iterator& operator++() {
      e_ = e_->Next;
      return *this;
    }
    bool operator!=(const iterator& o) const { return e_ != o.e_; }

   private:
    T* e_;
  };
  iterator begin() const { return iterator(First); }
  iterator end() const { return iterator(nullptr); }
};

}  // namespace ordex
