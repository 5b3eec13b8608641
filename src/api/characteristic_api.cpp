#include "api/getter_support.h"
#include "api/record_fields.h"

namespace {

// Both axis forms, every field as its table lists it.
template <class Model>
void copyAxis(TAxisDescr& r, const Model& m) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_GET_FIELD(r, m, P, M, C)
#include "api/fields/axis_descr.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyAxis(TAxisDescr2& r, const Model& m) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_GET_FIELD(r, m, P, M, C)
#include "api/fields/axis_descr2.def"
#undef ORDEX_FIELD
}

// Both public forms: every field but Name; of the axes only the first Type ones for CURVE,
// MAP and CUBOID, none for the other types (the caller's entries stay as they were).
template <class Record>
void copyCharacteristic(const TCharacteristic_Intern& c, Record& r) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_GET_FIELD(r, c, P, M, C)
#include "api/fields/characteristic.def"
#undef ORDEX_FIELD
  if (c.Type >= 1 && c.Type <= 3) {
    for (int32_t i = 0; i < c.Type; ++i) {
      c.Axes.read(i, [&](const TAxisDescr_Intern& axis) { copyAxis(r.Axes[i], axis); });
    }
  }
}

template <class Record>
TOrdexReturnCode getCharacteristic(TOrdex* instance, const char* moduleName, Record* record,
                                   int existenceOnly) {
  return ordex::api::getObject(instance, moduleName, record, existenceOnly,
                               &TModule_Intern::Characteristics, rcCharacteristicNotFound,
                               copyCharacteristic<Record>);
}

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_GetCharacteristic(TOrdex* instance, const char* moduleName,
                                                      TCharacteristic* record, int existenceOnly) {
  return getCharacteristic(instance, moduleName, record, existenceOnly);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetCharacteristic2(TOrdex* instance, const char* moduleName,
                                                       TCharacteristic2* record,
                                                       int existenceOnly) {
  return getCharacteristic(instance, moduleName, record, existenceOnly);
}
