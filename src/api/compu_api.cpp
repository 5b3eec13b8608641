// Getters of COMPU_METHOD, COMPU_TAB and COMPU_VTAB.
#include <type_traits>

#include "api/getter_support.h"

using ordex::copyToField;
using ordex::api::copyNumber;
using ordex::api::getObject;
using ordex::api::guarded;
using ordex::api::moduleOf;
using ordex::api::namedObject;
using ordex::api::required;

namespace {

template <class Record>
void copyCompuMethod(const TCompuMethod_Intern& m, Record& r) {
  copyToField(r.LongIdentifier, m.LongIdentifier);
  r.ConversionType = m.ConversionType;
  copyToField(r.Format, m.Format);
  copyToField(r.Unit, m.Unit);
  copyToField(r.Formula, m.Formula);
  for (int i = 0; i < 6; ++i) copyNumber(r.Coeffs[i], m.Coeffs[i]);
  copyToField(r.CompuTabRef, m.CompuTabRef);
  r.UserData = m.UserData;
  if constexpr (std::is_same_v<Record, TCompuMethod2>) copyToField(r.FormulaInv, m.FormulaInv);
}

template <class Record>
TOrdexReturnCode getCompuMethod(TOrdex* instance, const char* moduleName, Record* record,
                                int existenceOnly) {
  return getObject(instance, moduleName, record, existenceOnly, &TModule_Intern::CompuMethods,
                   rcCompuMethodNotFound, copyCompuMethod<Record>);
}

void copyCompuTab(const TCompuTab_Intern& t, TCompuTab& r) {
  copyToField(r.LongIdentifier, t.LongIdentifier);
  r.ConversionType = t.ConversionType;
  r.NumberValuePairs = t.NumberValuePairs;
  // Only the pairs in use are written; the caller's other entries stay as they were.
  const int32_t used = t.usedPairs();
  for (int32_t k = 0; k < used; ++k) {
    const TCompuTabPair_Intern& p = t.pair(k);
    r.Pairs[k].InVal = p.InVal;
    copyNumber(r.Pairs[k].Out, p.Out);
  }
  copyToField(r.DefaultValue, t.DefaultValue);
  r.UserData = t.UserData;
}

void copyCompuVTab(const TCompuVTab_Intern& v, TCompuVTab& r) {
  copyToField(r.LongIdentifier, v.LongIdentifier);
  r.ConversionType = v.ConversionType;
  r.NumberValuePairs = v.NumberValuePairs;
  const int32_t n = v.usedPairs() < ORDEX_COMPU_VTAB_PAIRS ? v.usedPairs() : ORDEX_COMPU_VTAB_PAIRS;
  for (int32_t k = 0; k < n; ++k) {
    r.Pairs[k].InVal = v.pair(k).InVal;
    copyToField(r.Pairs[k].OutText, v.pair(k).OutText);
  }
  copyToField(r.DefaultValue, v.DefaultValue);
  r.UserData = v.UserData;
}

const TCompuVTab_Intern& findVTab(const TModule_Intern& module, const char* name) {
  return namedObject(module.CompuVTabs, name, rcCompuVTabNotFound);
}

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_GetCompuMethod(TOrdex* instance, const char* moduleName,
                                                   TCompuMethod* record, int existenceOnly) {
  return getCompuMethod(instance, moduleName, record, existenceOnly);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetCompuMethod2(TOrdex* instance, const char* moduleName,
                                                    TCompuMethod2* record, int existenceOnly) {
  return getCompuMethod(instance, moduleName, record, existenceOnly);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetCompuTab(TOrdex* instance, const char* moduleName,
                                                TCompuTab* record, int existenceOnly) {
  return getObject(instance, moduleName, record, existenceOnly, &TModule_Intern::CompuTabs,
                   rcCompuTabNotFound, copyCompuTab);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetCompuVTab(TOrdex* instance, const char* moduleName,
                                                 TCompuVTab* record, int existenceOnly) {
  return getObject(instance, moduleName, record, existenceOnly, &TModule_Intern::CompuVTabs,
                   rcCompuVTabNotFound, copyCompuVTab);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetACompuVTabValueByIndex(TOrdex* instance,
                                                              const char* moduleName,
                                                              const char* vtabName,
                                                              TCompuVTabValue* value) {
  return guarded([&] {
    const TCompuVTab_Intern& v = findVTab(moduleOf(instance, moduleName), vtabName);
    TCompuVTabValue& r = required(value);
    // Index is unsigned, so no negative index is accepted.
    if (r.Index >= static_cast<uint32_t>(v.usedPairs())) return rcInvalidArgument;
    const TCompuVTabPair_Intern& p = v.pair(static_cast<int32_t>(r.Index));
    r.InVal = p.InVal;
    copyToField(r.OutText, p.OutText);
    return rcOk;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetACompuVTabsLargeVTab(TOrdex* instance,
                                                            const char* moduleName,
                                                            const char* vtabName,
                                                            TCompuVTabEntry* entries) {
  return guarded([&] {
    const TCompuVTab_Intern& v = findVTab(moduleOf(instance, moduleName), vtabName);
    if (!entries) return rcInvalidArgument;
    for (int32_t k = 0; k < v.usedPairs(); ++k) {
      entries[k].InVal = v.pair(k).InVal;
      entries[k].OutText = v.pair(k).OutText.c_str();
    }
    return rcOk;
  });
}
