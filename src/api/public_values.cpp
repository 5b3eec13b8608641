// Every internal value the layers use in place of a public one of ordex.h is the public
// value, so that src/api converts by a cast and a host sees the codes and kinds ordex.h
// documents. A value that drifts from its public twin fails to compile here; a code or kind
// added to either side gets its line here.
#include <type_traits>

#include "api/public_values.h"
#include "ordex.h"
#include "platform/file_access_module.h"
#include "platform/return_code.h"

namespace ordex::api {
namespace {

constexpr bool same(ReturnCode internal, TOrdexReturnCode external) {
  return static_cast<int32_t>(internal) == static_cast<int32_t>(external) &&
         toPublic(internal) == external;
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

}  // namespace
}  // namespace ordex::api
