// The keywords of coded fields that matched no entry of their keyword list (the field holds
// -1): keywords of newer standards such as IDENTICAL, A_UINT64 or CURVE_AXIS. They are kept
// as read so that the writer gives them back instead of a number, and so that conversions
// can tell the newer conversion types apart.
#pragma once

#include <cstdint>
#include <string_view>

#include "model/text.h"

namespace ordex {

class KeywordList;

// The coded fields a record may keep a keyword for. A record layout keeps one per argument
// of each element kind: kKeptLayoutElement + 3 * kind + argument (0 data type, 1 index mode
// or increment, 2 addressing).
enum KeptField : uint8_t {
  kKeptDataType,
  kKeptByteOrder,
  kKeptCharacteristicType,
  kKeptAxisAttribute,
  kKeptDepositMode,
  kKeptConversionType,
  kKeptPrgType,
  kKeptMemoryType,
  kKeptSegmentAttribute,
  kKeptLayoutElement = 16,
};

// A few keywords by field; eight bytes when there are none, as in nearly every record.
class KeptKeywords {
 public:
  // Keeps keyword for field, replacing an earlier one; an empty keyword forgets the field.
  void keep(uint8_t field, std::string_view keyword);
  // The keyword kept for field; empty when there is none.
  std::string_view find(uint8_t field) const;
  bool empty() const { return entries_.empty(); }

 private:
  Text entries_;  // per entry: the field as one byte, the keyword, a zero byte
};

// The index of token in list, as KeywordList::find gives it. A token in no entry is kept for
// field; any other forgets what the field kept before (a later keyword replaces an earlier).
int32_t findKeeping(const KeywordList& list, std::string_view token, KeptKeywords& kept,
                    uint8_t field);

}  // namespace ordex
