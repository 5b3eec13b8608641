"""Dataclasses for the objects of an A2L file, and their conversion from and to the public
records.

Every dataclass field stands for one field of the public record, its name in snake case
(``LongIdentifier`` -> ``long_identifier``). Texts are ``str``; coded fields hold their
keyword ("UWORD", "MSB_LAST") or None when not set (-1); 16-bit flags are ``bool``;
numbers kept with their text are :class:`NumberText`. A few record fields are gathered into
one Python value: the axes of a characteristic (only the ones its type uses), the pairs of
a compu tab or vtab (their count is the length of the list) and the elements of a record
layout. Objects that live in a module carry its name in ``module``.

Building a dataclass and handing it to :meth:`A2LFile.create` or :meth:`A2LFile.change` fills
the same public record the getter filled, so an object read, changed and handed back keeps
every other field.
"""
import dataclasses
import re
import typing

from . import codes as c
from . import records as r


@dataclasses.dataclass
class NumberText:
    """A number together with the text it was read from: the writer prints ``text``, the
    conversion uses ``value``. A measurement limit written in hexadecimal reads as
    ``NumberText("", 0.0)`` and is kept as it was when handed back so."""

    text: str = ""
    value: float = 0.0

    @classmethod
    def of(cls, number):
        """A NumberText from a NumberText, an int or float (its shortest text) or a text."""
        if isinstance(number, NumberText):
            return number
        if isinstance(number, bool):
            raise TypeError("a number is expected, not %r" % (number,))
        if isinstance(number, int):
            return cls(str(number), float(number))
        if isinstance(number, float):
            return cls(repr(number), number)
        if isinstance(number, str):
            return cls(number, float(number) if number.strip() else 0.0)
        raise TypeError("a number is expected, not %r" % (number,))


class Codec:
    """Turns record texts into str and back. The default (UTF-8 with surrogateescape) gives
    back every byte as it was, also bytes that are not UTF-8; "latin-1" is lossless too."""

    def __init__(self, encoding="utf-8", errors="surrogateescape"):
        self.encoding = encoding
        self.errors = errors

    def text(self, raw):
        return raw.decode(self.encoding, self.errors) if raw else ""

    def bytes(self, text, limit=r.TEXT_SIZE, what="text"):
        if text is None:
            text = ""
        if not isinstance(text, str):
            raise TypeError("%s: a str is expected, not %r" % (what, text))
        raw = text.encode(self.encoding, self.errors)
        if b"\0" in raw:
            raise ValueError("%s: a text cannot hold a zero byte" % what)
        if limit is not None and len(raw) >= limit:
            raise ValueError("%s: at most %d bytes fit, %r has %d" % (what, limit - 1, text,
                                                                       len(raw)))
        return raw


def snake(name):
    """LongIdentifier -> long_identifier, Asap2Version -> asap2_version."""
    return re.sub(r"(?<=[a-z0-9])(?=[A-Z])|(?<=[A-Z])(?=[A-Z][a-z])", "_", name).lower()


# -- field converters -----------------------------------------------------------------------

class _Field:
    """One record field and its Python value. ``default`` is what a new dataclass holds;
    for numbers where 0 means something, it is the record's "not set" value."""

    def __init__(self, cname, default=None, python=None):
        self.cname = cname
        self.python = python or snake(cname)
        self.default = default

    def dataclass_field(self):
        return (self.python, typing.Any, dataclasses.field(default=self.default))

    def get(self, record, codec, obj):
        return getattr(record, self.cname)

    def put(self, record, value, codec, obj):
        setattr(record, self.cname, value)


class _Text(_Field):
    def __init__(self, cname, python=None):
        super().__init__(cname, "", python)

    def get(self, record, codec, obj):
        return codec.text(getattr(record, self.cname))

    def put(self, record, value, codec, obj):
        setattr(record, self.cname, codec.bytes(value, what=self.python))


class _TextPointer(_Field):
    """A pointer to the library's own text (a system constant's value): read only."""

    def __init__(self, cname):
        super().__init__(cname, "")

    def get(self, record, codec, obj):
        return codec.text(getattr(record, self.cname))


class _Int(_Field):
    def __init__(self, cname, default=0, python=None):
        super().__init__(cname, default, python)


class _Flag(_Field):
    def __init__(self, cname):
        super().__init__(cname, False)

    def get(self, record, codec, obj):
        return bool(getattr(record, self.cname))

    def put(self, record, value, codec, obj):
        setattr(record, self.cname, 1 if value else 0)


