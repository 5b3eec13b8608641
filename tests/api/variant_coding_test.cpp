// VARIANT_CODING as read, Ordex_GetVarCriterion and the variant-coding enumerators.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using Names = std::vector<std::string>;

std::string inModule(const std::string& body) {
  return "ASAP2_VERSION 1 61\n/begin PROJECT P \"\"\n/begin MODULE M \"\"\n" + body +
         "\n/end MODULE\n/end PROJECT\n";
}

const char* const kVariants = R"(
    /begin VARIANT_CODING
      VAR_SEPARATOR "."
      VAR_NAMING NUMERIC
      /begin VAR_CRITERION Gearbox "Kind of gearbox"
        Manual Automatic
        VAR_MEASUREMENT GEAR_SEL
        VAR_SELECTION_CHARACTERISTIC GEAR_CAL
        DoubleClutch
      /end VAR_CRITERION
      /begin VAR_CRITERION Body ""
        Open Closed
      /end VAR_CRITERION
      /begin VAR_CHARACTERISTIC KL_A Gearbox Body
        /begin VAR_ADDRESS 0x40 0x80 1F0 /end VAR_ADDRESS
      /end VAR_CHARACTERISTIC
      /begin VAR_CHARACTERISTIC KL_B Body /end VAR_CHARACTERISTIC
      /begin VAR_FORBIDDEN_COMB Body Open Gearbox Manual /end VAR_FORBIDDEN_COMB
      /begin VAR_FORBIDDEN_COMB Body Closed /end VAR_FORBIDDEN_COMB
    /end VARIANT_CODING)";

using Rc = TOrdexReturnCode;

// The names an enumerator gives from the start to its end.
Names walk(const std::function<Rc(char*)>& step) {
  Names out;
  char name[256] = "";
  for (int guard = 0; guard < 100; ++guard) {
    EXPECT_EQ(step(name), rcOk);
    if (!*name) break;
    out.emplace_back(name);
  }
  return out;
}
Names walk(TOrdex* inst, Rc (*fn)(TOrdex*, const char*, char*, const char*), const char* pattern) {
  return walk([&](char* n) { return fn(inst, nullptr, n, pattern); });
}
Names walk(TOrdex* inst, Rc (*fn)(TOrdex*, const char*, const char*, char*, const char*),
           const char* owner, const char* pattern) {
  return walk([&](char* n) { return fn(inst, nullptr, owner, n, pattern); });
}

class VariantCoding : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(ordex_test::readText(inst, inModule(kVariants)), rcOk); }
  Instance inst;
};

TEST_F(VariantCoding, CriterionGetterSkipsTheArgumentsOfItsKeywords) {
  TVarCriterion r;
  std::memset(&r, 0x5A, sizeof r);
  std::strcpy(r.Name, "Gearbox");
  ASSERT_EQ(Ordex_GetVarCriterion(inst, nullptr, &r, 0), rcOk);
  EXPECT_STREQ(r.LongIdentifier, "Kind of gearbox");
  EXPECT_STREQ(r.VarMeasurement, "GEAR_SEL");
  EXPECT_STREQ(r.VarSelectionCharacteristic, "GEAR_CAL");
  EXPECT_EQ(walk(inst, Ordex_GetNextVarCriterionValue, "Gearbox", nullptr),
            (Names{"Manual", "Automatic", "DoubleClutch"}));

  std::strcpy(r.Name, "Body");
  ASSERT_EQ(Ordex_GetVarCriterion(inst, nullptr, &r, 0), rcOk);
  EXPECT_STREQ(r.VarMeasurement, "");
  TVarCriterion before = r;
  std::strcpy(before.Name, "Gearbox");
  TVarCriterion check = before;
  EXPECT_EQ(Ordex_GetVarCriterion(inst, nullptr, &check, 1), rcOk);
  EXPECT_EQ(std::memcmp(&check, &before, sizeof check), 0) << "an existence check writes nothing";
  std::strcpy(r.Name, "Colour");
  EXPECT_EQ(Ordex_GetVarCriterion(inst, nullptr, &r, 0), rcVarCriterionNotFound);
  EXPECT_EQ(Ordex_GetVarCriterion(inst, "X", &r, 0), rcModuleNotFound);
  EXPECT_EQ(Ordex_GetVarCriterion(inst, nullptr, nullptr, 0), rcNullArgument);
}

