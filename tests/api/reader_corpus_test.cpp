// Real-world files written by other tools read without error (the structure at least:
// several end in "/end PROJECT" without a line feed, carry a byte-order mark, include
// other files or use blocks of later ASAP2 versions that are skipped).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "support/test_support.h"

namespace {

const char* const kCorpusFiles[] = {
    "DanielT__a2ltool/from_source.a2l", "DanielT__a2ltool/merge_inc_test.a2l",
    "DanielT__a2ltool/software_b.a2l",  "DanielT__a2ltool/update_test1.a2l",
    "DanielT__a2ltool/xcp_test.a2l",    "Luncher91__A2LParser/freeTest.a2l",
    "domohuhn__a2l/example-ecu.a2l",    "domohuhn__a2l/simple.a2l",
    "domohuhn__a2l/xcp-sim.a2l",        "kallemooo__Asap2/testFile.a2l",
    "sgnes__A2l-Parser/demo.a2l",
};

class Corpus : public ::testing::TestWithParam<const char*> {};

TEST_P(Corpus, ReadsWithoutError) {
  std::string path = std::string(ORDEX_CORPUS_DIR) + "/" + GetParam();
  struct stat st;
  if (stat(path.c_str(), &st) != 0) GTEST_SKIP() << "corpus not present: " << path;
  ordex_test::Instance inst;
  EXPECT_EQ(Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr), rcOk);
  EXPECT_EQ(ordex_test::readError(inst), "No error detected");
  char list[4096];
  ASSERT_EQ(Ordex_GetModuleList(inst, list, sizeof list, nullptr, nullptr), rcOk);
  EXPECT_FALSE(ordex_test::splitMultiString(list).empty());
}

INSTANTIATE_TEST_SUITE_P(Files, Corpus, ::testing::ValuesIn(kCorpusFiles),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string n = info.param;
                           for (char& ch : n) {
                             if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           }
                           return n;
                         });

}  // namespace
