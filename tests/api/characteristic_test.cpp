// CHARACTERISTIC through the public interface: the block as read and both getter forms.
#include <gtest/gtest.h>

#include <cstddef>
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

template <class Record>
Record named(const char* name) {
  Record r;
  std::memset(&r, 0x5A, sizeof r);  // a pattern the getter must overwrite or leave alone
  std::snprintf(r.Name, sizeof r.Name, "%s", name);
  return r;
}

bool untouched(const void* p, size_t n) {
  const unsigned char* b = static_cast<const unsigned char*>(p);
  for (size_t i = 0; i < n; ++i) {
    if (b[i] != 0x5A) return false;
  }
  return true;
}

class CharacteristicFile : public ::testing::Test {
 protected:
  void read(const std::string& file) {
    ASSERT_EQ(Ordex_ReadAsapFile(inst, ordex_test::dataPath(file).c_str(), nullptr, nullptr), rcOk)
        << ordex_test::readError(inst);
  }
  TCharacteristic get(const char* name) {
    TCharacteristic r = named<TCharacteristic>(name);
    EXPECT_EQ(Ordex_GetCharacteristic(inst, nullptr, &r, 0), rcOk) << name;
    return r;
  }
  TCharacteristic2 get2(const char* name) {
    TCharacteristic2 r = named<TCharacteristic2>(name);
    EXPECT_EQ(Ordex_GetCharacteristic2(inst, nullptr, &r, 0), rcOk) << name;
    return r;
  }
  Instance inst;
};

TEST_F(CharacteristicFile, EveryItemReadsIntoTheRecord) {
  read("characteristic_all_items.a2l");
  TCharacteristic c = get("KwAll");
  EXPECT_STREQ(c.Name, "KwAll");
  EXPECT_STREQ(c.LongIdentifier, "every item");
  EXPECT_EQ(c.Type, 4);           // VAL_BLK
  EXPECT_EQ(c.Address, 0x1000u);  // the address is always hexadecimal
  EXPECT_STREQ(c.Deposit, "RL_BLK");
  EXPECT_STREQ(c.MaxDiff.Text, "0x10");  // kept as written ...
  EXPECT_EQ(c.MaxDiff.Value, 16.0);      // ... and read as a number
  EXPECT_STREQ(c.Conversion, "CM_LIN");
  EXPECT_STREQ(c.LowerLimit.Text, "-1.5");
  EXPECT_EQ(c.LowerLimit.Value, -1.5);
  EXPECT_STREQ(c.UpperLimit.Text, "2.5e2");
  EXPECT_EQ(c.UpperLimit.Value, 250.0);
  EXPECT_STREQ(c.Format, "%8.3");
  EXPECT_EQ(c.ByteOrder, boMsbFirst);
  EXPECT_EQ(c.BitMask, 0xFF00u);
  EXPECT_EQ(c.Number, 4464);  // 70000 cut to 16 bits
  EXPECT_EQ(c.ReadOnly, 1);
  EXPECT_STREQ(c.ExtendedLimitsLower.Text, "-100");
  EXPECT_EQ(c.ExtendedLimitsLower.Value, -100.0);
  EXPECT_STREQ(c.ExtendedLimitsUpper.Text, "0x200");
  EXPECT_EQ(c.ExtendedLimitsUpper.Value, 512.0);
  EXPECT_EQ(c.MaxRefreshScalingUnit, 3);
  EXPECT_EQ(c.MaxRefreshRate, 100);  // the rate is the number at the start of its token
  EXPECT_EQ(c.UserData, 0u);
  // VAL_BLK has no axes: the caller's entries stay as they were.
  EXPECT_TRUE(untouched(c.Axes, sizeof c.Axes));
}