class _Keyword(_Field):
    """A coded field. ``table`` is a keyword tuple, or a function of the dataclass values
    read so far (the program type of a memory segment depends on its LongIdentifier)."""

    def __init__(self, cname, table, python=None):
        super().__init__(cname, None, python)
        self.table = table

    def _table(self, obj):
        return self.table(obj) if callable(self.table) else self.table

    def get(self, record, codec, obj):
        return c.keyword(self._table(obj), getattr(record, self.cname))

    def put(self, record, value, codec, obj):
        setattr(record, self.cname, c.keyword_index(self._table(obj), value, self.python))


class _Number(_Field):
    def __init__(self, cname, python=None):
        super().__init__(cname, None, python)

    def dataclass_field(self):
        return (self.python, typing.Any, dataclasses.field(default_factory=NumberText))

    def get(self, record, codec, obj):
        n = getattr(record, self.cname)
        return NumberText(codec.text(n.Text), n.Value)

    def put(self, record, value, codec, obj):
        _put_number(getattr(record, self.cname), value, codec, self.python)


def _put_number(target, value, codec, what):
    n = NumberText.of(value)
    target.Text = codec.bytes(n.text, what=what)
    target.Value = float(n.value)


class _List(_Field):
    """A field whose value is a list gathered by the functions get and put."""

    def __init__(self, python, get, put, factory=list):
        super().__init__(None, None, python)
        self._get = get
        self._put = put
        self._factory = factory

    def dataclass_field(self):
        return (self.python, typing.Any, dataclasses.field(default_factory=self._factory))

    def get(self, record, codec, obj):
        return self._get(record, codec, obj)

    def put(self, record, value, codec, obj):
        self._put(record, value, codec, obj)


def _make(name, fields, doc, module=True):
    members = [f.dataclass_field() for f in fields]
    if module:
        members.append(("module", typing.Optional[str], dataclasses.field(default=None)))
    cls = dataclasses.make_dataclass(name, members)
    cls.__module__ = __name__
    cls.__doc__ = doc + "\n\nFields (record field in brackets): " + ", ".join(
        "%s [%s]" % (f.python, f.cname or "-") for f in fields)
    cls._fields = fields
    return cls


def from_record(cls, record, codec, **extra):
    """The dataclass cls of a public record."""
    values = {}
    for f in cls._fields:
        values[f.python] = f.get(record, codec, values)
    values.update(extra)
    return cls(**values)


def to_record(obj, record_type, codec):
    """A zero-filled public record of record_type holding the fields of obj."""
    record = record_type()
    values = {f.python: getattr(obj, f.python) for f in obj._fields}
    for f in obj._fields:
        f.put(record, values[f.python], codec, values)
    return record


# -- the kinds ------------------------------------------------------------------------------

Project = _make("Project", [
    _Text("Name"), _Text("LongIdentifier"), _Int("Asap2Version"), _Int("Asap2Upgrade"),
    _Text("FileHeadComment"), _Text("HeaderComment"), _Text("HeaderVersion"),
    _Text("HeaderProjectNo"), _Int("UserData")], "The PROJECT with its HEADER.", module=False)

Module = _make("Module", [
    _Text("Name"), _Text("LongIdentifier"), _Text("ModCommonComment"), _Text("SRecLayout"),
    _Keyword("DepositMode", c.DEPOSITS), _Keyword("ByteOrder", c.BYTE_ORDERS),
    _Int("AlignmentByte"), _Int("AlignmentWord"), _Int("AlignmentLong"),
    _Int("AlignmentFloat32Ieee"), _Int("AlignmentFloat64Ieee"), _Text("ModParComment"),
    _Text("Version"), _Int("AddrEpk", 0xFFFFFFFF), _Text("Epk"), _Text("Supplier"),
    _Text("Customer"), _Text("CustomerNo"), _Text("User"), _Text("PhoneNo"), _Text("Ecu"),
    _Text("CpuType"), _Int("NoOfInterfaces"), _Int("EcuCalibrationOffset"), _Int("UserData")],
    "A MODULE with its MOD_COMMON and MOD_PAR values (the MOD_PAR texts from version to "
    "cpu_type as written in the file, quotes included).", module=False)


def _program_types(values):
    return c.PROGRAM_TYPES if values.get("long_identifier") == "MEMORY_LAYOUT" else c.SEGMENT_TYPES


def _get_offsets(record, codec, values):
    return list(record.Offsets)


def _put_offsets(record, value, codec, values):
    value = list(value or [])
    if len(value) > 5:
        raise ValueError("offsets: at most 5 values")
    for i, v in enumerate(value + [0] * (5 - len(value))):
        record.Offsets[i] = v


