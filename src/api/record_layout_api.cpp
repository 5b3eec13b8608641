// Getters of RECORD_LAYOUT, in the short and the full record form.
#include "api/getter_support.h"
#include "api/record_fields.h"

namespace {

// The getter copy of a table row, from the model object `m` to the public record `r`.
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_GET_FIELD(r, m, P, M, C)

// Every field but Name as the tables list them; the short form carries a few elements flat.
template <class Model>
void copyRecordLayout(const Model& m, TRecordLayout& r) {
#include "api/fields/record_layout.def"
}

template <class Model>
void copyRecordLayout(const Model& m, TRecordLayout2& r) {
#include "api/fields/record_layout2.def"
}

template <class Record>
TOrdexReturnCode getRecordLayout(TOrdex* instance, const char* moduleName, Record* record,
                                 int existenceOnly) {
  return ordex::api::getObject(
      instance, moduleName, record, existenceOnly, &TModule_Intern::RecordLayouts,
      rcRecordLayoutNotFound,
      [](const TRecordLayout_Intern& layout, Record& r) { copyRecordLayout(layout, r); });
}

#undef ORDEX_FIELD

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_GetRecordLayout(TOrdex* instance, const char* moduleName,
                                                    TRecordLayout* record, int existenceOnly) {
  return getRecordLayout(instance, moduleName, record, existenceOnly);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetRecordLayout2(TOrdex* instance, const char* moduleName,
                                                     TRecordLayout2* record, int existenceOnly) {
  return getRecordLayout(instance, moduleName, record, existenceOnly);
}
