// Ordex_WriteAsapFile around the text: its return codes and file handling, the module
// filter, the MOD_PAR template, the element callback and the progress callback.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using ordex_test::readFile;
using ordex_test::TempDir;

constexpr const char* kTwoModules =
    "/begin PROJECT P \"\"\n"
    "/begin MODULE A \"first\"\n"
    "  /begin MOD_PAR \"mp\" SYSTEM_CONSTANT \"K\" \"1\"\n"
    "    /begin MEMORY_SEGMENT Seg \"\" DATA RAM INTERN 0x100 0x10 -1 -1 -1 -1 -1 /end "
    "MEMORY_SEGMENT\n"
    "  /end MOD_PAR\n"
    "  /begin CHARACTERISTIC C1 \"\" VALUE 0 RL 0 CM 0 1 /end CHARACTERISTIC\n"
    "  /begin MEASUREMENT M1 \"\" UBYTE CM 0 0 0 1 /end MEASUREMENT\n"
    "  /begin FUNCTION F1 \"\"\n"
    "    /begin DEF_CHARACTERISTIC C1 /end DEF_CHARACTERISTIC /begin IN_MEASUREMENT M1 /end "
    "IN_MEASUREMENT\n"
    "    /begin REF_CHARACTERISTIC C1 /end REF_CHARACTERISTIC /begin SUB_FUNCTION F1 /end "
    "SUB_FUNCTION\n"
    "    /begin AXIS_PTS Ap1 /end AXIS_PTS\n"
    "  /end FUNCTION\n"
    "  /begin AXIS_PTS Ap1 \"\" 0 M1 RL 0 CM 1 0 1 /end AXIS_PTS\n"
    "/end MODULE\n"
    "/begin MODULE a \"second\" /begin RECORD_LAYOUT R1 /end RECORD_LAYOUT /end MODULE\n"
    "/end PROJECT\n";

bool endsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class WriterOptions : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ordex_test::readText(inst_, kTwoModules), rcOk) << ordex_test::readError(inst_);
  }
  TOrdexReturnCode write(const char* module = nullptr, const char* modParTemplate = nullptr,
                         TOrdexElementCallback element = nullptr,
                         TOrdexProgressCallback progress = nullptr) {
    return Ordex_WriteAsapFile(inst_, out_.c_str(), module, modParTemplate, "", element, progress);
  }
  std::string written() const { return readFile(out_); }

  Instance inst_;
  TempDir dir_;
  std::string out_ = dir_.path() + "/out.a2l";
};

TOrdexReturnCode writeTo(TOrdex* inst, const char* path) {
  return Ordex_WriteAsapFile(inst, path, nullptr, nullptr, "", nullptr, nullptr);
}

TEST_F(WriterOptions, ReturnCodesAndFileHandling) {
  EXPECT_EQ(writeTo(nullptr, out_.c_str()), rcNoInstance);
  EXPECT_EQ(
      Ordex_WriteAsapFile_Intern(nullptr, out_.c_str(), nullptr, nullptr, "", nullptr, nullptr),
      rcNoInstance);
  EXPECT_EQ(writeTo(inst_, nullptr), rcOutputCreateFailed);
  EXPECT_EQ(writeTo(inst_, (dir_.path() + "/missing/out.a2l").c_str()), rcOutputCreateFailed);
  // A folder of that name is neither deleted nor written.
  std::string folder = dir_.path() + "/folder";
  std::filesystem::create_directory(folder);
  EXPECT_EQ(writeTo(inst_, folder.c_str()), rcOutputCreateFailed);
  EXPECT_TRUE(std::filesystem::is_directory(folder));

  // An existing file is replaced whole, also a read-only one.
  dir_.write("out.a2l", std::string(100000, 'x'));
  chmod(out_.c_str(), 0444);
  ASSERT_EQ(write(), rcOk);
  std::string text = written();
  EXPECT_EQ(text.find('x' + std::string(10, 'x')), std::string::npos);
  EXPECT_TRUE(endsWith(text, "\n/end PROJECT\n"));
  EXPECT_EQ(Ordex_WriteAsapFile_Intern(inst_, out_.c_str(), nullptr, nullptr, "", nullptr, nullptr),
            rcOk);
  EXPECT_EQ(written(), text);
}

