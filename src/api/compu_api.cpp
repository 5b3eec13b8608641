// Getters of COMPU_METHOD, COMPU_TAB and COMPU_VTAB.
#include "api/getter_support.h"
#include "api/record_fields.h"

using ordex::copyToField;
using ordex::api::getObject;
using ordex::api::guarded;
using ordex::api::moduleOf;
using ordex::api::namedObject;
using ordex::api::required;

namespace {

// Both method forms, every field but Name as their tables list them.
template <class Model>
void copyCompuMethod(const Model& m, TCompuMethod& r) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_GET_FIELD(r, m, P, M, C)
#include "api/fields/compu_method.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyCompuMethod(const Model& m, TCompuMethod2& r) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_GET_FIELD(r, m, P, M, C)
#include "api/fields/compu_method2.def"
#undef ORDEX_FIELD
}

template <class Record>
TOrdexReturnCode getCompuMethod(TOrdex* instance, const char* moduleName, Record* record,
                                int existenceOnly) {
  return getObject(instance, moduleName, record, existenceOnly, &TModule_Intern::CompuMethods,
                   rcCompuMethodNotFound,
                   [](const TCompuMethod_Intern& m, Record& r) { copyCompuMethod(m, r); });
}

template <class Model>
void copyPair(const Model& m, TCompuTabPair& r) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_GET_FIELD(r, m, P, M, C)
#include "api/fields/compu_tab_pair.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyPair(const Model& m, TCompuVTabPair& r) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_GET_FIELD(r, m, P, M, C)
#include "api/fields/compu_vtab_pair.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyCompuTab(const Model& t, TCompuTab& r) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_GET_FIELD(r, t, P, M, C)
#include "api/fields/compu_tab.def"
#undef ORDEX_FIELD
  // Only the pairs in use are written; the caller's other entries stay as they were.
  const int32_t used = t.usedPairs();
  for (int32_t k = 0; k < used; ++k) copyPair(t.pair(k), r.Pairs[k]);
}

template <class Model>
void copyCompuVTab(const Model& v, TCompuVTab& r) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_GET_FIELD(r, v, P, M, C)
#include "api/fields/compu_vtab.def"
#undef ORDEX_FIELD
  const int32_t n = v.usedPairs() < ORDEX_COMPU_VTAB_PAIRS ? v.usedPairs() : ORDEX_COMPU_VTAB_PAIRS;
  for (int32_t k = 0; k < n; ++k) copyPair(v.pair(k), r.Pairs[k]);
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
                   rcCompuTabNotFound, copyCompuTab<TCompuTab_Intern>);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetCompuVTab(TOrdex* instance, const char* moduleName,
                                                 TCompuVTab* record, int existenceOnly) {
  return getObject(instance, moduleName, record, existenceOnly, &TModule_Intern::CompuVTabs,
                   rcCompuVTabNotFound, copyCompuVTab<TCompuVTab_Intern>);
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
