// AXIS_PTS through the public interface.
#include <gtest/gtest.h>

#include <string>

#include "ordex.h"
#include "support/inline_a2l.h"
#include "support/test_support.h"

namespace {

using ordex_test::inModule;
using ordex_test::Instance;
using ordex_test::keyed;

TEST(AxisPts, EveryItemReadsIntoTheRecord) {
  Instance inst;
  ASSERT_EQ(Ordex_ReadAsapFile(inst, ordex_test::dataPath("axis_pts_all_items.a2l").c_str(),
                               nullptr, nullptr),
            rcOk);
  TAxisPts r = keyed<TAxisPts>("ApN");
  ASSERT_EQ(Ordex_GetAxisPts(inst, nullptr, &r, 0), rcOk);
  EXPECT_STREQ(r.Name, "ApN");
  EXPECT_STREQ(r.LongIdentifier, "engine speed points");
  EXPECT_EQ(r.Address, 0x2000u);  // always hexadecimal
  EXPECT_STREQ(r.InputQuantity, "N_Eng");
  EXPECT_STREQ(r.Deposit, "RL_AXIS");  // DEPOSIT ABSOLUTE does not touch the layout name
  EXPECT_STREQ(r.MaxDiff.Text, "0x10");
  EXPECT_EQ(r.MaxDiff.Value, 16.0);
  EXPECT_STREQ(r.Conversion, "CM_RPM");
  EXPECT_EQ(r.MaxAxisPoints, 32);
  EXPECT_STREQ(r.LowerLimit.Text, "0");
  EXPECT_EQ(r.UpperLimit.Value, 6000.0);
  EXPECT_EQ(r.ReadOnly, 1);
  EXPECT_STREQ(r.Format, "%5.0");
  EXPECT_EQ(r.DepositMode, 1);
  EXPECT_EQ(r.ByteOrder, boLittleEndian);
  EXPECT_EQ(r.UserData, 0u);
}

TEST(AxisPts, MissingArgumentsAndGetterCodes) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, inModule("/begin AXIS_PTS Ap \"\" 0 Q RL 0 CM 70000\n"
                                                "/end AXIS_PTS")),
            rcOk);
  TAxisPts r = keyed<TAxisPts>("Ap");
  ASSERT_EQ(Ordex_GetAxisPts(inst, nullptr, &r, 0), rcOk);
  EXPECT_EQ(r.MaxAxisPoints, 4464);  // cut to 16 bits
  EXPECT_STREQ(r.LowerLimit.Text, "");
  EXPECT_EQ(r.LowerLimit.Value, 0.0);
  EXPECT_STREQ(r.UpperLimit.Text, "");
  EXPECT_EQ(r.ReadOnly, 0);
  EXPECT_STREQ(r.Format, "");
  ordex_test::expectLookupCodes<TAxisPts>(Ordex_GetAxisPts, inst, "Ap", rcAxisPtsNotFound);
}

TEST(AxisPts, BadNumbersStopTheRead) {
  const char* blocks[] = {
      "/begin AXIS_PTS A \"\" 0 Q RL 0 CM 0x2g 0 1 /end AXIS_PTS",
      "/begin AXIS_PTS A \"\" 0 Q RL 0 CM 4 0 /begin ANNOTATION /end ANNOTATION /end AXIS_PTS",
      "/begin AXIS_PTS A \"\" 0 Q RL 0 CM 4 0 READ_ONLY /end AXIS_PTS",
      "/begin AXIS_PTS A \"\" 2000h Q RL 0 CM 4 0 1 /end AXIS_PTS",
  };
  for (const char* block : blocks) {
    Instance inst;
    EXPECT_EQ(ordex_test::readText(inst, inModule(block)), rcBadNumber) << block;
    EXPECT_NE(ordex_test::readError(inst).find("AXIS_PTS A"), std::string::npos) << block;
  }
}

}  // namespace
