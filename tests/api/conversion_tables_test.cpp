// Numeric and verbal tables through Ordex_RawToPhys: the table edges, rounding, defaults,
// and how a method finds its table (exact, case-sensitive, first match).

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using ordex_test::readText;

const char* const kTables = R"(
/begin PROJECT P ""
/begin MODULE M ""
  /begin COMPU_TAB TAB_LIN "" TAB_INTP 3
    0 0.0  10 100.0  20 300.0
  /end COMPU_TAB
  /begin COMPU_TAB TAB_LIN_DEF "" TAB_INTP 3
    0 0.0  10 100.0  20 300.0
    DEFAULT_VALUE "out of range"
  /end COMPU_TAB
  /begin COMPU_TAB TAB_UNSORTED "" TAB_INTP 3
    0 0.0  20 300.0  10 100.0
  /end COMPU_TAB
  /begin COMPU_TAB TAB_EMPTY "" TAB_NOINTP 0 DEFAULT_VALUE "empty" /end COMPU_TAB
  /begin COMPU_TAB TAB_DUP "" TAB_NOINTP 1 5 1.0 /end COMPU_TAB
  /begin COMPU_TAB TAB_DUP "" TAB_NOINTP 1 5 2.0 /end COMPU_TAB
  /begin COMPU_VTAB VT_SWITCH "" TAB_VERB 3
    0 "off"  1 "on"  1 "also on"
    DEFAULT_VALUE "unknown"
  /end COMPU_VTAB
  /begin COMPU_VTAB VT_NODEF "" TAB_VERB 2 0 "off" 1 "on" /end COMPU_VTAB
  /begin COMPU_VTAB TAB_LIN "" TAB_VERB 1 0 "a verbal table named like a numeric one"
  /end COMPU_VTAB

  /begin COMPU_METHOD CM_INTP "" TAB_INTP "%5.1" "Nm" COMPU_TAB_REF TAB_LIN /end COMPU_METHOD
  /begin COMPU_METHOD CM_INTP_DEF "" TAB_INTP "%5.1" "Nm" COMPU_TAB_REF TAB_LIN_DEF
  /end COMPU_METHOD
  /begin COMPU_METHOD CM_NOINTP "" TAB_NOINTP "%5.1" "Nm" COMPU_TAB_REF TAB_LIN /end COMPU_METHOD
  /begin COMPU_METHOD CM_NOINTP_DEF "" TAB_NOINTP "%5.1" "Nm" COMPU_TAB_REF TAB_LIN_DEF
  /end COMPU_METHOD
  /begin COMPU_METHOD CM_UNSORTED "" TAB_INTP "%5.1" "" COMPU_TAB_REF TAB_UNSORTED /end COMPU_METHOD
  /begin COMPU_METHOD CM_EMPTY "" TAB_NOINTP "" "" COMPU_TAB_REF TAB_EMPTY /end COMPU_METHOD
  /begin COMPU_METHOD CM_DUP "" TAB_NOINTP "%3.1" "" COMPU_TAB_REF TAB_DUP /end COMPU_METHOD
  /begin COMPU_METHOD CM_VERB "" TAB_VERB "%8.3" "unit unused" COMPU_TAB_REF VT_SWITCH
  /end COMPU_METHOD
  /begin COMPU_METHOD CM_VERB_NODEF "" TAB_VERB "" "" COMPU_TAB_REF VT_NODEF /end COMPU_METHOD
  /begin COMPU_METHOD CM_VERB_TO_TAB "" TAB_VERB "" "" COMPU_TAB_REF TAB_DUP /end COMPU_METHOD
  /begin COMPU_METHOD CM_NO_TAB "" TAB_INTP "" "" COMPU_TAB_REF NO_SUCH_TAB /end COMPU_METHOD
  /begin COMPU_METHOD CM_NO_VTAB "" TAB_VERB "" "" COMPU_TAB_REF NO_SUCH_VTAB /end COMPU_METHOD
  /begin COMPU_METHOD CM_TAB_CASE "" TAB_INTP "" "" COMPU_TAB_REF tab_lin /end COMPU_METHOD
  /begin COMPU_METHOD CM_FORM "" FORM "%5.1" "" /begin FORMULA "X1*2" /end FORMULA /end COMPU_METHOD
  /begin COMPU_METHOD CM_UNKNOWN "" LINEAR "%5.1" "" /end COMPU_METHOD
/end MODULE
/end PROJECT
)";

constexpr double kUntouched = -777.0;

struct Result {
  TOrdexReturnCode rc;
  double phys;
  std::string text;
};

