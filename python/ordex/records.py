"""The public records of ordex.h as ctypes structures, field for field.

Each class has the name and the fields of its C record in the same order and with the same
types, so ctypes lays it out as the C compiler does (natural alignment, no packing). The
binding's tests compare every size and offset with the numbers the C++ tests pin. Texts are
fixed byte arrays; the pointer fields (``TSystemConstant.Value``, ``TIfDataRecord.Content``,
``TCompuVTabEntry.OutText``, ``TAnnotationRecord2.Text``) are ``c_char_p``.
"""
import ctypes

TEXT_SIZE = 256
ANNOTATION_TEXT_SIZE = 2048
CHARACTERISTIC_AXES = 3
RECORD_LAYOUT_RESERVED = 10
RECORD_LAYOUT_ELEMENTS = 30
SORTED_ELEMENTS = 40
COMPU_TAB_PAIRS = 256
COMPU_VTAB_PAIRS = 20
FINDING_MESSAGE_SIZE = 512
READ_FAILURE_TEXT_SIZE = 1024


class TNumberText(ctypes.Structure):
    _fields_ = [
        ("Text", ctypes.c_char * TEXT_SIZE),
        ("Value", ctypes.c_double),
    ]


class TProject(ctypes.Structure):
    _fields_ = [
        ("Name", ctypes.c_char * TEXT_SIZE),
        ("LongIdentifier", ctypes.c_char * TEXT_SIZE),
        ("Asap2Version", ctypes.c_int32),
        ("Asap2Upgrade", ctypes.c_int32),
        ("FileHeadComment", ctypes.c_char * TEXT_SIZE),
        ("HeaderComment", ctypes.c_char * TEXT_SIZE),
        ("HeaderVersion", ctypes.c_char * TEXT_SIZE),
        ("HeaderProjectNo", ctypes.c_char * TEXT_SIZE),
        ("UserData", ctypes.c_uint32),
    ]


class TModule(ctypes.Structure):
    _fields_ = [
        ("Name", ctypes.c_char * TEXT_SIZE),
        ("LongIdentifier", ctypes.c_char * TEXT_SIZE),
        ("ModCommonComment", ctypes.c_char * TEXT_SIZE),
        ("SRecLayout", ctypes.c_char * TEXT_SIZE),
        ("DepositMode", ctypes.c_int32),
        ("ByteOrder", ctypes.c_int32),
        ("AlignmentByte", ctypes.c_int16),
        ("AlignmentWord", ctypes.c_int16),
        ("AlignmentLong", ctypes.c_int16),
        ("AlignmentFloat32Ieee", ctypes.c_int16),
        ("AlignmentFloat64Ieee", ctypes.c_int16),
        ("ModParComment", ctypes.c_char * TEXT_SIZE),
        ("Version", ctypes.c_char * TEXT_SIZE),
        ("AddrEpk", ctypes.c_uint32),
        ("Epk", ctypes.c_char * TEXT_SIZE),
        ("Supplier", ctypes.c_char * TEXT_SIZE),
        ("Customer", ctypes.c_char * TEXT_SIZE),
        ("CustomerNo", ctypes.c_char * TEXT_SIZE),
        ("User", ctypes.c_char * TEXT_SIZE),
        ("PhoneNo", ctypes.c_char * TEXT_SIZE),
        ("Ecu", ctypes.c_char * TEXT_SIZE),
        ("CpuType", ctypes.c_char * TEXT_SIZE),
        ("NoOfInterfaces", ctypes.c_int16),
        ("EcuCalibrationOffset", ctypes.c_uint32),
        ("UserData", ctypes.c_uint32),
    ]


class TMemorySegment(ctypes.Structure):
    _fields_ = [
        ("Name", ctypes.c_char * TEXT_SIZE),
        ("LongIdentifier", ctypes.c_char * TEXT_SIZE),
        ("PrgType", ctypes.c_int32),
        ("MemoryType", ctypes.c_int32),
        ("Attribute", ctypes.c_int32),
        ("Address", ctypes.c_uint32),
        ("Size", ctypes.c_uint32),
        ("Offsets", ctypes.c_int32 * 5),
        ("UserData", ctypes.c_uint32),
    ]


