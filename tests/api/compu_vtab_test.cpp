// COMPU_VTAB as read from A2L text and returned by Ordex_GetCompuVTab,
// Ordex_GetACompuVTabValueByIndex and Ordex_GetACompuVTabsLargeVTab.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/inline_a2l.h"
#include "support/test_support.h"

namespace {

using ordex_test::inModule;
using ordex_test::Instance;
using ordex_test::keyed;
using ordex_test::readText;

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

class CompuVTabTest : public ::testing::Test {
 protected:
  void read(const std::string& body) { ASSERT_EQ(rcOk, readText(inst, inModule(body))); }
  TCompuVTab get(const char* name) {
    TCompuVTab r = keyed<TCompuVTab>(name);
    EXPECT_EQ(rcOk, Ordex_GetCompuVTab(inst, nullptr, &r, 0)) << name;
    return r;
  }
  TOrdexReturnCode byIndex(const char* name, uint32_t index, TCompuVTabValue& v) {
    v.Index = index;
    return Ordex_GetACompuVTabValueByIndex(inst, nullptr, name, &v);
  }
  Instance inst;
};

TEST_F(CompuVTabTest, ReadsPairsAndDefault) {
  read(R"(
    /begin COMPU_VTAB VT.Gear "gear" TAB_VERB 4
      0 "neutral" 0x1F "reverse" 010 "octal" -2 unquoted
      DEFAULT_VALUE "invalid"
    /end COMPU_VTAB)");
  TCompuVTab r = get("VT.Gear");
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
  read(body);
  for (const auto& c : cases) {
    EXPECT_EQ(c.type, get((std::string("V_") + c.word).c_str()).ConversionType) << c.word;
  }
}

// As in many files of later versions of the format, input values may be written as decimals.
// Integral ones are stored as their integer; one with a fraction is rounded half up in the
// record (and written back as read). What is no number, or lies outside the 32-bit range,
// stops the read.
TEST_F(CompuVTabTest, InputValuesWrittenAsDecimalsAreTaken) {
  read(
      "/begin COMPU_VTAB VT.Bool \"\" TAB_VERB 7\n1.0 \"TRUE\" 0.0 \"FALSE\" -2e0 \"NEG\"\n"
      "1.1 \"a\" 0.5 \"b\" -1.5 \"c\" 2147483647.4 \"d\"\n/end COMPU_VTAB");
  TCompuVTab r = get("VT.Bool");
  const int32_t expected[] = {1, 0, -2, 1, 1, -1, 2147483647};
  for (int k = 0; k < 7; ++k) EXPECT_EQ(expected[k], r.Pairs[k].InVal) << k;

  for (const char* bad : {"1.0kg", "4294967296.0", "2147483647.5", "0x1.0",
                          "\xE2\x80\x93"
                          "1"}) {
    EXPECT_EQ(rcBadNumber, readText(inst, inModule(std::string("/begin COMPU_VTAB VT.Bad \"\" "
                                                               "TAB_VERB 1\n") +
                                                   bad + " \"x\"\n/end COMPU_VTAB")))
        << bad;
    // The reader stands three tokens ahead: past the end of the block, two lines on.
    EXPECT_EQ(ordex_test::failureReport(6, "PROJECT P, MODULE M, COMPU_VTAB VT.Bad"),
              ordex_test::readError(inst))
        << bad;
  }
}

TEST_F(CompuVTabTest, PairsBeyondTheRecordAreReachedByIndexAndAsAWhole) {
  for (int n : {25, 30}) {
    SCOPED_TRACE(n);
    read(vtab("VT.Large", std::to_string(n), n));
    TCompuVTab r = get("VT.Large");
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
}

TEST_F(CompuVTabTest, LongTextsAreCutInRecordsButWholeThroughTheLargeGetter) {
  const std::string longText(300, 't');
  read("/begin COMPU_VTAB VT \"\" TAB_VERB 1 5 \"" + longText + "\" DEFAULT_VALUE \"" + longText +
       "\" /end COMPU_VTAB");
  TCompuVTab r = get("VT");
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
  read(
      "/begin COMPU_VTAB Zero \"\" TAB_VERB 0 1 \"one\" /end COMPU_VTAB\n"
      "/begin COMPU_VTAB Negative \"\" TAB_VERB -3 1 \"one\" /end COMPU_VTAB");
  for (const char* name : {"Zero", "Negative"}) {
    SCOPED_TRACE(name);
    TCompuVTab r = get(name);
    EXPECT_EQ(std::string(name) == "Zero" ? 0 : -3, r.NumberValuePairs);
    EXPECT_EQ(0x5A5A5A5A, r.Pairs[0].InVal);
    TCompuVTabValue v;
    EXPECT_EQ(rcInvalidArgument, byIndex(name, 0, v));
    TCompuVTabEntry e{-7, nullptr};
    EXPECT_EQ(rcOk, Ordex_GetACompuVTabsLargeVTab(inst, nullptr, name, &e));
    EXPECT_EQ(-7, e.InVal);
  }
}

// A declared count larger than the pairs given counts the pairs given, so that a host
// sizing its arrays by the count never asks for pairs that are not there; a hostile count
// allocates nothing.
TEST_F(CompuVTabTest, ADeclaredCountLargerThanThePairsGivenCountsThePairsGiven) {
  read(vtab("Short", "30", 25) + vtab("Hostile", "2147483647", 2) +
       "/begin COMPU_VTAB Half \"\" TAB_VERB 5 1 \"a\" 2\n/end COMPU_VTAB\n");
  EXPECT_EQ(25, get("Short").NumberValuePairs);
  TCompuVTabValue v;
  EXPECT_EQ(rcOk, byIndex("Short", 24, v));
  EXPECT_EQ(240, v.InVal);
  EXPECT_EQ(rcInvalidArgument, byIndex("Short", 25, v));

  TCompuVTab r = get("Hostile");
  EXPECT_EQ(2, r.NumberValuePairs);
  EXPECT_EQ(10, r.Pairs[1].InVal);

  // A pair cut short after its input value is kept with an empty text.
  r = get("Half");
  EXPECT_EQ(2, r.NumberValuePairs);
  EXPECT_EQ(2, r.Pairs[1].InVal);
  EXPECT_STREQ("", r.Pairs[1].OutText);
}

// The token after DEFAULT_VALUE is also a pair token: after a complete set of pairs it is
// ignored; while pairs are still due it is the next input value, so a quoted default text
// there stops the read.
TEST_F(CompuVTabTest, TheTokenAfterDefaultValueIsAlsoAPairToken) {
  read(vtab("Complete", "2", 2, "DEFAULT_VALUE \"none\"\n") +
       vtab("Numeric", "3", 2, "DEFAULT_VALUE 7\n"));
  TCompuVTab r = get("Complete");
  EXPECT_EQ(2, r.NumberValuePairs);
  EXPECT_STREQ("none", r.DefaultValue);
  r = get("Numeric");
  EXPECT_EQ(3, r.NumberValuePairs);
  EXPECT_EQ(7, r.Pairs[2].InVal);
  EXPECT_STREQ("7", r.DefaultValue);

  EXPECT_EQ(rcBadNumber,
            readText(inst, inModule(vtab("Quoted", "3", 2, "DEFAULT_VALUE \"none\" 1 2 3\n"))));
}

TEST_F(CompuVTabTest, LookupCodes) {
  read(vtab("Vt_State", "1", 1) + vtab("Vt_State", "2", 2));
  EXPECT_EQ(1, get("Vt_State").NumberValuePairs);  // the first table of that name
  ordex_test::expectLookupCodes<TCompuVTab>(Ordex_GetCompuVTab, inst, "Vt_State",
                                            rcCompuVTabNotFound);

  TCompuVTabValue v;
  TCompuVTabEntry e[2];
  EXPECT_EQ(rcCompuVTabNotFound, byIndex("VT_STATE", 0, v));
  EXPECT_EQ(rcCompuVTabNotFound, Ordex_GetACompuVTabsLargeVTab(inst, nullptr, "VT_STATE", e));
  {
    ordex_test::CaseInsensitiveNames ignoreCase;
    EXPECT_EQ(rcOk, byIndex("VT_STATE", 0, v));
    EXPECT_EQ(rcOk, Ordex_GetACompuVTabsLargeVTab(inst, nullptr, "VT_STATE", e));
  }
  EXPECT_EQ(rcModuleNotFound, Ordex_GetACompuVTabValueByIndex(inst, "N", "Vt_State", &v));
  EXPECT_EQ(rcModuleNotFound, Ordex_GetACompuVTabsLargeVTab(inst, "N", "Vt_State", e));
  EXPECT_EQ(rcInvalidArgument, Ordex_GetACompuVTabsLargeVTab(inst, nullptr, "Vt_State", nullptr));
  EXPECT_EQ(rcNullArgument, Ordex_GetACompuVTabsLargeVTab(inst, nullptr, nullptr, e));
  EXPECT_EQ(rcNullArgument, Ordex_GetACompuVTabValueByIndex(inst, nullptr, "Vt_State", nullptr));
  EXPECT_EQ(rcNullArgument, Ordex_GetACompuVTabValueByIndex(inst, nullptr, nullptr, &v));
  EXPECT_EQ(rcNoInstance, Ordex_GetACompuVTabsLargeVTab(nullptr, nullptr, "Vt_State", e));
}

}  // namespace
