// The CHARACTERISTIC record with its axis descriptions.
#pragma once

#include "model/text.h"

#include <cstdint>
#include <memory>
#include <string>

#include "model/element_kind.h"
#include "model/kept_keywords.h"
#include "model/object_list.h"
#include "model/sub_records.h"

struct TFunction_Intern;

// One AXIS_DESCR of a characteristic.
// (Fields are ordered so that the record has no holes: a model holds many of them.)
struct TAxisDescr_Intern : ordex::ArenaRecord {
  int32_t Attribute = -1;  // index in the axis-attribute keywords (STD_AXIS, COM_AXIS, FIX_AXIS)
  int16_t MaxAxisPoints = 0;
  bool ReadOnly = false;
  ordex::Text InputQuantity;  // name of the input MEASUREMENT
  ordex::Text Conversion;     // name of the COMPU_METHOD
  NumberText LowerLimit;
  NumberText UpperLimit;
  ordex::Text Format;  // quotes removed
  ordex::AnnotationList Annotations;
  ordex::KeptKeywords Kept;  // Attribute, DepositMode
  ordex::Text AxisPtsRef;    // name of the AXIS_PTS
  NumberText ExtendedLimitsLower;
  NumberText ExtendedLimitsUpper;
  // Index in the deposit keywords; starts as the module's MOD_COMMON deposit at the moment
  // the characteristic starts.
  int32_t DepositMode = -1;
  // -1 none of the three items given, 0 DEPOSIT, 1 FIX_AXIS_PAR, 2 FIX_AXIS_PAR_DIST.
  int32_t AxisPointsMode = -1;
  // FIX_AXIS_PAR: offset, shift, number of axis points; FIX_AXIS_PAR_DIST: offset,
  // distance, number of axis points. Meaningful only for AxisPointsMode 1 and 2.
  int32_t FixAxisParOffset = 0;
  int32_t FixAxisParShift = 0;
  int32_t FixAxisParNumberapo = 0;
};

namespace ordex {

// The first three AXIS_DESCR blocks of a characteristic, in file order. A slot holds a
// record only once an axis was read or set there (most characteristics have fewer than three
// axes, and a record for every slot would double the size of a large model). An empty slot
// reads as an axis of defaults with the deposit mode the characteristic took from its module.
class AxisSlots {
 public:
  static constexpr int kCount = 3;

  // The deposit mode of an axis made later: the module's at the time the characteristic
  // was made.
  int32_t DefaultDepositMode = -1;

  // The axis in slot i (0..2), made with the defaults when the slot is empty.
  TAxisDescr_Intern& at(int i) {
    if (!slots_[i]) {
      slots_[i] = std::make_unique<TAxisDescr_Intern>();
      slots_[i]->DepositMode = DefaultDepositMode;
    }
    return *slots_[i];
  }
  // The axis in slot i, or null when the slot is empty.
  const TAxisDescr_Intern* find(int i) const { return slots_[i].get(); }
  // Calls visit with the axis in slot i, or with an axis of the defaults when it is empty.
  template <class Visit>
  void read(int i, Visit&& visit) const {
    if (const TAxisDescr_Intern* a = find(i)) return visit(*a);
    TAxisDescr_Intern blank;
    blank.DepositMode = DefaultDepositMode;
    visit(static_cast<const TAxisDescr_Intern&>(blank));
  }

 private:
  std::unique_ptr<TAxisDescr_Intern> slots_[kCount];
};

}  // namespace ordex

struct TCharacteristic_Intern : ordex::ObjectHead {
  static constexpr int kAxes = ordex::AxisSlots::kCount;

  TCharacteristic_Intern() { Kind = ordex::ekCharacteristic; }

  int32_t Type = -1;  // index in the characteristic-type keywords (VALUE .. NO_CHARACTERISTIC)
  uint32_t Address = 0xFFFFFFFFu;
  ordex::Text Deposit;  // name of the RECORD_LAYOUT
  NumberText MaxDiff;
  ordex::Text Conversion;  // name of the COMPU_METHOD
  NumberText LowerLimit;
  NumberText UpperLimit;
  ordex::Text Format;              // quotes removed
  ordex::KeptKeywords Kept;        // Type, ByteOrder
  int32_t ByteOrder = -1;          // starts as the module's MOD_COMMON byte order at block start
  uint32_t BitMask = 0xFFFFFFFFu;  // 0xFFFFFFFF: not given
  int16_t Number = 0;
  bool ReadOnly = false;
  NumberText ExtendedLimitsLower;
  NumberText ExtendedLimitsUpper;
  int32_t MaxRefreshScalingUnit = -1;
  int32_t MaxRefreshRate = 0;
  ordex::AnnotationList Annotations;
  ordex::IfDataList IfData;
  // The first three AXIS_DESCR blocks in file order; later ones are not stored.
  ordex::AxisSlots Axes;
  // Set by the reference finder: the function listing this characteristic in
  // DEF_CHARACTERISTIC. Not owned.
  TFunction_Intern* PublishingFunction = nullptr;
};