class TCalibrationMethod(ctypes.Structure):
    _fields_ = [
        ("Name", ctypes.c_char * TEXT_SIZE),
        ("Version", ctypes.c_int32),
        ("HandleCount", ctypes.c_int32),
    ]


class TSystemConstant(ctypes.Structure):
    _fields_ = [
        ("Name", ctypes.c_char * TEXT_SIZE),
        ("Value", ctypes.c_char_p),
    ]


# TAxisDescr2 keeps the fields of TAxisDescr up to the extended limits and then orders the
# fixed-axis parameters after the deposit and axis-points modes.
_AXIS_DESCR_HEAD = [
    ("Attribute", ctypes.c_int32),
    ("InputQuantity", ctypes.c_char * TEXT_SIZE),
    ("Conversion", ctypes.c_char * TEXT_SIZE),
    ("MaxAxisPoints", ctypes.c_int16),
    ("LowerLimit", TNumberText),
    ("UpperLimit", TNumberText),
    ("ReadOnly", ctypes.c_int16),
    ("Format", ctypes.c_char * TEXT_SIZE),
    ("AxisPtsRef", ctypes.c_char * TEXT_SIZE),
    ("ExtendedLimitsLower", TNumberText),
    ("ExtendedLimitsUpper", TNumberText),
]

_FIX_AXIS_PAR = [
    ("FixAxisParOffset", ctypes.c_int32),
    ("FixAxisParShift", ctypes.c_int32),
    ("FixAxisParNumberapo", ctypes.c_int32),
]


class TAxisDescr(ctypes.Structure):
    _fields_ = _AXIS_DESCR_HEAD + _FIX_AXIS_PAR + [("DepositMode", ctypes.c_int32)]


class TAxisDescr2(ctypes.Structure):
    _fields_ = (
        _AXIS_DESCR_HEAD
        + [("DepositMode", ctypes.c_int32), ("AxisPointsMode", ctypes.c_int32)]
        + _FIX_AXIS_PAR
    )


def _characteristic_fields(axis_descr):
    """The fields of a characteristic record whose axes are of the record type ``axis_descr``."""
    return [
        ("Name", ctypes.c_char * TEXT_SIZE),
        ("LongIdentifier", ctypes.c_char * TEXT_SIZE),
        ("Type", ctypes.c_int32),
        ("Address", ctypes.c_uint32),
        ("Deposit", ctypes.c_char * TEXT_SIZE),
        ("MaxDiff", TNumberText),
        ("Conversion", ctypes.c_char * TEXT_SIZE),
        ("LowerLimit", TNumberText),
        ("UpperLimit", TNumberText),
        ("Format", ctypes.c_char * TEXT_SIZE),
        ("ByteOrder", ctypes.c_int32),
        ("BitMask", ctypes.c_uint32),
        ("Number", ctypes.c_int16),
        ("ReadOnly", ctypes.c_int16),
        ("ExtendedLimitsLower", TNumberText),
        ("ExtendedLimitsUpper", TNumberText),
        ("MaxRefreshScalingUnit", ctypes.c_int32),
        ("MaxRefreshRate", ctypes.c_int32),
        ("Axes", axis_descr * CHARACTERISTIC_AXES),
        ("UserData", ctypes.c_uint32),
    ]


class TCharacteristic(ctypes.Structure):
    _fields_ = _characteristic_fields(TAxisDescr)


class TCharacteristic2(ctypes.Structure):
    _fields_ = _characteristic_fields(TAxisDescr2)


class TAxisPts(ctypes.Structure):
    _fields_ = [
        ("Name", ctypes.c_char * TEXT_SIZE),
        ("LongIdentifier", ctypes.c_char * TEXT_SIZE),
        ("Address", ctypes.c_uint32),
        ("InputQuantity", ctypes.c_char * TEXT_SIZE),
        ("Deposit", ctypes.c_char * TEXT_SIZE),
        ("MaxDiff", TNumberText),
        ("Conversion", ctypes.c_char * TEXT_SIZE),
        ("MaxAxisPoints", ctypes.c_int16),
        ("LowerLimit", TNumberText),
        ("UpperLimit", TNumberText),
        ("ReadOnly", ctypes.c_int16),
        ("Format", ctypes.c_char * TEXT_SIZE),
        ("DepositMode", ctypes.c_int32),
        ("ByteOrder", ctypes.c_int32),
        ("UserData", ctypes.c_uint32),
    ]


