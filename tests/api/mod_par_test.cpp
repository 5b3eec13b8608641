// MOD_COMMON and MOD_PAR as the reader takes them, read back through Ordex_GetModule and
// the getters of memory segments, calibration methods and handles, and system constants.

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ordex.h"
#include "support/inline_a2l.h"
#include "support/test_support.h"

namespace {

using ordex_test::CaseInsensitiveNames;
using ordex_test::failureReport;
using ordex_test::inModule;
using ordex_test::Instance;
using ordex_test::keyed;
using ordex_test::readError;
using ordex_test::readText;
using Names = std::vector<std::string>;

std::string modCommon(const std::string& items) {
  return "/begin MOD_COMMON \"\"\n" + items + "\n/end MOD_COMMON\n";
}

std::string modPar(const std::string& items) {
  return "/begin MOD_PAR \"\"\n" + items + "\n/end MOD_PAR\n";
}

TModule getModule(TOrdex* inst, const char* name = "") {
  TModule m{};
  std::strcpy(m.Name, name);
  EXPECT_EQ(Ordex_GetModule(inst, &m, 0), rcOk) << name;
  return m;
}

// ---------------------------------------------------------------------------------------
// MOD_COMMON and the MOD_PAR values of the module record

TEST(ModCommon, ModuleValues) {
  using Field = std::function<long long(const TModule&)>;
  const Field byteOrder = [](const TModule& m) { return m.ByteOrder; };
  const Field deposit = [](const TModule& m) { return m.DepositMode; };
  const Field addrEpk = [](const TModule& m) { return m.AddrEpk; };
  const struct {
    const char* name;
    std::string body;
    Field field;
    long long expected;
  } cases[] = {
      {"default byte order", "", byteOrder, 4},
      {"default deposit", "", deposit, -1},
      {"default alignment", "", [](const TModule& m) { return m.AlignmentFloat64Ieee; }, 0},
      {"default ADDR_EPK", "", addrEpk, 0xFFFFFFFF},
      {"default NO_OF_INTERFACES", "", [](const TModule& m) { return m.NoOfInterfaces; }, 0},
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
      {"ADDR_EPK is base 16 without 0x", modPar("ADDR_EPK 1234"), addrEpk, 0x1234},
      {"ADDR_EPK given twice keeps the later", modPar("ADDR_EPK 0x12 ADDR_EPK 0xF"), addrEpk, 0xF},
      {"ECU_CALIBRATION_OFFSET is base 16", modPar("ECU_CALIBRATION_OFFSET 100"),
       [](const TModule& m) { return m.EcuCalibrationOffset; }, 0x100},
      {"NO_OF_INTERFACES cut to 16 bits", modPar("NO_OF_INTERFACES 70000"),
       [](const TModule& m) { return m.NoOfInterfaces; }, 70000 - 65536},
      {"keywords of another block are ignored", modCommon("VERSION 7 BYTE_ORDER BIG_ENDIAN"),
       byteOrder, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Instance inst;
    ASSERT_EQ(readText(inst, inModule(c.body)), rcOk);
    EXPECT_EQ(c.field(getModule(inst)), c.expected);
  }
}

TEST(ModPar, TextsKeepTheTokenAsWritten) {
  Instance inst;
  ASSERT_EQ(readText(inst, inModule(modCommon("S_REC_LAYOUT S_ABL") +
                                    "/begin MOD_PAR \"management data\"\n"
                                    "  VERSION \"v1.0\" EPK \"epk 1\" SUPPLIER \"fake inc\"\n"
                                    "  CUSTOMER bare CUSTOMER_NO \"42\" USER \"me\"\n"
                                    "  PHONE_NO \"911\" ECU \"box\" CPU_TYPE \"PPC\"\n"
                                    "/end MOD_PAR\n")),
            rcOk);
  TModule m = getModule(inst);
  EXPECT_EQ((Names{m.SRecLayout, m.ModParComment, m.Version, m.Epk, m.Supplier, m.Customer,
                   m.CustomerNo, m.User, m.PhoneNo, m.Ecu, m.CpuType}),
            (Names{"S_ABL", "management data", "\"v1.0\"", "\"epk 1\"", "\"fake inc\"", "bare",
                   "\"42\"", "\"me\"", "\"911\"", "\"box\"", "\"PPC\""}));

  // A value token that is a keyword is taken as that keyword too when it becomes current.
  ASSERT_EQ(readText(inst, inModule(modPar("SUPPLIER ECU \"box\""))), rcOk);
  m = getModule(inst);
  EXPECT_STREQ(m.Supplier, "ECU");
  EXPECT_STREQ(m.Ecu, "\"box\"");
  EXPECT_STREQ(m.Version, "");
}

// Bad numbers give -122 with the line and the object being read. The reader runs three
// tokens ahead: each failing token is followed by three more on its line.
TEST(ModPar, BadNumbersStopTheReadAndAreReported) {
  const std::string mp = "PROJECT P, MODULE M, MOD_PAR";
  const struct {
    const char* name;
    std::string body;
    int line;
    std::string path;
    std::string last;
  } cases[] = {
      {"alignment with a letter", modCommon("ALIGNMENT_LONG 4x ALIGNMENT_WORD 2 ALIGNMENT_BYTE 1"),
       4, "PROJECT P, MODULE M, MOD_COMMON", ""},
      {"bit mask not hexadecimal", modCommon("BIT_MASK 0xFFG ALIGNMENT_WORD 2 ALIGNMENT_BYTE 1"), 4,
       "PROJECT P, MODULE M, MOD_COMMON", ""},
      {"ADDR_EPK", modPar("ADDR_EPK 12g EPK \"e\" ECU \"x\""), 4, mp, ""},
      {"segment address",
       modPar("/begin MEMORY_SEGMENT Data \"\" DATA FLASH INTERN\n"
              "0x100z 0x10 -1 -1 -1 -1 -1 /end MEMORY_SEGMENT"),
       5, mp + ", MEMORY_SEGMENT Data", ""},
      // Real-world files write offsets with an en dash instead of a minus sign.
      {"en dash for a minus",
       modPar("/begin MEMORY_SEGMENT Data \"\" DATA FLASH INTERN\n"
              "0 0x10 \xE2\x80\x93"
              "1 -1 -1 -1 -1 /end MEMORY_SEGMENT"),
       5, mp + ", MEMORY_SEGMENT Data", ""},
      {"method version",
       "/begin MOD_PAR \"\" /begin CALIBRATION_METHOD \"InCircuit\"\n"
       "1x /end CALIBRATION_METHOD /end MOD_PAR",
       4, mp + ", CALIBRATION_METHOD InCircuit", ""},
      {"handle value after a closed handle",
       modPar("/begin CALIBRATION_METHOD \"InCircuit\" 2\n"
              "/begin CALIBRATION_HANDLE 1 /end CALIBRATION_HANDLE /begin CALIBRATION_HANDLE\n"
              "0x1q /end CALIBRATION_HANDLE /end CALIBRATION_METHOD"),
       6, mp + ", CALIBRATION_METHOD InCircuit", mp + ", CALIBRATION_METHOD InCircuit"},
      // A layout's path is a blank and its number, not under MOD_PAR, so the report falls
      // back to the MOD_PAR block.
      {"layout size", modPar("/begin MEMORY_LAYOUT PRG_DATA 0x0\n0x8000# -1 -1 -1 -1 -1"), 5, mp,
       ""},
      {"one-line layout offset",
       modPar("MEMORY_LAYOUT PRG_DATA 0x0 0x8000 -1 -1 -1 -1 --1 VERSION \"v\" ECU \"e\""), 4, mp,
       ""},
      // A closed segment stays the deepest path until another sub-block begins.
      {"after a segment",
       modPar("/begin MEMORY_SEGMENT Data \"\" DATA RAM INTERN 0 1 0 0 0 0 0 /end MEMORY_SEGMENT\n"
              "ADDR_EPK 12g EPK \"e\" ECU \"x\""),
       5, mp + ", MEMORY_SEGMENT Data", mp + ", MEMORY_SEGMENT Data"},
      {"after a layout",
       modPar("/begin MEMORY_LAYOUT PRG_CODE 0 1 0 0 0 0 0 /end MEMORY_LAYOUT\n"
              "ADDR_EPK 12g EPK \"e\" ECU \"x\""),
       5, mp, " 1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Instance inst;
    EXPECT_EQ(readText(inst, inModule(c.body)), rcBadNumber);
    EXPECT_EQ(readError(inst), failureReport(c.line, c.path, c.last));
  }
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
    TOrdexReturnCode rc = readText(inst, inModule(modPar(body)));
    EXPECT_TRUE(rc == rcOk || rc == rcBlockNesting || rc == rcBadNumber) << rc << ": " << body;
    TMemorySegment s = keyed<TMemorySegment>("1");
    Ordex_GetMemorySegment(inst, nullptr, &s, 0);
  }
}

// ---------------------------------------------------------------------------------------
// Memory segments and layouts

const char* const kSegments =
    "/begin MOD_PAR \"\"\n"
    "  /begin MEMORY_LAYOUT PRG_RESERVED 0x0 0x8000 -1 -2 -3 -4 -5\n"
    "    /begin IF_DATA XCP /begin SEGMENT 0 1 /end SEGMENT /end IF_DATA\n"
    "  /end MEMORY_LAYOUT\n"
    "  /begin MEMORY_LAYOUT DUMMY 0x8000 0x100 0 0 0 0 0 /end MEMORY_LAYOUT\n"
    "  /begin MEMORY_SEGMENT Data \"calibration data\"\n"
    "    DATA FLASH EXTERN 0x10000 100 1 2 3 4 0x10\n"
    "  /end MEMORY_SEGMENT\n"
    "  /begin MEMORY_SEGMENT Code \"\" code flash intern 0 0 0 0 0 0 0 /end MEMORY_SEGMENT\n"
    "  MEMORY_LAYOUT PRG_DATA 0x20 0x40 1 2 3 4 5\n"
    "  /begin MEMORY_SEGMENT Data \"the second Data\" DATA RAM INTERN 0x20000 0 0 0 0 0 0\n"
    "  /end MEMORY_SEGMENT\n"
    "/end MOD_PAR\n";

TEST(MemorySegment, SegmentFieldsAndKeywordLists) {
  Instance inst;
  ASSERT_EQ(readText(inst, inModule(kSegments)), rcOk);
  TMemorySegment s = keyed<TMemorySegment>("Data");
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

  TMemorySegment code = keyed<TMemorySegment>("Code");
  ASSERT_EQ(Ordex_GetMemorySegment(inst, "M", &code, 0), rcOk);
  EXPECT_EQ(code.PrgType, -1);  // keywords compare with letter case
  EXPECT_EQ(code.MemoryType, -1);
  EXPECT_EQ(code.Attribute, -1);
}

TEST(MemorySegment, LayoutsAreNumberedInFileOrder) {
  Instance inst;
  ASSERT_EQ(readText(inst, inModule(kSegments)), rcOk);
  const struct {
    const char* name;
    int32_t prgType;
    uint32_t address, size;
    int32_t firstOffset, lastOffset;
  } layouts[] = {
      {"1", 5, 0x0, 0x8000, -1, -5},  // IF_DATA inside does not disturb the numbering
      {"2", 2, 0x8000, 0x100, 0, 0},  // DUMMY matches the first DUMMY entry
      {"3", 1, 0x20, 0x40, 1, 5},     // the one-line form shares the numbering
  };
  for (const auto& e : layouts) {
    SCOPED_TRACE(e.name);
    TMemorySegment s = keyed<TMemorySegment>(e.name);
    ASSERT_EQ(Ordex_GetMemorySegment(inst, nullptr, &s, 0), rcOk);
    EXPECT_STREQ(s.LongIdentifier, "MEMORY_LAYOUT");
    EXPECT_EQ(s.PrgType, e.prgType);
    EXPECT_EQ(s.MemoryType, -1);
    EXPECT_EQ(s.Attribute, -1);
    EXPECT_EQ(s.Address, e.address);
    EXPECT_EQ(s.Size, e.size);
    EXPECT_EQ(s.Offsets[0], e.firstOffset);
    EXPECT_EQ(s.Offsets[4], e.lastOffset);
  }
  TMemorySegment none = keyed<TMemorySegment>("4");
  EXPECT_EQ(Ordex_GetMemorySegment(inst, nullptr, &none, 0), rcMemorySegmentNotFound);
}

TEST(MemorySegment, LayoutNumbersStartAgainInEachModule) {
  Instance inst;
  std::string layout = "/begin MEMORY_LAYOUT PRG_CODE 0 1 0 0 0 0 0 /end MEMORY_LAYOUT\n";
  ASSERT_EQ(readText(inst, "/begin PROJECT P \"\"\n/begin MODULE A \"\"\n" +
                               modPar(layout + layout) + "/end MODULE\n/begin MODULE B \"\"\n" +
                               modPar(layout) + "/end MODULE\n/end PROJECT\n"),
            rcOk);
  TMemorySegment s = keyed<TMemorySegment>("2");
  EXPECT_EQ(Ordex_GetMemorySegment(inst, "A", &s, 1), rcOk);
  EXPECT_EQ(Ordex_GetMemorySegment(inst, "B", &s, 1), rcMemorySegmentNotFound);
  s = keyed<TMemorySegment>("1");
  EXPECT_EQ(Ordex_GetMemorySegment(inst, "B", &s, 1), rcOk);
}

// ---------------------------------------------------------------------------------------
// Calibration methods and handles, system constants

const char* const kMethods =
    "/begin MOD_PAR \"\"\n"
    "  /begin CALIBRATION_METHOD \"InCircuit\" 3\n"
    "    /begin CALIBRATION_HANDLE 0x10 20 030 /end CALIBRATION_HANDLE\n"
    "    /begin CALIBRATION_HANDLE -7 /end CALIBRATION_HANDLE\n"
    "  /end CALIBRATION_METHOD\n"
    "  /begin CALIBRATION_METHOD \"Text\" 1\n"
    "    /begin CALIBRATION_HANDLE 1 2 CALIBRATION_HANDLE_TEXT \"page\" 3 /end CALIBRATION_HANDLE\n"
    "  /end CALIBRATION_METHOD\n"
    "  /begin CALIBRATION_METHOD \"Empty\" 0 /end CALIBRATION_METHOD\n"
    "  /begin CALIBRATION_METHOD \"InCircuit\" 99 /end CALIBRATION_METHOD\n"
    "/end MOD_PAR\n";

TEST(CalibrationMethod, VersionAndHandleCount) {
  Instance inst;
  ASSERT_EQ(readText(inst, inModule(kMethods)), rcOk);
  const struct {
    const char* name;
    int32_t version, handleCount;
  } cases[] = {{"InCircuit", 3, 2}, {"Text", 1, 1}, {"Empty", 0, 0}};
  for (const auto& e : cases) {
    SCOPED_TRACE(e.name);
    TCalibrationMethod m = keyed<TCalibrationMethod>(e.name);
    ASSERT_EQ(Ordex_GetCalibrationMethod(inst, nullptr, &m, 0), rcOk);
    EXPECT_EQ(m.Version, e.version);  // the first of two InCircuit
    EXPECT_EQ(m.HandleCount, e.handleCount);
  }
  TCalibrationMethod quoted = keyed<TCalibrationMethod>("\"InCircuit\"");
  EXPECT_EQ(Ordex_GetCalibrationMethod(inst, nullptr, &quoted, 0), rcCalibrationMethodNotFound);
}

TEST(CalibrationHandle, CountAndValuesByIndex) {
  Instance inst;
  ASSERT_EQ(readText(inst, inModule(kMethods)), rcOk);
  const std::vector<int> none(5, 99);
  const struct {
    const char* method;
    uint32_t index;
    TOrdexReturnCode rc;
    int count;
    uint32_t max;
    std::vector<int> values;  // the array after the call, initially all 99
  } cases[] = {
      {"InCircuit", 0, rcOk, 3, 2, {16, 20, 99, 99, 99}},
      {"InCircuit", 0, rcOk, 3, 0, none},
      {"InCircuit", 0, rcOk, 3, 5, {16, 20, 24, 99, 99}},  // 030 is octal
      {"InCircuit", 1, rcOk, 1, 5, {-7, 99, 99, 99, 99}},
      {"InCircuit", 2, rcIndexOutOfRange, -1, 5, none},
      {"InCircuit", 0xFFFFFFFFu, rcIndexOutOfRange, -1, 5, none},
      // CALIBRATION_HANDLE_TEXT and its text are not values.
      {"Text", 0, rcOk, 3, 5, {1, 2, 3, 99, 99}},
      {"Empty", 0, rcIndexOutOfRange, -1, 5, none},
      {"Missing", 0, rcCalibrationMethodNotFound, -1, 5, none},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.method) + " " + std::to_string(c.index) + " max " +
                 std::to_string(c.max));
    int n = -1;
    EXPECT_EQ(Ordex_GetCalibrationHandleNumValues(inst, nullptr, c.method, c.index, &n), c.rc);
    EXPECT_EQ(n, c.count);
    std::vector<int> values(5, 99);
    EXPECT_EQ(
        Ordex_GetCalibrationHandleValues(inst, nullptr, c.method, c.index, c.max, values.data()),
        c.rc);
    EXPECT_EQ(values, c.values);
  }
}

