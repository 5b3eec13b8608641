"""The ctypes records against the sizes and offsets that tests/api/record_layout_test.cpp
pins for the C records, and the binding's tables against ordex.h."""
import ctypes
import platform
import re
import unittest

from ordex import codes, records

import support

LP64 = platform.machine() in ("x86_64", "AMD64", "aarch64", "arm64") and \
    ctypes.sizeof(ctypes.c_void_p) == 8


def pinned():
    """(record, size) and (record, field, offset) as the C++ test pins them."""
    with open(support.RECORD_LAYOUT_TEST) as f:
        text = f.read()
    sizes = re.findall(r"^PIN_SIZE\((\w+), (\d+)\);", text, re.M)
    offsets = re.findall(r"^PIN\((\w+), (\w+), (\d+)\);", text, re.M)
    return [(t, int(n)) for t, n in sizes], [(t, f, int(n)) for t, f, n in offsets]


@unittest.skipUnless(LP64, "the pinned layout is that of LP64 targets")
class RecordLayoutTest(unittest.TestCase):
    def test_every_pinned_size_matches(self):
        sizes, _ = pinned()
        self.assertGreaterEqual(len(sizes), 30)
        for name, size in sizes:
            with self.subTest(record=name):
                self.assertEqual(size, ctypes.sizeof(getattr(records, name)))

    def test_every_pinned_offset_matches(self):
        _, offsets = pinned()
        self.assertGreater(len(offsets), 250)
        for name, field, offset in offsets:
            with self.subTest(record=name, field=field):
                self.assertEqual(offset, getattr(getattr(records, name), field).offset)

    def test_every_record_is_pinned_and_every_field_checked(self):
        sizes, offsets = pinned()
        self.assertEqual({n for n, _ in sizes}, set(records.ALL_RECORDS))
        checked = {(n, f) for n, f, _ in offsets}
        for name, cls in records.ALL_RECORDS.items():
            for field, _ in cls._fields_:
                with self.subTest(record=name, field=field):
                    self.assertIn((name, field), checked)


class HeaderTablesTest(unittest.TestCase):
    def setUp(self):
        with open(support.HEADER) as f:
            self.header = f.read()

    def enum(self, name):
        body = re.search(r"typedef enum %s \{(.*?)\} %s;" % (name, name), self.header, re.S)
        return {k: int(v) for k, v in re.findall(r"(\w+) = (-?\d+)", body.group(1))}

    def test_return_codes_are_those_of_the_header(self):
        self.assertEqual(self.enum("TOrdexReturnCode"), codes.RETURN_CODES)

    def test_element_types_are_those_of_the_header(self):
        header = {re.sub(r"(?<=[a-z0-9])(?=[A-Z])", "_", k[2:]).upper(): v
                  for k, v in self.enum("TOrdexElementType").items()}
        self.assertEqual(header, codes.ELEMENT_TYPES)

    def test_record_sizes_of_the_header_defines(self):
        defines = dict(re.findall(r"#define ORDEX_(\w+) (\d+)", self.header))
        for name in ["TEXT_SIZE", "ANNOTATION_TEXT_SIZE", "CHARACTERISTIC_AXES",
                     "RECORD_LAYOUT_RESERVED", "RECORD_LAYOUT_ELEMENTS", "SORTED_ELEMENTS",
                     "COMPU_TAB_PAIRS", "COMPU_VTAB_PAIRS"]:
            with self.subTest(name=name):
                self.assertEqual(int(defines[name]), getattr(records, name))


if __name__ == "__main__":
    unittest.main()
