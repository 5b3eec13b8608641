// The summary of what a read kept but does not model, through the C interface: a golden
// list for a hand-made file, and the codes.
#include <gtest/gtest.h>

#include <string>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;

// One line per entry: keyword, count, line, module, object.
std::string summaryOf(TOrdex* inst) {
  int32_t count = -1;
  EXPECT_EQ(Ordex_GetNumKeptSummaryEntries(inst, &count), rcOk);
  std::string out;
  for (int32_t i = 0; i < count; ++i) {
    TKeptSummaryEntry e;
    EXPECT_EQ(Ordex_GetKeptSummaryEntry(inst, i, &e), rcOk);
    out += std::string(e.Keyword) + " " + std::to_string(e.Count) + " @" + std::to_string(e.Line) +
           " " + e.Module + " " + e.Object + "\n";
  }
  return out;
}

TEST(KeptSummary, CountsEveryKeptKeywordWithItsFirstPlace) {
  Instance inst;
  ASSERT_EQ(Ordex_ReadAsapFile(inst, ordex_test::dataPath("check/kept_content.a2l").c_str(),
                               nullptr, nullptr),
            rcOk);
  EXPECT_EQ(summaryOf(inst),
            "UNIT 2 @6 M \n"
            "GROUP 2 @16 M \n"
            "ROOT 1 @17 M \n"
            "REF_CHARACTERISTIC 1 @18 M \n"
            "REF_MEASUREMENT 2 @19 M \n"
            "SUB_GROUP 1 @20 M \n"
            "FUNCTION_LIST 1 @21 M \n"
            "GROUPP 1 @24 M \n"
            "SYMBOL_LINK 1 @9 M Speed\n");
  TKeptSummaryEntry e;
  ASSERT_EQ(Ordex_GetKeptSummaryEntry(inst, 8, &e), rcOk);
  EXPECT_EQ(e.Kind, etMeasurement);
  EXPECT_NE(std::string(e.File).find("kept_content.a2l"), std::string::npos);
  EXPECT_EQ(Ordex_GetKeptSummaryEntry(inst, 9, &e), rcIndexOutOfRange);
  EXPECT_EQ(Ordex_GetKeptSummaryEntry(inst, -1, &e), rcIndexOutOfRange);
  EXPECT_EQ(Ordex_GetKeptSummaryEntry(inst, 0, nullptr), rcNullArgument);
}

TEST(KeptSummary, Codes) {
  int32_t count = 0;
  EXPECT_EQ(Ordex_GetNumKeptSummaryEntries(nullptr, &count), rcNoInstance);
  Instance inst;
  EXPECT_EQ(Ordex_GetNumKeptSummaryEntries(inst, &count), rcNoProject);
  ASSERT_EQ(Ordex_ReadAsapFile(inst, ordex_test::dataPath("check/kept_content.a2l").c_str(),
                               nullptr, nullptr),
            rcOk);
  EXPECT_EQ(Ordex_GetNumKeptSummaryEntries(inst, nullptr), rcNullArgument);
}

}  // namespace
