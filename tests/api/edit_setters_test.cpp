// The setters through the exported interface: what a record's counts make of the pairs.

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "api/edit_records.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using ordex_test::named;

// A table keeps the count it is given; the pairs behind it are the record's first ones, and
// a count beyond what the record carries (a COMPU_VTAB carries 20) stores nothing for them:
// a huge count is taken without running out of memory, and a negative one holds no pair.
TEST(EditSetters, PairCountsOfTheTables) {
  Instance inst;
  ordex_test::createProjectWithModule(inst);
  auto t = std::make_unique<TCompuTab>(named<TCompuTab>("T"));
  for (int k = 0; k < 256; ++k) t->Pairs[k].InVal = k + 1;
  auto v = std::make_unique<TCompuVTab>(named<TCompuVTab>("V"));
  for (int k = 0; k < ORDEX_COMPU_VTAB_PAIRS; ++k) v->Pairs[k].InVal = k + 1;
  ASSERT_EQ(rcOk, Ordex_CreateCompuTab(inst, nullptr, t.get()));
  ASSERT_EQ(rcOk, Ordex_CreateCompuVTab(inst, nullptr, v.get()));
  // The input of pair `index` of table `name`, or -1 when there is no such pair.
  auto input = [&](const char* name, int32_t index) -> int32_t {
    TCompuVTabValue value{};
    value.Index = index;
    if (name[0] == 'V') {
      return Ordex_GetACompuVTabValueByIndex(inst, nullptr, name, &value) == rcOk ? value.InVal
                                                                                  : -1;
    }
    auto got = std::make_unique<TCompuTab>(named<TCompuTab>(name));
    if (Ordex_GetCompuTab(inst, nullptr, got.get(), 0) != rcOk) return -2;
    return index < got->NumberValuePairs ? got->Pairs[index].InVal : -1;
  };
  const struct {
    const char* table;
    int32_t count, index, input;
  } cases[] = {
      {"T", 10, 9, 10},  {"T", 10, 10, -1}, {"T", -2, 0, -1},          {"V", 0, 0, -1},
      {"V", -4, 0, -1},  {"V", 5, 4, 5},    {"V", 5, 5, -1},           {"V", 20, 19, 20},
      {"V", 30, 19, 20}, {"V", 30, 29, 0},  {"V", 2000000000, 19, 20}, {"V", 2000000000, 20, 0},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message() << k.table << " " << k.count << " " << k.index);
    if (k.table[0] == 'T') {
      t->NumberValuePairs = k.count;
      ASSERT_EQ(rcOk, Ordex_ChangeCompuTab(inst, nullptr, t.get()));
    } else {
      v->NumberValuePairs = k.count;
      ASSERT_EQ(rcOk, Ordex_ChangeCompuVTab(inst, nullptr, v.get()));
      TCompuVTab got = named<TCompuVTab>("V");
      ASSERT_EQ(rcOk, Ordex_GetCompuVTab(inst, nullptr, &got, 0));
      EXPECT_EQ(k.count, got.NumberValuePairs);
    }
    EXPECT_EQ(k.input, input(k.table, k.index));
  }
}

}  // namespace