class Tables : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(rcOk, readText(inst, kTables)); }
  void TearDown() override { Ordex_ConfigureStringComparison(0); }

  Result convert(const char* method, double raw, int32_t dataType = dtFloat64Ieee,
                 uint32_t mask = 0) {
    unsigned char bytes[8] = {};
    if (dataType == dtFloat64Ieee) {
      std::memcpy(bytes, &raw, sizeof raw);
    } else if (dataType == dtFloat32Ieee) {
      const float f = static_cast<float>(raw);
      std::memcpy(bytes, &f, sizeof f);
    } else {
      bytes[0] = static_cast<unsigned char>(raw);
    }
    Result r{rcOk, kUntouched, ""};
    char text[512] = "untouched";
    r.rc = Ordex_RawToPhys(inst, nullptr, bytes, dataType, boMsbFirst, mask, method, ',', &r.phys,
                           text);
    r.text = text;
    return r;
  }

  Instance inst;
};

struct TableCase {
  const char* method;
  double raw;
  TOrdexReturnCode rc;
  double phys;  // kUntouched when the physical value is not written
  const char* text;
};

void check(const TableCase& c, const Result& r) {
  EXPECT_EQ(c.rc, r.rc) << c.method << " raw " << c.raw;
  EXPECT_EQ(c.phys, r.phys) << c.method << " raw " << c.raw;
  EXPECT_EQ(c.text, r.text) << c.method << " raw " << c.raw;
}

TEST_F(Tables, EdgesRoundingDefaultsAndLookup) {
  const TableCase cases[] = {
      // Interpolated table.
      {"CM_INTP", -1, rcInvalidArgument, kUntouched, "untouched"},  // below the first pair
      {"CM_INTP_DEF", -1, rcOk, kUntouched, "out of range"},
      {"CM_INTP", -0.6, rcInvalidArgument, kUntouched, "untouched"},  // rounds to -1
      {"CM_INTP", 0, rcOk, 0.0, "  0,0 Nm"},     // exactly the first pair: its value
      {"CM_INTP", -0.4, rcOk, 0.0, "  0,0 Nm"},  // rounds to the first pair
      {"CM_INTP", 5, rcOk, 50.0, " 50,0 Nm"},
      {"CM_INTP", 10, rcOk, 100.0, "100,0 Nm"},
      {"CM_INTP", 10.4, rcOk, 104.0, "104,0 Nm"},  // rounds to 10, interpolates at 10.4
      {"CM_INTP", 10.5, rcOk, 110.0, "110,0 Nm"},  // rounds to 11
      {"CM_INTP", 15, rcOk, 200.0, "200,0 Nm"},
      {"CM_INTP", 20, rcOk, 300.0, "300,0 Nm"},    // the last pair
      {"CM_INTP", 20.4, rcOk, 308.0, "308,0 Nm"},  // not clamped to the last value
      {"CM_INTP", 20.5, rcInvalidArgument, kUntouched, "untouched"},
      {"CM_INTP", 21, rcInvalidArgument, kUntouched, "untouched"},  // above the last pair
      {"CM_INTP_DEF", 21, rcOk, kUntouched, "out of range"},
      {"CM_UNSORTED", 15, rcOk, 225.0, "225,0"},  // the search stops at the first InVal >= 15
      // Exact table.
      {"CM_NOINTP", -1, rcInvalidArgument, kUntouched, "untouched"},
      {"CM_NOINTP", 0, rcOk, 0.0, "  0,0 Nm"},
      {"CM_NOINTP", 10.4, rcOk, 100.0, "100,0 Nm"},                     // rounds to 10
      {"CM_NOINTP", 10.5, rcInvalidArgument, kUntouched, "untouched"},  // rounds to 11
      {"CM_NOINTP_DEF", 10.5, rcOk, kUntouched, "out of range"},
      {"CM_NOINTP", 15, rcInvalidArgument, kUntouched, "untouched"},
      {"CM_NOINTP_DEF", 15, rcOk, kUntouched, "out of range"},
      {"CM_NOINTP", 19.5, rcOk, 300.0, "300,0 Nm"},
      {"CM_NOINTP", 21, rcInvalidArgument, kUntouched, "untouched"},
      {"CM_EMPTY", 0, rcOk, kUntouched, "empty"},  // no pairs: always the default
      {"CM_DUP", 5, rcOk, 1.0, "1,0"},             // the first table of the name
      // Verbal table: the first pair of the value, no format, no unit.
      {"CM_VERB", 1, rcOk, 1.0, "on"},
      {"CM_VERB", 0, rcOk, 0.0, "off"},
      {"CM_VERB", 0.6, rcOk, 1.0, "on"},
      {"CM_VERB", -0.5, rcOk, 0.0, "off"},  // floor(-0.5 + 0.5)
      {"CM_VERB", 2, rcOk, 2.0, "unknown"},
      {"CM_VERB", 4294967297.0, rcOk, 1.0, "on"},  // the low 32 bits of the rounded value
      {"CM_VERB_NODEF", 2, rcInvalidArgument, 2.0, "untouched"},  // the value is written
      {"CM_VERB_NODEF", 1, rcOk, 1.0, "on"},
      // Tables are looked up by kind: a verbal method does not take a numeric table of the
      // name, nor the other way round.
      {"CM_NO_TAB", 1, rcCompuTabNotFound, kUntouched, "untouched"},
      {"CM_NO_VTAB", 1, rcCompuVTabNotFound, kUntouched, "untouched"},
      {"CM_VERB_TO_TAB", 1, rcCompuVTabNotFound, kUntouched, "untouched"},
      // Formulas and unknown types are not converted.
      {"CM_FORM", 1, rcInvalidArgument, kUntouched, "untouched"},
      {"CM_UNKNOWN", 1, rcInvalidArgument, kUntouched, "untouched"},
  };
  // The table found on first use is kept: a second round gives the same answers.
  for (int round = 0; round < 2; ++round) {
    for (const TableCase& c : cases) check(c, convert(c.method, c.raw));
  }
  // Names compare exactly, whatever the comparison mode.
  Ordex_ConfigureStringComparison(1);
  check({"CM_TAB_CASE", 1, rcCompuTabNotFound, kUntouched, "untouched"}, convert("CM_TAB_CASE", 1));
  check({"cm_intp", 1, rcCompuMethodNotFound, kUntouched, "untouched"}, convert("cm_intp", 1));
}

