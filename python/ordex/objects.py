"""Dataclasses for the objects of an A2L file, and their conversion from and to the public
records.

Every dataclass field stands for one field of the public record, its name in snake case
(``LongIdentifier`` -> ``long_identifier``). Texts are ``str``; coded fields hold their
keyword ("UWORD", "MSB_LAST") or None when not set (-1); addresses, bit masks and refresh
units that are not set (0xFFFFFFFF, -1) are None as well, and None is written back as that
value; 16-bit flags are ``bool``; numbers kept with their text are :class:`NumberText`. A
few record fields are gathered into one Python value: the axes of a characteristic (only the
ones its type uses), the pairs of a compu tab or vtab (their count is the length of the
list) and the elements of a record layout. Objects that live in a module carry its name in
``module``.

Building a dataclass and handing it to :meth:`A2LFile.create` or :meth:`A2LFile.change` fills
the same public record the getter filled, so an object read, changed and handed back keeps
every other field. :func:`as_row` turns an object into a flat dict (a row for pandas).
"""
from __future__ import annotations

import dataclasses
import typing
from typing import Any, Callable, Dict, List, Optional, Sequence, Tuple, Union

from . import codes as c
from . import records as r

_CONVERTER = "ordex.converter"  # the key of a dataclass field's metadata


@dataclasses.dataclass
class NumberText:
    """A number together with the text it was read from: the writer prints ``text``, the
    conversion uses ``value``. A measurement limit written in hexadecimal reads as
    ``NumberText("", 0.0)`` and is kept as it was when handed back so."""

    text: str = ""
    value: float = 0.0

    @classmethod
    def of(cls, number: Union[NumberText, int, float, str]) -> NumberText:
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

    def __init__(self, encoding: str = "utf-8", errors: str = "surrogateescape") -> None:
        self.encoding = encoding
        self.errors = errors

    def text(self, raw: Optional[bytes]) -> str:
        return raw.decode(self.encoding, self.errors) if raw else ""

    def bytes(self, text: Optional[str], limit: Optional[int] = r.TEXT_SIZE,
              what: str = "text") -> bytes:
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


# -- field converters -----------------------------------------------------------------------

Values = Dict[str, Any]  # the dataclass values read or written so far, by field name


class _Converter:
    """How one dataclass field maps to its record field ``cname``. ``python`` (the
    dataclass field's name) is set when the class is made."""

    python = ""

    def __init__(self, cname: Optional[str]) -> None:
        self.cname = cname or ""

    def get(self, record: Any, codec: Codec, values: Values) -> Any:
        return getattr(record, self.cname)

    def put(self, record: Any, value: Any, codec: Codec, values: Values) -> None:
        setattr(record, self.cname, value)


class _Text(_Converter):
    def get(self, record: Any, codec: Codec, values: Values) -> str:
        return codec.text(getattr(record, self.cname))

    def put(self, record: Any, value: Any, codec: Codec, values: Values) -> None:
        setattr(record, self.cname, codec.bytes(value, what=self.python))


class _TextPointer(_Converter):
    """A pointer to the library's own text (a system constant's value): read only."""

    def get(self, record: Any, codec: Codec, values: Values) -> str:
        return codec.text(getattr(record, self.cname))

    def put(self, record: Any, value: Any, codec: Codec, values: Values) -> None:
        pass


class _Unset(_Converter):
    """A number whose value ``sentinel`` means "not given": None in Python."""

    def __init__(self, cname: str, sentinel: int) -> None:
        super().__init__(cname)
        self.sentinel = sentinel

    def get(self, record: Any, codec: Codec, values: Values) -> Optional[int]:
        value = getattr(record, self.cname)
        return None if value == self.sentinel else value

    def put(self, record: Any, value: Any, codec: Codec, values: Values) -> None:
        setattr(record, self.cname, self.sentinel if value is None else value)


class _Flag(_Converter):
    def get(self, record: Any, codec: Codec, values: Values) -> bool:
        return bool(getattr(record, self.cname))

    def put(self, record: Any, value: Any, codec: Codec, values: Values) -> None:
        setattr(record, self.cname, 1 if value else 0)


