"""A2LFile: one library instance holding a project read from a file or built by hand."""
from __future__ import annotations

import ctypes
import dataclasses
import os
import struct
from typing import Any, Callable, Dict, Iterator, List, Optional, Sequence, Tuple, Union

from . import _library
from . import codes as c
from . import errors
from . import findings
from . import objects as o
from . import records as r
from .errors import OrdexError
from .kept_blocks import KeptBlock, KeptKeyword, kept_summary, kept_tree

PathLike = Union[str, bytes, "os.PathLike[str]", "os.PathLike[bytes]"]
Kind = Union[str, type]  # "CHARACTERISTIC", "compu-vtabs", or a dataclass such as Measurement
Progress = Optional[Callable[[int], Any]]


@dataclasses.dataclass(frozen=True)
class _Kind:
    """How the binding reaches the objects of one kind."""

    keyword: str  # the A2L keyword, also the element type's name
    cls: type
    record: type
    get: str  # exported function names without "Ordex_"
    listing: Optional[str] = None  # the multi-string list operation; None: by enumerator
    create: Optional[str] = None
    change: Optional[str] = None
    remove: Optional[str] = None


_KINDS = {k.keyword: k for k in [
    _Kind("MEMORY_SEGMENT", o.MemorySegment, r.TMemorySegment, "GetMemorySegment",
          "GetMemorySegmentList", "CreateMemorySegment", "ChangeMemorySegment",
          "RemoveMemorySegment"),
    _Kind("CHARACTERISTIC", o.Characteristic, r.TCharacteristic2, "GetCharacteristic2",
          "GetCharacteristicList", "CreateCharacteristic2", "ChangeCharacteristic2",
          "RemoveCharacteristic"),
    _Kind("MEASUREMENT", o.Measurement, r.TMeasurement, "GetMeasurement", "GetMeasurementList",
          "CreateMeasurement", "ChangeMeasurement", "RemoveMeasurement"),
    _Kind("FUNCTION", o.Function, r.TFunction, "GetFunction", "GetFunctionList",
          "CreateFunction", "ChangeFunction", "RemoveFunction"),
    _Kind("COMPU_METHOD", o.CompuMethod, r.TCompuMethod2, "GetCompuMethod2",
          "GetCompuMethodList", "CreateCompuMethod2", "ChangeCompuMethod2", "RemoveCompuMethod"),
    _Kind("COMPU_TAB", o.CompuTab, r.TCompuTab, "GetCompuTab", "GetCompuTabList",
          "CreateCompuTab", "ChangeCompuTab", "RemoveCompuTab"),
    _Kind("COMPU_VTAB", o.CompuVTab, r.TCompuVTab, "GetCompuVTab", "GetCompuVTabList",
          "CreateCompuVTab", "ChangeCompuVTab", "RemoveCompuVTab"),
    _Kind("AXIS_PTS", o.AxisPts, r.TAxisPts, "GetAxisPts", "GetAxisPtsList", "CreateAxisPts",
          "ChangeAxisPts", "RemoveAxisPts"),
    _Kind("RECORD_LAYOUT", o.RecordLayout, r.TRecordLayout2, "GetRecordLayout2",
          "GetRecordLayoutList", "CreateRecordLayout2", "ChangeRecordLayout2",
          "RemoveRecordLayout"),
    _Kind("CALIBRATION_METHOD", o.CalibrationMethod, r.TCalibrationMethod,
          "GetCalibrationMethod"),
    _Kind("SYSTEM_CONSTANT", o.SystemConstant, r.TSystemConstant, "GetSystemConstant"),
    _Kind("VAR_CRITERION", o.VarCriterion, r.TVarCriterion, "GetVarCriterion"),
]}
_KIND_OF_CLASS = {k.cls: k for k in _KINDS.values()}

# (owner kind, list) -> (add-to function, remove-from function); the FUNCTION lists take
# names, IF_DATA takes IfData, ANNOTATION takes Annotation.
_MEMBER_LISTS = {
    ("FUNCTION", "DEF_CHARACTERISTIC"): ("AddToAFuncsDefChaList", "RemFromAFuncsDefChaList"),
    ("FUNCTION", "REF_CHARACTERISTIC"): ("AddToAFuncsRefChaList", "RemFromAFuncsRefChaList"),
    ("FUNCTION", "IN_MEASUREMENT"): ("AddToAFuncsInMeaList", "RemFromAFuncsInMeaList"),
    ("FUNCTION", "OUT_MEASUREMENT"): ("AddToAFuncsOutMeaList", "RemFromAFuncsOutMeaList"),
    ("FUNCTION", "LOC_MEASUREMENT"): ("AddToAFuncsLocMeaList", "RemFromAFuncsLocMeaList"),
    ("FUNCTION", "SUB_FUNCTION"): ("AddToAFuncsSubFuncList", "RemFromAFuncsSubFuncList"),
    ("FUNCTION", "AXIS_PTS"): ("AddToAAxisPtsFuncList", "RemFromAFuncsAxisPtsList"),
    ("MEMORY_SEGMENT", "IF_DATA"): ("AddToAMemSegsIfDataList", "RemFromAMemSegsIfDataList"),
    ("CHARACTERISTIC", "IF_DATA"): ("AddToAChasIfDataList", "RemFromAChasIfDataList"),
    ("MEASUREMENT", "IF_DATA"): ("AddToAMeasIfDataList", "RemFromAMeasIfDataList"),
    ("AXIS_PTS", "IF_DATA"): ("AddToAAxisPtsIfDataList", "RemFromAAxisPtsIfDataList"),
    ("CHARACTERISTIC", "ANNOTATION"): ("AddToAChasAnnotatList", None),
    ("MEASUREMENT", "ANNOTATION"): ("AddToAMeasAnnotatList", None),
}
_FUNCTION_LISTS = [("DEF_CHARACTERISTIC", "GetAFuncsNextDefChaName"),
                   ("REF_CHARACTERISTIC", "GetAFuncsNextRefChaName"),
                   ("IN_MEASUREMENT", "GetAFuncsNextInMeaName"),
                   ("OUT_MEASUREMENT", "GetAFuncsNextOutMeaName"),
                   ("LOC_MEASUREMENT", "GetAFuncsNextLocMeaName"),
                   ("SUB_FUNCTION", "GetAFuncsNextSubFuncName"),
                   ("AXIS_PTS", "GetAFuncsNextAxisPtsName")]
