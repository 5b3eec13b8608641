// What the public records do not show of create and change: the axis slots a type leaves
// unused and the stored pair arrays.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "edit/object_edits.h"
#include "model/instance.h"

namespace {

using ordex::edit::change;
using ordex::edit::create;

template <class Record>
std::unique_ptr<Record> record(const char* name) {
  auto r = std::make_unique<Record>();
  std::memset(r.get(), 0, sizeof(Record));
  std::snprintf(r->Name, sizeof r->Name, "%s", name);
  return r;
}

class EditFieldCopyTest : public ::testing::Test {
 protected:
  void SetUp() override { module.ModCommon.DepositMode = 1; }  // ABSOLUTE
  TModule_Intern module;
};

TEST_F(EditFieldCopyTest, UnusedAxisSlotsKeepCreationDefaults) {
  auto c = record<TCharacteristic>("K");
  c->Type = 2;  // MAP
  for (TAxisDescr& a : c->Axes) {
    a.Attribute = 1;
    std::snprintf(a.InputQuantity, sizeof a.InputQuantity, "N");
    a.MaxAxisPoints = 8;
    a.ReadOnly = 1;
  }
  ASSERT_EQ(rcOk, create(module, *c));
  const TCharacteristic_Intern& k = *module.Characteristics.first();
  EXPECT_EQ(&module, k.Owner);
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
}

// The axis slots a type does not use keep what they hold.
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

// The stored pairs are exactly the pairs in use: a COMPU_TAB holds its count (none for a
// negative one), a COMPU_VTAB at most its count and never more than the record carried (a
// huge count allocates nothing); Ordex_ChangeACompuVTabsLargeVTab then makes every pair.
TEST_F(EditFieldCopyTest, StoredPairsFollowTheCounts) {
  auto t = record<TCompuTab>("T");
  t->NumberValuePairs = 10;
  ASSERT_EQ(rcOk, create(module, *t));
  TCompuTab_Intern& tab = *module.CompuTabs.first();
  EXPECT_EQ(10u, tab.Pairs.size());
  t->NumberValuePairs = -2;
  ASSERT_EQ(rcOk, change(module, *t));
  EXPECT_EQ(0u, tab.Pairs.size());
  EXPECT_EQ(0, tab.usedPairs());

  auto v = record<TCompuVTab>("V");
  ASSERT_EQ(rcOk, create(module, *v));
  TCompuVTab_Intern& vtab = *module.CompuVTabs.first();
  const struct {
    int32_t count;
    size_t stored;
  } vtabs[] = {{0, 0}, {-4, 0}, {5, 5}, {20, 20}, {30, 20}, {2000000000, 20}};
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

}  // namespace
