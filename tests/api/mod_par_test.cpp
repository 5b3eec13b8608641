// MOD_COMMON and MOD_PAR as the reader takes them, read back through Ordex_GetModule and
// the getters of memory segments, calibration methods and handles, and system constants.

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using ordex_test::readError;
using ordex_test::readText;

// A project with one module "M" holding body; line 4 is the first line of body.
std::string moduleFile(const std::string& body) {
  return "ASAP2_VERSION 1 31\n"
         "/begin PROJECT P \"\"\n"
         "  /begin MODULE M \"\"\n" +
         body +
         "  /end MODULE\n"
         "/end PROJECT\n";
}

std::string modCommon(const std::string& items) {
  return "    /begin MOD_COMMON \"\"\n" + items + "\n    /end MOD_COMMON\n";
}

std::string modPar(const std::string& items) {
  return "    /begin MOD_PAR \"\"\n" + items + "\n    /end MOD_PAR\n";
}

TModule getModule(TOrdex* inst) {
  TModule m;
  std::memset(&m, 0, sizeof m);
  EXPECT_EQ(Ordex_GetModule(inst, &m, 0), rcOk);
  return m;
}

TMemorySegment segmentRecord(const char* name) {
  TMemorySegment s;
  std::memset(&s, 0, sizeof s);
  std::strcpy(s.Name, name);
  return s;
}

// Name comparison is process-wide: a test that switches it on switches it off again
// whatever happens, so later tests start exact.
struct CaseInsensitiveNames {
  CaseInsensitiveNames() { Ordex_ConfigureStringComparison(1); }
  ~CaseInsensitiveNames() { Ordex_ConfigureStringComparison(0); }
};

// ---------------------------------------------------------------------------------------
// MOD_COMMON and the MOD_PAR values of the module record

TEST(ModCommon, ModuleWithoutModCommonOrModParHasDefaults) {
  Instance inst;
  ASSERT_EQ(readText(inst, moduleFile("")), rcOk);
  TModule m = getModule(inst);
  EXPECT_EQ(m.ByteOrder, 4);
  EXPECT_EQ(m.DepositMode, -1);
  EXPECT_EQ(m.AlignmentByte, 0);
  EXPECT_EQ(m.AlignmentFloat64Ieee, 0);
  EXPECT_EQ(m.AddrEpk, 0xFFFFFFFFu);
  EXPECT_EQ(m.NoOfInterfaces, 0);
  EXPECT_STREQ(m.Version, "");

  // No MOD_PAR: every MOD_PAR list is empty.
  TMemorySegment seg = segmentRecord("1");
  EXPECT_EQ(Ordex_GetMemorySegment(inst, nullptr, &seg, 1), rcMemorySegmentNotFound);
  TCalibrationMethod method{};
  EXPECT_EQ(Ordex_GetCalibrationMethod(inst, nullptr, &method, 1), rcCalibrationMethodNotFound);
  TSystemConstant constant{};
  EXPECT_EQ(Ordex_GetSystemConstant(inst, nullptr, &constant, 1), rcSystemConstantNotFound);
}

struct ModuleValueCase {
  const char* name;
  std::string body;  // MOD_COMMON and MOD_PAR blocks
  std::function<long long(const TModule&)> field;
  long long expected;
};

class ModuleValues : public ::testing::TestWithParam<ModuleValueCase> {};

TEST_P(ModuleValues, AreReadAsExpected) {
  const ModuleValueCase& c = GetParam();
  Instance inst;
  ASSERT_EQ(readText(inst, moduleFile(c.body)), rcOk) << c.name;
  EXPECT_EQ(c.field(getModule(inst)), c.expected) << c.name;
}

long long byteOrder(const TModule& m) {
  return m.ByteOrder;
}
long long deposit(const TModule& m) {
  return m.DepositMode;
}

const ModuleValueCase kModuleValues[] = {
    {"byte order MSB_FIRST", modCommon("BYTE_ORDER MSB_FIRST"), byteOrder, 3},
    {"byte order DUMMY is an entry", modCommon("BYTE_ORDER DUMMY"), byteOrder, 0},
    {"byte order in lower case", modCommon("BYTE_ORDER msb_first"), byteOrder, -1},
    {"deposit ABSOLUTE", modCommon("DEPOSIT ABSOLUTE"), deposit, 1},
    {"deposit DIFFERENCE", modCommon("DEPOSIT DIFFERENCE"), deposit, 0},
    {"deposit in lower case", modCommon("DEPOSIT absolute"), deposit, -1},
    {"alignment decimal", modCommon("ALIGNMENT_WORD 2"),
     [](const TModule& m) { return m.AlignmentWord; }, 2},
    {"alignment octal", modCommon("ALIGNMENT_BYTE 010"),
     [](const TModule& m) { return m.AlignmentByte; }, 8},
    {"alignment hexadecimal", modCommon("ALIGNMENT_LONG 0x10"),
     [](const TModule& m) { return m.AlignmentLong; }, 16},
    {"alignment cut to 16 bits", modCommon("ALIGNMENT_FLOAT32_IEEE 65540"),
     [](const TModule& m) { return m.AlignmentFloat32Ieee; }, 4},
    {"alignment negative", modCommon("ALIGNMENT_FLOAT64_IEEE -8"),
     [](const TModule& m) { return m.AlignmentFloat64Ieee; }, -8},
    {"ADDR_EPK is base 16 without 0x", modPar("ADDR_EPK 1234"),
     [](const TModule& m) { return m.AddrEpk; }, 0x1234},
    {"ADDR_EPK given twice keeps the later", modPar("ADDR_EPK 0x12 ADDR_EPK 0xF"),
     [](const TModule& m) { return m.AddrEpk; }, 0xF},
    {"ECU_CALIBRATION_OFFSET is base 16", modPar("ECU_CALIBRATION_OFFSET 100"),
     [](const TModule& m) { return m.EcuCalibrationOffset; }, 0x100},
    {"NO_OF_INTERFACES cut to 16 bits", modPar("NO_OF_INTERFACES 70000"),
     [](const TModule& m) { return m.NoOfInterfaces; }, 70000 - 65536},
    {"keywords of another block are ignored", modCommon("VERSION 7 BYTE_ORDER BIG_ENDIAN"),
     byteOrder, 2},
};

