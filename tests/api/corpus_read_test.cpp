// Every real-world file of the shared corpus through Ordex_ReadAsapFile. Every file that holds
// a PROJECT reads with 0 and is written back byte for byte by Ordex_WriteAsapFilePreserving,
// unless it is malformed; the files that fail are recorded here with their code, their line
// and the reason. A file that appears in the corpus but not in the table fails the test, so
// the table is kept complete.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "ordex.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

struct Expected {
  TOrdexReturnCode rc;
  int line;  // the line named by the error report; 0 for a successful read
  // Of a failure: FILE:LINE:COLUMN of the token at fault (the file relative to the corpus),
  // and the token.
  const char* place = "";
  const char* token = "";
};

const std::map<std::string, Expected> kExpected = {
    {"DanielT__a2ltool/from_source.a2l", {rcOk, 0}},
    // A bare MEASUREMENT without PROJECT and MODULE: the include target of
    // merge_inc_test.a2l, not a file to be read by itself.
    {"DanielT__a2ltool/included.a2l",
     {rcBlockOutsideParent, 2, "DanielT__a2ltool/included.a2l:1:8", "MEASUREMENT"}},
    {"DanielT__a2ltool/merge_inc_test.a2l", {rcOk, 0}},
    {"DanielT__a2ltool/software_b.a2l", {rcOk, 0}},
    {"DanielT__a2ltool/update_test1.a2l", {rcOk, 0}},
    {"DanielT__a2ltool/xcp_test.a2l", {rcOk, 0}},
    // Line 449 comments a block out as "/*/begin DEFINED_PAGES ... */".
    {"HWRacing__countach/newvcu_2.a2l", {rcOk, 0}},
    // Holds a COMPU_VTAB input value written 1.1, as files of later versions may.
    {"Luncher91__A2LParser/freeTest.a2l", {rcOk, 0}},
    // A MODULE without PROJECT: the include target of includeTest.a2l.
    {"Luncher91__A2LParser/includeModule.a2l",
     {rcBlockOutsideParent, 2, "Luncher91__A2LParser/includeModule.a2l:1:8", "MODULE"}},
    // The input value 1.1 of freeTest.a2l, and two include targets that end without a line
    // feed after their last token (the end of an included file ends a token).
    {"Luncher91__A2LParser/includeTest.a2l", {rcOk, 0}},
    // A lone CHARACTERISTIC: the include target of includeModule.a2l.
    {"Luncher91__A2LParser/includedCharacteristics.a2l",
     {rcBlockOutsideParent, 3, "Luncher91__A2LParser/includedCharacteristics.a2l:1:8",
      "CHARACTERISTIC"}},
    // Meant as a negative test elsewhere (a line break inside a quoted annotation text); a
    // quoted string may span lines here, so it reads.
    {"Luncher91__A2LParser/invalidString.a2l", {rcOk, 0}},
    // A MODULE without PROJECT: include target of xcp-sim.a2l.
    {"domohuhn__a2l/engine_ecu.a2l",
     {rcBlockOutsideParent, 4, "domohuhn__a2l/engine_ecu.a2l:2:10", "MODULE"}},
    {"domohuhn__a2l/example-ecu.a2l", {rcOk, 0}},
    // A MODULE without PROJECT: include target of xcp-sim.a2l.
    {"domohuhn__a2l/lights_ecu.a2l",
     {rcBlockOutsideParent, 3, "domohuhn__a2l/lights_ecu.a2l:1:10", "MODULE"}},
    {"domohuhn__a2l/simple.a2l", {rcOk, 0}},
    {"domohuhn__a2l/xcp-sim.a2l", {rcOk, 0}},
    // Malformed: a MEMORY_SEGMENT offset written with an en dash (bytes E2 80 93) instead of a
    // minus, which is no number.
    {"kallemooo__Asap2/testFile.a2l",
     {rcBadNumber, 152, "kallemooo__Asap2/testFile.a2l:151:16",
      "\xE2\x80\x93"
      "1"}},
    {"sgnes__A2l-Parser/demo.a2l", {rcOk, 0}},
};

