#include "api/record_setters.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "api/record_fields.h"
#include "model/copy_to_field.h"

namespace ordex::api {

namespace {

// The rows of a record's field table that the setter copy takes from the table (copy column
// kCopyBoth); the fields with a rule of their own are copied by hand beside the call. The
// model is a template parameter so that rows left to the hand copy need no model member.
template <class Model>
void copyRows(Model& to, const TMeasurement& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/measurement.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyRows(Model& to, const TAxisPts& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/axis_pts.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyRows(Model& to, const TFunction& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/function.def"
#undef ORDEX_FIELD
}

void assignText(Text& to, const char* field) {
  to.assign(fieldText(field));
}

void copyNumber(NumberText& to, const TNumberText& from) {
  assignText(to.Text, from.Text);
  to.Value = from.Value;
}

// The fields both axis forms share, up to ExtendedLimitsUpper, then the deposit mode and
// the three fix-axis values, which both forms carry under the same names.
template <class Axis>
void copyAxis(TAxisDescr_Intern& to, const Axis& from) {
  to.Attribute = from.Attribute;
  assignText(to.InputQuantity, from.InputQuantity);
  assignText(to.Conversion, from.Conversion);
  to.MaxAxisPoints = from.MaxAxisPoints;
  copyNumber(to.LowerLimit, from.LowerLimit);
  copyNumber(to.UpperLimit, from.UpperLimit);
  to.ReadOnly = from.ReadOnly != 0;
  assignText(to.Format, from.Format);
  assignText(to.AxisPtsRef, from.AxisPtsRef);
  copyNumber(to.ExtendedLimitsLower, from.ExtendedLimitsLower);
  copyNumber(to.ExtendedLimitsUpper, from.ExtendedLimitsUpper);
  to.DepositMode = from.DepositMode;
  to.FixAxisParOffset = from.FixAxisParOffset;
  to.FixAxisParShift = from.FixAxisParShift;
  to.FixAxisParNumberapo = from.FixAxisParNumberapo;
}

// The short form cannot say FIX_AXIS_PAR_DIST: an axis without deposit mode, or with any
// fix-axis value, is a FIX_AXIS_PAR axis.
int32_t axisPointsModeOf(const TAxisDescr& a) {
  bool fixAxis = a.DepositMode == -1 || a.FixAxisParOffset != 0 || a.FixAxisParShift != 0 ||
                 a.FixAxisParNumberapo != 0;
  return fixAxis ? 1 : 0;
}
int32_t axisPointsModeOf(const TAxisDescr2& a) {
  return a.AxisPointsMode;
}

template <class Record>
void copyCharacteristic(TCharacteristic_Intern& to, const Record& from) {
  assignText(to.LongIdentifier, from.LongIdentifier);
  to.Type = from.Type;
  to.Address = from.Address;
  assignText(to.Deposit, from.Deposit);
  copyNumber(to.MaxDiff, from.MaxDiff);
  assignText(to.Conversion, from.Conversion);
  copyNumber(to.LowerLimit, from.LowerLimit);
  copyNumber(to.UpperLimit, from.UpperLimit);
  assignText(to.Format, from.Format);
  to.ByteOrder = from.ByteOrder;
  to.BitMask = from.BitMask;
  to.Number = from.Number;
  to.ReadOnly = from.ReadOnly != 0;
  copyNumber(to.ExtendedLimitsLower, from.ExtendedLimitsLower);
  copyNumber(to.ExtendedLimitsUpper, from.ExtendedLimitsUpper);
  to.MaxRefreshScalingUnit = from.MaxRefreshScalingUnit;
  to.MaxRefreshRate = from.MaxRefreshRate;
  // CURVE, MAP and CUBOID carry 1, 2 and 3 axes; the slots a type does not use keep what
  // they hold, so a MAP changed into a VALUE and back finds its axes again.
  const int32_t axes = from.Type >= 1 && from.Type <= 3 ? from.Type : 0;
  for (int32_t i = 0; i < axes; ++i) {
    TAxisDescr_Intern& axis = to.Axes.at(i);
    copyAxis(axis, from.Axes[i]);
    axis.AxisPointsMode = axisPointsModeOf(from.Axes[i]);
  }
  to.UserData = from.UserData;
}

template <class Record>
void copyCompuMethod(TCompuMethod_Intern& to, const Record& from) {
  assignText(to.LongIdentifier, from.LongIdentifier);
  to.ConversionType = from.ConversionType;
  assignText(to.Format, from.Format);
  assignText(to.Unit, from.Unit);
  assignText(to.Formula, from.Formula);
  for (int i = 0; i < 6; ++i) copyNumber(to.Coeffs[i], from.Coeffs[i]);
  assignText(to.CompuTabRef, from.CompuTabRef);
  to.UserData = from.UserData;
}

// A limit read in hexadecimal comes out of the getter as an empty text with 0.0; handed
// back so, it keeps its hexadecimal form (and the writer keeps writing 0x...).
void copyLimit(NumberText& to, uint32_t& hex, bool& isHex, const TNumberText& from) {
  std::string_view text = fieldText(from.Text);
  if (isHex && text.empty() && from.Value == 0.0) return;
  isHex = false;
  hex = 0xFFFFFFFFu;
  to.Text.assign(text);
  to.Value = from.Value;
}

// The fields both conversion tables carry; the pairs, built aside by the caller so that
// running out of memory there leaves the table as it was, go in by a swap.
template <class Table, class Record, class Pair>
void copyTable(Table& to, const Record& from, std::vector<Pair>& pairs) {
  assignText(to.LongIdentifier, from.LongIdentifier);
  assignText(to.DefaultValue, from.DefaultValue);
  to.ConversionType = from.ConversionType;
  to.NumberValuePairs = from.NumberValuePairs;
  to.Pairs.swap(pairs);
  to.UserData = from.UserData;
}

// An element the short record layout form carries flat: position and data type, for some
// also the index mode and the addressing.
void setElement(RecordLayoutElement& e, int16_t position, int32_t dataType) {
  e.Position = position;
  e.DataType = dataType;
}

void setElement(RecordLayoutElement& e, int16_t position, int32_t dataType, int32_t indexMode,
                int32_t addressing) {
  setElement(e, position, dataType);
  e.IndexMode = indexMode;
  e.Addressing = addressing;
}

}  // namespace

void copyFields(TProject_Intern& to, const TProject& from) {
  assignText(to.Name, from.Name);
  assignText(to.LongIdentifier, from.LongIdentifier);
  to.Asap2Version = from.Asap2Version;
  to.Asap2Upgrade = from.Asap2Upgrade;
  assignText(to.FileHeadComment, from.FileHeadComment);
  assignText(to.HeaderComment, from.HeaderComment);
  assignText(to.HeaderVersion, from.HeaderVersion);
  assignText(to.HeaderProjectNo, from.HeaderProjectNo);
  to.UserData = from.UserData;
}

void copyFields(TModule_Intern& to, const TModule& from) {
  assignText(to.LongIdentifier, from.LongIdentifier);
  TModCommon_Intern& common = to.ModCommon;
  assignText(common.Comment, from.ModCommonComment);
  assignText(common.SRecLayout, from.SRecLayout);
  common.DepositMode = from.DepositMode;
  common.ByteOrder = from.ByteOrder;
  copyAlignments(common, from);
  // MOD_PAR texts are stored as given: quotes a caller wants in the file are part of them.
  TModPar_Intern& par = to.ModPar;
  assignText(par.Comment, from.ModParComment);
  assignText(par.Version, from.Version);
  par.AddrEpk = from.AddrEpk;
  assignText(par.Epk, from.Epk);
  assignText(par.Supplier, from.Supplier);
  assignText(par.Customer, from.Customer);
  assignText(par.CustomerNo, from.CustomerNo);
  assignText(par.User, from.User);
  assignText(par.PhoneNo, from.PhoneNo);
  assignText(par.Ecu, from.Ecu);
  assignText(par.CpuType, from.CpuType);
  par.NoOfInterfaces = from.NoOfInterfaces;
  par.EcuCalibrationOffset = from.EcuCalibrationOffset;
  to.UserData = from.UserData;
}

void copyFields(TMemorySegment_Intern& to, const TMemorySegment& from) {
  assignText(to.LongIdentifier, from.LongIdentifier);
  to.PrgType = from.PrgType;
  to.MemoryType = from.MemoryType;
  to.Attribute = from.Attribute;
  to.Address = from.Address;
  to.Size = from.Size;
  std::copy(std::begin(from.Offsets), std::end(from.Offsets), to.Offsets);
  to.UserData = from.UserData;
}

void copyFields(TCharacteristic_Intern& to, const TCharacteristic& from) {
  copyCharacteristic(to, from);
}

void copyFields(TCharacteristic_Intern& to, const TCharacteristic2& from) {
  copyCharacteristic(to, from);
}

void copyFields(TMeasurement_Intern& to, const TMeasurement& from) {
  copyRows(to, from);
  copyLimit(to.LowerLimit, to.LowerLimitHex, to.LowerLimitIsHex, from.LowerLimit);
  copyLimit(to.UpperLimit, to.UpperLimitHex, to.UpperLimitIsHex, from.UpperLimit);
}

void copyFields(TFunction_Intern& to, const TFunction& from) {
  copyRows(to, from);
}

void copyFields(TCompuMethod_Intern& to, const TCompuMethod& from) {
  copyCompuMethod(to, from);
}

void copyFields(TCompuMethod_Intern& to, const TCompuMethod2& from) {
  copyCompuMethod(to, from);
  assignText(to.FormulaInv, from.FormulaInv);
}

bool fitsModel(const TCompuTab& record) {
  return record.NumberValuePairs <= TCompuTab_Intern::kMaxPairs;
}

void copyFields(TCompuTab_Intern& to, const TCompuTab& from) {
  const int32_t n = from.NumberValuePairs < 0 ? 0 : from.NumberValuePairs;
  std::vector<TCompuTabPair_Intern> pairs(static_cast<size_t>(n));
  for (int32_t k = 0; k < n; ++k) {
    pairs[k].InVal = from.Pairs[k].InVal;
    copyNumber(pairs[k].Out, from.Pairs[k].Out);
  }
  copyTable(to, from, pairs);
}

void copyFields(TCompuVTab_Intern& to, const TCompuVTab& from) {
  // Only the pairs the record carries are stored; pair() gives the declared ones behind
  // them as input 0 with an empty text, without allocating a huge declared count.
  const int32_t n = from.NumberValuePairs;
  const int32_t carried = n < 0 ? 0 : (n < ORDEX_COMPU_VTAB_PAIRS ? n : ORDEX_COMPU_VTAB_PAIRS);
  std::vector<TCompuVTabPair_Intern> pairs(static_cast<size_t>(carried));
  for (int32_t k = 0; k < carried; ++k) {
    pairs[k].InVal = from.Pairs[k].InVal;
    assignText(pairs[k].OutText, from.Pairs[k].OutText);
  }
  copyTable(to, from, pairs);
  to.DeclaredPairs = carried;
}

void copyPairs(std::vector<TCompuVTabPair_Intern>& to, const TCompuVTabEntry* from) {
  for (size_t k = 0; k < to.size(); ++k) {
    to[k].InVal = from[k].InVal;
    if (from[k].OutText) to[k].OutText = from[k].OutText;
  }
}

void copyFields(TAxisPts_Intern& to, const TAxisPts& from) {
  copyRows(to, from);
}

void copyFields(TRecordLayout_Intern& to, const TRecordLayout& from) {
  assignText(to.LongIdentifier, from.LongIdentifier);
  setElement(to.element(rlFncValues), from.FncValuesPosition, from.FncValuesDataType,
             from.FncValuesIndexMode, from.FncValuesAddressing);
  setElement(to.element(rlIdentification), from.IdentificationPosition,
             from.IdentificationDataType);
  setElement(to.element(rlAxisPtsX), from.AxisPtsXPosition, from.AxisPtsXDataType,
             from.AxisPtsXIndexMode, from.AxisPtsXAddressing);
  setElement(to.element(rlAxisPtsY), from.AxisPtsYPosition, from.AxisPtsYDataType,
             from.AxisPtsYIndexMode, from.AxisPtsYAddressing);
  setElement(to.element(rlNoAxisPtsX), from.NoAxisPtsXPosition, from.NoAxisPtsXDataType);
  setElement(to.element(rlNoAxisPtsY), from.NoAxisPtsYPosition, from.NoAxisPtsYDataType);
  to.FixNoAxisPtsX = from.FixNoAxisPtsX;
  to.FixNoAxisPtsY = from.FixNoAxisPtsY;
  setElement(to.element(rlShiftOpX), from.ShiftOpXPosition, from.ShiftOpXDataType);
  setElement(to.element(rlOffsetX), from.OffsetXPosition, from.OffsetXDataType);
  copyAlignments(to, from);
  to.UserData = from.UserData;
}

void copyFields(TRecordLayout_Intern& to, const TRecordLayout2& from) {
  assignText(to.LongIdentifier, from.LongIdentifier);
  std::copy(std::begin(from.Reserved), std::end(from.Reserved), to.Reserved);
  std::copy(std::begin(from.Elements), std::end(from.Elements), to.Elements);
  to.FixNoAxisPtsX = from.FixNoAxisPtsX;
  to.FixNoAxisPtsY = from.FixNoAxisPtsY;
  to.FixNoAxisPtsZ = from.FixNoAxisPtsZ;
  copyAlignments(to, from);
  to.UserData = from.UserData;
}

}  // namespace ordex::api
