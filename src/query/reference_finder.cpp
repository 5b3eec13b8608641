#include "query/reference_finder.h"

#include <cstring>
#include <memory_resource>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/name_compare.h"
#include "model/object_records.h"
#include "platform/large_buffer.h"

namespace ordex {

namespace {

// The memory of one run: its tables come from one bump allocator freed when the run ends,
// whose large blocks are mapped memory asked for huge pages. A large module's tables are
// tens of megabytes that a run fills once; in fresh 4 KiB pages, the first touch of each
// (several microseconds on a virtual machine) would cost more than the lookups.
class HugePageBlocks : public std::pmr::memory_resource {
 private:
  static constexpr size_t kMapped = size_t{1} << 21;
  void* do_allocate(size_t bytes, size_t alignment) override {
    if (bytes < kMapped) return ::operator new(bytes, std::align_val_t(alignment));
    platform::LargeBuffer block;
    block.allocate(bytes);
    blocks_.push_back(std::move(block));
    return blocks_.back().data();
  }
  void do_deallocate(void* p, size_t bytes, size_t alignment) override {
    // Mapped blocks go with this resource.
    if (bytes < kMapped) ::operator delete(p, std::align_val_t(alignment));
  }
  bool do_is_equal(const std::pmr::memory_resource& o) const noexcept override {
    return this == &o;
  }
  std::vector<platform::LargeBuffer> blocks_;
};

class RunMemory {
 public:
  RunMemory() : previous_(current_) { current_ = &arena_; }
  ~RunMemory() { current_ = previous_; }
  RunMemory(const RunMemory&) = delete;
  RunMemory& operator=(const RunMemory&) = delete;
  // The memory of the run in progress on this thread.
  static std::pmr::memory_resource* current() {
    return current_ ? current_ : std::pmr::new_delete_resource();
  }

 private:
  HugePageBlocks blocks_;
  std::pmr::monotonic_buffer_resource arena_{size_t{1} << 16, &blocks_};
  std::pmr::memory_resource* previous_;
  static thread_local std::pmr::memory_resource* current_;
};
thread_local std::pmr::memory_resource* RunMemory::current_ = nullptr;

template <class T>
using RunVector = std::pmr::vector<T>;

}  // namespace

namespace {

// The functions of a module by exact name, in a flat open-addressing table built once per
// module. Several functions may share a name: each gets the entries, in list order, so a
// name leads to the first of them and a side table links the others.
class FunctionsByName {
 public:
  explicit FunctionsByName(const ObjectList<TFunction_Intern>& functions) {
    size_t size = 16;
    while (size < static_cast<size_t>(functions.count()) * 2) size *= 2;
    slots_.assign(size, Slot{0, nullptr, nullptr});
    mask_ = size - 1;
    for (TFunction_Intern* f : functions) {
      uint64_t hash = hashExact(f->Name);
      Slot& s = slots_[indexOf(f->Name, hash)];
      if (!s.first) {
        s = Slot{hash, f, f};
      } else {
        sameName_[s.last] = f;
        s.last = f;
      }
    }
  }

  template <class Visit>
  void forEach(std::string_view name, Visit&& visit) const {
    for (TFunction_Intern* f = slots_[indexOf(name, hashExact(name))].first; f;) {
      visit(*f);
      if (sameName_.empty()) break;
      auto next = sameName_.find(f);
      f = next == sameName_.end() ? nullptr : next->second;
    }
  }

 private:
  struct Slot {
    uint64_t hash;
    TFunction_Intern* first;
    TFunction_Intern* last;
  };

  // The slot holding name, or the empty slot where it would go.
  size_t indexOf(std::string_view name, uint64_t hash) const {
    size_t i = static_cast<size_t>(hash ^ (hash >> 29)) & mask_;
    while (slots_[i].first && (slots_[i].hash != hash || slots_[i].first->Name != name)) {
      i = (i + 1) & mask_;
    }
    return i;
  }

