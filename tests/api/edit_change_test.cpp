// Change operations through the exported interface.

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "api/edit_records.h"
#include "support/test_support.h"

namespace {

using ordex_test::createProjectWithModule;
using ordex_test::Instance;
using ordex_test::moduleRecord;
using ordex_test::named;
using ordex_test::namesOf;
using ordex_test::poisoned;
using ordex_test::projectRecord;
using ordex_test::setText;

class EditChangeTest : public ::testing::Test {
 protected:
  void SetUp() override { createProjectWithModule(inst); }
  void TearDown() override { Ordex_ConfigureStringComparison(0); }
  Instance inst;
};

TEST_F(EditChangeTest, AnUnknownNameChangesNothingAndCreatesNothing) {
  TCharacteristic c = named<TCharacteristic>("Missing");
  EXPECT_EQ(rcCharacteristicNotFound, Ordex_ChangeCharacteristic(inst, nullptr, &c));
  EXPECT_TRUE(namesOf(inst, Ordex_GetCharacteristicList).empty());
}

// The record's Name selects the object and is stored back: under case-insensitive
// comparison the object takes the record's spelling, and lookups follow it in both modes.
TEST_F(EditChangeTest, CaseInsensitiveChangeStoresTheRecordsSpelling) {
  TMeasurement m = named<TMeasurement>("engine_speed");
  m.UserData = 1;
  ASSERT_EQ(rcOk, Ordex_CreateMeasurement(inst, nullptr, &m));
  setText(m.Name, "Engine_Speed");  // a second object, equal when case is ignored
  m.UserData = 2;
  ASSERT_EQ(rcOk, Ordex_CreateMeasurement(inst, nullptr, &m));

  Ordex_ConfigureStringComparison(1);
  TMeasurement change = named<TMeasurement>("ENGINE_SPEED");
  change.UserData = 3;
  ASSERT_EQ(rcOk, Ordex_ChangeMeasurement(inst, nullptr, &change));  // the first one
  EXPECT_EQ((std::vector<std::string>{"ENGINE_SPEED", "Engine_Speed"}),
            namesOf(inst, Ordex_GetMeasurementList));
  TMeasurement got = named<TMeasurement>("engine_SPEED");
  ASSERT_EQ(rcOk, Ordex_GetMeasurement(inst, nullptr, &got, 0));
  EXPECT_EQ(3u, got.UserData);

  Ordex_ConfigureStringComparison(0);
  got = named<TMeasurement>("engine_speed");
  EXPECT_EQ(rcMeasurementNotFound, Ordex_GetMeasurement(inst, nullptr, &got, 0));
  got = named<TMeasurement>("ENGINE_SPEED");
  ASSERT_EQ(rcOk, Ordex_GetMeasurement(inst, nullptr, &got, 0));
  EXPECT_EQ(3u, got.UserData);
  got = named<TMeasurement>("Engine_Speed");
  ASSERT_EQ(rcOk, Ordex_GetMeasurement(inst, nullptr, &got, 0));
  EXPECT_EQ(2u, got.UserData);
}

// A getter's record handed back unchanged changes nothing.
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
  TMeasurement m = named<TMeasurement>("N");
  ASSERT_EQ(rcOk, Ordex_GetMeasurement(inst, nullptr, &m, 0));
  ASSERT_EQ(rcOk, Ordex_ChangeMeasurement(inst, nullptr, &m));
  TMeasurement again = named<TMeasurement>("N");
  ASSERT_EQ(rcOk, Ordex_GetMeasurement(inst, nullptr, &again, 0));
  EXPECT_EQ(0, std::memcmp(&m, &again, sizeof m));

