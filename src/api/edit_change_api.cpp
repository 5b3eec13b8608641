// Change operations: a public record applied to the project, a module or an object.
#include <functional>
#include <vector>

#include "api/edit_api_support.h"
#include "api/record_setters.h"
#include "edit/object_edits.h"
#include "model/copy_to_field.h"

using ordex::fieldText;
using ordex::api::copyFields;
using ordex::api::copyPairs;
using ordex::api::guarded;
using ordex::api::onModule;
using ordex::api::onModuleNotBeingRead;
using ordex::api::required;
using ordex::api::requiredName;
using ordex::api::toPublic;

namespace {

// Applies the record to the object its Name selects in the module.
template <class Record>
TOrdexReturnCode changeIn(TModule_Intern& module, const Record& record) {
  using Intern = typename ordex::api::InternOf<Record>::type;
  if (!ordex::api::fitsModel(record)) return rcInvalidArgument;
  return toPublic(ordex::edit::change<Intern>(module, fieldText(record.Name),
                                              [&](Intern& to) { copyFields(to, record); }));
}

TOrdexReturnCode changeIn(TModule_Intern& module, const TMeasurement& record) {
  return toPublic(
      ordex::edit::changeMeasurement(module, fieldText(record.Name), fieldText(record.Conversion),
                                     [&](TMeasurement_Intern& to) { copyFields(to, record); }));
}

template <class Record>
TOrdexReturnCode changeObject(TOrdex* instance, const char* moduleName, const Record* record) {
  return onModule(instance, moduleName,
                  [&](TModule_Intern& module) { return changeIn(module, required(record)); });
}

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_ChangeProject(TOrdex* instance, const TProject* record) {
  return guarded([&] {
    if (!instance) return rcNoInstance;
    if (!instance->Project) return rcNoProject;
    const TProject& r = required(record);
    return toPublic(
        ordex::edit::changeProject(*instance, [&](TProject_Intern& to) { copyFields(to, r); }));
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_ChangeModule(TOrdex* instance, const TModule* record) {
  return guarded([&] {
    if (!instance) return rcNoInstance;
    if (!instance->Project) return rcNoProject;
    const TModule& r = required(record);
    return toPublic(ordex::edit::changeModule(*instance, fieldText(r.Name),
                                              [&](TModule_Intern& to) { copyFields(to, r); }));
  });
}

#define ORDEX_CHANGE_OPERATION(Name, RecordType)                                             \
  ORDEX_EXPORT TOrdexReturnCode Ordex_Change##Name(TOrdex* instance, const char* moduleName, \
                                                   const RecordType* record) {               \
    return changeObject(instance, moduleName, record);                                       \
  }

ORDEX_CHANGE_OPERATION(MemorySegment, TMemorySegment)
ORDEX_CHANGE_OPERATION(Characteristic, TCharacteristic)
ORDEX_CHANGE_OPERATION(Characteristic2, TCharacteristic2)
ORDEX_CHANGE_OPERATION(Measurement, TMeasurement)
ORDEX_CHANGE_OPERATION(Function, TFunction)
ORDEX_CHANGE_OPERATION(CompuMethod, TCompuMethod)
ORDEX_CHANGE_OPERATION(CompuMethod2, TCompuMethod2)
ORDEX_CHANGE_OPERATION(CompuTab, TCompuTab)
ORDEX_CHANGE_OPERATION(AxisPts, TAxisPts)
ORDEX_CHANGE_OPERATION(RecordLayout, TRecordLayout)
ORDEX_CHANGE_OPERATION(RecordLayout2, TRecordLayout2)

#undef ORDEX_CHANGE_OPERATION

// The two operations that rebuild a COMPU_VTAB's pairs are refused inside a read of the
// same instance: the reader may be filling those pairs.
ORDEX_EXPORT TOrdexReturnCode Ordex_ChangeCompuVTab(TOrdex* instance, const char* moduleName,
                                                    const TCompuVTab* record) {
  return onModuleNotBeingRead(instance, moduleName, [&](TModule_Intern& module) {
    return changeIn(module, required(record));
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_ChangeACompuVTabsLargeVTab(TOrdex* instance,
                                                               const char* moduleName,
                                                               const char* vtabName,
                                                               const TCompuVTabEntry* entries) {
  return onModuleNotBeingRead(instance, moduleName, [&](TModule_Intern& module) {
    std::function<void(std::vector<TCompuVTabPair_Intern>&)> fill;
    if (entries)
      fill = [entries](std::vector<TCompuVTabPair_Intern>& pairs) { copyPairs(pairs, entries); };
    return toPublic(ordex::edit::changeLargeVTab(module, requiredName(vtabName), fill));
  });
}
