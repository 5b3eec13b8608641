// Pins the binary layout of the public records. Host applications are compiled against
// these numbers (many of them in other languages, declaring the records by hand), so any
// change of a size or offset breaks them silently; these checks turn it into a build error.
// The expected values are worked out by hand from natural alignment on an LP64 target
// (x86-64 or AArch64 Linux): int16_t at 2, int32_t at 4, double and pointers at 8, so a
// TNumberText inside a record starts on an 8-byte boundary.

#include <cstddef>
#include <cstring>
#include <type_traits>

#include <gtest/gtest.h>

#include "ordex.h"

// Other targets lay the records out differently (a double aligned to 4 on i386); the
// numbers below are those of the LP64 targets the library is built for.
#if defined(__x86_64__) || defined(__aarch64__)

namespace {

#define PIN_SIZE(T, n) static_assert(sizeof(T) == (n), "size of " #T)
#define PIN(T, field, n) static_assert(offsetof(T, field) == (n), "offset of " #T "." #field)

template <class T>
constexpr bool isPlainRecord() {
  return std::is_standard_layout<T>::value && std::is_trivially_copyable<T>::value;
}

static_assert(alignof(TNumberText) == 8, "a NumberText starts on an 8-byte boundary");
PIN_SIZE(TNumberText, 264);
PIN(TNumberText, Text, 0);
PIN(TNumberText, Value, 256);

PIN_SIZE(TProject, 1548);
PIN(TProject, Name, 0);
PIN(TProject, LongIdentifier, 256);
PIN(TProject, Asap2Version, 512);
PIN(TProject, Asap2Upgrade, 516);
PIN(TProject, FileHeadComment, 520);
PIN(TProject, HeaderComment, 776);
PIN(TProject, HeaderVersion, 1032);
PIN(TProject, HeaderProjectNo, 1288);
PIN(TProject, UserData, 1544);

PIN_SIZE(TModule, 3620);
PIN(TModule, Name, 0);
PIN(TModule, LongIdentifier, 256);
PIN(TModule, ModCommonComment, 512);
PIN(TModule, SRecLayout, 768);
PIN(TModule, DepositMode, 1024);
PIN(TModule, ByteOrder, 1028);
PIN(TModule, AlignmentByte, 1032);
PIN(TModule, AlignmentWord, 1034);
PIN(TModule, AlignmentLong, 1036);
PIN(TModule, AlignmentFloat32Ieee, 1038);
PIN(TModule, AlignmentFloat64Ieee, 1040);
PIN(TModule, ModParComment, 1042);
PIN(TModule, Version, 1298);
PIN(TModule, AddrEpk, 1556);
PIN(TModule, Epk, 1560);
PIN(TModule, Supplier, 1816);
PIN(TModule, Customer, 2072);
PIN(TModule, CustomerNo, 2328);
PIN(TModule, User, 2584);
PIN(TModule, PhoneNo, 2840);
PIN(TModule, Ecu, 3096);
PIN(TModule, CpuType, 3352);
PIN(TModule, NoOfInterfaces, 3608);
PIN(TModule, EcuCalibrationOffset, 3612);
PIN(TModule, UserData, 3616);

PIN_SIZE(TMemorySegment, 556);
PIN(TMemorySegment, Name, 0);
PIN(TMemorySegment, LongIdentifier, 256);
PIN(TMemorySegment, PrgType, 512);
PIN(TMemorySegment, MemoryType, 516);
PIN(TMemorySegment, Attribute, 520);
PIN(TMemorySegment, Address, 524);
PIN(TMemorySegment, Size, 528);
PIN(TMemorySegment, Offsets, 532);
PIN(TMemorySegment, UserData, 552);

PIN_SIZE(TCalibrationMethod, 264);
PIN(TCalibrationMethod, Name, 0);
PIN(TCalibrationMethod, Version, 256);
PIN(TCalibrationMethod, HandleCount, 260);

PIN_SIZE(TSystemConstant, 264);
PIN(TSystemConstant, Name, 0);
PIN(TSystemConstant, Value, 256);

PIN_SIZE(TAxisDescr, 2112);
PIN(TAxisDescr, Attribute, 0);
PIN(TAxisDescr, InputQuantity, 4);
PIN(TAxisDescr, Conversion, 260);
PIN(TAxisDescr, MaxAxisPoints, 516);
PIN(TAxisDescr, LowerLimit, 520);
PIN(TAxisDescr, UpperLimit, 784);
PIN(TAxisDescr, ReadOnly, 1048);
PIN(TAxisDescr, Format, 1050);
PIN(TAxisDescr, AxisPtsRef, 1306);
PIN(TAxisDescr, ExtendedLimitsLower, 1568);
PIN(TAxisDescr, ExtendedLimitsUpper, 1832);
PIN(TAxisDescr, FixAxisParOffset, 2096);
PIN(TAxisDescr, FixAxisParShift, 2100);
PIN(TAxisDescr, FixAxisParNumberapo, 2104);
PIN(TAxisDescr, DepositMode, 2108);

PIN_SIZE(TAxisDescr2, 2120);
PIN(TAxisDescr2, Attribute, 0);
PIN(TAxisDescr2, InputQuantity, 4);
PIN(TAxisDescr2, Conversion, 260);
PIN(TAxisDescr2, MaxAxisPoints, 516);
PIN(TAxisDescr2, LowerLimit, 520);
PIN(TAxisDescr2, UpperLimit, 784);
PIN(TAxisDescr2, ReadOnly, 1048);
PIN(TAxisDescr2, Format, 1050);
PIN(TAxisDescr2, AxisPtsRef, 1306);
PIN(TAxisDescr2, ExtendedLimitsLower, 1568);
PIN(TAxisDescr2, ExtendedLimitsUpper, 1832);
PIN(TAxisDescr2, DepositMode, 2096);
PIN(TAxisDescr2, AxisPointsMode, 2100);
PIN(TAxisDescr2, FixAxisParOffset, 2104);
PIN(TAxisDescr2, FixAxisParShift, 2108);
PIN(TAxisDescr2, FixAxisParNumberapo, 2112);

PIN_SIZE(TCharacteristic, 8976);
PIN(TCharacteristic, Name, 0);
PIN(TCharacteristic, LongIdentifier, 256);
PIN(TCharacteristic, Type, 512);
PIN(TCharacteristic, Address, 516);
PIN(TCharacteristic, Deposit, 520);
PIN(TCharacteristic, MaxDiff, 776);
PIN(TCharacteristic, Conversion, 1040);
PIN(TCharacteristic, LowerLimit, 1296);
PIN(TCharacteristic, UpperLimit, 1560);
PIN(TCharacteristic, Format, 1824);
PIN(TCharacteristic, ByteOrder, 2080);
PIN(TCharacteristic, BitMask, 2084);
PIN(TCharacteristic, Number, 2088);
PIN(TCharacteristic, ReadOnly, 2090);
PIN(TCharacteristic, ExtendedLimitsLower, 2096);
PIN(TCharacteristic, ExtendedLimitsUpper, 2360);
PIN(TCharacteristic, MaxRefreshScalingUnit, 2624);
PIN(TCharacteristic, MaxRefreshRate, 2628);
PIN(TCharacteristic, Axes, 2632);
PIN(TCharacteristic, UserData, 8968);

// The two forms agree up to the axes; only the axis tails and what follows them differ.
PIN_SIZE(TCharacteristic2, 9000);
PIN(TCharacteristic2, Name, 0);
PIN(TCharacteristic2, LongIdentifier, 256);
PIN(TCharacteristic2, Type, 512);
PIN(TCharacteristic2, Address, 516);
PIN(TCharacteristic2, Deposit, 520);
PIN(TCharacteristic2, MaxDiff, 776);
PIN(TCharacteristic2, Conversion, 1040);
PIN(TCharacteristic2, LowerLimit, 1296);
PIN(TCharacteristic2, UpperLimit, 1560);
PIN(TCharacteristic2, Format, 1824);
PIN(TCharacteristic2, ByteOrder, 2080);
PIN(TCharacteristic2, BitMask, 2084);
PIN(TCharacteristic2, Number, 2088);
PIN(TCharacteristic2, ReadOnly, 2090);
PIN(TCharacteristic2, ExtendedLimitsLower, 2096);
PIN(TCharacteristic2, ExtendedLimitsUpper, 2360);
PIN(TCharacteristic2, MaxRefreshScalingUnit, 2624);
PIN(TCharacteristic2, MaxRefreshRate, 2628);
PIN(TCharacteristic2, Axes, 2632);
PIN(TCharacteristic2, UserData, 8992);

PIN_SIZE(TAxisPts, 2360);
PIN(TAxisPts, Name, 0);
PIN(TAxisPts, LongIdentifier, 256);
PIN(TAxisPts, Address, 512);
PIN(TAxisPts, InputQuantity, 516);
PIN(TAxisPts, Deposit, 772);
PIN(TAxisPts, MaxDiff, 1032);
PIN(TAxisPts, Conversion, 1296);
PIN(TAxisPts, MaxAxisPoints, 1552);
PIN(TAxisPts, LowerLimit, 1560);
PIN(TAxisPts, UpperLimit, 1824);
PIN(TAxisPts, ReadOnly, 2088);
PIN(TAxisPts, Format, 2090);
PIN(TAxisPts, DepositMode, 2348);
PIN(TAxisPts, ByteOrder, 2352);
PIN(TAxisPts, UserData, 2356);

PIN_SIZE(TRecordLayoutElement, 16);
PIN(TRecordLayoutElement, Position, 0);
PIN(TRecordLayoutElement, MaxNumberOfRescalePairs, 2);
PIN(TRecordLayoutElement, DataType, 4);
PIN(TRecordLayoutElement, IndexMode, 8);
PIN(TRecordLayoutElement, Addressing, 12);

PIN_SIZE(TRecordLayout, 616);
PIN(TRecordLayout, Name, 0);
PIN(TRecordLayout, LongIdentifier, 256);
PIN(TRecordLayout, FncValuesPosition, 512);
PIN(TRecordLayout, FncValuesDataType, 516);
PIN(TRecordLayout, FncValuesIndexMode, 520);
PIN(TRecordLayout, FncValuesAddressing, 524);
PIN(TRecordLayout, IdentificationPosition, 528);
PIN(TRecordLayout, IdentificationDataType, 532);
PIN(TRecordLayout, AxisPtsXDataType, 536);
PIN(TRecordLayout, AxisPtsXIndexMode, 540);
PIN(TRecordLayout, AxisPtsXAddressing, 544);
PIN(TRecordLayout, AxisPtsXPosition, 548);
PIN(TRecordLayout, AxisPtsYDataType, 552);
PIN(TRecordLayout, AxisPtsYIndexMode, 556);
PIN(TRecordLayout, AxisPtsYAddressing, 560);
PIN(TRecordLayout, AxisPtsYPosition, 564);
PIN(TRecordLayout, NoAxisPtsXPosition, 566);
PIN(TRecordLayout, NoAxisPtsXDataType, 568);
PIN(TRecordLayout, NoAxisPtsYPosition, 572);
PIN(TRecordLayout, NoAxisPtsYDataType, 576);
PIN(TRecordLayout, FixNoAxisPtsX, 580);
PIN(TRecordLayout, FixNoAxisPtsY, 582);
PIN(TRecordLayout, ShiftOpXPosition, 584);
PIN(TRecordLayout, ShiftOpXDataType, 588);
PIN(TRecordLayout, OffsetXPosition, 592);
PIN(TRecordLayout, OffsetXDataType, 596);
PIN(TRecordLayout, AlignmentByte, 600);
PIN(TRecordLayout, AlignmentWord, 602);
PIN(TRecordLayout, AlignmentLong, 604);
PIN(TRecordLayout, AlignmentFloat32Ieee, 606);
PIN(TRecordLayout, AlignmentFloat64Ieee, 608);
PIN(TRecordLayout, UserData, 612);

PIN_SIZE(TRecordLayout2, 1172);
PIN(TRecordLayout2, Name, 0);
PIN(TRecordLayout2, LongIdentifier, 256);
PIN(TRecordLayout2, Reserved, 512);
PIN(TRecordLayout2, Elements, 672);
PIN(TRecordLayout2, FixNoAxisPtsX, 1152);
PIN(TRecordLayout2, FixNoAxisPtsY, 1154);
PIN(TRecordLayout2, FixNoAxisPtsZ, 1156);
PIN(TRecordLayout2, AlignmentByte, 1158);
PIN(TRecordLayout2, AlignmentWord, 1160);
PIN(TRecordLayout2, AlignmentLong, 1162);
PIN(TRecordLayout2, AlignmentFloat32Ieee, 1164);
PIN(TRecordLayout2, AlignmentFloat64Ieee, 1166);
PIN(TRecordLayout2, UserData, 1168);

PIN_SIZE(TRecordLayoutElementExt, 20);
PIN(TRecordLayoutElementExt, ElementKind, 0);
PIN(TRecordLayoutElementExt, Element, 4);

PIN_SIZE(TMeasurement, 1856);
PIN(TMeasurement, Name, 0);
PIN(TMeasurement, LongIdentifier, 256);
PIN(TMeasurement, DataType, 512);
PIN(TMeasurement, Conversion, 516);
PIN(TMeasurement, Resolution, 772);
PIN(TMeasurement, Accuracy, 776);
PIN(TMeasurement, LowerLimit, 1040);
PIN(TMeasurement, UpperLimit, 1304);
PIN(TMeasurement, Format, 1568);
PIN(TMeasurement, ArraySize, 1824);
PIN(TMeasurement, BitMask, 1828);
PIN(TMeasurement, ByteOrder, 1832);
PIN(TMeasurement, MaxRefreshScalingUnit, 1836);
PIN(TMeasurement, MaxRefreshRate, 1840);
PIN(TMeasurement, EcuAddress, 1844);
PIN(TMeasurement, UserData, 1848);

PIN_SIZE(TCompuMethod, 3136);
PIN(TCompuMethod, Name, 0);
PIN(TCompuMethod, LongIdentifier, 256);
PIN(TCompuMethod, ConversionType, 512);
PIN(TCompuMethod, Format, 516);
PIN(TCompuMethod, Unit, 772);
PIN(TCompuMethod, Formula, 1028);
PIN(TCompuMethod, Coeffs, 1288);
PIN(TCompuMethod, CompuTabRef, 2872);
PIN(TCompuMethod, UserData, 3128);

PIN_SIZE(TCompuMethod2, 3392);
PIN(TCompuMethod2, Name, 0);
PIN(TCompuMethod2, LongIdentifier, 256);
PIN(TCompuMethod2, ConversionType, 512);
PIN(TCompuMethod2, Format, 516);
PIN(TCompuMethod2, Unit, 772);
PIN(TCompuMethod2, Formula, 1028);
PIN(TCompuMethod2, FormulaInv, 1284);
PIN(TCompuMethod2, Coeffs, 1544);
PIN(TCompuMethod2, CompuTabRef, 3128);
PIN(TCompuMethod2, UserData, 3384);

// The output value of a pair is a NumberText unit: its text starts at 8, not right
// after InVal.
PIN_SIZE(TCompuTabPair, 272);
PIN(TCompuTabPair, InVal, 0);
PIN(TCompuTabPair, Out, 8);

PIN_SIZE(TCompuTab, 70416);
PIN(TCompuTab, Name, 0);
PIN(TCompuTab, LongIdentifier, 256);
PIN(TCompuTab, ConversionType, 512);
PIN(TCompuTab, NumberValuePairs, 516);
PIN(TCompuTab, Pairs, 520);
PIN(TCompuTab, DefaultValue, 70152);
PIN(TCompuTab, UserData, 70408);

PIN_SIZE(TCompuVTabPair, 260);
PIN(TCompuVTabPair, InVal, 0);
PIN(TCompuVTabPair, OutText, 4);

PIN_SIZE(TCompuVTab, 5980);
PIN(TCompuVTab, Name, 0);
PIN(TCompuVTab, LongIdentifier, 256);
PIN(TCompuVTab, ConversionType, 512);
PIN(TCompuVTab, NumberValuePairs, 516);
PIN(TCompuVTab, Pairs, 520);
PIN(TCompuVTab, DefaultValue, 5720);
PIN(TCompuVTab, UserData, 5976);

PIN_SIZE(TCompuVTabValue, 264);
PIN(TCompuVTabValue, Index, 0);
PIN(TCompuVTabValue, InVal, 4);
PIN(TCompuVTabValue, OutText, 8);

PIN_SIZE(TCompuVTabEntry, 16);
PIN(TCompuVTabEntry, InVal, 0);
PIN(TCompuVTabEntry, OutText, 8);

PIN_SIZE(TFunction, 516);
PIN(TFunction, Name, 0);
PIN(TFunction, LongIdentifier, 256);
PIN(TFunction, UserData, 512);

PIN_SIZE(TVarCriterion, 1024);
PIN(TVarCriterion, Name, 0);
PIN(TVarCriterion, LongIdentifier, 256);
PIN(TVarCriterion, VarMeasurement, 512);
PIN(TVarCriterion, VarSelectionCharacteristic, 768);

PIN_SIZE(TVarCombCriterion, 512);
PIN(TVarCombCriterion, CriterionName, 0);
PIN(TVarCombCriterion, CriterionValue, 256);

PIN_SIZE(TIfDataRecord, 264);
PIN(TIfDataRecord, Name, 0);
PIN(TIfDataRecord, Content, 256);

PIN_SIZE(TKeptBlock, 1052);
PIN(TKeptBlock, Keyword, 0);
PIN(TKeptBlock, Name, 256);
PIN(TKeptBlock, File, 512);
PIN(TKeptBlock, Within, 768);
PIN(TKeptBlock, Line, 1024);
PIN(TKeptBlock, Parent, 1028);
PIN(TKeptBlock, Depth, 1032);
PIN(TKeptBlock, NumChildren, 1036);
PIN(TKeptBlock, NextSibling, 1040);
PIN(TKeptBlock, NumTokens, 1044);
PIN(TKeptBlock, IsBlock, 1048);
PIN(TKeptBlock, Reserved, 1050);

PIN_SIZE(TKeptSummaryEntry, 1040);
PIN(TKeptSummaryEntry, Keyword, 0);
PIN(TKeptSummaryEntry, File, 256);
PIN(TKeptSummaryEntry, Module, 512);
PIN(TKeptSummaryEntry, Object, 768);
PIN(TKeptSummaryEntry, Kind, 1024);
PIN(TKeptSummaryEntry, Line, 1028);
PIN(TKeptSummaryEntry, Count, 1032);
PIN(TKeptSummaryEntry, Reserved, 1036);

PIN_SIZE(TAnnotationRecord, 2560);
PIN(TAnnotationRecord, Label, 0);
PIN(TAnnotationRecord, Origin, 256);
PIN(TAnnotationRecord, Text, 512);

PIN_SIZE(TAnnotationRecord2, 520);
PIN(TAnnotationRecord2, Label, 0);
PIN(TAnnotationRecord2, Origin, 256);
PIN(TAnnotationRecord2, Text, 512);

PIN_SIZE(TCheckFinding, 1804);
PIN(TCheckFinding, Name, 0);
PIN(TCheckFinding, Module, 256);
PIN(TCheckFinding, Keyword, 512);
PIN(TCheckFinding, Kind, 768);
PIN(TCheckFinding, Severity, 772);
PIN(TCheckFinding, Code, 776);
PIN(TCheckFinding, Field, 780);
PIN(TCheckFinding, Value, 1036);
PIN(TCheckFinding, Message, 1292);

PIN_SIZE(TReferrer, 776);
PIN(TReferrer, Name, 0);
PIN(TReferrer, Keyword, 256);
PIN(TReferrer, Field, 512);
PIN(TReferrer, Kind, 768);
PIN(TReferrer, TargetKinds, 772);

PIN_SIZE(TReadFailure, 4628);
PIN(TReadFailure, ReturnCode, 0);
PIN(TReadFailure, Line, 4);
PIN(TReadFailure, Column, 8);
PIN(TReadFailure, BlockLine, 12);
PIN(TReadFailure, BlockColumn, 16);
PIN(TReadFailure, File, 20);
PIN(TReadFailure, Token, 1044);
PIN(TReadFailure, Expected, 1300);
PIN(TReadFailure, ObjectPath, 1556);
PIN(TReadFailure, BlockFile, 2580);
PIN(TReadFailure, SourceLine, 3604);

// Records are copied with memcpy across the C boundary and filled field by field by the
// library; nothing in them may need a constructor or hide a vtable.
static_assert(isPlainRecord<TProject>() && isPlainRecord<TModule>() &&
                  isPlainRecord<TMemorySegment>() && isPlainRecord<TCalibrationMethod>() &&
                  isPlainRecord<TSystemConstant>() && isPlainRecord<TCharacteristic>() &&
                  isPlainRecord<TCharacteristic2>() && isPlainRecord<TAxisPts>() &&
                  isPlainRecord<TRecordLayout>() && isPlainRecord<TRecordLayout2>() &&
                  isPlainRecord<TRecordLayoutElementExt>() && isPlainRecord<TMeasurement>() &&
                  isPlainRecord<TCompuMethod>() && isPlainRecord<TCompuMethod2>() &&
                  isPlainRecord<TCompuTab>() && isPlainRecord<TCompuVTab>() &&
                  isPlainRecord<TCompuVTabValue>() && isPlainRecord<TCompuVTabEntry>() &&
                  isPlainRecord<TFunction>() && isPlainRecord<TVarCriterion>() &&
                  isPlainRecord<TVarCombCriterion>() && isPlainRecord<TIfDataRecord>() &&
                  isPlainRecord<TKeptBlock>() && isPlainRecord<TAnnotationRecord>() &&
                  isPlainRecord<TAnnotationRecord2>() && isPlainRecord<TCheckFinding>() &&
                  isPlainRecord<TReferrer>(),
              "public records are plain C data");

#undef PIN
#undef PIN_SIZE

}  // namespace
#endif

TEST(RecordLayoutTest, LastPairOfCompuTabEndsBeforeDefaultValue) {
  // Writing the last pair whole must not touch the fields that follow the pair array.
  static TCompuTab table;
  std::memset(&table, 0, sizeof table);
  std::strcpy(table.DefaultValue, "default");
  table.UserData = 7;
  TCompuTabPair& last = table.Pairs[ORDEX_COMPU_TAB_PAIRS - 1];
  std::memset(&last, 0xFF, sizeof last);
  last.Out.Value = 2.5;
  EXPECT_STREQ("default", table.DefaultValue);
  EXPECT_EQ(7u, table.UserData);
  EXPECT_EQ(2.5, last.Out.Value);
}
