// COMPU_METHOD as read from A2L text and returned by Ordex_GetCompuMethod(2).

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using ordex_test::readError;
using ordex_test::readText;

// The body on its own lines 3.., inside PROJECT P and MODULE M (lines 1 and 2).
std::string inModule(const std::string& body) {
  return "/begin PROJECT P \"\"\n/begin MODULE M \"\"\n" + body + "\n/end MODULE\n/end PROJECT\n";
}

template <class Record>
TOrdexReturnCode get(TOrdex* inst, const char* name, Record& r, int existenceOnly = 0);
template <>
TOrdexReturnCode get(TOrdex* inst, const char* name, TCompuMethod& r, int existenceOnly) {
  std::snprintf(r.Name, sizeof r.Name, "%s", name);
  return Ordex_GetCompuMethod(inst, nullptr, &r, existenceOnly);
}
template <>
TOrdexReturnCode get(TOrdex* inst, const char* name, TCompuMethod2& r, int existenceOnly) {
  std::snprintf(r.Name, sizeof r.Name, "%s", name);
  return Ordex_GetCompuMethod2(inst, nullptr, &r, existenceOnly);
}

class CompuMethodTest : public ::testing::Test {
 protected:
  void TearDown() override { Ordex_ConfigureStringComparison(0); }
  Instance inst;
};

