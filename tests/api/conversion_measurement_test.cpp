// Ordex_RawToPhysMeasurement and Ordex_RawToPhys: how they find their inputs, and their codes.

#include <cstring>
#include <string>
#include <vector>

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
  const struct {
    const char* measurement;
    std::vector<unsigned char> raw;
    double phys;
    const char* text;
  } cases[] = {
      {"M_SPEED", {0x34, 0xF2}, 282.0, " 282,0 km/h"},       // MSB_LAST 0xF234, masked 0x234 = 564
      {"M_DEFAULT_ORDER", {0x12, 0x34}, 4660.0, "4660,00"},  // the module's MSB_FIRST
      {"M_STATE", {0xF0}, 3.0, "on"},                        // mask 0x30: field 3
      // STRING: Resolution bytes are dumped, none for a Resolution of 0 or below.
      {"M_NAME", {0x41, 0x42, 0x0D, 0x99}, 0.0, "41 42 0d"},
      {"M_NAME_NEG", {0x41, 0x42, 0x0D, 0x99}, 0.0, ""},
      {"M_NAME_ZERO", {0x41, 0x42, 0x0D, 0x99}, 0.0, ""},
      {"M_DUP", {4}, 4.0, "4,0 first"},  // the first M_DUP, converted with the first CM_DUP
  };
  for (const auto& c : cases) {
    const Result r = convert(c.measurement, c.raw.data());
    ASSERT_EQ(rcOk, r.rc) << c.measurement;
    EXPECT_EQ(c.phys, r.phys) << c.measurement;
    EXPECT_EQ(c.text, r.text) << c.measurement;
  }
}

// Names compare exactly even when the getters ignore the letter case.
TEST_F(MeasurementConversion, NamesCompareExactly) {
  const unsigned char raw[1] = {4};
  Ordex_ConfigureStringComparison(1);
  EXPECT_EQ(rcMeasurementNotFound, convert("m_dup", raw).rc);
  EXPECT_EQ(rcCompuMethodNotFound, convert("M_CASE", raw).rc);
  EXPECT_EQ(rcOk, convert("M_DUP", raw).rc);
}

TEST_F(MeasurementConversion, Codes) {
  const unsigned char raw[8] = {};
  double phys = 0;
  char text[64];
  auto byMeasurement = [&](TOrdex* i, const char* module, const char* name, const unsigned char* r,
                           double* p, char* t) {
    return Ordex_RawToPhysMeasurement(i, module, name, r, '.', p, t);
  };
  EXPECT_EQ(rcNoInstance, byMeasurement(nullptr, nullptr, "M_SPEED", raw, &phys, text));
  EXPECT_EQ(rcModuleNotFound, byMeasurement(inst, "X", "M_SPEED", raw, &phys, text));
  EXPECT_EQ(rcMeasurementNotFound, byMeasurement(inst, "M", "M_NONE", raw, &phys, text));
  EXPECT_EQ(rcCompuMethodNotFound, byMeasurement(inst, nullptr, "M_NOCM", raw, &phys, text));
  EXPECT_EQ(rcInvalidArgument, byMeasurement(inst, nullptr, "M_BADTYPE", raw, &phys, text));
  EXPECT_EQ(rcNullArgument, byMeasurement(inst, nullptr, nullptr, raw, &phys, text));
  EXPECT_EQ(rcNullArgument, byMeasurement(inst, nullptr, "M_SPEED", nullptr, &phys, text));
  EXPECT_EQ(rcNullArgument, byMeasurement(inst, nullptr, "M_SPEED", raw, nullptr, text));
  EXPECT_EQ(rcNullArgument, byMeasurement(inst, nullptr, "M_SPEED", raw, &phys, nullptr));

  auto byMethod = [&](TOrdex* i, const char* module, const char* name, const unsigned char* r) {
    return Ordex_RawToPhys(i, module, r, dtUByte, 0, 0, name, '.', &phys, text);
  };
  EXPECT_EQ(rcNoInstance, byMethod(nullptr, nullptr, "CM_SPEED", raw));
  EXPECT_EQ(rcModuleNotFound, byMethod(inst, "X", "CM_SPEED", raw));
  EXPECT_EQ(rcCompuMethodNotFound, byMethod(inst, nullptr, "CM_NONE", raw));
  EXPECT_EQ(rcNullArgument, byMethod(inst, nullptr, nullptr, raw));
  EXPECT_EQ(rcNullArgument, byMethod(inst, nullptr, "CM_SPEED", nullptr));
  EXPECT_EQ(rcOk, byMethod(inst, nullptr, "CM_SPEED", raw));
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
