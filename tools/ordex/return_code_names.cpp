#include "return_code_names.h"

namespace ordex_tool {

const char* returnCodeName(TOrdexReturnCode rc) {
  switch (rc) {
#define ORDEX_NAME(x) \
  case x:             \
    return #x;
    ORDEX_NAME(rcOk)
    ORDEX_NAME(rcAbortedByCallback)
    ORDEX_NAME(rcInvalidArgument)
    ORDEX_NAME(rcOutOfMemory)
    ORDEX_NAME(rcFileOpenFailed)
    ORDEX_NAME(rcOutputCreateFailed)
    ORDEX_NAME(rcIncludeOpenFailed)
    ORDEX_NAME(rcFileAccessFailed)
    ORDEX_NAME(rcBlockNesting)
    ORDEX_NAME(rcBlockOutsideParent)
    ORDEX_NAME(rcNoInstance)
    ORDEX_NAME(rcNoProject)
    ORDEX_NAME(rcModuleNotFound)
    ORDEX_NAME(rcMemorySegmentNotFound)
    ORDEX_NAME(rcCharacteristicNotFound)
    ORDEX_NAME(rcMeasurementNotFound)
    ORDEX_NAME(rcFunctionNotFound)
    ORDEX_NAME(rcCompuMethodNotFound)
    ORDEX_NAME(rcCompuTabNotFound)
    ORDEX_NAME(rcCompuVTabNotFound)
    ORDEX_NAME(rcAxisPtsNotFound)
    ORDEX_NAME(rcRecordLayoutNotFound)
    ORDEX_NAME(rcListEntryNotFound)
    ORDEX_NAME(rcSystemConstantNotFound)
    ORDEX_NAME(rcIfDataNotFound)
    ORDEX_NAME(rcProjectExists)
    ORDEX_NAME(rcVarCharacteristicNotFound)
    ORDEX_NAME(rcVarCriterionNotFound)
    ORDEX_NAME(rcVarForbiddenCombNotFound)
    ORDEX_NAME(rcBadNumber)
    ORDEX_NAME(rcCalibrationMethodNotFound)
    ORDEX_NAME(rcUnsupportedMode)
    ORDEX_NAME(rcBadResponse)
    ORDEX_NAME(rcBadSize)
    ORDEX_NAME(rcIndexOutOfRange)
    ORDEX_NAME(rcNullArgument)
#undef ORDEX_NAME
  }
  return "unknown";
}

}  // namespace ordex_tool
