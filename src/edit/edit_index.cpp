#include "edit/edit_index.h"

#include <memory>

#include "model/element_kind.h"
#include "model/name_compare.h"

namespace ordex::edit {

void HashMultimap::add(uint64_t hash, void* value) {
  if ((used_ + 1) * 4 > slots_.size() * 3) grow();
  size_t i = hash & mask();
  while (slots_[i].value) i = (i + 1) & mask();
  slots_[i] = Slot{hash, value};
  ++used_;
}

void HashMultimap::erase(uint64_t hash, void* value) {
  if (slots_.empty()) return;
  size_t i = hash & mask();
  while (slots_[i].value && !(slots_[i].hash == hash && slots_[i].value == value)) {
    i = (i + 1) & mask();
  }
  if (!slots_[i].value) return;
  // Backward shift: move later slots of the run into the hole unless they sit at or after
  // their home slot in the run's cyclic order.
  size_t hole = i;
  for (size_t j = (i + 1) & mask(); slots_[j].value; j = (j + 1) & mask()) {
    size_t home = slots_[j].hash & mask();
    bool homeBetween = hole <= j ? (home > hole && home <= j) : (home > hole || home <= j);
    if (!homeBetween) {
      slots_[hole] = slots_[j];
      hole = j;
    }
  }
  slots_[hole] = Slot{0, nullptr};
  --used_;
}

void HashMultimap::reserve(size_t values) {
  size_t size = slots_.empty() ? 64 : slots_.size();
  while (values * 4 > size * 3) size *= 2;
  if (size != slots_.size()) rehash(size);
}

void HashMultimap::grow() {
  rehash(slots_.empty() ? 64 : slots_.size() * 2);
}

// Made aside and swapped in, so that running out of memory leaves the table as it was.
void HashMultimap::rehash(size_t size) {
  std::vector<Slot> bigger(size, Slot{0, nullptr});
  for (const Slot& s : slots_) {
    if (!s.value) continue;
    size_t i = s.hash & (size - 1);
    while (bigger[i].value) i = (i + 1) & (size - 1);
    bigger[i] = s;
  }
  slots_.swap(bigger);
}

namespace {

size_t entryCount(const TFunction_Intern& f) {
  return f.DefCharacteristics.count() + f.RefCharacteristics.count() + f.InMeasurements.count() +
         f.OutMeasurements.count() + f.LocMeasurements.count() + f.SubFunctions.count() +
         f.AxisPts.count();
}

template <class Link, class Target>
void drop(Link*& link, const Target* target) {
  if (link && static_cast<const ObjectHead*>(link) == target) link = nullptr;
}

}  // namespace

EditIndex& EditIndex::of(TModule_Intern& module) {
  EditIndex* index = existing(module);
  if (!index) {
    auto made = std::make_unique<EditIndex>();
    index = made.get();
    module.EditIndex = std::move(made);
  }
  return *index;
}

EditIndex* EditIndex::existing(TModule_Intern& module) {
  return static_cast<EditIndex*>(module.EditIndex.get());
}

// Entries are freed only by the edit layer or with their module, and appended after a read
// only by the edit layer and by the folding of FUNCTION_LIST names left by a failed read.
const HashMultimap& EditIndex::entries(const TModule_Intern& m) {
  if (entriesFiled_ && foldPending_) {
    size_t total = 0;
    for (const TFunction_Intern* f : m.Functions) total += entryCount(*f);
    entriesFiled_ = total == entries_.size();
  }
  if (entriesFiled_) return entries_;
  size_t total = 0;
  for (const TFunction_Intern* f : m.Functions) total += entryCount(*f);
  entries_.clear();
  entries_.reserve(total);
  for (TFunction_Intern* f : m.Functions) {
    for (FunctionRefList* list : nameListsOf(*f)) {
      for (TFunctionRef* e : *list) entries_.add(hashFolded(e->Name), e);
    }
  }
  foldPending_ = !m.FunctionListsRead.empty();
  entriesFiled_ = true;
  return entries_;
}

// Objects are appended only by the reader (to a module of its own) and the edit layer, and
// freed only by the edit layer or with their module: the counts tell whether all are filed.
const HashMultimap& EditIndex::objects(const TModule_Intern& m) {
  const size_t count = size_t{m.Characteristics.Count} + m.Measurements.Count + m.Functions.Count;
  if (objectsFiled_ && objects_.size() == count) return objects_;
  objects_.clear();
  objects_.reserve(count);
  for (TCharacteristic_Intern* c : m.Characteristics) objects_.add(hashFolded(c->Name), c);
  for (TMeasurement_Intern* meas : m.Measurements) objects_.add(hashFolded(meas->Name), meas);
  for (TFunction_Intern* f : m.Functions) objects_.add(hashFolded(f->Name), f);
  objectsFiled_ = true;
  return objects_;
}

const HashMultimap& EditIndex::conversions(const TModule_Intern& m) {
  if (conversionsFiled_ && conversions_.size() == m.Measurements.Count) return conversions_;
  conversions_.clear();
  conversions_.reserve(m.Measurements.Count);
  for (TMeasurement_Intern* meas : m.Measurements) {
    conversions_.add(hashFolded(meas->Conversion), meas);
  }
  conversionsFiled_ = true;
  return conversions_;
}

// The maintenance below keeps the index true also when memory runs out: what can be made
// anew from the module (the filings) is marked for filing again, and what cannot (removed
// names, renamed conversions) is recorded before the module changes.

void EditIndex::entryAdded(TFunctionRef* entry) {
  if (!entriesFiled_) return;
  try {
    entries_.add(hashFolded(entry->Name), entry);
  } catch (...) {
    entriesFiled_ = false;
  }
}

void EditIndex::entryRemoved(const TFunction_Intern& function, TFunctionRef* entry) {
  const uint64_t hash = hashFolded(entry->Name);
  removedNames_[&function].push_back(hash);
  if (entriesFiled_) entries_.erase(hash, entry);
}

namespace {
bool indexedKind(const ObjectHead* o) {
  return o->Kind == ekCharacteristic || o->Kind == ekMeasurement || o->Kind == ekFunction;
}
}  // namespace

void EditIndex::objectAdded(ObjectHead* object) {
  if (!indexedKind(object)) return;
  try {
    if (objectsFiled_) objects_.add(hashFolded(object->Name), object);
  } catch (...) {
    objectsFiled_ = false;
  }
  if (object->Kind != ekMeasurement || !conversionsFiled_) return;
  try {
    auto* m = static_cast<TMeasurement_Intern*>(object);
    conversions_.add(hashFolded(m->Conversion), m);
  } catch (...) {
    conversionsFiled_ = false;
  }
}

void EditIndex::objectRemoved(ObjectHead* object) {
  if (!indexedKind(object)) return;
  if (objectsFiled_) objects_.erase(hashFolded(object->Name), object);
  if (object->Kind == ekMeasurement) {
    auto* m = static_cast<TMeasurement_Intern*>(object);
    if (conversionsFiled_) conversions_.erase(hashFolded(m->Conversion), m);
    renamedConversions_.erase(m);
  } else if (object->Kind == ekFunction) {
    auto* f = static_cast<TFunction_Intern*>(object);
    removedNames_.erase(f);
    if (entriesFiled_) {
      for (FunctionRefList* list : nameListsOf(*f)) {
        for (TFunctionRef* e : *list) entries_.erase(hashFolded(e->Name), e);
      }
    }
  }
}

void EditIndex::conversionChanging(TMeasurement_Intern* m, std::string_view newName) {
  if (m->ConversionTarget) renamedConversions_.insert(m);
  if (!conversionsFiled_) return;
  try {
    conversions_.add(hashFolded(newName), m);
    conversions_.erase(hashFolded(m->Conversion), m);
  } catch (...) {
    conversionsFiled_ = false;
  }
}

void EditIndex::dropReferencesTo(TModule_Intern& module, ObjectHead& record) {
  const uint64_t name = hashFolded(record.Name);
  switch (record.Kind) {
    case ekCharacteristic:
    case ekMeasurement:
    case ekAxisPts:
      entries(module).forEach(
          name, [&](void* e) { drop(static_cast<TFunctionRef*>(e)->Target, &record); });
      return;
    case ekFunction: {
      entries(module).forEach(
          name, [&](void* e) { drop(static_cast<TFunctionRef*>(e)->Target, &record); });
      // The objects that name this function as publisher or parent are among those its lists
      // name, or named before an entry was removed.
      auto& f = static_cast<TFunction_Intern&>(record);
      std::unordered_set<uint64_t> names;
      for (FunctionRefList* list : nameListsOf(f)) {
        for (TFunctionRef* e : *list) names.insert(hashFolded(e->Name));
      }
      auto removed = removedNames_.find(&f);
      if (removed != removedNames_.end())
        names.insert(removed->second.begin(), removed->second.end());
      for (uint64_t n : names) {
        objects(module).forEach(n, [&](void* o) {
          auto* head = static_cast<ObjectHead*>(o);
          if (head->Kind == ekCharacteristic) {
            drop(static_cast<TCharacteristic_Intern*>(head)->PublishingFunction, &record);
          } else if (head->Kind == ekMeasurement) {
            drop(static_cast<TMeasurement_Intern*>(head)->PublishingFunction, &record);
          } else if (head->Kind == ekFunction) {
            drop(static_cast<TFunction_Intern*>(head)->ParentFunction, &record);
          }
        });
      }
      return;
    }
    case ekCompuMethod:
      conversions(module).forEach(name, [&](void* m) {
        drop(static_cast<TMeasurement_Intern*>(m)->ConversionTarget, &record);
      });
      for (TMeasurement_Intern* m : renamedConversions_) drop(m->ConversionTarget, &record);
      return;
    case ekCompuTab:
    case ekCompuVTab:
      // Compu methods are few and may name their table by a changed reference: all are seen.
      for (TCompuMethod_Intern* cm : module.CompuMethods) drop(cm->CompuTabTarget, &record);
      return;
    default:
      return;  // nothing links to memory segments and record layouts
  }
}

}  // namespace ordex::edit
