// The kept-block tree: what a file holds beyond the records, through the C interface. A
// golden dump of every scope of a file of newer-standard content, the scopes that have no
// kept text, the codes, and over the real-world corpus a count of every "/begin" against
// what the model and the kept tree account for.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ordex.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> tokensOf(TOrdex* inst, const char* module, int32_t kind, const char* name,
                                  int32_t index) {
  int32_t needed = 0;
  EXPECT_EQ(Ordex_GetKeptBlockTokens(inst, module, kind, name, index, nullptr, 0, &needed), rcOk);
  std::vector<char> buffer(static_cast<size_t>(needed));
  EXPECT_EQ(
      Ordex_GetKeptBlockTokens(inst, module, kind, name, index, buffer.data(), needed, nullptr),
      rcOk);
  return ordex_test::splitMultiString(buffer.data());
}

// One line per node: index, indentation by depth, keyword, name, tokens, where it stands.
std::string dumpScope(TOrdex* inst, const char* module, int32_t kind, const char* name) {
  int32_t count = -1;
  EXPECT_EQ(Ordex_GetNumKeptBlocks(inst, module, kind, name, &count), rcOk);
  std::string out;
  for (int32_t i = 0; i < count; ++i) {
    TKeptBlock b;
    EXPECT_EQ(Ordex_GetKeptBlock(inst, module, kind, name, i, &b), rcOk);
    char head[64];
    std::snprintf(head, sizeof head, "  [%d] p%d n%d c%d %s", i, b.Parent, b.NextSibling,
                  b.NumChildren, b.IsBlock ? "block" : "keyword");
    out += head + std::string(2 * static_cast<size_t>(b.Depth) + 1, ' ') + b.Keyword;
    if (b.Name[0]) out += std::string(" <") + b.Name + ">";
    for (const std::string& t : tokensOf(inst, module, kind, name, i)) out += " " + t;
    out += "  @" + fs::path(b.File).filename().string() + ":" + std::to_string(b.Line);
    if (b.Within[0]) out += std::string(" in ") + b.Within;
    out += "\n";
  }
  return out;
}

