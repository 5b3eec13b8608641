// What the CHARACTERISTIC, AXIS_PTS, MEASUREMENT and FUNCTION parsers store beyond the public
// records: the short IF_DATA forms each kind knows, name lists before folding, hexadecimal
// limits and the module's MaxAnnotationTextSize.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/instance.h"
#include "reader/file_reader.h"
#include "support/unit_support.h"

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs ifData(const ordex::IfDataList& list) {
  Pairs out;
  for (const TIfData_Intern* e : list) out.emplace_back(e->Name, e->Content);
  return out;
}

std::vector<std::string> names(const ordex::NameEntryList& list) {
  std::vector<std::string> out;
  for (const TNameEntry_Intern* e : list) out.push_back(e->Name.str());
  return out;
}

class ObjectBlocks : public ::testing::Test {
 protected:
  // Reads without folding, so that the FUNCTION_LIST entries stay visible.
  TModule_Intern& readText(const std::string& body) {
    file = std::make_unique<ordex_test::TempFile>("/begin PROJECT P \"\" /begin MODULE M \"\"\n" +
                                                  body + "\n/end MODULE /end PROJECT\n");
    EXPECT_EQ(ordex::readAsapFile(inst, file->path().c_str(), nullptr, nullptr), rcOk);
    return *inst.Project->Modules.first();
  }
  TOrdex inst;
  std::unique_ptr<ordex_test::TempFile> file;
};

// The maximum is the length of the longest annotation text plus one; AXIS_PTS annotations do
// not raise it, FUNCTION and MEASUREMENT annotations do.
TEST_F(ObjectBlocks, MaxAnnotationTextSize) {
  const std::string forty(40, 'a');
  struct Case {
    std::string body;
    int32_t max;
  } cases[] = {
      {"", 1},
      {"/begin CHARACTERISTIC C \"\" VALUE 0 RL 0 CM 0 1 /begin ANNOTATION /begin "
       "ANNOTATION_TEXT \"" +
           forty + "\" /end ANNOTATION_TEXT /end ANNOTATION /end CHARACTERISTIC",
       41},
      {"/begin AXIS_PTS A \"\" 0 Q RL 0 CM 4 0 1 /begin ANNOTATION /begin ANNOTATION_TEXT \"" +
           forty + "\" /end ANNOTATION_TEXT /end ANNOTATION /end AXIS_PTS",
       1},
      {"/begin MEASUREMENT X \"\" UBYTE CM 1 0 0 1 /begin ANNOTATION /begin ANNOTATION_TEXT "
       "\"ab\" \"c\" /end ANNOTATION_TEXT /end ANNOTATION /end MEASUREMENT",
       4},
      {"/begin FUNCTION F \"\" /begin ANNOTATION /begin ANNOTATION_TEXT \"abcd\" "
       "/end ANNOTATION_TEXT /end ANNOTATION /end FUNCTION",
       5},
      // Two ANNOTATION_TEXT blocks in one annotation add up.
      {"/begin FUNCTION F \"\" /begin ANNOTATION /begin ANNOTATION_TEXT \"ab\" /end "
       "ANNOTATION_TEXT /begin ANNOTATION_TEXT \"cd\" /end ANNOTATION_TEXT /end ANNOTATION "
       "/end FUNCTION",
       5},
  };
  for (const Case& c : cases) {
    TOrdex fresh;
    ordex_test::TempFile f("/begin PROJECT P \"\" /begin MODULE M \"\"\n" + c.body +
                           "\n/end MODULE /end PROJECT\n");
    ASSERT_EQ(ordex::readAsapFile(fresh, f.path().c_str(), nullptr, nullptr), rcOk) << c.body;
    EXPECT_EQ(fresh.Project->Modules.first()->MaxAnnotationTextSize, c.max) << c.body;
  }
}

TEST_F(ObjectBlocks, AxisPtsSubBlocks) {
  TModule_Intern& m = readText(R"(
    /begin AXIS_PTS A "" 0 Q RL 0 CM 4 0 1
      /begin IF_DATA ETK KP_BLOB 0x1 "s" /end IF_DATA
      IF_DATA DIM_X 5 6
      IF_DATA OTHER 7
      /begin FUNCTION_LIST F1 F2 /end FUNCTION_LIST
    /end AXIS_PTS)");
  TAxisPts_Intern* a = m.AxisPts.first();
  EXPECT_EQ(ifData(a->IfData), (Pairs{{"ETK", "KP_BLOB 0x1 \"s\" "}, {"DIM_X", "5 6 "}}));
  EXPECT_EQ(names(a->FunctionList), (std::vector<std::string>{"F1", "F2"}));
}