INSTANTIATE_TEST_SUITE_P(ModCommonAndModPar, ModuleValues, ::testing::ValuesIn(kModuleValues));

TEST(ModPar, TextsKeepTheTokenAsWritten) {
  Instance inst;
  ASSERT_EQ(readText(inst, moduleFile(modCommon("S_REC_LAYOUT S_ABL") +
                                      "    /begin MOD_PAR \"management data\"\n"
                                      "      VERSION \"v1.0\" EPK \"epk 1\" SUPPLIER \"fake inc\"\n"
                                      "      CUSTOMER bare CUSTOMER_NO \"42\" USER \"me\"\n"
                                      "      PHONE_NO \"911\" ECU \"box\" CPU_TYPE \"PPC\"\n"
                                      "    /end MOD_PAR\n")),
            rcOk);
  TModule m = getModule(inst);
  EXPECT_STREQ(m.SRecLayout, "S_ABL");
  EXPECT_STREQ(m.ModParComment, "management data");
  EXPECT_STREQ(m.Version, "\"v1.0\"");
  EXPECT_STREQ(m.Epk, "\"epk 1\"");
  EXPECT_STREQ(m.Supplier, "\"fake inc\"");
  EXPECT_STREQ(m.Customer, "bare");
  EXPECT_STREQ(m.CustomerNo, "\"42\"");
  EXPECT_STREQ(m.User, "\"me\"");
  EXPECT_STREQ(m.PhoneNo, "\"911\"");
  EXPECT_STREQ(m.Ecu, "\"box\"");
  EXPECT_STREQ(m.CpuType, "\"PPC\"");
}

TEST(ModPar, ValueTokenThatIsAKeywordIsTakenAsKeywordToo) {
  Instance inst;
  ASSERT_EQ(readText(inst, moduleFile(modPar("SUPPLIER ECU \"box\""))), rcOk);
  TModule m = getModule(inst);
  EXPECT_STREQ(m.Supplier, "ECU");
  EXPECT_STREQ(m.Ecu, "\"box\"");
}

// ---------------------------------------------------------------------------------------
// Bad numbers: -122 with the line and the object being read

struct BadNumberCase {
  const char* name;
  std::string body;
  const char* report;
};

class BadNumbers : public ::testing::TestWithParam<BadNumberCase> {};

TEST_P(BadNumbers, StopTheReadAndAreReported) {
  const BadNumberCase& c = GetParam();
  Instance inst;
  EXPECT_EQ(readText(inst, moduleFile(c.body)), rcBadNumber) << c.name;
  EXPECT_EQ(readError(inst), c.report) << c.name;
}

// The reader runs three tokens ahead of the token being parsed: the failing token is
// followed by three more on its line, so the report names that line.
const BadNumberCase kBadNumbers[] = {
    {"alignment with a letter",
     "    /begin MOD_COMMON \"\"\n"
     "      ALIGNMENT_LONG 4x ALIGNMENT_WORD 2 ALIGNMENT_BYTE 1\n"
     "    /end MOD_COMMON\n",
     "Error detected (near to line 5): Actually parsed object: PROJECT P, MODULE M, MOD_COMMON"},
    {"bit mask not hexadecimal",
     "    /begin MOD_COMMON \"\"\n"
     "      BIT_MASK 0xFFG ALIGNMENT_WORD 2 ALIGNMENT_BYTE 1\n"
     "    /end MOD_COMMON\n",
     "Error detected (near to line 5): Actually parsed object: PROJECT P, MODULE M, MOD_COMMON"},
    {"ADDR_EPK",
     "    /begin MOD_PAR \"\"\n"
     "      ADDR_EPK 12g EPK \"e\" ECU \"x\"\n"
     "    /end MOD_PAR\n",
     "Error detected (near to line 5): Actually parsed object: PROJECT P, MODULE M, MOD_PAR"},
    {"segment address",
     "    /begin MOD_PAR \"\"\n"
     "      /begin MEMORY_SEGMENT Data \"\" DATA FLASH INTERN\n"
     "        0x100z 0x10 -1 -1 -1 -1 -1\n"
     "      /end MEMORY_SEGMENT\n"
     "    /end MOD_PAR\n",
     "Error detected (near to line 6): Actually parsed object: PROJECT P, MODULE M, MOD_PAR, "
     "MEMORY_SEGMENT Data"},
    {"method version",
     "    /begin MOD_PAR \"\"\n"
     "      /begin CALIBRATION_METHOD \"InCircuit\"\n"
     "        1x /end CALIBRATION_METHOD /end MOD_PAR\n",
     "Error detected (near to line 6): Actually parsed object: PROJECT P, MODULE M, MOD_PAR, "
     "CALIBRATION_METHOD InCircuit"},
    {"handle value after a closed handle",
     "    /begin MOD_PAR \"\"\n"
     "      /begin CALIBRATION_METHOD \"InCircuit\" 2\n"
     "        /begin CALIBRATION_HANDLE 1 /end CALIBRATION_HANDLE\n"
     "        /begin CALIBRATION_HANDLE\n"
     "          0x1q /end CALIBRATION_HANDLE /end CALIBRATION_METHOD\n"
     "    /end MOD_PAR\n",
     "Error detected (near to line 8): Actually parsed object: PROJECT P, MODULE M, MOD_PAR, "
     "CALIBRATION_METHOD InCircuit; Last parsed object: PROJECT P, MODULE M, MOD_PAR, "
     "CALIBRATION_METHOD InCircuit"},
    // A layout's path is a blank and its number, not under MOD_PAR, so the report falls
    // back to the MOD_PAR block.
    {"layout size",
     "    /begin MOD_PAR \"\"\n"
     "      /begin MEMORY_LAYOUT PRG_DATA 0x0\n"
     "        0x8000# -1 -1 -1 -1 -1\n"
     "      /end MEMORY_LAYOUT\n"
     "    /end MOD_PAR\n",
     "Error detected (near to line 6): Actually parsed object: PROJECT P, MODULE M, MOD_PAR"},
    {"one-line layout offset",
     "    /begin MOD_PAR \"\"\n"
     "      MEMORY_LAYOUT PRG_DATA 0x0 0x8000 -1 -1 -1 -1 --1 VERSION \"v\" ECU \"e\"\n"
     "    /end MOD_PAR\n",
     "Error detected (near to line 5): Actually parsed object: PROJECT P, MODULE M, MOD_PAR"},
    // A closed segment stays the deepest path until another sub-block begins.
    {"after a segment",
     "    /begin MOD_PAR \"\"\n"
     "      /begin MEMORY_SEGMENT Data \"\" DATA RAM INTERN 0 1 0 0 0 0 0 /end MEMORY_SEGMENT\n"
     "      ADDR_EPK 12g EPK \"e\" ECU \"x\"\n"
     "    /end MOD_PAR\n",
     "Error detected (near to line 6): Actually parsed object: PROJECT P, MODULE M, MOD_PAR, "
     "MEMORY_SEGMENT Data; Last parsed object: PROJECT P, MODULE M, MOD_PAR, MEMORY_SEGMENT Data"},
    {"after a layout",
     "    /begin MOD_PAR \"\"\n"
     "      /begin MEMORY_LAYOUT PRG_CODE 0 1 0 0 0 0 0 /end MEMORY_LAYOUT\n"
     "      ADDR_EPK 12g EPK \"e\" ECU \"x\"\n"
     "    /end MOD_PAR\n",
     "Error detected (near to line 6): Actually parsed object: PROJECT P, MODULE M, MOD_PAR; "
     "Last parsed object:  1"},
};

