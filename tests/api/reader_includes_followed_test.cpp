// Every "/include" is followed, also one the reader's look-ahead reads while an A2ML block
// closes; an "/include" in another letter case is not followed, but never silently.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;

std::string includes(const std::string& name) {
  return ordex_test::dataPath("includes/" + name);
}

std::vector<std::string> measurements(TOrdex* inst) {
  char buffer[4096];
  if (Ordex_GetMeasurementList(inst, nullptr, buffer, sizeof buffer, nullptr, nullptr) != rcOk)
    return {};
  return ordex_test::splitMultiString(buffer);
}

struct OtherCase {
  int32_t count = -1;
  int32_t line = -1;
};

OtherCase otherCaseIncludes(TOrdex* inst) {
  OtherCase o;
  EXPECT_EQ(rcOk, Ordex_GetReadAsapFileOtherCaseIncludes(inst, &o.count, &o.line));
  return o;
}

// The A2ML block ends its include file; the "/include" right behind it in the module is
// followed, while the two inside the A2ML text are not (their files do not exist). The
// included file ends without a line feed: its last token, "MEASUREMENT" of the last
// "/end MEASUREMENT", still closes the block.
TEST(ReaderIncludesFollowed, IncludeRightBehindAnIncludedA2mlBlock) {
  Instance inst;
  ASSERT_EQ(rcOk,
            Ordex_ReadAsapFile(inst, includes("a2ml_then_include.a2l").c_str(), nullptr, nullptr))
      << ordex_test::readError(inst);
  EXPECT_EQ(measurements(inst), (std::vector<std::string>{"Speed", "Torque"}));
  TCompuMethod cm{};
  std::snprintf(cm.Name, sizeof cm.Name, "CM.Identity");
  EXPECT_EQ(rcOk, Ordex_GetCompuMethod(inst, nullptr, &cm, 0));
  const OtherCase o = otherCaseIncludes(inst);
  EXPECT_EQ(0, o.count);
  EXPECT_EQ(0, o.line);
}

// The result stays 0, the file named is not read, and the read notes both tokens with the
// line of the first.
TEST(ReaderIncludesFollowed, OtherLetterCaseIsNotedNotFollowed) {
  Instance inst;
  ASSERT_EQ(rcOk,
            Ordex_ReadAsapFile(inst, includes("other_case_include.a2l").c_str(), nullptr, nullptr));
  EXPECT_EQ(measurements(inst), std::vector<std::string>{});
  const OtherCase o = otherCaseIncludes(inst);
  EXPECT_EQ(2, o.count);
  EXPECT_EQ(5, o.line);

  // A later read starts afresh.
  ASSERT_EQ(rcOk,
            Ordex_ReadAsapFile(inst, includes("a2ml_then_include.a2l").c_str(), nullptr, nullptr));
  EXPECT_EQ(0, otherCaseIncludes(inst).count);
}

// A file that would read as an empty project fails, at the line of the include.
TEST(ReaderIncludesFollowed, OtherLetterCaseHidingEveryModuleFails) {
  Instance inst;
  EXPECT_EQ(
      rcIncludeOpenFailed,
      Ordex_ReadAsapFile(inst, includes("other_case_include_only.a2l").c_str(), nullptr, nullptr));
  EXPECT_EQ(ordex_test::failureReport(4, "PROJECT P", "PROJECT P"), ordex_test::readError(inst));
  const OtherCase o = otherCaseIncludes(inst);
  EXPECT_EQ(1, o.count);
  EXPECT_EQ(4, o.line);
}

TEST(ReaderIncludesFollowed, OtherCaseCountNeedsItsArguments) {
  Instance inst;
  int32_t count, line;
  EXPECT_EQ(rcNoInstance, Ordex_GetReadAsapFileOtherCaseIncludes(nullptr, &count, &line));
  EXPECT_EQ(rcNullArgument, Ordex_GetReadAsapFileOtherCaseIncludes(inst, nullptr, &line));
  EXPECT_EQ(rcNullArgument, Ordex_GetReadAsapFileOtherCaseIncludes(inst, &count, nullptr));
  ASSERT_EQ(rcOk, Ordex_GetReadAsapFileOtherCaseIncludes(inst, &count, &line));
  EXPECT_EQ(0, count);
  EXPECT_EQ(0, line);
}

}  // namespace
