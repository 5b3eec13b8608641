// The top-level reader: block structure, HEADER, the error codes of a malformed structure
// with the error report's line and object path, the progress callback and the report text.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace {

using ordex_test::failureReport;
using ordex_test::Instance;
using ordex_test::moduleNames;
using ordex_test::readError;
using ordex_test::readText;
using ordex_test::TempDir;

// The report of a failed read, built the way the reader words it.
TEST(ReaderBlocks, MinimalProjectReadsAndReportsNoError) {
  Instance inst;
  ASSERT_EQ(readText(inst,
                     "/begin PROJECT P \"long\"\n/begin MODULE M \"m\"\n/end MODULE\n"
                     "/end PROJECT\n"),
            rcOk);
  EXPECT_EQ(readError(inst), "No error detected");
  EXPECT_EQ(moduleNames(inst), std::vector<std::string>{"M"});
  TProject p;
  ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
  EXPECT_STREQ(p.Name, "P");
  EXPECT_STREQ(p.LongIdentifier, "long");
  EXPECT_STREQ(p.HeaderComment, "");
  EXPECT_EQ(p.Asap2Version, 0);
}

TEST(ReaderBlocks, FreshInstanceReportsNoError) {
  Instance inst;
  EXPECT_EQ(readError(inst), "No error detected");
}

TEST(ReaderBlocks, InternNamesAreTheSameOperations) {
  TempDir dir;
  std::string path = dir.write("a.a2l", "/begin PROJECT P \"\" /end PROJECT\n");
  Instance inst;
  EXPECT_EQ(Ordex_ReadAsapFile_Intern(inst, path.c_str(), "unused", nullptr), rcOk);
  char buf[64];
  EXPECT_EQ(Ordex_GetReadAsapFileError_Intern(inst, buf, sizeof buf), rcOk);
  EXPECT_STREQ(buf, "No error detected");
  EXPECT_EQ(Ordex_ReadAsapFile(nullptr, path.c_str(), nullptr, nullptr), rcNoInstance);
  EXPECT_EQ(Ordex_GetReadAsapFileError(nullptr, buf, sizeof buf), rcNoInstance);
  EXPECT_EQ(Ordex_GetReadAsapFileError(inst, nullptr, 10), rcNullArgument);
  EXPECT_EQ(Ordex_GetReadAsapFileError(inst, nullptr, 0), rcOk);
}

TEST(ReaderBlocks, FileWithoutFinalLineFeedStillCloses) {
  // The tokenizer loses the last "PROJECT" (no whitespace follows it); the "/end" before it
  // still closes the nesting.
  Instance inst;
  ASSERT_EQ(
      readText(inst, "/begin PROJECT P \"\"\n/begin MODULE M \"\"\n/end MODULE\n/end PROJECT"),
      rcOk);
  EXPECT_EQ(moduleNames(inst), std::vector<std::string>{"M"});
}

TEST(ReaderBlocks, HeaderFields) {
  Instance inst;
  ASSERT_EQ(readText(inst,
                     "/begin PROJECT P \"\"\n"
                     "  /begin HEADER \"the comment\"\n"
                     "    UNKNOWN_ITEM 12\n"
                     "    PROJECT_NO NO_42\n"
                     "    VERSION \"BG5.0815\"\n"
                     "  /end HEADER\n"
                     "/end PROJECT\n"),
            rcOk);
  TProject p;
  ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
  EXPECT_STREQ(p.HeaderComment, "the comment");
  EXPECT_STREQ(p.HeaderVersion, "BG5.0815");
  EXPECT_STREQ(p.HeaderProjectNo, "NO_42");
}

