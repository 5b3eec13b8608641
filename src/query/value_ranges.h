// The physical values an object's data type can hold, through its conversion method, for
// the limit checks of the consistency check.
#pragma once

#include <cstdint>

#include "model/compu_records.h"

namespace ordex {

struct ValueRange {
  double low;
  double high;
  // How far a limit may lie outside [low, high] before it counts: a limit is commonly
  // rounded, so half a raw step (in physical units) plus a relative margin.
  double tolerance;
};

// The range of a data type (a DataTypeCode value) seen through method: null for the identity
// (NO_COMPU_METHOD), else a RAT_FUNC whose inverse is linear (a = d = e = 0, b and f not 0).
// False when there is nothing to compare with: FLOAT64_IEEE, STRING, an unknown data type,
// or a method of another form (tables, FORM, a rational function that is not linear).
bool physicalRange(int32_t dataType, const TCompuMethod_Intern* method, ValueRange* range);

// The largest count a NO_AXIS_PTS_x element of that data type can hold; 0 when the type is
// no integer type.
double largestCount(int32_t dataType);

}  // namespace ordex