  RunVector<Slot> slots_{RunMemory::current()};
  size_t mask_ = 0;
  std::unordered_map<const TFunction_Intern*, TFunction_Intern*> sameName_;
};

}  // namespace

void foldModuleFunctionLists(TModule_Intern& module) {
  ReadFunctionLists& read = module.FunctionListsRead;
  if (read.empty()) return;
  FunctionsByName functions(module.Functions);
  // While a read runs no object can be renamed, so the shared name saves a visit to each
  // object; pending names of a failed read take the name the object bears now.
  const bool pending = read.pending();
  size_t folded = 0;
  try {
    for (const ReadFunctionLists::Entry& e : read.entries()) {
      if (e.object) {
        FunctionRefList TFunction_Intern::*list =
            e.kind == ekCharacteristic ? &TFunction_Intern::DefCharacteristics
            : e.kind == ekMeasurement  ? &TFunction_Intern::InMeasurements
                                       : &TFunction_Intern::AxisPts;
        const Text& objectName = pending ? e.object->Name : e.objectName;
        functions.forEach(read.functionOf(e), [&](TFunction_Intern& f) {
          auto ref = std::make_unique<TFunctionRef>();
          ref->Name.share(objectName);
          (f.*list).append(std::move(ref));
        });
      }
      ++folded;
    }
  } catch (...) {
    // What is left stays pending with the failed read.
    read.dropFront(folded);
    throw;
  }
  read.clear();
}

namespace {

// A hash of a name taken eight bytes at a time (names are hashed once per object and entry
// of every pass, so this is on the hot path).
uint64_t nameHash(std::string_view s) {
  uint64_t h = 0x9E3779B97F4A7C15ull ^ s.size();
  size_t i = 0;
  for (; i + 8 <= s.size(); i += 8) {
    uint64_t w;
    std::memcpy(&w, s.data() + i, 8);
    h = (h ^ w) * 0xBF58476D1CE4E5B9ull;
    h ^= h >> 31;
  }
  uint64_t w = 0;
  std::memcpy(&w, s.data() + i, s.size() - i);
  h = (h ^ w) * 0x94D049BB133111EBull;
  return h ^ (h >> 29);
}

// A flat open-addressing table from an exact name to a value. The slots hold only indexes
// (4 bytes each, so the probed array stays small enough for the caches); hashes, copies of
// the names and the values sit in dense arrays in insertion order, so that comparing a name
// does not reach back into the records. Values are not moved once the table is filled.
template <class V>
class ExactNameTable {
 public:
  explicit ExactNameTable(size_t names) {
    hashes_.reserve(names);
    names_.reserve(names);
    values_.reserve(names);
    text_.reserve(names * 24);
    resize(names);
  }

  // The value of name, made (value-initialised) when the name is new.
  V& operator[](std::string_view name) {
    uint64_t hash = nameHash(name);
    uint32_t* slot = &slots_[indexOf(name, hash)];
    if (!*slot) {
      if ((values_.size() + 1) * 2 > slots_.size()) {
        resize(values_.size() + 1);
        slot = &slots_[indexOf(name, hash)];
      }
      hashes_.push_back(hash);
      names_.push_back({text_.size(), name.size()});
      text_.append(name);
      values_.emplace_back();
      *slot = static_cast<uint32_t>(values_.size());
    }
    return values_[*slot - 1];
  }
  V* find(std::string_view name) {
    uint32_t slot = slots_[indexOf(name, nameHash(name))];
    return slot ? &values_[slot - 1] : nullptr;
  }
  template <class Visit>
  void forEachValue(Visit&& visit) {
    for (V& v : values_) visit(v);
  }

