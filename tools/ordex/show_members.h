// Printing the members of one object through the member enumerators, for `ordex show`.
// Each function prints nothing for an empty list and returns the return code of the first
// failing call (rcOk when all went well); lines start with `indent`.
#pragma once

#include "ordex.h"

namespace ordex_tool {

// The owners whose annotations or IF_DATA entries can be printed.
enum class MemberOwner {
  kModule,         // IF_DATA only; name is ignored
  kMemorySegment,  // IF_DATA only
  kCharacteristic,
  kMeasurement,
  kAxisPts,
};

// The seven name lists of a FUNCTION, one line per non-empty list:
// "DEF_CHARACTERISTIC a b c".
TOrdexReturnCode printFunctionNameLists(TOrdex* inst, const char* module, const char* function,
                                        const char* indent);

// The VIRTUAL names of a MEASUREMENT on one line: "VIRTUAL a b".
TOrdexReturnCode printMeasurementVirtuals(TOrdex* inst, const char* module, const char* measurement,
                                          const char* indent);

// Every annotation of the owner (for a characteristic also those of its three axis slots,
// marked "AXIS_DESCR 1" to "3"): a line "ANNOTATION label \"L\" origin \"O\"" and one line
// with the whole text, read through the form-2 enumerators into a buffer of
// Ordex_GetMaxAnnotationTextSize bytes (texts that the maximum does not cover come cut).
TOrdexReturnCode printAnnotations(TOrdex* inst, const char* module, MemberOwner owner,
                                  const char* name, const char* indent);

// Every IF_DATA entry of the owner: "IF_DATA name content".
TOrdexReturnCode printIfData(TOrdex* inst, const char* module, MemberOwner owner, const char* name,
                             const char* indent);

}  // namespace ordex_tool
