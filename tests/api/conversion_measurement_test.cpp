// Ordex_RawToPhysMeasurement and Ordex_RawToPhys: how they find their inputs, and their codes.

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using ordex_test::readText;

const char* const kFile = R"(
/begin PROJECT P ""
/begin MODULE M ""
  /begin MOD_COMMON "" BYTE_ORDER MSB_FIRST /end MOD_COMMON
  /begin COMPU_METHOD CM_SPEED "" RAT_FUNC "%6.1" "km/h" COEFFS 0 2 0 0 0 1 /end COMPU_METHOD
  /begin COMPU_METHOD CM_IDENT "" RAT_FUNC "%d" "" COEFFS 0 1 0 0 0 1 /end COMPU_METHOD
  /begin COMPU_METHOD CM_DUP "" RAT_FUNC "%.1" "first" COEFFS 0 1 0 0 0 1 /end COMPU_METHOD
  /begin COMPU_METHOD CM_DUP "" RAT_FUNC "%.1" "second" COEFFS 0 1 0 0 0 1 /end COMPU_METHOD
  /begin COMPU_METHOD CM_STATE "" TAB_VERB "" "" COMPU_TAB_REF VT_STATE /end COMPU_METHOD
  /begin COMPU_VTAB VT_STATE "" TAB_VERB 2 0 "off" 3 "on" /end COMPU_VTAB

  /begin MEASUREMENT M_SPEED "" UWORD CM_SPEED 0 0 0 65535
    BYTE_ORDER MSB_LAST BIT_MASK 0x0FFF
  /end MEASUREMENT
  /begin MEASUREMENT M_DEFAULT_ORDER "" UWORD CM_IDENT 0 0 0 65535 /end MEASUREMENT
  /begin MEASUREMENT M_STATE "" UBYTE CM_STATE 0 0 0 255 BIT_MASK 0x30 /end MEASUREMENT
  /begin MEASUREMENT M_NAME "" STRING CM_IDENT 3 0 0 255 /end MEASUREMENT
  /begin MEASUREMENT M_NAME_NEG "" STRING CM_IDENT -1 0 0 255 /end MEASUREMENT
  /begin MEASUREMENT M_NAME_ZERO "" STRING CM_IDENT 0 0 0 255 /end MEASUREMENT
  /begin MEASUREMENT M_DUP "" UBYTE CM_DUP 0 0 0 255 /end MEASUREMENT
  /begin MEASUREMENT M_DUP "" UBYTE CM_SPEED 0 0 0 255 /end MEASUREMENT
  /begin MEASUREMENT M_NOCM "" UBYTE NO_COMPU_METHOD 0 0 0 255 /end MEASUREMENT
  /begin MEASUREMENT M_CASE "" UBYTE cm_ident 0 0 0 255 /end MEASUREMENT
  /begin MEASUREMENT M_BADTYPE "" UINT64 CM_IDENT 0 0 0 255 /end MEASUREMENT
/end MODULE
/end PROJECT
)";

struct Result {
  TOrdexReturnCode rc;
  double phys;
  std::string text;
};

class MeasurementConversion : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(rcOk, readText(inst, kFile)); }
  void TearDown() override { Ordex_ConfigureStringComparison(0); }

  Result convert(const char* measurement, const unsigned char* raw, const char* module = nullptr) {
    Result r{rcOk, -1.0, ""};
    char text[256] = "untouched";
    r.rc = Ordex_RawToPhysMeasurement(inst, module, measurement, raw, ',', &r.phys, text);
    r.text = text;
    return r;
  }

  Instance inst;
};

TEST_F(MeasurementConversion, UsesTheMeasurementsTypeOrderMaskAndMethod) {
  const unsigned char speed[2] = {0x34, 0xF2};  // MSB_LAST: 0xF234, masked: 0x234 = 564
  Result r = convert("M_SPEED", speed);
  ASSERT_EQ(rcOk, r.rc);
  EXPECT_EQ(282.0, r.phys);
  EXPECT_EQ(" 282,0 km/h", r.text);

  const unsigned char word[2] = {0x12, 0x34};  // the module's MSB_FIRST
  r = convert("M_DEFAULT_ORDER", word, "M");
  ASSERT_EQ(rcOk, r.rc);
  EXPECT_EQ(4660.0, r.phys);
  EXPECT_EQ("4660,00", r.text);

  const unsigned char state[1] = {0xF0};  // mask 0x30: field 3
  r = convert("M_STATE", state);
  ASSERT_EQ(rcOk, r.rc);
  EXPECT_EQ(3.0, r.phys);
  EXPECT_EQ("on", r.text);
}

TEST_F(MeasurementConversion, StringDumpsResolutionBytes) {
  const unsigned char raw[4] = {0x41, 0x42, 0x0D, 0x99};
  const struct {
    const char* measurement;
    const char* text;
  } cases[] = {{"M_NAME", "41 42 0d"}, {"M_NAME_NEG", ""}, {"M_NAME_ZERO", ""}};
  for (const auto& c : cases) {
    const Result r = convert(c.measurement, raw);
    ASSERT_EQ(rcOk, r.rc) << c.measurement;
    EXPECT_EQ(c.text, r.text) << c.measurement;
    EXPECT_EQ(0.0, r.phys) << c.measurement;
  }
}

