"""Finding and loading libordex.so, and the prototypes of the functions the binding calls."""
from __future__ import annotations

import ctypes
import ctypes.util
import os
from typing import Any, Dict, List, Optional

from . import records as r

ENVIRONMENT_VARIABLE = "ORDEX_LIBRARY"
SONAME = "libordex.so.0"

ProgressCallback = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_int)
ElementCallback = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_int, ctypes.c_uint32)
FindingCallback = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.POINTER(r.TCheckFinding), ctypes.c_void_p)
ReferrerCallback = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.POINTER(r.TReferrer), ctypes.c_void_p)

_I = ctypes.c_void_p  # TOrdex*
_S = ctypes.c_char_p  # const char* and char* buffers
_INT = ctypes.c_int
_P = ctypes.POINTER


def _object_functions(kind: str, record: Any, plural: Optional[str] = None) -> Dict[str, List[Any]]:
    """Getter, list, create, change and remove of one object kind."""
    plural = plural or kind
    return {
        "Ordex_Get" + kind: [_I, _S, _P(record), _INT],
        "Ordex_Get%sList" % plural: [_I, _S, _S, _INT, _S, _S],
        "Ordex_Create" + kind: [_I, _S, _P(record)],
        "Ordex_Change" + kind: [_I, _S, _P(record)],
    }


