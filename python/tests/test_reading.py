"""Reading files: objects of every kind as dataclasses, lookups by name, members of objects,
errors and progress."""
import os
import unittest

import ordex
from ordex import NumberText, OrdexError

import support


class ExampleFileTest(unittest.TestCase):
    def setUp(self):
        self.a2l = ordex.A2LFile.open(support.EXAMPLE)
        self.addCleanup(self.a2l.close)

    def test_project_and_module_records(self):
        project = self.a2l.project
        self.assertEqual(("EngineDemo", 1, 31, "ED2026"),
                         (project.name, project.asap2_version, project.asap2_upgrade,
                          project.header_project_no))
        module = self.a2l.module()
        self.assertEqual(("Engine", "ABSOLUTE", "MSB_LAST", '"V1.0"', 0x80000000),
                         (module.name, module.deposit_mode, module.byte_order, module.version,
                          module.addr_epk))

    def test_names_and_objects_of_each_kind_in_file_order(self):
        cases = [
            ("CHARACTERISTIC", ["IdleSpeedTarget", "IgnitionMap"]),
            ("MEASUREMENT", ["EngineSpeed", "CoolantTemp", "EngineState"]),
            ("FUNCTION", ["SpeedControl", "Ignition"]),
            ("COMPU_METHOD", ["CM_RPM", "CM_TEMP", "CM_STATE", "CM_LOAD"]),
            ("COMPU_TAB", ["TAB_LOAD"]),
            ("COMPU_VTAB", ["VT_STATE"]),
            ("RECORD_LAYOUT", ["RL_VALUE_UWORD", "RL_MAP_UWORD"]),
            ("MEMORY_SEGMENT", ["Calibration", "Ram"]),
            ("SYSTEM_CONSTANT", ["CYLINDERS", "IDLE_SPEED"]),
            ("AXIS_PTS", []),
        ]
        for kind, names in cases:
            with self.subTest(kind=kind):
                self.assertEqual(names, self.a2l.names(kind))
                objects = list(self.a2l.objects(kind))
                self.assertEqual(names, [o.name for o in objects])
                self.assertTrue(all(o.module == "Engine" for o in objects))
        self.assertEqual(["IgnitionMap"], self.a2l.names("characteristic", pattern="Ig*"))
        self.assertEqual(19, len(list(self.a2l.objects())))

    def test_coded_fields_come_as_keywords(self):
        speed = self.a2l.measurement("EngineSpeed")
        self.assertEqual(("UWORD", "MSB_LAST", 0xD0000010, NumberText("8000", 8000.0)),
                         (speed.data_type, speed.byte_order, speed.ecu_address,
                          speed.upper_limit))
        ignition = self.a2l.characteristic("IgnitionMap")
        self.assertEqual("MAP", ignition.type)
        self.assertEqual([("STD_AXIS", "EngineSpeed", 8), ("STD_AXIS", "CoolantTemp", 6)],
                         [(a.attribute, a.input_quantity, a.max_axis_points)
                          for a in ignition.axes])
        self.assertEqual([], self.a2l.characteristic("IdleSpeedTarget").axes)
        layout = self.a2l.get("RECORD_LAYOUT", "RL_MAP_UWORD")
        self.assertEqual(["AXIS_PTS_X", "AXIS_PTS_Y", "FNC_VALUES", "NO_AXIS_PTS_X",
                          "NO_AXIS_PTS_Y"], sorted(layout.elements))
        x = layout.elements["AXIS_PTS_X"]
        self.assertEqual((3, "UWORD", "INDEX_INCR", "DIRECT"),
                         (x.position, x.data_type, x.index_mode, x.addressing))
        self.assertEqual("COLUMN_DIR", layout.elements["FNC_VALUES"].index_mode)
        vtab = self.a2l.get("COMPU_VTAB", "VT_STATE")
        self.assertEqual([(0, "Off"), (1, "Cranking"), (2, "Running")],
                         [(p.in_val, p.out_text) for p in vtab.pairs])

    def test_a_missing_object_raises_the_kinds_not_found_code(self):
        cases = [("CHARACTERISTIC", "rcCharacteristicNotFound"),
                 ("MEASUREMENT", "rcMeasurementNotFound"),
                 ("FUNCTION", "rcFunctionNotFound"), ("COMPU_TAB", "rcCompuTabNotFound"),
                 ("RECORD_LAYOUT", "rcRecordLayoutNotFound"),
                 ("SYSTEM_CONSTANT", "rcSystemConstantNotFound")]
        for kind, code in cases:
            with self.subTest(kind=kind):
                with self.assertRaises(OrdexError) as caught:
                    self.a2l.get(kind, "Nope")
                self.assertEqual(code, caught.exception.name)
                self.assertIsNone(caught.exception.report)
                self.assertFalse(self.a2l.exists(kind, "Nope"))
        self.assertTrue(self.a2l.exists("MEASUREMENT", "EngineSpeed"))
        with self.assertRaises(ValueError):
            self.a2l.get("GADGET", "x")

    def test_members_of_objects(self):
        self.assertEqual([ordex.Annotation("Note", "Calibration team", "Raised for cold starts.")],
                         self.a2l.annotations("CHARACTERISTIC", "IdleSpeedTarget"))
        self.assertEqual([ordex.IfData("ETK", "ADDRESS 0x80010100 ")],
                         self.a2l.if_data("CHARACTERISTIC", "IgnitionMap"))
        lists = self.a2l.function_lists("SpeedControl")
        self.assertEqual(["IdleSpeedTarget"], lists["DEF_CHARACTERISTIC"])
        # EngineSpeed's FUNCTION_LIST adds it to the function's inputs.
        self.assertEqual(["CoolantTemp", "EngineState", "EngineSpeed"], lists["IN_MEASUREMENT"])
        self.assertEqual([], lists["SUB_FUNCTION"])

    def test_count_of_objects(self):
        self.assertEqual(5, self.a2l.count(["CHARACTERISTIC", "MEASUREMENT"]))
        self.assertEqual(1, self.a2l.count("COMPU_TAB"))

    def test_closed_file_refuses_work(self):
        self.a2l.close()
        with self.assertRaises(OrdexError) as caught:
            self.a2l.project
        self.assertEqual("rcNoInstance", caught.exception.name)
        self.a2l.close()  # twice is harmless


