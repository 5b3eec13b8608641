// COMPU_VTAB as read from A2L text and returned by Ordex_GetCompuVTab,
// Ordex_GetACompuVTabValueByIndex and Ordex_GetACompuVTabsLargeVTab.

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using ordex_test::readError;
using ordex_test::readText;

std::string inModule(const std::string& body) {
  return "/begin PROJECT P \"\"\n/begin MODULE M \"\"\n" + body + "\n/end MODULE\n/end PROJECT\n";
}

std::string text(int k) {
  return "state " + std::to_string(k);
}

// `pairs` pairs k -> "state k" (InVal 10 * k) after the declared count.
std::string vtab(const std::string& name, const std::string& declared, int pairs,
                 const std::string& tail = "") {
  std::string s = "/begin COMPU_VTAB " + name + " \"states\" TAB_VERB " + declared + "\n";
  for (int k = 0; k < pairs; ++k) s += std::to_string(10 * k) + " \"" + text(k) + "\"\n";
  return s + tail + "/end COMPU_VTAB\n";
}

TCompuVTab record(const char* name) {
  TCompuVTab r;
  std::memset(&r, 0x5A, sizeof r);
  std::snprintf(r.Name, sizeof r.Name, "%s", name);
  return r;
}

class CompuVTabTest : public ::testing::Test {
 protected:
  void TearDown() override { Ordex_ConfigureStringComparison(0); }
  TOrdexReturnCode byIndex(const char* name, uint32_t index, TCompuVTabValue& v) {
    v.Index = index;
    return Ordex_GetACompuVTabValueByIndex(inst, nullptr, name, &v);
  }
  Instance inst;
};