class TRecordLayoutElement(ctypes.Structure):
    _fields_ = [
        ("Position", ctypes.c_int16),
        ("MaxNumberOfRescalePairs", ctypes.c_int16),
        ("DataType", ctypes.c_int32),
        ("IndexMode", ctypes.c_int32),
        ("Addressing", ctypes.c_int32),
    ]


class TRecordLayout(ctypes.Structure):
    _fields_ = [
        ("Name", ctypes.c_char * TEXT_SIZE),
        ("LongIdentifier", ctypes.c_char * TEXT_SIZE),
        ("FncValuesPosition", ctypes.c_int16),
        ("FncValuesDataType", ctypes.c_int32),
        ("FncValuesIndexMode", ctypes.c_int32),
        ("FncValuesAddressing", ctypes.c_int32),
        ("IdentificationPosition", ctypes.c_int16),
        ("IdentificationDataType", ctypes.c_int32),
        ("AxisPtsXDataType", ctypes.c_int32),
        ("AxisPtsXIndexMode", ctypes.c_int32),
        ("AxisPtsXAddressing", ctypes.c_int32),
        ("AxisPtsXPosition", ctypes.c_int16),
        ("AxisPtsYDataType", ctypes.c_int32),
        ("AxisPtsYIndexMode", ctypes.c_int32),
        ("AxisPtsYAddressing", ctypes.c_int32),
        ("AxisPtsYPosition", ctypes.c_int16),
        ("NoAxisPtsXPosition", ctypes.c_int16),
        ("NoAxisPtsXDataType", ctypes.c_int32),
        ("NoAxisPtsYPosition", ctypes.c_int16),
        ("NoAxisPtsYDataType", ctypes.c_int32),
        ("FixNoAxisPtsX", ctypes.c_int16),
        ("FixNoAxisPtsY", ctypes.c_int16),
        ("ShiftOpXPosition", ctypes.c_int16),
        ("ShiftOpXDataType", ctypes.c_int32),
        ("OffsetXPosition", ctypes.c_int16),
        ("OffsetXDataType", ctypes.c_int32),
        ("AlignmentByte", ctypes.c_int16),
        ("AlignmentWord", ctypes.c_int16),
        ("AlignmentLong", ctypes.c_int16),
        ("AlignmentFloat32Ieee", ctypes.c_int16),
        ("AlignmentFloat64Ieee", ctypes.c_int16),
        ("UserData", ctypes.c_uint32),
    ]


class TRecordLayout2(ctypes.Structure):
    _fields_ = [
        ("Name", ctypes.c_char * TEXT_SIZE),
        ("LongIdentifier", ctypes.c_char * TEXT_SIZE),
        ("Reserved", TRecordLayoutElement * RECORD_LAYOUT_RESERVED),
        ("Elements", TRecordLayoutElement * RECORD_LAYOUT_ELEMENTS),
        ("FixNoAxisPtsX", ctypes.c_int16),
        ("FixNoAxisPtsY", ctypes.c_int16),
        ("FixNoAxisPtsZ", ctypes.c_int16),
        ("AlignmentByte", ctypes.c_int16),
        ("AlignmentWord", ctypes.c_int16),
        ("AlignmentLong", ctypes.c_int16),
        ("AlignmentFloat32Ieee", ctypes.c_int16),
        ("AlignmentFloat64Ieee", ctypes.c_int16),
        ("UserData", ctypes.c_uint32),
    ]


class TRecordLayoutElementExt(ctypes.Structure):
    _fields_ = [
        ("ElementKind", ctypes.c_int32),
        ("Element", TRecordLayoutElement),
    ]


