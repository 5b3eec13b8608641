// Golden files of tests/data, one case per file (ORDEX_UPDATE_GOLDEN=1 rewrites them):
//   read/NAME.a2l   read, and everything the getters say about it equals read/NAME.snapshot
//                   (so too each NAME.a2l of tests/data itself that has a NAME.snapshot; a
//                   read/NAME.in is a file whose written copy reads back otherwise, which
//                   the round trip over every A2L file of tests/data would not accept);
//   write/NAME.in   read and written, and the written text equals write/NAME.out (.in, not
//                   .a2l: the tests over every A2L file of tests/data leave these out, some
//                   lose on purpose what the writer leaves out);
//   bad/NAME.a2l    read fails, and the code, the error report and what was read before the
//                   failure equal bad/NAME.report.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ordex.h"
#include "snapshot/model_snapshot.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using ordex_test::Instance;
using ordex_test::readError;
using ordex_test::readFile;

// The names (without extension) of the input files of a folder of tests/data, sorted.
std::vector<std::string> casesIn(const std::string& folder, const char* extension = ".a2l") {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(ordex_test::dataPath(folder))) {
    if (e.path().extension() == extension) names.push_back(folder + "/" + e.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void expectGolden(const std::string& path, const std::string& actual) {
  if (std::getenv("ORDEX_UPDATE_GOLDEN")) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f) << path;
    std::fwrite(actual.data(), 1, actual.size(), f);
    std::fclose(f);
    return;
  }
  ASSERT_TRUE(fs::exists(path)) << "ORDEX_UPDATE_GOLDEN=1 writes " << path;
  EXPECT_EQ(actual, readFile(path)) << "ORDEX_UPDATE_GOLDEN=1 rewrites " << path;
}

// Every field the getters give, a line each.
std::string snapshotText(TOrdex* inst) {
  std::string text;
  const ordex_test::ModelSnapshot snapshot = ordex_test::ModelSnapshot::take(inst);
  for (const auto& [path, value] : snapshot.fields()) {
    text += path + " = " + value + "\n";
  }
  return text;
}

std::string stableName(const testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

std::vector<std::string> readCases() {
  std::vector<std::string> names = casesIn("read");
  for (const std::string& name : casesIn("read", ".in")) names.push_back(name + ".in");
  for (const auto& e : fs::directory_iterator(ORDEX_TEST_DATA_DIR)) {
    fs::path snapshot = e.path();
    if (e.path().extension() == ".a2l" && fs::exists(snapshot.replace_extension(".snapshot"))) {
      names.push_back(e.path().stem().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

class ReadGolden : public testing::TestWithParam<std::string> {};

TEST_P(ReadGolden, GettersAgreeWithTheSnapshot) {
  std::string base = ordex_test::dataPath(GetParam()), input = base + ".a2l";
  if (base.size() > 3 && base.compare(base.size() - 3, 3, ".in") == 0) {
    input = base;
    base.resize(base.size() - 3);
  }
  Instance inst;
  TOrdexReturnCode rc = Ordex_ReadAsapFile(inst, input.c_str(), nullptr, nullptr);
  expectGolden(base + ".snapshot", "read: " + std::to_string(rc) + "\n" + snapshotText(inst));
}

INSTANTIATE_TEST_SUITE_P(Data, ReadGolden, testing::ValuesIn(readCases()), stableName);

class WriteGolden : public testing::TestWithParam<std::string> {};

TEST_P(WriteGolden, WrittenTextAsExpected) {
  const std::string base = ordex_test::dataPath(GetParam());
  Instance inst;
  ASSERT_EQ(Ordex_ReadAsapFile(inst, (base + ".in").c_str(), nullptr, nullptr), rcOk)
      << readError(inst);
  ordex_test::TempDir dir;
  const std::string out = dir.path() + "/out.a2l";
  ASSERT_EQ(Ordex_WriteAsapFile(inst, out.c_str(), nullptr, nullptr, "c", nullptr, nullptr), rcOk);
  expectGolden(base + ".out", readFile(out));
}

INSTANTIATE_TEST_SUITE_P(Data, WriteGolden, testing::ValuesIn(casesIn("write", ".in")), stableName);

class BadGolden : public testing::TestWithParam<std::string> {};

TEST_P(BadGolden, FailsWithTheCodeAndReport) {
  const std::string base = ordex_test::dataPath(GetParam());
  Instance inst;
  TOrdexReturnCode rc = Ordex_ReadAsapFile(inst, (base + ".a2l").c_str(), nullptr, nullptr);
  EXPECT_NE(rc, rcOk);
  expectGolden(base + ".report", "code " + std::to_string(rc) + "\n" + readError(inst) +
                                     "\n\nwhat was read before:\n" + snapshotText(inst));
}

INSTANTIATE_TEST_SUITE_P(Data, BadGolden, testing::ValuesIn(casesIn("bad")), stableName);

}  // namespace
