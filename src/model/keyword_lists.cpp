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
const KeywordList kDataType{"UBYTE",   "SBYTE",   "UWORD",        "SWORD",        "ULONG", "SLONG",
                            "UTRIPLE", "STRIPLE", "FLOAT32_IEEE", "FLOAT64_IEEE", "STRING"};
const KeywordList kByteOrder{"DUMMY", "LITTLE_ENDIAN", "BIG_ENDIAN", "MSB_FIRST", "MSB_LAST"};
const KeywordList kDeposit{"DIFFERENCE", "ABSOLUTE"};
const KeywordList kCharacteristicType{
    "VALUE", "CURVE", "MAP", "CUBOID", "VAL_BLK", "ASCII", "NO_CHARACTERISTIC"};
const KeywordList kAxisAttribute{"STD_AXIS", "COM_AXIS", "FIX_AXIS"};
const KeywordList kConversionType{"TAB_INTP", "TAB_NOINTP", "RAT_FUNC", "FORM", "TAB_VERB"};
const KeywordList kTableType{"TAB_INTP", "TAB_NOINTP"};
const KeywordList kVerbalType{"DUMMY", "DUMMY", "DUMMY", "DUMMY", "TAB_VERB"};
const KeywordList kDataSize{"DUMMY", "BYTE", "WORD", "DUMMY", "LONG"};
const KeywordList kIndexMode{"DUMMY", "COLUMN_DIR", "ROW_DIR"};
const KeywordList kIndexIncrement{"DUMMY", "INDEX_INCR", "INDEX_DECR"};
const KeywordList kAddressing{"DUMMY", "PBYTE", "PWORD", "PLONG", "DIRECT", "INDIRECT"};
const KeywordList kSegmentType{"CODE",  "DATA",     "OFFLINE_DATA",          "VARIABLES",
                               "SERAM", "RESERVED", "CALIBRATION_VARIABLES", "EXCLUDE_FROM_FLASH"};
const KeywordList kProgramType{"PRG_CODE", "PRG_DATA", "DUMMY", "DUMMY", "DUMMY", "PRG_RESERVED"};
const KeywordList kMemoryType{"RAM", "EEPROM", "EPROM", "ROM", "REGISTER", "FLASH"};
const KeywordList kAttribute{"INTERN", "EXTERN"};
const KeywordList kRecordLayoutElement{
    "RESERVED",      "FNC_VALUES",     "IDENTIFICATION", "AXIS_PTS_X",     "AXIS_PTS_Y",
    "AXIS_PTS_Z",    "AXIS_RESCALE_X", "AXIS_RESCALE_Y", "AXIS_RESCALE_Z", "NO_AXIS_PTS_X",
    "NO_AXIS_PTS_Y", "NO_AXIS_PTS_Z",  "NO_RESCALE_X",   "NO_RESCALE_Y",   "NO_RESCALE_Z",
    "SRC_ADDR_X",    "SRC_ADDR_Y",     "SRC_ADDR_Z",     "RIP_ADDR_X",     "RIP_ADDR_Y",
    "RIP_ADDR_Z",    "RIP_ADDR_W",     "SHIFT_OP_X",     "SHIFT_OP_Y",     "SHIFT_OP_Z",
    "OFFSET_X",      "OFFSET_Y",       "OFFSET_Z",       "DIST_OP_X",      "DIST_OP_Y",
    "DIST_OP_Z"};
}  // namespace keywords

}  // namespace ordex
