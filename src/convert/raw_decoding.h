// Decoding raw ECU bytes by data type, byte order and bit mask.
#pragma once

#include <cstdint>

namespace ordex::convert {

// Byte size of a data type: 1, 2, 3, 4 or 8; 0 for STRING; -1 outside the data types.
int32_t dataSize(int32_t dataType);

// The raw value of an integer or floating-point data type (not STRING). The caller has
// checked that dataType is one of them and that raw holds dataSize(dataType) bytes.
double decodeRaw(const unsigned char* raw, int32_t dataType, int32_t byteOrder, uint32_t mask);

}  // namespace ordex::convert
