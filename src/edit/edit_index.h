// What a removal needs to find the resolved references that lead to the removed object
// without walking the whole module: the holders of such references, filed by name.
//
// A reference is only ever resolved to an object of the name it was resolved from: the
// reference finder matches names exactly, the conversion too, and a change alters an
// object's name in letter case at most. So the holders that may lead to an object are among
// those filed under its name with letter case ignored:
//  - the entries of the FUNCTION name lists, by their name;
//  - characteristics, measurements and functions (holders of PublishingFunction and
//    ParentFunction), by the names their function lists or listed;
//  - measurements (holders of ConversionTarget), by their conversion name.
// Two things break the rule and are remembered: an entry removed from a function (the object
// it named may still name that function as its publisher or parent), and a measurement whose
// conversion name changed while its ConversionTarget was resolved.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/project.h"

namespace ordex::edit {

// Pointers filed under 64-bit name hashes; several per hash, in no order. Open addressing.
class HashMultimap {
 public:
  void add(uint64_t hash, void* value);
  void erase(uint64_t hash, void* value);
  template <class Fn>
  void forEach(uint64_t hash, Fn fn) const {
    if (slots_.empty()) return;
    for (size_t i = hash & mask(); slots_[i].value; i = (i + 1) & mask()) {
      if (slots_[i].hash == hash) fn(slots_[i].value);
    }
  }
  size_t size() const { return used_; }
  void clear() { slots_.clear(), used_ = 0; }
  void reserve(size_t values);  // room for that many without growing

 private:
  struct Slot {
    uint64_t hash;
    void* value;
  };
  size_t mask() const { return slots_.size() - 1; }
  void grow();
  void rehash(size_t size);

  std::vector<Slot> slots_;
  size_t used_ = 0;
};

// Three filings, each made at its first use and made anew when other code added holders
// since: entries (for removing any object that list entries may name), objects (for
// removing a function) and conversions (for removing a compu method). What the index
// remembers of earlier edits is kept from the first edit that needs it.
class EditIndex : public ModuleAttachment {
 public:
  // The module's index, made (empty) when there is none.
  static EditIndex& of(TModule_Intern& module);
  // The module's index as it stands, or null: for keeping it up to date.
  static EditIndex* existing(TModule_Intern& module);

  // Keeping the index up to date as the edit layer changes the module: entryRemoved,
  // objectRemoved and conversionChanging before the change, the others after it.
  void entryAdded(TFunctionRef* entry);
  void entryRemoved(const TFunction_Intern& function, TFunctionRef* entry);
  // Objects of other kinds than characteristic, measurement and function are ignored.
  void objectAdded(ObjectHead* object);
  void objectRemoved(ObjectHead* object);
  // Before the measurement's conversion name changes to newName (letter case aside).
  void conversionChanging(TMeasurement_Intern* m, std::string_view newName);
  void refileConversions() { conversionsFiled_ = false; }

  // Clears every resolved reference that leads to `record`, about to be freed.
  void dropReferencesTo(TModule_Intern& module, ObjectHead& record);

 private:
  const HashMultimap& entries(const TModule_Intern& module);
  const HashMultimap& objects(const TModule_Intern& module);
  const HashMultimap& conversions(const TModule_Intern& module);

  HashMultimap entries_;      // TFunctionRef*, by name
  HashMultimap objects_;      // characteristics, measurements, functions, by name
  HashMultimap conversions_;  // TMeasurement_Intern*, by conversion name
  bool entriesFiled_ = false;
  bool objectsFiled_ = false;
  bool conversionsFiled_ = false;
  // Objects that still held FUNCTION_LIST names when the entries were filed (a read that
  // failed before folding them): folding them later appends entries, so the entries are
  // counted before each use.
  bool foldPending_ = false;
  // Names of entries removed from a function's lists.
  std::unordered_map<const TFunction_Intern*, std::vector<uint64_t>> removedNames_;
  // Measurements resolved under a conversion name they no longer bear.
  std::unordered_set<TMeasurement_Intern*> renamedConversions_;
};

// The seven name lists of a function, in a fixed order.
inline std::vector<FunctionRefList*> nameListsOf(TFunction_Intern& f) {
  return {&f.DefCharacteristics, &f.RefCharacteristics, &f.InMeasurements, &f.OutMeasurements,
          &f.LocMeasurements,    &f.SubFunctions,       &f.AxisPts};
}

}  // namespace ordex::edit