KeywordTable = Union[Tuple[str, ...], Callable[[Values], Tuple[str, ...]]]


class _Keyword(_Converter):
    """A coded field. ``table`` is a keyword tuple, or a function of the dataclass values
    read so far (the program type of a memory segment depends on its long_identifier)."""

    def __init__(self, cname: str, table: KeywordTable) -> None:
        super().__init__(cname)
        self.table = table

    def _table(self, values: Values) -> Tuple[str, ...]:
        return self.table(values) if callable(self.table) else self.table

    def get(self, record: Any, codec: Codec, values: Values) -> Union[str, int, None]:
        return c.keyword(self._table(values), getattr(record, self.cname))

    def put(self, record: Any, value: Any, codec: Codec, values: Values) -> None:
        setattr(record, self.cname, c.keyword_index(self._table(values), value, self.python))


class _Number(_Converter):
    def get(self, record: Any, codec: Codec, values: Values) -> NumberText:
        n = getattr(record, self.cname)
        return NumberText(codec.text(n.Text), n.Value)

    def put(self, record: Any, value: Any, codec: Codec, values: Values) -> None:
        _put_number(getattr(record, self.cname), value, codec, self.python)


def _put_number(target: Any, value: Any, codec: Codec, what: str) -> None:
    n = NumberText.of(value)
    target.Text = codec.bytes(n.text, what=what)
    target.Value = float(n.value)


class _Gathered(_Converter):
    """A value gathered from several record fields by the functions get and put."""

    def __init__(self, get: Callable[[Any, Codec, Values], Any],
                 put: Callable[[Any, Any, Codec, Values], None]) -> None:
        super().__init__(None)
        self._get = get
        self._put = put

    def get(self, record: Any, codec: Codec, values: Values) -> Any:
        return self._get(record, codec, values)

    def put(self, record: Any, value: Any, codec: Codec, values: Values) -> None:
        self._put(record, value, codec, values)


# Field makers: each gives a dataclass field with its default and its converter.
def _field(converter: _Converter, default: Any = dataclasses.MISSING,
           factory: Any = dataclasses.MISSING) -> Any:
    options: Dict[str, Any] = {"metadata": {_CONVERTER: converter}}
    if factory is not dataclasses.MISSING:
        options["default_factory"] = factory
    else:
        options["default"] = default
    return dataclasses.field(**options)


def _text(cname: str) -> Any:
    return _field(_Text(cname), "")


def _int(cname: str, default: int = 0) -> Any:
    return _field(_Converter(cname), default)


def _unset(cname: str, sentinel: int = 0xFFFFFFFF) -> Any:
    return _field(_Unset(cname, sentinel), None)


def _flag(cname: str) -> Any:
    return _field(_Flag(cname), False)


def _keyword(cname: str, table: KeywordTable) -> Any:
    return _field(_Keyword(cname, table), None)


def _number(cname: str) -> Any:
    return _field(_Number(cname), factory=NumberText)


def _gathered(get: Callable[[Any, Codec, Values], Any],
              put: Callable[[Any, Any, Codec, Values], None], factory: Any = list) -> Any:
    return _field(_Gathered(get, put), factory=factory)


T = typing.TypeVar("T")


def _record(cls: type[T]) -> type[T]:
    """Gives the dataclass cls the converters of its fields (which map them to a public
    record), in declaration order."""
    converters = []
    for f in dataclasses.fields(cls):
        converter = f.metadata.get(_CONVERTER)
        if converter is not None:
            converter.python = f.name
            converters.append(converter)
    cls._converters = converters  # type: ignore[attr-defined]
    return cls


def from_record(cls: type[T], record: Any, codec: Codec, **extra: Any) -> T:
    """The dataclass cls of a public record."""
    values: Values = {}
    for f in cls._converters:  # type: ignore[attr-defined]
        values[f.python] = f.get(record, codec, values)
    values.update(extra)
    return cls(**values)


def to_record(obj: Any, record_type: type, codec: Codec) -> Any:
    """A zero-filled public record of record_type holding the fields of obj."""
    record = record_type()
    values = {f.python: getattr(obj, f.python) for f in obj._converters}
    for f in obj._converters:
        f.put(record, values[f.python], codec, values)
    return record


