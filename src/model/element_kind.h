// The kinds of objects a module holds, one bit each so that a mask selects several, and the
// codes of the data types and byte orders the records store. The values are those a host
// sees for them.
#pragma once

#include <cstdint>

namespace ordex {

// The Kind of an object record.
enum ElementKind : int32_t {
  ekProject = 1,
  ekModule = 2,
  ekMemorySegment = 4,
  ekSystemConstant = 8,
  ekCharacteristic = 16,
  ekMeasurement = 32,
  ekFunction = 64,
  ekCompuMethod = 128,
  ekCompuTab = 256,
  ekCompuVTab = 512,
  ekRecordLayout = 1024,
  ekAxisPts = 2048,
  ekCalibrationMethod = 8192,
};

// A data type: the index of its keyword in the data-type keyword list.
enum DataTypeCode : int32_t {
  typeUByte = 0,
  typeSByte = 1,
  typeUWord = 2,
  typeSWord = 3,
  typeULong = 4,
  typeSLong = 5,
  typeUTriple = 6,
  typeSTriple = 7,
  typeFloat32Ieee = 8,
  typeFloat64Ieee = 9,
  typeString = 10,
};

// A byte order: the index of its keyword in the byte-order keyword list (0: not given).
enum ByteOrderCode : int32_t {
  orderNotGiven = 0,
  orderLittleEndian = 1,
  orderBigEndian = 2,
  orderMsbFirst = 3,
  orderMsbLast = 4,
};

}  // namespace ordex
