#include "model/read_function_lists.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "model/object_records.h"

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
}

namespace {
NameEntryList& functionListOf(ObjectHead& object, int32_t kind) {
  switch (kind) {
    case ordex::ekCharacteristic:
      return static_cast<TCharacteristic_Intern&>(object).FunctionList;
    case ordex::ekMeasurement:
      return static_cast<TMeasurement_Intern&>(object).FunctionList;
    default:
      return static_cast<TAxisPts_Intern&>(object).FunctionList;
  }
}
}  // namespace

void ReadFunctionLists::moveToObjects() {
  size_t moved = 0;
  try {
    for (const Entry& e : entries_) {
      auto entry = std::make_unique<TNameEntry_Intern>();
      entry->Name.assign(functionOf(e));
      functionListOf(*e.object, e.kind).append(std::move(entry));
      ++moved;
    }
  } catch (...) {
    dropFront(moved);
    throw;
  }
  clear();
}

}  // namespace ordex
