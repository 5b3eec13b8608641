// The members of one object read through the member enumerators, as document nodes for
// `ordex show`. Each function adds its member to `record` (an object node) and returns the
// return code of the first failing call (rcOk when all went well).
#pragma once

#include "document.h"
#include "ordex.h"

namespace ordex_tool {

// The owners whose annotations or IF_DATA entries can be read.
enum class MemberOwner {
  kModule,         // IF_DATA only; name is the module
  kMemorySegment,  // IF_DATA only
  kCharacteristic,
  kMeasurement,
  kAxisPts,
};

// "FunctionLists": the seven name lists of a FUNCTION, keyed by their keywords.
TOrdexReturnCode addFunctionNameLists(TOrdex* inst, const char* module, const char* function,
                                      Node& record);

// "Virtual": the VIRTUAL names of a MEASUREMENT.
TOrdexReturnCode addMeasurementVirtuals(TOrdex* inst, const char* module, const char* measurement,
                                        Node& record);

// "Annotations": every annotation of the owner with Label, Origin and the whole text, read
// through the form-2 enumerators into a buffer of Ordex_GetMaxAnnotationTextSize bytes (or
// the fixed record's 2047 characters when that is more). A characteristic's entries also
// name the AXIS_DESCR they belong to ("Axis": null for the characteristic's own, else 1 to 3).
TOrdexReturnCode addAnnotations(TOrdex* inst, const char* module, MemberOwner owner,
                                const char* name, Node& record);

// "IfData": every IF_DATA entry of the owner with its Name and Content.
TOrdexReturnCode addIfData(TOrdex* inst, const char* module, MemberOwner owner, const char* name,
                           Node& record);

}  // namespace ordex_tool
