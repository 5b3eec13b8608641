#include "model/read_function_lists.h"

#include <algorithm>
#include <cstdint>

namespace ordex {

void ReadFunctionLists::add(ObjectHead& object, std::string_view function) {
  function = function.substr(0, UINT32_MAX);  // as long as a Text holds
  Entry e{&object, Text(), names_.size(), static_cast<uint32_t>(function.size()), object.Kind};
  e.objectName.share(object.Name);
  names_.append(function);
  entries_.push_back(std::move(e));
}

void ReadFunctionLists::expect(size_t fileBytes) {
  // Below this size the heap serves the lists well; above it a block of its own costs at
  // most one half-used huge page each.
  constexpr size_t kLargeFile = size_t{32} << 20;
  constexpr size_t kMappedBlock = size_t{2} << 20;
  if (fileBytes < kLargeFile || !entries_.empty()) return;
  // About one name per 1 000 bytes of file in the files seen so far; twice that is kept.
  entries_.reserve(std::max(fileBytes / 512, kMappedBlock / sizeof(Entry)));
  names_.reserve(std::max(fileBytes / 32, kMappedBlock));
}

void ReadFunctionLists::clear() {
  entries_.clear();
  entries_.shrink_to_fit();
  names_.clear();
  names_.shrink_to_fit();
  removed_ = 0;
  pending_ = false;
  byObject_.clear();
}

void ReadFunctionLists::dropFront(size_t count) {
  for (size_t i = 0; i < count; ++i) removed_ -= entries_[i].object ? 0 : 1;
  entries_.erase(entries_.begin(), entries_.begin() + count);
  byObject_.clear();  // the indexes moved: made again when needed
}

void ReadFunctionLists::forget(const ObjectHead& object) noexcept {
  if (empty()) return;
  auto drop = [&](Entry& e) {
    e.object = nullptr;
    e.objectName.clear();
    ++removed_;
  };
  if (byObject_.empty()) {
    try {
      std::unordered_multimap<const ObjectHead*, size_t> made;
      made.reserve(entries_.size() - removed_);
      for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].object) made.emplace(entries_[i].object, i);
      }
      byObject_.swap(made);
    } catch (...) {
      // Out of memory: one walk of the entries does without the index.
      for (Entry& e : entries_) {
        if (e.object == &object) drop(e);
      }
      return;
    }
  }
  auto [first, last] = byObject_.equal_range(&object);
  for (auto it = first; it != last; ++it) drop(entries_[it->second]);
  byObject_.erase(first, last);
}

}  // namespace ordex
