"""Prints the folder under the prefix given as the argument in which this Python looks for
packages (site-packages or dist-packages, the user's own included), relative to the
prefix; prints nothing when it looks in none there. Of several, the one nearest the prefix
wins: for /usr, Debian's lib/python3/dist-packages rather than the one under /usr/local."""
import os
import site
import sys

prefix = os.path.realpath(sys.argv[1])
paths = list(sys.path)
try:
    paths.append(site.getusersitepackages())
except AttributeError:  # a virtual environment without user site
    pass
found = []
for path in paths:
    real = os.path.realpath(path) if path else ""
    if os.path.basename(real) in ("site-packages", "dist-packages") and \
            real.startswith(prefix + os.sep):
        found.append(os.path.relpath(real, prefix))
if found:
    print(min(found, key=lambda p: p.count(os.sep)))
