// Change operations through the exported interface, and the rules of particular kinds that
// create shares with them.

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "api/edit_records.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using ordex_test::moduleRecord;
using ordex_test::named;
using ordex_test::Names;
using ordex_test::setText;

class EditChangeTest : public ::testing::Test {
 protected:
  void SetUp() override { ordex_test::createProjectWithModule(inst); }
  void TearDown() override { Ordex_ConfigureStringComparison(0); }

  std::string written() {
    const std::string file = dir.path() + "/changed.a2l";
    EXPECT_EQ(rcOk,
              Ordex_WriteAsapFile(inst, file.c_str(), nullptr, nullptr, "", nullptr, nullptr));
    return ordex_test::readFile(file);
  }
  // The pairs of the COMPU_VTAB VT as "input=text".
  Names pairsOfVT(size_t count) {
    std::vector<TCompuVTabEntry> all(count + 1);
    EXPECT_EQ(rcOk, Ordex_GetACompuVTabsLargeVTab(inst, nullptr, "VT", all.data()));
    Names pairs;
    for (size_t k = 0; k < count; ++k) {
      pairs.push_back(std::to_string(all[k].InVal) + "=" + all[k].OutText);
    }
    return pairs;
  }

  Instance inst;
  ordex_test::TempDir dir;
};

// The record's Name selects the object and is stored back: under case-insensitive
// comparison the object takes the record's spelling, and lookups follow it in both modes.
TEST_F(EditChangeTest, CaseInsensitiveChangeStoresTheRecordsSpelling) {
  const std::pair<const char*, uint32_t> objects[] = {{"engine_speed", 1}, {"Engine_Speed", 2}};
  for (auto [name, userData] : objects) {
    TMeasurement m = named<TMeasurement>(name);
    m.UserData = userData;
    ASSERT_EQ(rcOk, Ordex_CreateMeasurement(inst, nullptr, &m));
  }
  auto userDataOf = [&](const char* name) -> int64_t {
    TMeasurement got = named<TMeasurement>(name);
    return Ordex_GetMeasurement(inst, nullptr, &got, 0) == rcOk ? int64_t{got.UserData} : -1;
  };
  Ordex_ConfigureStringComparison(1);
  TMeasurement change = named<TMeasurement>("ENGINE_SPEED");
  change.UserData = 3;
  ASSERT_EQ(rcOk, Ordex_ChangeMeasurement(inst, nullptr, &change));  // the first one
  EXPECT_EQ((Names{"ENGINE_SPEED", "Engine_Speed"}),
            ordex_test::namesOf(inst, Ordex_GetMeasurementList));
  EXPECT_EQ(3, userDataOf("engine_SPEED"));
  Ordex_ConfigureStringComparison(0);
  EXPECT_EQ(-1, userDataOf("engine_speed"));
  EXPECT_EQ(3, userDataOf("ENGINE_SPEED"));
  EXPECT_EQ(2, userDataOf("Engine_Speed"));
}

