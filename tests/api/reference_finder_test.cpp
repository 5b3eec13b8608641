// Ordex_ReferenceFinder through the public interface: modes, progress, stopping and the
// publishing links it leaves for the queries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;

std::string inModule(const std::string& body) {
  return "ASAP2_VERSION 1 61\n/begin PROJECT P \"\"\n/begin MODULE M \"\"\n" + body +
         "\n/end MODULE\n/end PROJECT\n";
}

// Two functions publishing and listing characteristics, measurements and sub-functions:
// 3 characteristics, 2 measurements, 3 functions.
const char* const kPublishers = R"(
    /begin CHARACTERISTIC K1 "" VALUE 0 RL 0 CM 0 1 /end CHARACTERISTIC
    /begin CHARACTERISTIC K2 "" VALUE 0 RL 0 CM 0 1 /end CHARACTERISTIC
    /begin CHARACTERISTIC k3 "" VALUE 0 RL 0 CM 0 1 /end CHARACTERISTIC
    /begin MEASUREMENT M1 "" UBYTE CM 1 0 0 255 /end MEASUREMENT
    /begin MEASUREMENT M2 "" UBYTE CM 1 0 0 255 /end MEASUREMENT
    /begin FUNCTION F1 ""
      /begin DEF_CHARACTERISTIC K1 K2 /end DEF_CHARACTERISTIC
      /begin OUT_MEASUREMENT M1 /end OUT_MEASUREMENT
      /begin SUB_FUNCTION F2 /end SUB_FUNCTION
    /end FUNCTION
    /begin FUNCTION F2 ""
      /begin DEF_CHARACTERISTIC K2 K3 /end DEF_CHARACTERISTIC
      /begin OUT_MEASUREMENT M2 /end OUT_MEASUREMENT
      /begin SUB_FUNCTION F3 /end SUB_FUNCTION
    /end FUNCTION
    /begin FUNCTION F3 "" /end FUNCTION)";

using Names = std::vector<std::string>;

// The publishing function of K1, K2, k3, M1 and M2 and the parent of F2 and F3.
Names links(TOrdex* inst) {
  Names out;
  auto ask = [&](TOrdexReturnCode (*query)(TOrdex*, const char*, const char*, char*),
                 const char* name) {
    char found[256] = "untouched";
    TOrdexReturnCode rc = query(inst, nullptr, name, found);
    out.push_back(rc == rcOk ? std::string(found) : "rc " + std::to_string(rc));
  };
  for (const char* k : {"K1", "K2", "k3"}) ask(Ordex_GetAChasPublishingFunc, k);
  for (const char* m : {"M1", "M2"}) ask(Ordex_GetAMeasPublishingFunc, m);
  for (const char* f : {"F2", "F3"}) ask(Ordex_GetAFuncsPublishingFunc, f);
  return out;
}

const Names kNoLinks(7, "");
// The later function wins K2; K3 is listed but the characteristic is named k3.
const Names kAllLinks{"F1", "F2", "", "F1", "F2", "F1", "F2"};

std::vector<int> gReports;
int gStopAt = -1;  // report index at which the callback answers 1
int record(int percent) {
  gReports.push_back(percent);
  return static_cast<int>(gReports.size()) - 1 == gStopAt ? 1 : 0;
}

class Finder : public ::testing::Test {
 protected:
  void SetUp() override {
    gReports.clear();
    gStopAt = -1;
    ASSERT_EQ(ordex_test::readText(inst, inModule(kPublishers)), rcOk);
  }
  Instance inst;
};

TEST_F(Finder, EveryModeAloneAndCombined) {
  struct Case {
    int mode;
    Names expected;
  };
  const Case cases[] = {
      {0, kNoLinks},    {0x1, kAllLinks}, {0x2, kAllLinks},
      {0x3, kAllLinks}, {0x4, kNoLinks},  {0x8, kNoLinks},
      {0xC, kNoLinks},  {0xF, kAllLinks}, {static_cast<int>(0x80000000u), kNoLinks},
      {-1, kAllLinks},
  };
  for (const Case& c : cases) {
    Instance fresh;
    ASSERT_EQ(ordex_test::readText(fresh, inModule(kPublishers)), rcOk);
    EXPECT_EQ(Ordex_ReferenceFinder(fresh, c.mode, 0, 0, nullptr), rcOk) << c.mode;
    EXPECT_EQ(links(fresh), c.expected) << "mode " << c.mode;
  }
}