TEST(KeptBlocks, EveryScopeOfAFileOfNewerContent) {
  ordex_test::Instance inst;
  ASSERT_EQ(
      Ordex_ReadAsapFile(inst, ordex_test::dataPath("kept/newer_standard_content.a2l").c_str(),
                         nullptr, nullptr),
      rcOk)
      << ordex_test::readError(inst);
  struct Scope {
    const char* label;
    int32_t kind;
    const char* name;
  };
  const Scope scopes[] = {
      {"project", etProject, nullptr},
      {"module", etModule, nullptr},
      {"characteristic Map", etCharacteristic, "Map"},
      {"measurement Speed", etMeasurement, "Speed"},
      {"function Control", etFunction, "Control"},
      {"compu-method CM", etCompuMethod, "CM"},
      {"record-layout RL", etRecordLayout, "RL"},
  };
  std::string dump;
  // Twice in turn: a scope asked for again after another gives the same tree.
  for (int pass = 0; pass < 2; ++pass) {
    std::string text;
    for (const Scope& s : scopes)
      text += s.label + std::string("\n") + dumpScope(inst, nullptr, s.kind, s.name);
    if (pass == 1) {
      EXPECT_EQ(text, dump);
    }
    dump = text;
  }
  const std::string golden = ordex_test::dataPath("kept/newer_standard_content.expected");
  if (std::getenv("ORDEX_UPDATE_GOLDEN")) {
    std::FILE* f = std::fopen(golden.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(dump.data(), 1, dump.size(), f);
    std::fclose(f);
    return;
  }
  EXPECT_EQ(dump, ordex_test::readFile(golden)) << "ORDEX_UPDATE_GOLDEN=1 rewrites " << golden;
}

// Without kept text there is nothing to list, and an object made after the read has no
// text of its own, also where a removed object of its name stood.
TEST(KeptBlocks, ScopesWithoutKeptText) {
  const std::string file = ordex_test::dataPath("kept/newer_standard_content.a2l");
  auto count = [](TOrdex* inst, int32_t kind, const char* name) {
    int32_t n = -1;
    EXPECT_EQ(Ordex_GetNumKeptBlocks(inst, nullptr, kind, name, &n), rcOk);
    return n;
  };
  {
    ordex_test::Instance inst;
    ASSERT_EQ(Ordex_SetReadOptions(inst, ORDEX_READ_WITHOUT_SOURCE), rcOk);
    ASSERT_EQ(Ordex_ReadAsapFile(inst, file.c_str(), nullptr, nullptr), rcOk);
    EXPECT_EQ(count(inst, etProject, nullptr), 0);
    EXPECT_EQ(count(inst, etModule, nullptr), 0);
    EXPECT_EQ(count(inst, etCharacteristic, "Map"), 0);
  }
  ordex_test::Instance inst;
  ASSERT_EQ(Ordex_ReadAsapFile(inst, file.c_str(), nullptr, nullptr), rcOk);
  ASSERT_EQ(count(inst, etCharacteristic, "Map"), 4);
  TCharacteristic map{};
  std::strcpy(map.Name, "Map");
  ASSERT_EQ(Ordex_GetCharacteristic(inst, nullptr, &map, 0), rcOk);
  // An edit changes the record, not what is kept.
  std::strcpy(map.LongIdentifier, "changed");
  ASSERT_EQ(Ordex_ChangeCharacteristic(inst, nullptr, &map), rcOk);
  EXPECT_EQ(count(inst, etCharacteristic, "Map"), 4);
  ASSERT_EQ(Ordex_RemoveCharacteristic(inst, nullptr, "Map"), rcOk);
  EXPECT_EQ(Ordex_GetNumKeptBlocks(inst, nullptr, etCharacteristic, "Map", nullptr),
            rcNullArgument);
  int32_t n = -1;
  EXPECT_EQ(Ordex_GetNumKeptBlocks(inst, nullptr, etCharacteristic, "Map", &n),
            rcCharacteristicNotFound);
  ASSERT_EQ(Ordex_CreateCharacteristic(inst, nullptr, &map), rcOk);
  EXPECT_EQ(count(inst, etCharacteristic, "Map"), 0);
  EXPECT_GT(count(inst, etModule, nullptr), 0);
}

TEST(KeptBlocks, Codes) {
  ordex_test::Instance empty;
  ordex_test::Instance inst;
  ASSERT_EQ(
      Ordex_ReadAsapFile(inst, ordex_test::dataPath("kept/newer_standard_content.a2l").c_str(),
                         nullptr, nullptr),
      rcOk);
  int32_t n = 0;
  TKeptBlock b;
  char small[8];
  int32_t needed = 0;
  struct Case {
    TOrdex* inst;
    const char* module;
    int32_t kind;
    const char* name;
    TOrdexReturnCode rc;
  };
  const Case cases[] = {
      {nullptr, nullptr, etModule, nullptr, rcNoInstance},
      {empty, nullptr, etModule, nullptr, rcNoProject},
      {inst, "Body", etModule, nullptr, rcModuleNotFound},
      {inst, nullptr, etCharacteristic, "Nothing", rcCharacteristicNotFound},
      {inst, nullptr, etMeasurement, "Map", rcMeasurementNotFound},
      {inst, nullptr, etFunction, "Map", rcFunctionNotFound},
      {inst, nullptr, etCompuVTab, "Gear", rcCompuVTabNotFound},
      {inst, nullptr, etAxisPts, "Map", rcAxisPtsNotFound},
      {inst, nullptr, etCharacteristic, nullptr, rcNullArgument},
      {inst, nullptr, etMemorySegment, "Code", rcInvalidArgument},
      {inst, nullptr, 0, nullptr, rcInvalidArgument},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    EXPECT_EQ(Ordex_GetNumKeptBlocks(c.inst, c.module, c.kind, c.name, &n), c.rc);
    EXPECT_EQ(Ordex_GetKeptBlock(c.inst, c.module, c.kind, c.name, 0, &b), c.rc);
    EXPECT_EQ(
        Ordex_GetKeptBlockTokens(c.inst, c.module, c.kind, c.name, 0, small, sizeof small, &needed),
        c.rc);
  }
  ASSERT_EQ(Ordex_GetNumKeptBlocks(inst, nullptr, etModule, nullptr, &n), rcOk);
  for (int32_t index : {-1, n}) {
    EXPECT_EQ(Ordex_GetKeptBlock(inst, nullptr, etModule, nullptr, index, &b), rcIndexOutOfRange);
  }
  EXPECT_EQ(Ordex_GetKeptBlock(inst, nullptr, etModule, nullptr, 0, nullptr), rcNullArgument);
  EXPECT_EQ(Ordex_GetKeptBlockTokens(inst, nullptr, etModule, nullptr, 0, nullptr, 4, &needed),
            rcNullArgument);
  // Node 0 is the A2ML block, whose text does not fit: nothing but the empty multi-string.
  std::memset(small, 'x', sizeof small);
  EXPECT_EQ(
      Ordex_GetKeptBlockTokens(inst, nullptr, etModule, nullptr, 0, small, sizeof small, &needed),
      rcBadSize);
  EXPECT_EQ(small[0], '\0');
  EXPECT_EQ(small[1], 'x');
  EXPECT_GT(needed, static_cast<int32_t>(sizeof small));
}

// ---- Breadth over the corpus: every "/begin X" of a file is a record of the model or a
// kept block. A plain scan counts each block by the keyword of the block it stands in; the
// kept tree is counted the same way, and the pairs below are what the records hold.

const std::set<std::pair<std::string, std::string>> kModelledPairs = {
    {"", "PROJECT"},
    {"PROJECT", "HEADER"},
    {"PROJECT", "MODULE"},
    {"MODULE", "MOD_PAR"},
    {"MODULE", "MOD_COMMON"},
    {"MODULE", "VARIANT_CODING"},
    {"MODULE", "IF_DATA"},
    {"MODULE", "CHARACTERISTIC"},
    {"MODULE", "MEASUREMENT"},
    {"MODULE", "FUNCTION"},
    {"MODULE", "COMPU_METHOD"},
    {"MODULE", "COMPU_TAB"},
    {"MODULE", "COMPU_VTAB"},
    {"MODULE", "RECORD_LAYOUT"},
    {"MODULE", "AXIS_PTS"},
    {"MOD_PAR", "MEMORY_SEGMENT"},
    {"MOD_PAR", "MEMORY_LAYOUT"},
    {"MOD_PAR", "CALIBRATION_METHOD"},
    {"MEMORY_SEGMENT", "IF_DATA"},
    {"MEMORY_LAYOUT", "IF_DATA"},
    {"CALIBRATION_METHOD", "CALIBRATION_HANDLE"},
    {"CHARACTERISTIC", "ANNOTATION"},
    {"CHARACTERISTIC", "AXIS_DESCR"},
    {"CHARACTERISTIC", "IF_DATA"},
    {"CHARACTERISTIC", "FUNCTION_LIST"},
    {"AXIS_DESCR", "ANNOTATION"},
    {"ANNOTATION", "ANNOTATION_TEXT"},
    {"MEASUREMENT", "ANNOTATION"},
    {"MEASUREMENT", "IF_DATA"},
    {"MEASUREMENT", "FUNCTION_LIST"},
    {"MEASUREMENT", "VIRTUAL"},
    {"AXIS_PTS", "ANNOTATION"},
    {"AXIS_PTS", "IF_DATA"},
    {"AXIS_PTS", "FUNCTION_LIST"},
    {"FUNCTION", "ANNOTATION"},
    {"FUNCTION", "DEF_CHARACTERISTIC"},
    {"FUNCTION", "REF_CHARACTERISTIC"},
    {"FUNCTION", "IN_MEASUREMENT"},
    {"FUNCTION", "OUT_MEASUREMENT"},
    {"FUNCTION", "LOC_MEASUREMENT"},
    {"FUNCTION", "SUB_FUNCTION"},
    {"FUNCTION", "AXIS_PTS"},
    {"COMPU_METHOD", "FORMULA"},
    {"VARIANT_CODING", "VAR_CHARACTERISTIC"},
    {"VARIANT_CODING", "VAR_CRITERION"},
    {"VARIANT_CODING", "VAR_FORBIDDEN_COMB"},
    {"VAR_CHARACTERISTIC", "VAR_ADDRESS"},
};

using PairCounts = std::map<std::pair<std::string, std::string>, int>;

// Counts "/begin X" by (enclosing block, X), following "/include" outside A2ML and
// IF_DATA. Inside a modelled IF_DATA nothing is counted: its text is the record's content.
class BeginCounter {
 public:
  PairCounts counts;

  void file(const fs::path& path) {
    std::string text = ordex_test::readFile(path.string());
    std::vector<std::string> tokens = split(text);
    for (size_t i = 0; i < tokens.size(); ++i) {
      const std::string& t = tokens[i];
      if (t == "/include" && i + 1 < tokens.size() && !textBlockOpen()) {
        std::string name = tokens[++i];
        if (name.size() >= 2 && name.front() == '"') name = name.substr(1, name.size() - 2);
        fs::path inc = fs::exists(name) ? fs::path(name) : path.parent_path() / name;
        file(inc);
      } else if ((t == "/begin" || t == "/end") && i + 1 < tokens.size()) {
        const std::string& keyword = tokens[++i];
        if (t == "/end") {
          if (!stack_.empty()) stack_.pop_back();
          continue;
        }
        const std::string parent = stack_.empty() ? "" : stack_.back().keyword;
        const bool inModelledText = !stack_.empty() && stack_.back().modelledText;
        const bool modelled = !inKept() && kModelledPairs.count({parent, keyword});
        if (!inModelledText) ++counts[{parent, keyword}];
        stack_.push_back(
            {keyword, inModelledText || (modelled && keyword == "IF_DATA"), inKept() || !modelled});
      }
    }
  }

 private:
  struct Open {
    std::string keyword;
    bool modelledText;
    bool kept;
  };

  bool inKept() const { return !stack_.empty() && stack_.back().kept; }
  bool textBlockOpen() const {
    for (const Open& o : stack_) {
      if (o.keyword == "A2ML" || o.keyword == "IF_DATA") return true;
    }
    return false;
  }

  // Words and quoted strings; block and line comments left out.
  static std::vector<std::string> split(const std::string& s) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < s.size()) {
      if (std::isspace(static_cast<unsigned char>(s[i]))) {
        ++i;
      } else if (s.compare(i, 2, "/*") == 0) {
        size_t e = s.find("*/", i + 2);
        i = e == std::string::npos ? s.size() : e + 2;
      } else if (s.compare(i, 2, "//") == 0) {
        size_t e = s.find('\n', i);
        i = e == std::string::npos ? s.size() : e;
      } else if (s[i] == '"') {
        size_t j = i + 1;
        while (j < s.size() && s[j] != '"') j += s[j] == '\\' ? 2 : 1;
        out.push_back(s.substr(i, j + 1 - i));
        i = j + 1;
      } else {
        size_t j = i;
        while (j < s.size() && !std::isspace(static_cast<unsigned char>(s[j]))) ++j;
        out.push_back(s.substr(i, j - i));
        i = j;
      }
    }
    return out;
  }

  std::vector<Open> stack_;
};

