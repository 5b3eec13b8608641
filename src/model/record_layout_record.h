// The RECORD_LAYOUT record.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/element_kind.h"
#include "model/kept_keywords.h"
#include "model/object_list.h"
#include "model/sub_records.h"

namespace ordex {

// One element of a record layout. Position is 1-based in the stored record, 0 or below when
// the element is absent; DataType is a data type, or the data size (1, 2, 4) in a RESERVED
// element; IndexMode and Addressing are keyword list indexes; coded fields are -1 when not
// set. The members are a host's element record's, in its order, and the element converts
// to and from any record of these members.
struct RecordLayoutElement {
  int16_t Position;
  int16_t MaxNumberOfRescalePairs;  // AXIS_RESCALE_x only
  int32_t DataType;
  int32_t IndexMode;
  int32_t Addressing;

  template <class Record, class = decltype(Record{
                              int16_t{}, int16_t{}, int32_t{}, int32_t{},
                              int32_t{}}.Addressing)>
  operator Record() const {
    return Record{Position, MaxNumberOfRescalePairs, DataType, IndexMode, Addressing};
  }
  template <class Record, class = decltype(std::declval<const Record&>().Addressing)>
  RecordLayoutElement& operator=(const Record& from) {
    Position = from.Position;
    MaxNumberOfRescalePairs = from.MaxNumberOfRescalePairs;
    DataType = from.DataType;
    IndexMode = from.IndexMode;
    Addressing = from.Addressing;
    return *this;
  }
};

}  // namespace ordex

struct TRecordLayout_Intern : ordex::ObjectHead {
  // RESERVED entries kept per layout, and the element kinds 1..30 (FNC_VALUES .. DIST_OP_Z)
  // in element keyword list order; kind 0 is RESERVED.
  static constexpr int kReservedCount = 10;
  static constexpr int kElementCount = 30;

  // Every element absent (Position 0, coded fields -1, MaxNumberOfRescalePairs 0) and
  // every alignment 0: the caller that makes a layout for a module copies the module's
  // MOD_COMMON alignments into it.
  TRecordLayout_Intern() {
    Kind = ordex::ekRecordLayout;
    for (ordex::RecordLayoutElement& e : Reserved) e = absentElement();
    for (ordex::RecordLayoutElement& e : Elements) e = absentElement();
  }

  static ordex::RecordLayoutElement absentElement() {
    return ordex::RecordLayoutElement{0, 0, -1, -1, -1};
  }

  // The RESERVED elements in file order; in these DataType holds the data size (1, 2, 4).
  // How many are in use is not stored: unused entries are absent.
  ordex::RecordLayoutElement Reserved[kReservedCount];
  // Elements[kind - 1] is the element of kind 1..30.
  ordex::RecordLayoutElement Elements[kElementCount];
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

  ordex::RecordLayoutElement& element(int kind) { return Elements[kind - 1]; }
  const ordex::RecordLayoutElement& element(int kind) const { return Elements[kind - 1]; }
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
