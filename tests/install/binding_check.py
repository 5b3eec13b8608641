"""Imported by the install test with only PYTHONPATH pointing at the installed tree: the
binding must find the installed library on its own. Prints the project name, whether the
library it loaded lies under the prefix given as the second argument, and the package's
version."""
import os
import sys

import ordex

with ordex.A2LFile.open(sys.argv[1]) as a2l:
    inside = os.path.realpath(ordex.library_path()).startswith(os.path.realpath(sys.argv[2]))
    print(a2l.project.name, inside, ordex.__version__)
