// MEASUREMENT through the public interface.
#include <gtest/gtest.h>

#include <string>

#include "ordex.h"
#include "support/inline_a2l.h"
#include "support/test_support.h"

namespace {

using ordex_test::inModule;
using ordex_test::Instance;
using ordex_test::keyed;

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
  TMeasurement r = keyed<TMeasurement>("N_Eng");
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

  ordex_test::expectLookupCodes<TMeasurement>(Ordex_GetMeasurement, inst, "N_Eng",
                                              rcMeasurementNotFound);
}

TEST_F(MeasurementFile, FixedPartOnlyLeavesTheDefaults) {
  TMeasurement r = keyed<TMeasurement>("T_Air");
  ASSERT_EQ(Ordex_GetMeasurement(inst, "M", &r, 0), rcOk);
  EXPECT_EQ(r.DataType, dtSWord);
  EXPECT_STREQ(r.LowerLimit.Text, "-40");
  EXPECT_EQ(r.LowerLimit.Value, -40.0);
  EXPECT_EQ(r.UpperLimit.Value, 140.0);
  EXPECT_STREQ(r.Format, "");
  EXPECT_EQ(r.ArraySize, 0);
  EXPECT_EQ(r.BitMask, 0xFFFFFFFFu);
  EXPECT_EQ(r.EcuAddress, 0xFFFFFFFFu);
  EXPECT_EQ(r.MaxRefreshScalingUnit, -1);
  EXPECT_EQ(r.MaxRefreshRate, 0);
}

// Every numeric positional argument is checked; ARRAY_SIZE and the refresh rate never fail.
TEST(Measurement, NumbersInThePositionalArguments) {
  const struct {
    const char* fixedPart;
    TOrdexReturnCode rc;
  } cases[] = {
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
  for (const auto& c : cases) {
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
  TMeasurement r = keyed<TMeasurement>("N");
  ASSERT_EQ(Ordex_GetMeasurement(inst, nullptr, &r, 0), rcOk);
  EXPECT_STREQ(r.Format, "");
  EXPECT_EQ(r.ArraySize, 4);
  EXPECT_EQ(r.ByteOrder, -1);  // its value token is "/end", in no keyword list
}

}  // namespace