// Writing needs the project's name and HEADER: without a project the call fails and leaves
// a file of that name as it was.
TEST(WriterWithoutProject, GivesNoProjectAndTouchesNoFile) {
  Instance inst;
  TempDir dir;
  std::string path = dir.write("keep.a2l", "kept");
  EXPECT_EQ(writeTo(inst, path.c_str()), rcNoProject);
  EXPECT_EQ(readFile(path), "kept");
}

// The filter compares byte by byte, whatever the comparison mode says; a name that matches
// no module writes the project without modules.
TEST_F(WriterOptions, ModuleFilterComparesExactly) {
  Ordex_ConfigureStringComparison(1);
  TOrdexReturnCode rc = write("a");
  Ordex_ConfigureStringComparison(0);
  ASSERT_EQ(rc, rcOk);
  std::string text = written();
  EXPECT_NE(text.find("  /begin MODULE\n    a \"second\"\n"), std::string::npos);
  EXPECT_EQ(text.find("    A \"first\"\n"), std::string::npos);
  EXPECT_EQ(text.find("C1"), std::string::npos);

  // A null comment is written as an empty one.
  ASSERT_EQ(Ordex_WriteAsapFile(inst_, out_.c_str(), "B", nullptr, nullptr, nullptr, nullptr),
            rcOk);
  EXPECT_EQ(written(),
            "ASAP2_VERSION  1 3\n/*  */\n/begin PROJECT\n  P \"\"\n\n"
            "  /begin HEADER\n    \"\"\n  /end HEADER\n\n/end PROJECT\n");
}

// The template replaces MOD_PAR: copied up to the first "<MEMORY_SEGMENTs>", the memory
// segments at the module's indentation, the text up to the first "<SYSTEM_CONSTANTs>", the
// system constants, the rest, and a line feed.
struct TemplateCase {
  const char* name;
  const char* templateText;
  // What stands between the module head and MOD_COMMON; {S} stands for the memory segment
  // block and {K} for the system constant line.
  const char* expected;
};

class WriterModParTemplate : public WriterOptions,
                             public testing::WithParamInterface<TemplateCase> {};

std::string expand(std::string text) {
  const std::pair<std::string, std::string> parts[] = {
      {"{S}",
       "    /begin MEMORY_SEGMENT\n      Seg \"\"\n      DATA RAM INTERN\n      0x100 0x10\n"
       "      -1 -1 -1 -1 -1 \n    /end MEMORY_SEGMENT\n\n"},
      {"{K}", "    SYSTEM_CONSTANT \"K\" \"1\"\n"},
  };
  for (const auto& [key, value] : parts) {
    for (size_t at; (at = text.find(key)) != std::string::npos;) text.replace(at, 3, value);
  }
  return text;
}

TEST_P(WriterModParTemplate, MarkerSearch) {
  ASSERT_EQ(write("A", dir_.write("modpar.txt", GetParam().templateText).c_str()), rcOk);
  const std::string text = written(), head = "    A \"first\"\n\n";
  size_t start = text.find(head) + head.size(), end = text.find("    /begin MOD_COMMON\n");
  ASSERT_LT(start, end) << text;
  EXPECT_EQ(text.substr(start, end - start), expand(GetParam().expected));
}