TEST(ReaderBlocks, HeaderItemsFollowTheTokenWindow) {
  // Each token is examined once it is current, also one that was just taken as the value
  // of the item before it; the first token after the keyword is always the comment.
  struct Case {
    const char* body;
    const char* comment;
    const char* version;
    const char* projectNo;
  };
  const Case cases[] = {
      {"\"c\" VERSION PROJECT_NO P1", "c", "PROJECT_NO", "P1"},
      {"\"c\" VERSION VERSION \"v2\"", "c", "v2", ""},
      {"VERSION \"v\"", "VERSION", "", ""},
      {"\"c\" PROJECT_NO", "c", "", "/end"},  // the look-ahead reaches the /end
      {"\"c\" VERSION \"a\" VERSION \"b\"", "c", "b", ""},
      {"\"c\" version \"lower case is no keyword\"", "c", "", ""},
  };
  for (const Case& c : cases) {
    Instance inst;
    ASSERT_EQ(readText(inst, std::string("/begin PROJECT P \"\" /begin HEADER ") + c.body +
                                 " /end HEADER /end PROJECT\n"),
              rcOk)
        << c.body;
    TProject p;
    ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
    EXPECT_STREQ(p.HeaderComment, c.comment) << c.body;
    EXPECT_STREQ(p.HeaderVersion, c.version) << c.body;
    EXPECT_STREQ(p.HeaderProjectNo, c.projectNo) << c.body;
  }
}

TEST(ReaderBlocks, HeaderCommentWrittenAsNullIsEmpty) {
  Instance inst;
  ASSERT_EQ(readText(inst,
                     "/begin PROJECT P \"\" /begin HEADER NULL VERSION NULL /end HEADER "
                     "/end PROJECT\n"),
            rcOk);
  TProject p;
  ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
  EXPECT_STREQ(p.HeaderComment, "");
  EXPECT_STREQ(p.HeaderVersion, "");
}

TEST(ReaderBlocks, UnknownBlocksAreSkippedWhole) {
  Instance inst;
  ASSERT_EQ(readText(inst,
                     "/begin PROJECT P \"\"\n"
                     "/begin MODULE M \"\"\n"
                     "  /begin GROUP g \"\" ROOT\n"
                     "    /begin SUB_GROUP a b /end SUB_GROUP\n"
                     "    /begin REF_CHARACTERISTIC x /end REF_CHARACTERISTIC\n"
                     "  /end GROUP\n"
                     "  /begin UNIT u \"\" \"rpm\" DERIVED /end UNIT\n"
                     "  /begin FRAME f \"\" 1 2 FRAME_MEASUREMENT m1 m2 /end FRAME\n"
                     "  /begin BLOB b \"\" 0x100 4 /end BLOB\n"
                     "/end MODULE\n"
                     "/begin MODULE Second \"\" /end MODULE\n"
                     "/end PROJECT\n"),
            rcOk);
  EXPECT_EQ(moduleNames(inst), (std::vector<std::string>{"M", "Second"}));
}

TEST(ReaderBlocks, A2mlBlockIsSkipped) {
  Instance inst;
  ASSERT_EQ(readText(inst,
                     "/begin PROJECT P \"\"\n"
                     "/begin MODULE M \"\"\n"
                     "  /begin A2ML\n"
                     "    block \"IF_DATA\" taggedunion { \"X\" struct { uint; }; };\n"
                     "  /end A2ML\n"
                     "/end MODULE\n"
                     "/end PROJECT\n"),
            rcOk);
  EXPECT_EQ(moduleNames(inst), std::vector<std::string>{"M"});
}

// Each malformed structure with its code and where the report places it. The reader looks
// three tokens ahead, so the line is the one of the third token after the offending one.
struct StructureCase {
  const char* name;
  const char* text;
  TOrdexReturnCode rc;
  int line;
  const char* path;
  const char* last;
};

