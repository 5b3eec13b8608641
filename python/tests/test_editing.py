"""Building, changing and removing objects through the dataclasses, and writing the result."""
import dataclasses
import unittest

import ordex
from ordex import (A2LFile, Annotation, AxisDescr, Characteristic, CompuMethod, CompuTab,
                   CompuTabPair, CompuVTab, CompuVTabPair, Function, IfData, Measurement,
                   MemorySegment, Module, NumberText, OrdexError, Project, RecordLayout,
                   RecordLayoutElement)

import support


def built_objects():
    """One object of every kind that can be created, each as the reader gives it back
    after a write (byte orders and deposits given, numbers with their texts)."""
    n = NumberText.of
    return [
        MemorySegment(name="Data", long_identifier="data", prg_type="DATA", memory_type="RAM",
                      attribute="INTERN", address=0x4000, size=0x100, offsets=[-1] * 5),
        CompuMethod(name="CM_KMH", long_identifier="speed", conversion_type="RAT_FUNC",
                    format="%6.2", unit="km/h", coeffs=[n(0), n(1), n(0), n(0), n(0), n(2)]),
        CompuTab(name="TAB", long_identifier="table", conversion_type="TAB_INTP",
                 pairs=[CompuTabPair(0, n("0.0")), CompuTabPair(10, n("2.5"))],
                 default_value="out"),
        CompuVTab(name="VT", long_identifier="states", conversion_type="TAB_VERB",
                  pairs=[CompuVTabPair(i, "state %d" % i) for i in range(25)]
                  + [CompuVTabPair(99, "y" * 400)],
                  default_value="?"),
        RecordLayout(name="RL", reserved=[RecordLayoutElement(1, "LONG", None, None, 0)],
                     elements={"FNC_VALUES": RecordLayoutElement(2, "UWORD", "ROW_DIR",
                                                                 "DIRECT", 0),
                               "AXIS_PTS_X": RecordLayoutElement(3, "SWORD", "INDEX_INCR",
                                                                 "DIRECT", 0)}),
        Measurement(name="Speed", long_identifier="vehicle speed", data_type="UWORD",
                    conversion="CM_KMH", resolution=1, accuracy=n("0.5"), lower_limit=n(0),
                    upper_limit=n("320.0"), format="%5.1", byte_order="MSB_LAST",
                    ecu_address=0x2000),
        Characteristic(name="Curve", long_identifier="a curve", type="CURVE", address=0x4010,
                       deposit="RL", max_diff=n(0), conversion="CM_KMH", lower_limit=n(0),
                       upper_limit=n(100), byte_order="MSB_LAST",
                       axes=[AxisDescr(attribute="STD_AXIS", input_quantity="Speed",
                                       conversion="CM_KMH", max_axis_points=8,
                                       lower_limit=n(0), upper_limit=n(320),
                                       deposit_mode="ABSOLUTE")]),
        Function(name="Cruise", long_identifier="cruise control"),
    ]