TEST_F(VariantCoding, NameEnumeratorsWithPatterns) {
  EXPECT_EQ(walk(inst, Ordex_GetNextVarCriterionName, nullptr), (Names{"Gearbox", "Body"}));
  EXPECT_EQ(walk(inst, Ordex_GetNextVarCharacteristicName, "*_B"), (Names{"KL_B"}));
  EXPECT_EQ(walk(inst, Ordex_GetNextVarForbiddenCombName, nullptr), (Names{"#1", "#2"}));
  EXPECT_EQ(walk(inst, Ordex_GetNextVarCharacteristicCriterionName, "KL_A", "G*"),
            (Names{"Gearbox"}));
  EXPECT_EQ(walk(inst, Ordex_GetNextVarCriterionValue, "Body", "?pen"), (Names{"Open"}));
  char name[256] = "";
  EXPECT_EQ(Ordex_GetNextVarCharacteristicCriterionName(inst, nullptr, "KL_C", name, nullptr),
            rcVarCharacteristicNotFound);
  EXPECT_EQ(Ordex_GetNextVarCriterionValue(inst, nullptr, "Colour", name, nullptr),
            rcVarCriterionNotFound);
  EXPECT_EQ(Ordex_GetNextVarCriterionName(inst, "X", name, nullptr), rcModuleNotFound);
  EXPECT_EQ(Ordex_GetNextVarCriterionName(inst, nullptr, nullptr, nullptr), rcNullArgument);
}

TEST_F(VariantCoding, AddressesComeAsTextAndNumber) {
  char text[256] = "";
  unsigned long address = 7;
  Names seen;
  for (int i = 0; i < 4; ++i) {
    ASSERT_EQ(Ordex_GetNextVarCharacteristicAddress(inst, nullptr, "KL_A", text, &address), rcOk);
    seen.push_back(std::string(text) + "=" + std::to_string(address));
  }
  EXPECT_EQ(seen, (Names{"0x40=64", "0x80=128", "1F0=496", "=0"}));
  EXPECT_EQ(Ordex_GetNextVarCharacteristicAddress(inst, nullptr, "KL_B", text, &address), rcOk);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(Ordex_GetNextVarCharacteristicAddress(inst, nullptr, "KL_C", text, &address),
            rcVarCharacteristicNotFound);
  EXPECT_EQ(Ordex_GetNextVarCharacteristicAddress(inst, nullptr, "KL_A", text, nullptr),
            rcNullArgument);
}

TEST_F(VariantCoding, ForbiddenCombinationPairsWithoutPosition) {
  TVarCombCriterion pair;
  std::memset(&pair, 0, sizeof pair);
  Names seen;
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(Ordex_GetAVarForbiddenCombsNextCriterion(inst, nullptr, "#1", &pair), rcOk);
    seen.push_back(std::string(pair.CriterionName) + "=" + pair.CriterionValue);
  }
  EXPECT_EQ(seen, (Names{"Body=Open", "Gearbox=Manual", "="}));
  // Anchored on the criterion alone: any key picks the pair after its first occurrence.
  std::strcpy(pair.CriterionName, "Body");
  ASSERT_EQ(Ordex_GetAVarForbiddenCombsNextCriterion(inst, nullptr, "#1", &pair), rcOk);
  EXPECT_STREQ(pair.CriterionName, "Gearbox");
  std::strcpy(pair.CriterionName, "Nothing");
  ASSERT_EQ(Ordex_GetAVarForbiddenCombsNextCriterion(inst, nullptr, "#1", &pair), rcOk);
  EXPECT_STREQ(pair.CriterionName, "");
  EXPECT_EQ(Ordex_GetAVarForbiddenCombsNextCriterion(inst, nullptr, "#3", &pair),
            rcVarForbiddenCombNotFound);
  EXPECT_EQ(Ordex_GetAVarForbiddenCombsNextCriterion(inst, nullptr, "#1", nullptr), rcNullArgument);
}

TEST(VariantCodingNames, ForbiddenCombinationsAreCountedPerRead) {
  const std::string text = inModule(R"(
    /begin VARIANT_CODING
      /begin VAR_FORBIDDEN_COMB A a /end VAR_FORBIDDEN_COMB
    /end VARIANT_CODING
    /begin VARIANT_CODING
      /begin VAR_FORBIDDEN_COMB B b /end VAR_FORBIDDEN_COMB
    /end VARIANT_CODING)");
  for (int read = 0; read < 2; ++read) {
    Instance inst;
    ASSERT_EQ(ordex_test::readText(inst, text), rcOk);
    ASSERT_EQ(ordex_test::readText(inst, text), rcOk) << "a second read into the same instance";
    EXPECT_EQ(walk(inst, Ordex_GetNextVarForbiddenCombName, nullptr), (Names{"#1", "#2"}));
  }
}

TEST(VariantCodingNames, AModuleWithoutVariantCodingHasEmptyLists) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, inModule("")), rcOk);
  EXPECT_EQ(walk(inst, Ordex_GetNextVarCriterionName, nullptr), Names{});
}

}  // namespace