// A getter's record handed back unchanged changes nothing; a limit read in hexadecimal,
// which the getter gives as an empty text and 0, stays hexadecimal until the caller sets it.
TEST_F(EditChangeTest, AGettersRecordHandedBackChangesNothing) {
  ASSERT_EQ(rcOk, ordex_test::readText(inst, R"(/begin PROJECT P ""
    /begin MODULE M ""
      /begin MEASUREMENT N "speed" UWORD CM 1 0.5 0x10 0xFFFF
        FORMAT "%5.1" BIT_MASK 0xFF0 BYTE_ORDER MSB_FIRST ECU_ADDRESS 0x1000
      /end MEASUREMENT
      /begin CHARACTERISTIC K "map" MAP 0x2000 RL 0.5 CM 0 100
        /begin AXIS_DESCR STD_AXIS N CM 8 0 8000 FIX_AXIS_PAR_DIST 0 100 8 /end AXIS_DESCR
        /begin AXIS_DESCR COM_AXIS N CM 4 0 100 AXIS_PTS_REF AP DEPOSIT ABSOLUTE /end AXIS_DESCR
      /end CHARACTERISTIC
    /end MODULE
  /end PROJECT)"));
  TMeasurement m = named<TMeasurement>("N"), again = named<TMeasurement>("N");
  ASSERT_EQ(rcOk, Ordex_GetMeasurement(inst, nullptr, &m, 0));
  ASSERT_EQ(rcOk, Ordex_ChangeMeasurement(inst, nullptr, &m));
  ASSERT_EQ(rcOk, Ordex_GetMeasurement(inst, nullptr, &again, 0));
  EXPECT_EQ(0, std::memcmp(&m, &again, sizeof m));
  EXPECT_NE(std::string::npos, written().find(" 0x10 0xFFFF\n"));
  setText(m.LowerLimit.Text, "-5");
  m.LowerLimit.Value = -5;
  ASSERT_EQ(rcOk, Ordex_ChangeMeasurement(inst, nullptr, &m));
  EXPECT_NE(std::string::npos, written().find(" -5 0xFFFF\n"));

  TCharacteristic2 c = named<TCharacteristic2>("K"), c2 = named<TCharacteristic2>("K");
  ASSERT_EQ(rcOk, Ordex_GetCharacteristic2(inst, nullptr, &c, 0));
  ASSERT_EQ(2, c.Axes[0].AxisPointsMode);
  ASSERT_EQ(rcOk, Ordex_ChangeCharacteristic2(inst, nullptr, &c));
  ASSERT_EQ(rcOk, Ordex_GetCharacteristic2(inst, nullptr, &c2, 0));
  EXPECT_EQ(0, std::memcmp(&c, &c2, sizeof c));
}

// The short characteristic record has no AxisPointsMode: it is derived from the deposit
// mode and the three fix-axis values. The long record carries it through unchanged.
TEST_F(EditChangeTest, AxisPointsModeOfBothRecordForms) {
  const struct {
    int32_t depositMode, offset, shift, count;
    int32_t viaShortForm;
  } cases[] = {
      {-1, 0, 0, 0, 1}, {0, 0, 0, 0, 0}, {1, 0, 0, 0, 0},  {1, 5, 0, 0, 1},
      {0, 0, 3, 0, 1},  {0, 0, 0, 8, 1}, {-1, 1, 2, 3, 1},
  };
  TCharacteristic c = named<TCharacteristic>("K");
  c.Type = 1;  // CURVE: one axis
  ASSERT_EQ(rcOk, Ordex_CreateCharacteristic(inst, nullptr, &c));
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message()
                 << k.depositMode << " " << k.offset << " " << k.shift << " " << k.count);
    c.Axes[0].DepositMode = k.depositMode;
    c.Axes[0].FixAxisParOffset = k.offset;
    c.Axes[0].FixAxisParShift = k.shift;
    c.Axes[0].FixAxisParNumberapo = k.count;
    ASSERT_EQ(rcOk, Ordex_ChangeCharacteristic(inst, nullptr, &c));
    TCharacteristic2 got = named<TCharacteristic2>("K");
    ASSERT_EQ(rcOk, Ordex_GetCharacteristic2(inst, nullptr, &got, 0));
    EXPECT_EQ(k.viaShortForm, got.Axes[0].AxisPointsMode);
    EXPECT_EQ(k.depositMode, got.Axes[0].DepositMode);
    EXPECT_EQ(k.shift, got.Axes[0].FixAxisParShift);
  }
  // The long form stores the mode it carries, whatever the deposit mode says.
  TCharacteristic2 c2 = named<TCharacteristic2>("K");
  c2.Type = 1;
  c2.Axes[0].DepositMode = -1;
  c2.Axes[0].AxisPointsMode = 0;
  ASSERT_EQ(rcOk, Ordex_ChangeCharacteristic2(inst, nullptr, &c2));
  ASSERT_EQ(rcOk, Ordex_GetCharacteristic2(inst, nullptr, &c2, 0));
  EXPECT_EQ(0, c2.Axes[0].AxisPointsMode);
}

