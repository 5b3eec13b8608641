// COMPU_TAB as read from A2L text and returned by Ordex_GetCompuTab.

#include <cstring>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace {

using ordex_test::dataPath;
using ordex_test::Instance;
using ordex_test::readError;
using ordex_test::readText;

std::string inModule(const std::string& body) {
  return "/begin PROJECT P \"\"\n/begin MODULE M \"\"\n" + body + "\n/end MODULE\n/end PROJECT\n";
}

// "/begin COMPU_TAB <name> ..." with `pairs` pairs i -> i * 0.5 written after the count.
std::string tabWithPairs(const std::string& name, const std::string& declared, int pairs,
                         const std::string& tail = "") {
  std::string s = "/begin COMPU_TAB " + name + " \"\" TAB_INTP " + declared + "\n";
  for (int i = 0; i < pairs; ++i) s += std::to_string(i) + " " + std::to_string(i) + ".5\n";
  return s + tail + "/end COMPU_TAB\n";
}

// The record is large (about 70 KB): keep it off the stack and pre-filled with a pattern, so
// that untouched entries can be told apart.
std::unique_ptr<TCompuTab> freshRecord(const char* name) {
  auto r = std::make_unique<TCompuTab>();
  std::memset(r.get(), 0x5A, sizeof *r);
  std::snprintf(r->Name, sizeof r->Name, "%s", name);
  return r;
}

bool untouched(const TCompuTabPair& p) {
  return static_cast<unsigned char>(p.Out.Text[0]) == 0x5A && p.InVal == 0x5A5A5A5A;
}

class CompuTabTest : public ::testing::Test {
 protected:
  void TearDown() override { Ordex_ConfigureStringComparison(0); }
  Instance inst;
};

TEST_F(CompuTabTest, ReadsThePairsWithTheirTexts) {
  ASSERT_EQ(rcOk, Ordex_ReadAsapFile(inst, dataPath("compu_tab_pair_forms.a2l").c_str(), nullptr,
                                     nullptr));
  auto r = freshRecord("TAB.Forms");
  ASSERT_EQ(rcOk, Ordex_GetCompuTab(inst, nullptr, r.get(), 0));
  EXPECT_STREQ("pair forms", r->LongIdentifier);
  EXPECT_EQ(1, r->ConversionType);
  EXPECT_EQ(6, r->NumberValuePairs);
  // The input value is the decimal prefix of its token; the output keeps its text.
  const struct {
    int32_t in;
    const char* text;
    double value;
  } expected[] = {{1, "2.5", 2.5}, {-3, "-1e2", -100.0}, {0, "0x10", 16.0},
                  {7, "007", 7.0}, {0, "+0.25", 0.25},   {99, "3", 3.0}};
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(expected[k].in, r->Pairs[k].InVal) << k;
    EXPECT_STREQ(expected[k].text, r->Pairs[k].Out.Text) << k;
    EXPECT_DOUBLE_EQ(expected[k].value, r->Pairs[k].Out.Value) << k;
  }
  EXPECT_TRUE(untouched(r->Pairs[6]));
  EXPECT_STREQ("out of range", r->DefaultValue);
  EXPECT_EQ(0u, r->UserData);
}

TEST_F(CompuTabTest, TableTypeIsItsIndexInTheTableTypeList) {
  const struct {
    const char* word;
    int32_t type;
  } cases[] = {
      {"TAB_INTP", 0}, {"TAB_NOINTP", 1}, {"TAB_VERB", -1}, {"RAT_FUNC", -1}, {"tab_intp", -1}};
  std::string body;
  for (const auto& c : cases) {
    body += std::string("/begin COMPU_TAB T_") + c.word + " \"\" " + c.word + " 0 /end COMPU_TAB\n";
  }
  ASSERT_EQ(rcOk, readText(inst, inModule(body)));
  for (const auto& c : cases) {
    auto r = freshRecord((std::string("T_") + c.word).c_str());
    ASSERT_EQ(rcOk, Ordex_GetCompuTab(inst, nullptr, r.get(), 0)) << c.word;
    EXPECT_EQ(c.type, r->ConversionType) << c.word;
  }
}

TEST_F(CompuTabTest, PairCountTakesEveryIntegerBase) {
  ASSERT_EQ(rcOk, readText(inst, inModule(tabWithPairs("Octal", "010", 8) +
                                          tabWithPairs("Hex", "0x3", 3))));
  auto r = freshRecord("Octal");
  ASSERT_EQ(rcOk, Ordex_GetCompuTab(inst, nullptr, r.get(), 0));
  EXPECT_EQ(8, r->NumberValuePairs);
  r = freshRecord("Hex");
  ASSERT_EQ(rcOk, Ordex_GetCompuTab(inst, nullptr, r.get(), 0));
  EXPECT_EQ(3, r->NumberValuePairs);
}

TEST_F(CompuTabTest, BadNumbersStopTheReadAndNameTheTable) {
  const struct {
    const char* line;  // line 4 of the file
  } cases[] = {{"3a 0 1 1 2 2 3"}, {"3 0 2.5x 1 2 2 3"}, {"3 0 1.5kg 1 2 2 3"}};
  for (const auto& c : cases) {
    Instance fresh;
    std::string text = inModule(std::string("/begin COMPU_TAB TAB.Bad \"\" TAB_INTP\n") + c.line +
                                "\n/end COMPU_TAB");
    EXPECT_EQ(rcBadNumber, readText(fresh, text)) << c.line;
    EXPECT_EQ(
        "Error detected (near to line 4): Actually parsed object: PROJECT P, MODULE M, "
        "COMPU_TAB TAB.Bad",
        readError(fresh))
        << c.line;
  }
}

