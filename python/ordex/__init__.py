"""Python binding of libordex, the reader, writer and converter of ASAP2 description files
(A2L), through ctypes alone.

    import ordex
    with ordex.A2LFile.open("engine.a2l") as a2l:
        for m in a2l.measurements():
            print(m.name, m.data_type, a2l.convert(m.name, b"\\x0f\\xa0").text)

The library is loaded from the path given to A2LFile(library=...), else from $ORDEX_LIBRARY,
else from the tree the binding was installed into, else by the dynamic loader
(libordex.so.0). Every failure the library reports raises an OrdexError, which carries the
return code's name and, for a read, the error report; its subclasses are the Python
exceptions that fit (FileOpenError is a FileNotFoundError, NotFoundError a KeyError,
ExistsError and InvalidArgumentError are ValueErrors).
"""
from ._library import ENVIRONMENT_VARIABLE, load as load_library
from ._version import __version__
from .a2l_file import A2LFile, configure_string_comparison, library_path
from .codes import CODE_NAMES, ELEMENT_TYPES, RETURN_CODES, code_name
from .errors import (ClosedError, ExistsError, FileOpenError, IndexOutOfRangeError,
                     InvalidArgumentError, NotFoundError, OrdexError, OrdexMemoryError,
                     OutputError)
from .findings import FINDING_CODES, Finding, Referrer
from .kept_blocks import KeptBlock, KeptKeyword
from .objects import (Annotation, AxisDescr, AxisPts, CalibrationMethod, Characteristic,
                      CompuMethod, CompuTab, CompuTabPair, CompuVTab, CompuVTabPair,
                      Conversion, Function, IfData, Measurement, MemorySegment, Module,
                      NumberText, Project, RecordLayout, RecordLayoutElement, SystemConstant,
                      VarCriterion, as_row)

__all__ = [
    "A2LFile", "Annotation", "AxisDescr", "AxisPts", "CODE_NAMES", "CalibrationMethod",
    "Characteristic", "ClosedError", "CompuMethod", "CompuTab", "CompuTabPair", "CompuVTab",
    "CompuVTabPair", "Conversion", "ELEMENT_TYPES", "ENVIRONMENT_VARIABLE", "ExistsError",
    "FINDING_CODES", "FileOpenError", "Finding", "Function", "IfData", "IndexOutOfRangeError",
    "InvalidArgumentError", "KeptBlock", "KeptKeyword", "Measurement", "MemorySegment", "Module", "NotFoundError",
    "NumberText", "OrdexError", "OrdexMemoryError", "OutputError", "Project", "RETURN_CODES",
    "RecordLayout", "RecordLayoutElement", "Referrer", "SystemConstant", "VarCriterion",
    "__version__", "as_row", "code_name", "configure_string_comparison", "library_path",
    "load_library",
]