  TCharacteristic2 c = named<TCharacteristic2>("K");
  ASSERT_EQ(rcOk, Ordex_GetCharacteristic2(inst, nullptr, &c, 0));
  ASSERT_EQ(2, c.Axes[0].AxisPointsMode);
  ASSERT_EQ(rcOk, Ordex_ChangeCharacteristic2(inst, nullptr, &c));
  TCharacteristic2 c2 = named<TCharacteristic2>("K");
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
    c.Axes[0].DepositMode = k.depositMode;
    c.Axes[0].FixAxisParOffset = k.offset;
    c.Axes[0].FixAxisParShift = k.shift;
    c.Axes[0].FixAxisParNumberapo = k.count;
    ASSERT_EQ(rcOk, Ordex_ChangeCharacteristic(inst, nullptr, &c));
    TCharacteristic2 got = named<TCharacteristic2>("K");
    ASSERT_EQ(rcOk, Ordex_GetCharacteristic2(inst, nullptr, &got, 0));
    EXPECT_EQ(k.viaShortForm, got.Axes[0].AxisPointsMode)
        << k.depositMode << " " << k.offset << " " << k.shift << " " << k.count;
    EXPECT_EQ(k.depositMode, got.Axes[0].DepositMode);
    EXPECT_EQ(k.shift, got.Axes[0].FixAxisParShift);

    for (int32_t mode : {-1, 0, 1, 2}) {
      got.Axes[0].AxisPointsMode = mode;
      ASSERT_EQ(rcOk, Ordex_ChangeCharacteristic2(inst, nullptr, &got));
      TCharacteristic2 back = named<TCharacteristic2>("K");
      ASSERT_EQ(rcOk, Ordex_GetCharacteristic2(inst, nullptr, &back, 0));
      EXPECT_EQ(mode, back.Axes[0].AxisPointsMode);
    }
  }
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
  TCharacteristic gotC = named<TCharacteristic>("K");
  ASSERT_EQ(rcOk, Ordex_GetCharacteristic(inst, nullptr, &gotC, 0));
  EXPECT_EQ(1, gotC.ReadOnly);
  EXPECT_EQ(1, gotC.Axes[0].ReadOnly);
  TAxisPts gotA = named<TAxisPts>("A");
  ASSERT_EQ(rcOk, Ordex_GetAxisPts(inst, nullptr, &gotA, 0));
  EXPECT_EQ(1, gotA.ReadOnly);
}

// A MAP changed into a VALUE keeps its axes but the getter writes none; changed back into a
// MAP it takes the axes of that record.
TEST_F(EditChangeTest, MapChangedIntoValue) {
  TCharacteristic c = named<TCharacteristic>("K");
  c.Type = 2;
  setText(c.Axes[0].InputQuantity, "X");
  setText(c.Axes[1].InputQuantity, "Y");
  ASSERT_EQ(rcOk, Ordex_CreateCharacteristic(inst, nullptr, &c));
  c.Type = 0;
  setText(c.Axes[0].InputQuantity, "changed");
  ASSERT_EQ(rcOk, Ordex_ChangeCharacteristic(inst, nullptr, &c));
  TCharacteristic got = poisoned<TCharacteristic>("K");
  ASSERT_EQ(rcOk, Ordex_GetCharacteristic(inst, nullptr, &got, 0));
  EXPECT_EQ(0, got.Type);
  EXPECT_EQ(0x5A5A5A5A, got.Axes[0].Attribute);
  EXPECT_EQ(0x5A5A5A5A, got.Axes[1].Attribute);
}