_IF_DATA_WALKS = {"MEMORY_SEGMENT": "GetAMemSegsNextIfData", "CHARACTERISTIC": "GetAChasNextIfData",
                  "MEASUREMENT": "GetAMeasNextIfData", "AXIS_PTS": "GetAAxisPtsNextIfData"}
_ANNOTATION_WALKS = {"CHARACTERISTIC": "GetAChasNextAnnotation",
                     "MEASUREMENT": "GetAMeasNextAnnotation",
                     "AXIS_PTS": "GetAAxisPtsNextAnnotation"}
_PUBLISHERS = {"CHARACTERISTIC": "GetAChasPublishingFunc",
               "MEASUREMENT": "GetAMeasPublishingFunc", "FUNCTION": "GetAFuncsPublishingFunc"}

# Marks a physical value that the conversion left unwritten (a table's default text): a NaN
# with a payload no conversion produces.
_UNSET = struct.unpack("<d", struct.pack("<Q", 0x7FF8DEADBEEF0001))[0]
_UNSET_BITS = struct.pack("<d", _UNSET)


def _kind_name(kind: Kind) -> str:
    """The keyword of a kind given as a dataclass or in any form a user writes it
    ("COMPU_VTAB", "compu-vtab", "compu_vtabs")."""
    if isinstance(kind, type) and kind in _KIND_OF_CLASS:
        return _KIND_OF_CLASS[kind].keyword
    name = str(kind).upper().replace("-", "_").replace(" ", "_")
    known = set(c.ELEMENT_TYPES) | set(_KINDS)
    if name not in known and name.endswith("S") and name[:-1] in known:
        name = name[:-1]
    return name


def library_path() -> str:
    """The path of the default library (loading it when no library is loaded yet)."""
    return _library.load().path


def configure_string_comparison(ignore_case: bool, library: Optional[str] = None) -> None:
    """Process-wide: names are looked up byte for byte (False) or ignoring the case of the
    ASCII letters (True)."""
    _library.load(library).ConfigureStringComparison(1 if ignore_case else 0)


class _Callback:
    """A Python callable behind a C callback: an exception stops the operation (the
    callback answers non-zero) and is raised again once the call has returned."""

    def __init__(self, function: Optional[Callable[..., Any]], wrap: Any) -> None:
        self.function = function
        self.error: Optional[BaseException] = None
        self.c_function = wrap(self._call) if function else ctypes.cast(None, wrap)  # type: ignore[arg-type]

    def _call(self, *args: Any) -> int:
        if self.error is not None:
            return 1
        try:
            return self._answer(self.function(*args))  # type: ignore[misc]
        except BaseException as e:  # noqa: B036 - handed back to the caller
            self.error = e
            return 1

    def _answer(self, result: Any) -> int:
        return 1 if result else 0

    def reraise(self) -> None:
        if self.error is not None:
            raise self.error


class _ProgressCallback(_Callback):
    """A progress callback stops the operation by answering true."""

    def __init__(self, function: Optional[Callable[..., Any]]) -> None:
        super().__init__(function, _library.ProgressCallback)


class _ElementCallback(_Callback):
    _KIND_NAMES = {v: k for k, v in c.ELEMENT_TYPES.items()}

    def __init__(self, function: Optional[Callable[..., Any]]) -> None:
        super().__init__(function, _library.ElementCallback)

    def _call(self, kind: int, user_data: int) -> int:  # type: ignore[override]
        return super()._call(self._KIND_NAMES.get(kind, kind), user_data)


_PRESERVE_INLINE_INCLUDES = 0x1


