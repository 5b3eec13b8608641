#include "api/getter_support.h"
#include "api/record_fields.h"

using ordex::copyToField;
using ordex::api::guarded;
using ordex::api::required;

namespace {

// Every field, Name included, as the table lists them.
template <class Model>
void copyProject(const Model& m, TProject& r) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_GET_FIELD(r, m, P, M, C)
#include "api/fields/project.def"
#undef ORDEX_FIELD
}

// Every field but Name, as the table lists them.
template <class Model>
void copyModule(const Model& m, TModule& r) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_GET_FIELD(r, m, P, M, C)
#include "api/fields/module.def"
#undef ORDEX_FIELD
}

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_GetProject(TOrdex* instance, TProject* record,
                                               int existenceOnly) {
  return guarded([&] {
    const TProject_Intern& p = ordex::api::projectOf(instance);
    TProject& r = required(record);
    if (existenceOnly) return rcOk;
    copyProject(p, r);
    return rcOk;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetModule(TOrdex* instance, TModule* record,
                                              int existenceOnly) {
  return guarded([&] {
    const TProject_Intern& p = ordex::api::projectOf(instance);
    TModule& r = required(record);
    std::string_view key = ordex::fieldText(r.Name);
    // An empty name selects the only module, whose name is then written into the record.
    const TModule_Intern* m =
        ordex::findModule(&p, key.empty() ? nullptr : std::string(key).c_str());
    if (!m) return rcModuleNotFound;
    if (existenceOnly) return rcOk;
    if (key.empty()) copyToField(r.Name, m->Name);
    copyModule(*m, r);
    return rcOk;
  });
}
