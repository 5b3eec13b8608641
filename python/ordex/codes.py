"""Return codes, element kinds and the keyword lists of the coded record fields."""

# TOrdexReturnCode: name -> value, as in ordex.h.
RETURN_CODES = {
    "rcOk": 0,
    "rcAbortedByCallback": 1,
    "rcInvalidArgument": -1,
    "rcOutOfMemory": -3,
    "rcFileOpenFailed": -4,
    "rcOutputCreateFailed": -5,
    "rcIncludeOpenFailed": -6,
    "rcFileAccessFailed": -7,
    "rcBlockNesting": -101,
    "rcBlockOutsideParent": -102,
    "rcNoInstance": -103,
    "rcNoProject": -104,
    "rcModuleNotFound": -105,
    "rcMemorySegmentNotFound": -106,
    "rcCharacteristicNotFound": -107,
    "rcMeasurementNotFound": -108,
    "rcFunctionNotFound": -109,
    "rcCompuMethodNotFound": -110,
    "rcCompuTabNotFound": -111,
    "rcCompuVTabNotFound": -112,
    "rcAxisPtsNotFound": -113,
    "rcRecordLayoutNotFound": -114,
    "rcListEntryNotFound": -115,
    "rcSystemConstantNotFound": -116,
    "rcIfDataNotFound": -117,
    "rcProjectExists": -118,
    "rcVarCharacteristicNotFound": -119,
    "rcVarCriterionNotFound": -120,
    "rcVarForbiddenCombNotFound": -121,
    "rcBadNumber": -122,
    "rcCalibrationMethodNotFound": -123,
    "rcUnsupportedMode": -201,
    "rcBadResponse": -202,
    "rcBadSize": -203,
    "rcIndexOutOfRange": -204,
    "rcNullArgument": -205,
}
CODE_NAMES = {value: name for name, value in RETURN_CODES.items()}

# TOrdexElementType bits.
ELEMENT_TYPES = {
    "PROJECT": 1,
    "MODULE": 2,
    "MEMORY_SEGMENT": 4,
    "SYSTEM_CONSTANT": 8,
    "CHARACTERISTIC": 16,
    "MEASUREMENT": 32,
    "FUNCTION": 64,
    "COMPU_METHOD": 128,
    "COMPU_TAB": 256,
    "COMPU_VTAB": 512,
    "RECORD_LAYOUT": 1024,
    "AXIS_PTS": 2048,
    "CALIBRATION_METHOD": 8192,
}


def code_name(code):
    """The name of a return code ("rcBadNumber"), or "rc(N)" for a value ordex.h lacks."""
    return CODE_NAMES.get(code, "rc(%d)" % code)


# A coded field holds the index of its keyword in one of these lists ("DUMMY" entries are
# ordinary entries). -1 means "not set"; the binding shows it as None.
DATA_TYPES = ("UBYTE", "SBYTE", "UWORD", "SWORD", "ULONG", "SLONG", "UTRIPLE", "STRIPLE",
              "FLOAT32_IEEE", "FLOAT64_IEEE", "STRING")
BYTE_ORDERS = ("DUMMY", "LITTLE_ENDIAN", "BIG_ENDIAN", "MSB_FIRST", "MSB_LAST")
DEPOSITS = ("DIFFERENCE", "ABSOLUTE")
CHARACTERISTIC_TYPES = ("VALUE", "CURVE", "MAP", "CUBOID", "VAL_BLK", "ASCII",
                        "NO_CHARACTERISTIC")
AXIS_ATTRIBUTES = ("STD_AXIS", "COM_AXIS", "FIX_AXIS")
AXIS_POINTS_MODES = ("DEPOSIT", "FIX_AXIS_PAR", "FIX_AXIS_PAR_DIST")
CONVERSION_TYPES = ("TAB_INTP", "TAB_NOINTP", "RAT_FUNC", "FORM", "TAB_VERB")
INDEX_MODES = ("DUMMY", "COLUMN_DIR", "ROW_DIR")
INDEX_INCREMENTS = ("DUMMY", "INDEX_INCR", "INDEX_DECR")
ADDRESSINGS = ("DUMMY", "PBYTE", "PWORD", "PLONG", "DIRECT", "INDIRECT")
SEGMENT_TYPES = ("CODE", "DATA", "OFFLINE_DATA", "VARIABLES", "SERAM", "RESERVED",
                 "CALIBRATION_VARIABLES", "EXCLUDE_FROM_FLASH")
PROGRAM_TYPES = ("PRG_CODE", "PRG_DATA", "DUMMY", "DUMMY", "DUMMY", "PRG_RESERVED")
MEMORY_TYPES = ("RAM", "EEPROM", "EPROM", "ROM", "REGISTER", "FLASH")
ATTRIBUTES = ("INTERN", "EXTERN")
DATA_SIZES = ("DUMMY", "BYTE", "WORD", "DUMMY", "LONG")
# Elements[k - 1] of TRecordLayout2 is the element of kind k.
RECORD_LAYOUT_ELEMENTS = (
    "FNC_VALUES", "IDENTIFICATION", "AXIS_PTS_X", "AXIS_PTS_Y", "AXIS_PTS_Z",
    "AXIS_RESCALE_X", "AXIS_RESCALE_Y", "AXIS_RESCALE_Z", "NO_AXIS_PTS_X", "NO_AXIS_PTS_Y",
    "NO_AXIS_PTS_Z", "NO_RESCALE_X", "NO_RESCALE_Y", "NO_RESCALE_Z", "SRC_ADDR_X",
    "SRC_ADDR_Y", "SRC_ADDR_Z", "RIP_ADDR_X", "RIP_ADDR_Y", "RIP_ADDR_Z", "RIP_ADDR_W",
    "SHIFT_OP_X", "SHIFT_OP_Y", "SHIFT_OP_Z", "OFFSET_X", "OFFSET_Y", "OFFSET_Z",
    "DIST_OP_X", "DIST_OP_Y", "DIST_OP_Z")


def keyword(table, index):
    """The keyword at index; None for -1 (not set); the number itself outside the table."""
    if index == -1:
        return None
    if 0 <= index < len(table):
        return table[index]
    return index


def keyword_index(table, word, what):
    """The index of word in table (the first entry of that text); None gives -1 and a number
    is taken as it is. An unknown word raises ValueError naming the field."""
    if word is None:
        return -1
    if isinstance(word, int) and not isinstance(word, bool):
        return word
    try:
        return table.index(word)
    except ValueError:
        raise ValueError("%s: %r is none of %s" % (what, word, ", ".join(sorted(set(table)))))