TEST_F(Finder, LinksStayAndTheInternFormIsTheSame) {
  EXPECT_EQ(links(inst), kNoLinks) << "the queries read only stored links";
  ASSERT_EQ(Ordex_ReferenceFinder_Intern(inst, 0x2, 0, 0, nullptr), rcOk);
  EXPECT_EQ(links(inst), kAllLinks);
  ASSERT_EQ(Ordex_ReferenceFinder(inst, 0xC, 0, 0, nullptr), rcOk);
  EXPECT_EQ(links(inst), kAllLinks);
}

TEST_F(Finder, NamesCompareExactlyWhateverTheComparisonMode) {
  Ordex_ConfigureStringComparison(1);
  EXPECT_EQ(Ordex_ReferenceFinder(inst, 0x3, 0, 0, nullptr), rcOk);
  char k3[256] = "", referrer[256] = "";
  EXPECT_EQ(Ordex_GetAChasPublishingFunc(inst, nullptr, "K3", k3), rcOk);
  EXPECT_EQ(Ordex_GetAFuncWithRefToCha(inst, nullptr, "k3", referrer), rcOk);
  Ordex_ConfigureStringComparison(0);
  EXPECT_STREQ(k3, "") << "K3 in DEF_CHARACTERISTIC does not name k3 for the finder";
  EXPECT_STREQ(referrer, "F2") << "but the query compares under the mode";
}

TEST_F(Finder, NoInstanceNoProject) {
  EXPECT_EQ(Ordex_ReferenceFinder(nullptr, 0xF, 0, 0, nullptr), rcNoInstance);
  EXPECT_EQ(Ordex_ReferenceFinder_Intern(nullptr, 0xF, 0, 0, nullptr), rcNoInstance);
  Instance empty;
  EXPECT_EQ(Ordex_ReferenceFinder(empty, 0, 0, 0, nullptr), rcInvalidArgument);
  EXPECT_EQ(Ordex_ReferenceFinder(empty, 0xF, 0, 10, record), rcInvalidArgument);
  EXPECT_TRUE(gReports.empty());
}

TEST_F(Finder, ProgressCountsObjectsAndFunctionsAcrossPasses) {
  struct Case {
    int mode;
    int total;
    std::vector<int> reports;
  };
  const Case cases[] = {
      // One step per function.
      {0x2, 3, {33, 66, 100}},
      // One step per characteristic, measurement and function.
      {0x1, 8, {12, 25, 37, 50, 62, 75, 87, 100}},
      // Both passes count on.
      {0x3, 11, {9, 18, 27, 36, 45, 54, 63, 72, 81, 90, 100}},
      // Passes 0x4, 0x8 and 0x80000000 take no steps.
      {0xC | static_cast<int>(0x80000000u), 5, {}},
      // A total below the count gives percentages above 100; the count runs on.
      {0x2, 2, {50, 100, 150}},
  };
  for (const Case& c : cases) {
    gReports.clear();
    EXPECT_EQ(Ordex_ReferenceFinder(inst, c.mode, 0, c.total, record), rcOk);
    EXPECT_EQ(gReports, c.reports) << "mode " << c.mode;
  }
}

TEST_F(Finder, ATotalOfZeroOrBelowSkipsTheCallback) {
  for (int total : {0, -5}) {
    gStopAt = 0;
    EXPECT_EQ(Ordex_ReferenceFinder(inst, 0x3, 0, total, record), rcOk);
    EXPECT_TRUE(gReports.empty());
  }
  EXPECT_EQ(links(inst), kAllLinks);
}

// A stop keeps what was done: stopped at its first report, the function pass has worked only
// F1 (publisher of K1, K2, M1, parent of F2); stopped at its second, the object pass only K1
// and K2.
TEST_F(Finder, StoppingKeepsWhatWasDone) {
  gStopAt = 0;
  EXPECT_EQ(Ordex_ReferenceFinder(inst, 0x2, 0, 3, record), rcAbortedByCallback);
  EXPECT_EQ(gReports, (std::vector<int>{33}));
  EXPECT_EQ(links(inst), (Names{"F1", "F1", "", "F1", "", "F1", ""}));

  Instance fresh;
  ASSERT_EQ(ordex_test::readText(fresh, inModule(kPublishers)), rcOk);
  gReports.clear();
  gStopAt = 1;
  EXPECT_EQ(Ordex_ReferenceFinder(fresh, 0x3, 0, 11, record), rcAbortedByCallback);
  EXPECT_EQ(gReports.size(), 2u);
  EXPECT_EQ(links(fresh), (Names{"F1", "F2", "", "", "", "", ""}));
}