TEST_F(EditChangeTest, CompuVTabWithThirtyPairsAndLongTexts) {
  TCompuVTab v = named<TCompuVTab>("VT");
  v.NumberValuePairs = 2;
  v.Pairs[0].InVal = 1;
  setText(v.Pairs[0].OutText, "one");
  ASSERT_EQ(rcOk, Ordex_CreateCompuVTab(inst, nullptr, &v));

  v.NumberValuePairs = 30;
  for (int k = 0; k < 20; ++k) {
    v.Pairs[k].InVal = k;
    setText(v.Pairs[k].OutText, "r" + std::to_string(k));
  }
  ASSERT_EQ(rcOk, Ordex_ChangeCompuVTab(inst, nullptr, &v));
  std::vector<TCompuVTabEntry> got(30);
  ASSERT_EQ(rcOk, Ordex_GetACompuVTabsLargeVTab(inst, nullptr, "VT", got.data()));
  for (int k = 0; k < 30; ++k) {
    EXPECT_EQ(k < 20 ? k : 0, got[k].InVal) << k;
    EXPECT_EQ(k < 20 ? "r" + std::to_string(k) : std::string(), got[k].OutText) << k;
  }

  // Every pair, texts of any length.
  std::vector<std::string> texts;
  for (int k = 0; k < 30; ++k) texts.push_back(std::string(300 + k, char('a' + k % 26)));
  std::vector<TCompuVTabEntry> all(30);
  for (int k = 0; k < 30; ++k) all[k] = TCompuVTabEntry{1000 + k, texts[k].c_str()};
  all[3].OutText = nullptr;  // taken as empty
  ASSERT_EQ(rcOk, Ordex_ChangeACompuVTabsLargeVTab(inst, nullptr, "VT", all.data()));
  texts[3].clear();
  ASSERT_EQ(rcOk, Ordex_GetACompuVTabsLargeVTab(inst, nullptr, "VT", got.data()));
  for (int k = 0; k < 30; ++k) {
    EXPECT_EQ(1000 + k, got[k].InVal);
    EXPECT_EQ(texts[k], got[k].OutText) << k;
  }
  TCompuVTab rec = poisoned<TCompuVTab>("VT");
  ASSERT_EQ(rcOk, Ordex_GetCompuVTab(inst, nullptr, &rec, 0));
  EXPECT_EQ(30, rec.NumberValuePairs);
  EXPECT_EQ(texts[0].substr(0, 255), rec.Pairs[0].OutText);
  TCompuVTabValue last;
  last.Index = 29;
  ASSERT_EQ(rcOk, Ordex_GetACompuVTabValueByIndex(inst, nullptr, "VT", &last));
  EXPECT_EQ(1029, last.InVal);
  EXPECT_EQ(texts[29].substr(0, 255), last.OutText);

  // A null array changes nothing; a missing table is reported first.
  EXPECT_EQ(rcInvalidArgument, Ordex_ChangeACompuVTabsLargeVTab(inst, nullptr, "VT", nullptr));
  EXPECT_EQ(rcCompuVTabNotFound, Ordex_ChangeACompuVTabsLargeVTab(inst, nullptr, "No", nullptr));
  ASSERT_EQ(rcOk, Ordex_GetACompuVTabsLargeVTab(inst, nullptr, "VT", got.data()));
  EXPECT_EQ(texts[29], got[29].OutText);

  // A smaller table afterwards: the large operation fills just its count.
  v.NumberValuePairs = 0;
  ASSERT_EQ(rcOk, Ordex_ChangeCompuVTab(inst, nullptr, &v));
  ASSERT_EQ(rcOk, Ordex_ChangeACompuVTabsLargeVTab(inst, nullptr, "VT", all.data()));
  TCompuVTabValue first;
  first.Index = 0;
  EXPECT_EQ(rcInvalidArgument, Ordex_GetACompuVTabValueByIndex(inst, nullptr, "VT", &first));
}