TEST_F(EditChangeTest, ReadOnlyFlagsTakeAnyNonZeroValue) {
  TCharacteristic c = named<TCharacteristic>("K");
  c.Type = 1;
  c.ReadOnly = 7;
  c.Axes[0].ReadOnly = -1;
  ASSERT_EQ(rcOk, Ordex_CreateCharacteristic(inst, nullptr, &c));
  TAxisPts a = named<TAxisPts>("A");
  a.ReadOnly = 0x100;
  ASSERT_EQ(rcOk, Ordex_CreateAxisPts(inst, nullptr, &a));
  ASSERT_EQ(rcOk, Ordex_GetCharacteristic(inst, nullptr, &c, 0));
  ASSERT_EQ(rcOk, Ordex_GetAxisPts(inst, nullptr, &a, 0));
  EXPECT_EQ(1, c.ReadOnly);
  EXPECT_EQ(1, c.Axes[0].ReadOnly);
  EXPECT_EQ(1, a.ReadOnly);
}

// A COMPU_VTAB record carries 20 pairs: create and change make the pairs after them with
// input 0 and an empty text, and Ordex_ChangeACompuVTabsLargeVTab fills every pair, texts of
// any length.
TEST_F(EditChangeTest, CompuVTabBeyondTwentyPairs) {
  TCompuVTab v = named<TCompuVTab>("VT");
  v.NumberValuePairs = 25;
  Names expected;
  for (int k = 0; k < ORDEX_COMPU_VTAB_PAIRS; ++k) {
    v.Pairs[k].InVal = 100 + k;
    setText(v.Pairs[k].OutText, "r" + std::to_string(k));
    expected.push_back(std::to_string(100 + k) + "=r" + std::to_string(k));
  }
  ASSERT_EQ(rcOk, Ordex_CreateCompuVTab(inst, nullptr, &v));
  expected.resize(25, "0=");
  EXPECT_EQ(expected, pairsOfVT(25));
  v.NumberValuePairs = 30;
  ASSERT_EQ(rcOk, Ordex_ChangeCompuVTab(inst, nullptr, &v));
  expected.resize(30, "0=");
  EXPECT_EQ(expected, pairsOfVT(30));

  std::vector<std::string> texts;
  std::vector<TCompuVTabEntry> all;
  expected.clear();
  for (int k = 0; k < 30; ++k) texts.push_back(std::string(300 + k, char('a' + k % 26)));
  texts[3].clear();
  for (int k = 0; k < 30; ++k) {
    all.push_back({1000 + k, k == 3 ? nullptr : texts[k].c_str()});  // null is taken as empty
    expected.push_back(std::to_string(1000 + k) + "=" + texts[k]);
  }
  ASSERT_EQ(rcOk, Ordex_ChangeACompuVTabsLargeVTab(inst, nullptr, "VT", all.data()));
  EXPECT_EQ(expected, pairsOfVT(30));
  // A null array changes nothing; a missing table is reported first.
  EXPECT_EQ(rcInvalidArgument, Ordex_ChangeACompuVTabsLargeVTab(inst, nullptr, "VT", nullptr));
  EXPECT_EQ(rcCompuVTabNotFound, Ordex_ChangeACompuVTabsLargeVTab(inst, nullptr, "No", nullptr));
  EXPECT_EQ(expected, pairsOfVT(30));
  // A table without pairs afterwards: the large operation fills none.
  v.NumberValuePairs = 0;
  ASSERT_EQ(rcOk, Ordex_ChangeCompuVTab(inst, nullptr, &v));
  ASSERT_EQ(rcOk, Ordex_ChangeACompuVTabsLargeVTab(inst, nullptr, "VT", all.data()));
  TCompuVTabValue first;
  first.Index = 0;
  EXPECT_EQ(rcInvalidArgument, Ordex_GetACompuVTabValueByIndex(inst, nullptr, "VT", &first));
}