const StructureCase kStructureCases[] = {
    {"module before any project",
     "/begin MODULE m \"\"\n"
     "/end MODULE\n",
     rcBlockOutsideParent, 2, "", ""},
    {"header outside project",
     "/begin HEADER \"c\"\n"
     "/end HEADER\n",
     rcBlockOutsideParent, 2, ", HEADER", ""},
    {"object block directly in project",
     "/begin PROJECT p \"\"\n"
     "  /begin CHARACTERISTIC c \"\" VALUE 0 R 0 CM 0 1\n"
     "  /end CHARACTERISTIC\n"
     "/end PROJECT\n",
     rcBlockOutsideParent, 2, ", CHARACTERISTIC", ""},
    {"object block after its module closed",
     "/begin PROJECT p \"\"\n"
     "/begin MODULE m \"\" /end MODULE\n"
     "/begin MEASUREMENT x \"\"\n"
     "/end MEASUREMENT\n"
     "/end PROJECT\n",
     rcBlockOutsideParent, 4, "PROJECT p, MODULE m, MEASUREMENT", "PROJECT p, MODULE m"},
    {"end with nothing open", "/end PROJECT\n", rcBlockNesting, 2, "", ""},
    {"end of a kind that is not open",
     "/begin PROJECT p \"\"\n"
     "/begin MODULE m \"\"\n"
     "/end MEASUREMENT\n"
     "/end MODULE\n"
     "/end PROJECT\n",
     rcBlockNesting, 5, "PROJECT p, MODULE m", ""},
    {"begin of a kind already open",
     "/begin PROJECT p \"\"\n"
     "/begin MODULE a \"\"\n"
     "/begin MODULE b \"\"\n"
     "/end MODULE\n",
     rcBlockNesting, 4, "PROJECT p, MODULE a", ""},
    {"nested object block of an open kind",
     "/begin PROJECT p \"\"\n"
     "/begin MODULE m \"\"\n"
     "/begin FUNCTION\n"
     "/begin FUNCTION f \"\"\n",
     rcBlockNesting, 5, "PROJECT p, MODULE m, FUNCTION", ""},
    {"missing end of module",
     "/begin PROJECT p \"\"\n"
     "/begin MODULE m \"\"\n"
     "/end PROJECT\n",
     rcBlockNesting, 4, "PROJECT p, MODULE m", "PROJECT p, MODULE m"},
    {"unknown block with an unbalanced inner begin",
     "/begin PROJECT p \"\"\n"
     "/begin MODULE m \"\"\n"
     "/begin GROUP g \"\"\n"
     "/begin SUB_GROUP a\n"
     "/end GROUP\n"
     "/end MODULE\n"
     "/end PROJECT\n",
     rcBlockNesting, 8, "PROJECT p, MODULE m", "PROJECT p"},
    {"stray end of an unknown block",
     "/begin PROJECT p \"\"\n"
     "/begin MODULE m \"\"\n"
     "/end GROUP\n"
     "/end MODULE\n"
     "/end PROJECT\n",
     rcBlockNesting, 6, "PROJECT p, MODULE m", "PROJECT p"},
    {"begin as the very last token",
     "/begin PROJECT p \"\"\n"
     "/end PROJECT\n"
     "/begin\n",
     rcBlockNesting, 4, "PROJECT p", "PROJECT p"},
    {"second project while the first is open",
     "/begin PROJECT p \"\"\n"
     "/begin MODULE m \"\"\n"
     "/begin PROJECT q \"\"\n",
     rcBlockNesting, 4, "PROJECT p, MODULE m", ""},
};

class ReaderStructure : public ::testing::TestWithParam<StructureCase> {};

TEST_P(ReaderStructure, FailsWithCodeLineAndPath) {
  const StructureCase& c = GetParam();
  Instance inst;
  EXPECT_EQ(readText(inst, c.text), c.rc);
  EXPECT_EQ(readError(inst), failureReport(c.line, c.path, c.last));
}

INSTANTIATE_TEST_SUITE_P(Cases, ReaderStructure, ::testing::ValuesIn(kStructureCases),
                         [](const ::testing::TestParamInfo<StructureCase>& info) {
                           std::string n = info.param.name;
                           for (char& ch : n) {
                             if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           }
                           return n;
                         });

TEST(ReaderBlocks, WhatWasReadBeforeAFailureStays) {
  Instance inst;
  EXPECT_EQ(readText(inst,
                     "/begin PROJECT p \"\"\n/begin MODULE a \"\" /end MODULE\n"
                     "/begin MODULE b \"\"\n/end PROJECT\n"),
            rcBlockNesting);
  EXPECT_EQ(moduleNames(inst), (std::vector<std::string>{"a", "b"}));
}

TEST(ReaderBlocks, ModuleIfDataDoesNotDisturbTheStructure) {
  Instance inst;
  EXPECT_EQ(
      readText(inst,
               "/begin PROJECT p \"\"\n"
               "/begin MODULE m \"\"\n"
               "  /begin IF_DATA XCP /begin PROTOCOL_LAYER 1 2 /end PROTOCOL_LAYER /end IF_DATA\n"
               "  /begin IF_DATA CCP \"quoted /end\" /end IF_DATA\n"
               "/end MODULE\n"
               "/end PROJECT\n"),
      rcOk);
  // The interface name is part of the path of a failure inside module IF_DATA.
  EXPECT_EQ(readText(inst,
                     "/begin PROJECT p \"\"\n"
                     "/begin MODULE m \"\"\n"
                     "/begin IF_DATA XCP 1 2 3\n"
                     "/begin IF_DATA CCP\n"),
            rcBlockNesting);
  EXPECT_EQ(readError(inst), failureReport(5, "PROJECT p, MODULE m, IF_DATA XCP"));
}