MemorySegment = _make("MemorySegment", [
    _Text("Name"), _Text("LongIdentifier"), _Keyword("PrgType", _program_types),
    _Keyword("MemoryType", c.MEMORY_TYPES), _Keyword("Attribute", c.ATTRIBUTES),
    _Int("Address", 0xFFFFFFFF), _Int("Size"), _List("offsets", _get_offsets, _put_offsets),
    _Int("UserData")],
    'A MEMORY_SEGMENT, or a MEMORY_LAYOUT when long_identifier is "MEMORY_LAYOUT" (then '
    'prg_type is a PRG_ keyword and the name its number within MOD_PAR).')

SystemConstant = _make("SystemConstant", [_Text("Name"), _TextPointer("Value")],
                       "A SYSTEM_CONSTANT of MOD_PAR.")

CalibrationMethod = _make("CalibrationMethod", [
    _Text("Name"), _Int("Version"),
    _List("handles", lambda record, codec, values: [], lambda *a: None)],
    "A CALIBRATION_METHOD of MOD_PAR with the values of each CALIBRATION_HANDLE.")

_AXIS_FIELDS = [
    _Keyword("Attribute", c.AXIS_ATTRIBUTES), _Text("InputQuantity"), _Text("Conversion"),
    _Int("MaxAxisPoints"), _Number("LowerLimit"), _Number("UpperLimit"), _Flag("ReadOnly"),
    _Text("Format"), _Text("AxisPtsRef"), _Number("ExtendedLimitsLower"),
    _Number("ExtendedLimitsUpper"), _Keyword("DepositMode", c.DEPOSITS),
    _Keyword("AxisPointsMode", c.AXIS_POINTS_MODES), _Int("FixAxisParOffset"),
    _Int("FixAxisParShift"), _Int("FixAxisParNumberapo")]
AxisDescr = _make("AxisDescr", _AXIS_FIELDS,
                  "One AXIS_DESCR of a characteristic (axis_points_mode: DEPOSIT, FIX_AXIS_PAR "
                  "or FIX_AXIS_PAR_DIST, whose distance is fix_axis_par_shift).", module=False)

_AXES_OF_TYPE = {"CURVE": 1, "MAP": 2, "CUBOID": 3}


def _get_axes(record, codec, values):
    count = _AXES_OF_TYPE.get(values.get("type"), 0)
    return [from_record(AxisDescr, record.Axes[i], codec) for i in range(count)]


def _put_axes(record, value, codec, values):
    value = list(value or [])
    if len(value) > r.CHARACTERISTIC_AXES:
        raise ValueError("axes: at most %d" % r.CHARACTERISTIC_AXES)
    for i, axis in enumerate(value):
        if not isinstance(axis, AxisDescr):
            raise TypeError("axes: AxisDescr values are expected, not %r" % (axis,))
        record.Axes[i] = to_record(axis, r.TAxisDescr2, codec)


Characteristic = _make("Characteristic", [
    _Text("Name"), _Text("LongIdentifier"), _Keyword("Type", c.CHARACTERISTIC_TYPES),
    _Int("Address"), _Text("Deposit"), _Number("MaxDiff"), _Text("Conversion"),
    _Number("LowerLimit"), _Number("UpperLimit"), _Text("Format"),
    _Keyword("ByteOrder", c.BYTE_ORDERS), _Int("BitMask", 0xFFFFFFFF), _Int("Number"),
    _Flag("ReadOnly"), _Number("ExtendedLimitsLower"), _Number("ExtendedLimitsUpper"),
    _Int("MaxRefreshScalingUnit", -1), _Int("MaxRefreshRate"),
    _List("axes", _get_axes, _put_axes), _Int("UserData")],
    "A CHARACTERISTIC (the extended record), with one AxisDescr per axis its type has "
    "(CURVE 1, MAP 2, CUBOID 3).")

AxisPts = _make("AxisPts", [
    _Text("Name"), _Text("LongIdentifier"), _Int("Address"), _Text("InputQuantity"),
    _Text("Deposit"), _Number("MaxDiff"), _Text("Conversion"), _Int("MaxAxisPoints"),
    _Number("LowerLimit"), _Number("UpperLimit"), _Flag("ReadOnly"), _Text("Format"),
    _Keyword("DepositMode", c.DEPOSITS), _Keyword("ByteOrder", c.BYTE_ORDERS),
    _Int("UserData")], "An AXIS_PTS.")

