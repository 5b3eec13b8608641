#include "query/reference_finder.h"

#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/name_compare.h"

namespace ordex {

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

  std::vector<Slot> slots_;
  size_t mask_ = 0;
  std::unordered_map<const TFunction_Intern*, TFunction_Intern*> sameName_;
};

template <class Object>
bool anyFunctionList(const ObjectList<Object>& objects) {
  for (const Object* o : objects) {
    if (o->FunctionList.Count) return true;
  }
  return false;
}

template <class Object>
void foldInto(const FunctionsByName& functions, ObjectList<Object>& objects,
              FunctionRefList TFunction_Intern::*list) {
  for (Object* o : objects) {
    for (const TNameEntry_Intern* n : o->FunctionList) {
      functions.forEach(n->Name, [&](TFunction_Intern& f) {
        auto ref = std::make_unique<TFunctionRef>();
        ref->Name = o->Name;
        (f.*list).append(std::move(ref));
      });
    }
    o->FunctionList.clear();
  }
}

}  // namespace

void foldModuleFunctionLists(TModule_Intern& module) {
  if (!anyFunctionList(module.Characteristics) && !anyFunctionList(module.Measurements) &&
      !anyFunctionList(module.AxisPts)) {
    return;
  }
  const FunctionsByName functions(module.Functions);
  foldInto(functions, module.Characteristics, &TFunction_Intern::DefCharacteristics);
  foldInto(functions, module.Measurements, &TFunction_Intern::InMeasurements);
  foldInto(functions, module.AxisPts, &TFunction_Intern::AxisPts);
}

void foldFunctionLists(TOrdex& instance) {
  if (!instance.Project) return;
  for (TModule_Intern* module : instance.Project->Modules) foldModuleFunctionLists(*module);
}

}  // namespace ordex
