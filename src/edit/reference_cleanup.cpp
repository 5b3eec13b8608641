#include "edit/reference_cleanup.h"

#include <cstdint>

namespace ordex::edit {

namespace {

// Which holders may link to the records going away. Each removal scans only these, so
// removing one object costs one pass over the holders of its kind.
enum Holders : uint32_t {
  kEntryTargets = 1,   // Target of the entries of every FUNCTION name list
  kFunctionLinks = 2,  // PublishingFunction of characteristics and measurements, ParentFunction
  kConversions = 4,    // ConversionTarget of measurements
  kCompuTables = 8,    // CompuTabTarget of compu methods
  kAllHolders = 15,
};

uint32_t holdersOf(int32_t kind) {
  switch (kind) {
    case etCharacteristic:
    case etMeasurement:
    case etAxisPts:
      return kEntryTargets;
    case etFunction:
      return kEntryTargets | kFunctionLinks;
    case etCompuMethod:
      return kConversions;
    case etCompuTab:
    case etCompuVTab:
      return kCompuTables;
    default:
      return 0;  // nothing links to memory segments and record layouts
  }
}

template <class Link, class GoingAway>
void drop(Link*& link, GoingAway goingAway) {
  if (link && goingAway(static_cast<const ObjectHead*>(link))) link = nullptr;
}

template <class GoingAway>
void dropInModule(TModule_Intern& m, uint32_t holders, GoingAway goingAway) {
  if (holders & (kEntryTargets | kFunctionLinks)) {
    for (TFunction_Intern* f : m.Functions) {
      if (holders & kEntryTargets) {
        for (FunctionRefList* list :
             {&f->DefCharacteristics, &f->RefCharacteristics, &f->InMeasurements,
              &f->OutMeasurements, &f->LocMeasurements, &f->SubFunctions, &f->AxisPts}) {
          for (TFunctionRef* e : *list) drop(e->Target, goingAway);
        }
      }
      if (holders & kFunctionLinks) drop(f->ParentFunction, goingAway);
    }
  }
  if (holders & kFunctionLinks) {
    for (TCharacteristic_Intern* c : m.Characteristics) drop(c->PublishingFunction, goingAway);
  }
  if (holders & (kFunctionLinks | kConversions)) {
    for (TMeasurement_Intern* meas : m.Measurements) {
      if (holders & kFunctionLinks) drop(meas->PublishingFunction, goingAway);
      if (holders & kConversions) drop(meas->ConversionTarget, goingAway);
    }
  }
  if (holders & kCompuTables) {
    for (TCompuMethod_Intern* cm : m.CompuMethods) drop(cm->CompuTabTarget, goingAway);
  }
}

}  // namespace

// Links are made within a module, but every module is scanned: a link that crossed modules
// would dangle just the same.
void dropReferencesTo(TProject_Intern& project, const ObjectHead& record) {
  const uint32_t holders = holdersOf(record.Kind);
  if (!holders) return;
  for (TModule_Intern* m : project.Modules) {
    dropInModule(*m, holders, [&](const ObjectHead* target) { return target == &record; });
  }
}

void dropReferencesInto(TProject_Intern& project, const TModule_Intern& module) {
  for (TModule_Intern* m : project.Modules) {
    if (m == &module) continue;
    dropInModule(*m, kAllHolders,
                 [&](const ObjectHead* target) { return target->Owner == &module; });
  }
}

}  // namespace ordex::edit