def as_row(obj: Any) -> Dict[str, Any]:
    """The fields of a dataclass as a flat dict, such as pandas takes for a row: a
    NumberText gives its value, nested dataclasses (axes, pairs, elements) give dicts."""
    def plain(value: Any) -> Any:
        if isinstance(value, NumberText):
            return value.value
        if dataclasses.is_dataclass(value) and not isinstance(value, type):
            return as_row(value)
        if isinstance(value, (list, tuple)):
            return [plain(v) for v in value]
        if isinstance(value, dict):
            return {k: plain(v) for k, v in value.items()}
        return value
    return {f.name: plain(getattr(obj, f.name)) for f in dataclasses.fields(obj)}


# -- the kinds ------------------------------------------------------------------------------

@_record
@dataclasses.dataclass
class Project:
    """The PROJECT with its HEADER."""

    name: str = _text("Name")
    long_identifier: str = _text("LongIdentifier")
    asap2_version: int = _int("Asap2Version")
    asap2_upgrade: int = _int("Asap2Upgrade")
    file_head_comment: str = _text("FileHeadComment")
    header_comment: str = _text("HeaderComment")
    header_version: str = _text("HeaderVersion")
    header_project_no: str = _text("HeaderProjectNo")
    user_data: int = _int("UserData")


@_record
@dataclasses.dataclass
class Module:
    """A MODULE with its MOD_COMMON and MOD_PAR values (the MOD_PAR texts from version to
    cpu_type as written in the file, quotes included)."""

    name: str = _text("Name")
    long_identifier: str = _text("LongIdentifier")
    mod_common_comment: str = _text("ModCommonComment")
    s_rec_layout: str = _text("SRecLayout")
    deposit_mode: Optional[str] = _keyword("DepositMode", c.DEPOSITS)
    byte_order: Optional[str] = _keyword("ByteOrder", c.BYTE_ORDERS)
    alignment_byte: int = _int("AlignmentByte")
    alignment_word: int = _int("AlignmentWord")
    alignment_long: int = _int("AlignmentLong")
    alignment_float32_ieee: int = _int("AlignmentFloat32Ieee")
    alignment_float64_ieee: int = _int("AlignmentFloat64Ieee")
    mod_par_comment: str = _text("ModParComment")
    version: str = _text("Version")
    addr_epk: Optional[int] = _unset("AddrEpk")
    epk: str = _text("Epk")
    supplier: str = _text("Supplier")
    customer: str = _text("Customer")
    customer_no: str = _text("CustomerNo")
    user: str = _text("User")
    phone_no: str = _text("PhoneNo")
    ecu: str = _text("Ecu")
    cpu_type: str = _text("CpuType")
    no_of_interfaces: int = _int("NoOfInterfaces")
    ecu_calibration_offset: int = _int("EcuCalibrationOffset")
    user_data: int = _int("UserData")


def _program_types(values: Values) -> Tuple[str, ...]:
    return c.PROGRAM_TYPES if values.get("long_identifier") == "MEMORY_LAYOUT" else c.SEGMENT_TYPES


def _get_offsets(record: Any, codec: Codec, values: Values) -> List[int]:
    return list(record.Offsets)


def _put_offsets(record: Any, value: Any, codec: Codec, values: Values) -> None:
    value = list(value or [])
    if len(value) > 5:
        raise ValueError("offsets: at most 5 values")
    for i, v in enumerate(value + [0] * (5 - len(value))):
        record.Offsets[i] = v


@_record
@dataclasses.dataclass
class MemorySegment:
    """A MEMORY_SEGMENT, or a MEMORY_LAYOUT when long_identifier is "MEMORY_LAYOUT" (then
    prg_type is a PRG_ keyword and the name its number within MOD_PAR)."""

    name: str = _text("Name")
    long_identifier: str = _text("LongIdentifier")
    prg_type: Optional[str] = _keyword("PrgType", _program_types)
    memory_type: Optional[str] = _keyword("MemoryType", c.MEMORY_TYPES)
    attribute: Optional[str] = _keyword("Attribute", c.ATTRIBUTES)
    address: Optional[int] = _unset("Address")
    size: int = _int("Size")
    offsets: List[int] = _gathered(_get_offsets, _put_offsets)
    user_data: int = _int("UserData")
    module: Optional[str] = None


