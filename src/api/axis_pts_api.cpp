#include "api/getter_support.h"
#include "api/record_fields.h"

namespace {

// The getter copy of a table row, from the model object `m` to the public record `r`.
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_GET_FIELD(r, m, P, M, C)

// Every field but Name, as the table lists them.
template <class Model>
void copyAxisPts(const Model& m, TAxisPts& r) {
#include "api/fields/axis_pts.def"
}

#undef ORDEX_FIELD

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAxisPts(TOrdex* instance, const char* moduleName,
                                               TAxisPts* record, int existenceOnly) {
  return ordex::api::getObject(instance, moduleName, record, existenceOnly,
                               &TModule_Intern::AxisPts, rcAxisPtsNotFound,
                               copyAxisPts<TAxisPts_Intern>);
}