const TemplateCase kTemplateCases[] = {
    {"BothMarkers", "a<MEMORY_SEGMENTs>b<SYSTEM_CONSTANTs>c", "a{S}b{K}c\n"},
    // Without markers the template is copied whole (a partial marker at its end too), then
    // come the segments, the constants and a line feed.
    {"NoMarker", "T\n<MEMORY_SEG", "T\n<MEMORY_SEG{S}{K}\n"},
    {"OnlyTheSegmentMarker", "a<MEMORY_SEGMENTs>b", "a{S}b{K}\n"},
    // The search does not back up: the second "<" breaks the match begun by the first and
    // is not itself taken as the start of the marker.
    {"DoubledOpenerHidesTheMarker", "<<MEMORY_SEGMENTs>x", "<<MEMORY_SEGMENTs>x{S}{K}\n"},
    // Only the first marker of each kind is replaced, and the constants marker is looked
    // for behind the segments marker only.
    {"ConstantsMarkerFirst", "<SYSTEM_CONSTANTs>a<MEMORY_SEGMENTs>b",
     "<SYSTEM_CONSTANTs>a{S}b{K}\n"},
    {"RepeatedMarker", "a<MEMORY_SEGMENTs>b<MEMORY_SEGMENTs>c<SYSTEM_CONSTANTs>d",
     "a{S}b<MEMORY_SEGMENTs>c{K}d\n"},
    {"EmptyTemplate", "", "{S}{K}\n"},
};
INSTANTIATE_TEST_SUITE_P(Template, WriterModParTemplate, testing::ValuesIn(kTemplateCases),
                         [](const testing::TestParamInfo<TemplateCase>& i) {
                           return i.param.name;
                         });

// A template that cannot be opened stops the write with -4 before anything is created; a
// write that reaches no module does not need it.
TEST_F(WriterOptions, MissingTemplateCreatesNothing) {
  std::string missing = dir_.path() + "/missing.txt";
  EXPECT_EQ(write(nullptr, missing.c_str()), rcFileOpenFailed);
  EXPECT_FALSE(std::filesystem::exists(out_));
  EXPECT_EQ(write("NoSuchModule", missing.c_str()), rcOk);
  EXPECT_TRUE(endsWith(written(), "/end HEADER\n\n/end PROJECT\n"));
}

// ---- element callback ----

std::vector<std::pair<int, uint32_t>> gElements;
int gRefusedKind = 0;

int recordElement(TOrdexElementType kind, uint32_t userData) {
  gElements.emplace_back(kind, userData);
  return kind != gRefusedKind;
}

// Every object is asked about with its kind and UserData. List entries that the reference
// finder has not resolved are left out, and a list without entries to write is not written;
// resolved entries are written when the callback accepts their object (AXIS_PTS entries are
// never resolved).
TEST_F(WriterOptions, ElementCallbackFiltersObjectsAndResolvedListEntries) {
  gElements.clear();
  gRefusedKind = 0;
  ASSERT_EQ(write(nullptr, nullptr, recordElement), rcOk);
  EXPECT_EQ(gElements, (std::vector<std::pair<int, uint32_t>>{{etCharacteristic, 0},
                                                              {etMeasurement, 0},
                                                              {etFunction, 0},
                                                              {etAxisPts, 0},
                                                              {etRecordLayout, 0}}));
  EXPECT_NE(written().find("    /begin FUNCTION\n      F1 \"\"\n    /end FUNCTION\n"),
            std::string::npos)
      << written();

  ASSERT_EQ(Ordex_ReferenceFinder(inst_, 0x2, 0, 0, nullptr), rcOk);
  ASSERT_EQ(write(nullptr, nullptr, recordElement), rcOk);
  EXPECT_NE(written().find("    /begin FUNCTION\n      F1 \"\"\n"
                           "      /begin DEF_CHARACTERISTIC\n        C1 \n"
                           "      /end DEF_CHARACTERISTIC\n"
                           "      /begin REF_CHARACTERISTIC\n        C1 \n"
                           "      /end REF_CHARACTERISTIC\n"
                           "      /begin IN_MEASUREMENT\n        M1 \n      /end IN_MEASUREMENT\n"
                           "      /begin SUB_FUNCTION\n        F1 \n      /end SUB_FUNCTION\n"
                           "    /end FUNCTION\n"),
            std::string::npos)
      << written();

  gElements.clear();
  gRefusedKind = etCharacteristic;
  ASSERT_EQ(write(nullptr, nullptr, recordElement), rcOk);
  std::string text = written();
  EXPECT_EQ(text.find("CHARACTERISTIC"), std::string::npos) << text;
  EXPECT_NE(text.find("/begin IN_MEASUREMENT"), std::string::npos) << text;
  // The function is asked about twice: as an object and as its own sub-function.
  EXPECT_EQ(std::count(gElements.begin(), gElements.end(), std::make_pair(int(etFunction), 0u)), 2);
}

