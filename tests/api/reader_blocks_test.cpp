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
using Names = std::vector<std::string>;

TEST(ReaderBlocks, MinimalProjectWithoutFinalLineFeed) {
  TempDir dir;
  // The tokenizer loses the last "PROJECT" (no whitespace follows it); the "/end" before it
  // still closes the nesting.
  std::string path = dir.write(
      "a.a2l", "/begin PROJECT P \"long\"\n/begin MODULE M \"m\"\n/end MODULE\n/end PROJECT");
  Instance inst;
  EXPECT_EQ(readError(inst), "No error detected");
  ASSERT_EQ(Ordex_ReadAsapFile_Intern(inst, path.c_str(), "unused", nullptr), rcOk);
  char buf[64];
  EXPECT_EQ(Ordex_GetReadAsapFileError_Intern(inst, buf, sizeof buf), rcOk);
  EXPECT_STREQ(buf, "No error detected");
  EXPECT_EQ(moduleNames(inst), Names{"M"});
  TProject p;
  ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
  EXPECT_STREQ(p.Name, "P");
  EXPECT_STREQ(p.LongIdentifier, "long");
  EXPECT_STREQ(p.HeaderComment, "");
  EXPECT_EQ(p.Asap2Version, 0);

  EXPECT_EQ(Ordex_ReadAsapFile(nullptr, path.c_str(), nullptr, nullptr), rcNoInstance);
  EXPECT_EQ(Ordex_GetReadAsapFileError(nullptr, buf, sizeof buf), rcNoInstance);
  EXPECT_EQ(Ordex_GetReadAsapFileError(inst, nullptr, 10), rcNullArgument);
  EXPECT_EQ(Ordex_GetReadAsapFileError(inst, nullptr, 0), rcOk);
}

// Each token of HEADER is examined once it is current, also one that was just taken as the
// value of the item before it; the first token after the keyword is always the comment.
TEST(ReaderBlocks, HeaderItemsFollowTheTokenWindow) {
  const struct {
    const char* body;
    const char* comment;
    const char* version;
    const char* projectNo;
  } cases[] = {
      {"\"the comment\" UNKNOWN_ITEM 12 PROJECT_NO NO_42 VERSION \"BG5.0815\"", "the comment",
       "BG5.0815", "NO_42"},
      {"\"c\" VERSION PROJECT_NO P1", "c", "PROJECT_NO", "P1"},
      {"\"c\" VERSION VERSION \"v2\"", "c", "v2", ""},
      {"VERSION \"v\"", "VERSION", "", ""},
      {"\"c\" PROJECT_NO", "c", "", "/end"},  // the look-ahead reaches the /end
      {"\"c\" VERSION \"a\" VERSION \"b\"", "c", "b", ""},
      {"\"c\" version \"lower case is no keyword\"", "c", "", ""},
      {"NULL VERSION NULL", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body);
    Instance inst;
    ASSERT_EQ(readText(inst, std::string("/begin PROJECT P \"\" /begin HEADER ") + c.body +
                                 " /end HEADER /end PROJECT\n"),
              rcOk);
    TProject p;
    ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
    EXPECT_STREQ(p.HeaderComment, c.comment);
    EXPECT_STREQ(p.HeaderVersion, c.version);
    EXPECT_STREQ(p.HeaderProjectNo, c.projectNo);
  }
}

TEST(ReaderBlocks, UnknownBlocksA2mlAndModuleIfDataAreSkippedWhole) {
  Instance inst;
  ASSERT_EQ(
      readText(inst,
               "/begin PROJECT P \"\"\n"
               "/begin MODULE M \"\"\n"
               "  /begin GROUP g \"\" ROOT\n"
               "    /begin SUB_GROUP a b /end SUB_GROUP\n"
               "    /begin REF_CHARACTERISTIC x /end REF_CHARACTERISTIC\n"
               "  /end GROUP\n"
               "  /begin UNIT u \"\" \"rpm\" DERIVED /end UNIT\n"
               "  /begin FRAME f \"\" 1 2 FRAME_MEASUREMENT m1 m2 /end FRAME\n"
               "  /begin BLOB b \"\" 0x100 4 /end BLOB\n"
               "  /begin A2ML\n"
               "    block \"IF_DATA\" taggedunion { \"X\" struct { uint; }; };\n"
               "  /end A2ML\n"
               "  /begin IF_DATA XCP /begin PROTOCOL_LAYER 1 2 /end PROTOCOL_LAYER /end IF_DATA\n"
               "  /begin IF_DATA CCP \"quoted /end\" /end IF_DATA\n"
               "/end MODULE\n"
               "/begin MODULE Second \"\" /end MODULE\n"
               "/end PROJECT\n"),
      rcOk);
  EXPECT_EQ(moduleNames(inst), (Names{"M", "Second"}));
}

