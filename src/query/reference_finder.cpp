#include "query/reference_finder.h"

#include <string_view>
#include <unordered_map>
#include <vector>

namespace ordex {

namespace {

// The functions of a module by exact name. Several functions may share a name: each gets
// the entries, in list order, so a name maps to the chain of its functions.
class FunctionsByName {
 public:
  explicit FunctionsByName(const ObjectList<TFunction_Intern>& functions) {
    first_.reserve(functions.count());
    for (TFunction_Intern* f : functions) {
      auto [it, inserted] = first_.try_emplace(f->Name, Chain{f, f});
      if (!inserted) {
        sameName_[it->second.last] = f;
        it->second.last = f;
      }
    }
  }

  template <class Visit>
  void forEach(std::string_view name, Visit&& visit) const {
    auto it = first_.find(name);
    if (it == first_.end()) return;
    for (TFunction_Intern* f = it->second.first; f;) {
      visit(*f);
      auto next = sameName_.find(f);
      f = next == sameName_.end() ? nullptr : next->second;
    }
  }

 private:
  struct Chain {
    TFunction_Intern* first;
    TFunction_Intern* last;
  };
  std::unordered_map<std::string_view, Chain> first_;
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