INSTANTIATE_TEST_SUITE_P(ModCommonAndModPar, BadNumbers, ::testing::ValuesIn(kBadNumbers));

// ---------------------------------------------------------------------------------------
// Memory segments and layouts

const char* const kSegments =
    "    /begin MOD_PAR \"\"\n"
    "      /begin MEMORY_LAYOUT PRG_RESERVED 0x0 0x8000 -1 -2 -3 -4 -5\n"
    "        /begin IF_DATA XCP /begin SEGMENT 0 1 /end SEGMENT /end IF_DATA\n"
    "      /end MEMORY_LAYOUT\n"
    "      /begin MEMORY_LAYOUT DUMMY 0x8000 0x100 0 0 0 0 0 /end MEMORY_LAYOUT\n"
    "      /begin MEMORY_SEGMENT Data \"calibration data\"\n"
    "        DATA FLASH EXTERN 0x10000 100 1 2 3 4 0x10\n"
    "      /end MEMORY_SEGMENT\n"
    "      /begin MEMORY_SEGMENT Code \"\" code flash intern 0 0 0 0 0 0 0 /end MEMORY_SEGMENT\n"
    "      MEMORY_LAYOUT PRG_DATA 0x20 0x40 1 2 3 4 5\n"
    "      /begin MEMORY_SEGMENT Data \"the second Data\" DATA RAM INTERN 0x20000 0 0 0 0 0 0\n"
    "      /end MEMORY_SEGMENT\n"
    "    /end MOD_PAR\n";

TEST(MemorySegment, SegmentFieldsAndKeywordLists) {
  Instance inst;
  ASSERT_EQ(readText(inst, moduleFile(kSegments)), rcOk);
  TMemorySegment s = segmentRecord("Data");
  ASSERT_EQ(Ordex_GetMemorySegment(inst, nullptr, &s, 0), rcOk);
  EXPECT_STREQ(s.Name, "Data");
  EXPECT_STREQ(s.LongIdentifier, "calibration data");  // first of two entries named Data
  EXPECT_EQ(s.PrgType, 1);
  EXPECT_EQ(s.MemoryType, 5);
  EXPECT_EQ(s.Attribute, 1);
  EXPECT_EQ(s.Address, 0x10000u);
  EXPECT_EQ(s.Size, 0x100u);  // sizes are base 16
  EXPECT_EQ(std::vector<int32_t>(s.Offsets, s.Offsets + 5), (std::vector<int32_t>{1, 2, 3, 4, 16}));
  EXPECT_EQ(s.UserData, 0u);

  TMemorySegment code = segmentRecord("Code");
  ASSERT_EQ(Ordex_GetMemorySegment(inst, "M", &code, 0), rcOk);
  EXPECT_EQ(code.PrgType, -1);  // keywords compare with letter case
  EXPECT_EQ(code.MemoryType, -1);
  EXPECT_EQ(code.Attribute, -1);
}

