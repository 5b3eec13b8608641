"""What a Python user expects: exceptions of the built-in kinds, None for values not set,
rows for pandas, the version, duplicate creates refused."""
import dataclasses
import errno
import os
import unittest

import ordex
from ordex import A2LFile, Function, Measurement, Module, OrdexError

import support


class ExceptionTest(support.ScratchTestCase):
    def test_a_missing_file_is_a_file_not_found_error_without_an_empty_report(self):
        path = self.path("nonexistent.a2l")
        with self.assertRaises(FileNotFoundError) as caught:
            A2LFile.open(path)
        e = caught.exception
        self.assertIsInstance(e, OrdexError)
        self.assertEqual(("rcFileOpenFailed", errno.ENOENT, path), (e.name, e.errno, e.filename))
        self.assertNotIn("No error detected", str(e))
        self.assertIn("rcFileOpenFailed (-4)", str(e))

    def test_each_code_raises_the_python_exception_that_fits(self):
        a2l = A2LFile.open(support.EXAMPLE)
        self.addCleanup(a2l.close)
        bad = self.write_file("bad.a2l", "/begin PROJECT P \"\"\n/begin MODULE M \"\"\n"
                              "/begin MEASUREMENT X \"\" UBYTE NO 1x 0 0 1\n")
        cases = [
            (lambda: a2l.get("MEASUREMENT", "Nope"), KeyError, "rcMeasurementNotFound"),
            (lambda: a2l.module("Nope"), KeyError, "rcModuleNotFound"),
            (lambda: a2l.remove_from("FUNCTION", "Ignition", "IN_MEASUREMENT", "Nope"),
             KeyError, "rcListEntryNotFound"),
            (lambda: a2l.create(ordex.Project(name="Again")), ValueError, "rcProjectExists"),
            (lambda: a2l.convert("EngineSpeed", b"\x01"), ValueError, "rcBadSize"),
            (lambda: A2LFile.open(bad), ValueError, "rcBadNumber"),
            (lambda: a2l.write(self.path("no/such/folder/x.a2l")), OSError,
             "rcOutputCreateFailed"),
        ]
        for call, python_error, code in cases:
            with self.subTest(code=code):
                with self.assertRaises(python_error) as caught:
                    call()
                self.assertIsInstance(caught.exception, OrdexError)
                self.assertEqual(code, caught.exception.name)
                self.assertFalse(str(caught.exception).startswith("'"))  # no KeyError quotes
        a2l.close()
        with self.assertRaises(ValueError) as caught:
            a2l.project
        self.assertEqual("rcNoInstance", caught.exception.name)


class ModuleChoiceTest(unittest.TestCase):
    def test_a_missing_module_choice_names_the_modules(self):
        with A2LFile.open(support.TWO_MODULES) as a2l:
            with self.assertRaises(KeyError) as caught:
                a2l.measurement("Light")
            self.assertEqual("rcModuleNotFound", caught.exception.name)
            self.assertIn("the project holds the modules Body, Gateway; name one with module=",
                          str(caught.exception))


class NotSetTest(support.ScratchTestCase):
    def test_values_not_set_are_none_and_written_back_as_not_set(self):
        with A2LFile.open(support.EXAMPLE) as a2l:
            state = a2l.measurement("EngineState")
            self.assertEqual((None, None), (state.bit_mask, state.max_refresh_scaling_unit))
            self.assertEqual(0xD0000015, state.ecu_address)
            a2l.create(Measurement(name="Bare", data_type="UBYTE", conversion="NO_COMPU_METHOD",
                                   lower_limit=0, upper_limit=1))
            a2l.update("MEASUREMENT", "EngineState", ecu_address=None, bit_mask=0x0F)
            a2l.write(self.path("out.a2l"))
        with open(self.path("out.a2l")) as f:
            text = f.read()
        self.assertNotIn("0xFFFFFFFF", text)
        self.assertNotIn("ECU_ADDRESS 0xD0000015", text)
        with A2LFile.open(self.path("out.a2l")) as back:
            bare = back.measurement("Bare")
            self.assertEqual((None, None, None),
                             (bare.bit_mask, bare.ecu_address, bare.max_refresh_scaling_unit))
            state = back.measurement("EngineState")
            self.assertEqual((None, 0x0F), (state.ecu_address, state.bit_mask))


class RowsTest(unittest.TestCase):
    def test_rows_per_kind_hold_plain_values(self):
        with A2LFile.open(support.EXAMPLE) as a2l:
            rows = a2l.to_records("measurements")
            self.assertEqual(a2l.names("MEASUREMENT"), [row["name"] for row in rows])
            speed = rows[0]
            self.assertEqual(8000.0, speed["upper_limit"])
            self.assertEqual("UWORD", speed["data_type"])
            self.assertEqual(set(f.name for f in dataclasses.fields(Measurement)), set(speed))
            ignition = a2l.to_records("CHARACTERISTIC", pattern="Ignition*")[0]
            self.assertEqual(["EngineSpeed", "CoolantTemp"],
                             [axis["input_quantity"] for axis in ignition["axes"]])
            self.assertEqual(-40.0, ignition["axes"][1]["lower_limit"])
            self.assertEqual(["Off", "Cranking", "Running"],
                             [p["out_text"] for p in a2l.to_records("compu-vtab")[0]["pairs"]])


class VersionAndPackageTest(unittest.TestCase):
    def test_the_version_is_that_of_the_library_loaded(self):
        real = os.path.realpath(ordex.library_path())
        self.assertTrue(real.endswith("libordex.so." + ordex.__version__), real)

    def test_the_package_says_it_is_typed(self):
        self.assertTrue(os.path.exists(os.path.join(os.path.dirname(ordex.__file__),
                                                    "py.typed")))


class DuplicateCreateTest(unittest.TestCase):
    def test_a_name_taken_in_its_module_is_refused_unless_asked_for(self):
        with A2LFile.open(support.TWO_MODULES) as a2l:
            with self.assertRaises(ValueError) as caught:
                a2l.create(Measurement(name="Light", data_type="UBYTE"), "Body")
            self.assertIsInstance(caught.exception, ordex.ExistsError)
            self.assertIn("exists already in module Body", str(caught.exception))
            a2l.create(Measurement(name="Dimmer", data_type="UBYTE"), "Gateway")  # other module
            a2l.create(Function(name="Dimming"), "Body", allow_duplicate=True)
            self.assertEqual(["Lighting", "Dimming", "Dimming"], a2l.names("FUNCTION", "Body"))
            with self.assertRaises(ordex.ExistsError):
                a2l.create(Module(name="Gateway"))
            self.assertEqual(["Body", "Gateway"], a2l.module_names())


if __name__ == "__main__":
    unittest.main()
