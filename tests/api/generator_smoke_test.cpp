// The synthetic A2L generator of the benchmarks: its files must read without error, come
// out byte for byte the same on every run, hold exactly the objects asked for, and name
// only objects they define, or the benchmark figures would measure something else.

#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "a2l_generator.h"
#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_bench::GeneratorOptions;

// Whitespace-separated words with quoted strings kept whole and comments dropped: enough
// for the generator's own output.
std::vector<std::string> words(const std::string& text) {
  std::vector<std::string> out;
  size_t i = 0, n = text.size();
  while (i < n) {
    char c = text[i];
    if (c == ' ' || c == '\n' || c == '\t' || c == '\r') {
      ++i;
    } else if (text.compare(i, 2, "/*") == 0) {
      i = text.find("*/", i + 2);
      i = i == std::string::npos ? n : i + 2;
    } else if (text.compare(i, 2, "//") == 0) {
      i = text.find('\n', i);
      if (i == std::string::npos) i = n;
    } else if (c == '"') {
      size_t j = i + 1;
      while (j < n && text[j] != '"') j += text[j] == '\\' ? 2 : 1;
      out.push_back(text.substr(i, j + 1 - i));
      i = j + 1;
    } else {
      size_t j = i;
      while (j < n && text[j] != ' ' && text[j] != '\n' && text[j] != '\t') ++j;
      out.push_back(text.substr(i, j - i));
      i = j;
    }
  }
  return out;
}

struct Scan {
  std::map<std::string, std::set<std::string>> defined;  // kind -> names
  std::map<std::string, int> blocks;                     // kind -> number of blocks
  std::vector<std::string> problems;
};

// Collects the names each block defines, then checks every reference of the file.
Scan scan(const std::string& text) {
  const std::vector<std::string> w = words(text);
  const std::set<std::string> objectKinds = {
      "CHARACTERISTIC", "MEASUREMENT",   "AXIS_PTS", "COMPU_METHOD", "COMPU_TAB",
      "COMPU_VTAB",     "RECORD_LAYOUT", "FUNCTION", "GROUP",        "MEMORY_SEGMENT"};
  Scan s;
  std::set<std::string> allNames;
  for (size_t i = 0; i + 2 < w.size(); ++i) {
    if (w[i] != "/begin") continue;
    ++s.blocks[w[i + 1]];
    if (!objectKinds.count(w[i + 1])) continue;
    s.defined[w[i + 1]].insert(w[i + 2]);
    if (!allNames.insert(w[i + 2]).second) s.problems.push_back(w[i + 2] + " defined twice");
  }
  auto expect = [&](const std::string& kind, const std::string& name, const char* where) {
    if (name == "NO_COMPU_METHOD" || name == "NO_INPUT_QUANTITY") return;
    if (!s.defined[kind].count(name)) s.problems.push_back(std::string(where) + " " + name);
  };
  // Name lists: the sub-block keyword, then the names up to "/end".
  const std::map<std::string, std::string> lists = {{"DEF_CHARACTERISTIC", "CHARACTERISTIC"},
                                                    {"REF_CHARACTERISTIC", "CHARACTERISTIC"},
                                                    {"IN_MEASUREMENT", "MEASUREMENT"},
                                                    {"OUT_MEASUREMENT", "MEASUREMENT"},
                                                    {"LOC_MEASUREMENT", "MEASUREMENT"},
                                                    {"REF_MEASUREMENT", "MEASUREMENT"},
                                                    {"SUB_FUNCTION", "FUNCTION"},
                                                    {"FUNCTION_LIST", "FUNCTION"}};
  for (size_t i = 0; i + 1 < w.size(); ++i) {
    if (w[i] == "/begin" && lists.count(w[i + 1])) {
      for (size_t j = i + 2; j < w.size() && w[j] != "/end"; ++j) {
        expect(lists.at(w[i + 1]), w[j], w[i + 1].c_str());
      }
    } else if (w[i] == "COMPU_TAB_REF") {
      if (!s.defined["COMPU_TAB"].count(w[i + 1])) expect("COMPU_VTAB", w[i + 1], "COMPU_TAB_REF");
    } else if (w[i] == "AXIS_PTS_REF") {
      expect("AXIS_PTS", w[i + 1], "AXIS_PTS_REF");
    } else if (w[i] == "/begin" && i + 8 < w.size()) {
      // Positional references: /begin KIND name ... at fixed offsets.
      const std::string& kind = w[i + 1];
      if (kind == "CHARACTERISTIC") {
        expect("RECORD_LAYOUT", w[i + 6], "deposit");
        expect("COMPU_METHOD", w[i + 8], "conversion");
      } else if (kind == "MEASUREMENT") {
        expect("COMPU_METHOD", w[i + 5], "conversion");
      } else if (kind == "AXIS_PTS") {
        expect("MEASUREMENT", w[i + 5], "input quantity");
        expect("RECORD_LAYOUT", w[i + 6], "deposit");
        expect("COMPU_METHOD", w[i + 8], "conversion");
      } else if (kind == "AXIS_DESCR") {
        expect("MEASUREMENT", w[i + 3], "axis input quantity");
        expect("COMPU_METHOD", w[i + 4], "axis conversion");
      }
    }
  }
  return s;
}