TEST(SystemConstant, NameAndValueLoseTheirQuotes) {
  Instance inst;
  ASSERT_EQ(readText(inst, inModule(modPar("SYSTEM_CONSTANT \"pi\" \"3.141\"\n"
                                           "SYSTEM_CONSTANT \"close to 1\" \"value 1\"\n"
                                           "SYSTEM_CONSTANT bare 42\n"
                                           "SYSTEM_CONSTANT \"pi\" \"second\""))),
            rcOk);
  const char* const cases[][2] = {{"pi", "3.141"}, {"close to 1", "value 1"}, {"bare", "42"}};
  for (const auto& e : cases) {
    TSystemConstant c = keyed<TSystemConstant>(e[0]);
    ASSERT_EQ(Ordex_GetSystemConstant(inst, nullptr, &c, 0), rcOk) << e[0];
    ASSERT_NE(c.Value, nullptr);
    EXPECT_STREQ(c.Value, e[1]);
  }
}

// ---------------------------------------------------------------------------------------
// The frame: existence only, comparison mode, modules, null pointers

TEST(ModParGetters, LookupCodes) {
  Instance inst;
  ASSERT_EQ(readText(inst, inModule(std::string(kSegments) + kMethods +
                                    modPar("SYSTEM_CONSTANT \"Pi\" \"3.141\""))),
            rcOk);
  ordex_test::expectLookupCodes<TMemorySegment>(Ordex_GetMemorySegment, inst, "Data",
                                                rcMemorySegmentNotFound);
  ordex_test::expectLookupCodes<TCalibrationMethod>(Ordex_GetCalibrationMethod, inst, "InCircuit",
                                                    rcCalibrationMethodNotFound);
  ordex_test::expectLookupCodes<TSystemConstant>(Ordex_GetSystemConstant, inst, "Pi",
                                                 rcSystemConstantNotFound);
  int n = 0;
  int values[2] = {0, 0};
  EXPECT_EQ(Ordex_GetCalibrationHandleNumValues(inst, nullptr, "INCIRCUIT", 0, &n),
            rcCalibrationMethodNotFound);
  {
    CaseInsensitiveNames ignoreCase;
    EXPECT_EQ(Ordex_GetCalibrationHandleNumValues(inst, nullptr, "INCIRCUIT", 0, &n), rcOk);
    EXPECT_EQ(n, 3);
  }
  EXPECT_EQ(Ordex_GetCalibrationHandleNumValues(inst, "C", "x", 0, &n), rcModuleNotFound);
  EXPECT_EQ(Ordex_GetCalibrationHandleNumValues(nullptr, nullptr, "InCircuit", 0, &n),
            rcNoInstance);
  EXPECT_EQ(Ordex_GetCalibrationHandleNumValues(inst, nullptr, nullptr, 0, &n), rcNullArgument);
  // The null pointer is reported before the module, method and index are looked at.
  EXPECT_EQ(Ordex_GetCalibrationHandleNumValues(inst, "none", "none", 9, nullptr), rcNullArgument);
  EXPECT_EQ(Ordex_GetCalibrationHandleValues(nullptr, nullptr, "InCircuit", 0, 2, values),
            rcNoInstance);
  EXPECT_EQ(Ordex_GetCalibrationHandleValues(inst, nullptr, "InCircuit", 0, 0, nullptr),
            rcNullArgument);
  EXPECT_EQ(Ordex_GetCalibrationHandleValues(inst, nullptr, nullptr, 0, 2, values), rcNullArgument);

  // With two modules a module name is needed.
  ASSERT_EQ(
      readText(inst, "/begin PROJECT P \"\"\n/begin MODULE A \"\"\n" +
                         modPar("SYSTEM_CONSTANT \"k\" \"in A\"") +
                         "/end MODULE\n/begin MODULE B \"\"\n" +
                         modPar("SYSTEM_CONSTANT \"k\" \"in B\"") + "/end MODULE\n/end PROJECT\n"),
      rcOk);
  TSystemConstant c = keyed<TSystemConstant>("k");
  EXPECT_EQ(Ordex_GetSystemConstant(inst, nullptr, &c, 0), rcModuleNotFound);
  ASSERT_EQ(Ordex_GetSystemConstant(inst, "B", &c, 0), rcOk);
  EXPECT_STREQ(c.Value, "in B");
}

}  // namespace
