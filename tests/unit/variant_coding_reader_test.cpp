// The module settings of VARIANT_CODING, which no getter returns.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/instance.h"
#include "reader/file_reader.h"
#include "support/unit_support.h"

namespace {

TModule_Intern* readModule(TOrdex& inst, const std::string& body) {
  ordex_test::TempFile file("/begin PROJECT P \"\" /begin MODULE M \"\"\n" + body +
                            "\n/end MODULE /end PROJECT\n");
  EXPECT_EQ(ordex::readAsapFile(inst, file.path().c_str(), nullptr, nullptr), rcOk);
  return inst.Project ? inst.Project->Modules.first() : nullptr;
}

TEST(VariantCodingReader, SeparatorKeepsItsQuotesAndNamingIsAKeywordIndex) {
  struct Case {
    const char* body;
    const char* separator;
    int32_t naming;
  };
  const Case cases[] = {
      {"", "", -1},
      {"/begin VARIANT_CODING VAR_SEPARATOR \".\" VAR_NAMING NUMERIC /end VARIANT_CODING", "\".\"",
       1},
      {"/begin VARIANT_CODING VAR_NAMING ALPHA VAR_SEPARATOR _ /end VARIANT_CODING", "_", -1},
      {"/begin VARIANT_CODING VAR_NAMING DUMMY /end VARIANT_CODING", "", 0},
      // Inside a sub-block the words are the sub-block's own tokens.
      {"/begin VARIANT_CODING /begin VAR_CRITERION C \"\" VAR_NAMING NUMERIC /end VAR_CRITERION "
       "/end VARIANT_CODING",
       "", -1},
  };
  for (const Case& c : cases) {
    TOrdex inst;
    TModule_Intern* m = readModule(inst, c.body);
    ASSERT_NE(m, nullptr) << c.body;
    EXPECT_EQ(m->VarSeparator, c.separator) << c.body;
    EXPECT_EQ(m->VarNaming, c.naming) << c.body;
  }
}

TEST(VariantCodingReader, CriterionKeywordArgumentsAreNotValues) {
  TOrdex inst;
  TModule_Intern* m = readModule(inst, R"(/begin VARIANT_CODING
      /begin VAR_CRITERION Gearbox Kind Manual Automatic VAR_MEASUREMENT GEAR_SEL /end VAR_CRITERION
      /begin VAR_CHARACTERISTIC KL_A Gearbox Body /begin VAR_ADDRESS 0x40 0x80 /end VAR_ADDRESS
      /end VAR_CHARACTERISTIC
    /end VARIANT_CODING)");
  ASSERT_NE(m, nullptr);
  const TVarCriterion_Intern* c = m->VarCriterions.first();
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->Name, "Gearbox");
  EXPECT_EQ(c->LongIdentifier, "Kind");
  EXPECT_EQ(c->VarMeasurement, "GEAR_SEL");
  std::string values;
  for (const TVarName* v : c->Values) values += v->Text + ",";
  EXPECT_EQ(values, "Manual,Automatic,");
  const TVarCharacteristic_Intern* k = m->VarCharacteristics.find("KL_A");
  ASSERT_NE(k, nullptr);
  EXPECT_EQ(k->Criteria.Count, 2u);
  EXPECT_EQ(k->Addresses.Count, 2u);
  EXPECT_EQ(k->Addresses.Last->Text, "0x80");
}

}  // namespace
