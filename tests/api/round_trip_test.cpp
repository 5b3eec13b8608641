// Read, write, read the written file, write again: the two written files are byte for byte
// the same, and every getter record of the second read agrees with the first (apart from
// what the writer does not write). Run over the bundled example, the files of tests/data,
// every real-world file of the corpus that reads, and a generated file.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "a2l_generator.h"
#include "ordex.h"
#include "snapshot/model_snapshot.h"
#include "snapshot/round_trip.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using ordex_test::Instance;
using ordex_test::RoundTripReport;
using ordex_test::TempDir;

// The layout master_record of the Luncher91 files places elements at positions 42 to 50:
// above 40 an element has no place in the position order, so the writer leaves it out.
std::vector<std::string> elementsAbove40(const std::string& module) {
  const std::string rl = "MODULE " + module + "/RECORD_LAYOUT master_record/";
  const std::string rl2 = "MODULE " + module + "/RECORD_LAYOUT2 master_record/";
  std::vector<std::string> d = {
      rl + "FncValuesAddressing: 3 | -1",    rl + "FncValuesDataType: 0 | -1",
      rl + "FncValuesPosition: 47 | 0",      rl + "IdentificationDataType: 4 | -1",
      rl + "IdentificationPosition: 48 | 0", rl + "ShiftOpXDataType: 4 | -1",
      rl + "ShiftOpXPosition: 42 | 0",       rl2 + "Elements[0].Addressing: 3 | -1",
      rl2 + "Elements[0].DataType: 0 | -1",  rl2 + "Elements[0].Position: 47 | 0",
      rl2 + "Elements[1].DataType: 4 | -1",  rl2 + "Elements[1].Position: 48 | 0",
      rl2 + "Elements[21].DataType: 4 | -1", rl2 + "Elements[21].Position: 42 | 0",
      rl2 + "Elements[22].DataType: 4 | -1", rl2 + "Elements[22].Position: 43 | 0",
      rl2 + "Elements[23].DataType: 4 | -1", rl2 + "Elements[23].Position: 44 | 0",
      rl2 + "Reserved[0].DataType: 4 | -1",  rl2 + "Reserved[0].Position: 49 | 0",
      rl2 + "Reserved[1].DataType: 2 | -1",  rl2 + "Reserved[1].Position: 50 | 0"};
  return d;
}

// Both lists as the report gives them: the first 40 differences, then how many more.
std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string>& b) {
  constexpr size_t kReported = 40;
  a.insert(a.end(), b.begin(), b.end());
  if (a.size() > kReported) {
    const size_t more = a.size() - kReported;
    a.resize(kReported);
    a.push_back("... and " + std::to_string(more) + " more");
  }
  return a;
}

// Differences that follow from what the writer documents, by file name.
const std::map<std::string, std::vector<std::string>> kDocumentedDifferences = {
    // An axis given FIX_AXIS_PAR_DIST and then DEPOSIT keeps its FIX_AXIS_PAR_DIST mode; the
    // writer writes DEPOSIT only for an axis in DEPOSIT mode, so the deposit is lost.
    {"characteristic_map_three_axes.a2l",
     {"MODULE M/CHARACTERISTIC KlCurve/Axes[0]/DepositMode: 1 | -1",
      "MODULE M/CHARACTERISTIC2 KlCurve/Axes[0]/DepositMode: 1 | -1"}},
    // Besides the elements above 40: COMPU_TAB_REF is written for table methods only, and
    // THE.IDENTITY is a RAT_FUNC.
    {"freeTest.a2l", joined({"MODULE sample_module/COMPU_METHOD THE.IDENTITY/CompuTabRef: "
                             "\"PERFECT_COMPU.TAB\" | \"\"",
                             "MODULE sample_module/COMPU_METHOD2 THE.IDENTITY/CompuTabRef: "
                             "\"PERFECT_COMPU.TAB\" | \"\""},
                            elementsAbove40("sample_module"))},
    {"includeTest.a2l",
     joined(elementsAbove40("sample_module"), elementsAbove40("sample_module_included"))},
};

void expectRoundTrip(const std::string& path, const std::vector<std::string>& allowed = {},
                     const std::string& workDir = "") {
  SCOPED_TRACE(path);
  TempDir dir;
  RoundTripReport report = ordex_test::roundTrip(path, workDir.empty() ? dir.path() : workDir);
  ASSERT_EQ(report.firstRead, rcOk);
  EXPECT_EQ(report.firstWrite, rcOk);
  EXPECT_EQ(report.secondRead, rcOk) << report.secondReadError;
  EXPECT_EQ(report.secondWrite, rcOk);
  EXPECT_EQ(report.writtenFilesDiffer, "");
  EXPECT_EQ(report.differences, allowed) << report.describe();
  EXPECT_GT(report.fieldsCompared, 0u);
}