class BuildAndWriteTest(support.ScratchTestCase):
    def build(self):
        a2l = A2LFile()
        self.addCleanup(a2l.close)
        a2l.create(Project(name="Built", long_identifier="made by the binding",
                           header_comment="head"))
        a2l.create(Module(name="Car", long_identifier="car", byte_order="MSB_FIRST",
                          deposit_mode="ABSOLUTE"))
        for obj in built_objects():
            a2l.create(obj)
        return a2l

    def test_objects_built_by_hand_read_back_equal_after_a_write(self):
        a2l = self.build()
        a2l.add_to("FUNCTION", "Cruise", "DEF_CHARACTERISTIC", "Curve")
        a2l.add_to("FUNCTION", "Cruise", "IN_MEASUREMENT", "Speed")
        a2l.add_to("MEASUREMENT", "Speed", "ANNOTATION", Annotation("L", "O", "note"))
        a2l.add_to("CHARACTERISTIC", "Curve", "IF_DATA", IfData("XCP", "ADDRESS 0x10 "))
        a2l.add_system_constant("WHEELS", "4")
        a2l.write(self.path("built.a2l"), comment="built")
        with A2LFile.open(self.path("built.a2l")) as back:
            for obj in built_objects():
                with self.subTest(kind=type(obj).__name__):
                    got = back.get(type(obj), obj.name)
                    self.assertEqual(dataclasses.replace(obj, module="Car"), got)
            self.assertEqual({"DEF_CHARACTERISTIC": ["Curve"], "IN_MEASUREMENT": ["Speed"]},
                             {k: v for k, v in back.function_lists("Cruise").items() if v})
            self.assertEqual([Annotation("L", "O", "note")],
                             back.annotations("MEASUREMENT", "Speed"))
            self.assertEqual([IfData("XCP", "ADDRESS 0x10 ")],
                             back.if_data("CHARACTERISTIC", "Curve"))
            self.assertEqual("4", back.get("SYSTEM_CONSTANT", "WHEELS").value)
            self.assertEqual(("Built", "head"), (back.project.name, back.project.header_comment))
            self.assertEqual("MSB_FIRST", back.module("Car").byte_order)

    def test_a_second_project_is_refused(self):
        a2l = self.build()
        with self.assertRaises(OrdexError) as caught:
            a2l.create(Project(name="Again"))
        self.assertEqual("rcProjectExists", caught.exception.name)

    def test_values_that_do_not_fit_a_record_are_refused_before_the_call(self):
        a2l = self.build()
        cases = [
            (Measurement(name="M", data_type="UWORD16"), ValueError),
            (Measurement(name="x" * 256), ValueError),
            (Measurement(name="M", lower_limit=object()), TypeError),
            (CompuTab(name="T", pairs=[(i, NumberText.of(i)) for i in range(257)]), ValueError),
            (Characteristic(name="C", axes=[AxisDescr()] * 4), ValueError),
            (Characteristic(name="C", axes=[{"attribute": "STD_AXIS"}]), TypeError),
            (RecordLayout(name="R", elements={"FNC_VALUE": RecordLayoutElement(1)}),
             ValueError),
        ]
        before = a2l.count(["MEASUREMENT", "COMPU_TAB", "CHARACTERISTIC", "RECORD_LAYOUT"])
        for obj, error in cases:
            with self.subTest(obj=type(obj).__name__):
                with self.assertRaises(error):
                    a2l.create(obj)
        self.assertEqual(before, a2l.count(["MEASUREMENT", "COMPU_TAB", "CHARACTERISTIC",
                                            "RECORD_LAYOUT"]))


