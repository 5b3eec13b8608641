// FUNCTION through the public interface, and the blocks that may stand inside one.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;

std::string inModule(const std::string& body) {
  return "ASAP2_VERSION 1 61\n/begin PROJECT P \"\"\n/begin MODULE M \"\"\n" + body +
         "\n/end MODULE\n/end PROJECT\n";
}

TFunction named(const char* name) {
  TFunction r;
  std::memset(&r, 0x5A, sizeof r);
  std::snprintf(r.Name, sizeof r.Name, "%s", name);
  return r;
}

TOrdexReturnCode getFunction(TOrdex* inst, const char* name) {
  TFunction r = named(name);
  return Ordex_GetFunction(inst, nullptr, &r, 1);
}

TEST(Function, GetterFillsLongIdentifierAndUserData) {
  Instance inst;
  ASSERT_EQ(
      Ordex_ReadAsapFile(inst, ordex_test::dataPath("function_lists_and_axis_pts.a2l").c_str(),
                         nullptr, nullptr),
      rcOk)
      << ordex_test::readError(inst);
  TFunction r = named("FnA");
  ASSERT_EQ(Ordex_GetFunction(inst, nullptr, &r, 0), rcOk);
  EXPECT_STREQ(r.Name, "FnA");
  EXPECT_STREQ(r.LongIdentifier, "function A");
  EXPECT_EQ(r.UserData, 0u);

  TFunction before = named("FnB");
  TFunction b = before;
  EXPECT_EQ(Ordex_GetFunction(inst, "M", &b, 1), rcOk);
  EXPECT_EQ(std::memcmp(&b, &before, sizeof b), 0) << "an existence check writes nothing";
  EXPECT_EQ(getFunction(inst, "FnC"), rcFunctionNotFound);
  EXPECT_EQ(Ordex_GetFunction(inst, "X", &r, 0), rcModuleNotFound);
  EXPECT_EQ(Ordex_GetFunction(inst, nullptr, nullptr, 0), rcNullArgument);
  EXPECT_EQ(Ordex_GetFunction(nullptr, nullptr, &r, 0), rcNoInstance);
}

// Inside a FUNCTION, "/begin AXIS_PTS" is the function's list of axis points: it opens no
// AXIS_PTS object and no further function.
TEST(Function, AxisPtsInsideAFunctionIsAList) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, inModule(R"(
    /begin FUNCTION F "with axis points"
      /begin AXIS_PTS ApA ApB /end AXIS_PTS
    /end FUNCTION
    /begin FUNCTION G "after it" /end FUNCTION)")),
            rcOk)
      << ordex_test::readError(inst);
  TAxisPts ap;
  std::snprintf(ap.Name, sizeof ap.Name, "ApA");
  EXPECT_EQ(Ordex_GetAxisPts(inst, nullptr, &ap, 1), rcAxisPtsNotFound);
  EXPECT_EQ(getFunction(inst, "ApA"), rcFunctionNotFound);
  EXPECT_EQ(getFunction(inst, "ApB"), rcFunctionNotFound);
  TFunction f = named("F");
  ASSERT_EQ(Ordex_GetFunction(inst, nullptr, &f, 0), rcOk);
  EXPECT_STREQ(f.LongIdentifier, "with axis points");
  TFunction g = named("G");
  ASSERT_EQ(Ordex_GetFunction(inst, nullptr, &g, 0), rcOk);
  EXPECT_STREQ(g.LongIdentifier, "after it");
}

// An IF_DATA block inside a FUNCTION is passed over: it makes no function of its own and the
// function around it keeps reading its lists.
TEST(Function, IfDataInsideAFunctionIsPassedOver) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, inModule(R"(
    /begin FUNCTION F "outer"
      /begin IF_DATA XCP /begin DAQ 1 /end DAQ /end IF_DATA
      /begin DEF_CHARACTERISTIC K /end DEF_CHARACTERISTIC
    /end FUNCTION
    /begin CHARACTERISTIC K "" VALUE 0 RL 0 CM 0 1 /end CHARACTERISTIC)")),
            rcOk)
      << ordex_test::readError(inst);
  EXPECT_EQ(getFunction(inst, "IF_DATA"), rcFunctionNotFound);
  EXPECT_EQ(getFunction(inst, "XCP"), rcFunctionNotFound);
  TFunction f = named("F");
  ASSERT_EQ(Ordex_GetFunction(inst, nullptr, &f, 0), rcOk);
  EXPECT_STREQ(f.LongIdentifier, "outer");
  EXPECT_EQ(ordex_test::readError(inst), "No error detected");
}

TEST(Function, MissingLongIdentifierTakesTheNextToken) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, inModule("/begin FUNCTION F\n/begin SUB_FUNCTION G "
                                                "/end SUB_FUNCTION\n/end FUNCTION")),
            rcOk);
  TFunction f = named("F");
  ASSERT_EQ(Ordex_GetFunction(inst, nullptr, &f, 0), rcOk);
  EXPECT_STREQ(f.LongIdentifier, "/begin");
}

}  // namespace
