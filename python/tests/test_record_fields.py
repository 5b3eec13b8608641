"""The ctypes records agree with the library's own description of its public records."""
import ctypes
import unittest

from ordex import _library, records


class TRecordField(ctypes.Structure):
    _fields_ = [
        ("Name", ctypes.c_char_p),
        ("Offset", ctypes.c_uint32),
        ("Size", ctypes.c_uint32),
        ("Count", ctypes.c_uint32),
        ("Kind", ctypes.c_int32),
        ("KeywordList", ctypes.c_int32),
        ("SubRecord", ctypes.c_int32),
    ]


# By TOrdexRecordType.
RECORDS = [
    records.TProject, records.TModule, records.TMemorySegment, records.TCharacteristic,
    records.TCharacteristic2, records.TAxisDescr, records.TAxisDescr2, records.TAxisPts,
    records.TMeasurement, records.TFunction, records.TCompuMethod, records.TCompuMethod2,
    records.TCompuTab, records.TCompuTabPair, records.TCompuVTab, records.TCompuVTabPair,
    records.TRecordLayout, records.TRecordLayout2, records.TRecordLayoutElement,
]
INDEX_OUT_OF_RANGE = -204


def described_fields(dll, record_type):
    """The library's fields of the record type, up to the code that ends the walk."""
    fields = []
    field = TRecordField()
    while True:
        rc = dll.Ordex_GetRecordField(record_type, len(fields), ctypes.byref(field))
        if rc != 0:
            return fields, rc
        fields.append((field.Name.decode(), field.Offset, field.Size, field.Count))


class RecordFieldsTest(unittest.TestCase):
    def setUp(self):
        self.dll = _library.load().dll
        self.dll.Ordex_GetRecordField.argtypes = [ctypes.c_int32, ctypes.c_uint32,
                                                  ctypes.POINTER(TRecordField)]
        self.dll.Ordex_GetRecordField.restype = ctypes.c_int

    def test_every_record_has_the_fields_of_its_ctypes_class(self):
        for record_type, cls in enumerate(RECORDS):
            with self.subTest(record=cls.__name__):
                fields, rc = described_fields(self.dll, record_type)
                self.assertEqual(INDEX_OUT_OF_RANGE, rc)
                ours = [(name, getattr(cls, name).offset, getattr(cls, name).size)
                        for name, _ in cls._fields_]
                self.assertEqual(ours, [(n, o, s) for n, o, s, _ in fields])

    def test_bad_arguments_give_their_codes(self):
        field = TRecordField()
        self.assertEqual(-1, self.dll.Ordex_GetRecordField(len(RECORDS), 0, ctypes.byref(field)))
        self.assertEqual(-1, self.dll.Ordex_GetRecordField(-1, 0, ctypes.byref(field)))
        self.assertEqual(-205, self.dll.Ordex_GetRecordField(8, 0, None))


if __name__ == "__main__":
    unittest.main()
