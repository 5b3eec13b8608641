// The FUNCTION record and its name lists.
#pragma once

#include "model/text.h"

#include <cstdint>
#include <string>

#include "model/element_kind.h"
#include "model/object_list.h"
#include "model/sub_records.h"

// One entry of a FUNCTION name list: the object name as written and, once the reference
// finder has resolved it, the object of that name (not owned).
struct TFunctionRef : ordex::ArenaRecord {
  ordex::Text Name;
  ordex::ObjectHead* Target = nullptr;
  TFunctionRef* Next = nullptr;
};

namespace ordex {
using FunctionRefList = EntryList<TFunctionRef>;
}  // namespace ordex

struct TFunction_Intern : ordex::ObjectHead {
  TFunction_Intern() { Kind = ordex::ekFunction; }

  ordex::AnnotationList Annotations;
  ordex::FunctionRefList DefCharacteristics;  // DEF_CHARACTERISTIC
  ordex::FunctionRefList RefCharacteristics;  // REF_CHARACTERISTIC
  ordex::FunctionRefList InMeasurements;      // IN_MEASUREMENT
  ordex::FunctionRefList OutMeasurements;     // OUT_MEASUREMENT
  ordex::FunctionRefList LocMeasurements;     // LOC_MEASUREMENT
  ordex::FunctionRefList SubFunctions;        // SUB_FUNCTION
  // AXIS_PTS: the block's own AXIS_PTS lists first, then the axis points whose FUNCTION_LIST
  // names this function.
  ordex::FunctionRefList AxisPts;
  // Set by the reference finder: the function listing this one in SUB_FUNCTION. Not owned.
  TFunction_Intern* ParentFunction = nullptr;
};