 private:
  void resize(size_t names) {
    size_t size = 16;
    while (size < names * 2) size *= 2;
    slots_.assign(size, 0);
    mask_ = size - 1;
    for (size_t k = 0; k < hashes_.size(); ++k) {
      size_t i = start(hashes_[k]);
      while (slots_[i]) i = (i + 1) & mask_;
      slots_[i] = static_cast<uint32_t>(k + 1);
    }
  }
  // The high half folded into the low one: the low bits of nameHash depend on the low bits
  // of the name's bytes alone, so short names that differ in their last characters would
  // crowd into a few slots.
  size_t start(uint64_t hash) const { return static_cast<size_t>(hash ^ (hash >> 32)) & mask_; }
  // The slot holding name, or the empty slot where it would go.
  size_t indexOf(std::string_view name, uint64_t hash) const {
    size_t i = start(hash);
    for (uint32_t s; (s = slots_[i]) != 0; i = (i + 1) & mask_) {
      if (hashes_[s - 1] == hash && nameAt(s - 1) == name) break;
    }
    return i;
  }

  std::string_view nameAt(size_t k) const {
    return std::string_view(text_.data() + names_[k].first, names_[k].second);
  }

  RunVector<uint32_t> slots_{RunMemory::current()};  // 1 + index into the dense arrays; 0 empty
  size_t mask_ = 0;
  RunVector<uint64_t> hashes_{RunMemory::current()};
  RunVector<std::pair<size_t, size_t>> names_{RunMemory::current()};  // offset, length in text_
  std::pmr::string text_{RunMemory::current()};
  RunVector<V> values_{RunMemory::current()};
};

// Entries of several lists chained by name: the table value holds the first index, next_
// links the others (in no particular order: all of them receive the same link).
class EntryChains {
 public:
  void add(int32_t& head, TFunctionRef* entry) {
    entries_.push_back(entry);
    next_.push_back(head);
    head = static_cast<int32_t>(entries_.size() - 1);
  }
  template <class Visit>
  void forEach(int32_t head, Visit&& visit) const {
    for (int32_t i = head; i >= 0; i = next_[i]) visit(*entries_[i]);
  }

 private:
  RunVector<TFunctionRef*> entries_{RunMemory::current()};
  RunVector<int32_t> next_{RunMemory::current()};
};

class Progress {
 public:
  Progress(int total, ProgressCallback callback)
      : total_(total), callback_(total > 0 ? callback : nullptr) {}
  // One step; false when the callback asks to stop.
  bool step() {
    ++count_;
    if (!callback_) return true;
    return callback_(static_cast<int>(count_ * 100 / total_)) == 0;
  }