// ---- progress callback ----

std::vector<int> gPercents;
int gStopAfter = 0;  // stop at this call (1 = the first); 0 never

int recordProgress(int percent) {
  gPercents.push_back(percent);
  return gStopAfter != 0 && static_cast<int>(gPercents.size()) >= gStopAfter;
}

int refuseAll(TOrdexElementType, uint32_t) {
  return 0;
}

// The percentages a write reports with recordProgress stopping at call `stopAfter`.
std::vector<int> percents(int stopAfter, TOrdex* inst, const std::string& path,
                          const char* module = nullptr, TOrdexElementCallback element = nullptr) {
  gPercents.clear();
  gStopAfter = stopAfter;
  EXPECT_EQ(Ordex_WriteAsapFile(inst, path.c_str(), module, nullptr, "", element, recordProgress),
            rcOk);
  return gPercents;
}

// Objects of all written modules are counted together; the percentage is reported when it
// grows, before the element callback, so refused objects count as well.
TEST_F(WriterOptions, ProgressRunsOnAcrossModules) {
  EXPECT_EQ(percents(0, inst_, out_, nullptr, refuseAll), (std::vector<int>{20, 40, 60, 80, 100}));
  EXPECT_EQ(percents(0, inst_, out_, "a"), std::vector<int>{100});
  EXPECT_EQ(percents(0, inst_, out_, "none"), std::vector<int>{});
}

// A callback that asks to stop ends the current module: its end is written and the write
// goes on with the next module; the result is still 0.
TEST_F(WriterOptions, ProgressStopEndsOnlyTheCurrentModule) {
  EXPECT_EQ(percents(1, inst_, out_), (std::vector<int>{20, 40}));
  std::string text = written();
  for (const char* object :
       {"CHARACTERISTIC", "MEASUREMENT", "FUNCTION", "AXIS_PTS", "RECORD_LAYOUT"}) {
    EXPECT_EQ(text.find(object), std::string::npos) << object;
  }
  EXPECT_NE(text.find("    /end MOD_COMMON\n\n  /end MODULE\n\n  /begin MODULE\n    a \"second\""),
            std::string::npos);
  EXPECT_TRUE(endsWith(text, "    /end MOD_COMMON\n\n  /end MODULE\n\n/end PROJECT\n")) << text;
}

// With 1000 objects the percentage grows every tenth object: a callback that stops at its
// first call leaves nine objects written.
TEST(WriterProgress, ThousandObjectsStopAtTheTenth) {
  std::string a2l = "/begin PROJECT P \"\" /begin MODULE M \"\"\n";
  for (int i = 0; i < 1000; ++i)
    a2l += "/begin RECORD_LAYOUT R" + std::to_string(i) + " /end RECORD_LAYOUT\n";
  Instance inst;
  TempDir dir;
  ASSERT_EQ(ordex_test::readText(inst, a2l + "/end MODULE /end PROJECT\n"), rcOk);
  std::string out = dir.path() + "/out.a2l";
  EXPECT_EQ(percents(1, inst, out), std::vector<int>{1});
  std::string text = readFile(out);
  size_t blocks = 0;
  for (size_t at = 0; (at = text.find("/begin RECORD_LAYOUT", at)) != std::string::npos; ++at)
    ++blocks;
  EXPECT_EQ(blocks, 9u);
  EXPECT_NE(text.find("      R8\n"), std::string::npos);

  std::vector<int> all = percents(0, inst, out);
  ASSERT_EQ(all.size(), 100u);
  EXPECT_EQ(all.front(), 1);
  EXPECT_EQ(all.back(), 100);
}

}  // namespace