TEST(MemorySegment, LayoutsAreNumberedInFileOrder) {
  Instance inst;
  ASSERT_EQ(readText(inst, moduleFile(kSegments)), rcOk);
  struct Expected {
    const char* name;
    int32_t prgType;
    uint32_t address;
    uint32_t size;
    int32_t firstOffset;
    int32_t lastOffset;
  };
  const Expected layouts[] = {
      {"1", 5, 0x0, 0x8000, -1, -5},  // IF_DATA inside does not disturb the numbering
      {"2", 2, 0x8000, 0x100, 0, 0},  // DUMMY matches the first DUMMY entry
      {"3", 1, 0x20, 0x40, 1, 5},     // the one-line form shares the numbering
  };
  for (const Expected& e : layouts) {
    TMemorySegment s = segmentRecord(e.name);
    ASSERT_EQ(Ordex_GetMemorySegment(inst, nullptr, &s, 0), rcOk) << e.name;
    EXPECT_STREQ(s.LongIdentifier, "MEMORY_LAYOUT") << e.name;
    EXPECT_EQ(s.PrgType, e.prgType) << e.name;
    EXPECT_EQ(s.MemoryType, -1) << e.name;
    EXPECT_EQ(s.Attribute, -1) << e.name;
    EXPECT_EQ(s.Address, e.address) << e.name;
    EXPECT_EQ(s.Size, e.size) << e.name;
    EXPECT_EQ(s.Offsets[0], e.firstOffset) << e.name;
    EXPECT_EQ(s.Offsets[4], e.lastOffset) << e.name;
  }
  TMemorySegment none = segmentRecord("4");
  EXPECT_EQ(Ordex_GetMemorySegment(inst, nullptr, &none, 0), rcMemorySegmentNotFound);
}

TEST(MemorySegment, LayoutNumbersStartAgainInEachModule) {
  Instance inst;
  std::string layout = "/begin MEMORY_LAYOUT PRG_CODE 0 1 0 0 0 0 0 /end MEMORY_LAYOUT\n";
  ASSERT_EQ(readText(inst,
                     "/begin PROJECT P \"\"\n"
                     "  /begin MODULE A \"\"\n" +
                         modPar(layout + layout) +
                         "  /end MODULE\n"
                         "  /begin MODULE B \"\"\n" +
                         modPar(layout) +
                         "  /end MODULE\n"
                         "/end PROJECT\n"),
            rcOk);
  TMemorySegment s = segmentRecord("2");
  EXPECT_EQ(Ordex_GetMemorySegment(inst, "A", &s, 1), rcOk);
  EXPECT_EQ(Ordex_GetMemorySegment(inst, "B", &s, 1), rcMemorySegmentNotFound);
  s = segmentRecord("1");
  EXPECT_EQ(Ordex_GetMemorySegment(inst, "B", &s, 1), rcOk);
}

// ---------------------------------------------------------------------------------------
// Calibration methods and handles

const char* const kMethods =
    "    /begin MOD_PAR \"\"\n"
    "      /begin CALIBRATION_METHOD \"InCircuit\" 3\n"
    "        /begin CALIBRATION_HANDLE 0x10 20 030 /end CALIBRATION_HANDLE\n"
    "        /begin CALIBRATION_HANDLE -7 /end CALIBRATION_HANDLE\n"
    "      /end CALIBRATION_METHOD\n"
    "      /begin CALIBRATION_METHOD \"Text\" 1\n"
    "        /begin CALIBRATION_HANDLE 1 2 CALIBRATION_HANDLE_TEXT \"page\" 3 /end "
    "CALIBRATION_HANDLE\n"
    "      /end CALIBRATION_METHOD\n"
    "      /begin CALIBRATION_METHOD \"Empty\" 0 /end CALIBRATION_METHOD\n"
    "      /begin CALIBRATION_METHOD \"InCircuit\" 99 /end CALIBRATION_METHOD\n"
    "    /end MOD_PAR\n";

TEST(CalibrationMethod, VersionAndHandleCount) {
  Instance inst;
  ASSERT_EQ(readText(inst, moduleFile(kMethods)), rcOk);
  struct Expected {
    const char* name;
    int32_t version;
    int32_t handleCount;
  };
  for (const Expected& e :
       {Expected{"InCircuit", 3, 2}, Expected{"Text", 1, 1}, Expected{"Empty", 0, 0}}) {
    TCalibrationMethod m{};
    std::strcpy(m.Name, e.name);
    ASSERT_EQ(Ordex_GetCalibrationMethod(inst, nullptr, &m, 0), rcOk) << e.name;
    EXPECT_EQ(m.Version, e.version) << e.name;  // the first of two InCircuit
    EXPECT_EQ(m.HandleCount, e.handleCount) << e.name;
  }
  TCalibrationMethod quoted{};
  std::strcpy(quoted.Name, "\"InCircuit\"");
  EXPECT_EQ(Ordex_GetCalibrationMethod(inst, nullptr, &quoted, 0), rcCalibrationMethodNotFound);
}

TEST(CalibrationHandle, NumberOfValuesByIndex) {
  Instance inst;
  ASSERT_EQ(readText(inst, moduleFile(kMethods)), rcOk);
  struct Case {
    const char* method;
    uint32_t index;
    TOrdexReturnCode rc;
    int count;
  };
  const Case cases[] = {
      {"InCircuit", 0, rcOk, 3},
      {"InCircuit", 1, rcOk, 1},
      {"InCircuit", 2, rcIndexOutOfRange, -1},
      {"InCircuit", 0xFFFFFFFFu, rcIndexOutOfRange, -1},
      {"Text", 0, rcOk, 3},  // CALIBRATION_HANDLE_TEXT and its text are not values
      {"Empty", 0, rcIndexOutOfRange, -1},
      {"Missing", 0, rcCalibrationMethodNotFound, -1},
  };
  for (const Case& c : cases) {
    int n = -1;
    EXPECT_EQ(Ordex_GetCalibrationHandleNumValues(inst, nullptr, c.method, c.index, &n), c.rc)
        << c.method << " " << c.index;
    EXPECT_EQ(n, c.count) << c.method << " " << c.index;
  }
}

