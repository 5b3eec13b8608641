// The FUNCTION_LIST names of a module's objects, gathered while a read runs. A successful
// read folds them into the lists of the named functions at its end, so the objects never
// hold them; a failed read moves them onto the objects, where later folding finds them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/object_list.h"
#include "model/text.h"
#include "platform/large_buffer.h"

namespace ordex {

class ReadFunctionLists {
 public:
  struct Entry {
    ObjectHead* object;  // a characteristic, measurement or axis points record
    Text objectName;     // shares the object's name text
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
  bool empty() const { return entries_.empty(); }
  void clear();
  // Forgets the first count entries (folded already).
  void dropFront(size_t count) { entries_.erase(entries_.begin(), entries_.begin() + count); }
  // Appends each name to the FUNCTION_LIST of its object, in the order read, and clears.
  void moveToObjects();

 private:
  // In huge-page memory when large: a large read fills them once.
  std::vector<Entry, platform::LargeAllocator<Entry>> entries_;
  std::basic_string<char, std::char_traits<char>, platform::LargeAllocator<char>>
      names_;  // the function names, back to back
};

}  // namespace ordex