TEST_F(EditChangeTest, CompuTabPairsFollowTheCountAndTooManyAreRefused) {
  auto t = std::make_unique<TCompuTab>(named<TCompuTab>("T"));
  t->NumberValuePairs = 5;
  for (int k = 0; k < 5; ++k) {
    t->Pairs[k].InVal = k;
    ordex_test::setNumber(t->Pairs[k].Out, std::to_string(k * 10), k * 10.0);
  }
  ASSERT_EQ(rcOk, Ordex_CreateCompuTab(inst, nullptr, t.get()));

  auto before = std::make_unique<TCompuTab>(named<TCompuTab>("T"));
  ASSERT_EQ(rcOk, Ordex_GetCompuTab(inst, nullptr, before.get(), 0));
  t->NumberValuePairs = 300;
  setText(t->LongIdentifier, "refused");
  EXPECT_EQ(rcInvalidArgument, Ordex_ChangeCompuTab(inst, nullptr, t.get()));
  auto after = std::make_unique<TCompuTab>(named<TCompuTab>("T"));
  ASSERT_EQ(rcOk, Ordex_GetCompuTab(inst, nullptr, after.get(), 0));
  EXPECT_EQ(0, std::memcmp(before.get(), after.get(), sizeof(TCompuTab)));

  t->NumberValuePairs = 2;
  t->Pairs[1].InVal = 77;
  ASSERT_EQ(rcOk, Ordex_ChangeCompuTab(inst, nullptr, t.get()));
  auto got = std::make_unique<TCompuTab>(poisoned<TCompuTab>("T"));
  ASSERT_EQ(rcOk, Ordex_GetCompuTab(inst, nullptr, got.get(), 0));
  EXPECT_EQ(2, got->NumberValuePairs);
  EXPECT_EQ(77, got->Pairs[1].InVal);
  EXPECT_STREQ("10", got->Pairs[1].Out.Text);
  EXPECT_EQ(0x5A5A5A5A, got->Pairs[2].InVal);  // beyond the count: not written
}

TEST_F(EditChangeTest, CompuMethodShortFormKeepsFormulaInv) {
  TCompuMethod2 m2 = named<TCompuMethod2>("CM");
  setText(m2.Formula, "X1*2");
  setText(m2.FormulaInv, "X1/2");
  ASSERT_EQ(rcOk, Ordex_CreateCompuMethod2(inst, nullptr, &m2));
  TCompuMethod m = named<TCompuMethod>("CM");
  setText(m.Formula, "X1*3");
  ASSERT_EQ(rcOk, Ordex_ChangeCompuMethod(inst, nullptr, &m));
  TCompuMethod2 got = named<TCompuMethod2>("CM");
  ASSERT_EQ(rcOk, Ordex_GetCompuMethod2(inst, nullptr, &got, 0));
  EXPECT_STREQ("X1*3", got.Formula);
  EXPECT_STREQ("X1/2", got.FormulaInv);
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

TEST_F(EditChangeTest, ModuleByItsOwnName) {
  TModule m = moduleRecord("M");
  setText(m.Supplier, "\"ACME\"");
  m.AddrEpk = 0x4000;
  m.UserData = 5;
  ASSERT_EQ(rcOk, Ordex_ChangeModule(inst, &m));
  TModule got = named<TModule>("M");
  ASSERT_EQ(rcOk, Ordex_GetModule(inst, &got, 0));
  EXPECT_STREQ("\"ACME\"", got.Supplier);  // stored as given, quotes included
  EXPECT_EQ(0x4000u, got.AddrEpk);
  EXPECT_EQ(5u, got.UserData);

  // An empty Name selects the only module, which takes the empty name.
  TModule empty = moduleRecord("");
  empty.UserData = 6;
  ASSERT_EQ(rcOk, Ordex_ChangeModule(inst, &empty));
  got = named<TModule>("M");
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
  TModule missing = moduleRecord("X");
  EXPECT_EQ(rcModuleNotFound, Ordex_ChangeModule(inst, &missing));
}

TEST(EditChangeProject, NeedsAProject) {
  Instance inst;
  TProject p = projectRecord("P");
  EXPECT_EQ(rcNoProject, Ordex_ChangeProject(inst, &p));
  TModule m = moduleRecord("M");
  EXPECT_EQ(rcNoProject, Ordex_ChangeModule(inst, &m));
  ASSERT_EQ(rcOk, Ordex_CreateProject(inst, &p));
  setText(p.Name, "Renamed");
  p.UserData = 9;
  ASSERT_EQ(rcOk, Ordex_ChangeProject(inst, &p));
  TProject got = named<TProject>("");
  ASSERT_EQ(rcOk, Ordex_GetProject(inst, &got, 0));
  EXPECT_STREQ("Renamed", got.Name);
  EXPECT_EQ(9u, got.UserData);
}

}  // namespace