TEST(CalibrationHandle, ValuesCopiesAtMostTheMaximum) {
  Instance inst;
  ASSERT_EQ(readText(inst, moduleFile(kMethods)), rcOk);
  struct Case {
    const char* method;
    uint32_t index;
    uint32_t max;
    std::vector<int> expected;  // the array after the call, initially all 99
  };
  const Case cases[] = {
      {"InCircuit", 0, 2, {16, 20, 99, 99, 99}}, {"InCircuit", 0, 0, {99, 99, 99, 99, 99}},
      {"InCircuit", 0, 5, {16, 20, 24, 99, 99}},  // 030 is octal
      {"InCircuit", 1, 5, {-7, 99, 99, 99, 99}}, {"Text", 0, 5, {1, 2, 3, 99, 99}},
  };
  for (const Case& c : cases) {
    std::vector<int> values(5, 99);
    EXPECT_EQ(
        Ordex_GetCalibrationHandleValues(inst, nullptr, c.method, c.index, c.max, values.data()),
        rcOk);
    EXPECT_EQ(values, c.expected) << c.method << " " << c.index << " max " << c.max;
  }
  std::vector<int> values(5, 99);
  EXPECT_EQ(Ordex_GetCalibrationHandleValues(inst, nullptr, "InCircuit", 2, 5, values.data()),
            rcIndexOutOfRange);
  EXPECT_EQ(values, std::vector<int>(5, 99));
}

// ---------------------------------------------------------------------------------------
// System constants

TEST(SystemConstant, NameAndValueLoseTheirQuotes) {
  Instance inst;
  ASSERT_EQ(readText(inst, moduleFile(modPar("SYSTEM_CONSTANT \"pi\" \"3.141\"\n"
                                             "      SYSTEM_CONSTANT \"close to 1\" \"value 1\"\n"
                                             "      SYSTEM_CONSTANT bare 42\n"
                                             "      SYSTEM_CONSTANT \"pi\" \"second\""))),
            rcOk);
  struct Expected {
    const char* name;
    const char* value;
  };
  for (const Expected& e :
       {Expected{"pi", "3.141"}, Expected{"close to 1", "value 1"}, Expected{"bare", "42"}}) {
    TSystemConstant c{};
    std::strcpy(c.Name, e.name);
    ASSERT_EQ(Ordex_GetSystemConstant(inst, nullptr, &c, 0), rcOk) << e.name;
    ASSERT_NE(c.Value, nullptr);
    EXPECT_STREQ(c.Value, e.value);
  }
  // Value points to the library's own text: the same pointer on every call.
  TSystemConstant a{}, b{};
  std::strcpy(a.Name, "pi");
  std::strcpy(b.Name, "pi");
  Ordex_GetSystemConstant(inst, nullptr, &a, 0);
  Ordex_GetSystemConstant(inst, nullptr, &b, 0);
  EXPECT_EQ(a.Value, b.Value);
}

// ---------------------------------------------------------------------------------------
// The frame: existence only, comparison mode, modules, null pointers

TEST(ModParGetters, ExistenceOnlyLeavesTheRecordAlone) {
  Instance inst;
  ASSERT_EQ(readText(inst, moduleFile(std::string(kSegments) + kMethods +
                                      modPar("SYSTEM_CONSTANT \"pi\" \"3.141\""))),
            rcOk);
  TMemorySegment s = segmentRecord("Data");
  s.Address = 7;
  EXPECT_EQ(Ordex_GetMemorySegment(inst, nullptr, &s, 1), rcOk);
  EXPECT_EQ(s.Address, 7u);
  TCalibrationMethod m{};
  std::strcpy(m.Name, "InCircuit");
  m.Version = 7;
  EXPECT_EQ(Ordex_GetCalibrationMethod(inst, nullptr, &m, 1), rcOk);
  EXPECT_EQ(m.Version, 7);
  TSystemConstant c{};
  std::strcpy(c.Name, "pi");
  EXPECT_EQ(Ordex_GetSystemConstant(inst, nullptr, &c, 1), rcOk);
  EXPECT_EQ(c.Value, nullptr);
}

TEST(ModParGetters, NamesIgnoreLetterCaseOnlyWhenAsked) {
  Instance inst;
  ASSERT_EQ(readText(inst, moduleFile(std::string(kSegments) + kMethods +
                                      modPar("SYSTEM_CONSTANT \"Pi\" \"3.141\""))),
            rcOk);
  TMemorySegment s = segmentRecord("DATA");
  TCalibrationMethod m{};
  std::strcpy(m.Name, "incircuit");
  TSystemConstant c{};
  std::strcpy(c.Name, "PI");
  int n = 0;
  {
    CaseInsensitiveNames ignoreCase;
    ASSERT_EQ(Ordex_GetMemorySegment(inst, "m", &s, 0), rcOk);
    EXPECT_STREQ(s.LongIdentifier, "calibration data");  // still the first Data
    EXPECT_STREQ(s.Name, "DATA");                        // the key stays as written
    ASSERT_EQ(Ordex_GetCalibrationMethod(inst, nullptr, &m, 0), rcOk);
    EXPECT_EQ(m.Version, 3);
    EXPECT_EQ(Ordex_GetCalibrationHandleNumValues(inst, nullptr, "INCIRCUIT", 0, &n), rcOk);
    EXPECT_EQ(n, 3);
    ASSERT_EQ(Ordex_GetSystemConstant(inst, nullptr, &c, 0), rcOk);
    EXPECT_STREQ(c.Value, "3.141");
  }
  EXPECT_EQ(Ordex_GetMemorySegment(inst, nullptr, &s, 0), rcMemorySegmentNotFound);
  EXPECT_EQ(Ordex_GetMemorySegment(inst, "m", &s, 0), rcModuleNotFound);
  EXPECT_EQ(Ordex_GetCalibrationMethod(inst, nullptr, &m, 0), rcCalibrationMethodNotFound);
  EXPECT_EQ(Ordex_GetCalibrationHandleNumValues(inst, nullptr, "INCIRCUIT", 0, &n),
            rcCalibrationMethodNotFound);
  EXPECT_EQ(Ordex_GetSystemConstant(inst, nullptr, &c, 0), rcSystemConstantNotFound);
}