@_record
@dataclasses.dataclass
class SystemConstant:
    """A SYSTEM_CONSTANT of MOD_PAR."""

    name: str = _text("Name")
    value: str = _field(_TextPointer("Value"), "")
    module: Optional[str] = None


@_record
@dataclasses.dataclass
class CalibrationMethod:
    """A CALIBRATION_METHOD of MOD_PAR with the values of each CALIBRATION_HANDLE."""

    name: str = _text("Name")
    version: int = _int("Version")
    handles: List[List[int]] = _gathered(lambda record, codec, values: [],
                                         lambda *args: None)
    module: Optional[str] = None


@_record
@dataclasses.dataclass
class AxisDescr:
    """One AXIS_DESCR of a characteristic (axis_points_mode: DEPOSIT, FIX_AXIS_PAR or
    FIX_AXIS_PAR_DIST, whose distance is fix_axis_par_shift)."""

    attribute: Optional[str] = _keyword("Attribute", c.AXIS_ATTRIBUTES)
    input_quantity: str = _text("InputQuantity")
    conversion: str = _text("Conversion")
    max_axis_points: int = _int("MaxAxisPoints")
    lower_limit: NumberText = _number("LowerLimit")
    upper_limit: NumberText = _number("UpperLimit")
    read_only: bool = _flag("ReadOnly")
    format: str = _text("Format")
    axis_pts_ref: str = _text("AxisPtsRef")
    extended_limits_lower: NumberText = _number("ExtendedLimitsLower")
    extended_limits_upper: NumberText = _number("ExtendedLimitsUpper")
    deposit_mode: Optional[str] = _keyword("DepositMode", c.DEPOSITS)
    axis_points_mode: Optional[str] = _keyword("AxisPointsMode", c.AXIS_POINTS_MODES)
    fix_axis_par_offset: int = _int("FixAxisParOffset")
    fix_axis_par_shift: int = _int("FixAxisParShift")
    fix_axis_par_numberapo: int = _int("FixAxisParNumberapo")


_AXES_OF_TYPE = {"CURVE": 1, "MAP": 2, "CUBOID": 3}


def _get_axes(record: Any, codec: Codec, values: Values) -> List[AxisDescr]:
    count = _AXES_OF_TYPE.get(values.get("type"), 0)  # type: ignore[arg-type]
    return [from_record(AxisDescr, record.Axes[i], codec) for i in range(count)]


def _put_axes(record: Any, value: Any, codec: Codec, values: Values) -> None:
    value = list(value or [])
    if len(value) > r.CHARACTERISTIC_AXES:
        raise ValueError("axes: at most %d" % r.CHARACTERISTIC_AXES)
    for i, axis in enumerate(value):
        if not isinstance(axis, AxisDescr):
            raise TypeError("axes: AxisDescr values are expected, not %r" % (axis,))
        record.Axes[i] = to_record(axis, r.TAxisDescr2, codec)


@_record
@dataclasses.dataclass
class Characteristic:
    """A CHARACTERISTIC (the extended record), with one AxisDescr per axis its type has
    (CURVE 1, MAP 2, CUBOID 3)."""

    name: str = _text("Name")
    long_identifier: str = _text("LongIdentifier")
    type: Optional[str] = _keyword("Type", c.CHARACTERISTIC_TYPES)
    address: Optional[int] = _unset("Address")
    deposit: str = _text("Deposit")
    max_diff: NumberText = _number("MaxDiff")
    conversion: str = _text("Conversion")
    lower_limit: NumberText = _number("LowerLimit")
    upper_limit: NumberText = _number("UpperLimit")
    format: str = _text("Format")
    byte_order: Optional[str] = _keyword("ByteOrder", c.BYTE_ORDERS)
    bit_mask: Optional[int] = _unset("BitMask")
    number: int = _int("Number")
    read_only: bool = _flag("ReadOnly")
    extended_limits_lower: NumberText = _number("ExtendedLimitsLower")
    extended_limits_upper: NumberText = _number("ExtendedLimitsUpper")
    max_refresh_scaling_unit: Optional[int] = _unset("MaxRefreshScalingUnit", -1)
    max_refresh_rate: int = _int("MaxRefreshRate")
    axes: List[AxisDescr] = _gathered(_get_axes, _put_axes)
    user_data: int = _int("UserData")
    module: Optional[str] = None


