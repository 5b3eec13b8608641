// Remove operations (the project, a module, an object) and remove-from operations (an entry
// of a FUNCTION's reference list, a system constant, an IF_DATA entry).
#include "api/edit_api_support.h"
#include "edit/list_entry_edits.h"
#include "edit/object_edits.h"

using ordex::api::guarded;
using ordex::api::onModuleNotBeingRead;
using ordex::api::refuseWhileBeingRead;
using ordex::api::requiredName;
using ordex::api::toPublic;
using ordex::edit::FunctionList;

namespace {

TOrdexReturnCode removeObject(TOrdex* instance, const char* moduleName, TOrdexElementType kind,
                              const char* name) {
  return onModuleNotBeingRead(instance, moduleName, [&](TModule_Intern& module) {
    return toPublic(ordex::edit::removeObject(module, static_cast<ordex::ElementKind>(kind),
                                              requiredName(name)));
  });
}

TOrdexReturnCode removeFromFunctionList(TOrdex* instance, const char* moduleName,
                                        const char* function, FunctionList list, const char* name) {
  return onModuleNotBeingRead(instance, moduleName, [&](TModule_Intern& module) {
    return toPublic(ordex::edit::removeFromFunctionList(module, requiredName(function), list,
                                                        requiredName(name)));
  });
}

TOrdexReturnCode removeIfData(TOrdex* instance, const char* moduleName, TOrdexElementType ownerKind,
                              const char* owner, const char* name) {
  return onModuleNotBeingRead(instance, moduleName, [&](TModule_Intern& module) {
    return toPublic(ordex::edit::removeIfData(module, static_cast<ordex::ElementKind>(ownerKind),
                                              requiredName(owner), requiredName(name)));
  });
}

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_RemoveProject(TOrdex* instance) {
  return guarded([&] {
    if (!instance) return rcNoInstance;
    refuseWhileBeingRead(instance);
    return toPublic(ordex::edit::removeProject(*instance));
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_RemoveModule(TOrdex* instance, const char* moduleName) {
  return guarded([&] {
    if (!instance) return rcNoInstance;
    refuseWhileBeingRead(instance);
    return toPublic(ordex::edit::removeModule(*instance, moduleName));
  });
}

#define ORDEX_REMOVE_OPERATION(Name, Kind)                                                   \
  ORDEX_EXPORT TOrdexReturnCode Ordex_Remove##Name(TOrdex* instance, const char* moduleName, \
                                                   const char* name) {                       \
    return removeObject(instance, moduleName, Kind, name);                                   \
  }

ORDEX_REMOVE_OPERATION(MemorySegment, etMemorySegment)
ORDEX_REMOVE_OPERATION(Characteristic, etCharacteristic)
ORDEX_REMOVE_OPERATION(Measurement, etMeasurement)
ORDEX_REMOVE_OPERATION(Function, etFunction)
ORDEX_REMOVE_OPERATION(CompuMethod, etCompuMethod)
ORDEX_REMOVE_OPERATION(CompuTab, etCompuTab)
ORDEX_REMOVE_OPERATION(CompuVTab, etCompuVTab)
ORDEX_REMOVE_OPERATION(AxisPts, etAxisPts)
ORDEX_REMOVE_OPERATION(RecordLayout, etRecordLayout)

#undef ORDEX_REMOVE_OPERATION

#define ORDEX_REMOVE_FROM_FUNCTION_LIST(Name, Which)                                          \
  ORDEX_EXPORT TOrdexReturnCode Ordex_RemFromAFuncs##Name##List(                              \
      TOrdex* instance, const char* moduleName, const char* function, const char* name) {     \
    return removeFromFunctionList(instance, moduleName, function, FunctionList::Which, name); \
  }

ORDEX_REMOVE_FROM_FUNCTION_LIST(DefCha, DefCharacteristic)
ORDEX_REMOVE_FROM_FUNCTION_LIST(RefCha, RefCharacteristic)
ORDEX_REMOVE_FROM_FUNCTION_LIST(InMea, InMeasurement)
ORDEX_REMOVE_FROM_FUNCTION_LIST(OutMea, OutMeasurement)
ORDEX_REMOVE_FROM_FUNCTION_LIST(LocMea, LocMeasurement)
ORDEX_REMOVE_FROM_FUNCTION_LIST(SubFunc, SubFunction)
ORDEX_REMOVE_FROM_FUNCTION_LIST(AxisPts, AxisPts)

#undef ORDEX_REMOVE_FROM_FUNCTION_LIST

ORDEX_EXPORT TOrdexReturnCode Ordex_RemFromSysConstantList(TOrdex* instance, const char* moduleName,
                                                           const char* name) {
  return onModuleNotBeingRead(instance, moduleName, [&](TModule_Intern& module) {
    return toPublic(ordex::edit::removeSystemConstant(module, requiredName(name)));
  });
}

#define ORDEX_REMOVE_FROM_IF_DATA_LIST(Owner, Kind)                                    \
  ORDEX_EXPORT TOrdexReturnCode Ordex_RemFromA##Owner##IfDataList(                     \
      TOrdex* instance, const char* moduleName, const char* owner, const char* name) { \
    return removeIfData(instance, moduleName, Kind, owner, name);                      \
  }

ORDEX_REMOVE_FROM_IF_DATA_LIST(MemSegs, etMemorySegment)
ORDEX_REMOVE_FROM_IF_DATA_LIST(Chas, etCharacteristic)
ORDEX_REMOVE_FROM_IF_DATA_LIST(Meas, etMeasurement)
ORDEX_REMOVE_FROM_IF_DATA_LIST(AxisPts, etAxisPts)

#undef ORDEX_REMOVE_FROM_IF_DATA_LIST
