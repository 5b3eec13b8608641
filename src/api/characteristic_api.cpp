#include <type_traits>

#include "api/getter_support.h"

using ordex::copyToField;
using ordex::api::copyNumber;

namespace {

// Both axis forms; only the full one carries AxisPointsMode.
template <class Axis>
void copyAxis(Axis& to, const TAxisDescr_Intern& from) {
  to.Attribute = from.Attribute;
  copyToField(to.InputQuantity, from.InputQuantity);
  copyToField(to.Conversion, from.Conversion);
  to.MaxAxisPoints = from.MaxAxisPoints;
  copyNumber(to.LowerLimit, from.LowerLimit);
  copyNumber(to.UpperLimit, from.UpperLimit);
  to.ReadOnly = from.ReadOnly ? 1 : 0;
  copyToField(to.Format, from.Format);
  copyToField(to.AxisPtsRef, from.AxisPtsRef);
  copyNumber(to.ExtendedLimitsLower, from.ExtendedLimitsLower);
  copyNumber(to.ExtendedLimitsUpper, from.ExtendedLimitsUpper);
  to.DepositMode = from.DepositMode;
  if constexpr (std::is_same_v<Axis, TAxisDescr2>) to.AxisPointsMode = from.AxisPointsMode;
  to.FixAxisParOffset = from.FixAxisParOffset;
  to.FixAxisParShift = from.FixAxisParShift;
  to.FixAxisParNumberapo = from.FixAxisParNumberapo;
}

// Both public forms: every field but Name; of the axes only the first Type ones for CURVE,
// MAP and CUBOID, none for the other types (the caller's entries stay as they were).
template <class Record>
void copyCharacteristic(const TCharacteristic_Intern& c, Record& r) {
  copyToField(r.LongIdentifier, c.LongIdentifier);
  r.Type = c.Type;
  r.Address = c.Address;
  copyToField(r.Deposit, c.Deposit);
  copyNumber(r.MaxDiff, c.MaxDiff);
  copyToField(r.Conversion, c.Conversion);
  copyNumber(r.LowerLimit, c.LowerLimit);
  copyNumber(r.UpperLimit, c.UpperLimit);
  copyToField(r.Format, c.Format);
  r.ByteOrder = c.ByteOrder;
  r.BitMask = c.BitMask;
  r.Number = c.Number;
  r.ReadOnly = c.ReadOnly ? 1 : 0;
  copyNumber(r.ExtendedLimitsLower, c.ExtendedLimitsLower);
  copyNumber(r.ExtendedLimitsUpper, c.ExtendedLimitsUpper);
  r.MaxRefreshScalingUnit = c.MaxRefreshScalingUnit;
  r.MaxRefreshRate = c.MaxRefreshRate;
  if (c.Type >= 1 && c.Type <= 3) {
    for (int32_t i = 0; i < c.Type; ++i) {
      c.Axes.read(i, [&](const TAxisDescr_Intern& axis) { copyAxis(r.Axes[i], axis); });
    }
  }
  r.UserData = c.UserData;
}

template <class Record>
TOrdexReturnCode getCharacteristic(TOrdex* instance, const char* moduleName, Record* record,
                                   int existenceOnly) {
  return ordex::api::getObject(instance, moduleName, record, existenceOnly,
                               &TModule_Intern::Characteristics, rcCharacteristicNotFound,
                               copyCharacteristic<Record>);
}

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_GetCharacteristic(TOrdex* instance, const char* moduleName,
                                                      TCharacteristic* record, int existenceOnly) {
  return getCharacteristic(instance, moduleName, record, existenceOnly);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetCharacteristic2(TOrdex* instance, const char* moduleName,
                                                       TCharacteristic2* record,
                                                       int existenceOnly) {
  return getCharacteristic(instance, moduleName, record, existenceOnly);
}
