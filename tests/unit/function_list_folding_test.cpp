// The folding of FUNCTION_LIST blocks into the functions' own lists at the end of a read, on
// many objects (the order of folding on small files is pinned by the read golden files).
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
    ordex::ReturnCode rc =
        ordex::readAsapFile(inst, path.c_str(), nullptr, ordex::foldFunctionLists);
    EXPECT_EQ(rc, ordex::ReturnCode::Ok);
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
