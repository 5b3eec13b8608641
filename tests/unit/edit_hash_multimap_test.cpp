// The edit index's open-addressing multimap must answer like a plain multimap under any mix
// of additions and removals, with colliding hashes and long probe runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include "edit/edit_index.h"

namespace {

TEST(EditHashMultimap, AgreesWithAPlainMultimap) {
  std::mt19937_64 rng(7);
  int values[512];
  ordex::edit::HashMultimap map;
  std::multimap<uint64_t, void*> model;
  // Few distinct hashes, several sharing their low bits, so runs wrap and interleave.
  auto hashOf = [&] { return (rng() % 24) * 64 + (rng() % 3); };
  for (int op = 0; op < 20000; ++op) {
    if (rng() % 3 != 0 || model.empty()) {
      uint64_t h = hashOf();
      void* v = &values[rng() % 512];
      map.add(h, v);
      model.emplace(h, v);
    } else {
      auto at = model.begin();
      std::advance(at, rng() % model.size());
      map.erase(at->first, at->second);
      model.erase(at);
    }
    if (op % 97 == 0) map.reserve(model.size() + rng() % 200);
    ASSERT_EQ(model.size(), map.size());
    uint64_t probe = hashOf();
    std::vector<void*> got, want;
    map.forEach(probe, [&](void* v) { got.push_back(v); });
    auto range = model.equal_range(probe);
    for (auto it = range.first; it != range.second; ++it) want.push_back(it->second);
    std::sort(got.begin(), got.end());
    std::sort(want.begin(), want.end());
    ASSERT_EQ(want, got) << "after operation " << op;
  }
  map.erase(12345, &values[0]);  // absent: nothing happens
  EXPECT_EQ(model.size(), map.size());
}

}  // namespace