@_record
@dataclasses.dataclass
class AxisPts:
    """An AXIS_PTS."""

    name: str = _text("Name")
    long_identifier: str = _text("LongIdentifier")
    address: Optional[int] = _unset("Address")
    input_quantity: str = _text("InputQuantity")
    deposit: str = _text("Deposit")
    max_diff: NumberText = _number("MaxDiff")
    conversion: str = _text("Conversion")
    max_axis_points: int = _int("MaxAxisPoints")
    lower_limit: NumberText = _number("LowerLimit")
    upper_limit: NumberText = _number("UpperLimit")
    read_only: bool = _flag("ReadOnly")
    format: str = _text("Format")
    deposit_mode: Optional[str] = _keyword("DepositMode", c.DEPOSITS)
    byte_order: Optional[str] = _keyword("ByteOrder", c.BYTE_ORDERS)
    user_data: int = _int("UserData")
    module: Optional[str] = None


@_record
@dataclasses.dataclass
class Measurement:
    """A MEASUREMENT. A limit written in hexadecimal reads as NumberText('', 0.0)."""

    name: str = _text("Name")
    long_identifier: str = _text("LongIdentifier")
    data_type: Optional[str] = _keyword("DataType", c.DATA_TYPES)
    conversion: str = _text("Conversion")
    resolution: int = _int("Resolution")
    accuracy: NumberText = _number("Accuracy")
    lower_limit: NumberText = _number("LowerLimit")
    upper_limit: NumberText = _number("UpperLimit")
    format: str = _text("Format")
    array_size: int = _int("ArraySize")
    bit_mask: Optional[int] = _unset("BitMask")
    byte_order: Optional[str] = _keyword("ByteOrder", c.BYTE_ORDERS)
    max_refresh_scaling_unit: Optional[int] = _unset("MaxRefreshScalingUnit", -1)
    max_refresh_rate: int = _int("MaxRefreshRate")
    ecu_address: Optional[int] = _unset("EcuAddress")
    user_data: int = _int("UserData")
    module: Optional[str] = None


@_record
@dataclasses.dataclass
class Function:
    """A FUNCTION; its name lists come from A2LFile.function_lists."""

    name: str = _text("Name")
    long_identifier: str = _text("LongIdentifier")
    user_data: int = _int("UserData")
    module: Optional[str] = None


def _get_coeffs(record: Any, codec: Codec, values: Values) -> List[NumberText]:
    return [NumberText(codec.text(n.Text), n.Value) for n in record.Coeffs]


def _put_coeffs(record: Any, value: Any, codec: Codec, values: Values) -> None:
    value = list(value or [])
    if len(value) > 6:
        raise ValueError("coeffs: at most 6 (a to f)")
    for i, n in enumerate(value):
        _put_number(record.Coeffs[i], n, codec, "coeffs[%d]" % i)


@_record
@dataclasses.dataclass
class CompuMethod:
    """A COMPU_METHOD (the extended record with formula_inv); coeffs are a to f of COEFFS."""

    name: str = _text("Name")
    long_identifier: str = _text("LongIdentifier")
    conversion_type: Optional[str] = _keyword("ConversionType", c.CONVERSION_TYPES)
    format: str = _text("Format")
    unit: str = _text("Unit")
    formula: str = _text("Formula")
    formula_inv: str = _text("FormulaInv")
    coeffs: List[NumberText] = _gathered(_get_coeffs, _put_coeffs)
    compu_tab_ref: str = _text("CompuTabRef")
    user_data: int = _int("UserData")
    module: Optional[str] = None


@_record
@dataclasses.dataclass
class CompuTabPair:
    """One pair of a COMPU_TAB."""

    in_val: int = _int("InVal")
    out: NumberText = _number("Out")