class TwoModulesTest(unittest.TestCase):
    def setUp(self):
        self.a2l = ordex.A2LFile.open(support.TWO_MODULES)
        self.addCleanup(self.a2l.close)

    def test_objects_of_every_module_unless_one_is_named(self):
        self.assertEqual(["Body", "Gateway"], self.a2l.module_names())
        self.assertEqual([("Light", "Body"), ("Dimmer", "Body"), ("Light", "Gateway")],
                         [(m.name, m.module) for m in self.a2l.measurements()])
        self.assertEqual(["Light"], self.a2l.names("MEASUREMENT", module="Gateway"))
        self.assertEqual("Light relayed", self.a2l.measurement("Light", "Gateway").long_identifier)
        with self.assertRaises(OrdexError) as caught:
            self.a2l.measurement("Light")  # no module named in a file of two
        self.assertEqual("rcModuleNotFound", caught.exception.name)

    def test_mod_par_entries(self):
        segments = list(self.a2l.memory_segments("Body"))
        self.assertEqual([("1", "PRG_DATA", None), ("Flash", "CODE", "FLASH")],
                         [(s.name, s.prg_type, s.memory_type) for s in segments])
        method = self.a2l.get("CALIBRATION_METHOD", "InCircuit", "Body")
        self.assertEqual((2, [[0x10, 0x20, 3], [7]]), (method.version, method.handles))
        self.assertEqual([("DOORS", "5")],
                         [(c.name, c.value) for c in self.a2l.system_constants()])
        self.assertEqual([ordex.VarCriterion("Trim", "trim level", "Light", "", "Body")],
                         list(self.a2l.objects("VAR_CRITERION")))

    def test_members_and_references(self):
        self.assertEqual([ordex.IfData("XCP", "PROTOCOL_LAYER 1 ")],
                         self.a2l.if_data("MODULE", "Body"))
        self.assertEqual([ordex.IfData("XCP", "SEGMENT 1 2 ")],
                         self.a2l.if_data("MEMORY_SEGMENT", "Flash", "Body"))
        self.assertEqual(["Dimmer", "Light"], self.a2l.virtuals("Light", "Body"))
        self.assertEqual([ordex.Annotation("Wiring", "Harness", "Pin 4, active high")],
                         self.a2l.annotations("MEASUREMENT", "Light", "Body"))
        self.assertIsNone(self.a2l.publishing_function("MEASUREMENT", "Light", "Body"))
        seen = []
        self.assertTrue(self.a2l.reference_finder(0x3, progress=seen.append))
        self.assertEqual(100, seen[-1])
        self.assertFalse(self.a2l.reference_finder(0x1, progress=lambda percent: True))
        self.assertEqual("Lighting", self.a2l.publishing_function("MEASUREMENT", "Light", "Body"))
        self.assertEqual("Lighting", self.a2l.publishing_function("FUNCTION", "Dimming", "Body"))

    def test_hexadecimal_limits_read_as_an_empty_number_text(self):
        dimmer = self.a2l.measurement("Dimmer", "Body")
        self.assertEqual((NumberText("", 0.0), NumberText("", 0.0)),
                         (dimmer.lower_limit, dimmer.upper_limit))


