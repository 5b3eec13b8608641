// Add-to operations: a name to a FUNCTION's reference list, a system constant to a module,
// an IF_DATA entry or an annotation to an object.
#include "api/edit_api_support.h"
#include "edit/list_entry_edits.h"
#include "model/copy_to_field.h"

using ordex::fieldText;
using ordex::api::onModule;
using ordex::api::required;
using ordex::api::requiredName;
using ordex::api::toPublic;
using ordex::edit::FunctionList;

namespace {

TOrdexReturnCode addToFunctionList(TOrdex* instance, const char* moduleName, const char* function,
                                   FunctionList list, const char* name) {
  return onModule(instance, moduleName, [&](TModule_Intern& module) {
    return toPublic(
        ordex::edit::addToFunctionList(module, requiredName(function), list, requiredName(name)));
  });
}

// The entry takes the record's name and a copy of the whole content (a null content is
// taken as empty).
TOrdexReturnCode addIfData(TOrdex* instance, const char* moduleName, TOrdexElementType ownerKind,
                           const char* owner, const TIfDataRecord* record) {
  return onModule(instance, moduleName, [&](TModule_Intern& module) {
    std::string_view ownerName = requiredName(owner);
    const TIfDataRecord& r = required(record);
    return toPublic(ordex::edit::addIfData(
        module, static_cast<ordex::ElementKind>(ownerKind), ownerName, fieldText(r.Name),
        r.Content ? std::string_view(r.Content) : std::string_view()));
  });
}

TOrdexReturnCode addAnnotation(TOrdex* instance, const char* moduleName,
                               TOrdexElementType ownerKind, const char* owner,
                               const TAnnotationRecord* record) {
  return onModule(instance, moduleName, [&](TModule_Intern& module) {
    std::string_view ownerName = requiredName(owner);
    const TAnnotationRecord& r = required(record);
    return toPublic(ordex::edit::addAnnotation(module, static_cast<ordex::ElementKind>(ownerKind),
                                               ownerName, fieldText(r.Label), fieldText(r.Origin),
                                               fieldText(r.Text, ORDEX_ANNOTATION_TEXT_SIZE)));
  });
}

}  // namespace

#define ORDEX_ADD_TO_FUNCTION_LIST(Name, Which)                                           \
  ORDEX_EXPORT TOrdexReturnCode Ordex_AddToAFuncs##Name##List(                            \
      TOrdex* instance, const char* moduleName, const char* function, const char* name) { \
    return addToFunctionList(instance, moduleName, function, FunctionList::Which, name);  \
  }

ORDEX_ADD_TO_FUNCTION_LIST(DefCha, DefCharacteristic)
ORDEX_ADD_TO_FUNCTION_LIST(RefCha, RefCharacteristic)
ORDEX_ADD_TO_FUNCTION_LIST(InMea, InMeasurement)
ORDEX_ADD_TO_FUNCTION_LIST(OutMea, OutMeasurement)
ORDEX_ADD_TO_FUNCTION_LIST(LocMea, LocMeasurement)
ORDEX_ADD_TO_FUNCTION_LIST(SubFunc, SubFunction)

#undef ORDEX_ADD_TO_FUNCTION_LIST

// Host applications know this one under both names.
ORDEX_EXPORT TOrdexReturnCode Ordex_AddToAAxisPtsFuncList(TOrdex* instance, const char* moduleName,
                                                          const char* function, const char* name) {
  return addToFunctionList(instance, moduleName, function, FunctionList::AxisPts, name);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_AddToAAxisPtsFuncList_Intern(TOrdex* instance,
                                                                 const char* moduleName,
                                                                 const char* function,
                                                                 const char* name) {
  return Ordex_AddToAAxisPtsFuncList(instance, moduleName, function, name);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_AddToSystemConstantList(TOrdex* instance,
                                                            const char* moduleName,
                                                            const char* name, const char* value) {
  return onModule(instance, moduleName, [&](TModule_Intern& module) {
    return toPublic(
        ordex::edit::addSystemConstant(module, requiredName(name), requiredName(value)));
  });
}

#define ORDEX_ADD_TO_IF_DATA_LIST(Owner, Kind)                                                    \
  ORDEX_EXPORT TOrdexReturnCode Ordex_AddToA##Owner##IfDataList(                                  \
      TOrdex* instance, const char* moduleName, const char* owner, const TIfDataRecord* record) { \
    return addIfData(instance, moduleName, Kind, owner, record);                                  \
  }

ORDEX_ADD_TO_IF_DATA_LIST(MemSegs, etMemorySegment)
ORDEX_ADD_TO_IF_DATA_LIST(Chas, etCharacteristic)
ORDEX_ADD_TO_IF_DATA_LIST(Meas, etMeasurement)
ORDEX_ADD_TO_IF_DATA_LIST(AxisPts, etAxisPts)

#undef ORDEX_ADD_TO_IF_DATA_LIST

#define ORDEX_ADD_TO_ANNOTATION_LIST(Owner, Kind)                    \
  ORDEX_EXPORT TOrdexReturnCode Ordex_AddToA##Owner##AnnotatList(    \
      TOrdex* instance, const char* moduleName, const char* owner,   \
      const TAnnotationRecord* record) {                             \
    return addAnnotation(instance, moduleName, Kind, owner, record); \
  }

ORDEX_ADD_TO_ANNOTATION_LIST(Chas, etCharacteristic)
ORDEX_ADD_TO_ANNOTATION_LIST(Meas, etMeasurement)

#undef ORDEX_ADD_TO_ANNOTATION_LIST
