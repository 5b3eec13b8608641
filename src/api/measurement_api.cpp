#include "api/getter_support.h"
#include "api/record_fields.h"

namespace {

// The getter copy of a table row, from the model object `m` to the public record `r`.
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_GET_FIELD(r, m, P, M, C)

// Every field but Name, as the table lists them.
template <class Model>
void copyMeasurement(const Model& m, TMeasurement& r) {
#include "api/fields/measurement.def"
}

#undef ORDEX_FIELD

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_GetMeasurement(TOrdex* instance, const char* moduleName,
                                                   TMeasurement* record, int existenceOnly) {
  return ordex::api::getObject(instance, moduleName, record, existenceOnly,
                               &TModule_Intern::Measurements, rcMeasurementNotFound,
                               copyMeasurement<TMeasurement_Intern>);
}
