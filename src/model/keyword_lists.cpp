#include "model/keyword_lists.h"

namespace ordex {

KeywordList::KeywordList(std::initializer_list<const char*> entries) {
  entries_.reserve(entries.size());
  for (const char* e : entries) entries_.emplace_back(e);
}

int32_t KeywordList::find(std::string_view token) const {
  if (token.empty()) return -1;
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i] == token) return static_cast<int32_t>(i);
  }
  return -1;
}

const char* KeywordList::at(int32_t index) const {
  if (index < 0 || static_cast<size_t>(index) >= entries_.size()) return nullptr;
  return entries_[index].data();
}

namespace keywords {
const KeywordList kDataType{"UBYTE", "SBYTE",   "UWORD",        "SWORD",        "ULONG", "SLONG",
                            "UTRIPLE", "STRIPLE", "FLOAT32_IEEE", "FLOAT64_IEEE", "STRING"};
const KeywordList kByteOrder{"DUMMY", "LITTLE_ENDIAN", "BIG_ENDIAN", "MSB_FIRST", "MSB_LAST"};
const KeywordList kDeposit{"DIFFERENCE", "ABSOLUTE"};
const KeywordList kCharacteristicType{"VALUE", "CURVE", "MAP", "CUBOID",
                                      "VAL_BLK", "ASCII", "NO_CHARACTERISTIC"};
const KeywordList kAxisAttribute{"STD_AXIS", "COM_AXIS", "FIX_AXIS"};
const KeywordList kConversionType{"TAB_INTP", "TAB_NOINTP", "RAT_FUNC", "FORM", "TAB_VERB"};
const KeywordList kTableType{"TAB_INTP", "TAB_NOINTP"};
const KeywordList kVerbalType{"DUMMY", "DUMMY", "DUMMY", "DUMMY", "TAB_VERB"};
const KeywordList kDataSize{"DUMMY", "BYTE", "WORD", "DUMMY", "LONG"};
const KeywordList kIndexMode{"DUMMY", "COLUMN_DIR", "ROW_DIR"};
const KeywordList kIndexIncrement{"DUMMY", "INDEX_INCR", "INDEX_DECR"};
const KeywordList kAddressing{"DUMMY", "PBYTE", "PWORD", "PLONG", "DIRECT", "INDIRECT"};
const KeywordList kSegmentType{"CODE",     "DATA",    "OFFLINE_DATA",          "VARIABLES",
                               "SERAM",    "RESERVED", "CALIBRATION_VARIABLES", "EXCLUDE_FROM_FLASH"};
const KeywordList kProgramType{"PRG_CODE", "PRG_DATA", "DUMMY", "DUMMY", "DUMMY", "PRG_RESERVED"};
const KeywordList kMemoryType{"RAM", "EEPROM", "EPROM", "ROM", "REGISTER", "FLASH"};
const KeywordList kAttribute{"INTERN", "EXTERN"};
}  // namespace keywords

}  // namespace ordex
