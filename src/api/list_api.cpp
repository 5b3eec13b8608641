#include "api/guarded.h"
#include "model/object_counts.h"
#include "query/name_enumerators.h"
#include "query/name_lists.h"

using ordex::api::guarded;

namespace {

using ListOf = const ordex::ObjectListBase& (*)(const TModule_Intern&);

TOrdexReturnCode listModuleContent(TOrdex* instance, const char* moduleName, char* buffer, int size,
                                   const char* after, const char* pattern, ListOf listOf) {
  return guarded([&] {
    const TModule_Intern& m = ordex::api::moduleOf(instance, moduleName);
    if (!buffer) return rcNullArgument;
    if (size < 1) return rcBadSize;
    ordex::listNames(listOf(m), buffer, size, after, pattern);
    return rcOk;
  });
}

TOrdexReturnCode nextModuleContentName(ordex::EnumPosition& pos, TOrdex* instance,
                                       const char* moduleName, char* name, const char* pattern,
                                       ListOf listOf) {
  return guarded([&] {
    const TModule_Intern& m = ordex::api::moduleOf(instance, moduleName);
    if (!name) return rcNullArgument;
    ordex::nextObjectName(pos, listOf(m), name, pattern);
    return rcOk;
  });
}

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_GetModuleList(TOrdex* instance, char* buffer, int size,
                                                  const char* after, const char* pattern) {
  return guarded([&] {
    const TProject_Intern& p = ordex::api::projectOf(instance);
    if (!buffer) return rcNullArgument;
    if (size < 1) return rcBadSize;
    ordex::listNames(p.Modules, buffer, size, after, pattern);
    return rcOk;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetNextModuleName(TOrdex* instance, char* name,
                                                      const char* pattern) {
  static ordex::EnumPosition pos;
  return guarded([&] {
    const TProject_Intern& p = ordex::api::projectOf(instance);
    if (!name) return rcNullArgument;
    ordex::nextObjectName(pos, p.Modules, name, pattern);
    return rcOk;
  });
}

// The list and enumerator of each object kind of a module.
#define ORDEX_MODULE_LIST_FAMILY(Kind, Member)                                                   \
  ORDEX_EXPORT TOrdexReturnCode Ordex_Get##Kind##List(TOrdex* instance, const char* moduleName,  \
                                                      char* buffer, int size, const char* after, \
                                                      const char* pattern) {                     \
    return listModuleContent(                                                                    \
        instance, moduleName, buffer, size, after, pattern,                                      \
        [](const TModule_Intern& m) -> const ordex::ObjectListBase& { return m.Member; });       \
  }                                                                                              \
  ORDEX_MODULE_ENUMERATOR(Kind, Member)

#define ORDEX_MODULE_ENUMERATOR(Kind, Member)                                              \
  ORDEX_EXPORT TOrdexReturnCode Ordex_GetNext##Kind##Name(                                 \
      TOrdex* instance, const char* moduleName, char* name, const char* pattern) {         \
    static ordex::EnumPosition pos;                                                        \
    return nextModuleContentName(                                                          \
        pos, instance, moduleName, name, pattern,                                          \
        [](const TModule_Intern& m) -> const ordex::ObjectListBase& { return m.Member; }); \
  }

ORDEX_MODULE_LIST_FAMILY(MemorySegment, ModPar.MemorySegments)
ORDEX_MODULE_LIST_FAMILY(Characteristic, Characteristics)
ORDEX_MODULE_LIST_FAMILY(Measurement, Measurements)
ORDEX_MODULE_LIST_FAMILY(Function, Functions)
ORDEX_MODULE_LIST_FAMILY(CompuMethod, CompuMethods)
ORDEX_MODULE_LIST_FAMILY(CompuTab, CompuTabs)
ORDEX_MODULE_LIST_FAMILY(CompuVTab, CompuVTabs)
ORDEX_MODULE_LIST_FAMILY(AxisPts, AxisPts)
ORDEX_MODULE_LIST_FAMILY(RecordLayout, RecordLayouts)
ORDEX_MODULE_ENUMERATOR(CalibrationMethod, ModPar.CalibrationMethods)

ORDEX_EXPORT TOrdexReturnCode Ordex_GetNumObjects_Intern(TModule_Intern* module, int mask,
                                                         int* count) {
  if (!module) return rcModuleNotFound;
  if (!count) return rcNullArgument;
  *count = ordex::countObjects(*module, mask);
  return rcOk;
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetNumObjects(TOrdex* instance, const char* moduleName,
                                                  int mask, int* count) {
  return guarded([&] {
    TModule_Intern& m = ordex::api::moduleOf(instance, moduleName);
    return Ordex_GetNumObjects_Intern(&m, mask, count);
  });
}
