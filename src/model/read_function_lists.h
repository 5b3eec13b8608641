// The FUNCTION_LIST names of a module's objects, gathered while a read runs. A successful
// read folds them into the lists of the named functions at its end, so the objects never
// hold them; after a failed read they stay here as the module's pending names, which the
// reference finder folds later under the names the objects bear by then.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/object_list.h"
#include "model/text.h"
#include "platform/large_buffer.h"

namespace ordex {

class ReadFunctionLists {
 public:
  struct Entry {
    ObjectHead* object;  // a characteristic, measurement or axis points record; null once
                         // the object was removed
    Text objectName;     // shares the object's name text as read
    size_t functionOffset;
    uint32_t functionSize;
    int32_t kind;  // the object's element kind
  };

  // The module is about to be read from a file of that many bytes: a large one gets room
  // for as many names as such a file commonly holds, in mapped memory that is touched only
  // as it fills, so that the lists never pass through a series of small heap blocks.
  void expect(size_t fileBytes);
  // object names the function in one of its FUNCTION_LIST forms.
  void add(ObjectHead& object, std::string_view function);
  std::string_view functionOf(const Entry& e) const {
    return std::string_view(names_.data() + e.functionOffset, e.functionSize);
  }
  const std::vector<Entry, platform::LargeAllocator<Entry>>& entries() const { return entries_; }
  // Whether no entry of a present object is left.
  bool empty() const { return entries_.size() == removed_; }
  void clear();
  // Forgets the first count entries (folded already).
  void dropFront(size_t count);
  // The read ended without folding the names (it failed): they are kept as pending, and
  // from here on objects may be renamed or removed.
  void keepPending() { pending_ = !entries_.empty(); }
  // Whether the entries are pending names of a failed read: their objects' names are then
  // read from the objects (a rename does not reach objectName).
  bool pending() const { return pending_; }
  // object is about to be freed: its entries are kept no longer (marked with a null object).
  // Never fails: short of memory for the index by object it walks all entries.
  void forget(const ObjectHead& object) noexcept;

 private:
  // In huge-page memory when large: a large read fills them once.
  std::vector<Entry, platform::LargeAllocator<Entry>> entries_;
  std::basic_string<char, std::char_traits<char>, platform::LargeAllocator<char>>
      names_;           // the function names, back to back
  size_t removed_ = 0;  // entries of removed objects
  bool pending_ = false;
  // The entries' indexes by object, made at the first removal of pending names.
  std::unordered_multimap<const ObjectHead*, size_t> byObject_;
};

}  // namespace ordex