TEST_F(Tables, VerbalTableAndTheMask) {
  // Integer types are masked while decoding.
  check({"CM_VERB", 0x04, rcOk, 1.0, "on"}, convert("CM_VERB", 0x04, dtUByte, 0x04));
  // Floating-point values are scaled down by the mask's trailing zero bits instead.
  check({"CM_VERB", 4, rcOk, 1.0, "on"}, convert("CM_VERB", 4, dtFloat32Ieee, 0x04));
  check({"CM_VERB", 4, rcOk, 1.0, "on"}, convert("CM_VERB", 4, dtFloat64Ieee, 0x0C));
  check({"CM_VERB", 4, rcOk, 4.0, "unknown"}, convert("CM_VERB", 4, dtFloat64Ieee, 0));
  check({"CM_VERB", -4, rcOk, -4.0, "unknown"}, convert("CM_VERB", -4, dtFloat64Ieee, 0x04));
}

TEST_F(Tables, TableIsLookedUpBeforeTheDataType) {
  const unsigned char raw[4] = {0x41, 0x42, 0x43, 0x44};
  double phys = kUntouched;
  char text[32] = "untouched";
  EXPECT_EQ(rcCompuTabNotFound,
            Ordex_RawToPhys(inst, nullptr, raw, dtString, 0, 0, "CM_NO_TAB", '.', &phys, text));
  EXPECT_EQ(rcCompuVTabNotFound,
            Ordex_RawToPhys(inst, nullptr, raw, 11, 0, 0, "CM_NO_VTAB", '.', &phys, text));
  EXPECT_EQ(rcInvalidArgument,
            Ordex_RawToPhys(inst, nullptr, raw, 11, 0, 0, "CM_INTP", '.', &phys, text));
  // A STRING value through a table method is a dump; Ordex_RawToPhys dumps no byte.
  EXPECT_EQ(rcOk, Ordex_RawToPhys(inst, nullptr, raw, dtString, 0, 0, "CM_VERB", '.', &phys, text));
  EXPECT_STREQ("", text);
  EXPECT_EQ(0.0, phys);
}

TEST(TablesLongText, VerbalTextIsWrittenWhole) {
  Instance inst;
  const std::string longText(600, 't');
  ASSERT_EQ(
      rcOk,
      readText(
          inst,
          "/begin PROJECT P \"\" /begin MODULE M \"\"\n"
          "/begin COMPU_VTAB VT \"\" TAB_VERB 1 7 \"" +
              longText +
              "\" /end COMPU_VTAB\n"
              "/begin COMPU_METHOD CM \"\" TAB_VERB \"\" \"\" COMPU_TAB_REF VT /end COMPU_METHOD\n"
              "/end MODULE /end PROJECT\n"));
  const unsigned char raw[1] = {7};
  double phys = 0;
  char text[1024];
  ASSERT_EQ(rcOk, Ordex_RawToPhys(inst, "M", raw, dtUByte, 0, 0, "CM", '.', &phys, text));
  EXPECT_EQ(longText, text);
}

}  // namespace