 private:
  int64_t total_;
  ProgressCallback callback_;
  int64_t count_ = 0;
};

using RefList = FunctionRefList TFunction_Intern::*;

// The records of a module's lists, gathered once per run: every pass walks these arrays
// instead of the linked lists, fetching records a few steps ahead, as the records of a
// large module lie far apart in memory.
struct ModuleObjects {
  RunVector<TCharacteristic_Intern*> characteristics{RunMemory::current()};
  RunVector<TMeasurement_Intern*> measurements{RunMemory::current()};
  RunVector<TFunction_Intern*> functions{RunMemory::current()};
};

template <class Object>
RunVector<Object*> gather(const ObjectList<Object>& list) {
  RunVector<Object*> out(RunMemory::current());
  out.reserve(list.count());
  for (Object* o : list) out.push_back(o);
  return out;
}

// Calls visit(object) for each object in order while it returns true; false when stopped.
template <class Object, class Visit>
bool visitInOrder(const RunVector<Object*>& objects, Visit&& visit) {
  constexpr size_t kRecordsAhead = 8, kNamesAhead = 4;
  const size_t n = objects.size();
  for (size_t i = 0; i < n; ++i) {
    if (i + kRecordsAhead < n) __builtin_prefetch(objects[i + kRecordsAhead]);
    if (i + kNamesAhead < n) __builtin_prefetch(objects[i + kNamesAhead]->Name.data());
    if (!visit(objects[i])) return false;
  }
  return true;
}

size_t entryCount(const RunVector<TFunction_Intern*>& functions, RefList list) {
  size_t n = 0;
  for (const TFunction_Intern* f : functions) n += (f->*list).count();
  return n;
}

// One step of the object-side pass: every object of `objects`, in list order, is compared
// with the entries of `list` of every function. The object's link (publish) becomes the
// last function listing it; each entry's Target the last object of its name met. Returns
// false when the progress callback stopped the run.
template <class Object, class Publish>
bool objectSideStep(const RunVector<TFunction_Intern*>& functions,
                    const RunVector<Object*>& objects, RefList list, Publish publish,
                    Progress& progress) {
  struct Listing {
    TFunction_Intern* lastFunction;
    int32_t entries;
    Object* lastObject;
  };
  ExactNameTable<Listing> byName(entryCount(functions, list));
  EntryChains chains;
  for (TFunction_Intern* f : functions) {
    for (TFunctionRef* e : f->*list) {
      Listing& l = byName[e->Name];
      if (!l.lastFunction) l.entries = -1;
      l.lastFunction = f;
      chains.add(l.entries, e);
    }
  }
  bool goOn = visitInOrder(objects, [&](Object* x) {
    if (Listing* l = byName.find(x->Name)) {
      publish(*x, l->lastFunction);
      l->lastObject = x;
    }
    return progress.step();
  });
  byName.forEachValue([&](Listing& l) {
    if (l.lastObject) chains.forEach(l.entries, [&](TFunctionRef& e) { e.Target = l.lastObject; });
  });
  return goOn;
}

bool objectSidePass(const ModuleObjects& m, Progress& progress) {
  return objectSideStep(
             m.functions, m.characteristics, &TFunction_Intern::DefCharacteristics,
             [](TCharacteristic_Intern& x, TFunction_Intern* f) { x.PublishingFunction = f; },
             progress) &&
         objectSideStep(
             m.functions, m.measurements, &TFunction_Intern::OutMeasurements,
             [](TMeasurement_Intern& x, TFunction_Intern* f) { x.PublishingFunction = f; },
             progress) &&
         objectSideStep(
             m.functions, m.functions, &TFunction_Intern::SubFunctions,
             [](TFunction_Intern& x, TFunction_Intern* f) { x.ParentFunction = f; }, progress);
}

// The objects of one list by exact name: the last of each name, and all of them chained for
// the publishing link that a function fans out to every object of a name.
template <class Object>
class ObjectsByName {
 public:
  explicit ObjectsByName(const RunVector<Object*>& objects)
      : byName_(objects.size()), objects_(objects) {
    next_.reserve(objects.size());
    visitInOrder(objects, [&](Object* o) {
      Named& n = byName_[o->Name];
      if (!n.last) n.chain = -1;
      n.last = o;
      next_.push_back(n.chain);
      n.chain = static_cast<int32_t>(next_.size() - 1);
      return true;
    });
  }
  // Target := the last object of the entry's name; false when none bears it.
  bool resolve(TFunctionRef& e) {
    Named* n = byName_.find(e.Name);
    if (!n) return false;
    e.Target = n->last;
    return true;
  }
  // As resolve; the objects of that name are to be published by f (see publishAll).
  void resolvePublished(TFunctionRef& e, TFunction_Intern* f) {
    if (Named* n = byName_.find(e.Name)) {
      e.Target = n->last;
      n->publisher = f;
    }
  }
  // Gives every object its name's last publisher.
  template <class Publish>
  void publishAll(Publish publish) {
    byName_.forEachValue([&](Named& n) {
      if (!n.publisher) return;
      for (int32_t i = n.chain; i >= 0; i = next_[i]) publish(*objects_[i], n.publisher);
    });
  }

