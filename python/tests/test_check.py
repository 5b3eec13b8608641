"""The consistency check and the referrers of a name, through the binding."""
import os
import re
import unittest

import ordex
from ordex import Finding, OrdexError, Referrer, findings

import support

CHECK_DATA = os.path.join(support.DATA, "check")


class CheckTest(unittest.TestCase):
    def open(self, path):
        a2l = ordex.A2LFile.open(path)
        self.addCleanup(a2l.close)
        return a2l

    def test_kept_summary_and_its_findings(self):
        a2l = self.open(os.path.join(CHECK_DATA, "kept_content.a2l"))
        summary = a2l.kept_summary()
        self.assertEqual([("UNIT", 2, 6, "M", ""), ("GROUP", 2, 16, "M", "")],
                         [(k.keyword, k.count, k.line, k.module, k.object) for k in summary[:2]])
        self.assertEqual(("SYMBOL_LINK", "Speed"), (summary[-1].keyword, summary[-1].object))
        self.assertEqual(["GROUPP", "BIT_MSK", "DISPLAY_IDENTIFER", "ECU_ADRES", "ALIGNMNT_BYTE"],
                         [f.value for f in a2l.check() if f.code == "unknown-keyword"])

    def test_findings_of_a_file_with_planted_faults(self):
        a2l = self.open(os.path.join(CHECK_DATA, "verbal_range_reference.a2l"))
        self.assertEqual(
            [Finding("warning", "dangling-reference", "M", "COMPU_METHOD", "CM_GEAR",
                     "CompuTabRef", "GearRanges",
                     "CompuTabRef names GearRanges, but no COMPU_VTAB of that name exists "
                     "(it may name a COMPU_VTAB_RANGE, which is not kept)"),
             Finding("warning", "limit-outside-data-type", "M", "MEASUREMENT", "Pedal",
                     "UpperLimit", "1000",
                     "UpperLimit 1000 lies above 255, the highest value of UBYTE")],
            a2l.check())

    def test_notes_only_when_asked_for_and_per_module(self):
        a2l = self.open(support.TWO_MODULES)
        self.assertEqual([], a2l.check())
        self.assertEqual([("note", "not-in-function", "Body", "DimAxis")],
                         [(f.severity, f.code, f.module, f.name) for f in a2l.check(notes=True)])
        self.assertEqual([], a2l.check(module="Gateway", notes=True))

    def test_an_empty_file_holds_nothing_to_check(self):
        a2l = self.open(os.path.join(CHECK_DATA, "empty_input"))
        with self.assertRaises(OrdexError) as caught:
            a2l.check()
        self.assertEqual("rcNoProject", caught.exception.name)

    def test_referrers_of_a_name_with_their_fields(self):
        a2l = self.open(os.path.join(support.DATA, "references_of_every_kind.a2l"))
        self.assertEqual(
            [Referrer("CHARACTERISTIC", "Map", "Axes[1].Conversion", ("COMPU_METHOD",)),
             Referrer("CHARACTERISTIC", "Map2", "Conversion", ("COMPU_METHOD",)),
             Referrer("MEASUREMENT", "Both", "Conversion", ("COMPU_METHOD",)),
             Referrer("FUNCTION", "F", "IN_MEASUREMENT", ("MEASUREMENT",))],
            a2l.referrers("Both"))
        self.assertEqual([], a2l.referrers("Unused"))

    def test_codes_and_severities_are_those_of_the_header(self):
        with open(support.HEADER) as f:
            header = f.read()

        def enum(name):
            body = re.search(r"typedef enum %s \{(.*?)\} %s;" % (name, name), header, re.S)
            return {re.sub(r"(?<=[a-z])(?=[A-Z])", "-", k[2:]).lower(): int(v)
                    for k, v in re.findall(r"(\w+) = (-?\d+)", body.group(1))}

        self.assertEqual(enum("TOrdexFindingCode"), findings.FINDING_CODES)
        self.assertEqual(enum("TOrdexFindingSeverity"), findings.SEVERITIES)


if __name__ == "__main__":
    unittest.main()
