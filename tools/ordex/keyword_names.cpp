#include "keyword_names.h"

namespace ordex_tool {

namespace {
template <int N>
constexpr KeywordTable table(const char* const (&words)[N]) {
  return KeywordTable{words, N};
}

const char* const kDataTypeWords[] = {"UBYTE",        "SBYTE",        "UWORD",   "SWORD",
                                      "ULONG",        "SLONG",        "UTRIPLE", "STRIPLE",
                                      "FLOAT32_IEEE", "FLOAT64_IEEE", "STRING"};
const char* const kByteOrderWords[] = {"DUMMY", "LITTLE_ENDIAN", "BIG_ENDIAN", "MSB_FIRST",
                                       "MSB_LAST"};
const char* const kDepositWords[] = {"DIFFERENCE", "ABSOLUTE"};
const char* const kCharacteristicTypeWords[] = {
    "VALUE", "CURVE", "MAP", "CUBOID", "VAL_BLK", "ASCII", "NO_CHARACTERISTIC"};
const char* const kAxisAttributeWords[] = {"STD_AXIS", "COM_AXIS", "FIX_AXIS"};
const char* const kConversionTypeWords[] = {"TAB_INTP", "TAB_NOINTP", "RAT_FUNC", "FORM",
                                            "TAB_VERB"};
const char* const kIndexModeWords[] = {"DUMMY", "COLUMN_DIR", "ROW_DIR"};
const char* const kIndexIncrementWords[] = {"DUMMY", "INDEX_INCR", "INDEX_DECR"};
const char* const kAddressingWords[] = {"DUMMY", "PBYTE", "PWORD", "PLONG", "DIRECT", "INDIRECT"};
const char* const kSegmentTypeWords[] = {
    "CODE",  "DATA",     "OFFLINE_DATA",          "VARIABLES",
    "SERAM", "RESERVED", "CALIBRATION_VARIABLES", "EXCLUDE_FROM_FLASH"};
const char* const kProgramTypeWords[] = {"PRG_CODE", "PRG_DATA", "DUMMY",
                                         "DUMMY",    "DUMMY",    "PRG_RESERVED"};
const char* const kMemoryTypeWords[] = {"RAM", "EEPROM", "EPROM", "ROM", "REGISTER", "FLASH"};
const char* const kAttributeWords[] = {"INTERN", "EXTERN"};
const char* const kDataSizeWords[] = {"DUMMY", "BYTE", "WORD", "DUMMY", "LONG"};
const char* const kRecordLayoutElementWords[] = {
    "RESERVED",      "FNC_VALUES",     "IDENTIFICATION", "AXIS_PTS_X",     "AXIS_PTS_Y",
    "AXIS_PTS_Z",    "AXIS_RESCALE_X", "AXIS_RESCALE_Y", "AXIS_RESCALE_Z", "NO_AXIS_PTS_X",
    "NO_AXIS_PTS_Y", "NO_AXIS_PTS_Z",  "NO_RESCALE_X",   "NO_RESCALE_Y",   "NO_RESCALE_Z",
    "SRC_ADDR_X",    "SRC_ADDR_Y",     "SRC_ADDR_Z",     "RIP_ADDR_X",     "RIP_ADDR_Y",
    "RIP_ADDR_Z",    "RIP_ADDR_W",     "SHIFT_OP_X",     "SHIFT_OP_Y",     "SHIFT_OP_Z",
    "OFFSET_X",      "OFFSET_Y",       "OFFSET_Z",       "DIST_OP_X",      "DIST_OP_Y",
    "DIST_OP_Z"};
}  // namespace

const KeywordTable kDataTypes = table(kDataTypeWords);
const KeywordTable kByteOrders = table(kByteOrderWords);
const KeywordTable kDeposits = table(kDepositWords);
const KeywordTable kCharacteristicTypes = table(kCharacteristicTypeWords);
const KeywordTable kAxisAttributes = table(kAxisAttributeWords);
const KeywordTable kConversionTypes = table(kConversionTypeWords);
const KeywordTable kIndexModes = table(kIndexModeWords);
const KeywordTable kIndexIncrements = table(kIndexIncrementWords);
const KeywordTable kAddressings = table(kAddressingWords);
const KeywordTable kSegmentTypes = table(kSegmentTypeWords);
const KeywordTable kProgramTypes = table(kProgramTypeWords);
const KeywordTable kMemoryTypes = table(kMemoryTypeWords);
const KeywordTable kAttributes = table(kAttributeWords);
const KeywordTable kDataSizes = table(kDataSizeWords);
const KeywordTable kRecordLayoutElements = table(kRecordLayoutElementWords);

}  // namespace ordex_tool