_PROTOTYPES: Dict[str, List[Any]] = {
    "Ordex_CreateInstance": [_P(ctypes.c_void_p)],
    "Ordex_DestroyInstance": [_I],
    "Ordex_ConfigureStringComparison": [_INT],
    "Ordex_ReadAsapFile": [_I, _S, _S, ProgressCallback],
    "Ordex_GetReadAsapFileError": [_I, _S, _INT],
    "Ordex_GetReadFailure": [_I, _P(r.TReadFailure)],
    "Ordex_GetAsapFilePreInfo": [_S, _P(_INT), _P(_INT), _S],
    "Ordex_WriteAsapFile": [_I, _S, _S, _S, _S, ElementCallback, ProgressCallback],
    "Ordex_WriteAsapFilePreserving": [_I, _S, _S, _S, _S, ElementCallback, ProgressCallback,
                                      ctypes.c_uint32, _P(ctypes.c_uint32)],
    "Ordex_GetProject": [_I, _P(r.TProject), _INT],
    "Ordex_GetModule": [_I, _P(r.TModule), _INT],
    "Ordex_GetModuleList": [_I, _S, _INT, _S, _S],
    "Ordex_GetNextModuleName": [_I, _S, _S],
    "Ordex_CreateProject": [_I, _P(r.TProject)],
    "Ordex_ChangeProject": [_I, _P(r.TProject)],
    "Ordex_RemoveProject": [_I],
    "Ordex_CreateModule": [_I, _P(r.TModule)],
    "Ordex_ChangeModule": [_I, _P(r.TModule)],
    "Ordex_RemoveModule": [_I, _S],
    "Ordex_GetCalibrationMethod": [_I, _S, _P(r.TCalibrationMethod), _INT],
    "Ordex_GetNextCalibrationMethodName": [_I, _S, _S, _S],
    "Ordex_GetCalibrationHandleNumValues": [_I, _S, _S, ctypes.c_uint32, _P(_INT)],
    "Ordex_GetCalibrationHandleValues": [_I, _S, _S, ctypes.c_uint32, ctypes.c_uint32, _P(_INT)],
    "Ordex_GetSystemConstant": [_I, _S, _P(r.TSystemConstant), _INT],
    "Ordex_GetVarCriterion": [_I, _S, _P(r.TVarCriterion), _INT],
    "Ordex_GetNextVarCriterionName": [_I, _S, _S, _S],
    "Ordex_GetNextSystemConstant": [_I, _S, _P(r.TSystemConstant)],
    "Ordex_AddToSystemConstantList": [_I, _S, _S, _S],
    "Ordex_RemFromSysConstantList": [_I, _S, _S],
    "Ordex_GetACompuVTabsLargeVTab": [_I, _S, _S, _P(r.TCompuVTabEntry)],
    "Ordex_ChangeACompuVTabsLargeVTab": [_I, _S, _S, _P(r.TCompuVTabEntry)],
    "Ordex_GetNumObjects": [_I, _S, _INT, _P(_INT)],
    "Ordex_GetMaxAnnotationTextSize": [_I, _S, _P(_INT)],
    "Ordex_GetAMeasNextVirtual": [_I, _S, _S, _S],
    "Ordex_GetAModulesNextIfData": [_I, _S, _P(r.TIfDataRecord)],
    "Ordex_GetAnAxisDescrsNextAnnotation": [_I, _S, _S, _INT, _P(r.TAnnotationRecord)],
    "Ordex_GetAnAxisDescrsNextAnnotation2": [_I, _S, _S, _INT, _P(r.TAnnotationRecord2)],
    "Ordex_ReferenceFinder": [_I, _INT, _INT, _INT, ProgressCallback],
    "Ordex_CheckConsistency": [_I, _S, _INT, FindingCallback, ctypes.c_void_p],
    "Ordex_GetReferrers": [_I, _S, _S, ReferrerCallback, ctypes.c_void_p],
    "Ordex_GetNumKeptSummaryEntries": [_I, _P(ctypes.c_int32)],
    "Ordex_GetKeptSummaryEntry": [_I, ctypes.c_int32, _P(r.TKeptSummaryEntry)],
    "Ordex_GetNumKeptBlocks": [_I, _S, ctypes.c_int32, _S, _P(ctypes.c_int32)],
    "Ordex_GetKeptBlock": [_I, _S, ctypes.c_int32, _S, ctypes.c_int32, _P(r.TKeptBlock)],
    "Ordex_GetKeptBlockTokens": [_I, _S, ctypes.c_int32, _S, ctypes.c_int32, ctypes.c_char_p,
                                 _INT, _P(ctypes.c_int32)],
    "Ordex_GetDataSizeByDataType": [ctypes.c_int32],
    "Ordex_RawToPhysMeasurement": [_I, _S, _S, ctypes.c_void_p, ctypes.c_char,
                                   _P(ctypes.c_double), _S],
    "Ordex_GetLastConversionError": [_S, ctypes.c_uint32],
}
for _kind, _record, _plural in [
        ("MemorySegment", r.TMemorySegment, None), ("Characteristic2", r.TCharacteristic2,
                                                    "Characteristic"),
        ("Measurement", r.TMeasurement, None), ("Function", r.TFunction, None),
        ("CompuMethod2", r.TCompuMethod2, "CompuMethod"), ("CompuTab", r.TCompuTab, None),
        ("CompuVTab", r.TCompuVTab, None), ("AxisPts", r.TAxisPts, None),
        ("RecordLayout2", r.TRecordLayout2, "RecordLayout")]:
    _PROTOTYPES.update(_object_functions(_kind, _record, _plural))
    _PROTOTYPES["Ordex_Remove" + (_plural or _kind)] = [_I, _S, _S]
for _owner in ["Chas", "Meas", "AxisPts"]:
    _PROTOTYPES["Ordex_GetA%sNextAnnotation" % _owner] = [_I, _S, _S, _P(r.TAnnotationRecord)]
    _PROTOTYPES["Ordex_GetA%sNextAnnotation2" % _owner] = [_I, _S, _S, _P(r.TAnnotationRecord2)]
for _owner in ["MemSegs", "Chas", "Meas", "AxisPts"]:
    _PROTOTYPES["Ordex_GetA%sNextIfData" % _owner] = [_I, _S, _S, _P(r.TIfDataRecord)]
    _PROTOTYPES["Ordex_AddToA%sIfDataList" % _owner] = [_I, _S, _S, _P(r.TIfDataRecord)]
    _PROTOTYPES["Ordex_RemFromA%sIfDataList" % _owner] = [_I, _S, _S, _S]
