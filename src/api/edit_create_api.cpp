// Create operations: a project, a module, and objects of a module from their public records.
#include "api/edit_api_support.h"
#include "api/record_setters.h"
#include "edit/object_edits.h"
#include "model/copy_to_field.h"

using ordex::fieldText;
using ordex::api::copyFields;
using ordex::api::guarded;
using ordex::api::onModule;
using ordex::api::required;
using ordex::api::toPublic;

namespace {

template <class Record>
TOrdexReturnCode createObject(TOrdex* instance, const char* moduleName, const Record* record) {
  return onModule(instance, moduleName, [&](TModule_Intern& module) {
    using Intern = typename ordex::api::InternOf<Record>::type;
    const Record& r = required(record);
    if (!ordex::api::fitsModel(r)) return rcInvalidArgument;
    return toPublic(ordex::edit::create<Intern>(module, fieldText(r.Name),
                                                [&](Intern& to) { copyFields(to, r); }));
  });
}

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_CreateProject(TOrdex* instance, const TProject* record) {
  return guarded([&] {
    if (!instance) return rcNoInstance;
    const TProject& r = required(record);
    return toPublic(
        ordex::edit::createProject(*instance, [&](TProject_Intern& to) { copyFields(to, r); }));
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_CreateModule(TOrdex* instance, const TModule* record) {
  return guarded([&] {
    if (!instance) return rcNoInstance;
    if (!instance->Project) return rcNoProject;
    const TModule& r = required(record);
    return toPublic(ordex::edit::createModule(*instance, fieldText(r.Name),
                                              [&](TModule_Intern& to) { copyFields(to, r); }));
  });
}

#define ORDEX_CREATE_OPERATION(Name, RecordType)                                             \
  ORDEX_EXPORT TOrdexReturnCode Ordex_Create##Name(TOrdex* instance, const char* moduleName, \
                                                   const RecordType* record) {               \
    return createObject(instance, moduleName, record);                                       \
  }

ORDEX_CREATE_OPERATION(MemorySegment, TMemorySegment)
ORDEX_CREATE_OPERATION(Characteristic, TCharacteristic)
ORDEX_CREATE_OPERATION(Characteristic2, TCharacteristic2)
ORDEX_CREATE_OPERATION(Measurement, TMeasurement)
ORDEX_CREATE_OPERATION(Function, TFunction)
ORDEX_CREATE_OPERATION(CompuMethod, TCompuMethod)
ORDEX_CREATE_OPERATION(CompuMethod2, TCompuMethod2)
ORDEX_CREATE_OPERATION(CompuTab, TCompuTab)
ORDEX_CREATE_OPERATION(CompuVTab, TCompuVTab)
ORDEX_CREATE_OPERATION(AxisPts, TAxisPts)
ORDEX_CREATE_OPERATION(RecordLayout, TRecordLayout)
ORDEX_CREATE_OPERATION(RecordLayout2, TRecordLayout2)