class TMeasurement(ctypes.Structure):
    _fields_ = [
        ("Name", ctypes.c_char * TEXT_SIZE),
        ("LongIdentifier", ctypes.c_char * TEXT_SIZE),
        ("DataType", ctypes.c_int32),
        ("Conversion", ctypes.c_char * TEXT_SIZE),
        ("Resolution", ctypes.c_int16),
        ("Accuracy", TNumberText),
        ("LowerLimit", TNumberText),
        ("UpperLimit", TNumberText),
        ("Format", ctypes.c_char * TEXT_SIZE),
        ("ArraySize", ctypes.c_int32),
        ("BitMask", ctypes.c_uint32),
        ("ByteOrder", ctypes.c_int32),
        ("MaxRefreshScalingUnit", ctypes.c_int32),
        ("MaxRefreshRate", ctypes.c_int32),
        ("EcuAddress", ctypes.c_uint32),
        ("UserData", ctypes.c_uint32),
    ]


def _compu_method_fields(formulas):
    """The fields of a conversion method record with the formula texts ``formulas``."""
    return (
        [
            ("Name", ctypes.c_char * TEXT_SIZE),
            ("LongIdentifier", ctypes.c_char * TEXT_SIZE),
            ("ConversionType", ctypes.c_int32),
            ("Format", ctypes.c_char * TEXT_SIZE),
            ("Unit", ctypes.c_char * TEXT_SIZE),
        ]
        + [(name, ctypes.c_char * TEXT_SIZE) for name in formulas]
        + [
            ("Coeffs", TNumberText * 6),
            ("CompuTabRef", ctypes.c_char * TEXT_SIZE),
            ("UserData", ctypes.c_uint32),
        ]
    )


class TCompuMethod(ctypes.Structure):
    _fields_ = _compu_method_fields(["Formula"])


class TCompuMethod2(ctypes.Structure):
    _fields_ = _compu_method_fields(["Formula", "FormulaInv"])


class TCompuTabPair(ctypes.Structure):
    _fields_ = [
        ("InVal", ctypes.c_int32),
        ("Out", TNumberText),
    ]


def _compu_table_fields(pair, pair_count):
    """The fields of a conversion table record holding ``pair_count`` pairs of type ``pair``."""
    return [
        ("Name", ctypes.c_char * TEXT_SIZE),
        ("LongIdentifier", ctypes.c_char * TEXT_SIZE),
        ("ConversionType", ctypes.c_int32),
        ("NumberValuePairs", ctypes.c_int32),
        ("Pairs", pair * pair_count),
        ("DefaultValue", ctypes.c_char * TEXT_SIZE),
        ("UserData", ctypes.c_uint32),
    ]


class TCompuTab(ctypes.Structure):
    _fields_ = _compu_table_fields(TCompuTabPair, COMPU_TAB_PAIRS)


class TCompuVTabPair(ctypes.Structure):
    _fields_ = [
        ("InVal", ctypes.c_int32),
        ("OutText", ctypes.c_char * TEXT_SIZE),
    ]


class TCompuVTab(ctypes.Structure):
    _fields_ = _compu_table_fields(TCompuVTabPair, COMPU_VTAB_PAIRS)


class TCompuVTabValue(ctypes.Structure):
    _fields_ = [
        ("Index", ctypes.c_uint32),
        ("InVal", ctypes.c_int32),
        ("OutText", ctypes.c_char * TEXT_SIZE),
    ]


class TCompuVTabEntry(ctypes.Structure):
    _fields_ = [
        ("InVal", ctypes.c_int32),
        ("OutText", ctypes.c_char_p),
    ]


class TFunction(ctypes.Structure):
    _fields_ = [
        ("Name", ctypes.c_char * TEXT_SIZE),
        ("LongIdentifier", ctypes.c_char * TEXT_SIZE),
        ("UserData", ctypes.c_uint32),
    ]


class TVarCriterion(ctypes.Structure):
    _fields_ = [
        ("Name", ctypes.c_char * TEXT_SIZE),
        ("LongIdentifier", ctypes.c_char * TEXT_SIZE),
        ("VarMeasurement", ctypes.c_char * TEXT_SIZE),
        ("VarSelectionCharacteristic", ctypes.c_char * TEXT_SIZE),
    ]


class TVarCombCriterion(ctypes.Structure):
    _fields_ = [
        ("CriterionName", ctypes.c_char * TEXT_SIZE),
        ("CriterionValue", ctypes.c_char * TEXT_SIZE),
    ]


