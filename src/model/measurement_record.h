// The MEASUREMENT record.
#pragma once

#include "model/text.h"

#include <cstdint>
#include <string>

#include "model/element_kind.h"
#include "model/kept_keywords.h"
#include "model/object_list.h"
#include "model/sub_records.h"

struct TCompuMethod_Intern;
struct TFunction_Intern;

struct TMeasurement_Intern : ordex::ObjectHead {
  TMeasurement_Intern() { Kind = ordex::ekMeasurement; }

  // (Fields are ordered so that the record has no holes: a model holds many of them.)
  int32_t DataType = -1;  // a DataTypeCode value; -1 unknown
  int16_t Resolution = 0;
  // A limit written in hexadecimal (0x...) keeps an empty NumberText with Value 0; its
  // number is in LowerLimitHex / UpperLimitHex and the ...IsHex flag is set, so the writer
  // can print it back as 0x%lX (also for the value 0xFFFFFFFF).
  bool LowerLimitIsHex = false;
  bool UpperLimitIsHex = false;
  uint32_t LowerLimitHex = 0xFFFFFFFFu;
  uint32_t UpperLimitHex = 0xFFFFFFFFu;
  NumberText LowerLimit;
  NumberText UpperLimit;
  NumberText Accuracy;
  ordex::Text Conversion;  // name of the COMPU_METHOD
  // The COMPU_METHOD that Conversion names, once the conversion or the reference finder
  // has resolved it. Not owned.
  TCompuMethod_Intern* ConversionTarget = nullptr;
  ordex::Text Format;        // quotes removed
  ordex::KeptKeywords Kept;  // DataType, ByteOrder
  int32_t ArraySize = 0;
  uint32_t BitMask = 0xFFFFFFFFu;  // 0xFFFFFFFF: not given
  int32_t ByteOrder = -1;          // starts as the module's MOD_COMMON byte order
  int32_t MaxRefreshScalingUnit = -1;
  int32_t MaxRefreshRate = 0;
  uint32_t EcuAddress = 0xFFFFFFFFu;  // 0xFFFFFFFF: not given
  ordex::NameEntryList Virtuals;      // VIRTUAL names in file order
  ordex::AnnotationList Annotations;
  ordex::IfDataList IfData;
  // Set by the reference finder: the function listing this measurement in OUT_MEASUREMENT.
  // Not owned.
  TFunction_Intern* PublishingFunction = nullptr;
};