Measurement = _make("Measurement", [
    _Text("Name"), _Text("LongIdentifier"), _Keyword("DataType", c.DATA_TYPES),
    _Text("Conversion"), _Int("Resolution"), _Number("Accuracy"), _Number("LowerLimit"),
    _Number("UpperLimit"), _Text("Format"), _Int("ArraySize"), _Int("BitMask", 0xFFFFFFFF),
    _Keyword("ByteOrder", c.BYTE_ORDERS), _Int("MaxRefreshScalingUnit", -1),
    _Int("MaxRefreshRate"), _Int("EcuAddress", 0xFFFFFFFF), _Int("UserData")],
    "A MEASUREMENT. A limit written in hexadecimal reads as NumberText('', 0.0).")

Function = _make("Function", [_Text("Name"), _Text("LongIdentifier"), _Int("UserData")],
                 "A FUNCTION; its name lists come from A2LFile.function_lists.")


def _get_coeffs(record, codec, values):
    return [NumberText(codec.text(n.Text), n.Value) for n in record.Coeffs]


def _put_coeffs(record, value, codec, values):
    value = list(value or [])
    if len(value) > 6:
        raise ValueError("coeffs: at most 6 (a to f)")
    for i, n in enumerate(value):
        _put_number(record.Coeffs[i], n, codec, "coeffs[%d]" % i)


CompuMethod = _make("CompuMethod", [
    _Text("Name"), _Text("LongIdentifier"), _Keyword("ConversionType", c.CONVERSION_TYPES),
    _Text("Format"), _Text("Unit"), _Text("Formula"), _Text("FormulaInv"),
    _List("coeffs", _get_coeffs, _put_coeffs), _Text("CompuTabRef"), _Int("UserData")],
    "A COMPU_METHOD (the extended record with formula_inv); coeffs are a to f of COEFFS.")

CompuTabPair = _make("CompuTabPair", [_Int("InVal"), _Number("Out")],
                     "One pair of a COMPU_TAB.", module=False)
CompuVTabPair = _make("CompuVTabPair", [_Int("InVal"), _Text("OutText")],
                      "One pair of a COMPU_VTAB.", module=False)


def _get_tab_pairs(record, codec, values):
    count = max(0, min(record.NumberValuePairs, r.COMPU_TAB_PAIRS))
    return [from_record(CompuTabPair, record.Pairs[i], codec) for i in range(count)]


def _put_tab_pairs(record, value, codec, values):
    value = list(value or [])
    if len(value) > r.COMPU_TAB_PAIRS:
        raise ValueError("pairs: a COMPU_TAB holds at most %d" % r.COMPU_TAB_PAIRS)
    record.NumberValuePairs = len(value)
    for i, pair in enumerate(value):
        record.Pairs[i] = to_record(_pair(CompuTabPair, pair), r.TCompuTabPair, codec)


def _pair(cls, pair):
    return pair if isinstance(pair, cls) else cls(*pair)


def _put_vtab_pairs(record, value, codec, values):
    # The record carries the first 20 pairs; A2LFile hands the whole list to
    # Ordex_ChangeACompuVTabsLargeVTab after the create or change.
    value = list(value or [])
    record.NumberValuePairs = len(value)
    for i, pair in enumerate(value[:r.COMPU_VTAB_PAIRS]):
        pair = _pair(CompuVTabPair, pair)
        record.Pairs[i].InVal = pair.in_val
        record.Pairs[i].OutText = codec.bytes(pair.out_text, limit=None)[:r.TEXT_SIZE - 1]


CompuTab = _make("CompuTab", [
    _Text("Name"), _Text("LongIdentifier"), _Keyword("ConversionType", c.CONVERSION_TYPES),
    _List("pairs", _get_tab_pairs, _put_tab_pairs), _Text("DefaultValue"), _Int("UserData")],
    "A COMPU_TAB (at most 256 pairs; a declared pair the file lacks reads as (0, '')).")

CompuVTab = _make("CompuVTab", [
    _Text("Name"), _Text("LongIdentifier"), _Keyword("ConversionType", c.CONVERSION_TYPES),
    _List("pairs", lambda record, codec, values: [], _put_vtab_pairs), _Text("DefaultValue"),
    _Int("UserData")], "A COMPU_VTAB with all its pairs, whatever their number.")

RecordLayoutElement = _make("RecordLayoutElement", [
    _Int("Position"), _Field("DataType", None, "data_type"), _Field("IndexMode", None,
                                                                     "index_mode"),
    _Keyword("Addressing", c.ADDRESSINGS), _Int("MaxNumberOfRescalePairs")],
    "One element of a record layout: data_type is a data type keyword (a RESERVED element: "
    "BYTE, WORD or LONG), index_mode the FNC_VALUES index mode or an axis's index "
    "increment.", module=False)


