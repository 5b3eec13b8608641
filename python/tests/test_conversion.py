"""convert(): the physical value and text of raw bytes through a measurement."""
import os
import unittest

import ordex
from ordex import OrdexError

import support


class ConversionTest(unittest.TestCase):
    def setUp(self):
        self.a2l = ordex.A2LFile.open(support.TWO_MODULES)
        self.addCleanup(self.a2l.close)

    def test_values_and_texts(self):
        cases = [
            # measurement, module, raw, separator, value, text
            ("Dimmer", "Body", b"\x01\x00", ".", 12.5, " 12.5 %"),  # MSB_LAST, table
            ("Dimmer", "Body", b"\x01\x00", ",", 12.5, " 12,5 %"),
            ("Dimmer", "Body", b"\x00\x05", ".", None, "n/a"),  # table default: no value
            ("Light", "Body", b"\x01", ".", 1.0, "on"),
            ("Light", "Body", b"\xfd", ".", 1.0, "on"),  # BIT_MASK 0x3
            ("Light", "Body", b"\x02\x99", ".", 2.0, "broken"),  # extra bytes are not read
        ]
        for name, module, raw, separator, value, text in cases:
            with self.subTest(name=name, raw=raw, separator=separator):
                self.assertEqual(ordex.Conversion(value, text),
                                 self.a2l.convert(name, raw, module, separator))

    def test_failures(self):
        cases = [
            ("Dimmer", "Body", b"\x01", "rcBadSize"),  # a UWORD needs two bytes
            ("Nope", "Body", b"\x01", "rcMeasurementNotFound"),
            ("Light", "Gateway", b"\x01", "rcCompuMethodNotFound"),
            ("Light", "Nowhere", b"\x01", "rcModuleNotFound"),
        ]
        for name, module, raw, code in cases:
            with self.subTest(name=name, module=module):
                with self.assertRaises(OrdexError) as caught:
                    self.a2l.convert(name, raw, module)
                self.assertEqual(code, caught.exception.name)
        with self.assertRaises(ValueError):
            self.a2l.convert("Light", b"\x01", "Body", separator="::")

    def test_a_verbal_table_text_longer_than_a_record_field_comes_whole(self):
        long_text = "state " + "x" * 3000
        vtab = self.a2l.get("COMPU_VTAB", "VT_LIGHT", "Body")
        vtab.pairs[1] = ordex.CompuVTabPair(1, long_text)
        self.a2l.change(vtab)
        self.assertEqual(long_text, self.a2l.convert("Light", b"\x01", "Body").text)


class NewerConversionTest(unittest.TestCase):
    """IDENTICAL, LINEAR, range tables and status strings of later versions of the format."""

    def setUp(self):
        self.a2l = ordex.A2LFile.open(os.path.join(support.DATA,
                                                   "conversions_of_newer_standards.a2l"))
        self.addCleanup(self.a2l.close)

    def test_values_and_texts(self):
        cases = [
            ("Speed", b"\x00\x00\x80\x3f", 1.0, "  1.00 km/h"),  # IDENTICAL
            ("Coolant", b"\x64", 10.0, " 10.0 degC"),  # LINEAR 0.5 x - 40
            ("Coolant", b"\xfe", 87.0, "sensor error"),  # a status string
            ("Gear", b"\xff", -1.0, "reverse"),  # a range table
            ("Gear", b"\x80", -128.0, "unknown"),  # its default
        ]
        for name, raw, value, text in cases:
            with self.subTest(name=name, raw=raw):
                self.assertEqual(ordex.Conversion(value, text), self.a2l.convert(name, raw))

    def test_failure_carries_the_reason(self):
        with self.assertRaises(OrdexError) as caught:
            self.a2l.convert("Level", b"\x00\x00\xc0\x3f")  # 1.5: in no range, no default
        self.assertEqual("rcInvalidArgument", caught.exception.name)
        self.assertEqual("raw value 1.5 is in no range of COMPU_VTAB_RANGE VTR.Level, which has "
                         "no DEFAULT_VALUE", caught.exception.detail)
        self.assertIn(caught.exception.detail, str(caught.exception))


if __name__ == "__main__":
    unittest.main()