class ChangeAndRemoveTest(support.ScratchTestCase):
    def setUp(self):
        super().setUp()
        self.a2l = A2LFile.open(support.EXAMPLE)
        self.addCleanup(self.a2l.close)

    def test_change_keeps_what_the_record_does_not_carry(self):
        ignition = self.a2l.characteristic("IgnitionMap")
        ignition.long_identifier = "changed"
        ignition.axes[1].max_axis_points = 12
        self.a2l.change(ignition)
        self.assertEqual(ignition, self.a2l.characteristic("IgnitionMap"))
        speed = self.a2l.update("MEASUREMENT", "EngineSpeed", format="%7.2",
                                upper_limit=NumberText.of(9000))
        self.assertEqual(speed, self.a2l.measurement("EngineSpeed"))
        # The members stay: annotations, IF_DATA, function lists.
        self.assertEqual(1, len(self.a2l.if_data("CHARACTERISTIC", "IgnitionMap")))
        self.a2l.change(dataclasses.replace(self.a2l.project, long_identifier="new"))
        self.assertEqual("new", self.a2l.project.long_identifier)
        self.a2l.change(dataclasses.replace(self.a2l.module(), supplier='"someone"'))
        self.assertEqual('"someone"', self.a2l.module().supplier)

    def test_changing_a_missing_object_raises_and_creates_nothing(self):
        with self.assertRaises(OrdexError) as caught:
            self.a2l.change(Function(name="Nope"))
        self.assertEqual("rcFunctionNotFound", caught.exception.name)
        self.assertFalse(self.a2l.exists("FUNCTION", "Nope"))

    def test_remove_objects_and_list_entries(self):
        self.a2l.remove("CHARACTERISTIC", "IdleSpeedTarget")
        self.a2l.remove("SYSTEM_CONSTANT", "CYLINDERS")
        self.a2l.remove_from("FUNCTION", "Ignition", "IN_MEASUREMENT", "CoolantTemp")
        self.a2l.remove_from("CHARACTERISTIC", "IgnitionMap", "IF_DATA", "ETK")
        self.assertEqual(["IgnitionMap"], self.a2l.names("CHARACTERISTIC"))
        self.assertEqual(["IDLE_SPEED"], self.a2l.names("SYSTEM_CONSTANT"))
        self.assertEqual(["EngineSpeed"], self.a2l.function_lists("Ignition")["IN_MEASUREMENT"])
        self.assertEqual([], self.a2l.if_data("CHARACTERISTIC", "IgnitionMap"))
        cases = [
            (lambda: self.a2l.remove("CHARACTERISTIC", "IdleSpeedTarget"),
             "rcCharacteristicNotFound"),
            (lambda: self.a2l.remove_from("FUNCTION", "Ignition", "IN_MEASUREMENT", "Nope"),
             "rcListEntryNotFound"),
            (lambda: self.a2l.remove_from("FUNCTION", "Nope", "IN_MEASUREMENT", "x"),
             "rcFunctionNotFound"),
            (lambda: self.a2l.remove_from("MEASUREMENT", "EngineSpeed", "IF_DATA", "ETK"),
             "rcIfDataNotFound"),
            (lambda: self.a2l.remove("MODULE", "Nope"), "rcModuleNotFound"),
        ]
        for call, code in cases:
            with self.subTest(code=code):
                with self.assertRaises(OrdexError) as caught:
                    call()
                self.assertEqual(code, caught.exception.name)
        with self.assertRaises(ValueError):
            self.a2l.add_to("FUNCTION", "Ignition", "OUTPUTS", "x")

    def test_remove_module_and_project(self):
        self.a2l.remove("MODULE", "Engine")
        self.assertEqual([], self.a2l.module_names())
        self.a2l.remove("PROJECT")
        with self.assertRaises(OrdexError) as caught:
            self.a2l.project
        self.assertEqual("rcNoProject", caught.exception.name)

    def test_write_options(self):
        seen = set()

        def only_measurements(kind, user_data):
            seen.add(kind)
            return kind != "CHARACTERISTIC"
        self.a2l.write(self.path("filtered.a2l"), module="Engine", comment="no maps",
                       include=only_measurements, progress=lambda percent: False)
        self.assertIn("CHARACTERISTIC", seen)
        with A2LFile.open(self.path("filtered.a2l")) as back:
            self.assertEqual([], back.names("CHARACTERISTIC"))
            self.assertEqual(3, len(back.names("MEASUREMENT")))
        with self.assertRaises(OrdexError) as caught:
            self.a2l.write(self.scratch + "/no/such/folder/x.a2l")
        self.assertEqual("rcOutputCreateFailed", caught.exception.name)


    def test_write_keeps_the_text_read_unless_canonical(self):
        with open(support.EXAMPLE, "rb") as f:
            original = f.read()
        with A2LFile.open(support.EXAMPLE) as a2l:
            a2l.write(self.path("kept.a2l"))
            a2l.write(self.path("canonical.a2l"), canonical=True)
        with open(self.path("kept.a2l"), "rb") as f:
            self.assertEqual(original, f.read())
        with open(self.path("canonical.a2l"), "rb") as f:
            self.assertTrue(f.read().startswith(b"ASAP2_VERSION  1 3\n"))


class StringComparisonTest(unittest.TestCase):
    def test_lookups_may_ignore_the_case_of_names(self):
        with A2LFile.open(support.EXAMPLE) as a2l:
            ordex.configure_string_comparison(True)
            try:
                # The getter keeps the name as asked for.
                self.assertEqual("Engine speed", a2l.measurement("ENGINESPEED").long_identifier)
            finally:
                ordex.configure_string_comparison(False)
            self.assertFalse(a2l.exists("MEASUREMENT", "ENGINESPEED"))


if __name__ == "__main__":
    unittest.main()