@_record
@dataclasses.dataclass
class CompuVTabPair:
    """One pair of a COMPU_VTAB."""

    in_val: int = _int("InVal")
    out_text: str = _text("OutText")


PairLike = Union[CompuTabPair, CompuVTabPair, Sequence[Any]]


def _pair(cls: type[T], pair: Any) -> T:
    return pair if isinstance(pair, cls) else cls(*pair)


def _get_tab_pairs(record: Any, codec: Codec, values: Values) -> List[CompuTabPair]:
    count = max(0, min(record.NumberValuePairs, r.COMPU_TAB_PAIRS))
    return [from_record(CompuTabPair, record.Pairs[i], codec) for i in range(count)]


def _put_tab_pairs(record: Any, value: Any, codec: Codec, values: Values) -> None:
    value = list(value or [])
    if len(value) > r.COMPU_TAB_PAIRS:
        raise ValueError("pairs: a COMPU_TAB holds at most %d" % r.COMPU_TAB_PAIRS)
    record.NumberValuePairs = len(value)
    for i, pair in enumerate(value):
        record.Pairs[i] = to_record(_pair(CompuTabPair, pair), r.TCompuTabPair, codec)


def _put_vtab_pairs(record: Any, value: Any, codec: Codec, values: Values) -> None:
    # The record carries the first 20 pairs; A2LFile hands the whole list to
    # Ordex_ChangeACompuVTabsLargeVTab after the create or change.
    value = list(value or [])
    record.NumberValuePairs = len(value)
    for i, pair in enumerate(value[:r.COMPU_VTAB_PAIRS]):
        pair = _pair(CompuVTabPair, pair)
        record.Pairs[i].InVal = pair.in_val
        record.Pairs[i].OutText = codec.bytes(pair.out_text, limit=None)[:r.TEXT_SIZE - 1]


@_record
@dataclasses.dataclass
class CompuTab:
    """A COMPU_TAB (at most 256 pairs; a declared pair the file lacks reads as (0, ''))."""

    name: str = _text("Name")
    long_identifier: str = _text("LongIdentifier")
    conversion_type: Optional[str] = _keyword("ConversionType", c.CONVERSION_TYPES)
    pairs: List[CompuTabPair] = _gathered(_get_tab_pairs, _put_tab_pairs)
    default_value: str = _text("DefaultValue")
    user_data: int = _int("UserData")
    module: Optional[str] = None


@_record
@dataclasses.dataclass
class CompuVTab:
    """A COMPU_VTAB with all its pairs, whatever their number."""

    name: str = _text("Name")
    long_identifier: str = _text("LongIdentifier")
    conversion_type: Optional[str] = _keyword("ConversionType", c.CONVERSION_TYPES)
    pairs: List[CompuVTabPair] = _gathered(lambda record, codec, values: [], _put_vtab_pairs)
    default_value: str = _text("DefaultValue")
    user_data: int = _int("UserData")
    module: Optional[str] = None


@dataclasses.dataclass
class RecordLayoutElement:
    """One element of a record layout: data_type is a data type keyword (a RESERVED element:
    BYTE, WORD or LONG), index_mode the FNC_VALUES index mode or an axis's index
    increment."""

    position: int = 0
    data_type: Union[str, int, None] = None
    index_mode: Union[str, int, None] = None
    addressing: Union[str, int, None] = None
    max_number_of_rescale_pairs: int = 0


def _index_modes(kind: str) -> Tuple[str, ...]:
    if kind == "FNC_VALUES":
        return c.INDEX_MODES
    if kind.startswith(("AXIS_PTS_", "AXIS_RESCALE_")):
        return c.INDEX_INCREMENTS
    return ()


def _element(e: Any, kind: str, codec: Codec) -> RecordLayoutElement:
    reserved = kind == "RESERVED"
    return RecordLayoutElement(
        position=e.Position, data_type=c.keyword(c.DATA_SIZES if reserved else c.DATA_TYPES,
                                                 e.DataType),
        index_mode=c.keyword(_index_modes(kind), e.IndexMode),
        addressing=c.keyword(c.ADDRESSINGS, e.Addressing),
        max_number_of_rescale_pairs=e.MaxNumberOfRescalePairs)


