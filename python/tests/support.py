"""Paths of the repository's test files, and a scratch folder per test."""
import os
import shutil
import tempfile
import unittest

REPO = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir,
                                     os.pardir))
EXAMPLE = os.path.join(REPO, "examples", "engine_ecu.a2l")
DATA = os.path.join(REPO, "tests", "data")
TWO_MODULES = os.path.join(DATA, "two_modules_every_kind.a2l")
HEADER = os.path.join(REPO, "include", "ordex.h")
RECORD_LAYOUT_TEST = os.path.join(REPO, "tests", "api", "record_layout_test.cpp")


class ScratchTestCase(unittest.TestCase):
    """A test with a folder of its own, removed afterwards."""

    def setUp(self):
        self.scratch = tempfile.mkdtemp(prefix="ordex-python-")
        self.addCleanup(shutil.rmtree, self.scratch, True)

    def path(self, name):
        return os.path.join(self.scratch, name)

    def write_file(self, name, data):
        path = self.path(name)
        with open(path, "wb") as f:
            f.write(data if isinstance(data, bytes) else data.encode("utf-8"))
        return path