struct ObjectKind {
  int32_t kind;
  const char* keyword;
  TOrdexReturnCode (*next)(TOrdex*, const char*, char*, const char*);
};

const ObjectKind kObjectKinds[] = {
    {etCharacteristic, "CHARACTERISTIC", Ordex_GetNextCharacteristicName},
    {etMeasurement, "MEASUREMENT", Ordex_GetNextMeasurementName},
    {etFunction, "FUNCTION", Ordex_GetNextFunctionName},
    {etCompuMethod, "COMPU_METHOD", Ordex_GetNextCompuMethodName},
    {etCompuTab, "COMPU_TAB", Ordex_GetNextCompuTabName},
    {etCompuVTab, "COMPU_VTAB", Ordex_GetNextCompuVTabName},
    {etRecordLayout, "RECORD_LAYOUT", Ordex_GetNextRecordLayoutName},
    {etAxisPts, "AXIS_PTS", Ordex_GetNextAxisPtsName},
};

// Adds the blocks of a kept tree by (enclosing block, keyword): a top node stands in the
// innermost block its Within names, or directly in the scope's block.
void countKept(TOrdex* inst, const char* module, int32_t kind, const char* name,
               const std::string& scopeKeyword, PairCounts& counts) {
  int32_t n = 0;
  ASSERT_EQ(Ordex_GetNumKeptBlocks(inst, module, kind, name, &n), rcOk);
  std::vector<std::string> keywords;
  for (int32_t i = 0; i < n; ++i) {
    TKeptBlock b;
    ASSERT_EQ(Ordex_GetKeptBlock(inst, module, kind, name, i, &b), rcOk);
    keywords.push_back(b.Keyword);
    if (!b.IsBlock) continue;
    std::string parent = scopeKeyword;
    if (b.Parent >= 0) {
      parent = keywords[static_cast<size_t>(b.Parent)];
    } else if (b.Within[0]) {
      const char* slash = std::strrchr(b.Within, '/');
      parent = slash ? slash + 1 : b.Within;
    }
    ++counts[{parent, b.Keyword}];
  }
}

