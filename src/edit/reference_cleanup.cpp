#include "edit/reference_cleanup.h"

#include <cstdint>
#include <unordered_set>

#include "edit/edit_index.h"
#include "model/element_kind.h"

namespace ordex::edit {

namespace {

template <class Link, class GoingAway>
void drop(Link*& link, GoingAway goingAway) {
  if (link && goingAway(static_cast<const ObjectHead*>(link))) link = nullptr;
}

template <class GoingAway>
void dropObjectLinks(TModule_Intern& m, GoingAway goingAway) {
  for (TCharacteristic_Intern* c : m.Characteristics) drop(c->PublishingFunction, goingAway);
  for (TFunction_Intern* f : m.Functions) drop(f->ParentFunction, goingAway);
  for (TMeasurement_Intern* meas : m.Measurements) {
    drop(meas->PublishingFunction, goingAway);
    drop(meas->ConversionTarget, goingAway);
  }
  for (TCompuMethod_Intern* cm : m.CompuMethods) drop(cm->CompuTabTarget, goingAway);
}

}  // namespace

void dropReferencesTo(TModule_Intern& module, ObjectHead& record) {
  // Nothing links to memory segments and record layouts: no index is needed for them.
  if (record.Kind == ekMemorySegment || record.Kind == ekRecordLayout) return;
  EditIndex::of(module).dropReferencesTo(module, record);
}

// The targets are compared with the module's records, never followed: a link elsewhere may
// lead to a record freed long ago.
void dropReferencesInto(TProject_Intern& project, const TModule_Intern& module) {
  if (project.Modules.count() < 2) return;
  std::unordered_set<const ObjectHead*> records;
  auto collect = [&](const ObjectListBase& list) {
    for (const ObjectHead* o = list.First; o; o = o->Next) records.insert(o);
  };
  collect(module.Characteristics);
  collect(module.Measurements);
  collect(module.Functions);
  collect(module.CompuMethods);
  collect(module.CompuTabs);
  collect(module.CompuVTabs);
  collect(module.AxisPts);
  auto into = [&](const ObjectHead* target) { return records.count(target) != 0; };
  for (TModule_Intern* m : project.Modules) {
    if (m == &module) continue;
    for (TFunction_Intern* f : m->Functions) {
      for (FunctionRefList* list : nameListsOf(*f)) {
        for (TFunctionRef* e : *list) drop(e->Target, into);
      }
    }
    dropObjectLinks(*m, into);
  }
}

}  // namespace ordex::edit