class A2LFile:
    """One library instance and its project.

    ``A2LFile.open(path)`` reads a file; ``A2LFile()`` starts empty (``create(Project(...))``
    then builds a project). Use it as a context manager or call ``close()``. Texts are
    decoded with ``encoding`` and ``errors`` (default: UTF-8 with surrogateescape, which
    gives back every byte unchanged when written again).

    The library keeps process-wide state (the name comparison mode and the positions of its
    enumerators): use instances from one thread at a time.
    """

    def __init__(self, path: Optional[PathLike] = None, *, library: Optional[str] = None,
                 encoding: str = "utf-8", errors: str = "surrogateescape",
                 progress: Progress = None) -> None:
        self._lib = _library.load(library)
        self._codec = o.Codec(encoding, errors)
        self._instance = ctypes.c_void_p()
        self._conversion_text_sizes: Dict[Tuple[Optional[bytes], Optional[bytes]],
                                          Tuple[int, int]] = {}
        self._longest_verbal_texts: Dict[Tuple[Optional[bytes], Optional[bytes]], int] = {}
        self._check(self._lib.CreateInstance(ctypes.byref(self._instance)), "create instance")
        if path is not None:
            try:
                self.read(path, progress=progress)
            except BaseException:
                self.close()
                raise

    @classmethod
    def open(cls, path: PathLike, **options: Any) -> A2LFile:
        """Reads the A2L file path (with its /include files) into a new instance."""
        return cls(path, **options)

    # -- lifecycle --------------------------------------------------------------------------

    def close(self) -> None:
        """Frees the instance and its project; later calls raise ClosedError (rcNoInstance)."""
        if self._instance:
            self._lib.DestroyInstance(self._instance)
            self._instance = ctypes.c_void_p()

    def __enter__(self) -> A2LFile:
        return self

    def __exit__(self, *exc: Any) -> None:
        self.close()

    def __del__(self) -> None:
        try:
            self.close()
        except Exception:  # noqa: BLE001 - interpreter shutdown
            pass

    @property
    def library(self) -> _library.Library:
        """The loaded library (its ``path``)."""
        return self._lib

    def _check(self, rc: int, operation: str, detail: Optional[str] = None,
               path: Optional[str] = None) -> int:
        if rc != c.RETURN_CODES["rcOk"]:
            if rc == c.RETURN_CODES["rcModuleNotFound"] and detail is None:
                detail = self._module_choice()
            raise errors.error(rc, operation, detail=detail, path=path)
        return rc

    def _module_choice(self) -> Optional[str]:
        """Which modules there are to choose from, for a failure that did not find one."""
        try:
            names = self.module_names()
        except OrdexError:
            return None
        if not names:
            return "the project holds no module"
        return "the project holds the module%s %s; name one with module=" % (
            "s" if len(names) > 1 else "", ", ".join(names))

    def _bytes(self, text: Optional[str], what: str = "name",
               limit: Optional[int] = r.TEXT_SIZE) -> Optional[bytes]:
        return None if text is None else self._codec.bytes(text, limit=limit, what=what)

    def _text(self, raw: Optional[bytes]) -> str:
        return self._codec.text(raw)

    def _edited(self) -> None:
        self._conversion_text_sizes.clear()
        self._longest_verbal_texts.clear()

    # -- reading and writing ----------------------------------------------------------------

    def read(self, path: PathLike, progress: Progress = None) -> None:
        """Reads path into this instance, replacing its project. progress(percent) is called
        at every /begin with the share of the top file read; a true answer stops the read
        (rcAbortedByCallback). A failure raises OrdexError with the read error report: a
        FileOpenError (a FileNotFoundError) for a file that cannot be opened, an
        InvalidArgumentError (a ValueError) for text the reader cannot take."""
        callback = _ProgressCallback(progress)
        self._edited()
        rc = self._lib.ReadAsapFile(self._instance, os.fsencode(path), None, callback.c_function)
        callback.reraise()
        if rc != 0:
            name = os.fsdecode(path)
            raise errors.error(rc, "read %s" % name, report=self.read_error(), path=name,
                               failure=self.read_failure())

    def read_failure(self) -> Dict[str, Any]:
        """Where the last read failed, as the fields of OrdexError name them (file, line,
        column, token, expected, object_path, source_line, block_file, block_line,
        block_column); code 0 and empty texts after a read that succeeded."""
        record = r.TReadFailure()
        self._lib.GetReadFailure(self._instance, ctypes.byref(record))
        return {
            "code": record.ReturnCode,
            "file": os.fsdecode(record.File),
            "line": record.Line,
            "column": record.Column,
            "token": self._text(record.Token),
            "expected": self._text(record.Expected),
            "object_path": self._text(record.ObjectPath),
            "source_line": self._text(record.SourceLine),
            "block_file": os.fsdecode(record.BlockFile),
            "block_line": record.BlockLine,
            "block_column": record.BlockColumn,
        }

    def read_error(self) -> str:
        """The error report of the last read ("No error detected" after a good one)."""
        buffer = ctypes.create_string_buffer(2048)
        self._lib.GetReadAsapFileError(self._instance, buffer, len(buffer))
        return self._text(buffer.value)

    def write(self, path: PathLike, module: Optional[str] = None,
              template: Optional[PathLike] = None, comment: str = "", progress: Progress = None,
              include: Optional[Callable[[str, int], Any]] = None, *, canonical: bool = False,
              inline_includes: bool = False) -> None:
        """Writes the project as an A2L file. By default the file keeps the text it was read
        from: what was not edited comes out byte for byte, with every block and comment the
        library does not model, an edited object changes only where it was edited, and
        included files are written beside path under their /include names when they
        changed or path is in another folder (inline_includes=True writes one file).
        canonical=True writes the library's fixed layout instead (as a project made without
        a read always is). Only the module named module (exactly) when given, MOD_PAR from
        the template file when given, comment as a comment line (canonical: in the head).
        include(kind, user_data) -> bool may leave objects out (kind is the keyword, such as
        "CHARACTERISTIC"); progress(percent) as for read, a true answer ends the current
        module."""
        progress_callback = _ProgressCallback(progress)
        element_callback = _ElementCallback(include)
        arguments = (self._instance, os.fsencode(path), self._bytes(module, "module"),
                     None if template is None else os.fsencode(template),
                     self._codec.bytes(comment or "", limit=None, what="comment"),
                     element_callback.c_function, progress_callback.c_function)
        if canonical:
            rc = self._lib.WriteAsapFile(*arguments)
        else:
            flags = _PRESERVE_INLINE_INCLUDES if inline_includes else 0
            rc = self._lib.WriteAsapFilePreserving(*arguments, flags, None)
        progress_callback.reraise()
        element_callback.reraise()
        self._check(rc, "write %s" % os.fsdecode(path), path=os.fsdecode(path))

    @staticmethod
    def file_head(path: PathLike, library: Optional[str] = None) -> Tuple[int, int, str]:
        """The ASAP2_VERSION numbers and the first comment line of a file's head, without
        reading the file: (version, upgrade, comment)."""
        lib = _library.load(library)
        version, upgrade = ctypes.c_int(), ctypes.c_int()
        comment = ctypes.create_string_buffer(r.TEXT_SIZE)
        rc = lib.GetAsapFilePreInfo(os.fsencode(path), ctypes.byref(version),
                                    ctypes.byref(upgrade), comment)
        if rc != 0:
            raise errors.error(rc, "file head of %s" % os.fsdecode(path), path=os.fsdecode(path))
        return version.value, upgrade.value, o.Codec().text(comment.value)

    # -- project and modules ----------------------------------------------------------------

    @property
    def project(self) -> o.Project:
        """The Project record."""
        record = r.TProject()
        self._check(self._lib.GetProject(self._instance, ctypes.byref(record), 0), "project")
        return o.from_record(o.Project, record, self._codec)

    def module_names(self, pattern: Optional[str] = None) -> List[str]:
        """The names of the project's modules, in file order."""
        return self._walk_names(lambda buf: self._lib.GetNextModuleName(
            self._instance, buf, self._bytes(pattern, "pattern")), "modules")

    def module(self, name: Optional[str] = None) -> o.Module:
        """The Module record of the module name (None: the only module)."""
        record = r.TModule()
        if name:
            record.Name = self._bytes(name)
        self._check(self._lib.GetModule(self._instance, ctypes.byref(record), 0),
                    "module %s" % (name or ""))
        return o.from_record(o.Module, record, self._codec)

    def modules(self) -> List[o.Module]:
        """Every Module record."""
        return [self.module(name) for name in self.module_names()]

    def count(self, kinds: Union[Kind, Sequence[Kind]], module: Optional[str] = None) -> int:
        """The number of objects of the kinds given (keywords, such as "CHARACTERISTIC")."""
        if isinstance(kinds, (str, type)):
            kinds = [kinds]
        mask = 0
        for kind in kinds:
            mask |= c.ELEMENT_TYPES[_kind_name(kind)]
        n = ctypes.c_int()
        self._check(self._lib.GetNumObjects(self._instance, self._bytes(module, "module"), mask,
                                            ctypes.byref(n)), "count")
        return n.value

    def _modules_of(self, module: Optional[str]) -> List[str]:
        return [module] if module is not None else self.module_names()

    # -- objects ----------------------------------------------------------------------------

    def _kind(self, kind: Kind) -> _Kind:
        name = _kind_name(kind)
        if name not in _KINDS:
            raise ValueError("unknown kind %r; kinds: %s" % (kind, ", ".join(sorted(_KINDS))))
        return _KINDS[name]

    def names(self, kind: Kind, module: Optional[str] = None,
              pattern: Optional[str] = None) -> List[str]:
        """The names of the objects of one kind ("CHARACTERISTIC", ...) in list order: of the
        module given, else of every module. pattern: "*" and "?" wildcards."""
        k = self._kind(kind)
        names = []
        for m in self._modules_of(module):
            names.extend(self._names_in(k, m, pattern))
        return names

    def _names_in(self, k: _Kind, module: Optional[str], pattern: Optional[str]) -> List[str]:
        m = self._bytes(module, "module")
        p = self._bytes(pattern, "pattern")
        if k.keyword == "CALIBRATION_METHOD":
            return self._walk_names(lambda buf: self._lib.GetNextCalibrationMethodName(
                self._instance, m, buf, p), "calibration methods")
        if k.keyword == "SYSTEM_CONSTANT":
            return [sc.name for sc in self._system_constants(module)]
        if k.keyword == "VAR_CRITERION":
            return self._walk_names(lambda buf: self._lib.GetNextVarCriterionName(
                self._instance, m, buf, p), "variant criteria")
        # A list resumed after a name starts behind the first record of that name, so
        # paging would repeat duplicate names for ever: the buffer grows instead until a
        # call leaves room for one more name of the longest kind.
        listing = getattr(self._lib, k.listing or "")
        size = 1 << 16
        while True:
            buffer = ctypes.create_string_buffer(size)
            self._check(listing(self._instance, m, buffer, size, None, p),
                        "list %s" % k.keyword)
            chunk = buffer.raw.split(b"\0\0", 1)[0] if buffer.raw[0] else b""
            if len(chunk) + 1 + r.TEXT_SIZE + 4 <= size:
                return [self._text(n) for n in chunk.split(b"\0")] if chunk else []
            size *= 2

    def _walk_names(self, step: Callable[[Any], int], operation: str) -> List[str]:
        names: List[str] = []
        buffer = ctypes.create_string_buffer(r.TEXT_SIZE)
        while True:
            self._check(step(buffer), operation)
            if not buffer.value:
                return names
            names.append(self._text(buffer.value))

    def get(self, kind: Kind, name: str, module: Optional[str] = None) -> Any:
        """The object of one kind named name (the first of that name). Raises NotFoundError
        (a KeyError) with the kind's not-found code when there is none."""
        k = self._kind(kind)
        return self._get(k, name, module)

    def _get(self, k: _Kind, name: str, module: Optional[str]) -> Any:
        record = k.record()
        record.Name = self._bytes(name)
        m = self._bytes(module, "module")
        self._check(getattr(self._lib, k.get)(self._instance, m, ctypes.byref(record), 0),
                    "%s %s" % (k.keyword, name))
        extra: Dict[str, Any] = {"module": module if module is not None else self._only_module()}
        if k.cls is o.CompuVTab:
            extra["pairs"] = self._vtab_pairs(m, record.Name, record.NumberValuePairs)
        elif k.cls is o.CalibrationMethod:
            extra["handles"] = self._handles(m, record.Name, record.HandleCount)
        return o.from_record(k.cls, record, self._codec, **extra)

    def _only_module(self) -> Optional[str]:
        names = self.module_names()
        return names[0] if len(names) == 1 else None

    def exists(self, kind: Kind, name: str, module: Optional[str] = None) -> bool:
        """Whether an object of that kind and name exists."""
        k = self._kind(kind)
        record = k.record()
        record.Name = self._bytes(name)
        rc = getattr(self._lib, k.get)(self._instance, self._bytes(module, "module"),
                                       ctypes.byref(record), 1)
        return rc == 0

    def objects(self, kind: Optional[Kind] = None, module: Optional[str] = None,
                pattern: Optional[str] = None) -> Iterator[Any]:
        """Yields the objects of one kind (every kind when None) as dataclasses: of the module
        given, else of every module, each kind in list order."""
        kinds = [self._kind(kind)] if kind is not None else list(_KINDS.values())
        for m in self._modules_of(module):
            for k in kinds:
                for name in self._names_in(k, m, pattern):
                    yield self._get(k, name, m)

    def to_records(self, kind: Kind, module: Optional[str] = None,
                   pattern: Optional[str] = None) -> List[Dict[str, Any]]:
        """The objects of one kind as dict rows (see objects.as_row: a number with its text
        gives its value), such as ``pandas.DataFrame(a2l.to_records("MEASUREMENT"))`` takes."""
        return [o.as_row(obj) for obj in self.objects(kind, module, pattern)]

    def _vtab_pairs(self, module: Optional[bytes], name: Optional[bytes],
                    count: int) -> List[o.CompuVTabPair]:
        if count <= 0:
            return []
        entries = (r.TCompuVTabEntry * count)()
        self._check(self._lib.GetACompuVTabsLargeVTab(self._instance, module, name, entries),
                    "pairs of COMPU_VTAB %s" % self._text(name))
        return [o.CompuVTabPair(e.InVal, self._text(e.OutText)) for e in entries]

    def _handles(self, module: Optional[bytes], name: Optional[bytes],
                 count: int) -> List[List[int]]:
        handles = []
        for h in range(count):
            n = ctypes.c_int()
            self._check(self._lib.GetCalibrationHandleNumValues(self._instance, module, name, h,
                                                                ctypes.byref(n)),
                        "calibration handle")
            values = (ctypes.c_int * max(n.value, 1))()
            self._check(self._lib.GetCalibrationHandleValues(self._instance, module, name, h,
                                                             n.value, values),
                        "calibration handle")
            handles.append([v & 0xFFFFFFFF for v in values[:n.value]])
        return handles

    def _system_constants(self, module: Optional[str]) -> List[o.SystemConstant]:
        record = r.TSystemConstant()
        m = self._bytes(module, "module")
        found: List[Any] = []
        while True:
            self._check(self._lib.GetNextSystemConstant(self._instance, m, ctypes.byref(record)),
                        "system constants")
            if not record.Name:
                return found
            found.append(o.from_record(o.SystemConstant, record, self._codec, module=module))

    # Shortcuts, one per kind.
    def blocks(self, kind: Optional[Kind] = None, name: Optional[str] = None,
               module: Optional[str] = None) -> List[KeptBlock]:
        """What the file holds beyond the records, as trees of KeptBlock: of a module (kind
        None or "MODULE"), of the text outside the modules ("PROJECT"), or of one object
        (kind and name, such as "CHARACTERISTIC", "Map"). Empty for a file read without its
        text, and for what was made by edits."""
        keyword = _kind_name(kind) if kind is not None else "MODULE"
        if keyword not in c.ELEMENT_TYPES:
            raise errors.error(c.RETURN_CODES["rcInvalidArgument"], "kept blocks",
                               detail="unknown kind %r" % (kind,))
        return kept_tree(self._lib, self._instance, self._bytes(module, "module"),
                         c.ELEMENT_TYPES[keyword], self._bytes(name), self._check, self._text)

    def kept_summary(self) -> List[KeptKeyword]:
        """What the whole read kept but the records do not hold, one KeptKeyword per keyword
        (its count and first place), in the order of first occurrence. Empty for a file read
        without its text."""
        return kept_summary(self._lib, self._instance, self._check, self._text)

    def characteristics(self, module: Optional[str] = None, pattern: Optional[str] = None) -> Iterator[o.Characteristic]:
        return self.objects("CHARACTERISTIC", module, pattern)

    def characteristic(self, name: str, module: Optional[str] = None) -> o.Characteristic:
        return self.get("CHARACTERISTIC", name, module)  # type: ignore[no-any-return]

    def measurements(self, module: Optional[str] = None, pattern: Optional[str] = None) -> Iterator[o.Measurement]:
        return self.objects("MEASUREMENT", module, pattern)

    def measurement(self, name: str, module: Optional[str] = None) -> o.Measurement:
        return self.get("MEASUREMENT", name, module)  # type: ignore[no-any-return]

    def axis_pts(self, module: Optional[str] = None, pattern: Optional[str] = None) -> Iterator[o.AxisPts]:
        return self.objects("AXIS_PTS", module, pattern)

    def functions(self, module: Optional[str] = None, pattern: Optional[str] = None) -> Iterator[o.Function]:
        return self.objects("FUNCTION", module, pattern)

    def function(self, name: str, module: Optional[str] = None) -> o.Function:
        return self.get("FUNCTION", name, module)  # type: ignore[no-any-return]

    def compu_methods(self, module: Optional[str] = None, pattern: Optional[str] = None) -> Iterator[o.CompuMethod]:
        return self.objects("COMPU_METHOD", module, pattern)

    def compu_method(self, name: str, module: Optional[str] = None) -> o.CompuMethod:
        return self.get("COMPU_METHOD", name, module)  # type: ignore[no-any-return]

    def compu_tabs(self, module: Optional[str] = None, pattern: Optional[str] = None) -> Iterator[o.CompuTab]:
        return self.objects("COMPU_TAB", module, pattern)

    def compu_vtabs(self, module: Optional[str] = None, pattern: Optional[str] = None) -> Iterator[o.CompuVTab]:
        return self.objects("COMPU_VTAB", module, pattern)

    def record_layouts(self, module: Optional[str] = None, pattern: Optional[str] = None) -> Iterator[o.RecordLayout]:
        return self.objects("RECORD_LAYOUT", module, pattern)

    def memory_segments(self, module: Optional[str] = None, pattern: Optional[str] = None) -> Iterator[o.MemorySegment]:
        return self.objects("MEMORY_SEGMENT", module, pattern)

    def calibration_methods(self, module: Optional[str] = None, pattern: Optional[str] = None) -> Iterator[o.CalibrationMethod]:
        return self.objects("CALIBRATION_METHOD", module, pattern)

    def system_constants(self, module: Optional[str] = None) -> List[o.SystemConstant]:
        """The SYSTEM_CONSTANTs of the module given, else of every module, in file order."""
        found: List[Any] = []
        for m in self._modules_of(module):
            found.extend(self._system_constants(m))
        return found

    # -- members of one object --------------------------------------------------------------

    def function_lists(self, function: str, module: Optional[str] = None) -> Dict[str, List[str]]:
        """The name lists of a FUNCTION: a dict from DEF_CHARACTERISTIC, REF_CHARACTERISTIC,
        IN_MEASUREMENT, OUT_MEASUREMENT, LOC_MEASUREMENT, SUB_FUNCTION and AXIS_PTS to the
        names in file order."""
        m, f = self._bytes(module, "module"), self._bytes(function)
        lists = {}
        for keyword, name in _FUNCTION_LISTS:
            walk = getattr(self._lib, name)
            lists[keyword] = self._walk_names(
                lambda buf, walk=walk: walk(self._instance, m, f, buf),  # type: ignore[misc]
                "%s of FUNCTION %s" % (keyword, function))
        return lists

    def virtuals(self, measurement: str, module: Optional[str] = None) -> List[str]:
        """The VIRTUAL names of a MEASUREMENT."""
        m, n = self._bytes(module, "module"), self._bytes(measurement)
        return self._walk_names(lambda buf: self._lib.GetAMeasNextVirtual(
            self._instance, m, n, buf), "VIRTUAL of MEASUREMENT %s" % measurement)

    def if_data(self, kind: Kind, name: Optional[str] = None,
                module: Optional[str] = None) -> List[o.IfData]:
        """The IF_DATA entries of a MODULE (name: the module, None the only one), or of a
        MEMORY_SEGMENT, CHARACTERISTIC, MEASUREMENT or AXIS_PTS, as IfData values."""
        kind = _kind_name(kind)
        record = r.TIfDataRecord()
        found: List[Any] = []
        if kind == "MODULE":
            m = self._bytes(name if name is not None else module, "module")
            step = lambda: self._lib.GetAModulesNextIfData(self._instance, m,  # noqa: E731
                                                          ctypes.byref(record))
        elif kind in _IF_DATA_WALKS:
            m, n = self._bytes(module, "module"), self._bytes(name)
            walk = getattr(self._lib, _IF_DATA_WALKS[kind])
            step = lambda: walk(self._instance, m, n, ctypes.byref(record))  # noqa: E731
        else:
            raise ValueError("IF_DATA belongs to MODULE, %s" % ", ".join(_IF_DATA_WALKS))
        while True:
            self._check(step(), "IF_DATA of %s %s" % (kind, name or ""))
            if not record.Name:
                return found
            found.append(o.IfData(self._text(record.Name), self._text(record.Content)))

    def annotations(self, kind: Kind, name: str, module: Optional[str] = None,
                    axis: Optional[int] = None) -> List[o.Annotation]:
        """The annotations of a CHARACTERISTIC (with axis 0 to 2: of that AXIS_DESCR), a
        MEASUREMENT or an AXIS_PTS, as Annotation values. Texts come whole up to 2047 bytes
        and up to the longest annotation text the reader met."""
        kind = _kind_name(kind)
        if kind not in _ANNOTATION_WALKS or (axis is not None and kind != "CHARACTERISTIC"):
            raise ValueError("annotations belong to %s (axes: CHARACTERISTIC)"
                             % ", ".join(_ANNOTATION_WALKS))
        m, n = self._bytes(module, "module"), self._bytes(name)
        size = ctypes.c_int()
        self._check(self._lib.GetMaxAnnotationTextSize(self._instance, m, ctypes.byref(size)),
                    "annotation text size")
        # The form with the caller's buffer cuts texts to the size the reader saw; the fixed
        # record holds 2047 bytes. Take whichever holds more.
        whole = size.value > r.ANNOTATION_TEXT_SIZE
        record: Any
        if whole:
            buffer = ctypes.create_string_buffer(size.value)
            record = r.TAnnotationRecord2()
            record.Text = ctypes.cast(buffer, ctypes.c_char_p)
            suffix = "2"
        else:
            record = r.TAnnotationRecord()
            suffix = ""
        if axis is None:
            walk = getattr(self._lib, _ANNOTATION_WALKS[kind] + suffix)
            step = lambda: walk(self._instance, m, n, ctypes.byref(record))  # noqa: E731
        else:
            walk = getattr(self._lib, "GetAnAxisDescrsNextAnnotation" + suffix)
            step = lambda: walk(self._instance, m, n, axis, ctypes.byref(record))  # noqa: E731
        found: List[Any] = []
        while True:
            self._check(step(), "annotations of %s %s" % (kind, name))
            text = buffer.value if whole else record.Text
            if not record.Label and not record.Origin and not text:
                return found
            found.append(o.Annotation(self._text(record.Label), self._text(record.Origin),
                                      self._text(text)))

    # -- references -------------------------------------------------------------------------

    def reference_finder(self, mode: int = 0xF, stop_on_error: bool = False,
                         progress: Progress = None) -> bool:
        """Runs the reference finder (mode bits: 0x1 objects find their functions, 0x2
        functions resolve their lists, 0x4 measurements their COMPU_METHOD, 0x8 compu methods
        their table). Returns False when progress stopped it."""
        callback = _ProgressCallback(progress)
        total = 0
        if progress:
            # The finder counts one step per characteristic, measurement and function of the
            # object-side pass and one per function of the function-side pass.
            for m in self.module_names():
                if mode & 0x1:
                    total += self.count(["CHARACTERISTIC", "MEASUREMENT", "FUNCTION"], m)
                if mode & 0x2:
                    total += self.count("FUNCTION", m)
        rc = self._lib.ReferenceFinder(self._instance, mode, 1 if stop_on_error else 0, total,
                                       callback.c_function)
        callback.reraise()
        if rc == c.RETURN_CODES["rcAbortedByCallback"]:
            return False
        self._check(rc, "reference finder")
        return True

    def publishing_function(self, kind: Kind, name: str,
                            module: Optional[str] = None) -> Optional[str]:
        """The function that lists a CHARACTERISTIC in DEF_CHARACTERISTIC, a MEASUREMENT in
        OUT_MEASUREMENT, or a FUNCTION in SUB_FUNCTION; None until the reference finder has
        linked one."""
        kind = _kind_name(kind)
        if kind not in _PUBLISHERS:
            raise ValueError("publishing functions belong to %s" % ", ".join(_PUBLISHERS))
        out = ctypes.create_string_buffer(r.TEXT_SIZE)
        self._check(getattr(self._lib, _PUBLISHERS[kind])(
            self._instance, self._bytes(module, "module"), self._bytes(name), out),
            "publishing function of %s %s" % (kind, name))
        return self._text(out.value) or None

    def referrers(self, name, module=None):
        """Every object of the module (None: the only one) that refers to name, as Referrer
        values (keyword, name, field, targets) in the library's order; also when no object
        is named so."""
        found = []
        callback = _library.ReferrerCallback(lambda record, _: found.append(
            findings.referrer_from_record(record.contents, self._text, c.ELEMENT_TYPES)) or 0)
        self._check(self._lib.GetReferrers(self._instance, self._bytes(module, "module"),
                                           self._bytes(name), callback, None),
                    "referrers of %s" % name)
        return found

    def check(self, module=None, notes=False):
        """Runs the library's consistency check on the module given, else on every module,
        and returns its findings as Finding values (errors and warnings; notes too when
        notes is true). Raises OrdexError (rcNoProject) when nothing was read, such as after
        reading an empty file."""
        found = []
        callback = _library.FindingCallback(lambda record, _: found.append(
            findings.finding_from_record(record.contents, self._text)) or 0)
        minimum = findings.SEVERITIES["note" if notes else "warning"]
        self._check(self._lib.CheckConsistency(self._instance, self._bytes(module, "module"),
                                               minimum, callback, None), "check")
        return found

    # -- conversion -------------------------------------------------------------------------

    def convert(self, measurement: str, raw: bytes, module: Optional[str] = None,
                separator: str = ".") -> o.Conversion:
        """Converts the raw bytes of a MEASUREMENT with its data type, byte order, bit mask
        and COMPU_METHOD (names compared exactly). Returns Conversion(value, text); value is
        None when only a table's default text applies. Too few bytes raise OrdexError
        (rcBadSize); a conversion that cannot be done raises OrdexError with the library's
        reason as its detail."""
        raw = bytes(raw)
        if not isinstance(separator, str) or len(separator.encode("latin-1")) != 1:
            raise ValueError("separator: one character")
        m = self._bytes(module, "module")
        name = self._bytes(measurement)
        needed, text_size = self._conversion_sizes(m, name)
        if len(raw) < needed:
            raise errors.error(c.RETURN_CODES["rcBadSize"], "convert %s" % measurement,
                               detail="%d bytes needed, %d given" % (needed, len(raw)))
        value = ctypes.c_double(_UNSET)
        text = ctypes.create_string_buffer(text_size)
        raw_buffer = ctypes.create_string_buffer(raw, max(len(raw), 1))
        rc = self._lib.RawToPhysMeasurement(self._instance, m, name, raw_buffer,
                                            separator.encode("latin-1"), ctypes.byref(value), text)
        if rc != c.RETURN_CODES["rcOk"]:
            reason = ctypes.create_string_buffer(512)
            self._lib.GetLastConversionError(reason, len(reason))
            raise OrdexError(rc, "convert %s" % measurement,
                             detail=self._text(reason.value) or None)
        unset = bytes(value) == _UNSET_BITS
        return o.Conversion(None if unset else value.value, self._text(text.value))

    def _conversion_sizes(self, module: Optional[bytes],
                          name: Optional[bytes]) -> Tuple[int, int]:
        """Bytes the conversion reads, and a text buffer that holds whatever it writes: the
        number, a blank and the unit; 3 characters per STRING byte; the longest text of a
        verbal table."""
        key = (module, name)
        if key not in self._conversion_text_sizes:
            record = r.TMeasurement()
            record.Name = name
            self._check(self._lib.GetMeasurement(self._instance, module, ctypes.byref(record), 0),
                        "convert %s" % self._text(name))
            size = self._lib.GetDataSizeByDataType(record.DataType)
            needed = max(record.Resolution, 0) if size == 0 else max(size, 0)
            text_size = 1024 + 3 * max(record.Resolution, 0)
            method = r.TCompuMethod2()
            method.Name = record.Conversion
            if self._lib.GetCompuMethod2(self._instance, module, ctypes.byref(method), 0) == 0:
                text_size += len(method.CompuTabRef) + 1
                vtab = r.TCompuVTab()
                vtab.Name = method.CompuTabRef
                if self._lib.GetCompuVTab(self._instance, module, ctypes.byref(vtab), 0) == 0:
                    pairs = self._vtab_pairs(module, vtab.Name, vtab.NumberValuePairs)
                    longest = max([len(self._codec.bytes(p.out_text, limit=None))
                                   for p in pairs] + [0])
                    text_size += longest + len(vtab.DefaultValue)
            text_size += self._longest_verbal_text(module)
            self._conversion_text_sizes[key] = (needed, text_size)
        return self._conversion_text_sizes[key]

    def _longest_verbal_text(self, module):
        """The longest text of the module's verbal tables: a method's STATUS_STRING_REF, which
        its record does not show, may name any of them."""
        if module not in self._longest_verbal_texts:
            longest = 0
            names = self._names_in(self._kind("COMPU_VTAB"),
                                   None if module is None else self._text(module), None)
            for name in names:
                vtab = r.TCompuVTab()
                vtab.Name = self._bytes(name)
                if self._lib.GetCompuVTab(self._instance, module, ctypes.byref(vtab), 0) == 0:
                    for p in self._vtab_pairs(module, vtab.Name, vtab.NumberValuePairs):
                        longest = max(longest, len(self._codec.bytes(p.out_text, limit=None)))
            self._longest_verbal_texts[module] = longest
        return self._longest_verbal_texts[module]

    # -- editing ----------------------------------------------------------------------------

    def create(self, obj: Any, module: Optional[str] = None, *,
               allow_duplicate: bool = False) -> None:
        """Creates the project (a Project), appends a module (a Module) or appends an object
        of any kind with a create operation to the module given (else obj.module, else the
        only module), as if it had been read. A module or object whose name its kind already
        has in that module raises ExistsError (a ValueError), unless allow_duplicate (the
        library keeps duplicates; lookups find the first)."""
        if not allow_duplicate and not isinstance(obj, o.Project):
            if isinstance(obj, o.Module):
                taken = obj.name in self.module_names()
                where = ""
            else:
                k = _KIND_OF_CLASS.get(type(obj))
                m = module if module is not None else obj.module
                taken = k is not None and self.exists(k.keyword, obj.name, m)
                where = " in module %s" % m if m else ""
            if taken:
                kind = "MODULE" if isinstance(obj, o.Module) else _KIND_OF_CLASS[type(obj)].keyword
                raise errors.ExistsError(c.RETURN_CODES["rcInvalidArgument"],
                                         "create %s %s" % (kind, obj.name),
                                         detail="a %s of that name exists already%s"
                                         % (kind, where))
        self._edit(obj, module, "create")

    def change(self, obj: Any, module: Optional[str] = None) -> None:
        """Applies obj to the object its name selects (the project, a module, or an object of
        its kind), field by field."""
        self._edit(obj, module, "change")

    def _edit(self, obj: Any, module: Optional[str], what: str) -> None:
        self._edited()
        if isinstance(obj, o.Project):
            record = o.to_record(obj, r.TProject, self._codec)
            call = self._lib.CreateProject if what == "create" else self._lib.ChangeProject
            self._check(call(self._instance, ctypes.byref(record)), "%s project" % what)
            return
        if isinstance(obj, o.Module):
            record = o.to_record(obj, r.TModule, self._codec)
            call = self._lib.CreateModule if what == "create" else self._lib.ChangeModule
            self._check(call(self._instance, ctypes.byref(record)), "%s module" % what)
            return
        k = _KIND_OF_CLASS.get(type(obj))
        function = k and getattr(k, what)
        if k is None or not function:
            raise TypeError("cannot %s %r" % (what, type(obj).__name__))
        record = o.to_record(obj, k.record, self._codec)
        m = self._bytes(module if module is not None else obj.module, "module")
        operation = "%s %s %s" % (what, k.keyword, obj.name)
        self._check(getattr(self._lib, function)(self._instance, m, ctypes.byref(record)),
                    operation)
        if isinstance(obj, o.CompuVTab) and obj.pairs:
            # Whole texts and every pair beyond the record's twenty.
            pairs = [o._pair(o.CompuVTabPair, p) for p in obj.pairs]
            texts = [self._codec.bytes(p.out_text, limit=None) for p in pairs]
            entries = (r.TCompuVTabEntry * len(pairs))()
            for e, p, t in zip(entries, pairs, texts):
                e.InVal, e.OutText = p.in_val, t
            self._check(self._lib.ChangeACompuVTabsLargeVTab(self._instance, m, record.Name,
                                                             entries), operation)

    def update(self, kind: Kind, name: str, module: Optional[str] = None, **fields: Any) -> Any:
        """Gets the object, replaces the fields given and changes it; returns the new value."""
        obj = dataclasses.replace(self.get(kind, name, module), **fields)
        self.change(obj, module)
        return obj

    def remove(self, kind: Kind, name: Optional[str] = None, module: Optional[str] = None) -> None:
        """Removes the PROJECT, a MODULE (name; None the only one), a SYSTEM_CONSTANT or the
        first object of a kind named name, with everything it owns."""
        self._edited()
        kind = _kind_name(kind)
        m = self._bytes(module, "module")
        if kind == "PROJECT":
            rc = self._lib.RemoveProject(self._instance)
        elif kind == "MODULE":
            rc = self._lib.RemoveModule(self._instance, self._bytes(name, "module"))
        elif kind == "SYSTEM_CONSTANT":
            rc = self._lib.RemFromSysConstantList(self._instance, m, self._bytes(name))
        else:
            k = self._kind(kind)
            if not k.remove:
                raise ValueError("%s cannot be removed" % kind)
            rc = getattr(self._lib, k.remove)(self._instance, m, self._bytes(name))
        self._check(rc, "remove %s %s" % (kind, name or ""))

    def add_system_constant(self, name: str, value: str, module: Optional[str] = None) -> None:
        """Appends a SYSTEM_CONSTANT."""
        self._edited()
        self._check(self._lib.AddToSystemConstantList(
            self._instance, self._bytes(module, "module"), self._bytes(name),
            self._codec.bytes(value, limit=None, what="value")), "add SYSTEM_CONSTANT %s" % name)

    def add_to(self, kind: Kind, owner: str, list_name: str,
               entry: Union[str, o.IfData, o.Annotation], module: Optional[str] = None) -> None:
        """Appends to a list of the object owner: a name to a FUNCTION's DEF_CHARACTERISTIC,
        REF_CHARACTERISTIC, IN_/OUT_/LOC_MEASUREMENT, SUB_FUNCTION or AXIS_PTS list; an
        IfData to the IF_DATA of a MEMORY_SEGMENT, CHARACTERISTIC, MEASUREMENT or AXIS_PTS;
        an Annotation to the ANNOTATION list of a CHARACTERISTIC or MEASUREMENT (its text
        holds at most 2047 bytes; the writer takes a double quote and the character after it
        as the break between two lines of the ANNOTATION_TEXT)."""
        add, _ = self._member_list(kind, list_name)
        m, n = self._bytes(module, "module"), self._bytes(owner)
        operation = "add to %s of %s %s" % (list_name, _kind_name(kind), owner)
        self._edited()
        record: Any
        if list_name.upper() == "IF_DATA":
            if not isinstance(entry, o.IfData):
                raise TypeError("IF_DATA takes an IfData, not %r" % (entry,))
            record = r.TIfDataRecord()
            record.Name = self._bytes(entry.name)
            record.Content = self._codec.bytes(entry.content, limit=None, what="content")
            self._check(getattr(self._lib, add)(self._instance, m, n, ctypes.byref(record)),
                        operation)
        elif list_name.upper() == "ANNOTATION":
            if not isinstance(entry, o.Annotation):
                raise TypeError("ANNOTATION takes an Annotation, not %r" % (entry,))
            record = r.TAnnotationRecord()
            record.Label = self._bytes(entry.label, "label")
            record.Origin = self._bytes(entry.origin, "origin")
            record.Text = self._bytes(entry.text, "text", r.ANNOTATION_TEXT_SIZE)
            self._check(getattr(self._lib, add)(self._instance, m, n, ctypes.byref(record)),
                        operation)
        else:
            if not isinstance(entry, str):
                raise TypeError("%s takes a name, not %r" % (list_name, entry))
            self._check(getattr(self._lib, add)(self._instance, m, n, self._bytes(entry)),
                        operation)

    def remove_from(self, kind: Kind, owner: str, list_name: str, entry_name: str,
                    module: Optional[str] = None) -> None:
        """Removes the first entry named entry_name from a FUNCTION name list or an IF_DATA
        list (see add_to); rcListEntryNotFound / rcIfDataNotFound when it holds none."""
        _, remove = self._member_list(kind, list_name)
        if remove is None:
            raise ValueError("entries of %s cannot be removed one by one" % list_name)
        self._edited()
        self._check(getattr(self._lib, remove)(
            self._instance, self._bytes(module, "module"), self._bytes(owner),
            self._bytes(entry_name)),
            "remove from %s of %s %s" % (list_name, _kind_name(kind), owner))

    @staticmethod
    def _member_list(kind: Kind, list_name: str) -> Tuple[str, Optional[str]]:
        key = (_kind_name(kind), str(list_name).upper())
        if key not in _MEMBER_LISTS:
            raise ValueError("no list %s of %s; lists: %s" % (key[1], key[0], ", ".join(
                "%s %s" % k for k in _MEMBER_LISTS)))
        return _MEMBER_LISTS[key]
