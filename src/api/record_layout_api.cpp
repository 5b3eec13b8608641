// Getters of RECORD_LAYOUT, in the short and the full record form.
#include "api/getter_support.h"
#include "api/record_fields.h"

namespace {

// Every field but Name as the tables list them; the short form carries a few elements flat.
template <class Model>
void copyRecordLayout(const Model& l, TRecordLayout& r) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_GET_FIELD(r, l, P, M, C)
#include "api/fields/record_layout.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyRecordLayout(const Model& l, TRecordLayout2& r) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_GET_FIELD(r, l, P, M, C)
#include "api/fields/record_layout2.def"
#undef ORDEX_FIELD
}

template <class Record>
TOrdexReturnCode getRecordLayout(TOrdex* instance, const char* moduleName, Record* record,
                                 int existenceOnly) {
  return ordex::api::getObject(
      instance, moduleName, record, existenceOnly, &TModule_Intern::RecordLayouts,
      rcRecordLayoutNotFound,
      [](const TRecordLayout_Intern& layout, Record& r) { copyRecordLayout(layout, r); });
}

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_GetRecordLayout(TOrdex* instance, const char* moduleName,
                                                    TRecordLayout* record, int existenceOnly) {
  return getRecordLayout(instance, moduleName, record, existenceOnly);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetRecordLayout2(TOrdex* instance, const char* moduleName,
                                                     TRecordLayout2* record, int existenceOnly) {
  return getRecordLayout(instance, moduleName, record, existenceOnly);
}