// How many axis entries each type writes, and from which stored axes.
TEST_F(CharacteristicFile, AxisEntriesFollowTheType) {
  read("characteristic_map_three_axes.a2l");

  TCharacteristic map = get("KfMap");
  EXPECT_EQ(map.Type, 2);
  EXPECT_EQ(map.Axes[0].Attribute, 0);
  EXPECT_STREQ(map.Axes[0].InputQuantity, "N_Eng");
  EXPECT_STREQ(map.Axes[0].Format, "%6.1");
  EXPECT_EQ(map.Axes[1].Attribute, 1);
  EXPECT_STREQ(map.Axes[1].AxisPtsRef, "ApT");
  EXPECT_TRUE(untouched(&map.Axes[2], sizeof map.Axes[2])) << "a MAP writes two axes";

  TCharacteristic cuboid = get("KfCuboid");
  EXPECT_STREQ(cuboid.Axes[0].InputQuantity, "A");
  EXPECT_STREQ(cuboid.Axes[1].InputQuantity, "B");
  // The third slot was never filled and is written with its initial values.
  EXPECT_EQ(cuboid.Axes[2].Attribute, -1);
  EXPECT_STREQ(cuboid.Axes[2].InputQuantity, "");
  EXPECT_STREQ(cuboid.Axes[2].LowerLimit.Text, "");
  EXPECT_EQ(cuboid.Axes[2].MaxAxisPoints, 0);
  EXPECT_EQ(cuboid.Axes[2].DepositMode, -1);

  TCharacteristic value = get("KwValue");
  EXPECT_TRUE(untouched(value.Axes, sizeof value.Axes)) << "a VALUE writes no axis";

  TCharacteristic curve = get("KlCurve");
  EXPECT_TRUE(untouched(&curve.Axes[1], 2 * sizeof curve.Axes[1])) << "a CURVE writes one axis";
  const TAxisDescr& a = curve.Axes[0];
  EXPECT_EQ(a.Attribute, 2);
  EXPECT_STREQ(a.Conversion, "CM_RPM");
  EXPECT_EQ(a.MaxAxisPoints, 4464);
  EXPECT_STREQ(a.LowerLimit.Text, "0x0");
  EXPECT_EQ(a.UpperLimit.Value, 16.0);
  EXPECT_EQ(a.ReadOnly, 1);
  EXPECT_STREQ(a.Format, "%4.0");
  // The items after the axis annotation still belong to the axis.
  EXPECT_STREQ(a.AxisPtsRef, "ApN");
  EXPECT_STREQ(a.ExtendedLimitsLower.Text, "-1");
  EXPECT_EQ(a.ExtendedLimitsUpper.Value, 1500.0);
  EXPECT_EQ(a.FixAxisParOffset, 10);
  EXPECT_EQ(a.FixAxisParShift, 20);
  EXPECT_EQ(a.FixAxisParNumberapo, 30);
  EXPECT_EQ(a.DepositMode, 1);
}

TEST_F(CharacteristicFile, BothRecordFormsAgree) {
  read("characteristic_map_three_axes.a2l");
  for (const char* name : {"KfMap", "KfCuboid", "KlCurve"}) {
    TCharacteristic c = get(name);
    TCharacteristic2 c2 = get2(name);
    // Everything before the axes is laid out alike.
    EXPECT_EQ(std::memcmp(&c, &c2, offsetof(TCharacteristic, Axes)), 0) << name;
    EXPECT_EQ(c.UserData, c2.UserData);
    for (int i = 0; i < c.Type; ++i) {
      const TAxisDescr& a = c.Axes[i];
      const TAxisDescr2& b = c2.Axes[i];
      EXPECT_EQ(std::memcmp(&a, &b, offsetof(TAxisDescr, FixAxisParOffset)), 0) << name << i;
      EXPECT_EQ(a.DepositMode, b.DepositMode);
      EXPECT_EQ(a.FixAxisParOffset, b.FixAxisParOffset);
      EXPECT_EQ(a.FixAxisParShift, b.FixAxisParShift);
      EXPECT_EQ(a.FixAxisParNumberapo, b.FixAxisParNumberapo);
    }
  }
  EXPECT_EQ(get2("KfMap").Axes[0].AxisPointsMode, -1);
  EXPECT_EQ(get2("KfMap").Axes[1].AxisPointsMode, -1);
  EXPECT_EQ(get2("KlCurve").Axes[0].AxisPointsMode, 2);
  // The third MAP axis is stored even though the getter does not hand it out.
  TCharacteristic2 cuboid = get2("KfCuboid");
  EXPECT_EQ(cuboid.Axes[2].AxisPointsMode, -1);
}

