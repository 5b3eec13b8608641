// The writer on what only the interface can give it: numbers with a value and no text. The
// text it writes block by block is compared with the golden files of tests/data/write.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using ordex_test::TempDir;

// A number given through the interface with a value but no text is written as the shortest
// text of its value, so that the file reads back (an empty text would shift the arguments
// after it).
TEST(WriterBlocks, NumbersGivenWithoutTextAreWrittenFromTheirValue) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(
                inst, "/begin PROJECT P \"\" /begin MODULE M \"\" /end MODULE /end PROJECT\n"),
            rcOk);
  TMeasurement m{};
  std::snprintf(m.Name, sizeof m.Name, "N");
  std::snprintf(m.Conversion, sizeof m.Conversion, "NO_COMPU_METHOD");
  m.DataType = dtUWord;
  m.Accuracy.Value = 0.25;
  m.LowerLimit.Value = -40;
  m.UpperLimit.Value = 1e300;
  m.BitMask = m.EcuAddress = 0xFFFFFFFFu;
  m.ByteOrder = m.MaxRefreshScalingUnit = -1;
  ASSERT_EQ(Ordex_CreateMeasurement(inst, nullptr, &m), rcOk);
  TempDir dir;
  std::string out = dir.path() + "/out.a2l";
  ASSERT_EQ(Ordex_WriteAsapFile(inst, out.c_str(), nullptr, nullptr, "", nullptr, nullptr), rcOk);
  std::string text = ordex_test::readFile(out);
  EXPECT_NE(text.find("      0 0.25\n      -40 1e+300\n"), std::string::npos) << text;
  Instance back;
  ASSERT_EQ(Ordex_ReadAsapFile(back, out.c_str(), nullptr, nullptr), rcOk);
  TMeasurement r{};
  std::snprintf(r.Name, sizeof r.Name, "N");
  ASSERT_EQ(Ordex_GetMeasurement(back, nullptr, &r, 0), rcOk);
  EXPECT_STREQ(r.UpperLimit.Text, "1e+300");
  EXPECT_EQ(r.UpperLimit.Value, 1e300);
  EXPECT_EQ(r.Accuracy.Value, 0.25);
}

}  // namespace