def _index_modes(kind):
    if kind == "FNC_VALUES":
        return c.INDEX_MODES
    if kind.startswith(("AXIS_PTS_", "AXIS_RESCALE_")):
        return c.INDEX_INCREMENTS
    return ()


def _element(e, kind, codec):
    reserved = kind == "RESERVED"
    return RecordLayoutElement(
        position=e.Position, data_type=c.keyword(c.DATA_SIZES if reserved else c.DATA_TYPES,
                                                 e.DataType),
        index_mode=c.keyword(_index_modes(kind), e.IndexMode),
        addressing=c.keyword(c.ADDRESSINGS, e.Addressing),
        max_number_of_rescale_pairs=e.MaxNumberOfRescalePairs)


def _put_element(target, e, kind):
    reserved = kind == "RESERVED"
    target.Position = e.position
    target.DataType = c.keyword_index(c.DATA_SIZES if reserved else c.DATA_TYPES, e.data_type,
                                      kind + " data_type")
    target.IndexMode = c.keyword_index(_index_modes(kind), e.index_mode, kind + " index_mode")
    target.Addressing = c.keyword_index(c.ADDRESSINGS, e.addressing, kind + " addressing")
    target.MaxNumberOfRescalePairs = e.max_number_of_rescale_pairs


def _absent(target):
    target.Position = 0
    target.DataType = target.IndexMode = target.Addressing = -1
    target.MaxNumberOfRescalePairs = 0


def _get_reserved(record, codec, values):
    return [_element(e, "RESERVED", codec) for e in record.Reserved if e.Position > 0]


def _put_reserved(record, value, codec, values):
    value = list(value or [])
    if len(value) > r.RECORD_LAYOUT_RESERVED:
        raise ValueError("reserved: at most %d" % r.RECORD_LAYOUT_RESERVED)
    for i in range(r.RECORD_LAYOUT_RESERVED):
        if i < len(value):
            _put_element(record.Reserved[i], value[i], "RESERVED")
        else:
            _absent(record.Reserved[i])


def _get_elements(record, codec, values):
    return {kind: _element(record.Elements[k], kind, codec)
            for k, kind in enumerate(c.RECORD_LAYOUT_ELEMENTS) if record.Elements[k].Position > 0}


def _put_elements(record, value, codec, values):
    value = dict(value or {})
    unknown = set(value) - set(c.RECORD_LAYOUT_ELEMENTS)
    if unknown:
        raise ValueError("elements: unknown kinds %s" % ", ".join(sorted(unknown)))
    for k, kind in enumerate(c.RECORD_LAYOUT_ELEMENTS):
        if kind in value:
            _put_element(record.Elements[k], value[kind], kind)
        else:
            _absent(record.Elements[k])


RecordLayout = _make("RecordLayout", [
    _Text("Name"), _Text("LongIdentifier"), _List("reserved", _get_reserved, _put_reserved),
    _List("elements", _get_elements, _put_elements, dict), _Int("FixNoAxisPtsX"),
    _Int("FixNoAxisPtsY"), _Int("FixNoAxisPtsZ"), _Int("AlignmentByte"), _Int("AlignmentWord"),
    _Int("AlignmentLong"), _Int("AlignmentFloat32Ieee"), _Int("AlignmentFloat64Ieee"),
    _Int("UserData")],
    "A RECORD_LAYOUT (the full record): reserved lists the RESERVED elements in file order, "
    "elements maps each present element kind ('FNC_VALUES', 'AXIS_PTS_X', ...) to its "
    "RecordLayoutElement.")

VarCriterion = _make("VarCriterion", [
    _Text("Name"), _Text("LongIdentifier"), _Text("VarMeasurement"),
    _Text("VarSelectionCharacteristic")], "A VAR_CRITERION of VARIANT_CODING.")


@dataclasses.dataclass
class Annotation:
    """An ANNOTATION: label, origin and the whole text."""

    label: str = ""
    origin: str = ""
    text: str = ""


@dataclasses.dataclass
class IfData:
    """An IF_DATA entry: the interface name and the rest of the block, each token followed
    by one blank."""

    name: str = ""
    content: str = ""


class Conversion(typing.NamedTuple):
    """The result of A2LFile.convert: the physical value (None when only a table's default
    text applies) and the text."""

    value: typing.Optional[float]
    text: str
