// What the public records do not show of create, change and the list edits: the axis slots
// a type leaves unused, the stored pair arrays, hexadecimal limits, the lists an object
// owns, and the annotation size maximum.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "edit/list_entry_edits.h"
#include "edit/object_edits.h"
#include "model/instance.h"
#include "model/name_compare.h"

namespace {

using ordex::edit::change;
using ordex::edit::create;
using ordex::edit::FunctionList;

template <class Record>
std::unique_ptr<Record> record(const char* name) {
  auto r = std::make_unique<Record>();
  std::memset(r.get(), 0, sizeof(Record));
  std::snprintf(r->Name, sizeof r->Name, "%s", name);
  return r;
}

class EditFieldCopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module.ModCommon.DepositMode = 1;  // ABSOLUTE
    module.ModCommon.ByteOrder = 2;
  }
  void TearDown() override { ordex::setCaseInsensitiveNames(false); }
  TModule_Intern module;
};

TEST_F(EditFieldCopyTest, UnusedAxisSlotsKeepCreationDefaults) {
  auto c = record<TCharacteristic>("K");
  c->Type = 2;  // MAP
  for (TAxisDescr& a : c->Axes) {
    a.Attribute = 1;
    std::snprintf(a.InputQuantity, sizeof a.InputQuantity, "N");
    a.DepositMode = 0;
    a.MaxAxisPoints = 8;
    a.ReadOnly = 1;
  }
  ASSERT_EQ(rcOk, create(module, *c));
  const TCharacteristic_Intern& k = *module.Characteristics.first();
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ("N", k.Axes[i].InputQuantity);
    EXPECT_EQ(0, k.Axes[i].AxisPointsMode);  // DepositMode 0 and no fix values: DEPOSIT
  }
  const TAxisDescr_Intern& unused = k.Axes[2];
  EXPECT_EQ(-1, unused.Attribute);
  EXPECT_EQ("", unused.InputQuantity);
  EXPECT_EQ(0, unused.MaxAxisPoints);
  EXPECT_FALSE(unused.ReadOnly);
  EXPECT_EQ(1, unused.DepositMode);  // the module's MOD_COMMON deposit
  EXPECT_EQ(-1, unused.AxisPointsMode);
  EXPECT_EQ(nullptr, k.PublishingFunction);
  EXPECT_EQ(&module, k.Owner);
  EXPECT_EQ(etCharacteristic, k.Kind);
}

TEST_F(EditFieldCopyTest, MapChangedIntoValueKeepsItsAxes) {
  auto c = record<TCharacteristic2>("K");
  c->Type = 2;
  std::snprintf(c->Axes[0].InputQuantity, sizeof c->Axes[0].InputQuantity, "X");
  std::snprintf(c->Axes[1].InputQuantity, sizeof c->Axes[1].InputQuantity, "Y");
  ASSERT_EQ(rcOk, create(module, *c));
  c->Type = 0;
  std::snprintf(c->Axes[0].InputQuantity, sizeof c->Axes[0].InputQuantity, "ignored");
  ASSERT_EQ(rcOk, change(module, *c));
  const TCharacteristic_Intern& k = *module.Characteristics.first();
  EXPECT_EQ(0, k.Type);
  EXPECT_EQ("X", k.Axes[0].InputQuantity);
  EXPECT_EQ("Y", k.Axes[1].InputQuantity);
}

TEST_F(EditFieldCopyTest, HexadecimalLimitsSurviveAGetterRoundTrip) {
  auto m = record<TMeasurement>("N");
  ASSERT_EQ(rcOk, create(module, *m));
  TMeasurement_Intern& n = *module.Measurements.first();
  n.LowerLimitIsHex = n.UpperLimitIsHex = true;
  n.LowerLimitHex = 0x10;
  n.UpperLimitHex = 0xFFFF;
  // The getter gives a hexadecimal limit as an empty text and 0.0.
  ASSERT_EQ(rcOk, change(module, *m));
  EXPECT_TRUE(n.LowerLimitIsHex);
  EXPECT_EQ(0x10u, n.LowerLimitHex);
  EXPECT_TRUE(n.UpperLimitIsHex);
  // A limit the caller sets replaces the hexadecimal one.
  std::snprintf(m->LowerLimit.Text, sizeof m->LowerLimit.Text, "-5");
  m->LowerLimit.Value = -5;
  m->UpperLimit.Value = 100;
  ASSERT_EQ(rcOk, change(module, *m));
  EXPECT_FALSE(n.LowerLimitIsHex);
  EXPECT_EQ(0xFFFFFFFFu, n.LowerLimitHex);
  EXPECT_EQ("-5", n.LowerLimit.Text);
  EXPECT_EQ(-5.0, n.LowerLimit.Value);
  EXPECT_FALSE(n.UpperLimitIsHex);
  EXPECT_EQ(100.0, n.UpperLimit.Value);
}