struct AxisModeCase {
  const char* items;
  int32_t mode;
  int32_t deposit;
  int32_t offset, shift, count;
};

class AxisPointsMode : public ::testing::TestWithParam<AxisModeCase> {};

TEST_P(AxisPointsMode, FollowsTheFirstOfTheThreeItems) {
  const AxisModeCase& c = GetParam();
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, inModule(std::string("/begin CHARACTERISTIC K \"\" CURVE "
                                                            "0 RL 0 CM 0 1 /begin AXIS_DESCR "
                                                            "STD_AXIS X CM 4 0 1 ") +
                                                c.items + " /end AXIS_DESCR /end CHARACTERISTIC")),
            rcOk);
  TCharacteristic2 r = named<TCharacteristic2>("K");
  ASSERT_EQ(Ordex_GetCharacteristic2(inst, nullptr, &r, 0), rcOk);
  EXPECT_EQ(r.Axes[0].AxisPointsMode, c.mode) << c.items;
  EXPECT_EQ(r.Axes[0].DepositMode, c.deposit) << c.items;
  EXPECT_EQ(r.Axes[0].FixAxisParOffset, c.offset) << c.items;
  EXPECT_EQ(r.Axes[0].FixAxisParShift, c.shift) << c.items;
  EXPECT_EQ(r.Axes[0].FixAxisParNumberapo, c.count) << c.items;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AxisPointsMode,
    ::testing::Values(AxisModeCase{"", -1, -1, 0, 0, 0},
                      AxisModeCase{"FIX_AXIS_PAR 0 4 6", 1, -1, 0, 4, 6},
                      AxisModeCase{"FIX_AXIS_PAR 0 4 6 DEPOSIT ABSOLUTE", 1, 1, 0, 4, 6},
                      AxisModeCase{"DEPOSIT ABSOLUTE", 0, 1, 0, 0, 0},
                      AxisModeCase{"DEPOSIT DIFFERENCE FIX_AXIS_PAR_DIST 1 2 3", 2, 0, 1, 2, 3},
                      AxisModeCase{"DEPOSIT absolute", 0, -1, 0, 0, 0}));

TEST(Characteristic, AFourthAxisIsNotStored) {
  Instance inst;
  std::string axes;
  for (const char* q : {"A", "B", "C", "D"}) {
    axes += std::string("/begin AXIS_DESCR STD_AXIS ") + q + " CM 2 0 1 /end AXIS_DESCR\n";
  }
  ASSERT_EQ(
      ordex_test::readText(inst, inModule("/begin CHARACTERISTIC K \"\" CUBOID 0 RL 0 CM 0 1\n" +
                                          axes + "/end CHARACTERISTIC")),
      rcOk);
  TCharacteristic r = named<TCharacteristic>("K");
  ASSERT_EQ(Ordex_GetCharacteristic(inst, nullptr, &r, 0), rcOk);
  EXPECT_STREQ(r.Axes[0].InputQuantity, "A");
  EXPECT_STREQ(r.Axes[1].InputQuantity, "B");
  EXPECT_STREQ(r.Axes[2].InputQuantity, "C");
}