// A table holds at most 256 pairs: a larger declared count is kept as 256 and the pairs
// beyond the 256th are dropped.
TEST_F(CompuTabTest, MoreThan256PairsKeepTheFirst256) {
  ASSERT_EQ(rcOk, readText(inst, inModule(tabWithPairs("Big", "300", 300) +
                                          tabWithPairs("After", "1", 1))));
  auto r = freshRecord("Big");
  ASSERT_EQ(rcOk, Ordex_GetCompuTab(inst, nullptr, r.get(), 0));
  EXPECT_EQ(256, r->NumberValuePairs);
  for (int k = 0; k < 256; ++k) {
    ASSERT_EQ(k, r->Pairs[k].InVal);
    ASSERT_EQ(std::to_string(k) + ".5", r->Pairs[k].Out.Text);
  }
  // The table after it is read normally.
  r = freshRecord("After");
  ASSERT_EQ(rcOk, Ordex_GetCompuTab(inst, nullptr, r.get(), 0));
  EXPECT_EQ(1, r->NumberValuePairs);
}

TEST_F(CompuTabTest, DeclaredPairsMissingFromTheFileReadAsEmptyPairs) {
  ASSERT_EQ(rcOk, readText(inst, inModule(tabWithPairs("Short", "5", 2) +
                                          tabWithPairs("Hostile", "2147483647", 3) +
                                          tabWithPairs("Negative", "-4", 2))));
  auto r = freshRecord("Short");
  ASSERT_EQ(rcOk, Ordex_GetCompuTab(inst, nullptr, r.get(), 0));
  EXPECT_EQ(5, r->NumberValuePairs);
  EXPECT_EQ(1, r->Pairs[1].InVal);
  for (int k = 2; k < 5; ++k) {
    EXPECT_EQ(0, r->Pairs[k].InVal);
    EXPECT_STREQ("", r->Pairs[k].Out.Text);
    EXPECT_EQ(0.0, r->Pairs[k].Out.Value);
  }
  EXPECT_TRUE(untouched(r->Pairs[5]));

  r = freshRecord("Hostile");
  ASSERT_EQ(rcOk, Ordex_GetCompuTab(inst, nullptr, r.get(), 0));
  EXPECT_EQ(256, r->NumberValuePairs);
  EXPECT_EQ(2, r->Pairs[2].InVal);
  EXPECT_EQ(0, r->Pairs[255].InVal);

  r = freshRecord("Negative");
  ASSERT_EQ(rcOk, Ordex_GetCompuTab(inst, nullptr, r.get(), 0));
  EXPECT_EQ(-4, r->NumberValuePairs);
  EXPECT_TRUE(untouched(r->Pairs[0]));
}

TEST_F(CompuTabTest, OnlyTheDeclaredPairsAreReturned) {
  // Four pairs under a count of 2; the token after DEFAULT_VALUE lands in a slot behind the
  // pairs, which the getter never shows.
  ASSERT_EQ(rcOk, readText(inst, inModule(tabWithPairs("Two", "2", 4) +
                                          tabWithPairs("Dflt", "2", 2, "DEFAULT_VALUE 77\n"))));
  auto r = freshRecord("Two");
  ASSERT_EQ(rcOk, Ordex_GetCompuTab(inst, nullptr, r.get(), 0));
  EXPECT_EQ(2, r->NumberValuePairs);
  EXPECT_EQ(1, r->Pairs[1].InVal);
  EXPECT_TRUE(untouched(r->Pairs[2]));
  r = freshRecord("Dflt");
  ASSERT_EQ(rcOk, Ordex_GetCompuTab(inst, nullptr, r.get(), 0));
  EXPECT_STREQ("77", r->DefaultValue);
  EXPECT_TRUE(untouched(r->Pairs[2]));
}

TEST_F(CompuTabTest, LookupCodes) {
  ASSERT_EQ(rcOk, readText(inst, inModule(tabWithPairs("Tab_Load", "1", 1) +
                                          "/begin COMPU_TAB Tab_Load \"second\" TAB_INTP 0 "
                                          "/end COMPU_TAB")));
  auto r = freshRecord("Tab_Load");
  ASSERT_EQ(rcOk, Ordex_GetCompuTab(inst, nullptr, r.get(), 1));
  EXPECT_EQ(0x5A5A5A5A, r->NumberValuePairs);  // existence only: untouched
  ASSERT_EQ(rcOk, Ordex_GetCompuTab(inst, nullptr, r.get(), 0));
  EXPECT_EQ(1, r->NumberValuePairs);  // the first table of that name
  r = freshRecord("TAB_LOAD");
  EXPECT_EQ(rcCompuTabNotFound, Ordex_GetCompuTab(inst, nullptr, r.get(), 0));
  Ordex_ConfigureStringComparison(1);
  EXPECT_EQ(rcOk, Ordex_GetCompuTab(inst, nullptr, r.get(), 0));
  Ordex_ConfigureStringComparison(0);
  EXPECT_EQ(rcCompuTabNotFound, Ordex_GetCompuTab(inst, nullptr, r.get(), 0));
  EXPECT_EQ(rcModuleNotFound, Ordex_GetCompuTab(inst, "N", r.get(), 0));
  EXPECT_EQ(rcNullArgument, Ordex_GetCompuTab(inst, nullptr, nullptr, 0));
}

}  // namespace