TEST_F(EditFieldCopyTest, ChangingAFunctionLeavesItsListsAndAnnotations) {
  auto f = record<TFunction>("F");
  ASSERT_EQ(rcOk, create(module, *f));
  for (FunctionList l :
       {FunctionList::DefCharacteristic, FunctionList::RefCharacteristic,
        FunctionList::InMeasurement, FunctionList::OutMeasurement, FunctionList::LocMeasurement,
        FunctionList::SubFunction, FunctionList::AxisPts}) {
    ASSERT_EQ(rcOk, ordex::edit::addToFunctionList(module, "F", l, "X"));
  }
  TFunction_Intern& fn = *module.Functions.first();
  fn.Annotations.append(std::make_unique<TAnnotation_Intern>());
  std::snprintf(f->LongIdentifier, sizeof f->LongIdentifier, "changed");
  f->UserData = 7;
  ASSERT_EQ(rcOk, change(module, *f));
  EXPECT_EQ("changed", fn.LongIdentifier);
  EXPECT_EQ(7u, fn.UserData);
  for (const ordex::FunctionRefList* l :
       {&fn.DefCharacteristics, &fn.RefCharacteristics, &fn.InMeasurements, &fn.OutMeasurements,
        &fn.LocMeasurements, &fn.SubFunctions, &fn.AxisPts}) {
    ASSERT_EQ(1u, l->Count);
    EXPECT_EQ("X", l->First->Name);
    EXPECT_EQ(nullptr, l->First->Target);  // appended unresolved
  }
  EXPECT_EQ(1u, fn.Annotations.Count);
}

// The stored pairs are exactly the pairs in use: a COMPU_TAB holds its count, a COMPU_VTAB
// at most its count and never more than the record carried (a huge count allocates
// nothing); Ordex_ChangeACompuVTabsLargeVTab then makes every declared pair.
TEST_F(EditFieldCopyTest, StoredPairsFollowTheCounts) {
  auto t = record<TCompuTab>("T");
  t->NumberValuePairs = 10;
  ASSERT_EQ(rcOk, create(module, *t));
  TCompuTab_Intern& tab = *module.CompuTabs.first();
  EXPECT_EQ(10u, tab.Pairs.size());
  t->NumberValuePairs = 3;
  ASSERT_EQ(rcOk, change(module, *t));
  EXPECT_EQ(3u, tab.Pairs.size());
  EXPECT_EQ(3, tab.usedPairs());
  t->NumberValuePairs = -2;
  ASSERT_EQ(rcOk, change(module, *t));
  EXPECT_EQ(0u, tab.Pairs.size());
  EXPECT_EQ(0, tab.usedPairs());
  t->NumberValuePairs = 257;
  t->LongIdentifier[0] = 'x';
  EXPECT_EQ(rcInvalidArgument, change(module, *t));
  EXPECT_EQ(-2, tab.NumberValuePairs);
  EXPECT_EQ("", tab.LongIdentifier);

  auto v = record<TCompuVTab>("V");
  const struct {
    int32_t count;
    size_t stored;
  } vtabs[] = {{0, 0}, {-4, 0}, {5, 5}, {20, 20}, {30, 20}, {2000000000, 20}};
  ASSERT_EQ(rcOk, create(module, *v));
  TCompuVTab_Intern& vtab = *module.CompuVTabs.first();
  for (const auto& k : vtabs) {
    v->NumberValuePairs = k.count;
    ASSERT_EQ(rcOk, change(module, *v));
    EXPECT_EQ(k.count, vtab.NumberValuePairs);
    EXPECT_EQ(k.stored, vtab.Pairs.size()) << k.count;
  }
  v->NumberValuePairs = 30;
  ASSERT_EQ(rcOk, change(module, *v));
  TCompuVTabEntry entries[30];
  for (int k = 0; k < 30; ++k) entries[k] = TCompuVTabEntry{k, "t"};
  ASSERT_EQ(rcOk, ordex::edit::changeLargeVTab(module, "V", entries));
  EXPECT_EQ(30u, vtab.Pairs.size());
  EXPECT_EQ(29, vtab.pair(29).InVal);
}

TEST_F(EditFieldCopyTest, AddedAnnotationsLeaveTheSizeMaximum) {
  auto c = record<TCharacteristic>("K");
  ASSERT_EQ(rcOk, create(module, *c));
  ASSERT_EQ(rcOk, ordex::edit::addAnnotation(module, etCharacteristic, "K", "l", "o",
                                             std::string(3000, 'a')));
  EXPECT_EQ(1, module.MaxAnnotationTextSize);
  EXPECT_EQ(3000u, module.Characteristics.first()->Annotations.First->Text.size());
}

TEST_F(EditFieldCopyTest, EntriesAreRemovedFirstOfTheirNameUnderTheComparisonMode) {
  auto f = record<TFunction>("F");
  ASSERT_EQ(rcOk, create(module, *f));
  for (const char* name : {"abc", "ABC", "abc"}) {
    ASSERT_EQ(rcOk, ordex::edit::addToFunctionList(module, "F", FunctionList::InMeasurement, name));
  }
  const ordex::FunctionRefList& in = module.Functions.first()->InMeasurements;
  EXPECT_EQ(rcListEntryNotFound,
            ordex::edit::removeFromFunctionList(module, "F", FunctionList::InMeasurement, "Abc"));
  ordex::setCaseInsensitiveNames(true);
  ASSERT_EQ(rcOk,
            ordex::edit::removeFromFunctionList(module, "f", FunctionList::InMeasurement, "Abc"));
  ASSERT_EQ(2u, in.Count);
  EXPECT_EQ("ABC", in.First->Name);
  EXPECT_EQ(in.First->Next, in.Last);
  ordex::setCaseInsensitiveNames(false);
  ASSERT_EQ(rcOk,
            ordex::edit::removeFromFunctionList(module, "F", FunctionList::InMeasurement, "abc"));
  ASSERT_EQ(1u, in.Count);
  EXPECT_EQ(in.First, in.Last);
  EXPECT_EQ("ABC", in.Last->Name);
  ASSERT_EQ(rcOk, ordex::edit::addToFunctionList(module, "F", FunctionList::InMeasurement, "z"));
  EXPECT_EQ("z", in.Last->Name);
  EXPECT_EQ(in.Last, in.First->Next);
}

}  // namespace