TEST(ReaderBlocks, ErrorReportStartsAfreshAtEveryRead) {
  Instance inst;
  ASSERT_EQ(readText(inst,
                     "/begin PROJECT old \"\"\n/begin MODULE gone \"\"\n"
                     "/begin MEASUREMENT /end MEASUREMENT\n/end PROJECT\n"),
            rcBlockNesting);
  EXPECT_EQ(readError(inst),
            failureReport(5, "PROJECT old, MODULE gone, MEASUREMENT", "PROJECT old, MODULE gone"));
  // A failure before any block: nothing of the earlier read is named.
  EXPECT_EQ(readText(inst, "/end MODULE\n"), rcBlockNesting);
  EXPECT_EQ(readError(inst), failureReport(2, ""));
  ASSERT_EQ(readText(inst, "/begin PROJECT p \"\" /end PROJECT\n"), rcOk);
  EXPECT_EQ(readError(inst), "No error detected");
}

TEST(ReaderBlocks, FileThatCannotBeOpenedKeepsTheEarlierLine) {
  Instance inst;
  ASSERT_EQ(readText(inst, "/begin PROJECT p \"\"\n\n/begin MODULE m \"\"\n"), rcBlockNesting);
  EXPECT_EQ(readError(inst), failureReport(4, "PROJECT p, MODULE m"));
  TempDir dir;
  std::string missing = dir.path() + "/missing.a2l";
  EXPECT_EQ(Ordex_ReadAsapFile(inst, missing.c_str(), nullptr, nullptr), rcFileOpenFailed);
  // The line of the earlier read stays; its object path does not.
  EXPECT_EQ(readError(inst), failureReport(4, ""));
  // The project of the earlier read stays as well.
  EXPECT_EQ(moduleNames(inst), std::vector<std::string>{"m"});
}

TEST(ReaderBlocks, ReadingTwiceReplacesTheProject) {
  Instance inst;
  ASSERT_EQ(readText(inst,
                     "/begin PROJECT first \"\" /begin MODULE a \"\" /end MODULE "
                     "/begin MODULE b \"\" /end MODULE /end PROJECT\n"),
            rcOk);
  ASSERT_EQ(readText(inst,
                     "/begin PROJECT second \"\" /begin MODULE c \"\" /end MODULE "
                     "/end PROJECT\n"),
            rcOk);
  TProject p;
  ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
  EXPECT_STREQ(p.Name, "second");
  EXPECT_EQ(moduleNames(inst), std::vector<std::string>{"c"});
}

TEST(ReaderBlocks, SecondProjectInOneFileReplacesTheFirst) {
  Instance inst;
  ASSERT_EQ(readText(inst,
                     "/begin PROJECT first \"\" /begin MODULE a \"\" /end MODULE "
                     "/end PROJECT\n"
                     "/begin PROJECT second \"\" /begin MODULE b \"\" /end MODULE "
                     "/end PROJECT\n"),
            rcOk);
  TProject p;
  ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
  EXPECT_STREQ(p.Name, "second");
  EXPECT_EQ(moduleNames(inst), std::vector<std::string>{"b"});
}

TEST(ReaderBlocks, EmptyFileReadsWithoutProject) {
  Instance inst;
  EXPECT_EQ(readText(inst, ""), rcOk);
  TProject p;
  EXPECT_EQ(Ordex_GetProject(inst, &p, 0), rcNoProject);
  EXPECT_EQ(readText(inst, "/* only a comment */\n"), rcOk);
  EXPECT_EQ(Ordex_GetProject(inst, &p, 0), rcNoProject);
}

// ---------------------------------------------------------------------------------------
// Progress callback

struct ProgressLog {
  std::vector<int> calls;
  int stopAtCall = 0;  // 1-based; 0 never stops
};
ProgressLog gProgress;

int recordProgress(int percent) {
  gProgress.calls.push_back(percent);
  return static_cast<int>(gProgress.calls.size()) == gProgress.stopAtCall ? 1 : 0;
}

