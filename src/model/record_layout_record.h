// The RECORD_LAYOUT record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/kept_keywords.h"
#include "model/object_list.h"
#include "model/sub_records.h"
#include "ordex.h"

struct TRecordLayout_Intern : ordex::ObjectHead {
  // RESERVED entries kept per layout, and the element kinds 1..30 (FNC_VALUES .. DIST_OP_Z)
  // in element keyword list order; kind 0 is RESERVED.
  static constexpr int kReservedCount = ORDEX_RECORD_LAYOUT_RESERVED;
  static constexpr int kElementCount = ORDEX_RECORD_LAYOUT_ELEMENTS;

  // Every element absent (Position 0, coded fields -1, MaxNumberOfRescalePairs 0) and
  // every alignment 0: the caller that makes a layout for a module copies the module's
  // MOD_COMMON alignments into it.
  TRecordLayout_Intern() {
    Kind = etRecordLayout;
    for (TRecordLayoutElement& e : Reserved) e = absentElement();
    for (TRecordLayoutElement& e : Elements) e = absentElement();
  }

  static TRecordLayoutElement absentElement() { return TRecordLayoutElement{0, 0, -1, -1, -1}; }

  // The RESERVED elements in file order; in these DataType holds the data size (1, 2, 4).
  // How many are in use is not stored: unused entries are absent.
  TRecordLayoutElement Reserved[kReservedCount];
  // Elements[kind - 1] is the element of kind 1..30.
  TRecordLayoutElement Elements[kElementCount];
  // The coded arguments of Elements (kKeptLayoutElement + 3 * kind + argument).
  ordex::KeptKeywords Kept;
  int16_t FixNoAxisPtsX = 0;  // 0: not given
  int16_t FixNoAxisPtsY = 0;
  int16_t FixNoAxisPtsZ = 0;
  int16_t AlignmentByte = 0;
  int16_t AlignmentWord = 0;
  int16_t AlignmentLong = 0;
  int16_t AlignmentFloat32Ieee = 0;
  int16_t AlignmentFloat64Ieee = 0;

  TRecordLayoutElement& element(int kind) { return Elements[kind - 1]; }
  const TRecordLayoutElement& element(int kind) const { return Elements[kind - 1]; }
};

namespace ordex {

// Element kinds of a record layout: their number in the element keyword list
// (keywords::kRecordLayoutElement).
enum RecordLayoutElementKind : int {
  rlReserved = 0,
  rlFncValues,
  rlIdentification,
  rlAxisPtsX,
  rlAxisPtsY,
  rlAxisPtsZ,
  rlAxisRescaleX,
  rlAxisRescaleY,
  rlAxisRescaleZ,
  rlNoAxisPtsX,
  rlNoAxisPtsY,
  rlNoAxisPtsZ,
  rlNoRescaleX,
  rlNoRescaleY,
  rlNoRescaleZ,
  rlSrcAddrX,
  rlSrcAddrY,
  rlSrcAddrZ,
  rlRipAddrX,
  rlRipAddrY,
  rlRipAddrZ,
  rlRipAddrW,
  rlShiftOpX,
  rlShiftOpY,
  rlShiftOpZ,
  rlOffsetX,
  rlOffsetY,
  rlOffsetZ,
  rlDistOpX,
  rlDistOpY,
  rlDistOpZ,
};

}  // namespace ordex
