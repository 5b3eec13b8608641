// The request and response blocks of a measurement upload (protocol 1) and the hex text
// helpers for showing and entering them.
#pragma once

#include <cstdint>

#include "model/compu_records.h"
#include "model/measurement_record.h"
#include "platform/return_code.h"

namespace ordex::convert {

constexpr int32_t kBlockProtocol = 1;
constexpr int32_t kRequestBlockSize = 5;
constexpr unsigned char kRequestMarker = 0x23;   // '#'
constexpr unsigned char kResponseMarker = 0x63;  // 'c'

// Writes the request block of a measurement; see Ordex_CreateMeasurementRequestBlock.
ReturnCode writeRequestBlock(const TMeasurement_Intern& measurement, int32_t protocol,
                             unsigned char* block, int32_t* blockSize);

// Checks a response block before anything is looked up in it (protocol, marker).
ReturnCode checkResponseHead(int32_t protocol, const unsigned char* response, int32_t length);

// Converts the value of a response block with the given compu method; see
// Ordex_EvaluateMeasurementResponseBlock.
ReturnCode evaluateResponseBlock(const TMeasurement_Intern& measurement,
                                 TCompuMethod_Intern& method, const unsigned char* response,
                                 int32_t length, int32_t arrayIndex, char separator, double* phys,
                                 char* text);

// Upper-case hex digit pairs separated by one blank, zero-terminated.
void bytesToHexText(const unsigned char* bytes, int32_t count, char* text);

// Hex digit pairs of text into bytes; returns the number of bytes.
uint32_t hexTextToBytes(const char* text, unsigned char* bytes);

}  // namespace ordex::convert
