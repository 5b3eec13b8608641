#!/usr/bin/env python3
"""Fails when a file includes a header its layer may not use.

Scans the #include "..." lines of src/, bench/, tools/ and fuzz/ and checks them against the
rules written in src/README.md:

  src/platform   may include platform/
  src/model      may include model/, platform/
  src/reader     may include reader/, model/, platform/
  src/query      may include query/, model/, platform/
  src/writer     may include writer/, model/, platform/
  src/convert    may include convert/, query/, model/, platform/
  src/edit       may include edit/, model/, platform/
  src/api        may include every layer and "ordex.h"

Only src/api includes the public header "ordex.h". bench/, tools/ and fuzz/ are clients: they
use "ordex.h" and their own headers, never a header of src/.

  check_layers.py [ROOT]    ROOT defaults to the folder above this script

Prints one line per forbidden include (file:line: what and why) and exits 1 when there is
any, 0 otherwise.
"""

import os
import re
import sys

LAYERS = ("platform", "model", "reader", "query", "writer", "convert", "edit", "api")

# The layers each layer may include, besides itself.
ALLOWED = {
    "platform": set(),
    "model": {"platform"},
    "reader": {"model", "platform"},
    "query": {"model", "platform"},
    "writer": {"model", "platform"},
    "convert": {"query", "model", "platform"},
    "edit": {"model", "platform"},
    "api": set(LAYERS),
}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SOURCE_SUFFIXES = (".h", ".hpp", ".c", ".cc", ".cpp", ".inc", ".def")


def sources(root, folder):
    top = os.path.join(root, folder)
    for base, dirs, files in os.walk(top):
        dirs.sort()
        for name in sorted(files):
            if name.endswith(SOURCE_SUFFIXES):
                path = os.path.join(base, name)
                yield os.path.relpath(path, root).replace(os.sep, "/")


def includes(root, path):
    with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
        for number, line in enumerate(f, 1):
            m = INCLUDE.match(line)
            if m:
                yield number, m.group(1)


def layer_of_include(target):
    head = target.split("/", 1)[0]
    return head if "/" in target and head in LAYERS else None


def check_source(root, path, problems):
    layer = path.split("/")[1]
    if layer not in LAYERS:
        problems.append(f"{path}: folder src/{layer} is no layer (see src/README.md)")
        return False
    for number, target in includes(root, path):
        if target == "ordex.h":
            if layer != "api":
                problems.append(f'{path}:{number}: "ordex.h" outside src/api (use the internal '
                                "types of src/model)")
            continue
        used = layer_of_include(target)
        if used and used != layer and used not in ALLOWED[layer]:
            problems.append(f'{path}:{number}: "{target}": src/{layer} may not use src/{used}')


def check_client(root, path, problems):
    for number, target in includes(root, path):
        if layer_of_include(target):
            problems.append(f'{path}:{number}: "{target}": clients use "ordex.h" only')


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    root = os.path.abspath(root)
    problems = []
    for path in sources(root, "src"):
        check_source(root, path, problems)
    for folder in ("bench", "tools", "fuzz"):
        for path in sources(root, folder):
            check_client(root, path, problems)
    for p in problems:
        print(p)
    checked = "src/, bench/, tools/ and fuzz/"
    if problems:
        print(f"{len(problems)} forbidden include(s) in {checked}")
        return 1
    print(f"layers kept in {checked}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