TEST_F(MeasurementConversion, FirstOfANameAndExactNames) {
  const unsigned char raw[1] = {4};
  Result r = convert("M_DUP", raw);  // the first M_DUP, converted with the first CM_DUP
  ASSERT_EQ(rcOk, r.rc);
  EXPECT_EQ("4,0 first", r.text);
  // Names compare exactly even when the getters ignore the letter case.
  Ordex_ConfigureStringComparison(1);
  EXPECT_EQ(rcMeasurementNotFound, convert("m_dup", raw).rc);
  EXPECT_EQ(rcCompuMethodNotFound, convert("M_CASE", raw).rc);
  EXPECT_EQ(rcOk, convert("M_DUP", raw).rc);
}

TEST_F(MeasurementConversion, Codes) {
  const unsigned char raw[8] = {};
  double phys = 0;
  char text[64];
  const struct {
    const char* what;
    TOrdexReturnCode rc;
    TOrdexReturnCode expected;
  } cases[] = {
      {"no instance",
       Ordex_RawToPhysMeasurement(nullptr, nullptr, "M_SPEED", raw, '.', &phys, text),
       rcNoInstance},
      {"no module", Ordex_RawToPhysMeasurement(inst, "X", "M_SPEED", raw, '.', &phys, text),
       rcModuleNotFound},
      {"no measurement", Ordex_RawToPhysMeasurement(inst, "M", "M_NONE", raw, '.', &phys, text),
       rcMeasurementNotFound},
      {"no compu method",
       Ordex_RawToPhysMeasurement(inst, nullptr, "M_NOCM", raw, '.', &phys, text),
       rcCompuMethodNotFound},
      {"bad data type",
       Ordex_RawToPhysMeasurement(inst, nullptr, "M_BADTYPE", raw, '.', &phys, text),
       rcInvalidArgument},
      {"null name", Ordex_RawToPhysMeasurement(inst, nullptr, nullptr, raw, '.', &phys, text),
       rcNullArgument},
      {"null raw", Ordex_RawToPhysMeasurement(inst, nullptr, "M_SPEED", nullptr, '.', &phys, text),
       rcNullArgument},
      {"null value", Ordex_RawToPhysMeasurement(inst, nullptr, "M_SPEED", raw, '.', nullptr, text),
       rcNullArgument},
      {"null text", Ordex_RawToPhysMeasurement(inst, nullptr, "M_SPEED", raw, '.', &phys, nullptr),
       rcNullArgument},
      {"by method: no instance",
       Ordex_RawToPhys(nullptr, nullptr, raw, dtUByte, 0, 0, "CM_SPEED", '.', &phys, text),
       rcNoInstance},
      {"by method: no module",
       Ordex_RawToPhys(inst, "X", raw, dtUByte, 0, 0, "CM_SPEED", '.', &phys, text),
       rcModuleNotFound},
      {"by method: no method",
       Ordex_RawToPhys(inst, nullptr, raw, dtUByte, 0, 0, "CM_NONE", '.', &phys, text),
       rcCompuMethodNotFound},
      {"by method: null name",
       Ordex_RawToPhys(inst, nullptr, raw, dtUByte, 0, 0, nullptr, '.', &phys, text),
       rcNullArgument},
      {"by method: null raw",
       Ordex_RawToPhys(inst, nullptr, nullptr, dtUByte, 0, 0, "CM_SPEED", '.', &phys, text),
       rcNullArgument},
      {"by method: ok",
       Ordex_RawToPhys(inst, nullptr, raw, dtUByte, 0, 0, "CM_SPEED", '.', &phys, text), rcOk},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, c.rc) << c.what;
}

TEST(MeasurementConversionModules, TwoModulesNeedAModuleName) {
  Instance inst;
  ASSERT_EQ(rcOk, readText(inst, R"(
/begin PROJECT P ""
/begin MODULE A ""
  /begin COMPU_METHOD CM "" RAT_FUNC "%.0" "a" COEFFS 0 1 0 0 0 1 /end COMPU_METHOD
  /begin MEASUREMENT X "" UBYTE CM 0 0 0 255 /end MEASUREMENT
/end MODULE
/begin MODULE B ""
  /begin COMPU_METHOD CM "" RAT_FUNC "%.0" "b" COEFFS 0 1 0 0 0 1 /end COMPU_METHOD
  /begin MEASUREMENT X "" UBYTE CM 0 0 0 255 /end MEASUREMENT
/end MODULE
/end PROJECT
)"));
  const unsigned char raw[1] = {9};
  double phys = 0;
  char text[32];
  EXPECT_EQ(rcModuleNotFound,
            Ordex_RawToPhysMeasurement(inst, nullptr, "X", raw, '.', &phys, text));
  ASSERT_EQ(rcOk, Ordex_RawToPhysMeasurement(inst, "B", "X", raw, '.', &phys, text));
  EXPECT_STREQ("9 b", text);
  ASSERT_EQ(rcOk, Ordex_RawToPhys(inst, "A", raw, dtUByte, 0, 0, "CM", '.', &phys, text));
  EXPECT_STREQ("9 a", text);
}

}  // namespace