// A COMPU_TAB has 256 pair slots: create and change refuse a record of more and change
// nothing.
TEST_F(EditChangeTest, CompuTabOfMoreThan256PairsIsRefused) {
  auto t = std::make_unique<TCompuTab>(named<TCompuTab>("T"));
  t->NumberValuePairs = 257;
  EXPECT_EQ(rcInvalidArgument, Ordex_CreateCompuTab(inst, nullptr, t.get()));
  EXPECT_EQ(rcCompuTabNotFound, Ordex_GetCompuTab(inst, nullptr, t.get(), 1));
  t->NumberValuePairs = 256;
  for (int k = 0; k < 256; ++k) {
    t->Pairs[k].InVal = k;
    ordex_test::setNumbers(t->Pairs[k].Out, std::to_string(k) + ".5");
  }
  ASSERT_EQ(rcOk, Ordex_CreateCompuTab(inst, nullptr, t.get()));
  auto before = std::make_unique<TCompuTab>(named<TCompuTab>("T"));
  ASSERT_EQ(rcOk, Ordex_GetCompuTab(inst, nullptr, before.get(), 0));
  EXPECT_EQ(256, before->NumberValuePairs);
  EXPECT_EQ(255, before->Pairs[255].InVal);
  EXPECT_STREQ("255.5", before->Pairs[255].Out.Text);
  EXPECT_EQ(255.5, before->Pairs[255].Out.Value);

  t->NumberValuePairs = 257;
  setText(t->LongIdentifier, "refused");
  EXPECT_EQ(rcInvalidArgument, Ordex_ChangeCompuTab(inst, nullptr, t.get()));
  auto after = std::make_unique<TCompuTab>(named<TCompuTab>("T"));
  ASSERT_EQ(rcOk, Ordex_GetCompuTab(inst, nullptr, after.get(), 0));
  EXPECT_EQ(0, std::memcmp(before.get(), after.get(), sizeof(TCompuTab)));
}

TEST_F(EditChangeTest, CompuMethodShortFormKeepsFormulaInv) {
  TCompuMethod2 m2 = named<TCompuMethod2>("CM");
  setText(m2.Formula, "X1*2");
  setText(m2.FormulaInv, "X1/2");
  ASSERT_EQ(rcOk, Ordex_CreateCompuMethod2(inst, nullptr, &m2));
  TCompuMethod m = named<TCompuMethod>("CM");
  setText(m.Formula, "X1*3");
  ASSERT_EQ(rcOk, Ordex_ChangeCompuMethod(inst, nullptr, &m));
  ASSERT_EQ(rcOk, Ordex_GetCompuMethod2(inst, nullptr, &m2, 0));
  EXPECT_STREQ("X1*3", m2.Formula);
  EXPECT_STREQ("X1/2", m2.FormulaInv);
}

// The short record layout form leaves the elements it does not carry as they are.
TEST_F(EditChangeTest, RecordLayoutShortFormLeavesTheOtherElements) {
  TRecordLayout2 full = named<TRecordLayout2>("RL");
  for (int i = 0; i < ORDEX_RECORD_LAYOUT_ELEMENTS; ++i) {
    full.Elements[i] = TRecordLayoutElement{static_cast<int16_t>(i + 1), 3, 2, 1, 4};
  }
  full.Reserved[0] = TRecordLayoutElement{31, 0, 1, -1, -1};
  full.FixNoAxisPtsZ = 9;
  ASSERT_EQ(rcOk, Ordex_CreateRecordLayout2(inst, nullptr, &full));

  TRecordLayout s = named<TRecordLayout>("RL");
  ASSERT_EQ(rcOk, Ordex_GetRecordLayout(inst, nullptr, &s, 0));
  s.FncValuesPosition = 40;
  s.AxisPtsXPosition = 39;
  s.OffsetXDataType = 9;
  s.AlignmentWord = 2;
  ASSERT_EQ(rcOk, Ordex_ChangeRecordLayout(inst, nullptr, &s));

  TRecordLayout2 got = named<TRecordLayout2>("RL");
  ASSERT_EQ(rcOk, Ordex_GetRecordLayout2(inst, nullptr, &got, 0));
  TRecordLayout2 expected = full;
  expected.Elements[0].Position = 40;  // FNC_VALUES
  expected.Elements[2].Position = 39;  // AXIS_PTS_X
  expected.Elements[24].DataType = 9;  // OFFSET_X
  expected.AlignmentWord = 2;
  EXPECT_EQ(0, std::memcmp(&expected, &got, sizeof got));
}

