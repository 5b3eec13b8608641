// The keywords of coded record fields, for printing records readably.
#pragma once

#include <cstdint>

namespace ordex_tool {

struct KeywordTable {
  const char* const* words;
  int count;
  // The keyword at index, or null when the index lies outside the table.
  const char* at(int32_t index) const {
    return index >= 0 && index < count ? words[index] : nullptr;
  }
};

extern const KeywordTable kDataTypes, kByteOrders, kDeposits, kCharacteristicTypes, kAxisAttributes,
    kConversionTypes, kIndexModes, kIndexIncrements, kAddressings, kSegmentTypes, kProgramTypes,
    kMemoryTypes, kAttributes, kDataSizes, kRecordLayoutElements;

}  // namespace ordex_tool