TEST_F(CompuVTabTest, ReadsPairsAndDefault) {
  ASSERT_EQ(rcOk, readText(inst, inModule(R"(
    /begin COMPU_VTAB VT.Gear "gear" TAB_VERB 4
      0 "neutral" 0x1F "reverse" 010 "octal" -2 unquoted
      DEFAULT_VALUE "invalid"
    /end COMPU_VTAB)")));
  TCompuVTab r = record("VT.Gear");
  ASSERT_EQ(rcOk, Ordex_GetCompuVTab(inst, nullptr, &r, 0));
  EXPECT_STREQ("gear", r.LongIdentifier);
  EXPECT_EQ(4, r.ConversionType);
  EXPECT_EQ(4, r.NumberValuePairs);
  const struct {
    int32_t in;
    const char* out;
  } expected[] = {{0, "neutral"}, {31, "reverse"}, {8, "octal"}, {-2, "unquoted"}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(expected[k].in, r.Pairs[k].InVal) << k;
    EXPECT_STREQ(expected[k].out, r.Pairs[k].OutText) << k;
  }
  EXPECT_EQ(0x5A5A5A5A, r.Pairs[4].InVal);  // beyond the table: untouched
  EXPECT_STREQ("invalid", r.DefaultValue);
  EXPECT_EQ(0u, r.UserData);
}

TEST_F(CompuVTabTest, TableTypeIsItsIndexInTheVerbalTypeList) {
  const struct {
    const char* word;
    int32_t type;
  } cases[] = {{"TAB_VERB", 4}, {"DUMMY", 0}, {"TAB_INTP", -1}, {"tab_verb", -1}};
  std::string body;
  for (const auto& c : cases) {
    body +=
        std::string("/begin COMPU_VTAB V_") + c.word + " \"\" " + c.word + " 0 /end COMPU_VTAB\n";
  }
  ASSERT_EQ(rcOk, readText(inst, inModule(body)));
  for (const auto& c : cases) {
    TCompuVTab r = record((std::string("V_") + c.word).c_str());
    ASSERT_EQ(rcOk, Ordex_GetCompuVTab(inst, nullptr, &r, 0)) << c.word;
    EXPECT_EQ(c.type, r.ConversionType) << c.word;
  }
}

TEST_F(CompuVTabTest, InputValuesWrittenAsIntegralDecimalsAreTaken) {
  // As in many files of later versions of the format: input values written as 1.0. They are
  // stored as integers; a value with a fraction cannot be, and stops the read.
  ASSERT_EQ(rcOk, readText(inst, inModule("/begin COMPU_VTAB VT.Bool \"\" TAB_VERB 3\n"
                                          "1.0 \"TRUE\" 0.0 \"FALSE\" -2e0 \"NEG\"\n"
                                          "/end COMPU_VTAB")));
  TCompuVTab r = record("VT.Bool");
  ASSERT_EQ(rcOk, Ordex_GetCompuVTab(inst, nullptr, &r, 0));
  EXPECT_EQ(1, r.Pairs[0].InVal);
  EXPECT_EQ(0, r.Pairs[1].InVal);
  EXPECT_EQ(-2, r.Pairs[2].InVal);

  for (const char* bad : {"1.1", "1.0kg", "4294967296.0", "0x1.0"}) {
    std::string textIn = inModule(std::string("/begin COMPU_VTAB VT.Bad \"\" TAB_VERB 1\n") + bad +
                                  " \"x\"\n/end COMPU_VTAB");
    EXPECT_EQ(rcBadNumber, readText(inst, textIn)) << bad;
    // The reader stands three tokens ahead: past the end of the block, two lines on.
    EXPECT_EQ(
        "Error detected (near to line 6): Actually parsed object: PROJECT P, MODULE M, "
        "COMPU_VTAB VT.Bad",
        readError(inst))
        << bad;
  }
}

class LargeVTabTest : public CompuVTabTest, public ::testing::WithParamInterface<int> {};

TEST_P(LargeVTabTest, PairsBeyondTheRecordAreReachedByIndexAndAsAWhole) {
  const int n = GetParam();
  ASSERT_EQ(rcOk, readText(inst, inModule(vtab("VT.Large", std::to_string(n), n))));
  TCompuVTab r = record("VT.Large");
  ASSERT_EQ(rcOk, Ordex_GetCompuVTab(inst, nullptr, &r, 0));
  EXPECT_EQ(n, r.NumberValuePairs);
  for (int k = 0; k < ORDEX_COMPU_VTAB_PAIRS; ++k) {
    EXPECT_EQ(10 * k, r.Pairs[k].InVal);
    EXPECT_EQ(text(k), r.Pairs[k].OutText);
  }

  TCompuVTabValue v;
  for (int k : {0, 19, 20, n - 1}) {
    ASSERT_EQ(rcOk, byIndex("VT.Large", k, v)) << k;
    EXPECT_EQ(10 * k, v.InVal);
    EXPECT_EQ(text(k), v.OutText);
  }
  EXPECT_EQ(rcInvalidArgument, byIndex("VT.Large", n, v));
  EXPECT_EQ(rcInvalidArgument, byIndex("VT.Large", 0xFFFFFFFFu, v));

  std::vector<TCompuVTabEntry> entries(n + 1, TCompuVTabEntry{-7, nullptr});
  ASSERT_EQ(rcOk, Ordex_GetACompuVTabsLargeVTab(inst, nullptr, "VT.Large", entries.data()));
  for (int k = 0; k < n; ++k) {
    EXPECT_EQ(10 * k, entries[k].InVal);
    ASSERT_NE(nullptr, entries[k].OutText);
    EXPECT_EQ(text(k), entries[k].OutText);
  }
  EXPECT_EQ(-7, entries[n].InVal);  // nothing written past the table
}

INSTANTIATE_TEST_SUITE_P(PairCounts, LargeVTabTest, ::testing::Values(25, 30));

TEST_F(CompuVTabTest, LongTextsAreCutInRecordsButWholeThroughTheLargeGetter) {
  const std::string longText(300, 't');
  ASSERT_EQ(rcOk,
            readText(inst, inModule("/begin COMPU_VTAB VT \"\" TAB_VERB 1 5 \"" + longText +
                                    "\" DEFAULT_VALUE \"" + longText + "\" /end COMPU_VTAB")));
  TCompuVTab r = record("VT");
  ASSERT_EQ(rcOk, Ordex_GetCompuVTab(inst, nullptr, &r, 0));
  EXPECT_EQ(longText.substr(0, 255), r.Pairs[0].OutText);
  EXPECT_EQ(longText.substr(0, 255), r.DefaultValue);
  TCompuVTabValue v;
  ASSERT_EQ(rcOk, byIndex("VT", 0, v));
  EXPECT_EQ(longText.substr(0, 255), v.OutText);
  TCompuVTabEntry e{};
  ASSERT_EQ(rcOk, Ordex_GetACompuVTabsLargeVTab(inst, nullptr, "VT", &e));
  EXPECT_EQ(longText, e.OutText);
}

TEST_F(CompuVTabTest, ACountBelowOneTakesNoPairs) {
  ASSERT_EQ(rcOk, readText(inst, inModule("/begin COMPU_VTAB Zero \"\" TAB_VERB 0 1 \"one\" "
                                          "/end COMPU_VTAB\n/begin COMPU_VTAB Negative \"\" "
                                          "TAB_VERB -3 1 \"one\" /end COMPU_VTAB")));
  for (const char* name : {"Zero", "Negative"}) {
    TCompuVTab r = record(name);
    ASSERT_EQ(rcOk, Ordex_GetCompuVTab(inst, nullptr, &r, 0));
    EXPECT_EQ(std::string(name) == "Zero" ? 0 : -3, r.NumberValuePairs);
    EXPECT_EQ(0x5A5A5A5A, r.Pairs[0].InVal) << name;
    TCompuVTabValue v;
    EXPECT_EQ(rcInvalidArgument, byIndex(name, 0, v)) << name;
    TCompuVTabEntry e{-7, nullptr};
    EXPECT_EQ(rcOk, Ordex_GetACompuVTabsLargeVTab(inst, nullptr, name, &e));
    EXPECT_EQ(-7, e.InVal) << name;
  }
}

// A table holds the pairs the file gives: a count larger than that is lowered to it, so a
// caller sizing its array from NumberValuePairs (and the writer) sees a consistent table,
// and a hostile count allocates nothing.
TEST_F(CompuVTabTest, ADeclaredCountLargerThanThePairsGivenIsKeptWithEmptyPairs) {
  ASSERT_EQ(rcOk,
            readText(inst, inModule(vtab("Short", "30", 25) + vtab("Hostile", "2147483647", 2) +
                                    "/begin COMPU_VTAB Half \"\" TAB_VERB 5 1 \"a\" 2\n"
                                    "/end COMPU_VTAB\n")));
  TCompuVTab r = record("Short");
  ASSERT_EQ(rcOk, Ordex_GetCompuVTab(inst, nullptr, &r, 0));
  EXPECT_EQ(30, r.NumberValuePairs);
  TCompuVTabValue v;
  EXPECT_EQ(rcOk, byIndex("Short", 24, v));
  EXPECT_EQ(240, v.InVal);
  // Declared but not in the file: an empty pair, as in a table cleared at creation.
  EXPECT_EQ(rcOk, byIndex("Short", 29, v));
  EXPECT_EQ(0, v.InVal);
  EXPECT_STREQ("", v.OutText);
  EXPECT_EQ(rcInvalidArgument, byIndex("Short", 30, v));

  // The declared count is reported without anything being allocated for it.
  r = record("Hostile");
  ASSERT_EQ(rcOk, Ordex_GetCompuVTab(inst, nullptr, &r, 0));
  EXPECT_EQ(2147483647, r.NumberValuePairs);
  EXPECT_EQ(10, r.Pairs[1].InVal);

  // A pair cut short after its input value is kept with an empty text.
  r = record("Half");
  ASSERT_EQ(rcOk, Ordex_GetCompuVTab(inst, nullptr, &r, 0));
  EXPECT_EQ(5, r.NumberValuePairs);
  EXPECT_EQ(2, r.Pairs[1].InVal);
  EXPECT_STREQ("", r.Pairs[1].OutText);
}

TEST_F(CompuVTabTest, TheTokenAfterDefaultValueIsAlsoAPairToken) {
  // After a complete set of pairs it is ignored; while pairs are still due it is the next
  // input value, so a quoted default text there stops the read.
  ASSERT_EQ(rcOk, readText(inst, inModule(vtab("Complete", "2", 2, "DEFAULT_VALUE \"none\"\n") +
                                          vtab("Numeric", "3", 2, "DEFAULT_VALUE 7\n"))));
  TCompuVTab r = record("Complete");
  ASSERT_EQ(rcOk, Ordex_GetCompuVTab(inst, nullptr, &r, 0));
  EXPECT_EQ(2, r.NumberValuePairs);
  EXPECT_STREQ("none", r.DefaultValue);
  r = record("Numeric");
  ASSERT_EQ(rcOk, Ordex_GetCompuVTab(inst, nullptr, &r, 0));
  EXPECT_EQ(3, r.NumberValuePairs);
  EXPECT_EQ(7, r.Pairs[2].InVal);
  EXPECT_STREQ("7", r.DefaultValue);

  Instance other;
  EXPECT_EQ(rcBadNumber,
            readText(other, inModule(vtab("Quoted", "3", 2, "DEFAULT_VALUE \"none\" 1 2 3\n"))));
}

TEST_F(CompuVTabTest, LookupCodes) {
  ASSERT_EQ(rcOk, readText(inst, inModule(vtab("Vt_State", "1", 1) + vtab("Vt_State", "2", 2))));
  TCompuVTab r = record("Vt_State");
  ASSERT_EQ(rcOk, Ordex_GetCompuVTab(inst, nullptr, &r, 1));
  EXPECT_EQ(0x5A5A5A5A, r.NumberValuePairs);  // existence only: untouched
  ASSERT_EQ(rcOk, Ordex_GetCompuVTab(inst, nullptr, &r, 0));
  EXPECT_EQ(1, r.NumberValuePairs);  // the first table of that name

  TCompuVTabValue v;
  TCompuVTabEntry e[2];
  r = record("VT_STATE");
  EXPECT_EQ(rcCompuVTabNotFound, Ordex_GetCompuVTab(inst, nullptr, &r, 0));
  EXPECT_EQ(rcCompuVTabNotFound, byIndex("VT_STATE", 0, v));
  EXPECT_EQ(rcCompuVTabNotFound, Ordex_GetACompuVTabsLargeVTab(inst, nullptr, "VT_STATE", e));
  Ordex_ConfigureStringComparison(1);
  EXPECT_EQ(rcOk, Ordex_GetCompuVTab(inst, nullptr, &r, 0));
  EXPECT_EQ(rcOk, byIndex("VT_STATE", 0, v));
  EXPECT_EQ(rcOk, Ordex_GetACompuVTabsLargeVTab(inst, nullptr, "VT_STATE", e));
  Ordex_ConfigureStringComparison(0);

  EXPECT_EQ(rcModuleNotFound, Ordex_GetCompuVTab(inst, "N", &r, 0));
  EXPECT_EQ(rcModuleNotFound, Ordex_GetACompuVTabValueByIndex(inst, "N", "Vt_State", &v));
  EXPECT_EQ(rcModuleNotFound, Ordex_GetACompuVTabsLargeVTab(inst, "N", "Vt_State", e));
  EXPECT_EQ(rcInvalidArgument, Ordex_GetACompuVTabsLargeVTab(inst, nullptr, "Vt_State", nullptr));
  EXPECT_EQ(rcNullArgument, Ordex_GetACompuVTabsLargeVTab(inst, nullptr, nullptr, e));
  EXPECT_EQ(rcNullArgument, Ordex_GetACompuVTabValueByIndex(inst, nullptr, "Vt_State", nullptr));
  EXPECT_EQ(rcNullArgument, Ordex_GetACompuVTabValueByIndex(inst, nullptr, nullptr, &v));
  EXPECT_EQ(rcNullArgument, Ordex_GetCompuVTab(inst, nullptr, nullptr, 0));
  EXPECT_EQ(rcNoInstance, Ordex_GetACompuVTabsLargeVTab(nullptr, nullptr, "Vt_State", e));
}

}  // namespace