class ReadFailuresTest(support.ScratchTestCase):
    def test_failures_carry_the_code_name_and_the_error_report(self):
        cases = [
            ("missing file", None, "rcFileOpenFailed"),
            ("bad number", "/begin PROJECT P \"\"\n/begin MODULE M \"\"\n"
             "/begin MEASUREMENT X \"\" UBYTE NO 1x 0 0 1\n/end MEASUREMENT\n"
             "/end MODULE\n/end PROJECT\n", "rcBadNumber"),
            ("open block", "/begin PROJECT P \"\"\n/begin MODULE M \"\"\n/end PROJECT\n",
             "rcBlockNesting"),
        ]
        for what, text, code in cases:
            with self.subTest(what):
                path = self.path("missing.a2l") if text is None else \
                    self.write_file(what.replace(" ", "_") + ".a2l", text)
                with self.assertRaises(OrdexError) as caught:
                    ordex.A2LFile.open(path)
                self.assertEqual(code, caught.exception.name)
                self.assertEqual(ordex.RETURN_CODES[code], caught.exception.code)
                self.assertIn(code, str(caught.exception))
                self.assertTrue(caught.exception.report.startswith(
                    "Error detected" if text else "No error"), caught.exception.report)

    def test_the_report_names_the_line_and_the_object(self):
        path = self.write_file("report.a2l", "/begin PROJECT P \"\"\n/begin MODULE M \"\"\n\n"
                               "/begin MEASUREMENT X \"\" UBYTE NO 1x 0 0 1\n")
        with self.assertRaises(OrdexError) as caught:
            ordex.A2LFile.open(path)
        self.assertIn("(near to line ", caught.exception.report)
        self.assertIn("MEASUREMENT X", caught.exception.report)

    def test_a_failure_in_an_include_names_the_include_line_column_and_token(self):
        self.write_file("part.a2l", "/begin MEASUREMENT X \"\" UBYTE NO_COMPU_METHOD 0 0 0 1\n"
                        "  ECU_ADDRESS 0x1G\n/end MEASUREMENT\n")
        path = self.write_file("top.a2l", "/begin PROJECT P \"\"\n/begin MODULE M \"\"\n"
                               "/include \"part.a2l\"\n/end MODULE\n/end PROJECT\n")
        with self.assertRaises(OrdexError) as caught:
            ordex.A2LFile.open(path)
        e = caught.exception
        self.assertEqual((os.path.basename(e.file), e.line, e.column, e.token, e.expected),
                         ("part.a2l", 2, 15, "0x1G", "a hexadecimal number"))
        self.assertEqual(e.source_line, "  ECU_ADDRESS 0x1G")
        self.assertIn("part.a2l:2:15: expected a hexadecimal number", str(e))

    def test_progress_is_reported_and_can_stop_the_read(self):
        seen = []
        with ordex.A2LFile.open(support.EXAMPLE, progress=seen.append):
            pass
        self.assertGreater(len(seen), 10)
        self.assertEqual(sorted(seen), seen)
        self.assertTrue(all(0 <= p <= 100 for p in seen))
        with self.assertRaises(OrdexError) as caught:
            ordex.A2LFile.open(support.EXAMPLE, progress=lambda percent: percent >= 50)
        self.assertEqual("rcAbortedByCallback", caught.exception.name)

    def test_an_exception_in_the_progress_callback_stops_the_read_and_is_raised(self):
        def explode(percent):
            raise KeyError("stop here")
        with self.assertRaises(KeyError):
            ordex.A2LFile.open(support.EXAMPLE, progress=explode)

    def test_file_head_without_reading(self):
        self.assertEqual((1, 61), ordex.A2LFile.file_head(support.TWO_MODULES)[:2])
        with self.assertRaises(OrdexError) as caught:
            ordex.A2LFile.file_head(self.path("none.a2l"))
        self.assertEqual("rcFileOpenFailed", caught.exception.name)


