// Every internal value the layers use in place of a public one of ordex.h is the public
// value, so that src/api converts by a cast and a host sees the codes and kinds ordex.h
// documents. A value that drifts from its public twin fails to compile here; a code or kind
// added to either side gets its line here.
#include <cstddef>
#include <type_traits>

#include "api/public_values.h"
#include "model/callbacks.h"
#include "model/compu_records.h"
#include "model/copy_to_field.h"
#include "model/element_kind.h"
#include "model/instance.h"
#include "model/record_layout_order.h"
#include "model/record_layout_record.h"
#include "ordex.h"
#include "platform/file_access_module.h"
#include "platform/return_code.h"
#include "query/finding_codes.h"

namespace ordex::api {
namespace {

constexpr bool same(ReturnCode internal, TOrdexReturnCode external) {
  return static_cast<int32_t>(internal) == static_cast<int32_t>(external) &&
         toPublic(internal) == external && fromPublic(external) == internal;
}

static_assert(sizeof(ReturnCode) == sizeof(int32_t));
static_assert(same(ReturnCode::Ok, rcOk));
static_assert(same(ReturnCode::AbortedByCallback, rcAbortedByCallback));
static_assert(same(ReturnCode::InvalidArgument, rcInvalidArgument));
static_assert(same(ReturnCode::OutOfMemory, rcOutOfMemory));
static_assert(same(ReturnCode::FileOpenFailed, rcFileOpenFailed));
static_assert(same(ReturnCode::OutputCreateFailed, rcOutputCreateFailed));
static_assert(same(ReturnCode::IncludeOpenFailed, rcIncludeOpenFailed));
static_assert(same(ReturnCode::FileAccessFailed, rcFileAccessFailed));
static_assert(same(ReturnCode::BlockNesting, rcBlockNesting));
static_assert(same(ReturnCode::BlockOutsideParent, rcBlockOutsideParent));
static_assert(same(ReturnCode::NoInstance, rcNoInstance));
static_assert(same(ReturnCode::NoProject, rcNoProject));
static_assert(same(ReturnCode::ModuleNotFound, rcModuleNotFound));
static_assert(same(ReturnCode::MemorySegmentNotFound, rcMemorySegmentNotFound));
static_assert(same(ReturnCode::CharacteristicNotFound, rcCharacteristicNotFound));
static_assert(same(ReturnCode::MeasurementNotFound, rcMeasurementNotFound));
static_assert(same(ReturnCode::FunctionNotFound, rcFunctionNotFound));
static_assert(same(ReturnCode::CompuMethodNotFound, rcCompuMethodNotFound));
static_assert(same(ReturnCode::CompuTabNotFound, rcCompuTabNotFound));
static_assert(same(ReturnCode::CompuVTabNotFound, rcCompuVTabNotFound));
static_assert(same(ReturnCode::AxisPtsNotFound, rcAxisPtsNotFound));
static_assert(same(ReturnCode::RecordLayoutNotFound, rcRecordLayoutNotFound));
static_assert(same(ReturnCode::ListEntryNotFound, rcListEntryNotFound));
static_assert(same(ReturnCode::SystemConstantNotFound, rcSystemConstantNotFound));
static_assert(same(ReturnCode::IfDataNotFound, rcIfDataNotFound));
static_assert(same(ReturnCode::ProjectExists, rcProjectExists));
static_assert(same(ReturnCode::VarCharacteristicNotFound, rcVarCharacteristicNotFound));
static_assert(same(ReturnCode::VarCriterionNotFound, rcVarCriterionNotFound));
static_assert(same(ReturnCode::VarForbiddenCombNotFound, rcVarForbiddenCombNotFound));
static_assert(same(ReturnCode::BadNumber, rcBadNumber));
static_assert(same(ReturnCode::CalibrationMethodNotFound, rcCalibrationMethodNotFound));
static_assert(same(ReturnCode::UnsupportedMode, rcUnsupportedMode));
static_assert(same(ReturnCode::BadResponse, rcBadResponse));
static_assert(same(ReturnCode::BadSize, rcBadSize));
static_assert(same(ReturnCode::IndexOutOfRange, rcIndexOutOfRange));
static_assert(same(ReturnCode::NullArgument, rcNullArgument));

// A file-access module's entry points are called through the platform layer's own types.
static_assert(std::is_same_v<platform::OpenFunc, TOrdexOpenCryptClassFunc>);
static_assert(std::is_same_v<platform::GetCharFunc, TOrdexGetCharCryptClassFunc>);
static_assert(std::is_same_v<platform::GetStringFunc, TOrdexGetStringCryptClassFunc>);
static_assert(std::is_same_v<platform::CloseFunc, TOrdexCloseCryptClassFunc>);

// Kinds, data types and byte orders: enumerations of their own on both sides.
template <class Internal, class External>
constexpr bool sameValue(Internal internal, External external) {
  return sizeof(Internal) == sizeof(int32_t) &&
         static_cast<int32_t>(internal) == static_cast<int32_t>(external);
}

static_assert(sameValue(ekProject, etProject));
static_assert(sameValue(ekModule, etModule));
static_assert(sameValue(ekMemorySegment, etMemorySegment));
static_assert(sameValue(ekSystemConstant, etSystemConstant));
static_assert(sameValue(ekCharacteristic, etCharacteristic));
static_assert(sameValue(ekMeasurement, etMeasurement));
static_assert(sameValue(ekFunction, etFunction));
static_assert(sameValue(ekCompuMethod, etCompuMethod));
static_assert(sameValue(ekCompuTab, etCompuTab));
static_assert(sameValue(ekCompuVTab, etCompuVTab));
static_assert(sameValue(ekRecordLayout, etRecordLayout));
static_assert(sameValue(ekAxisPts, etAxisPts));
static_assert(sameValue(ekCalibrationMethod, etCalibrationMethod));

static_assert(sameValue(typeUByte, dtUByte));
static_assert(sameValue(typeSByte, dtSByte));
static_assert(sameValue(typeUWord, dtUWord));
static_assert(sameValue(typeSWord, dtSWord));
static_assert(sameValue(typeULong, dtULong));
static_assert(sameValue(typeSLong, dtSLong));
static_assert(sameValue(typeUTriple, dtUTriple));
static_assert(sameValue(typeSTriple, dtSTriple));
static_assert(sameValue(typeFloat32Ieee, dtFloat32Ieee));
static_assert(sameValue(typeFloat64Ieee, dtFloat64Ieee));
static_assert(sameValue(typeString, dtString));

static_assert(sameValue(orderNotGiven, boNotGiven));
static_assert(sameValue(orderLittleEndian, boLittleEndian));
static_assert(sameValue(orderBigEndian, boBigEndian));
static_assert(sameValue(orderMsbFirst, boMsbFirst));
static_assert(sameValue(orderMsbLast, boMsbLast));

// The severities and codes of the consistency check's findings.
template <class Internal, class External>
constexpr bool samePublic(Internal internal, External external) {
  return sameValue(internal, external) && toPublic(internal) == external;
}

static_assert(samePublic(severityNote, fsNote));
static_assert(samePublic(severityWarning, fsWarning));
static_assert(samePublic(severityError, fsError));

static_assert(samePublic(findingDanglingReference, fcDanglingReference));
static_assert(samePublic(findingMissingReference, fcMissingReference));
static_assert(samePublic(findingDuplicateName, fcDuplicateName));
static_assert(samePublic(findingLimitsReversed, fcLimitsReversed));
static_assert(samePublic(findingLimitOutsideDataType, fcLimitOutsideDataType));
static_assert(samePublic(findingCountZero, fcCountZero));
static_assert(samePublic(findingCountBeyondLayout, fcCountBeyondLayout));
static_assert(samePublic(findingAddressNotSet, fcAddressNotSet));
static_assert(samePublic(findingTablePairCount, fcTablePairCount));
static_assert(samePublic(findingNotInFunction, fcNotInFunction));
static_assert(samePublic(findingNotReferenced, fcNotReferenced));
static_assert(samePublic(findingAxisMissing, fcAxisMissing));
static_assert(samePublic(findingUnknownKeyword, fcUnknownKeyword));

// Field sizes and array lengths the records share with the public ones.
static_assert(kTextField == ORDEX_TEXT_SIZE);
static_assert(TRecordLayout_Intern::kReservedCount == ORDEX_RECORD_LAYOUT_RESERVED);
static_assert(TRecordLayout_Intern::kElementCount == ORDEX_RECORD_LAYOUT_ELEMENTS);
static_assert(kSortedElementSlots == ORDEX_SORTED_ELEMENTS);
static_assert(TCompuTab_Intern::kMaxPairs == ORDEX_COMPU_TAB_PAIRS);

// A record layout element is the public element, member by member.
static_assert(sizeof(RecordLayoutElement) == sizeof(TRecordLayoutElement));
static_assert(alignof(RecordLayoutElement) == alignof(TRecordLayoutElement));
static_assert(offsetof(RecordLayoutElement, Position) == offsetof(TRecordLayoutElement, Position));
static_assert(offsetof(RecordLayoutElement, MaxNumberOfRescalePairs) ==
              offsetof(TRecordLayoutElement, MaxNumberOfRescalePairs));
static_assert(offsetof(RecordLayoutElement, DataType) == offsetof(TRecordLayoutElement, DataType));
static_assert(offsetof(RecordLayoutElement, IndexMode) ==
              offsetof(TRecordLayoutElement, IndexMode));
static_assert(offsetof(RecordLayoutElement, Addressing) ==
              offsetof(TRecordLayoutElement, Addressing));
static_assert(sizeof(PlacedLayoutElement) == sizeof(TRecordLayoutElementExt));
static_assert(offsetof(PlacedLayoutElement, Element) == offsetof(TRecordLayoutElementExt, Element));

// Callbacks a host hands over are called through the layers' own types.
static_assert(std::is_same_v<ProgressCallback, TOrdexProgressCallback>);
static_assert(std::is_same_v<InstanceDestructorCallback, TOrdexInstanceDestructorCallback>);

}  // namespace
}  // namespace ordex::api