// An annotation inside an axis ends at its own "/end": what follows is the axis's again, and
// the next axis starts without an annotation open.
TEST(Characteristic, AxisAnnotationEndsAtItsEnd) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, inModule(R"(
    /begin CHARACTERISTIC K "" MAP 0 RL 0 CM 0 1
      /begin AXIS_DESCR STD_AXIS X CM 2 0 1
        /begin ANNOTATION ANNOTATION_LABEL "x" /end ANNOTATION
        READ_ONLY FORMAT "%3.1" DEPOSIT ABSOLUTE
      /end AXIS_DESCR
      /begin AXIS_DESCR STD_AXIS Y CM 2 0 1
        AXIS_PTS_REF ApY
      /end AXIS_DESCR
      FORMAT "%9.9"
    /end CHARACTERISTIC)")),
            rcOk);
  TCharacteristic r = named<TCharacteristic>("K");
  ASSERT_EQ(Ordex_GetCharacteristic(inst, nullptr, &r, 0), rcOk);
  EXPECT_EQ(r.Axes[0].ReadOnly, 1);
  EXPECT_STREQ(r.Axes[0].Format, "%3.1");
  EXPECT_EQ(r.Axes[0].DepositMode, 1);
  EXPECT_STREQ(r.Axes[1].AxisPtsRef, "ApY");
  EXPECT_STREQ(r.Format, "%9.9");
}

// An IF_DATA block written inside an axis does not overwrite the axis's own values.
TEST(Characteristic, IfDataInsideAnAxisLeavesTheAxisAlone) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, inModule(R"(
    /begin CHARACTERISTIC K "" CURVE 0 RL 0 CM 0 1
      /begin AXIS_DESCR STD_AXIS X CM_X 2 0 1
        /begin IF_DATA XCP 1 2 3 /end IF_DATA
        FORMAT "%3.1"
      /end AXIS_DESCR
    /end CHARACTERISTIC)")),
            rcOk);
  TCharacteristic r = named<TCharacteristic>("K");
  ASSERT_EQ(Ordex_GetCharacteristic(inst, nullptr, &r, 0), rcOk);
  EXPECT_EQ(r.Axes[0].Attribute, 0);
  EXPECT_STREQ(r.Axes[0].InputQuantity, "X");
  EXPECT_STREQ(r.Axes[0].Conversion, "CM_X");
  EXPECT_STREQ(r.Axes[0].Format, "%3.1");
}

// Positional arguments are taken by count: a missing one shifts the rest.
struct ShiftCase {
  const char* name;
  const char* block;
  TOrdexReturnCode rc;
};

class CharacteristicShift : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(CharacteristicShift, ReadsOrFailsAsTheTokensFall) {
  const ShiftCase& c = GetParam();
  Instance inst;
  EXPECT_EQ(ordex_test::readText(inst, inModule(c.block)), c.rc) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CharacteristicShift,
    ::testing::Values(
        ShiftCase{"keyword where the upper limit belongs",
                  "/begin CHARACTERISTIC K \"\" VALUE 0 RL 0 CM 0 FORMAT \"%1.0\" "
                  "/end CHARACTERISTIC",
                  rcBadNumber},
        ShiftCase{"sub-block where the upper limit belongs",
                  "/begin CHARACTERISTIC K \"\" VALUE 0 RL 0 CM 0 /begin ANNOTATION "
                  "/end ANNOTATION /end CHARACTERISTIC",
                  rcBadNumber},
        ShiftCase{"address with a letter past f",
                  "/begin CHARACTERISTIC K \"\" VALUE 0x10g RL 0 CM 0 1 /end CHARACTERISTIC",
                  rcBadNumber},
        ShiftCase{"bad BIT_MASK",
                  "/begin CHARACTERISTIC K \"\" VALUE 0 RL 0 CM 0 1 BIT_MASK 0xZZ "
                  "/end CHARACTERISTIC",
                  rcBadNumber},
        ShiftCase{"bad axis point count",
                  "/begin CHARACTERISTIC K \"\" CURVE 0 RL 0 CM 0 1 /begin AXIS_DESCR STD_AXIS X "
                  "CM 4a 0 1 /end AXIS_DESCR /end CHARACTERISTIC",
                  rcBadNumber},
        ShiftCase{"bad MAX_REFRESH unit",
                  "/begin CHARACTERISTIC K \"\" VALUE 0 RL 0 CM 0 1 MAX_REFRESH x 1 "
                  "/end CHARACTERISTIC",
                  rcBadNumber},
        ShiftCase{"end comes early",
                  "/begin CHARACTERISTIC K \"\" VALUE 0 RL 0 CM 0 /end CHARACTERISTIC", rcOk},
        ShiftCase{"unknown type",
                  "/begin CHARACTERISTIC K \"\" CUBE_5 0 RL 0 CM 0 1 /end CHARACTERISTIC", rcOk}));

