// The library's return codes: 0 success, 1 stopped by a progress callback, negative values
// failures. Code below src/api returns these in place of the public TOrdexReturnCode (the
// platform layer so far); src/api hands them out as the public codes of the same values,
// which src/api/public_values.cpp pins one by one.
#pragma once

#include <cstdint>

namespace ordex {

enum class ReturnCode : int32_t {
  Ok = 0,
  AbortedByCallback = 1,
  InvalidArgument = -1,
  OutOfMemory = -3,
  FileOpenFailed = -4,
  OutputCreateFailed = -5,
  IncludeOpenFailed = -6,
  FileAccessFailed = -7,
  BlockNesting = -101,
  BlockOutsideParent = -102,
  NoInstance = -103,
  NoProject = -104,
  ModuleNotFound = -105,
  MemorySegmentNotFound = -106,
  CharacteristicNotFound = -107,
  MeasurementNotFound = -108,
  FunctionNotFound = -109,
  CompuMethodNotFound = -110,
  CompuTabNotFound = -111,
  CompuVTabNotFound = -112,
  AxisPtsNotFound = -113,
  RecordLayoutNotFound = -114,
  ListEntryNotFound = -115,
  SystemConstantNotFound = -116,
  IfDataNotFound = -117,
  ProjectExists = -118,
  VarCharacteristicNotFound = -119,
  VarCriterionNotFound = -120,
  VarForbiddenCombNotFound = -121,
  BadNumber = -122,
  CalibrationMethodNotFound = -123,
  UnsupportedMode = -201,
  BadResponse = -202,
  BadSize = -203,
  IndexOutOfRange = -204,
  NullArgument = -205,
};

}  // namespace ordex
