// The top-level reader over several reads of one instance, the progress callback and the
// report text (single files, well formed or not, are golden files of tests/data/read and bad).
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

  EXPECT_EQ(Ordex_ReadAsapFile(nullptr, path.c_str(), nullptr, nullptr), rcNoInstance);
  EXPECT_EQ(Ordex_GetReadAsapFileError(nullptr, buf, sizeof buf), rcNoInstance);
  EXPECT_EQ(Ordex_GetReadAsapFileError(inst, nullptr, 10), rcNullArgument);
  EXPECT_EQ(Ordex_GetReadAsapFileError(inst, nullptr, 0), rcOk);
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