TEST(KeptBlocks, EveryBeginOfTheCorpusIsModelledOrKept) {
  if (!ordex_test::corpusAvailable()) GTEST_SKIP() << "no corpus";
  int files = 0;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(ORDEX_CORPUS_DIR)) {
    if (!e.is_regular_file() || e.path().extension() != ".a2l") continue;
    ordex_test::Instance inst;
    if (Ordex_ReadAsapFile(inst, e.path().c_str(), nullptr, nullptr) != rcOk) continue;
    SCOPED_TRACE(e.path().string());
    ++files;
    BeginCounter scan;
    scan.file(e.path());
    PairCounts accounted;
    countKept(inst, nullptr, etProject, nullptr, "", accounted);
    std::map<std::string, int> objects;
    for (const std::string& m : ordex_test::moduleNames(inst)) {
      countKept(inst, m.c_str(), etModule, nullptr, "MODULE", accounted);
      for (const ObjectKind& k : kObjectKinds) {
        int32_t modelled = 0;
        ASSERT_EQ(Ordex_GetNumObjects(inst, m.c_str(), k.kind, &modelled), rcOk);
        objects[k.keyword] += modelled;
        char name[ORDEX_TEXT_SIZE] = "";
        do {
          ASSERT_EQ(k.next(inst, m.c_str(), name, nullptr), rcOk);
          if (name[0]) countKept(inst, m.c_str(), k.kind, name, k.keyword, accounted);
        } while (name[0]);
      }
    }
    for (const ObjectKind& k : kObjectKinds) {
      EXPECT_EQ(objects[k.keyword], (scan.counts[{"MODULE", k.keyword}])) << k.keyword;
    }
    for (const auto& [pair, count] : scan.counts) {
      if (kModelledPairs.count(pair)) continue;
      EXPECT_EQ(accounted[pair], count) << pair.second << " in " << pair.first;
    }
    for (const auto& [pair, count] : accounted) {
      EXPECT_EQ(scan.counts[pair], count) << "kept but not in the file: " << pair.second;
    }
  }
  EXPECT_GE(files, 10);
}

}  // namespace
