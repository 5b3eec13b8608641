// The queries that tell which object refers to a name, and the codes of all eight queries.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;

using Query = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, char*);

const char* const kModel = R"(
/begin PROJECT P ""
  /begin MODULE M ""
    /begin CHARACTERISTIC Val "" VALUE 0 RL 0 CM 0 1 /end CHARACTERISTIC
    /begin CHARACTERISTIC Curve "" CURVE 0 RL 0 CM 0 1
      /begin AXIS_DESCR STD_AXIS Speed CM 8 0 100 /end AXIS_DESCR /end CHARACTERISTIC
    /begin CHARACTERISTIC Map3 "" MAP 0 RL 0 CM 0 1
      /begin AXIS_DESCR STD_AXIS Speed CM 8 0 100 /end AXIS_DESCR
      /begin AXIS_DESCR STD_AXIS Load CM 8 0 100 /end AXIS_DESCR
      /begin AXIS_DESCR STD_AXIS Temp CM 8 0 100 /end AXIS_DESCR /end CHARACTERISTIC
    /begin MEASUREMENT Speed "" UWORD CM 1 0 0 100 /end MEASUREMENT
    /begin MEASUREMENT Load "" UWORD CM 1 0 0 100 /end MEASUREMENT
    /begin MEASUREMENT Temp "" UWORD CM 1 0 0 100 /end MEASUREMENT
    /begin AXIS_PTS ApA "" 0 Load RL 0 CM 8 0 100 /end AXIS_PTS
    /begin AXIS_PTS ApB "" 0 Speed RL 0 CM 8 0 100 /end AXIS_PTS
    /begin FUNCTION Top "" /begin SUB_FUNCTION Mid /end SUB_FUNCTION /end FUNCTION
    /begin FUNCTION Mid ""
      /begin REF_CHARACTERISTIC Curve /end REF_CHARACTERISTIC
      /begin LOC_MEASUREMENT Temp /end LOC_MEASUREMENT
      /begin SUB_FUNCTION Leaf /end SUB_FUNCTION
    /end FUNCTION
    /begin FUNCTION Leaf ""
      /begin DEF_CHARACTERISTIC Curve Val /end DEF_CHARACTERISTIC
      /begin IN_MEASUREMENT Speed /end IN_MEASUREMENT
      /begin OUT_MEASUREMENT Load /end OUT_MEASUREMENT
      /begin SUB_FUNCTION Mid /end SUB_FUNCTION
    /end FUNCTION
  /end MODULE
/end PROJECT
)";

class Queries : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(ordex_test::readText(inst, kModel), rcOk); }
  // The answer, "" for rcOk with an empty output, or the code.
  std::string ask(Query q, const char* name) {
    char out[256];
    std::memset(out, 'x', sizeof out);
    out[255] = '\0';
    TOrdexReturnCode rc = q(inst, nullptr, name, out);
    if (rc == rcOk) return out;
    last = out;
    return "rc " + std::to_string(rc);
  }
  Instance inst;
  std::string last;  // the output after a failed query
};

