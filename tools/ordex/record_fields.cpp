#include "record_fields.h"

#include <map>

namespace ordex_tool {

const std::vector<TRecordField>& recordFields(int32_t recordType) {
  static std::map<int32_t, std::vector<TRecordField>> tables;
  auto [at, added] = tables.try_emplace(recordType);
  if (added) {
    TRecordField f{};
    for (uint32_t i = 0; Ordex_GetRecordField(recordType, i, &f) == rcOk; ++i) {
      at->second.push_back(f);
    }
  }
  return at->second;
}

const KeywordTable& keywordTable(int32_t list) {
  static const char* const kModeWords[] = {"DEPOSIT", "FIX_AXIS_PAR", "FIX_AXIS_PAR_DIST"};
  static const KeywordTable kAxisPointsModes{kModeWords, 3};
  static const KeywordTable kNone{nullptr, 0};
  switch (list) {
    case klDataType:
      return kDataTypes;
    case klByteOrder:
      return kByteOrders;
    case klDeposit:
      return kDeposits;
    case klCharacteristicType:
      return kCharacteristicTypes;
    case klAxisAttribute:
      return kAxisAttributes;
    case klAxisPointsMode:
      return kAxisPointsModes;
    case klConversionType:
      return kConversionTypes;
    case klSegmentType:
      return kSegmentTypes;
    case klProgramType:
      return kProgramTypes;
    case klMemoryType:
      return kMemoryTypes;
    case klAttribute:
      return kAttributes;
    case klDataSize:
      return kDataSizes;
    case klIndexMode:
      return kIndexModes;
    case klAddressing:
      return kAddressings;
    case klIndexIncrement:
      return kIndexIncrements;
    default:
      return kNone;
  }
}

}  // namespace ordex_tool