int reportedLine(const std::string& report) {
  int line = 0;
  if (std::sscanf(report.c_str(), "Error detected (near to line %d)", &line) != 1) return -1;
  return line;
}

// A preserving write into another folder gives the file and each file it includes byte for
// byte as read.
void expectWrittenAsRead(TOrdex* inst, const fs::path& path) {
  ordex_test::TempDir dir;
  fs::path written = fs::path(dir.path()) / path.filename();
  uint32_t outcome = 0;
  ASSERT_EQ(Ordex_WriteAsapFilePreserving(inst, written.c_str(), nullptr, nullptr, nullptr, nullptr,
                                          nullptr, 0, &outcome),
            rcOk);
  EXPECT_EQ(outcome & ~uint32_t{ORDEX_WROTE_INCLUDED_FILES}, 0u);
  EXPECT_TRUE(ordex_test::readFile(written) == ordex_test::readFile(path))
      << "differs: " << written;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(dir.path())) {
    if (!e.is_regular_file() || e.path() == written) continue;
    fs::path source = path.parent_path() / fs::relative(e.path(), dir.path());
    EXPECT_TRUE(ordex_test::readFile(e.path()) == ordex_test::readFile(source)) << e.path();
  }
}

TEST(Corpus, EveryFileReadsAsRecorded) {
  const fs::path root(ORDEX_CORPUS_DIR);
  if (!fs::is_directory(root)) GTEST_SKIP() << "no corpus at " << root;
  int files = 0;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(root)) {
    if (!e.is_regular_file() || e.path().extension() != ".a2l") continue;
    std::string key = fs::relative(e.path(), root).generic_string();
    SCOPED_TRACE(key);
    ++files;
    auto expected = kExpected.find(key);
    ASSERT_NE(expected, kExpected.end()) << "add the file to the table";
    ordex_test::Instance inst;
    TOrdexReturnCode rc = Ordex_ReadAsapFile(inst, e.path().c_str(), nullptr, nullptr);
    std::string report = ordex_test::readError(inst);
    EXPECT_EQ(rc, expected->second.rc) << report;
    if (expected->second.rc == rcOk) {
      EXPECT_EQ(report, "No error detected");
      TProject project;
      EXPECT_EQ(Ordex_GetProject(inst, &project, 0), rcOk);
      expectWrittenAsRead(inst, e.path());
    } else {
      EXPECT_EQ(reportedLine(report), expected->second.line) << report;
      // The place names the file that holds the fault, an include where it lies in one.
      TReadFailure f;
      ASSERT_EQ(Ordex_GetReadFailure(inst, &f), rcOk);
      const std::string file = fs::relative(fs::path(f.File), root).generic_string();
      EXPECT_EQ(file + ":" + std::to_string(f.Line) + ":" + std::to_string(f.Column),
                expected->second.place);
      EXPECT_STREQ(f.Token, expected->second.token);
    }
  }
  EXPECT_EQ(files, static_cast<int>(kExpected.size())) << "a file of the table is missing";
}

// Several corpus files end in "/end PROJECT" without a line feed. The tokenizer drops the
// cut-off "PROJECT", and the "/end" before it, the last token of the input, must still be
// counted.
TEST(Corpus, LastTokenOfTheInputIsExamined) {
  ordex_test::Instance inst;
  EXPECT_EQ(ordex_test::readText(inst,
                                 "/begin PROJECT P \"\"\n/begin MODULE M \"\"\n"
                                 "/end MODULE\n/end PROJECT"),
            rcOk)
      << ordex_test::readError(inst);
  // A block left open by the lost keyword is still found unbalanced.
  EXPECT_EQ(ordex_test::readText(inst,
                                 "/begin PROJECT P \"\"\n/begin MODULE M \"\"\n"
                                 "/end MODULE\n"),
            rcBlockNesting);
}

}  // namespace
