// Ordex_GetRecordLayoutElementArraySorted: the elements of a record layout placed by
// position, with the tie-break between elements of one position.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;

struct Placed {
  int position;
  int kind;
  int dataType;  // the data size for RESERVED
};

struct OrderCase {
  const char* name;
  const char* items;             // the items of RECORD_LAYOUT RL
  std::vector<Placed> expected;  // every position that holds an element
};

class RecordLayoutOrder : public testing::TestWithParam<OrderCase> {};

// A byte pattern the function must leave alone in the entries it marks empty.
constexpr unsigned char kUntouched = 0x5A;

TEST_P(RecordLayoutOrder, PlacesElementsByPosition) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, std::string("/begin PROJECT P \"\" /begin MODULE M \"\"\n"
                                                   "/begin RECORD_LAYOUT RL ") +
                                           GetParam().items +
                                           " /end RECORD_LAYOUT\n/end MODULE /end PROJECT\n"),
            rcOk);
  TRecordLayoutElementExt slots[ORDEX_SORTED_ELEMENTS];
  std::memset(slots, kUntouched, sizeof slots);
  ASSERT_EQ(Ordex_GetRecordLayoutElementArraySorted(inst, nullptr, "RL", slots), rcOk);
  std::vector<Placed> placed;
  for (int i = 0; i < ORDEX_SORTED_ELEMENTS; ++i) {
    if (slots[i].ElementKind == -1) {
      const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&slots[i].Element);
      for (size_t b = 0; b < sizeof slots[i].Element; ++b) {
        ASSERT_EQ(bytes[b], kUntouched) << "entry " << i << " was changed";
      }
      continue;
    }
    EXPECT_EQ(slots[i].Element.Position, i + 1) << "entry " << i;
    placed.push_back({i + 1, slots[i].ElementKind, slots[i].Element.DataType});
  }
  ASSERT_EQ(placed.size(), GetParam().expected.size());
  for (size_t k = 0; k < placed.size(); ++k) {
    EXPECT_EQ(placed[k].position, GetParam().expected[k].position) << k;
    EXPECT_EQ(placed[k].kind, GetParam().expected[k].kind) << k;
    EXPECT_EQ(placed[k].dataType, GetParam().expected[k].dataType) << k;
  }
}

const OrderCase kCases[] = {
    {"FncValuesOnly", "FNC_VALUES 1 SWORD COLUMN_DIR DIRECT", {{1, 1, 3}}},
    {"KindOrderIsNotPositionOrder",
     "NO_AXIS_PTS_X 1 UBYTE AXIS_PTS_X 2 UWORD INDEX_INCR DIRECT FNC_VALUES 3 SWORD ROW_DIR PBYTE",
     {{1, 9, 0}, {2, 3, 2}, {3, 1, 3}}},
    {"GapsStayEmpty",
     "FNC_VALUES 1 UBYTE ROW_DIR DIRECT IDENTIFICATION 3 ULONG",
     {{1, 1, 0}, {3, 2, 4}}},
    // Elements that share a position: the higher kind wins over the lower, any kind over
    // RESERVED, and the later RESERVED over the earlier.
    {"HigherKindWins",
     "AXIS_PTS_X 2 UWORD INDEX_INCR DIRECT FNC_VALUES 2 SWORD ROW_DIR PBYTE",
     {{2, 3, 2}}},
    {"AnyKindWinsOverReserved", "OFFSET_X 4 UBYTE RESERVED 4 WORD", {{4, 25, 0}}},
    {"LaterReservedWins", "RESERVED 5 BYTE RESERVED 5 LONG", {{5, 0, 4}}},
    // Positions run from 1 to 40; 0 and negative positions mean absent, and positions above
    // 40 have no entry and are skipped.
    {"OnlyPositionsOneToForty",
     "RESERVED 40 BYTE DIST_OP_Z 41 UBYTE SRC_ADDR_X 0 UBYTE RIP_ADDR_W -3 UBYTE"
     " RESERVED 100 WORD",
     {{40, 0, 1}}},
};
INSTANTIATE_TEST_SUITE_P(Cases, RecordLayoutOrder, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<OrderCase>& i) { return i.param.name; });

TEST(RecordLayoutOrderErrors, CodesAndUntouchedArray) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst,
                                 "/begin PROJECT P \"\" /begin MODULE M \"\"\n"
                                 "/begin RECORD_LAYOUT RL FNC_VALUES 1 UBYTE ROW_DIR DIRECT"
                                 " /end RECORD_LAYOUT\n/end MODULE /end PROJECT\n"),
            rcOk);
  TRecordLayoutElementExt slots[ORDEX_SORTED_ELEMENTS];
  std::memset(slots, kUntouched, sizeof slots);
  TRecordLayoutElementExt before[ORDEX_SORTED_ELEMENTS];
  std::memcpy(before, slots, sizeof slots);
  EXPECT_EQ(Ordex_GetRecordLayoutElementArraySorted(inst, nullptr, "Other", slots),
            rcRecordLayoutNotFound);
  EXPECT_EQ(Ordex_GetRecordLayoutElementArraySorted(inst, "X", "RL", slots), rcModuleNotFound);
  EXPECT_EQ(std::memcmp(before, slots, sizeof slots), 0);
  EXPECT_EQ(Ordex_GetRecordLayoutElementArraySorted(inst, nullptr, nullptr, slots), rcNullArgument);
  EXPECT_EQ(Ordex_GetRecordLayoutElementArraySorted(inst, nullptr, "RL", nullptr), rcNullArgument);
  EXPECT_EQ(Ordex_GetRecordLayoutElementArraySorted(nullptr, nullptr, "RL", slots), rcNoInstance);
  EXPECT_EQ(Ordex_GetRecordLayoutElementArraySorted_Intern(nullptr, slots), rcNullArgument);

  // The name is looked up under the comparison mode.
  Ordex_ConfigureStringComparison(1);
  EXPECT_EQ(Ordex_GetRecordLayoutElementArraySorted(inst, nullptr, "rl", slots), rcOk);
  Ordex_ConfigureStringComparison(0);
  EXPECT_EQ(slots[0].ElementKind, 1);
}

}  // namespace