TEST(Characteristic, MissingArgumentsKeepTheirInitialValues) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, inModule("/begin CHARACTERISTIC K NULL CUBE_5 1000 RL\n"
                                                "/end CHARACTERISTIC")),
            rcOk);
  TCharacteristic r = named<TCharacteristic>("K");
  ASSERT_EQ(Ordex_GetCharacteristic(inst, nullptr, &r, 0), rcOk);
  EXPECT_STREQ(r.LongIdentifier, "");  // NULL reads as an empty text
  EXPECT_EQ(r.Type, -1);
  EXPECT_EQ(r.Address, 0x1000u);
  EXPECT_STREQ(r.Deposit, "RL");
  EXPECT_STREQ(r.MaxDiff.Text, "");
  EXPECT_EQ(r.MaxDiff.Value, 0.0);
  EXPECT_STREQ(r.UpperLimit.Text, "");
  EXPECT_STREQ(r.Format, "");
  EXPECT_EQ(r.BitMask, 0xFFFFFFFFu);
  EXPECT_EQ(r.Number, 0);
  EXPECT_EQ(r.ReadOnly, 0);
  EXPECT_EQ(r.MaxRefreshScalingUnit, -1);
  EXPECT_EQ(r.MaxRefreshRate, 0);
}

TEST(Characteristic, BadNumberIsReportedWithItsObject) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, inModule("/begin CHARACTERISTIC KwBad \"\"\n"
                                                "VALUE 0 RL 0 CM 0 1\nNUMBER 12a\n"
                                                "/end CHARACTERISTIC")),
            rcBadNumber);
  std::string report = ordex_test::readError(inst);
  EXPECT_NE(report.find("CHARACTERISTIC KwBad"), std::string::npos) << report;
  // What was built before the failure stays.
  TCharacteristic r = named<TCharacteristic>("KwBad");
  EXPECT_EQ(Ordex_GetCharacteristic(inst, nullptr, &r, 1), rcOk);
}

// Without MOD_COMMON the module defaults are MSB_LAST and no deposit.
TEST(Characteristic, TakesTheModuleDefaultsWithoutModCommon) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, inModule("/begin CHARACTERISTIC K \"\" CURVE 0 RL 0 CM 0 1 "
                                                "/begin AXIS_DESCR STD_AXIS X CM 2 0 1 "
                                                "/end AXIS_DESCR /end CHARACTERISTIC")),
            rcOk);
  TCharacteristic r = named<TCharacteristic>("K");
  ASSERT_EQ(Ordex_GetCharacteristic(inst, nullptr, &r, 0), rcOk);
  EXPECT_EQ(r.ByteOrder, boMsbLast);
  EXPECT_EQ(r.Axes[0].DepositMode, -1);
}