TEST(FinderStopOnError, MissingConversionTargetsStopOnlyWhenAsked) {
  struct Case {
    const char* body;
    int mode;
    TOrdexReturnCode whenStopping;
  };
  const Case cases[] = {
      {"/begin MEASUREMENT M \"\" UBYTE NoSuchMethod 1 0 0 255 /end MEASUREMENT", 0x4,
       rcCompuMethodNotFound},
      {"/begin COMPU_METHOD CM \"\" TAB_INTP \"%d\" \"\" COMPU_TAB_REF NoTab /end COMPU_METHOD",
       0x8, rcCompuTabNotFound},
      {"/begin COMPU_METHOD CM \"\" TAB_NOINTP \"%d\" \"\" COMPU_TAB_REF NoTab /end COMPU_METHOD",
       0x8, rcCompuTabNotFound},
      {"/begin COMPU_METHOD CM \"\" TAB_VERB \"%d\" \"\" COMPU_TAB_REF NoVTab /end COMPU_METHOD",
       0x8, rcCompuVTabNotFound},
      // A COMPU_TAB of that name does not serve a verbal table.
      {"/begin COMPU_METHOD CM \"\" TAB_VERB \"%d\" \"\" COMPU_TAB_REF T /end COMPU_METHOD\n"
       "/begin COMPU_TAB T \"\" TAB_INTP 1 1 2 /end COMPU_TAB",
       0x8, rcCompuVTabNotFound},
      // The measurement is resolved before the method's table is looked for.
      {"/begin MEASUREMENT M \"\" UBYTE CM 1 0 0 255 /end MEASUREMENT\n"
       "/begin COMPU_METHOD CM \"\" TAB_VERB \"%d\" \"\" COMPU_TAB_REF NoVTab /end COMPU_METHOD",
       0xC, rcCompuVTabNotFound},
      // Resolvable targets, and a table reference of a RAT_FUNC, never stop.
      {"/begin MEASUREMENT M \"\" UBYTE CM 1 0 0 255 /end MEASUREMENT\n"
       "/begin MEASUREMENT N \"\" UBYTE CV 1 0 0 255 /end MEASUREMENT\n"
       "/begin COMPU_METHOD CM \"\" TAB_INTP \"%d\" \"\" COMPU_TAB_REF T /end COMPU_METHOD\n"
       "/begin COMPU_METHOD CV \"\" TAB_VERB \"%d\" \"\" COMPU_TAB_REF V /end COMPU_METHOD\n"
       "/begin COMPU_METHOD CR \"\" RAT_FUNC \"%d\" \"\" COMPU_TAB_REF None /end COMPU_METHOD\n"
       "/begin COMPU_TAB T \"\" TAB_INTP 1 1 2 /end COMPU_TAB\n"
       "/begin COMPU_VTAB V \"\" TAB_VERB 1 0 \"zero\" /end COMPU_VTAB",
       0xF, rcOk},
  };
  for (const Case& c : cases) {
    Instance inst;
    ASSERT_EQ(ordex_test::readText(inst, inModule(c.body)), rcOk) << c.body;
    EXPECT_EQ(Ordex_ReferenceFinder(inst, c.mode, 0, 0, nullptr), rcOk) << c.body;
    EXPECT_EQ(Ordex_ReferenceFinder(inst, c.mode, -1, 0, nullptr), rcOk) << c.body;
    EXPECT_EQ(Ordex_ReferenceFinder(inst, c.mode, 1, 0, nullptr), c.whenStopping) << c.body;
    EXPECT_EQ(Ordex_ReferenceFinder(inst, c.mode, 2, 0, nullptr), c.whenStopping) << c.body;
    EXPECT_EQ(Ordex_ReferenceFinder(inst, 0x3, 1, 0, nullptr), rcOk) << "other passes never stop";
  }
}

TEST(FinderModes, TheFoldingRunsAgainOnlyOnWhatIsLeft) {
  Instance inst;
  ASSERT_EQ(
      Ordex_ReadAsapFile(inst, ordex_test::dataPath("function_lists_and_axis_pts.a2l").c_str(),
                         nullptr, nullptr),
      rcOk);
  ASSERT_EQ(Ordex_ReferenceFinder(inst, static_cast<int>(0x80000000u), 0, 0, nullptr), rcOk);
  int count = 0;
  char name[256] = "";
  do {
    ASSERT_EQ(Ordex_GetAFuncsNextDefChaName(inst, nullptr, "FnA", name), rcOk);
  } while (*name && ++count < 100);
  EXPECT_EQ(count, 5) << "the lists were folded by the read and are not folded twice";
}

}  // namespace