def _put_element(target: Any, e: RecordLayoutElement, kind: str) -> None:
    reserved = kind == "RESERVED"
    target.Position = e.position
    target.DataType = c.keyword_index(c.DATA_SIZES if reserved else c.DATA_TYPES, e.data_type,
                                      kind + " data_type")
    target.IndexMode = c.keyword_index(_index_modes(kind), e.index_mode, kind + " index_mode")
    target.Addressing = c.keyword_index(c.ADDRESSINGS, e.addressing, kind + " addressing")
    target.MaxNumberOfRescalePairs = e.max_number_of_rescale_pairs


def _absent(target: Any) -> None:
    target.Position = 0
    target.DataType = target.IndexMode = target.Addressing = -1
    target.MaxNumberOfRescalePairs = 0


def _get_reserved(record: Any, codec: Codec, values: Values) -> List[RecordLayoutElement]:
    return [_element(e, "RESERVED", codec) for e in record.Reserved if e.Position > 0]


def _put_reserved(record: Any, value: Any, codec: Codec, values: Values) -> None:
    value = list(value or [])
    if len(value) > r.RECORD_LAYOUT_RESERVED:
        raise ValueError("reserved: at most %d" % r.RECORD_LAYOUT_RESERVED)
    for i in range(r.RECORD_LAYOUT_RESERVED):
        if i < len(value):
            _put_element(record.Reserved[i], value[i], "RESERVED")
        else:
            _absent(record.Reserved[i])


def _get_elements(record: Any, codec: Codec, values: Values) -> Dict[str, RecordLayoutElement]:
    return {kind: _element(record.Elements[k], kind, codec)
            for k, kind in enumerate(c.RECORD_LAYOUT_ELEMENTS) if record.Elements[k].Position > 0}


def _put_elements(record: Any, value: Any, codec: Codec, values: Values) -> None:
    value = dict(value or {})
    unknown = set(value) - set(c.RECORD_LAYOUT_ELEMENTS)
    if unknown:
        raise ValueError("elements: unknown kinds %s" % ", ".join(sorted(unknown)))
    for k, kind in enumerate(c.RECORD_LAYOUT_ELEMENTS):
        if kind in value:
            _put_element(record.Elements[k], value[kind], kind)
        else:
            _absent(record.Elements[k])


@_record
@dataclasses.dataclass
class RecordLayout:
    """A RECORD_LAYOUT (the full record): reserved lists the RESERVED elements in file
    order, elements maps each present element kind ('FNC_VALUES', 'AXIS_PTS_X', ...) to its
    RecordLayoutElement."""

    name: str = _text("Name")
    long_identifier: str = _text("LongIdentifier")
    reserved: List[RecordLayoutElement] = _gathered(_get_reserved, _put_reserved)
    elements: Dict[str, RecordLayoutElement] = _gathered(_get_elements, _put_elements, dict)
    fix_no_axis_pts_x: int = _int("FixNoAxisPtsX")
    fix_no_axis_pts_y: int = _int("FixNoAxisPtsY")
    fix_no_axis_pts_z: int = _int("FixNoAxisPtsZ")
    alignment_byte: int = _int("AlignmentByte")
    alignment_word: int = _int("AlignmentWord")
    alignment_long: int = _int("AlignmentLong")
    alignment_float32_ieee: int = _int("AlignmentFloat32Ieee")
    alignment_float64_ieee: int = _int("AlignmentFloat64Ieee")
    user_data: int = _int("UserData")
    module: Optional[str] = None


@_record
@dataclasses.dataclass
class VarCriterion:
    """A VAR_CRITERION of VARIANT_CODING."""

    name: str = _text("Name")
    long_identifier: str = _text("LongIdentifier")
    var_measurement: str = _text("VarMeasurement")
    var_selection_characteristic: str = _text("VarSelectionCharacteristic")
    module: Optional[str] = None


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

    value: Optional[float]
    text: str


A2LObject = Union[MemorySegment, SystemConstant, CalibrationMethod, Characteristic, AxisPts,
                  Measurement, Function, CompuMethod, CompuTab, CompuVTab, RecordLayout,
                  VarCriterion]