TEST(RoundTrip, BundledExample) {
  expectRoundTrip(std::string(ORDEX_EXAMPLES_DIR) + "/engine_ecu.a2l");
}

// Runs the round trip on every .a2l file below `root` that reads; returns their number.
int roundTripEvery(const fs::path& root) {
  int files = 0;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(root)) {
    if (!e.is_regular_file() || e.path().extension() != ".a2l") continue;
    Instance probe;
    if (Ordex_ReadAsapFile(probe, e.path().c_str(), nullptr, nullptr) != rcOk) continue;
    ++files;
    auto allowed = kDocumentedDifferences.find(e.path().filename().string());
    expectRoundTrip(e.path().string(), allowed == kDocumentedDifferences.end()
                                           ? std::vector<std::string>{}
                                           : allowed->second);
  }
  return files;
}

TEST(RoundTrip, EveryFileOfTestData) {
  EXPECT_GE(roundTripEvery(ORDEX_TEST_DATA_DIR), 7);
}

TEST(RoundTrip, EveryCorpusFileThatReads) {
  if (!ordex_test::corpusAvailable()) GTEST_SKIP() << "no corpus at " << ORDEX_CORPUS_DIR;
  EXPECT_GE(roundTripEvery(ORDEX_CORPUS_DIR), 10);
}

TEST(RoundTrip, GeneratedFile) {
  TempDir dir;
  ordex_bench::GeneratorOptions options;
  options.characteristics = 300;
  options.measurements = 300;
  std::string path = dir.path() + "/generated.a2l";
  std::string error;
  ASSERT_TRUE(ordex_bench::generateA2lFile(options, path, &error)) << error;
  expectRoundTrip(path);
}

// Round trip of a small text; returns the first written file.
std::string roundTripText(const std::string& a2l, const std::vector<std::string>& allowed = {}) {
  TempDir dir;
  std::string path = dir.write("input.a2l", a2l);
  expectRoundTrip(path, allowed, dir.path());
  return ordex_test::readFile(dir.path() + "/first_write.a2l");
}

// A table that declares more pairs than the file gives is written with the declared count
// and the pairs it holds: the second read then holds the same pairs under the same count,
// and the getters answer alike (missing pairs as InVal 0 with an empty text). A hostile count
// costs nothing: one pair is written, not two billion lines.
TEST(RoundTrip, TablesWithFewerPairsThanDeclared) {
  std::string text = roundTripText(
      "/begin PROJECT P \"\" /begin MODULE M \"\"\n"
      "/begin COMPU_VTAB V \"\" TAB_VERB 5 0 \"a\" 1 \"b\" 2 \"c\" /end COMPU_VTAB\n"
      "/begin COMPU_TAB T \"\" TAB_INTP 4 1 1.5 2 2.5 /end COMPU_TAB\n"
      "/begin COMPU_VTAB H \"\" TAB_VERB 2147483647 7 \"x\" /end COMPU_VTAB\n"
      "/end MODULE /end PROJECT\n");
  EXPECT_LT(text.size(), 2000u);
  // A COMPU_VTAB counts the pairs it holds; a COMPU_TAB keeps its declared count.
  for (const char* written :
       {"      3\n      0 \"a\"\n      1 \"b\"\n      2 \"c\"\n    /end COMPU_VTAB",
        "      4\n\n                 1 1.5      2 2.5    /end COMPU_TAB",
        "      1\n      7 \"x\"\n    /end COMPU_VTAB"}) {
    EXPECT_NE(text.find(written), std::string::npos) << text;
  }
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, text), rcOk);
  TCompuVTabValue value{};
  value.Index = 1;
  EXPECT_EQ(Ordex_GetACompuVTabValueByIndex(inst, nullptr, "H", &value), rcInvalidArgument);
}