// Every field of the short form goes to its own place: distinct values in, the same out.
TEST_F(EditChangeTest, RecordLayoutShortFormKeepsEveryField) {
  TRecordLayout s = named<TRecordLayout>("RL");
  ASSERT_EQ(rcOk, Ordex_CreateRecordLayout(inst, nullptr, &s));
  int16_t next = 1;
  for (int16_t* f : {&s.FncValuesPosition, &s.IdentificationPosition, &s.AxisPtsXPosition,
                     &s.AxisPtsYPosition, &s.NoAxisPtsXPosition, &s.NoAxisPtsYPosition,
                     &s.FixNoAxisPtsX, &s.FixNoAxisPtsY, &s.ShiftOpXPosition, &s.OffsetXPosition,
                     &s.AlignmentByte, &s.AlignmentWord, &s.AlignmentLong,
                     &s.AlignmentFloat32Ieee, &s.AlignmentFloat64Ieee}) {
    *f = next++;
  }
  int32_t value = 0;
  for (int32_t* f : {&s.FncValuesDataType, &s.FncValuesIndexMode, &s.FncValuesAddressing,
                     &s.IdentificationDataType, &s.AxisPtsXDataType, &s.AxisPtsXIndexMode,
                     &s.AxisPtsXAddressing, &s.AxisPtsYDataType, &s.AxisPtsYIndexMode,
                     &s.AxisPtsYAddressing, &s.NoAxisPtsXDataType, &s.NoAxisPtsYDataType,
                     &s.ShiftOpXDataType, &s.OffsetXDataType}) {
    *f = value++;
  }
  setText(s.LongIdentifier, "every field");
  s.UserData = 77;
  ASSERT_EQ(rcOk, Ordex_ChangeRecordLayout(inst, nullptr, &s));
  TRecordLayout got = named<TRecordLayout>("RL");
  ASSERT_EQ(rcOk, Ordex_GetRecordLayout(inst, nullptr, &got, 0));
  EXPECT_EQ(0, std::memcmp(&s, &got, sizeof got));
}

// The project takes the record's name. A module is selected by the record's own Name; an
// empty Name selects the only module, which then takes the empty name.
TEST_F(EditChangeTest, ProjectAndModule) {
  TProject p = named<TProject>("Renamed");
  ASSERT_EQ(rcOk, Ordex_ChangeProject(inst, &p));
  ASSERT_EQ(rcOk, Ordex_GetProject(inst, &p, 0));
  EXPECT_STREQ("Renamed", p.Name);

  TModule missing = moduleRecord("X");
  EXPECT_EQ(rcModuleNotFound, Ordex_ChangeModule(inst, &missing));
  TModule empty = moduleRecord("");
  empty.UserData = 6;
  ASSERT_EQ(rcOk, Ordex_ChangeModule(inst, &empty));
  TModule got = named<TModule>("M");
  EXPECT_EQ(rcModuleNotFound, Ordex_GetModule(inst, &got, 1));
  got = named<TModule>("");
  ASSERT_EQ(rcOk, Ordex_GetModule(inst, &got, 0));
  EXPECT_STREQ("", got.Name);
  EXPECT_EQ(6u, got.UserData);
  TFunction f = named<TFunction>("F");
  EXPECT_EQ(rcOk, Ordex_CreateFunction(inst, "", &f));

  TModule second = moduleRecord("N");
  ASSERT_EQ(rcOk, Ordex_CreateModule(inst, &second));
  EXPECT_EQ(rcModuleNotFound, Ordex_ChangeModule(inst, &empty));  // two modules now
}

}  // namespace