TEST(SyntheticA2l, FileOfAboutOneMegabyteReadsWithoutError) {
  GeneratorOptions options = ordex_bench::optionsForSize(1000000);
  ordex_test::TempDir dir;
  std::string path = dir.path() + "/synthetic.a2l";
  std::string error;
  uint64_t bytes = 0;
  ASSERT_TRUE(ordex_bench::generateA2lFile(options, path, &error, &bytes)) << error;
  EXPECT_NEAR(static_cast<double>(bytes), 1e6, 2e4);
  EXPECT_EQ(ordex_test::readFile(path).size(), bytes);

  ordex_test::Instance inst;
  EXPECT_EQ(Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr), rcOk)
      << ordex_test::readError(inst);
  EXPECT_EQ(ordex_test::readError(inst), "No error detected");
  char modules[256];
  ASSERT_EQ(Ordex_GetModuleList(inst, modules, sizeof modules, nullptr, nullptr), rcOk);
  EXPECT_EQ(ordex_test::splitMultiString(modules), std::vector<std::string>{"SyntheticEcu"});
}

TEST(SyntheticA2l, SameOptionsGiveTheSameBytesAndAnotherSeedOthers) {
  GeneratorOptions options = ordex_bench::optionsForSize(200000);
  std::string first = ordex_bench::generateA2lText(options);
  EXPECT_EQ(ordex_bench::generateA2lText(options), first);
  EXPECT_EQ(ordex_bench::generateA2l(options, [](const char*, size_t) {}), first.size());
  options.seed = 2;
  EXPECT_NE(ordex_bench::generateA2lText(options), first);
}

TEST(SyntheticA2l, CountsAreExactAndEveryReferenceNamesADefinedObject) {
  GeneratorOptions mix;
  GeneratorOptions sparse;  // kinds left out entirely: references fall back or vanish
  sparse.compuMethods = sparse.compuTabs = sparse.compuVTabs = 0;
  sparse.measurements = sparse.functions = sparse.axisPts = sparse.groups = 0;
  sparse.characteristics = 40;
  sparse.recordLayouts = 3;
  GeneratorOptions lists;  // long name lists, longer than some target kinds
  lists.characteristics = 300;
  lists.measurements = 15;
  lists.functions = 40;
  lists.defCharacteristicsPerFunction = 20;
  lists.inMeasurementsPerFunction = 20;
  lists.subFunctionsPerFunction = 3;
  lists.functionListPercent = 100;
  lists.annotationPercent = lists.ifDataPercent = lists.commentPercent = 100;

  for (const GeneratorOptions& o : {mix, sparse, lists}) {
    ASSERT_EQ(ordex_bench::checkOptions(o), "");
    Scan s = scan(ordex_bench::generateA2lText(o));
    EXPECT_EQ(s.problems, std::vector<std::string>{});
    EXPECT_EQ(s.blocks["CHARACTERISTIC"], static_cast<int>(o.characteristics));
    EXPECT_EQ(s.blocks["MEASUREMENT"], static_cast<int>(o.measurements));
    EXPECT_EQ(s.blocks["AXIS_PTS"], static_cast<int>(o.axisPts));
    EXPECT_EQ(s.blocks["COMPU_METHOD"], static_cast<int>(o.compuMethods));
    EXPECT_EQ(s.blocks["COMPU_TAB"], static_cast<int>(o.compuTabs));
    EXPECT_EQ(s.blocks["COMPU_VTAB"], static_cast<int>(o.compuVTabs));
    EXPECT_EQ(s.blocks["RECORD_LAYOUT"], static_cast<int>(o.recordLayouts));
    EXPECT_EQ(s.blocks["FUNCTION"], static_cast<int>(o.functions));
    EXPECT_EQ(s.blocks["GROUP"], static_cast<int>(o.groups));
    EXPECT_EQ(s.blocks["MEMORY_SEGMENT"], static_cast<int>(o.memorySegments));
  }
}

TEST(SyntheticA2l, FunctionNameListsHoldTheRequestedNumberOfNames) {
  GeneratorOptions o;
  o.characteristics = 100;
  o.measurements = 100;
  o.functions = 10;
  o.defCharacteristicsPerFunction = 20;
  o.outMeasurementsPerFunction = 0;  // left out
  std::vector<std::string> w = words(ordex_bench::generateA2lText(o));
  int defLists = 0, outLists = 0;
  for (size_t i = 0; i + 1 < w.size(); ++i) {
    if (w[i] != "/begin") continue;
    if (w[i + 1] == "OUT_MEASUREMENT") ++outLists;
    if (w[i + 1] != "DEF_CHARACTERISTIC") continue;
    ++defLists;
    size_t j = i + 2;
    while (w[j] != "/end") ++j;
    EXPECT_EQ(j - (i + 2), 20u);
  }
  EXPECT_EQ(defLists, 10);
  EXPECT_EQ(outLists, 0);
}

TEST(SyntheticA2l, CharacteristicsWithoutRecordLayoutsAreRefused) {
  GeneratorOptions o;
  o.recordLayouts = 0;
  EXPECT_NE(ordex_bench::checkOptions(o), "");
  std::string error;
  EXPECT_FALSE(ordex_bench::generateA2lFile(o, "/nonexistent/never.a2l", &error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