// Values that no getter shows still survive (the second write would differ otherwise): the
// FUNCTION's AXIS_PTS list (also the names that AXIS_PTS blocks contribute through
// FUNCTION_LIST), the MOD_COMMON offsets and bit mask, and MEASUREMENT limits read in
// hexadecimal. An object's bit mask is written also when it equals the module's, since the
// reader does not take the module's mask as an object's default.
TEST(RoundTrip, ValuesWithoutGetterField) {
  std::string text = roundTripText(
      "/begin PROJECT P \"\" /begin MODULE M \"\"\n"
      "/begin MOD_COMMON \"\" RAM_OFFSET 100 ROM_OFFSET 0x2A BIT_MASK FF /end MOD_COMMON\n"
      "/begin FUNCTION F \"\" /begin AXIS_PTS A1 /end AXIS_PTS /end FUNCTION\n"
      "/begin AXIS_PTS A2 \"\" 0 N RL 0 CM 1 0 1 /begin FUNCTION_LIST F /end FUNCTION_LIST"
      " /end AXIS_PTS\n"
      "/begin MEASUREMENT H \"\" ULONG CM 0 0 0x0 0xffffffff BIT_MASK 0xFF /end MEASUREMENT\n"
      "/end MODULE /end PROJECT\n");
  EXPECT_NE(text.find("      /begin AXIS_PTS\n        A1 A2 \n      /end AXIS_PTS\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("      0x0 0xFFFFFFFF\n      BIT_MASK 0xFF\n"), std::string::npos) << text;
}

// Texts far longer than a line, and than the output buffer, pass whole: an IF_DATA body of
// 600 000 characters, a name list of 20 000 names and an annotation text of 2 000 000
// characters (the reader keeps at most 1023 characters of a token, so that text is written
// on lines of 1000 characters, which the reader joins again). A long identifier with quotes
// to escape comes back as it was.
TEST(RoundTrip, TextsLongerThanTheOutputBuffer) {
  std::string ifData, names, annotationLines, longId;
  for (int i = 0; i < 100000; ++i) ifData += "0x" + std::to_string(i % 10) + "FF0 ";
  for (int i = 0; i < 20000; ++i) names += "Name_" + std::to_string(i) + " ";
  for (int i = 0; i < 4000; ++i) annotationLines += "\"" + std::string(500, 'a' + i % 26) + "\" ";
  for (int i = 0; i < 60; ++i) longId += i % 7 == 0 ? "\\\"quoted\\\" " : "plain text ";
  std::string text = roundTripText(
      "/begin PROJECT P \"\" /begin MODULE M \"\"\n"
      "/begin MEASUREMENT Big \"" +
      longId +
      "\" UBYTE CM 0 0 0 1\n"
      "  /begin VIRTUAL " +
      names +
      "/end VIRTUAL\n"
      "  /begin ANNOTATION /begin ANNOTATION_TEXT " +
      annotationLines +
      "/end ANNOTATION_TEXT"
      " /end ANNOTATION\n"
      "  /begin IF_DATA XCP " +
      ifData +
      "/end IF_DATA\n"
      "/end MEASUREMENT\n/end MODULE /end PROJECT\n");
  EXPECT_GT(text.size(), 2500000u);
  EXPECT_NE(text.find("      /begin IF_DATA XCP " + ifData + "/end IF_DATA\n"), std::string::npos);
  EXPECT_NE(text.find("          \"" + std::string(500, 'a') + std::string(500, 'b') + "\"\n"),
            std::string::npos);
  EXPECT_NE(text.find("Name_19999 \n"), std::string::npos);
  EXPECT_NE(text.find("Big \"\\\"quoted\\\" plain text "), std::string::npos);
}

// Inputs that the reader takes in and the writer once wrote so that they read back
// otherwise. Each comes back alike, or, where no text holds what the model holds, with
// exactly the differences listed; `written` is a piece of the first written file.
struct ReadBackCase {
  const char* name;
  std::string module;  // the blocks inside MODULE M
  std::string written;
  std::vector<std::string> differences;
};

using namespace std::string_literals;  // the inputs with zero bytes

const ReadBackCase kReadBackCases[] = {
    // A table method without COMPU_TAB_REF, and one whose name token began with a zero byte.
    {"EmptyCompuTabRef",
     "/begin COMPU_METHOD CM \"\" TAB_VERB \"%d\" \"\" /end COMPU_METHOD\n"
     "/begin COMPU_METHOD CN \"\" TAB_INTP \"%4.1\" \"\" COMPU_TAB_REF \0T /end COMPU_METHOD"s,
     "      \"%d\"\n      \"\"\n    /end COMPU_METHOD",
     {}},
    // The default's text is taken as the input of one more pair; a table that ends after
    // an input keeps that half pair.
    {"CompuTabHalfPairs",
     "/begin COMPU_TAB T \"\" TAB_NOINTP 4 1 10 2 20 DEFAULT_VALUE \"7 up\" /end COMPU_TAB\n"
     "/begin COMPU_TAB U \"\" TAB_INTP 3 1 10 2 /end COMPU_TAB",
     "      2 20      DEFAULT_VALUE \"7 up\"\n",
     {}},
    // No text reads back as an empty IF_DATA name; the quoted empty string keeps the body
    // and the entry after it.
    {"EmptyIfDataName",
     "/begin CHARACTERISTIC C \"\" VALUE 0 RL 0 CM 0 1 /begin IF_DATA \0D cha1 /end IF_DATA"
     " /begin IF_DATA X cha2 /end IF_DATA /end CHARACTERISTIC"s,
     "      /begin IF_DATA \"\" cha1 /end IF_DATA\n",
     {"MODULE M/CHARACTERISTIC C/IF_DATA[0].Content: (none) | \"cha1 \"",
      "MODULE M/CHARACTERISTIC C/IF_DATA[0].Name: (none) | \"\"\"\"",
      "MODULE M/CHARACTERISTIC C/IF_DATA[1].Content: (none) | \"cha2 \"",
      "MODULE M/CHARACTERISTIC C/IF_DATA[1].Name: (none) | \"X\""}},
    // A list name "/end" and a name with an open quote would end the FUNCTION early or
    // swallow it; quoted, they leave the AXIS_PTS after it in place.
    {"ListNamesThatAreBlockKeywordsOrOpenQuotes",
     "/begin FUNCTION F \"\" /begin REF /begin LOC_MEASUREMENT MLoc /end X"
     " /end LOC_MEASUREMENT /begin SUB_FUNCTION G \"a b\0c\" H /end SUB_FUNCTION /end FUNCTION\n"
     "/begin AXIS_PTS A \"\" 0 N RL 0 CM 4 0 1 /end AXIS_PTS"s,
     "        MLoc \"/end\" X \n",
     {"MODULE M/FUNCTION F/LOC_MEASUREMENT: \"MLoc /end X\" | \"MLoc \"/end\" X\"",
      "MODULE M/FUNCTION F/SUB_FUNCTION: \"G \"a b H\" | \"G \"a b\" H\""}},
};

class ReadBack : public testing::TestWithParam<ReadBackCase> {};

TEST_P(ReadBack, AsTheFirstRead) {
  const ReadBackCase& c = GetParam();
  std::string text = roundTripText(
      "/begin PROJECT P \"\" /begin MODULE M \"\"\n" + c.module + "\n/end MODULE /end PROJECT\n",
      c.differences);
  EXPECT_NE(text.find(c.written), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(RoundTrip, ReadBack, testing::ValuesIn(kReadBackCases),
                         [](const testing::TestParamInfo<ReadBackCase>& i) {
                           return i.param.name;
                         });

// The snapshot itself: it sees a changed field, and the two reads of one file agree.
TEST(ModelSnapshot, SeesEveryChangedField) {
  const std::string a2l =
      "/begin PROJECT P \"\" /begin MODULE M \"\"\n"
      "/begin CHARACTERISTIC C \"\" CURVE 0 RL 0 CM 0 1\n"
      "  /begin AXIS_DESCR STD_AXIS N CM 4 0 %s /end AXIS_DESCR\n"
      "/end CHARACTERISTIC\n/end MODULE /end PROJECT\n";
  char first[512], second[512];
  std::snprintf(first, sizeof first, a2l.c_str(), "10");
  std::snprintf(second, sizeof second, a2l.c_str(), "10.0");
  Instance a, b, c;
  ASSERT_EQ(ordex_test::readText(a, first), rcOk);
  ASSERT_EQ(ordex_test::readText(b, first), rcOk);
  ASSERT_EQ(ordex_test::readText(c, second), rcOk);
  auto snapshotA = ordex_test::ModelSnapshot::take(a);
  EXPECT_TRUE(ordex_test::differences(snapshotA, ordex_test::ModelSnapshot::take(b)).empty());
  EXPECT_EQ(ordex_test::differences(snapshotA, ordex_test::ModelSnapshot::take(c)),
            (std::vector<std::string>{
                "MODULE M/CHARACTERISTIC C/Axes[0]/UpperLimit.Text: \"10\" | \"10.0\"",
                "MODULE M/CHARACTERISTIC2 C/Axes[0]/UpperLimit.Text: \"10\" | \"10.0\""}));
}

}  // namespace
