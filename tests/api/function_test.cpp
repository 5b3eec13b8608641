// FUNCTION through the public interface, and the blocks that may stand inside one.
#include <gtest/gtest.h>

#include <string>

#include "ordex.h"
#include "support/inline_a2l.h"
#include "support/test_support.h"

namespace {

using ordex_test::inModule;
using ordex_test::Instance;
using ordex_test::keyed;

std::string longIdentifier(TOrdex* inst, const char* name) {
  TFunction r = keyed<TFunction>(name);
  if (Ordex_GetFunction(inst, nullptr, &r, 0) != rcOk) return "<none>";
  return r.LongIdentifier;
}

TEST(Function, GetterFillsLongIdentifierAndUserData) {
  Instance inst;
  ASSERT_EQ(
      Ordex_ReadAsapFile(inst, ordex_test::dataPath("function_lists_and_axis_pts.a2l").c_str(),
                         nullptr, nullptr),
      rcOk)
      << ordex_test::readError(inst);
  TFunction r = keyed<TFunction>("FnA");
  ASSERT_EQ(Ordex_GetFunction(inst, nullptr, &r, 0), rcOk);
  EXPECT_STREQ(r.Name, "FnA");
  EXPECT_STREQ(r.LongIdentifier, "function A");
  EXPECT_EQ(r.UserData, 0u);
  ordex_test::expectLookupCodes<TFunction>(Ordex_GetFunction, inst, "FnA", rcFunctionNotFound);
}

// Inside a FUNCTION, "/begin AXIS_PTS" is the function's list of axis points (it opens no
// AXIS_PTS object and no further function), and an IF_DATA block is passed over (it makes
// no function of its own). A missing long identifier takes the next token.
TEST(Function, BlocksInsideAFunction) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, inModule(R"(
    /begin FUNCTION F "with axis points"
      /begin AXIS_PTS ApA ApB /end AXIS_PTS
    /end FUNCTION
    /begin FUNCTION G "outer"
      /begin IF_DATA XCP /begin DAQ 1 /end DAQ /end IF_DATA
      /begin DEF_CHARACTERISTIC K /end DEF_CHARACTERISTIC
    /end FUNCTION
    /begin CHARACTERISTIC K "" VALUE 0 RL 0 CM 0 1 /end CHARACTERISTIC
    /begin FUNCTION H
      /begin SUB_FUNCTION G /end SUB_FUNCTION
    /end FUNCTION)")),
            rcOk)
      << ordex_test::readError(inst);
  EXPECT_EQ(ordex_test::readError(inst), "No error detected");
  TAxisPts ap = keyed<TAxisPts>("ApA");
  EXPECT_EQ(Ordex_GetAxisPts(inst, nullptr, &ap, 1), rcAxisPtsNotFound);
  for (const char* none : {"ApA", "ApB", "IF_DATA", "XCP"}) {
    EXPECT_EQ(longIdentifier(inst, none), "<none>") << none;
  }
  EXPECT_EQ(longIdentifier(inst, "F"), "with axis points");
  EXPECT_EQ(longIdentifier(inst, "G"), "outer");
  EXPECT_EQ(longIdentifier(inst, "H"), "/begin");
}

}  // namespace
