// COMPU_METHOD as read from A2L text and returned by Ordex_GetCompuMethod(2).

#include <cstddef>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "support/inline_a2l.h"
#include "support/test_support.h"

namespace {

using ordex_test::failureReport;
using ordex_test::inModule;
using ordex_test::Instance;
using ordex_test::keyed;
using ordex_test::readError;
using ordex_test::readText;

class CompuMethodTest : public ::testing::Test {
 protected:
  void read(const std::string& body) { ASSERT_EQ(rcOk, readText(inst, inModule(body))); }
  TCompuMethod2 get(const char* name) {
    TCompuMethod2 r = keyed<TCompuMethod2>(name);
    EXPECT_EQ(rcOk, Ordex_GetCompuMethod2(inst, nullptr, &r, 0)) << name;
    return r;
  }
  Instance inst;
};

TEST_F(CompuMethodTest, ReadsEveryPartAndBothRecordsAgree) {
  read(R"(
    /begin COMPU_METHOD CM.Speed "vehicle speed"
      RAT_FUNC "%8.3" "km/h"
      COEFFS 0 2 10 0 0 1
      /begin FORMULA "X1*2" FORMULA_INV "X1/2" /end FORMULA
      COMPU_TAB_REF "TAB.Speed"
    /end COMPU_METHOD)");
  TCompuMethod2 full = get("CM.Speed");
  EXPECT_STREQ("CM.Speed", full.Name);
  EXPECT_STREQ("vehicle speed", full.LongIdentifier);
  EXPECT_EQ(2, full.ConversionType);
  EXPECT_STREQ("%8.3", full.Format);
  EXPECT_STREQ("km/h", full.Unit);
  EXPECT_STREQ("X1*2", full.Formula);
  EXPECT_STREQ("X1/2", full.FormulaInv);
  const char* texts[6] = {"0", "2", "10", "0", "0", "1"};
  const double values[6] = {0, 2, 10, 0, 0, 1};
  for (int i = 0; i < 6; ++i) {
    EXPECT_STREQ(texts[i], full.Coeffs[i].Text) << i;
    EXPECT_EQ(values[i], full.Coeffs[i].Value) << i;
  }
  EXPECT_STREQ("\"TAB.Speed\"", full.CompuTabRef);  // kept as written, quotes included
  EXPECT_EQ(0u, full.UserData);

  TCompuMethod shortForm = keyed<TCompuMethod>("CM.Speed");
  ASSERT_EQ(rcOk, Ordex_GetCompuMethod(inst, nullptr, &shortForm, 0));
  EXPECT_EQ(0, std::memcmp(&full, &shortForm, offsetof(TCompuMethod, Formula) + 256));
  EXPECT_EQ(0, std::memcmp(full.Coeffs, shortForm.Coeffs, sizeof full.Coeffs));
  EXPECT_STREQ(full.CompuTabRef, shortForm.CompuTabRef);
  EXPECT_EQ(full.UserData, shortForm.UserData);
}

TEST_F(CompuMethodTest, ConversionTypeIsItsIndexInTheKeywordList) {
  const struct {
    const char* word;
    int32_t type;
  } cases[] = {{"TAB_INTP", 0}, {"TAB_NOINTP", 1}, {"RAT_FUNC", 2},  {"FORM", 3},
               {"TAB_VERB", 4}, {"IDENTICAL", -1}, {"rat_func", -1}, {"LINEAR", -1}};
  std::string body;
  for (const auto& c : cases) {
    body += std::string("/begin COMPU_METHOD CM_") + c.word + " \"\" " + c.word +
            " \"%4.2\" \"\" /end COMPU_METHOD\n";
  }
  read(body);
  for (const auto& c : cases) {
    EXPECT_EQ(c.type, get((std::string("CM_") + c.word).c_str()).ConversionType) << c.word;
  }
}

TEST_F(CompuMethodTest, CoefficientsKeepTheirTextNextToTheirValue) {
  const struct {
    const char* token;
    double value;
  } cases[] = {{"0x10", 16.0}, {"1.5", 1.5},    {"-2.5e3", -2500.0}, {"0X1f", 31.0},
               {"+4", 4.0},    {"1E-3", 0.001}, {"007", 7.0}};
  std::string coeffs;
  for (int i = 0; i < 6; ++i) coeffs += std::string(" ") + cases[i].token;
  read("/begin COMPU_METHOD A \"\" RAT_FUNC \"\" \"\" COEFFS" + coeffs +
       " /end COMPU_METHOD\n/begin COMPU_METHOD B \"\" RAT_FUNC \"\" \"\" COEFFS 0 0 0 0 0 " +
       cases[6].token + " /end COMPU_METHOD\n" +
       // Without COEFFS every coefficient is empty and zero.
       "/begin COMPU_METHOD C \"\" FORM \"%d\" \"\" FORMULA \"sin(X1)\" /end COMPU_METHOD");
  TCompuMethod2 a = get("A");
  for (int i = 0; i < 6; ++i) {
    EXPECT_STREQ(cases[i].token, a.Coeffs[i].Text);
    EXPECT_DOUBLE_EQ(cases[i].value, a.Coeffs[i].Value) << cases[i].token;
  }
  TCompuMethod2 b = get("B");
  EXPECT_STREQ("007", b.Coeffs[5].Text);
  EXPECT_EQ(7.0, b.Coeffs[5].Value);
  TCompuMethod2 c = get("C");
  for (const TNumberText& coeff : c.Coeffs) {
    EXPECT_STREQ("", coeff.Text);
    EXPECT_EQ(0.0, coeff.Value);
  }
  EXPECT_STREQ("sin(X1)", c.Formula);
  EXPECT_STREQ("", c.FormulaInv);
  EXPECT_STREQ("", c.CompuTabRef);
}

TEST_F(CompuMethodTest, BadCoefficientsStopTheRead) {
  // Line 4 holds the bad token with more than three tokens behind it, so the reader's
  // look-ahead has not left the line yet.
  EXPECT_EQ(rcBadNumber, readText(inst, inModule("/begin COMPU_METHOD CM.Bad \"\" RAT_FUNC \"\" \"\"\n"
                                                  "COEFFS 0 1.5kg 0 0 0 1\n/end COMPU_METHOD")));
  EXPECT_EQ(failureReport(4, "PROJECT P, MODULE M, COMPU_METHOD CM.Bad"), readError(inst));
  // What was read before the failure stays.
  TCompuMethod r = keyed<TCompuMethod>("CM.Bad");
  EXPECT_EQ(rcOk, Ordex_GetCompuMethod(inst, nullptr, &r, 1));

  // After /end FORMULA the sub-block's path is the last parsed object, and the report keeps
  // naming it as the current object while the rest of the method is read.
  EXPECT_EQ(rcBadNumber, readText(inst, inModule("/begin COMPU_METHOD CM \"\" FORM \"\" \"\"\n"
                                                  "/begin FORMULA \"X1+1\" /end FORMULA\n"
                                                  "COEFFS 1 2 3x 4 5 6 COMPU_TAB_REF T\n"
                                                  "/end COMPU_METHOD")));
  EXPECT_EQ(failureReport(5, "PROJECT P, MODULE M, COMPU_METHOD CM, FORMULA",
                          "PROJECT P, MODULE M, COMPU_METHOD CM, FORMULA"),
            readError(inst));
}

// FORMULA_INV is taken only inside the FORMULA block, COMPU_TAB_REF only outside it; a later
// optional part overwrites an earlier one.
TEST_F(CompuMethodTest, OptionalPartsAndWhereTheyCount) {
  read(R"(
    /begin COMPU_METHOD Outside "" FORM "" ""
      FORMULA "X1*3" FORMULA_INV "X1/3"
    /end COMPU_METHOD
    /begin COMPU_METHOD Inside "" FORM "" ""
      /begin FORMULA "X1*4"
        COMPU_TAB_REF T1
        FORMULA_INV "X1/4"
      /end FORMULA
      COMPU_TAB_REF T2
    /end COMPU_METHOD
    /begin COMPU_METHOD Twice "" RAT_FUNC "" ""
      COEFFS 1 1 1 1 1 1 COMPU_TAB_REF A
      COEFFS 0 1 0 0 0 1 COMPU_TAB_REF B
    /end COMPU_METHOD)");
  TCompuMethod2 r = get("Outside");
  EXPECT_STREQ("X1*3", r.Formula);
  EXPECT_STREQ("", r.FormulaInv);
  r = get("Inside");
  EXPECT_STREQ("X1*4", r.Formula);
  EXPECT_STREQ("X1/4", r.FormulaInv);
  EXPECT_STREQ("T2", r.CompuTabRef);
  r = get("Twice");
  EXPECT_STREQ("0", r.Coeffs[0].Text);
  EXPECT_EQ(1.0, r.Coeffs[1].Value);
  EXPECT_STREQ("B", r.CompuTabRef);
}

TEST_F(CompuMethodTest, LongTextsAreCutTo255Characters) {
  const std::string longText(300, 'u');
  read("/begin COMPU_METHOD CM \"" + longText + "\" FORM \"%d\" \"" + longText +
       "\" /end COMPU_METHOD");
  TCompuMethod2 r = get("CM");
  EXPECT_EQ(longText.substr(0, 255), r.LongIdentifier);
  EXPECT_EQ(longText.substr(0, 255), r.Unit);
}

TEST_F(CompuMethodTest, LookupCodes) {
  read("/begin COMPU_METHOD Engine_Speed \"first\" FORM \"\" \"\" /end COMPU_METHOD\n"
       "/begin COMPU_METHOD Engine_Speed \"second\" FORM \"\" \"\" /end COMPU_METHOD");
  EXPECT_STREQ("first", get("Engine_Speed").LongIdentifier);
  ordex_test::expectLookupCodes<TCompuMethod>(Ordex_GetCompuMethod, inst, "Engine_Speed",
                                              rcCompuMethodNotFound);
  ordex_test::expectLookupCodes<TCompuMethod2>(Ordex_GetCompuMethod2, inst, "Engine_Speed",
                                               rcCompuMethodNotFound);
}

}  // namespace