TEST(ModParGetters, ModuleLookup) {
  Instance inst;
  ASSERT_EQ(readText(inst,
                     "/begin PROJECT P \"\"\n"
                     "  /begin MODULE A \"\"\n" +
                         modPar("SYSTEM_CONSTANT \"k\" \"in A\"") +
                         "  /end MODULE\n"
                         "  /begin MODULE B \"\"\n" +
                         modPar("SYSTEM_CONSTANT \"k\" \"in B\"") +
                         "  /end MODULE\n"
                         "/end PROJECT\n"),
            rcOk);
  TSystemConstant c{};
  std::strcpy(c.Name, "k");
  EXPECT_EQ(Ordex_GetSystemConstant(inst, nullptr, &c, 0), rcModuleNotFound);  // two modules
  EXPECT_EQ(Ordex_GetSystemConstant(inst, "C", &c, 0), rcModuleNotFound);
  ASSERT_EQ(Ordex_GetSystemConstant(inst, "B", &c, 0), rcOk);
  EXPECT_STREQ(c.Value, "in B");
  TMemorySegment s = segmentRecord("1");
  EXPECT_EQ(Ordex_GetMemorySegment(inst, nullptr, &s, 0), rcModuleNotFound);
  int n = 0;
  EXPECT_EQ(Ordex_GetCalibrationHandleNumValues(inst, "C", "x", 0, &n), rcModuleNotFound);

  Instance empty;  // no project at all
  EXPECT_EQ(Ordex_GetSystemConstant(empty, nullptr, &c, 0), rcModuleNotFound);
}

TEST(ModParGetters, NullPointersGiveCodes) {
  Instance inst;
  ASSERT_EQ(readText(inst, moduleFile(kMethods)), rcOk);
  int n = 0;
  int values[2] = {0, 0};
  TMemorySegment s = segmentRecord("1");
  TCalibrationMethod m{};
  TSystemConstant c{};
  EXPECT_EQ(Ordex_GetMemorySegment(nullptr, nullptr, &s, 0), rcNoInstance);
  EXPECT_EQ(Ordex_GetMemorySegment(inst, nullptr, nullptr, 0), rcNullArgument);
  EXPECT_EQ(Ordex_GetCalibrationMethod(nullptr, nullptr, &m, 0), rcNoInstance);
  EXPECT_EQ(Ordex_GetCalibrationMethod(inst, nullptr, nullptr, 0), rcNullArgument);
  EXPECT_EQ(Ordex_GetSystemConstant(nullptr, nullptr, &c, 0), rcNoInstance);
  EXPECT_EQ(Ordex_GetSystemConstant(inst, nullptr, nullptr, 1), rcNullArgument);
  EXPECT_EQ(Ordex_GetCalibrationHandleNumValues(nullptr, nullptr, "InCircuit", 0, &n),
            rcNoInstance);
  EXPECT_EQ(Ordex_GetCalibrationHandleNumValues(inst, nullptr, "InCircuit", 0, nullptr),
            rcNullArgument);
  EXPECT_EQ(Ordex_GetCalibrationHandleNumValues(inst, nullptr, nullptr, 0, &n), rcNullArgument);
  // The null pointer is reported before the module, method and index are looked at.
  EXPECT_EQ(Ordex_GetCalibrationHandleNumValues(inst, "none", "none", 9, nullptr), rcNullArgument);
  EXPECT_EQ(Ordex_GetCalibrationHandleValues(nullptr, nullptr, "InCircuit", 0, 2, values),
            rcNoInstance);
  EXPECT_EQ(Ordex_GetCalibrationHandleValues(inst, nullptr, "InCircuit", 0, 2, nullptr),
            rcNullArgument);
  EXPECT_EQ(Ordex_GetCalibrationHandleValues(inst, nullptr, "InCircuit", 0, 0, nullptr),
            rcNullArgument);
  EXPECT_EQ(Ordex_GetCalibrationHandleValues(inst, nullptr, nullptr, 0, 2, values), rcNullArgument);
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Real-world files that hold MOD_PAR (only the MOD_PAR and MOD_COMMON parts are checked)

namespace {

std::string corpusFile(const char* name) {
  return std::string(ORDEX_CORPUS_DIR) + "/" + name;
}

// The real-world files are read from the shared corpus folder; without it these tests
// are skipped.
class ModParCorpus : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ordex_test::corpusAvailable()) GTEST_SKIP() << "no corpus at " << ORDEX_CORPUS_DIR;
  }
};

TOrdexReturnCode readCorpus(TOrdex* inst, const char* name) {
  return Ordex_ReadAsapFile(inst, corpusFile(name).c_str(), nullptr, nullptr);
}

TModule namedModule(TOrdex* inst, const char* name) {
  TModule m;
  std::memset(&m, 0, sizeof m);
  std::strcpy(m.Name, name);
  EXPECT_EQ(Ordex_GetModule(inst, &m, 0), rcOk) << name;
  return m;
}

