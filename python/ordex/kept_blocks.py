"""KeptBlock: a block or keyword of the file that the library's records do not hold (GROUP,
UNIT, INSTANCE, SYMBOL_LINK, A2ML, ...), with the blocks and keywords inside it; KeptKeyword:
how often the whole read kept one such keyword, and where first."""
from __future__ import annotations

import ctypes
import dataclasses
from typing import Any, Callable, Iterator, List, Optional

from . import records as r


@dataclasses.dataclass
class KeptBlock:
    keyword: str
    name: str  # the first argument when it names the block ("" otherwise)
    tokens: List[str]  # the arguments as read, quotes included
    file: str  # as the read opened it
    line: int
    within: str  # the modelled blocks a top block stands in ("MOD_COMMON"), or ""
    is_block: bool  # False: a keyword with its arguments
    children: List["KeptBlock"] = dataclasses.field(default_factory=list)

    def walk(self) -> Iterator["KeptBlock"]:
        """This block and every block inside it, in file order."""
        yield self
        for child in self.children:
            yield from child.walk()


def kept_tree(lib: Any, instance: Any, module: Optional[bytes], kind: int,
              name: Optional[bytes], check: Callable[[int, str], Any],
              text: Callable[[bytes], str]) -> List[KeptBlock]:
    """The top blocks of one scope, each with its children."""
    count = ctypes.c_int32()
    check(lib.GetNumKeptBlocks(instance, module, kind, name, ctypes.byref(count)), "kept blocks")
    nodes: List[KeptBlock] = []
    top: List[KeptBlock] = []
    record = r.TKeptBlock()
    needed = ctypes.c_int32()
    for i in range(count.value):
        check(lib.GetKeptBlock(instance, module, kind, name, i, ctypes.byref(record)),
              "kept block")
        check(lib.GetKeptBlockTokens(instance, module, kind, name, i, None, 0,
                                     ctypes.byref(needed)), "kept block tokens")
        buffer = ctypes.create_string_buffer(needed.value)
        check(lib.GetKeptBlockTokens(instance, module, kind, name, i, buffer, needed.value, None),
              "kept block tokens")
        tokens = [text(t) for t in buffer.raw[:max(needed.value - 2, 0)].split(b"\0")
                  ] if needed.value > 1 else []
        node = KeptBlock(text(record.Keyword), text(record.Name), tokens, text(record.File),
                         record.Line, text(record.Within), bool(record.IsBlock))
        nodes.append(node)
        (nodes[record.Parent].children if record.Parent >= 0 else top).append(node)
    return top


@dataclasses.dataclass(frozen=True)
class KeptKeyword:
    keyword: str
    count: int
    file: str  # of the first occurrence, as the read opened it
    line: int
    module: str  # "" outside the modules
    object: str  # the object it stands in, "" outside the objects


def kept_summary(lib: Any, instance: Any, check: Callable[[int, str], Any],
                 text: Callable[[bytes], str]) -> List[KeptKeyword]:
    """Every keyword kept but not modelled, in the order of its first occurrence."""
    count = ctypes.c_int32()
    check(lib.GetNumKeptSummaryEntries(instance, ctypes.byref(count)), "kept summary")
    record = r.TKeptSummaryEntry()
    found: List[KeptKeyword] = []
    for i in range(count.value):
        check(lib.GetKeptSummaryEntry(instance, i, ctypes.byref(record)), "kept summary")
        found.append(KeptKeyword(text(record.Keyword), record.Count, text(record.File),
                                 record.Line, text(record.Module), text(record.Object)))
    return found