TEST_F(Queries, ByReferenceTheFirstInListOrder) {
  const struct {
    Query fn;
    const char* name;
    std::string expected;
    int mode = 0;  // the comparison mode
  } cases[] = {
      {Ordex_GetAFuncWithRefToCha, "Curve", "Mid"},  // REF before DEF
      {Ordex_GetAFuncWithRefToCha, "Val", "Leaf"},
      {Ordex_GetAFuncWithRefToCha, "Map3", "rc -109"},
      {Ordex_GetAFuncWithRefToMea, "Temp", "Mid"},  // only in LOC
      {Ordex_GetAFuncWithRefToMea, "Speed", "Leaf"},
      {Ordex_GetAFuncWithRefToMea, "Load", "Leaf"},
      {Ordex_GetAFuncWithRefToMea, "Curve", "rc -109"},
      {Ordex_GetAFuncWithRefToFunc, "Mid", "Top"},
      {Ordex_GetAFuncWithRefToFunc, "Leaf", "Mid"},
      {Ordex_GetAFuncWithRefToFunc, "Top", "rc -109"},
      {Ordex_GetAChaWithRefToMea, "Speed", "Curve"},
      {Ordex_GetAChaWithRefToMea, "Load", "Map3"},
      // The third axis of a MAP is compared although the type uses two.
      {Ordex_GetAChaWithRefToMea, "Temp", "Map3"},
      // Unused slots hold empty input quantities.
      {Ordex_GetAChaWithRefToMea, "", "Val"},
      {Ordex_GetAChaWithRefToMea, "Nothing", "rc -107"},
      {Ordex_GetAAxisPtsWithRefToMea, "Speed", "ApB"},
      {Ordex_GetAAxisPtsWithRefToMea, "Load", "ApA"},
      {Ordex_GetAAxisPtsWithRefToMea, "Temp", "rc -113"},
      // Names compare under the comparison mode.
      {Ordex_GetAFuncWithRefToMea, "temp", "rc -109"},
      {Ordex_GetAAxisPtsWithRefToMea, "speed", "rc -113"},
      {Ordex_GetAFuncWithRefToMea, "temp", "Mid", 1},
      {Ordex_GetAFuncWithRefToCha, "CURVE", "Mid", 1},
      {Ordex_GetAFuncWithRefToFunc, "leaf", "Mid", 1},
      {Ordex_GetAChaWithRefToMea, "TEMP", "Map3", 1},
      {Ordex_GetAAxisPtsWithRefToMea, "speed", "ApB", 1},
  };
  for (const auto& c : cases) {
    Ordex_ConfigureStringComparison(c.mode);
    const std::string answer = ask(c.fn, c.name);
    Ordex_ConfigureStringComparison(0);
    EXPECT_EQ(answer, c.expected) << c.name << " mode " << c.mode;
    if (c.expected.rfind("rc", 0) == 0) {
      EXPECT_EQ(last, "") << c.name << ": a failed search empties the output";
    }
  }
}

TEST_F(Queries, PublishingFunctionsNeedTheFinderAndLeaveTheOutputWhenNotFound) {
  EXPECT_EQ(ask(Ordex_GetAChasPublishingFunc, "Curve"), "");
  ASSERT_EQ(Ordex_ReferenceFinder(inst, 0x1, 0, 0, nullptr), rcOk);
  EXPECT_EQ(ask(Ordex_GetAChasPublishingFunc, "Curve"), "Leaf");
  EXPECT_EQ(ask(Ordex_GetAChasPublishingFunc, "Map3"), "");
  EXPECT_EQ(ask(Ordex_GetAMeasPublishingFunc, "Load"), "Leaf");
  EXPECT_EQ(ask(Ordex_GetAMeasPublishingFunc, "Temp"), "") << "LOC_MEASUREMENT publishes nothing";
  EXPECT_EQ(ask(Ordex_GetAFuncsPublishingFunc, "Leaf"), "Mid");
  EXPECT_EQ(ask(Ordex_GetAFuncsPublishingFunc, "Mid"), "Leaf") << "the later parent wins";
  EXPECT_EQ(ask(Ordex_GetAFuncsPublishingFunc, "Top"), "");

  // An unknown object leaves the output as it was.
  const std::string untouched(255, 'x');
  for (auto [query, code] : {std::pair{Ordex_GetAChasPublishingFunc, "rc -107"},
                             {Ordex_GetAMeasPublishingFunc, "rc -108"},
                             {Ordex_GetAFuncsPublishingFunc, "rc -109"}}) {
    EXPECT_EQ(ask(query, "None"), code);
    EXPECT_EQ(last, untouched) << code;
  }

  // Under the comparison mode the object is found; its link is the one the finder made.
  Ordex_ConfigureStringComparison(1);
  std::string curve = ask(Ordex_GetAChasPublishingFunc, "curve");
  Ordex_ConfigureStringComparison(0);
  EXPECT_EQ(curve, "Leaf");
}

TEST_F(Queries, ModuleAndNullArguments) {
  const Query all[] = {Ordex_GetAChasPublishingFunc,  Ordex_GetAMeasPublishingFunc,
                       Ordex_GetAFuncsPublishingFunc, Ordex_GetAFuncWithRefToCha,
                       Ordex_GetAFuncWithRefToMea,    Ordex_GetAFuncWithRefToFunc,
                       Ordex_GetAChaWithRefToMea,     Ordex_GetAAxisPtsWithRefToMea};
  char out[256];
  for (Query q : all) {
    EXPECT_EQ(q(inst, "Other", "Curve", out), rcModuleNotFound);
    EXPECT_EQ(q(inst, nullptr, nullptr, out), rcNullArgument);
    EXPECT_EQ(q(inst, nullptr, "Curve", nullptr), rcNullArgument);
    EXPECT_EQ(q(nullptr, nullptr, "Curve", out), rcNoInstance);
  }
}

}  // namespace
