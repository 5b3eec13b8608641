// What the public records do not show of create and change: the stored pair arrays.
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

// The stored pairs are exactly the pairs in use: a COMPU_TAB holds its count (none for a
// negative one), a COMPU_VTAB at most its count and never more than the record carried (a
// huge count allocates nothing); Ordex_ChangeACompuVTabsLargeVTab then makes every pair.
TEST(EditFieldCopy, StoredPairsFollowTheCounts) {
  TModule_Intern module;
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
