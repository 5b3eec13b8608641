// The name indexes of ObjectList must always answer like a walk of the list from its start.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/name_compare.h"
#include "model/object_list.h"

namespace {

struct Rec : ordex::ObjectHead {};

Rec* walkFind(const ordex::ObjectList<Rec>& list, const std::string& name, bool folded) {
  for (Rec* r : list) {
    if (folded ? ordex::equalFolded(r->Name, name) : r->Name == name) return r;
  }
  return nullptr;
}

void checkListShape(const ordex::ObjectList<Rec>& list) {
  uint32_t n = 0;
  const ordex::ObjectHead* last = nullptr;
  for (const ordex::ObjectHead* h = list.First; h; h = h->Next) {
    EXPECT_EQ(h->Prev, last);
    last = h;
    ++n;
  }
  EXPECT_EQ(list.Last, last);
  EXPECT_EQ(list.Count, n);
}

// Random appends, removals and renames over a small alphabet of names (so that duplicates
// and case variants are frequent), checked against a plain walk after every operation.
TEST(ObjectListIndex, AgreesWithAWalkUnderEveryEdit) {
  std::mt19937 rng(12345);
  const char* names[] = {"a", "A", "b", "B", "ccc", "CcC", "d", "engine_speed", "ENGINE_SPEED"};
  auto pick = [&] { return std::string(names[rng() % (sizeof names / sizeof *names)]); };
  ordex::ObjectList<Rec> list;
  std::vector<Rec*> live;
  for (int op = 0; op < 4000; ++op) {
    int what = rng() % 10;
    if (what < 5 || live.empty()) {
      auto r = std::make_unique<Rec>();
      r->Name = pick();
      live.push_back(list.append(std::move(r)));
    } else if (what < 8) {
      size_t i = rng() % live.size();
      list.unlink(live[i]);  // destroyed by the returned pointer
      live.erase(live.begin() + static_cast<long>(i));
    } else {
      list.rename(live[rng() % live.size()], pick());
    }
    if (op % 7 == 0 || list.Count < 12) {
      for (const char* n : names) {
        EXPECT_EQ(list.findExact(n), walkFind(list, n, false)) << "op " << op << " " << n;
        ordex::setCaseInsensitiveNames(true);
        EXPECT_EQ(list.find(n), walkFind(list, n, true)) << "op " << op << " " << n;
        ordex::setCaseInsensitiveNames(false);
        EXPECT_EQ(list.find(n), walkFind(list, n, false));
      }
      checkListShape(list);
    }
  }
}

TEST(ObjectListIndex, ManyDistinctNamesAndRemovalOfEveryOther) {
  ordex::ObjectList<Rec> list;
  std::vector<Rec*> recs;
  for (int i = 0; i < 20000; ++i) {
    auto r = std::make_unique<Rec>();
    r->Name = "N" + std::to_string(i);
    recs.push_back(list.append(std::move(r)));
  }
  EXPECT_EQ(list.find("N19999"), recs[19999]);
  for (int i = 0; i < 20000; i += 2) list.unlink(recs[i]);
  for (int i = 0; i < 20000; ++i) {
    EXPECT_EQ(list.find("N" + std::to_string(i)), i % 2 ? recs[i] : nullptr) << i;
  }
  checkListShape(list);
}

TEST(ObjectListIndex, ClearEmptiesTheListAndItsIndexes) {
  ordex::ObjectList<Rec> list;
  for (int i = 0; i < 50; ++i) {
    auto r = std::make_unique<Rec>();
    r->Name = "x";
    list.append(std::move(r));
  }
  ASSERT_NE(list.find("x"), nullptr);
  list.clear();
  EXPECT_EQ(list.find("x"), nullptr);
  EXPECT_EQ(list.Count, 0u);
  auto r = std::make_unique<Rec>();
  r->Name = "x";
  Rec* only = list.append(std::move(r));
  EXPECT_EQ(list.find("x"), only);
  checkListShape(list);
}

}  // namespace