// A file with many /begin tokens spread over its length (nested and unknown blocks too).
std::string progressFile(int modules) {
  std::string text = "/begin PROJECT P \"\"\n";
  for (int i = 0; i < modules; ++i) {
    text += "/begin MODULE M" + std::to_string(i) + " \"\"\n";
    text += "  /begin GROUP g \"\" /begin SUB_GROUP a /end SUB_GROUP /end GROUP\n";
    text += "  /* " + std::string(200, '-') + " */\n";
    text += "/end MODULE\n";
  }
  return text + "/end PROJECT\n";
}

TEST(ReaderProgress, CalledAtEveryBeginWithRisingPercentages) {
  TempDir dir;
  const int modules = 50;
  std::string path = dir.write("progress.a2l", progressFile(modules));
  gProgress = ProgressLog{};
  Instance inst;
  ASSERT_EQ(Ordex_ReadAsapFile(inst, path.c_str(), nullptr, recordProgress), rcOk);
  ASSERT_EQ(gProgress.calls.size(), static_cast<size_t>(1 + 3 * modules));
  for (size_t i = 0; i < gProgress.calls.size(); ++i) {
    EXPECT_GE(gProgress.calls[i], 0);
    EXPECT_LE(gProgress.calls[i], 100);
    if (i) {
      EXPECT_GE(gProgress.calls[i], gProgress.calls[i - 1]) << i;
    }
  }
  EXPECT_LE(gProgress.calls.front(), 5);
  EXPECT_GE(gProgress.calls.back(), 90);
}

TEST(ReaderProgress, StopAtTheFirstCallLeavesNoProject) {
  gProgress = ProgressLog{};
  gProgress.stopAtCall = 1;
  TempDir dir;
  std::string path = dir.write("stop.a2l", progressFile(3));
  Instance inst;
  EXPECT_EQ(Ordex_ReadAsapFile(inst, path.c_str(), nullptr, recordProgress), rcAbortedByCallback);
  EXPECT_EQ(gProgress.calls.size(), 1u);
  TProject p;
  EXPECT_EQ(Ordex_GetProject(inst, &p, 0), rcNoProject);
  EXPECT_EQ(readError(inst), failureReport(2, ""));
}

TEST(ReaderProgress, StopLaterKeepsWhatWasRead) {
  gProgress = ProgressLog{};
  gProgress.stopAtCall = 5;  // PROJECT, MODULE M0, GROUP, SUB_GROUP, then MODULE M1
  TempDir dir;
  std::string path = dir.write("stop.a2l", progressFile(3));
  Instance inst;
  EXPECT_EQ(Ordex_ReadAsapFile(inst, path.c_str(), nullptr, recordProgress), rcAbortedByCallback);
  EXPECT_EQ(gProgress.calls.size(), 5u);
  EXPECT_EQ(moduleNames(inst), std::vector<std::string>{"M0"});
  EXPECT_EQ(readError(inst), failureReport(7, "PROJECT P, MODULE M0", "PROJECT P, MODULE M0"));
}

TEST(ReaderProgress, StopAtTheFirstCallKeepsAnEarlierProject) {
  // The project is replaced only when the new file's PROJECT block begins.
  Instance inst;
  ASSERT_EQ(readText(inst, "/begin PROJECT Earlier \"\" /end PROJECT\n"), rcOk);
  gProgress = ProgressLog{};
  gProgress.stopAtCall = 1;
  TempDir dir;
  std::string path = dir.write("stop.a2l", progressFile(3));
  EXPECT_EQ(Ordex_ReadAsapFile(inst, path.c_str(), nullptr, recordProgress), rcAbortedByCallback);
  TProject p;
  ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
  EXPECT_STREQ(p.Name, "Earlier");
}

// What calls made from inside the progress callback gave.
struct Reentry {
  TOrdex* reading = nullptr;
  TOrdex* other = nullptr;
  std::string path;
  int calls = 0;
  TOrdexReturnCode nestedSameInstance = rcOk;
  TOrdexReturnCode nestedOtherInstance = rcOk;
  TOrdexReturnCode unloadModule = rcOk;
  TOrdexReturnCode destroy = rcOk;
  TOrdexReturnCode getProject = rcOk;
};
Reentry gReentry;