// The defaults are those of MOD_COMMON in force when a block starts, for CHARACTERISTIC (and
// its axes), AXIS_PTS and MEASUREMENT alike; an item of the block overrides them.
TEST(Characteristic, ObjectsTakeTheModCommonDefaultsAtBlockStart) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, inModule(R"(
    /begin MOD_COMMON "" BYTE_ORDER MSB_FIRST DEPOSIT ABSOLUTE /end MOD_COMMON
    /begin CHARACTERISTIC K "" CURVE 0 RL 0 CM 0 1
      /begin AXIS_DESCR STD_AXIS X CM 2 0 1 /end AXIS_DESCR
    /end CHARACTERISTIC
    /begin CHARACTERISTIC K2 "" VALUE 0 RL 0 CM 0 1 BYTE_ORDER LITTLE_ENDIAN
    /end CHARACTERISTIC
    /begin AXIS_PTS A "" 0 Q RL 0 CM 4 0 1 /end AXIS_PTS
    /begin MEASUREMENT N "" UBYTE CM 1 0 0 1 /end MEASUREMENT)")),
            rcOk);
  TCharacteristic r = named<TCharacteristic>("K");
  ASSERT_EQ(Ordex_GetCharacteristic(inst, nullptr, &r, 0), rcOk);
  EXPECT_EQ(r.ByteOrder, boMsbFirst);
  EXPECT_EQ(r.Axes[0].DepositMode, 1);
  TCharacteristic r2 = named<TCharacteristic>("K2");
  ASSERT_EQ(Ordex_GetCharacteristic(inst, nullptr, &r2, 0), rcOk);
  EXPECT_EQ(r2.ByteOrder, boLittleEndian);
  TAxisPts a = named<TAxisPts>("A");
  ASSERT_EQ(Ordex_GetAxisPts(inst, nullptr, &a, 0), rcOk);
  EXPECT_EQ(a.ByteOrder, boMsbFirst);
  EXPECT_EQ(a.DepositMode, 1);
  TMeasurement n = named<TMeasurement>("N");
  ASSERT_EQ(Ordex_GetMeasurement(inst, nullptr, &n, 0), rcOk);
  EXPECT_EQ(n.ByteOrder, boMsbFirst);
}

TEST(Characteristic, GetterCodes) {
  Instance inst;
  ASSERT_EQ(
      ordex_test::readText(inst, inModule("/begin CHARACTERISTIC K \"first\" VALUE 0 RL 0 CM 0 1 "
                                          "/end CHARACTERISTIC\n"
                                          "/begin CHARACTERISTIC K \"second\" VALUE 0 RL 0 CM "
                                          "0 1 /end CHARACTERISTIC")),
      rcOk);
  TCharacteristic r = named<TCharacteristic>("K");
  EXPECT_EQ(Ordex_GetCharacteristic(inst, nullptr, &r, 1), rcOk);
  EXPECT_TRUE(untouched(r.LongIdentifier, sizeof r - offsetof(TCharacteristic, LongIdentifier)))
      << "an existence check writes nothing";
  EXPECT_EQ(Ordex_GetCharacteristic(inst, "M", &r, 0), rcOk);
  EXPECT_STREQ(r.LongIdentifier, "first") << "the first of a name is found";

  TCharacteristic missing = named<TCharacteristic>("Nope");
  EXPECT_EQ(Ordex_GetCharacteristic(inst, nullptr, &missing, 1), rcCharacteristicNotFound);
  EXPECT_EQ(Ordex_GetCharacteristic(inst, nullptr, &missing, 0), rcCharacteristicNotFound);
  EXPECT_EQ(Ordex_GetCharacteristic(inst, "Other", &r, 0), rcModuleNotFound);
  EXPECT_EQ(Ordex_GetCharacteristic(inst, nullptr, nullptr, 0), rcNullArgument);
  EXPECT_EQ(Ordex_GetCharacteristic(nullptr, nullptr, &r, 0), rcNoInstance);
  TCharacteristic2 r2 = named<TCharacteristic2>("Nope");
  EXPECT_EQ(Ordex_GetCharacteristic2(inst, nullptr, &r2, 0), rcCharacteristicNotFound);
  EXPECT_EQ(Ordex_GetCharacteristic2(inst, nullptr, nullptr, 0), rcNullArgument);

  Instance empty;
  EXPECT_EQ(Ordex_GetCharacteristic(empty, nullptr, &r, 0), rcModuleNotFound);
}

}  // namespace
