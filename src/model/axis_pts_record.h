// The AXIS_PTS record.
#pragma once

#include "model/text.h"

#include <cstdint>
#include <string>

#include "model/element_kind.h"
#include "model/kept_keywords.h"
#include "model/object_list.h"
#include "model/sub_records.h"

struct TAxisPts_Intern : ordex::ObjectHead {
  TAxisPts_Intern() { Kind = ordex::ekAxisPts; }

  uint32_t Address = 0xFFFFFFFFu;
  ordex::Text InputQuantity;  // name of the input MEASUREMENT
  ordex::Text Deposit;        // name of the RECORD_LAYOUT
  NumberText MaxDiff;
  ordex::Text Conversion;  // name of the COMPU_METHOD
  int16_t MaxAxisPoints = 0;
  NumberText LowerLimit;
  NumberText UpperLimit;
  bool ReadOnly = false;
  ordex::Text Format;        // quotes removed
  ordex::KeptKeywords Kept;  // DepositMode, ByteOrder
  // Index in the deposit keywords (DIFFERENCE 0, ABSOLUTE 1); starts as the module's
  // MOD_COMMON deposit at block start.
  int32_t DepositMode = -1;
  int32_t ByteOrder = -1;  // starts as the module's MOD_COMMON byte order at block start
  ordex::AnnotationList Annotations;
  ordex::IfDataList IfData;
};
