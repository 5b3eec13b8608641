// Getters of the MOD_PAR entries: memory segments and layouts, calibration methods with
// their handles, system constants.
#include <algorithm>
#include <iterator>

#include "api/getter_support.h"
#include "api/record_fields.h"

using ordex::copyToField;
using ordex::fieldText;
using ordex::api::guarded;
using ordex::api::moduleOf;
using ordex::api::required;

namespace {

// The first CALIBRATION_METHOD of that name (not null); -123 when there is none.
const TCalibrationMethod_Intern& methodOf(const TModule_Intern& module, const char* name) {
  return ordex::api::namedObject(module.ModPar.CalibrationMethods, name,
                                 rcCalibrationMethodNotFound);
}

// The handle at index (from 0); -204 when the index is not below HandleCount or the list
// ends first.
const TCalibrationHandle_Intern& handleAt(const TCalibrationMethod_Intern& method, uint32_t index) {
  if (static_cast<int64_t>(index) >= method.HandleCount) throw rcIndexOutOfRange;
  const TCalibrationHandle_Intern* h = method.Handles.First;
  for (uint32_t i = 0; h && i < index; ++i) h = h->Next;
  if (!h) throw rcIndexOutOfRange;
  return *h;
}

// Every field but Name, as the table lists them.
template <class Model>
void copyMemorySegment(const Model& m, TMemorySegment& r) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_GET_FIELD(r, m, P, M, C)
#include "api/fields/memory_segment.def"
#undef ORDEX_FIELD
}

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_GetMemorySegment(TOrdex* instance, const char* moduleName,
                                                     TMemorySegment* record, int existenceOnly) {
  return guarded([&] {
    if (!instance) return rcNoInstance;
    TMemorySegment& r = required(record);
    const TModule_Intern& m = moduleOf(instance, moduleName);
    const TMemorySegment_Intern* s = m.ModPar.MemorySegments.find(fieldText(r.Name));
    if (!s) return rcMemorySegmentNotFound;
    if (existenceOnly) return rcOk;
    copyMemorySegment(*s, r);
    return rcOk;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetCalibrationMethod(TOrdex* instance, const char* moduleName,
                                                         TCalibrationMethod* record,
                                                         int existenceOnly) {
  return guarded([&] {
    if (!instance) return rcNoInstance;
    TCalibrationMethod& r = required(record);
    const TModule_Intern& m = moduleOf(instance, moduleName);
    const TCalibrationMethod_Intern* c = m.ModPar.CalibrationMethods.find(fieldText(r.Name));
    if (!c) return rcCalibrationMethodNotFound;
    if (existenceOnly) return rcOk;
    r.Version = c->Version;
    r.HandleCount = c->HandleCount;
    return rcOk;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetCalibrationHandleNumValues(TOrdex* instance,
                                                                  const char* moduleName,
                                                                  const char* methodName,
                                                                  uint32_t handleIndex,
                                                                  int* numValues) {
  return guarded([&] {
    if (!instance) return rcNoInstance;
    int& out = required(numValues);
    required(methodName);
    const TModule_Intern& m = moduleOf(instance, moduleName);
    const TCalibrationHandle_Intern& h = handleAt(methodOf(m, methodName), handleIndex);
    out = static_cast<int>(h.Values.size());
    return rcOk;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetCalibrationHandleValues(TOrdex* instance,
                                                               const char* moduleName,
                                                               const char* methodName,
                                                               uint32_t handleIndex,
                                                               uint32_t maxValues, int* values) {
  return guarded([&] {
    if (!instance) return rcNoInstance;
    required(values);
    required(methodName);
    const TModule_Intern& m = moduleOf(instance, moduleName);
    const TCalibrationHandle_Intern& h = handleAt(methodOf(m, methodName), handleIndex);
    size_t n = std::min<size_t>(h.Values.size(), maxValues);
    std::copy_n(h.Values.begin(), n, values);
    return rcOk;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetSystemConstant(TOrdex* instance, const char* moduleName,
                                                      TSystemConstant* record, int existenceOnly) {
  return guarded([&] {
    if (!instance) return rcNoInstance;
    TSystemConstant& r = required(record);
    const TModule_Intern& m = moduleOf(instance, moduleName);
    const TSystemConstant_Intern* c =
        ordex::findSystemConstant(m.ModPar.SystemConstants, fieldText(r.Name));
    if (!c) return rcSystemConstantNotFound;
    if (existenceOnly) return rcOk;
    r.Value = c->Value.c_str();
    return rcOk;
  });
}
