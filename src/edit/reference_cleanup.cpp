#include "edit/reference_cleanup.h"

#include <cstdint>

#include "edit/edit_index.h"

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
  if (record.Kind == etMemorySegment || record.Kind == etRecordLayout) return;
  EditIndex::of(module).dropReferencesTo(module, record);
}

void dropReferencesInto(TProject_Intern& project, const TModule_Intern& module) {
  auto into = [&](const ObjectHead* target) { return target->Owner == &module; };
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
