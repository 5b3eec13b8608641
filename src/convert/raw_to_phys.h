// Raw-to-physical conversion with a COMPU_METHOD: decoding, the rational function, the
// numeric and verbal tables, and the text.
#pragma once

#include <cstdint>

#include "model/compu_records.h"
#include "model/measurement_record.h"
#include "model/project.h"
#include "platform/return_code.h"

namespace ordex::convert {

// Indexes of the conversion-type keyword list.
enum ConversionType : int32_t {
  kTabIntp = 0,
  kTabNoIntp = 1,
  kRatFunc = 2,
  kForm = 3,
  kTabVerb = 4,
};

// Converts raw bytes with a compu method; a table method resolves and keeps its table
// first (in the method's Owner module). byteCount is the number of bytes a STRING dumps.
// The pointers must not be null.
ReturnCode rawToPhys(const unsigned char* raw, int32_t dataType, int32_t byteOrder, uint32_t mask,
                     int32_t byteCount, TCompuMethod_Intern& method, char separator, double* phys,
                     char* text);

// The compu method a measurement converts with: its ConversionTarget, else the first compu
// method of the module named exactly as its Conversion, which is then kept as the target.
// Null when the module has none of that name.
TCompuMethod_Intern* conversionOf(TMeasurement_Intern& measurement, const TModule_Intern& module);

}  // namespace ordex::convert
