"""The exceptions of the binding. Every failure the library reports raises an OrdexError;
its subclasses are also the Python exception that fits the failure, so that ``except
FileNotFoundError`` or ``except KeyError`` catch what they would catch elsewhere."""
from __future__ import annotations

import errno as _errno
import os
from typing import Any, Dict, Optional

from . import codes


class OrdexError(Exception):
    """A failure reported by the library.

    ``code`` is the TOrdexReturnCode value, ``name`` its name ("rcBadNumber"), ``operation``
    what was asked for, ``report`` the library's error report for a failed read (None for
    other operations) and ``detail`` what the binding adds.

    A failed read also tells where it failed, as Ordex_GetReadFailure does: ``file`` (the
    file being read, an include where the fault lies in one), ``line`` and ``column``
    (1-based; 0 when no place is known), ``token`` (the token at fault), ``expected`` (what
    the reader expected there, "" when it has nothing to say), ``object_path``,
    ``source_line`` (the text of that line) and, for a block left open, ``block_file``,
    ``block_line`` and ``block_column`` where it began. For other operations these are
    None and 0.
    """

    def __init__(self, code: int, operation: str, report: Optional[str] = None,
                 detail: Optional[str] = None,
                 failure: Optional[Dict[str, Any]] = None) -> None:
        self.code = code
        self.name = codes.code_name(code)
        self.operation = operation
        self.report = report
        self.detail = detail
        place = failure or {}
        self.file: Optional[str] = place.get("file")
        self.line: int = place.get("line", 0)
        self.column: int = place.get("column", 0)
        self.token: Optional[str] = place.get("token")
        self.expected: Optional[str] = place.get("expected")
        self.object_path: Optional[str] = place.get("object_path")
        self.source_line: Optional[str] = place.get("source_line")
        self.block_file: Optional[str] = place.get("block_file")
        self.block_line: int = place.get("block_line", 0)
        self.block_column: int = place.get("block_column", 0)
        text = "%s: %s (%d)" % (operation, self.name, code)
        if detail:
            text += ": " + detail
        if self.line:
            text += ": %s:%d:%d:" % (self.file, self.line, self.column)
            if self.expected:
                text += " expected %s," % self.expected
            text += " got %s" % (('"%s"' % self.token) if self.token else "the end of the input")
        # A read that stopped in the file says where; the report of a file that could not
        # be opened says nothing ("No error detected").
        if report and report.startswith("Error detected"):
            text += ": " + report
        self.message = text
        super().__init__(text)

    def __str__(self) -> str:
        return self.message


class FileOpenError(OrdexError, FileNotFoundError):
    """A file (or one of its /include files) that cannot be opened (rcFileOpenFailed,
    rcIncludeOpenFailed); ``filename`` is the path when the binding knows it."""


class OutputError(OrdexError, OSError):
    """A file that cannot be written (rcOutputCreateFailed) or a file-access module that
    fails (rcFileAccessFailed)."""


class NotFoundError(OrdexError, KeyError):
    """No project, module, object or list entry of that name (the rc...NotFound codes and
    rcNoProject)."""


class ExistsError(OrdexError, ValueError):
    """The project, or an object of that kind and name, exists already."""


class InvalidArgumentError(OrdexError, ValueError):
    """A value the library refuses, or a file whose text it cannot read (bad number, block
    nesting, response block, size, mode)."""


class IndexOutOfRangeError(OrdexError, IndexError):
    """An index outside an array or a handle list (rcIndexOutOfRange)."""


class ClosedError(OrdexError, ValueError):
    """An operation on an A2LFile that was closed (rcNoInstance)."""


class OrdexMemoryError(OrdexError, MemoryError):
    """The library ran out of memory (rcOutOfMemory)."""


_CLASSES: Dict[str, type] = {
    "rcFileOpenFailed": FileOpenError,
    "rcIncludeOpenFailed": FileOpenError,
    "rcOutputCreateFailed": OutputError,
    "rcFileAccessFailed": OutputError,
    "rcProjectExists": ExistsError,
    "rcNoProject": NotFoundError,
    "rcIndexOutOfRange": IndexOutOfRangeError,
    "rcNoInstance": ClosedError,
    "rcOutOfMemory": OrdexMemoryError,
}
for _name in ("rcInvalidArgument", "rcBlockNesting", "rcBlockOutsideParent", "rcBadNumber",
              "rcUnsupportedMode", "rcBadResponse", "rcBadSize", "rcNullArgument"):
    _CLASSES[_name] = InvalidArgumentError
for _name in codes.RETURN_CODES:
    if _name.endswith("NotFound"):
        _CLASSES[_name] = NotFoundError


def _open_errno(name: str, path: Optional[str]) -> int:
    if name == "rcFileOpenFailed" and path is not None and os.path.exists(path):
        return _errno.EISDIR if os.path.isdir(path) else _errno.EACCES
    return _errno.ENOENT


def error(code: int, operation: str, report: Optional[str] = None,
          detail: Optional[str] = None, path: Optional[str] = None,
          failure: Optional[Dict[str, Any]] = None) -> OrdexError:
    """The exception for a return code: an OrdexError of the class that fits it. path names
    the file of a file failure; failure holds the place of a failed read."""
    name = codes.code_name(code)
    cls = _CLASSES.get(name, OrdexError)
    number = _open_errno(name, path)
    if cls is FileOpenError and detail is None:
        detail = os.strerror(number) if name == "rcFileOpenFailed" else \
            "an /include file cannot be opened"
    e = cls(code, operation, report, detail, failure)
    if isinstance(e, OSError):
        e.filename = path
        if cls is FileOpenError:
            e.errno = number
            e.strerror = os.strerror(number)
    return e