class KeptBlocksTest(unittest.TestCase):
    """What the file holds beyond the records, as trees, for a module, the text outside the
    modules and an object."""

    def setUp(self):
        self.a2l = ordex.A2LFile.open(os.path.join(support.DATA, "kept",
                                                   "newer_standard_content.a2l"))
        self.addCleanup(self.a2l.close)

    def test_trees_of_each_scope(self):
        def outline(blocks):
            return [(b.keyword, b.name, b.tokens, [c.keyword for c in b.children], b.within)
                    for b in blocks]
        group = next(b for b in self.a2l.blocks() if b.keyword == "GROUP")
        self.assertEqual(("Root", "newer_standard_groups.inc", 1), (
            group.name, os.path.basename(group.file), group.line))
        self.assertEqual([("ROOT", []), ("REF_CHARACTERISTIC", ["Map"]),
                          ("REF_MEASUREMENT", ["Speed"]), ("SUB_GROUP", ["Engine_Details"])],
                         [(c.keyword, c.tokens) for c in group.children])
        self.assertEqual(["A2ML", "ALIGNMENT_INT64", "GROUP", "UNIT", "TYPEDEF_STRUCTURE",
                          "INSTANCE", "BLOB", "COMPU_VTAB_RANGE"],
                         [b.keyword for b in self.a2l.blocks(module="Engine")])
        self.assertEqual(["INSTANCE", "MATRIX_DIM", "OVERWRITE", "PHYS_UNIT"],
                         [b.keyword for b in self.a2l.blocks()[5].walk()])
        self.assertEqual([("A2ML_VERSION", "", ["1", "31"], [], "")],
                         outline(self.a2l.blocks("PROJECT")))
        self.assertEqual([("SYMBOL_LINK", "", ['"map_symbol"', "0"], [], ""),
                          ("MATRIX_DIM", "", ["2", "3", "4"], [], ""),
                          ("PHYS_UNIT", "", ['"rpm"'], [], "AXIS_DESCR"),
                          ("DISPLAY_IDENTIFIER", "", ["map_display"], [], "")],
                         outline(self.a2l.blocks(ordex.Characteristic, "Map")))
        self.assertEqual([("FUNCTION_VERSION", "", ['"2.1"'], [], ""),
                          ("IF_DATA", "ASAM", ["ASAM"], ["VENDOR"], "")],
                         outline(self.a2l.blocks("functions", "Control")))

    def test_unknown_names_and_kinds(self):
        with self.assertRaises(ordex.NotFoundError):
            self.a2l.blocks("CHARACTERISTIC", "Nothing")
        with self.assertRaises(ordex.InvalidArgumentError):
            self.a2l.blocks("MEMORY_SEGMENT", "Code")


class TextEncodingTest(support.ScratchTestCase):
    TEXT = ("/begin PROJECT P \"caf\xe9 \xc3\xbc\"\n/begin MODULE M \"\"\n"
            "/end MODULE\n/end PROJECT\n").encode("latin-1")

    def test_every_byte_comes_back_as_it_was(self):
        path = self.write_file("latin1.a2l", self.TEXT)
        with ordex.A2LFile.open(path) as a2l:
            text = a2l.project.long_identifier
            self.assertEqual("caf\udce9 \u00fc", text)  # é is no UTF-8, ü is
            self.assertEqual(b"caf\xe9 \xc3\xbc", text.encode("utf-8", "surrogateescape"))
            a2l.write(self.path("written.a2l"))
        with open(self.path("written.a2l"), "rb") as f:
            self.assertIn(b'"caf\xe9 \xc3\xbc"', f.read())
        with ordex.A2LFile.open(path, encoding="latin-1") as a2l:
            self.assertEqual("caf\xe9 \xc3\xbc", a2l.project.long_identifier)


if __name__ == "__main__":
    unittest.main()