// Each malformed structure with its code and where the report places it. The reader looks
// three tokens ahead, so the line is the one of the third token after the offending one.
TEST(ReaderBlocks, MalformedStructureFailsWithCodeLineAndPath) {
  const struct {
    const char* name;
    const char* text;
    TOrdexReturnCode rc;
    int line;
    const char* path;
    const char* last;
  } cases[] = {
      {"module before any project", "/begin MODULE m \"\"\n/end MODULE\n", rcBlockOutsideParent, 2,
       "", ""},
      {"header outside project", "/begin HEADER \"c\"\n/end HEADER\n", rcBlockOutsideParent, 2,
       ", HEADER", ""},
      {"object block directly in project",
       "/begin PROJECT p \"\"\n"
       "  /begin CHARACTERISTIC c \"\" VALUE 0 R 0 CM 0 1\n"
       "  /end CHARACTERISTIC\n"
       "/end PROJECT\n",
       rcBlockOutsideParent, 2, ", CHARACTERISTIC", ""},
      {"object block after its module closed",
       "/begin PROJECT p \"\"\n/begin MODULE m \"\" /end MODULE\n"
       "/begin MEASUREMENT x \"\"\n/end MEASUREMENT\n/end PROJECT\n",
       rcBlockOutsideParent, 4, "PROJECT p, MODULE m, MEASUREMENT", "PROJECT p, MODULE m"},
      {"end with nothing open", "/end PROJECT\n", rcBlockNesting, 2, "", ""},
      {"end of a kind that is not open",
       "/begin PROJECT p \"\"\n/begin MODULE m \"\"\n/end MEASUREMENT\n/end MODULE\n/end PROJECT\n",
       rcBlockNesting, 5, "PROJECT p, MODULE m", ""},
      {"begin of a kind already open",
       "/begin PROJECT p \"\"\n/begin MODULE a \"\"\n/begin MODULE b \"\"\n/end MODULE\n",
       rcBlockNesting, 4, "PROJECT p, MODULE a", ""},
      {"nested object block of an open kind",
       "/begin PROJECT p \"\"\n/begin MODULE m \"\"\n/begin FUNCTION\n/begin FUNCTION f \"\"\n",
       rcBlockNesting, 5, "PROJECT p, MODULE m, FUNCTION", ""},
      {"missing end of module", "/begin PROJECT p \"\"\n/begin MODULE m \"\"\n/end PROJECT\n",
       rcBlockNesting, 4, "PROJECT p, MODULE m", "PROJECT p, MODULE m"},
      {"unknown block with an unbalanced inner begin",
       "/begin PROJECT p \"\"\n/begin MODULE m \"\"\n/begin GROUP g \"\"\n/begin SUB_GROUP a\n"
       "/end GROUP\n/end MODULE\n/end PROJECT\n",
       rcBlockNesting, 8, "PROJECT p, MODULE m", "PROJECT p"},
      {"stray end of an unknown block",
       "/begin PROJECT p \"\"\n/begin MODULE m \"\"\n/end GROUP\n/end MODULE\n/end PROJECT\n",
       rcBlockNesting, 6, "PROJECT p, MODULE m", "PROJECT p"},
      {"begin as the very last token", "/begin PROJECT p \"\"\n/end PROJECT\n/begin\n",
       rcBlockNesting, 4, "PROJECT p", "PROJECT p"},
      {"second project while the first is open",
       "/begin PROJECT p \"\"\n/begin MODULE m \"\"\n/begin PROJECT q \"\"\n", rcBlockNesting, 4,
       "PROJECT p, MODULE m", ""},
      // The interface name is part of the path of a failure inside module IF_DATA.
      {"begin inside module IF_DATA",
       "/begin PROJECT p \"\"\n/begin MODULE m \"\"\n/begin IF_DATA XCP 1 2 3\n/begin IF_DATA CCP\n",
       rcBlockNesting, 5, "PROJECT p, MODULE m, IF_DATA XCP", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Instance inst;
    EXPECT_EQ(readText(inst, c.text), c.rc);
    EXPECT_EQ(readError(inst), failureReport(c.line, c.path, c.last));
  }
}

TEST(ReaderBlocks, WhatWasReadBeforeAFailureStays) {
  Instance inst;
  EXPECT_EQ(readText(inst,
                     "/begin PROJECT p \"\"\n/begin MODULE a \"\" /end MODULE\n"
                     "/begin MODULE b \"\"\n/end PROJECT\n"),
            rcBlockNesting);
  EXPECT_EQ(moduleNames(inst), (Names{"a", "b"}));
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
  EXPECT_EQ(Ordex_ReadAsapFile(inst, (dir.path() + "/missing.a2l").c_str(), nullptr, nullptr),
            rcFileOpenFailed);
  // The line of the earlier read stays; its object path does not. Its project stays too.
  EXPECT_EQ(readError(inst), failureReport(4, ""));
  EXPECT_EQ(moduleNames(inst), Names{"m"});
}

TEST(ReaderBlocks, EachReadAndEachProjectReplacesTheProject) {
  Instance inst;
  ASSERT_EQ(readText(inst,
                     "/begin PROJECT first \"\" /begin MODULE a \"\" /end MODULE "
                     "/begin MODULE b \"\" /end MODULE /end PROJECT\n"),
            rcOk);
  ASSERT_EQ(readText(inst,
                     "/begin PROJECT again \"\" /begin MODULE x \"\" /end MODULE /end PROJECT\n"
                     "/begin PROJECT second \"\" /begin MODULE c \"\" /end MODULE /end PROJECT\n"),
            rcOk);
  TProject p;
  ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
  EXPECT_STREQ(p.Name, "second");
  EXPECT_EQ(moduleNames(inst), Names{"c"});
  for (const char* empty : {"", "/* only a comment */\n"}) {
    Instance fresh;
    EXPECT_EQ(readText(fresh, empty), rcOk);
    EXPECT_EQ(Ordex_GetProject(fresh, &p, 0), rcNoProject);
  }
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

// Reads a file of three modules, stopping at the given call; returns the calls made.
size_t readStoppingAt(TOrdex* inst, int call) {
  gProgress = ProgressLog{};
  gProgress.stopAtCall = call;
  TempDir dir;
  std::string path = dir.write("stop.a2l", progressFile(3));
  EXPECT_EQ(Ordex_ReadAsapFile(inst, path.c_str(), nullptr, recordProgress), rcAbortedByCallback);
  return gProgress.calls.size();
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
    EXPECT_GE(gProgress.calls[i], i ? gProgress.calls[i - 1] : 0) << i;
  }
  EXPECT_LE(gProgress.calls.front(), 5);
  EXPECT_GE(gProgress.calls.back(), 90);
}

TEST(ReaderProgress, StoppingKeepsWhatWasRead) {
  TProject p;
  {
    Instance inst;
    EXPECT_EQ(readStoppingAt(inst, 1), 1u);
    EXPECT_EQ(Ordex_GetProject(inst, &p, 0), rcNoProject);
    EXPECT_EQ(readError(inst), failureReport(2, ""));
  }
  {
    Instance inst;
    // PROJECT, MODULE M0, GROUP, SUB_GROUP, then MODULE M1
    EXPECT_EQ(readStoppingAt(inst, 5), 5u);
    EXPECT_EQ(moduleNames(inst), Names{"M0"});
    EXPECT_EQ(readError(inst), failureReport(7, "PROJECT P, MODULE M0", "PROJECT P, MODULE M0"));
  }
  // The project is replaced only when the new file's PROJECT block begins.
  Instance inst;
  ASSERT_EQ(readText(inst, "/begin PROJECT Earlier \"\" /end PROJECT\n"), rcOk);
  readStoppingAt(inst, 1);
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
  EXPECT_EQ(moduleNames(inst), (Names{"M0", "M1", "M2", "M3"}));
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
  for (size_t size : {64, 40, 3, 2, 1}) {
    SCOPED_TRACE(size);
    std::vector<char> buf(size + 8, 'x');
    ASSERT_EQ(Ordex_GetReadAsapFileError(inst, buf.data(), static_cast<int>(size)), rcOk);
    EXPECT_EQ(std::string(buf.data()), full.substr(0, size > 2 ? size - 2 : 0));
    // The whole buffer is zero past the text, and nothing beyond it is touched.
    for (size_t i = std::strlen(buf.data()); i < size; ++i) EXPECT_EQ(buf[i], '\0') << i;
    EXPECT_EQ(buf[size], 'x');
  }
}

TEST(ReaderReport, NoErrorTextIsCutAndSizeBelowOneWritesNothing) {
  Instance inst;
  char buf[16];
  std::memset(buf, 'x', sizeof buf);
  EXPECT_EQ(Ordex_GetReadAsapFileError(inst, buf, 0), rcOk);
  EXPECT_EQ(Ordex_GetReadAsapFileError(inst, buf, -5), rcOk);
  EXPECT_EQ(std::string(buf, sizeof buf), std::string(sizeof buf, 'x'));
  ASSERT_EQ(Ordex_GetReadAsapFileError(inst, buf, 9), rcOk);
  EXPECT_STREQ(buf, "No error");
  EXPECT_EQ(buf[9], 'x');
}

}  // namespace