std::vector<int> handleValues(TOrdex* inst, const char* module, const char* method,
                              uint32_t index) {
  int n = -1;
  EXPECT_EQ(Ordex_GetCalibrationHandleNumValues(inst, module, method, index, &n), rcOk);
  std::vector<int> values(n > 0 ? n : 0);
  EXPECT_EQ(
      Ordex_GetCalibrationHandleValues(inst, module, method, index, values.size(), values.data()),
      rcOk);
  return values;
}

std::string systemConstant(TOrdex* inst, const char* module, const char* name) {
  TSystemConstant c{};
  std::strcpy(c.Name, name);
  if (Ordex_GetSystemConstant(inst, module, &c, 0) != rcOk || !c.Value) return "<none>";
  return c.Value;
}

TMemorySegment memorySegment(TOrdex* inst, const char* module, const char* name) {
  TMemorySegment s = segmentRecord(name);
  EXPECT_EQ(Ordex_GetMemorySegment(inst, module, &s, 0), rcOk) << name;
  return s;
}

}  // namespace

// MOD_PAR of an included module with every kind of entry, and CALIBRATION_HANDLE_TEXT.
TEST_F(ModParCorpus, XcpSimWithIncludedEngineEcu) {
  Instance inst;
  ASSERT_EQ(readCorpus(inst, "domohuhn__a2l/xcp-sim.a2l"), rcOk);
  const char* mod = "DH.XCP.SIM";
  TModule m = namedModule(inst, mod);
  EXPECT_STREQ(m.ModCommonComment, "Common values");
  EXPECT_STREQ(m.SRecLayout, "stdlay");
  EXPECT_EQ(m.ByteOrder, 4);
  EXPECT_EQ(m.DepositMode, 1);
  EXPECT_EQ(m.AlignmentLong, 4);
  EXPECT_EQ(m.AlignmentFloat64Ieee, 8);
  EXPECT_STREQ(m.ModParComment, "Parameter values");
  EXPECT_STREQ(m.Version, "\"v1.0.0\"");
  EXPECT_STREQ(m.Epk, "\"sda\"");
  EXPECT_STREQ(m.Supplier, "\"fake inc\"");
  EXPECT_STREQ(m.User, "\"person\"");
  EXPECT_EQ(m.NoOfInterfaces, 1);
  EXPECT_EQ(m.AddrEpk, 0xFFFFFFFFu);

  EXPECT_EQ(systemConstant(inst, mod, "pi"), "3.141");
  EXPECT_EQ(systemConstant(inst, mod, "moo"), "4");
  TCalibrationMethod method{};
  std::strcpy(method.Name, "SERAM");
  ASSERT_EQ(Ordex_GetCalibrationMethod(inst, mod, &method, 0), rcOk);
  EXPECT_EQ(method.Version, 1);
  EXPECT_EQ(method.HandleCount, 1);
  EXPECT_EQ(handleValues(inst, mod, "SERAM", 0), (std::vector<int>{1, 2, 3}));

  TMemorySegment layout = memorySegment(inst, mod, "1");
  EXPECT_EQ(layout.PrgType, 0);
  EXPECT_EQ(layout.Address, 0x10101010u);
  EXPECT_EQ(layout.Size, 0x1000u);
  TMemorySegment seg = memorySegment(inst, mod, "SEG1");
  EXPECT_STREQ(seg.LongIdentifier, "description");
  EXPECT_EQ(seg.PrgType, 1);
  EXPECT_EQ(seg.MemoryType, 5);
  EXPECT_EQ(seg.Attribute, 0);
  EXPECT_EQ(seg.Address, 0x20101010u);
  EXPECT_EQ(seg.Offsets[4], -1);

  // The second module has no MOD_PAR.
  TMemorySegment none = segmentRecord("1");
  EXPECT_EQ(Ordex_GetMemorySegment(inst, "DH.XCP.LIGHT", &none, 0), rcMemorySegmentNotFound);
}

// Segments with long XCP IF_DATA blocks; the address of each is not disturbed by them.
TEST_F(ModParCorpus, DemoSegments) {
  Instance inst;
  ASSERT_EQ(readCorpus(inst, "sgnes__A2l-Parser/demo.a2l"), rcOk);
  TMemorySegment first = memorySegment(inst, nullptr, "PF1_APPL_SWID");
  EXPECT_EQ(first.PrgType, 5);
  EXPECT_EQ(first.MemoryType, 5);
  EXPECT_EQ(first.Attribute, 0);
  EXPECT_EQ(first.Address, 0xb0440040u);
  EXPECT_EQ(first.Size, 0x200u);
  TMemorySegment offline = memorySegment(inst, nullptr, "PF1_OFFLINE_CALIB");
  EXPECT_EQ(offline.PrgType, 2);
  EXPECT_EQ(offline.MemoryType, 3);
  EXPECT_EQ(offline.Address, 0xb0560000u);
  EXPECT_EQ(offline.Size, 0xb8000u);
}

TEST_F(ModParCorpus, ManagementTexts) {
  for (const char* file : {"domohuhn__a2l/simple.a2l", "domohuhn__a2l/example-ecu.a2l"}) {
    Instance inst;
    ASSERT_EQ(readCorpus(inst, file), rcOk) << file;
    TModule m = namedModule(inst, "DH.XCP.SIM");
    EXPECT_STREQ(m.ModParComment, "Parameter values") << file;
    EXPECT_STREQ(m.CpuType, "\"AMD Ryzen\"") << file;
    EXPECT_STREQ(m.CustomerNo, "\"12345\"") << file;
    EXPECT_EQ(m.EcuCalibrationOffset, 0u) << file;
  }
}