class TIfDataRecord(ctypes.Structure):
    _fields_ = [
        ("Name", ctypes.c_char * TEXT_SIZE),
        ("Content", ctypes.c_char_p),
    ]


class TAnnotationRecord(ctypes.Structure):
    _fields_ = [
        ("Label", ctypes.c_char * TEXT_SIZE),
        ("Origin", ctypes.c_char * TEXT_SIZE),
        ("Text", ctypes.c_char * ANNOTATION_TEXT_SIZE),
    ]


class TAnnotationRecord2(ctypes.Structure):
    _fields_ = [
        ("Label", ctypes.c_char * TEXT_SIZE),
        ("Origin", ctypes.c_char * TEXT_SIZE),
        ("Text", ctypes.c_char_p),
    ]


class TCheckFinding(ctypes.Structure):
    _fields_ = [
        ("Name", ctypes.c_char * TEXT_SIZE),
        ("Module", ctypes.c_char * TEXT_SIZE),
        ("Keyword", ctypes.c_char * TEXT_SIZE),
        ("Kind", ctypes.c_int32),
        ("Severity", ctypes.c_int32),
        ("Code", ctypes.c_int32),
        ("Field", ctypes.c_char * TEXT_SIZE),
        ("Value", ctypes.c_char * TEXT_SIZE),
        ("Message", ctypes.c_char * FINDING_MESSAGE_SIZE),
    ]


class TReferrer(ctypes.Structure):
    _fields_ = [
        ("Name", ctypes.c_char * TEXT_SIZE),
        ("Keyword", ctypes.c_char * TEXT_SIZE),
        ("Field", ctypes.c_char * TEXT_SIZE),
        ("Kind", ctypes.c_int32),
        ("TargetKinds", ctypes.c_int32),
    ]


class TKeptBlock(ctypes.Structure):
    _fields_ = [
        ("Keyword", ctypes.c_char * TEXT_SIZE),
        ("Name", ctypes.c_char * TEXT_SIZE),
        ("File", ctypes.c_char * TEXT_SIZE),
        ("Within", ctypes.c_char * TEXT_SIZE),
        ("Line", ctypes.c_int32),
        ("Parent", ctypes.c_int32),
        ("Depth", ctypes.c_int32),
        ("NumChildren", ctypes.c_int32),
        ("NextSibling", ctypes.c_int32),
        ("NumTokens", ctypes.c_int32),
        ("IsBlock", ctypes.c_int16),
        ("Reserved", ctypes.c_int16),
    ]


class TKeptSummaryEntry(ctypes.Structure):
    _fields_ = [
        ("Keyword", ctypes.c_char * TEXT_SIZE),
        ("File", ctypes.c_char * TEXT_SIZE),
        ("Module", ctypes.c_char * TEXT_SIZE),
        ("Object", ctypes.c_char * TEXT_SIZE),
        ("Kind", ctypes.c_int32),
        ("Line", ctypes.c_int32),
        ("Count", ctypes.c_int32),
        ("Reserved", ctypes.c_int32),
    ]


class TReadFailure(ctypes.Structure):
    _fields_ = [
        ("ReturnCode", ctypes.c_int32),
        ("Line", ctypes.c_int32),
        ("Column", ctypes.c_int32),
        ("BlockLine", ctypes.c_int32),
        ("BlockColumn", ctypes.c_int32),
        ("File", ctypes.c_char * READ_FAILURE_TEXT_SIZE),
        ("Token", ctypes.c_char * TEXT_SIZE),
        ("Expected", ctypes.c_char * TEXT_SIZE),
        ("ObjectPath", ctypes.c_char * READ_FAILURE_TEXT_SIZE),
        ("BlockFile", ctypes.c_char * READ_FAILURE_TEXT_SIZE),
        ("SourceLine", ctypes.c_char * READ_FAILURE_TEXT_SIZE),
    ]


# Every record, by its C name.
ALL_RECORDS = {
    cls.__name__: cls
    for cls in list(globals().values())
    if isinstance(cls, type) and issubclass(cls, ctypes.Structure) and cls.__name__.startswith("T")
}

