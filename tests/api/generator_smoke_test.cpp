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
  std::map<std::string, std::set<size_t>> listSizes;     // list keyword -> sizes seen
  std::vector<std::string> problems;
};

// Collects the names each block defines, then checks every reference of the file.
Scan scan(const std::string& text) {
  const std::vector<std::string> w = words(text);
  const std::set<std::string> objectKinds = {
      "CHARACTERISTIC", "MEASUREMENT",   "AXIS_PTS", "COMPU_METHOD", "COMPU_TAB",
      "COMPU_VTAB",     "RECORD_LAYOUT", "FUNCTION", "GROUP",        "MEMORY_SEGMENT"};
  // Name lists: the sub-block keyword, then the names up to "/end".
  const std::map<std::string, std::string> lists = {{"DEF_CHARACTERISTIC", "CHARACTERISTIC"},
                                                    {"REF_CHARACTERISTIC", "CHARACTERISTIC"},
                                                    {"IN_MEASUREMENT", "MEASUREMENT"},
                                                    {"OUT_MEASUREMENT", "MEASUREMENT"},
                                                    {"LOC_MEASUREMENT", "MEASUREMENT"},
                                                    {"REF_MEASUREMENT", "MEASUREMENT"},
                                                    {"SUB_FUNCTION", "FUNCTION"},
                                                    {"FUNCTION_LIST", "FUNCTION"}};
  // Positional references: the word at an offset from "/begin" names an object of a kind.
  const std::map<std::string, std::vector<std::pair<size_t, std::string>>> positional = {
      {"CHARACTERISTIC", {{6, "RECORD_LAYOUT"}, {8, "COMPU_METHOD"}}},
      {"MEASUREMENT", {{5, "COMPU_METHOD"}}},
      {"AXIS_PTS", {{5, "MEASUREMENT"}, {6, "RECORD_LAYOUT"}, {8, "COMPU_METHOD"}}},
      {"AXIS_DESCR", {{3, "MEASUREMENT"}, {4, "COMPU_METHOD"}}}};
  Scan s;
  std::set<std::string> allNames;
  for (size_t i = 0; i + 2 < w.size(); ++i) {
    if (w[i] != "/begin") continue;
    ++s.blocks[w[i + 1]];
    if (!objectKinds.count(w[i + 1])) continue;
    s.defined[w[i + 1]].insert(w[i + 2]);
    if (!allNames.insert(w[i + 2]).second) s.problems.push_back(w[i + 2] + " defined twice");
  }
  auto expect = [&](const std::string& kind, const std::string& name, const std::string& where) {
    if (name == "NO_COMPU_METHOD" || name == "NO_INPUT_QUANTITY") return;
    if (!s.defined[kind].count(name)) s.problems.push_back(where + " " + name);
  };
  for (size_t i = 0; i + 1 < w.size(); ++i) {
    if (w[i] == "COMPU_TAB_REF") {
      if (!s.defined["COMPU_TAB"].count(w[i + 1])) expect("COMPU_VTAB", w[i + 1], w[i]);
    } else if (w[i] == "AXIS_PTS_REF") {
      expect("AXIS_PTS", w[i + 1], w[i]);
    } else if (w[i] == "/begin" && lists.count(w[i + 1])) {
      size_t j = i + 2;
      for (; j < w.size() && w[j] != "/end"; ++j) expect(lists.at(w[i + 1]), w[j], w[i + 1]);
      s.listSizes[w[i + 1]].insert(j - (i + 2));
    } else if (w[i] == "/begin" && positional.count(w[i + 1])) {
      for (const auto& [offset, kind] : positional.at(w[i + 1])) {
        if (i + offset < w.size()) expect(kind, w[i + offset], w[i + 1] + " " + kind);
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
  GeneratorOptions lists;  // long name lists, longer than some target kinds, or left out
  lists.characteristics = 300;
  lists.measurements = 15;
  lists.functions = 40;
  lists.defCharacteristicsPerFunction = 20;
  lists.inMeasurementsPerFunction = 20;
  lists.subFunctionsPerFunction = 3;
  lists.outMeasurementsPerFunction = 0;
  lists.functionListPercent = 100;
  lists.annotationPercent = lists.ifDataPercent = lists.commentPercent = 100;

  for (const GeneratorOptions& o : {mix, sparse, lists}) {
    ASSERT_EQ(ordex_bench::checkOptions(o), "");
    Scan s = scan(ordex_bench::generateA2lText(o));
    EXPECT_EQ(s.problems, std::vector<std::string>{});
    const std::pair<const char*, uint32_t> counts[] = {{"CHARACTERISTIC", o.characteristics},
                                                       {"MEASUREMENT", o.measurements},
                                                       {"AXIS_PTS", o.axisPts},
                                                       {"COMPU_METHOD", o.compuMethods},
                                                       {"COMPU_TAB", o.compuTabs},
                                                       {"COMPU_VTAB", o.compuVTabs},
                                                       {"RECORD_LAYOUT", o.recordLayouts},
                                                       {"FUNCTION", o.functions},
                                                       {"GROUP", o.groups},
                                                       {"MEMORY_SEGMENT", o.memorySegments}};
    for (const auto& [kind, count] : counts) EXPECT_EQ(s.blocks[kind], int(count)) << kind;
  }
  // A list holds the requested number of names, at most as many as its kind has objects.
  Scan s = scan(ordex_bench::generateA2lText(lists));
  EXPECT_EQ(s.listSizes["DEF_CHARACTERISTIC"], std::set<size_t>{20});
  EXPECT_EQ(s.listSizes["IN_MEASUREMENT"], std::set<size_t>{15});
  EXPECT_EQ(s.blocks["OUT_MEASUREMENT"], 0);
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
