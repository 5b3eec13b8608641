#include "convert/measurement_blocks.h"

#include "convert/conversion_error.h"
#include "convert/raw_decoding.h"
#include "convert/raw_to_phys.h"

namespace ordex::convert {

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

ReturnCode writeRequestBlock(const TMeasurement_Intern& measurement, int32_t protocol,
                             unsigned char* block, int32_t* blockSize) {
  if (protocol != kBlockProtocol) return ReturnCode::UnsupportedMode;
  if (*blockSize < kRequestBlockSize) return ReturnCode::BadSize;
  *blockSize = kRequestBlockSize;
  block[0] = kRequestMarker;
  block[1] = static_cast<unsigned char>(measurement.EcuAddress >> 16);
  block[2] = static_cast<unsigned char>(measurement.EcuAddress >> 8);
  block[3] = static_cast<unsigned char>(measurement.EcuAddress);
  const int32_t s = dataSize(measurement.DataType);
  if (s < 0) return ReturnCode::BadSize;
  int64_t requested;
  if (s > 0) {
    requested = measurement.ArraySize > 0 ? int64_t{s} * measurement.ArraySize : s;
  } else {
    if (measurement.ArraySize < 1) return ReturnCode::BadSize;
    requested = measurement.ArraySize;
  }
  block[4] = static_cast<unsigned char>(requested & 0xFF);
  return ReturnCode::Ok;
}

ReturnCode checkResponseHead(int32_t protocol, const unsigned char* response, int32_t length) {
  if (protocol != kBlockProtocol) {
    return conversionFailed(ReturnCode::UnsupportedMode, "protocol %s is not 1",
                            ReasonArg::integer(protocol));
  }
  if (length < 1) return conversionFailed(ReturnCode::BadSize, "the response block is empty");
  if (response[0] != kResponseMarker) {
    return conversionFailed(ReturnCode::BadResponse, "the response block starts with %s, not 0x63",
                            ReasonArg::hexByte(response[0]));
  }
  return ReturnCode::Ok;
}

ReturnCode evaluateResponseBlock(const TMeasurement_Intern& measurement,
                                 TCompuMethod_Intern& method, const unsigned char* response,
                                 int32_t length, int32_t arrayIndex, char separator, double* phys,
                                 char* text) {
  int32_t s = dataSize(measurement.DataType);
  if (s < 0) {
    return conversionFailed(ReturnCode::BadSize, "data type %s is none of UBYTE (0) to STRING (10)",
                            ReasonArg::integer(measurement.DataType));
  }
  int64_t start = 1;
  if (s > 0) {
    if (measurement.ArraySize > 0) {
      if (arrayIndex < 0 || arrayIndex >= measurement.ArraySize) {
        return conversionFailed(ReturnCode::IndexOutOfRange, "array index %s is not in 0 to %s",
                                ReasonArg::integer(arrayIndex),
                                ReasonArg::integer(measurement.ArraySize - 1LL));
      }
      start += int64_t{arrayIndex} * s;
    }
  } else {
    if (measurement.ArraySize < 1) {
      return conversionFailed(ReturnCode::BadSize,
                              "a STRING measurement needs an ARRAY_SIZE of 1 or more");
    }
    s = measurement.ArraySize;
  }
  if (length < start + s) {
    return conversionFailed(ReturnCode::BadSize, "the response block holds %s bytes, %s needed",
                            ReasonArg::integer(length), ReasonArg::integer(start + s));
  }
  // A STRING dumps Resolution bytes, but never past the end of the response.
  int32_t byteCount = measurement.Resolution;
  if (byteCount > length - start) byteCount = static_cast<int32_t>(length - start);
  return rawToPhys(response + start, measurement.DataType, measurement.ByteOrder,
                   measurement.BitMask, byteCount, method, separator, phys, text);
}

void bytesToHexText(const unsigned char* bytes, int32_t count, char* text) {
  static const char kDigits[] = "0123456789ABCDEF";
  char* p = text;
  for (int32_t i = 0; i < count; ++i) {
    if (i) *p++ = ' ';
    *p++ = kDigits[bytes[i] >> 4];
    *p++ = kDigits[bytes[i] & 0xF];
  }
  *p = '\0';
}

uint32_t hexTextToBytes(const char* text, unsigned char* bytes) {
  uint32_t count = 0;
  const char* p = text;
  while (*p) {
    if (*p == ' ') {
      ++p;
      continue;
    }
    // A pair takes the value of its leading hex digits; a digit standing alone before the
    // terminator is a byte of its own.
    int value = hexDigit(p[0]);
    if (value < 0) {
      value = 0;
    } else if (p[1] != '\0' && hexDigit(p[1]) >= 0) {
      value = value * 16 + hexDigit(p[1]);
    }
    bytes[count++] = static_cast<unsigned char>(value);
    p += p[1] != '\0' ? 2 : 1;
  }
  return count;
}

}  // namespace ordex::convert
