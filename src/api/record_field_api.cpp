// Ordex_GetRecordField: the field tables of api/fields/ as the public descriptions.
#include <cstddef>

#include "api/guarded.h"
#include "api/record_fields.h"

namespace {

using ordex::api::describeField;

#define ORDEX_FIELD(P, M, K, X, C) describeField<decltype(R::P)>(#P, offsetof(R, P), K, X),

namespace measurement {
using R = TMeasurement;
const TRecordField kFields[] = {
#include "api/fields/measurement.def"
};
}  // namespace measurement

namespace axis_pts {
using R = TAxisPts;
const TRecordField kFields[] = {
#include "api/fields/axis_pts.def"
};
}  // namespace axis_pts

namespace function {
using R = TFunction;
const TRecordField kFields[] = {
#include "api/fields/function.def"
};
}  // namespace function

#undef ORDEX_FIELD

struct Table {
  const TRecordField* fields;
  uint32_t count;
};

template <size_t N>
constexpr Table table(const TRecordField (&fields)[N]) {
  return Table{fields, static_cast<uint32_t>(N)};
}

// By TOrdexRecordType; a record without a table yet has no fields.
Table tableOf(int32_t recordType) {
  switch (recordType) {
    case rtAxisPts:
      return table(axis_pts::kFields);
    case rtMeasurement:
      return table(measurement::kFields);
    case rtFunction:
      return table(function::kFields);
    default:
      return Table{nullptr, 0};
  }
}

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_GetRecordField(int32_t recordType, uint32_t index,
                                                   TRecordField* field) {
  return ordex::api::guarded([&] {
    if (recordType < rtProject || recordType > rtRecordLayoutElement) return rcInvalidArgument;
    TRecordField& f = ordex::api::required(field);
    const Table t = tableOf(recordType);
    if (index >= t.count) return rcIndexOutOfRange;
    f = t.fields[index];
    return rcOk;
  });
}
