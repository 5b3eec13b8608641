// MEASUREMENT through the public interface.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;

std::string inModule(const std::string& body) {
  return "ASAP2_VERSION 1 61\n/begin PROJECT P \"\"\n/begin MODULE M \"\"\n" + body +
         "\n/end MODULE\n/end PROJECT\n";
}

TMeasurement named(const char* name) {
  TMeasurement r;
  std::memset(&r, 0x5A, sizeof r);
  std::snprintf(r.Name, sizeof r.Name, "%s", name);
  return r;
}

class MeasurementFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Ordex_ReadAsapFile(inst, ordex_test::dataPath("measurement_all_items.a2l").c_str(),
                                 nullptr, nullptr),
              rcOk)
        << ordex_test::readError(inst);
  }
  Instance inst;
};

TEST_F(MeasurementFile, EveryItemReadsIntoTheRecord) {
  TMeasurement r = named("N_Eng");
  ASSERT_EQ(Ordex_GetMeasurement(inst, nullptr, &r, 0), rcOk);
  EXPECT_STREQ(r.LongIdentifier, "engine speed");
  EXPECT_EQ(r.DataType, dtUWord);
  EXPECT_STREQ(r.Conversion, "CM_RPM");
  EXPECT_EQ(r.Resolution, 4464);  // 70000 cut to 16 bits
  EXPECT_STREQ(r.Accuracy.Text, "0.5");
  EXPECT_EQ(r.Accuracy.Value, 0.5);
  // Limits written in hexadecimal come back empty.
  EXPECT_STREQ(r.LowerLimit.Text, "");
  EXPECT_EQ(r.LowerLimit.Value, 0.0);
  EXPECT_STREQ(r.UpperLimit.Text, "");
  EXPECT_EQ(r.UpperLimit.Value, 0.0);
  EXPECT_STREQ(r.Format, "%6.1");
  EXPECT_EQ(r.ArraySize, 8);
  EXPECT_EQ(r.BitMask, 0xFFu);  // always hexadecimal
  EXPECT_EQ(r.ByteOrder, boBigEndian);
  EXPECT_EQ(r.MaxRefreshScalingUnit, 3);
  EXPECT_EQ(r.MaxRefreshRate, 100);
  EXPECT_EQ(r.EcuAddress, 0x8000A0u);
  EXPECT_EQ(r.UserData, 0u);
}

TEST_F(MeasurementFile, FixedPartOnlyLeavesTheDefaults) {
  TMeasurement r = named("T_Air");
  ASSERT_EQ(Ordex_GetMeasurement(inst, "M", &r, 0), rcOk);
  EXPECT_EQ(r.DataType, dtSWord);
  EXPECT_STREQ(r.LowerLimit.Text, "-40");
  EXPECT_EQ(r.LowerLimit.Value, -40.0);
  EXPECT_EQ(r.UpperLimit.Value, 140.0);
  EXPECT_STREQ(r.Format, "");
  EXPECT_EQ(r.ArraySize, 0);
  EXPECT_EQ(r.BitMask, 0xFFFFFFFFu);
  EXPECT_EQ(r.EcuAddress, 0xFFFFFFFFu);
  EXPECT_EQ(r.ByteOrder, boMsbLast);  // the module's, without MOD_COMMON
  EXPECT_EQ(r.MaxRefreshScalingUnit, -1);
  EXPECT_EQ(r.MaxRefreshRate, 0);
}

TEST_F(MeasurementFile, GetterCodes) {
  TMeasurement r = named("N_Eng");
  TMeasurement before = r;
  EXPECT_EQ(Ordex_GetMeasurement(inst, nullptr, &r, 1), rcOk);
  EXPECT_EQ(std::memcmp(&r, &before, sizeof r), 0) << "an existence check writes nothing";
  TMeasurement missing = named("n_eng");
  EXPECT_EQ(Ordex_GetMeasurement(inst, nullptr, &missing, 0), rcMeasurementNotFound);
  EXPECT_EQ(Ordex_GetMeasurement(inst, "X", &r, 0), rcModuleNotFound);
  EXPECT_EQ(Ordex_GetMeasurement(inst, nullptr, nullptr, 0), rcNullArgument);
  EXPECT_EQ(Ordex_GetMeasurement(nullptr, nullptr, &r, 0), rcNoInstance);
}

struct NumberCase {
  const char* fixedPart;
  TOrdexReturnCode rc;
};

// Every numeric positional argument is checked; ARRAY_SIZE and the refresh rate never fail.
TEST(Measurement, NumbersInThePositionalArguments) {
  const NumberCase cases[] = {
      {"UBYTE CM 1 0 0 255", rcOk},
      {"UBYTE CM 1x 0 0 255", rcBadNumber},
      {"UBYTE CM 1 0.5.5 0 255", rcBadNumber},
      {"UBYTE CM 1 0 0x1G 255", rcBadNumber},
      {"UBYTE CM 1 0 0 2z5", rcBadNumber},
      {"UBYTE CM 1 0 0 /begin ANNOTATION /end ANNOTATION", rcBadNumber},
      {"UBYTE CM 1 0 0 255 ARRAY_SIZE 8x MAX_REFRESH 1 2y", rcOk},
      {"UBYTE CM 1 0 0 255 ECU_ADDRESS 0x8000XYZ", rcBadNumber},
      {"UBYTE CM 1 0 0", rcOk},
  };
  for (const NumberCase& c : cases) {
    Instance inst;
    EXPECT_EQ(ordex_test::readText(inst, inModule(std::string("/begin MEASUREMENT N \"\" ") +
                                                  c.fixedPart + "\n/end MEASUREMENT")),
              c.rc)
        << c.fixedPart;
  }
}

TEST(Measurement, UnknownItemsAndTheirArgumentsAreIgnored) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, inModule(R"(
    /begin MEASUREMENT N "" UBYTE CM 1 0 0 255
      READ_WRITE ERROR_MASK 0x1 LAYOUT ROW_DIR DISPLAY_IDENTIFIER n
      /begin MATRIX_DIM_BLOCK 1 2 /end MATRIX_DIM_BLOCK
      ARRAY_SIZE 4
      BYTE_ORDER
    /end MEASUREMENT)")),
            rcOk);
  TMeasurement r = named("N");
  ASSERT_EQ(Ordex_GetMeasurement(inst, nullptr, &r, 0), rcOk);
  EXPECT_STREQ(r.Format, "");
  EXPECT_EQ(r.ArraySize, 4);
  EXPECT_EQ(r.ByteOrder, -1);  // its value token is "/end", in no keyword list
}

}  // namespace