 private:
  struct Named {
    Object* last;
    int32_t chain;
    TFunction_Intern* publisher;
  };
  ExactNameTable<Named> byName_;
  const RunVector<Object*>& objects_;
  RunVector<int32_t> next_{RunMemory::current()};
};

bool functionSidePass(const ModuleObjects& m, Progress& progress) {
  ObjectsByName<TCharacteristic_Intern> characteristics(m.characteristics);
  ObjectsByName<TMeasurement_Intern> measurements(m.measurements);
  ObjectsByName<TFunction_Intern> functions(m.functions);
  bool goOn = true;
  for (TFunction_Intern* f : m.functions) {
    for (TFunctionRef* e : f->DefCharacteristics) characteristics.resolvePublished(*e, f);
    for (TFunctionRef* e : f->RefCharacteristics) characteristics.resolve(*e);
    for (TFunctionRef* e : f->InMeasurements) measurements.resolve(*e);
    for (TFunctionRef* e : f->OutMeasurements) measurements.resolvePublished(*e, f);
    for (TFunctionRef* e : f->LocMeasurements) measurements.resolve(*e);
    for (TFunctionRef* e : f->SubFunctions) functions.resolvePublished(*e, f);
    if (!progress.step()) {
      goOn = false;
      break;
    }
  }
  characteristics.publishAll(
      [](TCharacteristic_Intern& x, TFunction_Intern* f) { x.PublishingFunction = f; });
  measurements.publishAll(
      [](TMeasurement_Intern& x, TFunction_Intern* f) { x.PublishingFunction = f; });
  functions.publishAll([](TFunction_Intern& x, TFunction_Intern* f) { x.ParentFunction = f; });
  return goOn;
}

ReturnCode conversionPass(const TModule_Intern& m, const ModuleObjects& objects, bool stopOnError) {
  bool complete = visitInOrder(objects.measurements, [&](TMeasurement_Intern* meas) {
    if (!meas->ConversionTarget)
      meas->ConversionTarget = m.CompuMethods.findExact(meas->Conversion);
    return meas->ConversionTarget || !stopOnError;
  });
  return complete ? ReturnCode::Ok : ReturnCode::CompuMethodNotFound;
}

ReturnCode compuTablePass(TModule_Intern& m, bool stopOnError) {
  constexpr int32_t kTabIntp = 0, kTabNoIntp = 1, kTabVerb = 4;
  for (TCompuMethod_Intern* cm : m.CompuMethods) {
    if (cm->CompuTabTarget) continue;
    if (cm->ConversionType == kTabIntp || cm->ConversionType == kTabNoIntp) {
      cm->CompuTabTarget = m.CompuTabs.findExact(cm->CompuTabRef);
      if (!cm->CompuTabTarget && stopOnError) return ReturnCode::CompuTabNotFound;
    } else if (cm->ConversionType == kTabVerb) {
      cm->CompuTabTarget = m.CompuVTabs.findExact(cm->CompuTabRef);
      if (!cm->CompuTabTarget && stopOnError) return ReturnCode::CompuVTabNotFound;
    }
  }
  return ReturnCode::Ok;
}

}  // namespace

ReturnCode findReferences(TOrdex& instance, uint32_t mode, int stopOnError, int total,
                          ProgressCallback callback) {
  if (!instance.Project) return ReturnCode::InvalidArgument;
  Progress progress(total, callback);
  const bool stop = stopOnError > 0;
  for (TModule_Intern* m : instance.Project->Modules) {
    RunMemory memory;
    ModuleObjects objects;
    if (mode & (kFindObjectSide | kFindFunctionSide)) {
      objects.characteristics = gather(m->Characteristics);
      objects.functions = gather(m->Functions);
    }
    if (mode & (kFindObjectSide | kFindFunctionSide | kFindConversions)) {
      objects.measurements = gather(m->Measurements);
    }
    if ((mode & kFindObjectSide) && !objectSidePass(objects, progress)) {
      return ReturnCode::AbortedByCallback;
    }
    if ((mode & kFindFunctionSide) && !functionSidePass(objects, progress)) {
      return ReturnCode::AbortedByCallback;
    }
    if (mode & kFindConversions) {
      if (ReturnCode rc = conversionPass(*m, objects, stop); rc != ReturnCode::Ok) return rc;
    }
    if (mode & kFindCompuTables) {
      if (ReturnCode rc = compuTablePass(*m, stop); rc != ReturnCode::Ok) return rc;
    }
    if (mode & kFoldFunctionLists) foldModuleFunctionLists(*m);
  }
  return ReturnCode::Ok;
}

void foldFunctionLists(TOrdex& instance) {
  if (!instance.Project) return;
  for (TModule_Intern* module : instance.Project->Modules) foldModuleFunctionLists(*module);
}

}  // namespace ordex
