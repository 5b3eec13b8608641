// CHARACTERISTIC through the public interface: the block as read and both getter forms.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "ordex.h"
#include "support/inline_a2l.h"
#include "support/test_support.h"

namespace {

using ordex_test::inModule;
using ordex_test::Instance;
using ordex_test::keyed;
using ordex_test::readText;
using ordex_test::untouched;

class Characteristic : public ::testing::Test {
 protected:
  void readData(const std::string& file) {
    ASSERT_EQ(Ordex_ReadAsapFile(inst, ordex_test::dataPath(file).c_str(), nullptr, nullptr), rcOk)
        << ordex_test::readError(inst);
  }
  void read(const std::string& body) { ASSERT_EQ(readText(inst, inModule(body)), rcOk); }
  TCharacteristic get(const char* name) {
    TCharacteristic r = keyed<TCharacteristic>(name);
    EXPECT_EQ(Ordex_GetCharacteristic(inst, nullptr, &r, 0), rcOk) << name;
    return r;
  }
  TCharacteristic2 get2(const char* name) {
    TCharacteristic2 r = keyed<TCharacteristic2>(name);
    EXPECT_EQ(Ordex_GetCharacteristic2(inst, nullptr, &r, 0), rcOk) << name;
    return r;
  }
  Instance inst;
};

TEST_F(Characteristic, EveryItemReadsIntoTheRecord) {
  readData("characteristic_all_items.a2l");
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
TEST_F(Characteristic, AxisEntriesFollowTheType) {
  readData("characteristic_map_three_axes.a2l");
  TCharacteristic map = get("KfMap");
  EXPECT_EQ(map.Type, 2);
  EXPECT_EQ(map.Axes[0].Attribute, 0);
  EXPECT_STREQ(map.Axes[0].InputQuantity, "N_Eng");
  EXPECT_STREQ(map.Axes[0].Format, "%6.1");
  EXPECT_EQ(map.Axes[1].Attribute, 1);
  EXPECT_STREQ(map.Axes[1].AxisPtsRef, "ApT");
  EXPECT_TRUE(untouched(&map.Axes[2], sizeof map.Axes[2])) << "a MAP writes two axes";

  // The third slot of a CUBOID with two axes was never filled: it has its initial values.
  TCharacteristic cuboid = get("KfCuboid");
  EXPECT_STREQ(cuboid.Axes[1].InputQuantity, "B");
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

TEST_F(Characteristic, BothRecordFormsAgree) {
  readData("characteristic_map_three_axes.a2l");
  for (const char* name : {"KfMap", "KfCuboid", "KlCurve"}) {
    SCOPED_TRACE(name);
    TCharacteristic c = get(name);
    TCharacteristic2 c2 = get2(name);
    // Everything before the axes is laid out alike.
    EXPECT_EQ(std::memcmp(&c, &c2, offsetof(TCharacteristic, Axes)), 0);
    EXPECT_EQ(c.UserData, c2.UserData);
    for (int i = 0; i < c.Type; ++i) {
      const TAxisDescr& a = c.Axes[i];
      const TAxisDescr2& b = c2.Axes[i];
      EXPECT_EQ(std::memcmp(&a, &b, offsetof(TAxisDescr, FixAxisParOffset)), 0) << i;
      EXPECT_EQ(a.DepositMode, b.DepositMode);
      EXPECT_EQ(a.FixAxisParOffset, b.FixAxisParOffset);
      EXPECT_EQ(a.FixAxisParShift, b.FixAxisParShift);
      EXPECT_EQ(a.FixAxisParNumberapo, b.FixAxisParNumberapo);
    }
  }
  EXPECT_EQ(get2("KfMap").Axes[1].AxisPointsMode, -1);
  EXPECT_EQ(get2("KlCurve").Axes[0].AxisPointsMode, 2);
}

TEST_F(Characteristic, AxisPointsModeFollowsTheFirstOfTheThreeItems) {
  const struct {
    const char* items;
    int32_t mode, deposit, offset, shift, count;
  } cases[] = {
      {"", -1, -1, 0, 0, 0},
      {"FIX_AXIS_PAR 0 4 6", 1, -1, 0, 4, 6},
      {"FIX_AXIS_PAR 0 4 6 DEPOSIT ABSOLUTE", 1, 1, 0, 4, 6},
      {"DEPOSIT ABSOLUTE", 0, 1, 0, 0, 0},
      {"DEPOSIT DIFFERENCE FIX_AXIS_PAR_DIST 1 2 3", 2, 0, 1, 2, 3},
      {"DEPOSIT absolute", 0, -1, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.items);
    read(std::string("/begin CHARACTERISTIC K \"\" CURVE 0 RL 0 CM 0 1 /begin AXIS_DESCR "
                     "STD_AXIS X CM 4 0 1 ") +
         c.items + " /end AXIS_DESCR /end CHARACTERISTIC");
    const TAxisDescr2& a = get2("K").Axes[0];
    EXPECT_EQ(a.AxisPointsMode, c.mode);
    EXPECT_EQ(a.DepositMode, c.deposit);
    EXPECT_EQ(a.FixAxisParOffset, c.offset);
    EXPECT_EQ(a.FixAxisParShift, c.shift);
    EXPECT_EQ(a.FixAxisParNumberapo, c.count);
  }
}

// A fourth axis is not stored; an annotation inside an axis ends at its own "/end", so what
// follows is the axis's again and the next axis starts without an annotation open; an
// IF_DATA block inside an axis leaves the axis's values alone.
TEST_F(Characteristic, SubBlocksOfAxes) {
  read(R"(
    /begin CHARACTERISTIC Cuboid "" CUBOID 0 RL 0 CM 0 1
      /begin AXIS_DESCR STD_AXIS A CM 2 0 1 /end AXIS_DESCR
      /begin AXIS_DESCR STD_AXIS B CM 2 0 1 /end AXIS_DESCR
      /begin AXIS_DESCR STD_AXIS C CM 2 0 1 /end AXIS_DESCR
      /begin AXIS_DESCR STD_AXIS D CM 2 0 1 /end AXIS_DESCR
    /end CHARACTERISTIC
    /begin CHARACTERISTIC Map "" MAP 0 RL 0 CM 0 1
      /begin AXIS_DESCR STD_AXIS X CM 2 0 1
        /begin ANNOTATION ANNOTATION_LABEL "x" /end ANNOTATION
        READ_ONLY FORMAT "%3.1" DEPOSIT ABSOLUTE
      /end AXIS_DESCR
      /begin AXIS_DESCR STD_AXIS Y CM 2 0 1
        AXIS_PTS_REF ApY
      /end AXIS_DESCR
      FORMAT "%9.9"
    /end CHARACTERISTIC
    /begin CHARACTERISTIC Curve "" CURVE 0 RL 0 CM 0 1
      /begin AXIS_DESCR STD_AXIS X CM_X 2 0 1
        /begin IF_DATA XCP 1 2 3 /end IF_DATA
        FORMAT "%3.1"
      /end AXIS_DESCR
    /end CHARACTERISTIC)");
  TCharacteristic r = get("Cuboid");
  EXPECT_STREQ(r.Axes[0].InputQuantity, "A");
  EXPECT_STREQ(r.Axes[2].InputQuantity, "C");
  r = get("Map");
  EXPECT_EQ(r.Axes[0].ReadOnly, 1);
  EXPECT_STREQ(r.Axes[0].Format, "%3.1");
  EXPECT_EQ(r.Axes[0].DepositMode, 1);
  EXPECT_STREQ(r.Axes[1].AxisPtsRef, "ApY");
  EXPECT_STREQ(r.Format, "%9.9");
  r = get("Curve");
  EXPECT_EQ(r.Axes[0].Attribute, 0);
  EXPECT_STREQ(r.Axes[0].InputQuantity, "X");
  EXPECT_STREQ(r.Axes[0].Conversion, "CM_X");
  EXPECT_STREQ(r.Axes[0].Format, "%3.1");
}

// Positional arguments are taken by count: a missing one shifts the rest.
TEST(CharacteristicBlock, ReadsOrFailsAsTheTokensFall) {
  const struct {
    const char* name;
    const char* block;
    TOrdexReturnCode rc;
  } cases[] = {
      {"keyword where the upper limit belongs",
       "/begin CHARACTERISTIC K \"\" VALUE 0 RL 0 CM 0 FORMAT \"%1.0\" /end CHARACTERISTIC",
       rcBadNumber},
      {"sub-block where the upper limit belongs",
       "/begin CHARACTERISTIC K \"\" VALUE 0 RL 0 CM 0 /begin ANNOTATION /end ANNOTATION "
       "/end CHARACTERISTIC",
       rcBadNumber},
      {"address with a letter past f",
       "/begin CHARACTERISTIC K \"\" VALUE 0x10g RL 0 CM 0 1 /end CHARACTERISTIC", rcBadNumber},
      {"bad BIT_MASK",
       "/begin CHARACTERISTIC K \"\" VALUE 0 RL 0 CM 0 1 BIT_MASK 0xZZ /end CHARACTERISTIC",
       rcBadNumber},
      {"bad axis point count",
       "/begin CHARACTERISTIC K \"\" CURVE 0 RL 0 CM 0 1 /begin AXIS_DESCR STD_AXIS X CM 4a 0 1 "
       "/end AXIS_DESCR /end CHARACTERISTIC",
       rcBadNumber},
      {"bad MAX_REFRESH unit",
       "/begin CHARACTERISTIC K \"\" VALUE 0 RL 0 CM 0 1 MAX_REFRESH x 1 /end CHARACTERISTIC",
       rcBadNumber},
      {"end comes early", "/begin CHARACTERISTIC K \"\" VALUE 0 RL 0 CM 0 /end CHARACTERISTIC",
       rcOk},
      {"unknown type", "/begin CHARACTERISTIC K \"\" CUBE_5 0 RL 0 CM 0 1 /end CHARACTERISTIC",
       rcOk},
  };
  for (const auto& c : cases) {
    Instance inst;
    EXPECT_EQ(readText(inst, inModule(c.block)), c.rc) << c.name;
  }
}

TEST_F(Characteristic, MissingArgumentsKeepTheirInitialValues) {
  read("/begin CHARACTERISTIC K NULL CUBE_5 1000 RL\n/end CHARACTERISTIC");
  TCharacteristic r = get("K");
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

TEST_F(Characteristic, BadNumberIsReportedWithItsObject) {
  ASSERT_EQ(readText(inst, inModule("/begin CHARACTERISTIC KwBad \"\"\n"
                                    "VALUE 0 RL 0 CM 0 1\nNUMBER 12a\n/end CHARACTERISTIC")),
            rcBadNumber);
  std::string report = ordex_test::readError(inst);
  EXPECT_NE(report.find("CHARACTERISTIC KwBad"), std::string::npos) << report;
  // What was built before the failure stays.
  TCharacteristic r = keyed<TCharacteristic>("KwBad");
  EXPECT_EQ(Ordex_GetCharacteristic(inst, nullptr, &r, 1), rcOk);
}

// An object takes the defaults of the MOD_COMMON in force when its block starts (without
// one: MSB_LAST and no deposit), for CHARACTERISTIC and its axes, AXIS_PTS and MEASUREMENT
// alike; an item of the block overrides them.
TEST_F(Characteristic, ObjectsTakeTheModCommonDefaultsAtBlockStart) {
  const std::string objects =
      "/begin CHARACTERISTIC K@ \"\" CURVE 0 RL 0 CM 0 1\n"
      "  /begin AXIS_DESCR STD_AXIS X CM 2 0 1 /end AXIS_DESCR\n"
      "/end CHARACTERISTIC\n"
      "/begin AXIS_PTS A@ \"\" 0 Q RL 0 CM 4 0 1 /end AXIS_PTS\n"
      "/begin MEASUREMENT N@ \"\" UBYTE CM 1 0 0 1 /end MEASUREMENT\n";
  auto named = [&](char which) {
    std::string text = objects;
    for (size_t at = text.find('@'); at != std::string::npos; at = text.find('@')) text[at] = which;
    return text;
  };
  read(named('0') +
       "/begin MOD_COMMON \"\" BYTE_ORDER MSB_FIRST DEPOSIT ABSOLUTE /end MOD_COMMON\n" +
       named('1') +
       "/begin CHARACTERISTIC K2 \"\" VALUE 0 RL 0 CM 0 1 BYTE_ORDER LITTLE_ENDIAN "
       "/end CHARACTERISTIC");
  const struct {
    const char* suffix;
    int32_t byteOrder, deposit;
  } cases[] = {{"0", boMsbLast, -1}, {"1", boMsbFirst, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.suffix);
    TCharacteristic k = get((std::string("K") + c.suffix).c_str());
    EXPECT_EQ(k.ByteOrder, c.byteOrder);
    EXPECT_EQ(k.Axes[0].DepositMode, c.deposit);
    TAxisPts a = keyed<TAxisPts>((std::string("A") + c.suffix).c_str());
    ASSERT_EQ(Ordex_GetAxisPts(inst, nullptr, &a, 0), rcOk);
    EXPECT_EQ(a.ByteOrder, c.byteOrder);
    EXPECT_EQ(a.DepositMode, c.deposit);
    TMeasurement n = keyed<TMeasurement>((std::string("N") + c.suffix).c_str());
    ASSERT_EQ(Ordex_GetMeasurement(inst, nullptr, &n, 0), rcOk);
    EXPECT_EQ(n.ByteOrder, c.byteOrder);
  }
  EXPECT_EQ(get("K2").ByteOrder, boLittleEndian);
}

TEST_F(Characteristic, GetterCodes) {
  read("/begin CHARACTERISTIC Kw \"first\" VALUE 0 RL 0 CM 0 1 /end CHARACTERISTIC\n"
       "/begin CHARACTERISTIC Kw \"second\" VALUE 0 RL 0 CM 0 1 /end CHARACTERISTIC");
  EXPECT_STREQ(get("Kw").LongIdentifier, "first");
  EXPECT_STREQ(get2("Kw").LongIdentifier, "first");
  ordex_test::expectLookupCodes<TCharacteristic>(Ordex_GetCharacteristic, inst, "Kw",
                                                 rcCharacteristicNotFound);
  ordex_test::expectLookupCodes<TCharacteristic2>(Ordex_GetCharacteristic2, inst, "Kw",
                                                  rcCharacteristicNotFound);
}

}  // namespace