TEST_F(ObjectBlocks, MeasurementSubBlocksAndHexLimits) {
  TModule_Intern& m = readText(R"(
    /begin MEASUREMENT X "" ULONG CM 1 0 0x10 0XFFFFFFFF
      /begin VIRTUAL a b /end VIRTUAL
      /begin VIRTUAL c /end VIRTUAL
      /begin IF_DATA CANAPE 1 "two" /end IF_DATA
      IF_DATA DIM 1 2 3
      IF_DATA SAM 1 2 3 4
      IF_DATA DIM_X 9 8 7
      /begin FUNCTION_LIST F1 /end FUNCTION_LIST
      FUNCTION_LIST F2 F3 VIRTUAL F4
    /end MEASUREMENT
    /begin MEASUREMENT Y "" UBYTE CM 1 0 -5 1.5e1 /end MEASUREMENT)");
  TMeasurement_Intern* x = m.Measurements.first();
  EXPECT_TRUE(x->LowerLimitIsHex);
  EXPECT_EQ(x->LowerLimitHex, 0x10u);
  EXPECT_EQ(x->LowerLimit.Text, "");
  EXPECT_EQ(x->LowerLimit.Value, 0.0);
  // 0xFFFFFFFF is kept as a hexadecimal limit too, though it equals the "not given" value.
  EXPECT_TRUE(x->UpperLimitIsHex);
  EXPECT_EQ(x->UpperLimitHex, 0xFFFFFFFFu);
  EXPECT_EQ(names(x->Virtuals), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(
      ifData(x->IfData),
      (Pairs{
          {"CANAPE", "1 \"two\" "}, {"DIM", "1 2 3 "}, {"SAM", "1 2 3 4 "}, {"DIM_X", "9 8 7 "}}));
  EXPECT_EQ(names(x->FunctionList), (std::vector<std::string>{"F1", "F2", "F3"}));
  TMeasurement_Intern* y = m.Measurements.last();
  EXPECT_FALSE(y->LowerLimitIsHex || y->UpperLimitIsHex);
  EXPECT_EQ(y->LowerLimitHex, 0xFFFFFFFFu);
  EXPECT_EQ(y->LowerLimit.Text, "-5");
  EXPECT_EQ(y->UpperLimit.Value, 15.0);
}

TEST_F(ObjectBlocks, CharacteristicShortFormsAndPlainFunctionList) {
  TModule_Intern& m = readText(R"(
    /begin CHARACTERISTIC C "" VALUE 0 RL 0 CM 0 1
      IF_DATA DIM 1 2 3
      IF_DATA SAM 1 2
      FUNCTION_LIST F1 F2 /begin FUNCTION_LIST F3 /end FUNCTION_LIST F4
    /end CHARACTERISTIC)");
  TCharacteristic_Intern* c = m.Characteristics.first();
  // The CHARACTERISTIC short form takes two values; SAM is no short form here.
  EXPECT_EQ(ifData(c->IfData), (Pairs{{"DIM", "1 2 "}}));
  EXPECT_EQ(names(c->FunctionList), (std::vector<std::string>{"F1", "F2", "F3"}));
}

TEST_F(ObjectBlocks, FunctionNameLists) {
  TModule_Intern& m = readText(R"(
    /begin FUNCTION F "" 
      /begin IN_MEASUREMENT a b /end IN_MEASUREMENT
      /begin IN_MEASUREMENT c a /end IN_MEASUREMENT
      /begin SUB_FUNCTION /end SUB_FUNCTION
      /begin AXIS_PTS p /end AXIS_PTS
    /end FUNCTION)");
  TFunction_Intern* f = m.Functions.first();
  std::vector<std::string> in;
  for (const TFunctionRef* r : f->InMeasurements) in.push_back(r->Name.str());
  EXPECT_EQ(in, (std::vector<std::string>{"a", "b", "c", "a"}));
  EXPECT_EQ(f->SubFunctions.Count, 0u);
  ASSERT_EQ(f->AxisPts.Count, 1u);
  EXPECT_EQ(f->AxisPts.First->Name, "p");
  EXPECT_EQ(m.AxisPts.count(), 0u);
}

}  // namespace
