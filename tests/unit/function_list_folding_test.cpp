// The folding of FUNCTION_LIST blocks into the functions' own lists at the end of a read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/instance.h"
#include "query/reference_finder.h"
#include "reader/file_reader.h"
#include "support/unit_support.h"

namespace {

std::vector<std::string> names(const ordex::FunctionRefList& list) {
  std::vector<std::string> out;
  for (const TFunctionRef* r : list) {
    out.push_back(r->Name.str());
    EXPECT_EQ(r->Target, nullptr) << r->Name;
  }
  return out;
}

using Names = std::vector<std::string>;

class Folding : public ::testing::Test {
 protected:
  TModule_Intern& read(const std::string& path) {
    TOrdexReturnCode rc =
        ordex::readAsapFile(inst, path.c_str(), nullptr, ordex::foldFunctionLists);
    EXPECT_EQ(rc, rcOk);
    return *inst.Project->Modules.first();
  }
  TModule_Intern& readText(const std::string& body) {
    file = std::make_unique<ordex_test::TempFile>("/begin PROJECT P \"\" /begin MODULE M \"\"\n" +
                                                  body + "\n/end MODULE /end PROJECT\n");
    return read(file->path());
  }
  TOrdex inst;
  std::unique_ptr<ordex_test::TempFile> file;
};

TEST_F(Folding, OwnListsFirstThenContributionsInFileOrder) {
  TModule_Intern& m = read(std::string(ORDEX_TEST_DATA_DIR) + "/function_lists_and_axis_pts.a2l");
  TFunction_Intern* a = m.Functions.find("FnA");
  TFunction_Intern* b = m.Functions.find("FnB");
  ASSERT_TRUE(a && b);
  EXPECT_EQ(names(a->DefCharacteristics), (Names{"KwOwn1", "KwOwn2", "Kw1", "Kw2", "Kw2"}));
  EXPECT_EQ(names(a->RefCharacteristics), (Names{"KwRef"}));
  EXPECT_EQ(names(a->InMeasurements), (Names{"a", "b", "c", "M1"}));
  EXPECT_EQ(names(a->OutMeasurements), (Names{"MOut"}));
  EXPECT_EQ(names(a->LocMeasurements), (Names{"MLoc"}));
  EXPECT_EQ(names(a->SubFunctions), (Names{"FnB"}));
  EXPECT_EQ(names(a->AxisPts), (Names{"ApOwn", "Ap1"}));
  EXPECT_EQ(names(b->DefCharacteristics), (Names{"Kw1"}));
  EXPECT_TRUE(b->InMeasurements.Count == 0 && b->AxisPts.Count == 0);
  EXPECT_EQ(a->Annotations.Count, 1u);
  EXPECT_EQ(a->Annotations.First->Label, "about A");
  EXPECT_EQ(a->ParentFunction, nullptr);

  for (TCharacteristic_Intern* c : m.Characteristics) EXPECT_EQ(c->FunctionList.Count, 0u);
  for (TMeasurement_Intern* x : m.Measurements) EXPECT_EQ(x->FunctionList.Count, 0u);
  for (TAxisPts_Intern* x : m.AxisPts) EXPECT_EQ(x->FunctionList.Count, 0u);
  // The IF_DATA inside FnA made no module entry and no function.
  EXPECT_EQ(m.IfData.Count, 0u);
  EXPECT_EQ(m.Functions.count(), 2u);
}

// Names are compared exactly, every function of a name gets the entry, and the finder runs on
// every module.
TEST_F(Folding, EveryFunctionOfTheNameInEveryModule) {
  file = std::make_unique<ordex_test::TempFile>(R"(/begin PROJECT P ""
    /begin MODULE M1 ""
      /begin FUNCTION F "first" /end FUNCTION
      /begin FUNCTION f "other case" /end FUNCTION
      /begin FUNCTION F "second" /end FUNCTION
      /begin MEASUREMENT X "" UBYTE CM 1 0 0 1 /begin FUNCTION_LIST F /end FUNCTION_LIST /end MEASUREMENT
    /end MODULE
    /begin MODULE M2 ""
      /begin FUNCTION F "" /end FUNCTION
      /begin CHARACTERISTIC Y "" VALUE 0 RL 0 CM 0 1 FUNCTION_LIST F /end CHARACTERISTIC
    /end MODULE
  /end PROJECT
)");
  ASSERT_EQ(ordex::readAsapFile(inst, file->path().c_str(), nullptr, ordex::foldFunctionLists),
            rcOk);
  TModule_Intern* m1 = inst.Project->Modules.first();
  TModule_Intern* m2 = ordex::ObjectList<TModule_Intern>::next(m1);
  std::vector<Names> in;
  for (TFunction_Intern* f : m1->Functions) in.push_back(names(f->InMeasurements));
  EXPECT_EQ(in, (std::vector<Names>{{"X"}, {}, {"X"}}));
  EXPECT_EQ(names(m2->Functions.first()->DefCharacteristics), (Names{"Y"}));
}

// A failed read stops before the folding: the lists stay where the reader put them.
TEST_F(Folding, NotRunAfterAFailedRead) {
  file = std::make_unique<ordex_test::TempFile>(R"(/begin PROJECT P "" /begin MODULE M ""
      /begin FUNCTION F "" /end FUNCTION
      /begin CHARACTERISTIC Y "" VALUE 0 RL 0 CM 0 1 /begin FUNCTION_LIST F /end FUNCTION_LIST
      /end CHARACTERISTIC
      /begin MEASUREMENT X "" UBYTE CM 1x 0 0 1 /end MEASUREMENT
  /end MODULE /end PROJECT
)");
  ASSERT_EQ(ordex::readAsapFile(inst, file->path().c_str(), nullptr, ordex::foldFunctionLists),
            rcBadNumber);
  TModule_Intern& m = *inst.Project->Modules.first();
  EXPECT_EQ(m.Characteristics.first()->FunctionList.Count, 1u);
  EXPECT_EQ(m.Functions.first()->DefCharacteristics.Count, 0u);
  // The folding of the reference finder places it later.
  ordex::foldModuleFunctionLists(m);
  EXPECT_EQ(m.Characteristics.first()->FunctionList.Count, 0u);
  EXPECT_EQ(names(m.Functions.first()->DefCharacteristics), (Names{"Y"}));
}

// Plain FUNCTION_LIST forms (without /begin) keep every name, the first included, up to the
// next keyword of their block or the next /begin or /end.
TEST_F(Folding, PlainFormsKeepEveryName) {
  TModule_Intern& m = readText(R"(
    /begin FUNCTION F1 "" /end FUNCTION
    /begin FUNCTION F2 "" /end FUNCTION
    /begin FUNCTION READ_WRITE "" /end FUNCTION
    /begin CHARACTERISTIC C "" VALUE 0 RL 0 CM 0 1 FUNCTION_LIST F1 F2 READ_ONLY F2
    /end CHARACTERISTIC
    /begin CHARACTERISTIC D "" VALUE 0 RL 0 CM 0 1 FUNCTION_LIST F1
      /begin ANNOTATION /end ANNOTATION F2
    /end CHARACTERISTIC
    /begin MEASUREMENT M "" UBYTE CM 1 0 0 1 FUNCTION_LIST F2 READ_WRITE ECU_ADDRESS 0 F1
    /end MEASUREMENT
    /begin MEASUREMENT N "" UBYTE CM 1 0 0 1 FUNCTION_LIST F2
      /begin ANNOTATION /end ANNOTATION F1
    /end MEASUREMENT
    /begin AXIS_PTS A "" 0 M RL 0 CM 4 0 1 FUNCTION_LIST F1 F2 FORMAT "%1" F1
    /end AXIS_PTS)");
  TFunction_Intern* f1 = m.Functions.find("F1");
  TFunction_Intern* f2 = m.Functions.find("F2");
  TFunction_Intern* rw = m.Functions.find("READ_WRITE");
  EXPECT_EQ(names(f1->DefCharacteristics), (Names{"C", "D"}));
  EXPECT_EQ(names(f2->DefCharacteristics), (Names{"C"}));
  // In a MEASUREMENT, words that are not its keywords are names too; a "/begin" or "/end"
  // ends the form there as well.
  EXPECT_EQ(names(f2->InMeasurements), (Names{"M", "N"}));
  EXPECT_EQ(names(rw->InMeasurements), (Names{"M"}));
  EXPECT_EQ(f1->InMeasurements.Count, 0u);
  EXPECT_EQ(names(f1->AxisPts), (Names{"A"}));
  EXPECT_EQ(names(f2->AxisPts), (Names{"A"}));
}

// Many objects naming few functions: every entry lands once, in order. (The folding looks
// each name up in a table of the module's functions; nothing here measures time.)
TEST_F(Folding, ManyObjects) {
  std::string body;
  for (int f = 0; f < 50; ++f)
    body += "/begin FUNCTION F" + std::to_string(f) + " \"\" /end FUNCTION\n";
  for (int c = 0; c < 2000; ++c) {
    body += "/begin CHARACTERISTIC C" + std::to_string(c) +
            " \"\" VALUE 0 RL 0 CM 0 1 /begin FUNCTION_LIST F" + std::to_string(c % 50) + " F" +
            std::to_string((c + 1) % 50) + " /end FUNCTION_LIST /end CHARACTERISTIC\n";
  }
  TModule_Intern& m = readText(body);
  int f = 0;
  for (TFunction_Intern* fn : m.Functions) {
    Names got = names(fn->DefCharacteristics);
    ASSERT_EQ(got.size(), 80u) << fn->Name;
    // F<f> is named by C<f>, C<f+49>, C<f+50>, C<f+99>, ... in characteristic order.
    EXPECT_EQ(got[0], "C" + std::to_string(f == 0 ? 0 : f - 1)) << fn->Name;
    ++f;
  }
}

}  // namespace