// The read stops later in the file (a COMPU_VTAB input value 1.1 gives -122), after the
// whole MOD_PAR was read.
TEST_F(ModParCorpus, FreeTestModPar) {
  Instance inst;
  ASSERT_EQ(readCorpus(inst, "Luncher91__A2LParser/freeTest.a2l"), rcBadNumber);
  const char* mod = "sample_module";
  TModule m = namedModule(inst, mod);
  EXPECT_EQ(m.AddrEpk, 0xFu);  // the last of three
  EXPECT_EQ(m.EcuCalibrationOffset, 0x54u);
  EXPECT_EQ(m.NoOfInterfaces, 168);
  EXPECT_STREQ(m.Version, "\"Very high :-)\"");

  TCalibrationMethod method{};
  std::strcpy(method.Name, "methodA");
  ASSERT_EQ(Ordex_GetCalibrationMethod(inst, mod, &method, 0), rcOk);
  EXPECT_EQ(method.Version, 3141);
  EXPECT_EQ(method.HandleCount, 2);
  EXPECT_EQ(handleValues(inst, mod, "methodA", 0),
            (std::vector<int>{0x10000, 0x300, 0x7, 0x700000, 0x40000}));
  EXPECT_EQ(handleValues(inst, mod, "methodA", 1), (std::vector<int>{0, 0x10}));

  TMemorySegment layout = memorySegment(inst, mod, "1");
  EXPECT_EQ(layout.Address, 0x10u);
  EXPECT_EQ(layout.Size, 0x4096u);
  EXPECT_EQ(std::vector<int32_t>(layout.Offsets, layout.Offsets + 5),
            (std::vector<int32_t>{5, 4, 3, 2, 1}));
  TMemorySegment mem1 = memorySegment(inst, mod, "mem1");
  EXPECT_STREQ(mem1.LongIdentifier, "lots of code in internal flash");
  EXPECT_EQ(mem1.Address, 0x42u);
  EXPECT_EQ(systemConstant(inst, mod, "close to 1"), "value 1");
  EXPECT_EQ(systemConstant(inst, mod, "pi"), "about 3");
}

// The last segment's offsets are written with en dashes (not minus signs): the read stops
// there with -122 and keeps what came before.
TEST_F(ModParCorpus, TestFileStopsAtAnEnDash) {
  Instance inst;
  ASSERT_EQ(readCorpus(inst, "kallemooo__Asap2/testFile.a2l"), rcBadNumber);
  EXPECT_NE(readError(inst).find("MOD_PAR, MEMORY_SEGMENT reservedsegment"), std::string::npos)
      << readError(inst);
  EXPECT_EQ(systemConstant(inst, nullptr, "System_Constant_1"), "-3.45");
  EXPECT_EQ(systemConstant(inst, nullptr, "System_Constant_3"), "Text in System Constant");
  TMemorySegment layout = memorySegment(inst, nullptr, "1");
  EXPECT_EQ(layout.PrgType, 1);
  EXPECT_EQ(layout.Size, 0x8000u);
  TMemorySegment online = memorySegment(inst, nullptr, "flash_calib_online");
  EXPECT_EQ(online.Address, 0x0014ab00u);
  EXPECT_EQ(online.Size, 0x154f8u);
  TMemorySegment reserved = memorySegment(inst, nullptr, "reservedsegment");
  EXPECT_EQ(reserved.Size, 0x1000u);
  EXPECT_EQ(reserved.Offsets[0], -1);
  TModule m = namedModule(inst, "SYSTEM");
  EXPECT_EQ(m.AddrEpk, 0x12345u);
  EXPECT_EQ(m.EcuCalibrationOffset, 0x1000u);
  EXPECT_EQ(m.ByteOrder, 3);
}

// Sub-blocks opened inside one another or left open are not valid A2L; they must still
// read without touching memory they do not own (run under the sanitizers).
TEST(ModPar, MisnestedSubBlocksAreSurvived) {
  const char* const bodies[] = {
      "/begin CALIBRATION_METHOD \"m\" 1 /begin MEMORY_SEGMENT S \"\" DATA /end CALIBRATION_METHOD"
      " 1 2 3 4 5 6 7 8 9 10 11 12 13 14 /end MEMORY_SEGMENT",
      "MEMORY_LAYOUT PRG_DATA 0 /begin CALIBRATION_METHOD \"m\" 1 /end CALIBRATION_METHOD 1 2 3 4 "
      "5",
      "MEMORY_LAYOUT PRG_DATA /begin MEMORY_SEGMENT S \"\" DATA RAM INTERN 0 1 0 0 0 0 0 x"
      " /end MEMORY_SEGMENT 5 6 7",
      "/begin MEMORY_SEGMENT S \"\" DATA RAM INTERN 0 1 0 0 0 0 0 /begin IF_DATA X a"
      " /end MEMORY_SEGMENT /begin MEMORY_SEGMENT T \"\" DATA RAM INTERN 0 1 0 0 0 0 0 b c"
      " /end MEMORY_SEGMENT",
      "/begin CALIBRATION_METHOD \"m\" 1 /begin CALIBRATION_HANDLE 1 /end CALIBRATION_METHOD"
      " /begin CALIBRATION_METHOD \"n\" 2 3 4 /end CALIBRATION_METHOD",
      "/begin MEMORY_LAYOUT /end MEMORY_LAYOUT /begin CALIBRATION_METHOD /end CALIBRATION_METHOD",
  };
  for (const char* body : bodies) {
    Instance inst;
    TOrdexReturnCode rc = readText(inst, moduleFile(modPar(body)));
    EXPECT_TRUE(rc == rcOk || rc == rcBlockNesting || rc == rcBadNumber) << rc << ": " << body;
    TMemorySegment s = segmentRecord("1");
    Ordex_GetMemorySegment(inst, nullptr, &s, 0);
  }
}