for _owner in ["Chas", "Meas"]:
    _PROTOTYPES["Ordex_AddToA%sAnnotatList" % _owner] = [_I, _S, _S, _P(r.TAnnotationRecord)]
for _list in ["DefCha", "RefCha", "InMea", "OutMea", "LocMea", "SubFunc", "AxisPts"]:
    _PROTOTYPES["Ordex_GetAFuncsNext%sName" % _list] = [_I, _S, _S, _S]
    _PROTOTYPES["Ordex_RemFromAFuncs%sList" % _list] = [_I, _S, _S, _S]
    if _list != "AxisPts":
        _PROTOTYPES["Ordex_AddToAFuncs%sList" % _list] = [_I, _S, _S, _S]
_PROTOTYPES["Ordex_AddToAAxisPtsFuncList"] = [_I, _S, _S, _S]
for _query in ["AChasPublishingFunc", "AMeasPublishingFunc", "AFuncsPublishingFunc",
               "AFuncWithRefToCha", "AFuncWithRefToMea", "AFuncWithRefToFunc",
               "AChaWithRefToMea", "AAxisPtsWithRefToMea"]:
    _PROTOTYPES["Ordex_Get" + _query] = [_I, _S, _S, _S]

_RESULT_TYPES = {
    "Ordex_ConfigureStringComparison": None,
    "Ordex_GetDataSizeByDataType": ctypes.c_int32,
}


class Library:
    """libordex.so with the prototypes of every function the binding calls."""

    def __init__(self, path: str) -> None:
        self.path = path
        self.dll = ctypes.CDLL(path)
        for name, argtypes in _PROTOTYPES.items():
            function = getattr(self.dll, name)
            function.argtypes = argtypes
            function.restype = _RESULT_TYPES.get(name, ctypes.c_int)
            setattr(self, name[len("Ordex_"):], function)


    def __getattr__(self, name: str) -> Any:  # the functions set above, for type checkers
        raise AttributeError(name)


_loaded: Dict[str, Library] = {}
_default: Optional[Library] = None


def _beside_package() -> Optional[str]:
    """The library of the tree the package was installed into: cmake --install writes the
    library folder, relative to the package, into _install_location; without it (a package
    copied by hand) the folder three levels up (LIBDIR/python3/site-packages/ordex)."""
    here = os.path.dirname(os.path.abspath(__file__))
    try:
        from ._install_location import LIBRARY_DIR  # type: ignore[import]
    except ImportError:
        LIBRARY_DIR = os.path.join(os.pardir, os.pardir, os.pardir)
    candidate = os.path.join(os.path.normpath(os.path.join(here, LIBRARY_DIR)), SONAME)
    return candidate if os.path.exists(candidate) else None


def _mapped_path(name: str) -> str:
    """Where the dynamic loader found a library loaded by name (Linux: /proc/self/maps)."""
    try:
        with open("/proc/self/maps") as maps:
            for line in maps:
                path = line.split(None, 5)[-1].strip()
                if os.path.basename(path).startswith("libordex.so"):
                    return path
    except OSError:
        pass
    return name


def load(path: Optional[str] = None) -> Library:
    """Loads the library: the path given, else $ORDEX_LIBRARY, else the library installed
    beside the package, else the one the dynamic loader finds as libordex.so.0. A library
    is loaded once per path; the first load without a path becomes the default. Raises
    OSError when no library can be loaded."""
    global _default
    if path is None and _default is not None:
        return _default
    chosen = path or os.environ.get(ENVIRONMENT_VARIABLE) or _beside_package()
    if chosen:
        chosen = os.path.abspath(chosen)
        if chosen not in _loaded:
            _loaded[chosen] = Library(chosen)
        library = _loaded[chosen]
    else:
        name = ctypes.util.find_library("ordex") or SONAME
        library = Library(name)
        library.path = _mapped_path(name)
        _loaded[library.path] = library
    if path is None:
        _default = library
    return library
