// The ordered keyword lists of coded A2L arguments. A coded argument is stored as the index
// of its keyword in its list (-1 when the word is in none) and written back as the entry
// at that index.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace ordex {

// An ordered keyword list; find() gives the index of the first entry equal to the token
// (letter case significant), -1 when none is (an empty token always gives -1).
class KeywordList {
 public:
  KeywordList(std::initializer_list<const char*> entries);
  int32_t find(std::string_view token) const;
  size_t size() const { return entries_.size(); }
  // The entry at index, or null outside the list.
  const char* at(int32_t index) const;
  // The entry at index as a view, or an empty view outside the list.
  std::string_view view(int32_t index) const {
    return index < 0 || static_cast<size_t>(index) >= entries_.size() ? std::string_view()
                                                                      : entries_[index];
  }

 private:
  std::vector<std::string_view> entries_;
};

namespace keywords {
extern const KeywordList kDataType;   // UBYTE .. STRING
extern const KeywordList kByteOrder;  // DUMMY, LITTLE_ENDIAN, BIG_ENDIAN, MSB_FIRST, MSB_LAST
extern const KeywordList kDeposit;    // DIFFERENCE, ABSOLUTE
extern const KeywordList kCharacteristicType;
extern const KeywordList kAxisAttribute;
extern const KeywordList kConversionType;  // TAB_INTP, TAB_NOINTP, RAT_FUNC, FORM, TAB_VERB
extern const KeywordList kTableType;       // TAB_INTP, TAB_NOINTP
extern const KeywordList kVerbalType;      // DUMMY x4, TAB_VERB
extern const KeywordList kDataSize;        // index = size in bytes
extern const KeywordList kIndexMode;
extern const KeywordList kIndexIncrement;
extern const KeywordList kAddressing;
extern const KeywordList kSegmentType;
extern const KeywordList kProgramType;
extern const KeywordList kMemoryType;
extern const KeywordList kAttribute;
// The 31 element keywords of a record layout: RESERVED 0, FNC_VALUES 1 .. DIST_OP_Z 30.
extern const KeywordList kRecordLayoutElement;
}  // namespace keywords

}  // namespace ordex