int reenter(int) {
  // At the third /begin the PROJECT and the MODULE are being filled.
  if (++gReentry.calls != 3) return 0;
  gReentry.nestedSameInstance =
      Ordex_ReadAsapFile(gReentry.reading, gReentry.path.c_str(), nullptr, nullptr);
  gReentry.nestedOtherInstance =
      Ordex_ReadAsapFile(gReentry.other, gReentry.path.c_str(), nullptr, nullptr);
  gReentry.unloadModule = Ordex_SetFileAccessDll(0, nullptr);
  gReentry.destroy = Ordex_DestroyInstance(gReentry.reading);
  TProject p;
  gReentry.getProject = Ordex_GetProject(gReentry.reading, &p, 0);
  return 0;
}

TEST(ReaderProgress, CallsFromTheCallbackCannotPullTheReadAway) {
  TempDir dir;
  Instance inst;
  Instance other;
  gReentry = Reentry{};
  gReentry.reading = inst;
  gReentry.other = other;
  gReentry.path = dir.write("reenter.a2l", progressFile(4));
  ASSERT_EQ(Ordex_ReadAsapFile(inst, gReentry.path.c_str(), nullptr, reenter), rcOk);
  // One read runs at a time in a process; it keeps its instance and its file access.
  EXPECT_EQ(gReentry.nestedSameInstance, rcInvalidArgument);
  EXPECT_EQ(gReentry.nestedOtherInstance, rcInvalidArgument);
  EXPECT_EQ(gReentry.unloadModule, rcInvalidArgument);
  EXPECT_EQ(gReentry.destroy, rcInvalidArgument);
  EXPECT_EQ(gReentry.getProject, rcOk);
  EXPECT_EQ(moduleNames(inst), (std::vector<std::string>{"M0", "M1", "M2", "M3"}));
  TProject p;
  EXPECT_EQ(Ordex_GetProject(other, &p, 0), rcNoProject);
  // Once the read has ended, everything is allowed again.
  EXPECT_EQ(Ordex_ReadAsapFile(other, gReentry.path.c_str(), nullptr, nullptr), rcOk);
  EXPECT_EQ(Ordex_SetFileAccessDll(0, nullptr), rcOk);
}

// ---------------------------------------------------------------------------------------
// The report text and its buffer

TEST(ReaderReport, CutToTwoLessThanTheBuffer) {
  Instance inst;
  ASSERT_EQ(readText(inst,
                     "/begin PROJECT a_rather_long_project_name \"\"\n"
                     "/begin MODULE and_an_even_longer_module_name \"\"\n"),
            rcBlockNesting);
  std::string full = readError(inst);
  ASSERT_EQ(full, failureReport(3,
                                "PROJECT a_rather_long_project_name, MODULE "
                                "and_an_even_longer_module_name"));
  for (int size : {64, 40, 3, 2, 1}) {
    std::vector<char> buf(static_cast<size_t>(size) + 8, 'x');
    ASSERT_EQ(Ordex_GetReadAsapFileError(inst, buf.data(), size), rcOk);
    EXPECT_EQ(std::string(buf.data()), full.substr(0, static_cast<size_t>(size) - 2 < full.size()
                                                          ? static_cast<size_t>(size) - 2
                                                          : 0))
        << size;
    // The whole buffer is zero past the text, and nothing beyond it is touched.
    for (int i = static_cast<int>(std::strlen(buf.data())); i < size; ++i) {
      EXPECT_EQ(buf[static_cast<size_t>(i)], '\0') << size << " at " << i;
    }
    EXPECT_EQ(buf[static_cast<size_t>(size)], 'x') << size;
  }
}

TEST(ReaderReport, SizeBelowOneWritesNothing) {
  Instance inst;
  char buf[8];
  std::memset(buf, 'x', sizeof buf);
  EXPECT_EQ(Ordex_GetReadAsapFileError(inst, buf, 0), rcOk);
  EXPECT_EQ(Ordex_GetReadAsapFileError(inst, buf, -5), rcOk);
  for (char c : buf) EXPECT_EQ(c, 'x');
}

TEST(ReaderReport, NoErrorTextIsCutToTheBuffer) {
  Instance inst;
  char buf[16];
  std::memset(buf, 'x', sizeof buf);
  ASSERT_EQ(Ordex_GetReadAsapFileError(inst, buf, 9), rcOk);
  EXPECT_STREQ(buf, "No error");
  EXPECT_EQ(buf[9], 'x');
}

}  // namespace