TEST_F(CompuMethodTest, ReadsEveryPartAndBothRecordsAgree) {
  ASSERT_EQ(rcOk, readText(inst, inModule(R"(
    /begin COMPU_METHOD CM.Speed "vehicle speed"
      RAT_FUNC "%8.3" "km/h"
      COEFFS 0 2 10 0 0 1
      /begin FORMULA "X1*2" FORMULA_INV "X1/2" /end FORMULA
      COMPU_TAB_REF "TAB.Speed"
    /end COMPU_METHOD)")));
  TCompuMethod2 full;
  std::memset(&full, 0x5A, sizeof full);
  ASSERT_EQ(rcOk, get(inst, "CM.Speed", full));
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
  // The table name is kept as written, quotes included.
  EXPECT_STREQ("\"TAB.Speed\"", full.CompuTabRef);
  EXPECT_EQ(0u, full.UserData);

  TCompuMethod shortForm;
  std::memset(&shortForm, 0x5A, sizeof shortForm);
  ASSERT_EQ(rcOk, get(inst, "CM.Speed", shortForm));
  EXPECT_STREQ(full.LongIdentifier, shortForm.LongIdentifier);
  EXPECT_EQ(full.ConversionType, shortForm.ConversionType);
  EXPECT_STREQ(full.Format, shortForm.Format);
  EXPECT_STREQ(full.Unit, shortForm.Unit);
  EXPECT_STREQ(full.Formula, shortForm.Formula);
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
  ASSERT_EQ(rcOk, readText(inst, inModule(body)));
  for (const auto& c : cases) {
    TCompuMethod r;
    ASSERT_EQ(rcOk, get(inst, (std::string("CM_") + c.word).c_str(), r)) << c.word;
    EXPECT_EQ(c.type, r.ConversionType) << c.word;
  }
}

TEST_F(CompuMethodTest, WithoutCoeffsEveryCoefficientIsEmptyAndZero) {
  ASSERT_EQ(rcOk, readText(inst, inModule("/begin COMPU_METHOD CM \"\" FORM \"%d\" \"\" "
                                          "FORMULA \"sin(X1)\" /end COMPU_METHOD")));
  TCompuMethod2 r;
  std::memset(&r, 0x5A, sizeof r);
  ASSERT_EQ(rcOk, get(inst, "CM", r));
  for (const TNumberText& c : r.Coeffs) {
    EXPECT_STREQ("", c.Text);
    EXPECT_EQ(0.0, c.Value);
  }
  EXPECT_STREQ("sin(X1)", r.Formula);
  EXPECT_STREQ("", r.FormulaInv);
  EXPECT_STREQ("", r.CompuTabRef);
}

TEST_F(CompuMethodTest, CoefficientsKeepTheirTextNextToTheirValue) {
  const struct {
    const char* token;
    double value;
  } cases[] = {{"0x10", 16.0}, {"1.5", 1.5},    {"-2.5e3", -2500.0}, {"0X1f", 31.0},
               {"+4", 4.0},    {"1E-3", 0.001}, {"007", 7.0}};
  std::string coeffs;
  for (int i = 0; i < 6; ++i) coeffs += std::string(" ") + cases[i].token;
  std::string body = "/begin COMPU_METHOD A \"\" RAT_FUNC \"\" \"\" COEFFS" + coeffs +
                     " /end COMPU_METHOD\n/begin COMPU_METHOD B \"\" RAT_FUNC \"\" \"\" COEFFS" +
                     " 0 0 0 0 0 " + cases[6].token + " /end COMPU_METHOD";
  ASSERT_EQ(rcOk, readText(inst, inModule(body)));
  TCompuMethod a, b;
  ASSERT_EQ(rcOk, get(inst, "A", a));
  ASSERT_EQ(rcOk, get(inst, "B", b));
  for (int i = 0; i < 6; ++i) {
    EXPECT_STREQ(cases[i].token, a.Coeffs[i].Text);
    EXPECT_DOUBLE_EQ(cases[i].value, a.Coeffs[i].Value) << cases[i].token;
  }
  EXPECT_STREQ("007", b.Coeffs[5].Text);
  EXPECT_EQ(7.0, b.Coeffs[5].Value);
}

TEST_F(CompuMethodTest, ACoefficientWithCharactersLeftOverStopsTheRead) {
  // Line 4 holds the bad token with more than three tokens behind it, so the reader's
  // look-ahead has not left the line yet.
  std::string text = inModule(
      "/begin COMPU_METHOD CM.Bad \"\" RAT_FUNC \"\" \"\"\n"
      "COEFFS 0 1.5kg 0 0 0 1\n"
      "/end COMPU_METHOD");
  EXPECT_EQ(rcBadNumber, readText(inst, text));
  EXPECT_EQ(
      "Error detected (near to line 4): Actually parsed object: PROJECT P, MODULE M, "
      "COMPU_METHOD CM.Bad",
      readError(inst));
  // What was read before the failure stays.
  TCompuMethod r;
  EXPECT_EQ(rcOk, get(inst, "CM.Bad", r));
}

TEST_F(CompuMethodTest, TheFormulaSubBlockNamesItselfInTheErrorReport) {
  // After /end FORMULA the sub-block's path is the last parsed object, and the report keeps
  // naming it as the current object while the rest of the method is read.
  std::string text = inModule(
      "/begin COMPU_METHOD CM \"\" FORM \"\" \"\"\n"
      "/begin FORMULA \"X1+1\" /end FORMULA\n"
      "COEFFS 1 2 3x 4 5 6 COMPU_TAB_REF T\n"
      "/end COMPU_METHOD");
  EXPECT_EQ(rcBadNumber, readText(inst, text));
  EXPECT_EQ(
      "Error detected (near to line 5): Actually parsed object: PROJECT P, MODULE M, "
      "COMPU_METHOD CM, FORMULA; Last parsed object: PROJECT P, MODULE M, COMPU_METHOD CM, "
      "FORMULA",
      readError(inst));
}

TEST_F(CompuMethodTest, FormulaInvIsTakenOnlyInsideTheFormulaBlock) {
  ASSERT_EQ(rcOk, readText(inst, inModule(R"(
    /begin COMPU_METHOD Outside "" FORM "" ""
      FORMULA "X1*3" FORMULA_INV "X1/3"
    /end COMPU_METHOD
    /begin COMPU_METHOD Inside "" FORM "" ""
      /begin FORMULA "X1*4"
        COMPU_TAB_REF T1
        FORMULA_INV "X1/4"
      /end FORMULA
      COMPU_TAB_REF T2
    /end COMPU_METHOD)")));
  TCompuMethod2 r;
  ASSERT_EQ(rcOk, get(inst, "Outside", r));
  EXPECT_STREQ("X1*3", r.Formula);
  EXPECT_STREQ("", r.FormulaInv);
  ASSERT_EQ(rcOk, get(inst, "Inside", r));
  EXPECT_STREQ("X1*4", r.Formula);
  EXPECT_STREQ("X1/4", r.FormulaInv);
  EXPECT_STREQ("T2", r.CompuTabRef);  // the one inside the formula block is ignored
}

TEST_F(CompuMethodTest, ALaterOptionalPartOverwritesAnEarlierOne) {
  ASSERT_EQ(rcOk, readText(inst, inModule(R"(
    /begin COMPU_METHOD CM "" RAT_FUNC "" ""
      COEFFS 1 1 1 1 1 1 COMPU_TAB_REF A
      COEFFS 0 1 0 0 0 1 COMPU_TAB_REF B
    /end COMPU_METHOD)")));
  TCompuMethod r;
  ASSERT_EQ(rcOk, get(inst, "CM", r));
  EXPECT_STREQ("0", r.Coeffs[0].Text);
  EXPECT_EQ(1.0, r.Coeffs[1].Value);
  EXPECT_STREQ("B", r.CompuTabRef);
}

TEST_F(CompuMethodTest, TheFirstOfTwoMethodsOfOneNameIsFound) {
  ASSERT_EQ(rcOk, readText(inst, inModule("/begin COMPU_METHOD CM \"first\" FORM \"\" \"\" "
                                          "/end COMPU_METHOD\n/begin COMPU_METHOD CM \"second\" "
                                          "FORM \"\" \"\" /end COMPU_METHOD")));
  TCompuMethod r;
  ASSERT_EQ(rcOk, get(inst, "CM", r));
  EXPECT_STREQ("first", r.LongIdentifier);
}

TEST_F(CompuMethodTest, LongTextsAreCutTo255Characters) {
  const std::string longText(300, 'u');
  ASSERT_EQ(rcOk,
            readText(inst, inModule("/begin COMPU_METHOD CM \"" + longText + "\" FORM \"%d\" \"" +
                                    longText + "\" /end COMPU_METHOD")));
  TCompuMethod r;
  ASSERT_EQ(rcOk, get(inst, "CM", r));
  EXPECT_EQ(longText.substr(0, 255), r.LongIdentifier);
  EXPECT_EQ(longText.substr(0, 255), r.Unit);
}

TEST_F(CompuMethodTest, LookupCodes) {
  ASSERT_EQ(rcOk, readText(inst, inModule("/begin COMPU_METHOD Engine_Speed \"rpm\" RAT_FUNC "
                                          "\"%6.1\" \"rpm\" /end COMPU_METHOD")));
  TCompuMethod r;
  std::memset(&r, 0x5A, sizeof r);
  ASSERT_EQ(rcOk, get(inst, "Engine_Speed", r, 1));
  EXPECT_EQ(0x5A, static_cast<unsigned char>(r.LongIdentifier[0]));  // untouched
  EXPECT_EQ(rcCompuMethodNotFound, get(inst, "engine_speed", r));
  TCompuMethod2 r2;
  EXPECT_EQ(rcCompuMethodNotFound, get(inst, "Missing", r2));

  Ordex_ConfigureStringComparison(1);
  ASSERT_EQ(rcOk, get(inst, "ENGINE_SPEED", r2));
  EXPECT_STREQ("rpm", r2.LongIdentifier);
  EXPECT_STREQ("ENGINE_SPEED", r2.Name);  // the key is left as the caller wrote it
  Ordex_ConfigureStringComparison(0);
  EXPECT_EQ(rcCompuMethodNotFound, get(inst, "ENGINE_SPEED", r2));

  EXPECT_EQ(rcModuleNotFound, Ordex_GetCompuMethod(inst, "OTHER", &r, 0));
  std::strcpy(r.Name, "Engine_Speed");
  EXPECT_EQ(rcOk, Ordex_GetCompuMethod(inst, "M", &r, 0));
  EXPECT_EQ(rcNullArgument, Ordex_GetCompuMethod(inst, nullptr, nullptr, 0));
  EXPECT_EQ(rcNullArgument, Ordex_GetCompuMethod2(inst, nullptr, nullptr, 0));
  EXPECT_EQ(rcNoInstance, Ordex_GetCompuMethod(nullptr, nullptr, &r, 0));
}

}  // namespace
