// "/include": where the tokens of an included file go, how its name is resolved, how deep
// includes may nest, line counting across files, and that every file is closed again.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace {

using ordex_test::failureReport;
using ordex_test::Instance;
using ordex_test::moduleNames;
using ordex_test::openDescriptorCount;
using ordex_test::readError;
using ordex_test::TempDir;

TOrdexReturnCode readFile(TOrdex* inst, const std::string& path) {
  return Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr);
}

// Runs a test body in another current directory and returns to the old one.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::string& dir) {
    if (!getcwd(old_, sizeof old_)) old_[0] = '\0';
    ok_ = chdir(dir.c_str()) == 0;
  }
  ~CurrentDirectory() {
    if (old_[0] && chdir(old_) != 0) std::abort();
  }
  bool ok() const { return ok_; }

 private:
  char old_[PATH_MAX];
  bool ok_ = false;
};

TEST(ReaderIncludes, TokensOfAnIncludeContinueTheOpenBlock) {
  TempDir dir;
  dir.write("version.a2l", "VERSION \"from include\"\n");
  std::string top = dir.write("top.a2l",
                              "/begin PROJECT P \"\"\n"
                              "  /begin HEADER \"c\" /include \"" +
                                  dir.path() +
                                  "/version.a2l\" PROJECT_NO N1\n"
                                  "  /end HEADER\n"
                                  "/end PROJECT\n");
  Instance inst;
  ASSERT_EQ(readFile(inst, top), rcOk);
  TProject p;
  ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
  EXPECT_STREQ(p.HeaderVersion, "from include");
  EXPECT_STREQ(p.HeaderProjectNo, "N1");
}

TEST(ReaderIncludes, ReadingResumesAfterTheIncludeName) {
  TempDir dir;
  dir.write("first.a2l", "/begin MODULE First \"\" /end MODULE\n");
  dir.write("empty.a2l", "");
  std::string top = dir.write("top.a2l",
                              "/begin PROJECT P \"\"\n"
                              "/include \"" +
                                  dir.path() +
                                  "/first.a2l\"\n"
                                  "/include " +
                                  dir.path() +
                                  "/empty.a2l\n"
                                  "/begin MODULE Second \"\" /end MODULE\n"
                                  "/end PROJECT\n");
  Instance inst;
  ASSERT_EQ(readFile(inst, top), rcOk);
  EXPECT_EQ(moduleNames(inst), (std::vector<std::string>{"First", "Second"}));
}

TEST(ReaderIncludes, ByteOrderMarkAtTheStartOfAnInclude) {
  TempDir dir;
  dir.write("bom.a2l", "\xEF\xBB\xBF/begin MODULE Bom \"\" /end MODULE\n");
  std::string top = dir.write("top.a2l", "\xEF\xBB\xBF/begin PROJECT P \"\"\n/include \"" +
                                             dir.path() + "/bom.a2l\"\n/end PROJECT\n");
  Instance inst;
  ASSERT_EQ(readFile(inst, top), rcOk);
  EXPECT_EQ(moduleNames(inst), std::vector<std::string>{"Bom"});
}

TEST(ReaderIncludes, RelativeNameFallsBackToTheIncludingFilesFolder) {
  TempDir dir;
  dir.write("sub/part.a2l", "/begin MODULE FromPart \"\" /end MODULE\n/include \"deeper/d.a2l\"\n");
  dir.write("sub/deeper/d.a2l", "/begin MODULE FromDeeper \"\" /end MODULE\n");
  std::string top = dir.write("sub/top.a2l",
                              "/begin PROJECT P \"\"\n/include \"part.a2l\"\n"
                              "/end PROJECT\n");
  Instance inst;
  ASSERT_EQ(readFile(inst, top), rcOk);
  // deeper/d.a2l is found beside part.a2l, the file that names it.
  EXPECT_EQ(moduleNames(inst), (std::vector<std::string>{"FromPart", "FromDeeper"}));
}

TEST(ReaderIncludes, CurrentDirectoryComesFirst) {
  TempDir dir;
  dir.write("sub/part.a2l", "/begin MODULE BesideTop \"\" /end MODULE\n");
  dir.write("cwd/part.a2l", "/begin MODULE InCurrentDirectory \"\" /end MODULE\n");
  std::string top = dir.write("sub/top.a2l",
                              "/begin PROJECT P \"\"\n/include \"part.a2l\"\n"
                              "/end PROJECT\n");
  Instance inst;
  {
    CurrentDirectory cwd(dir.path() + "/cwd");
    ASSERT_TRUE(cwd.ok());
    ASSERT_EQ(readFile(inst, top), rcOk);
  }
  EXPECT_EQ(moduleNames(inst), std::vector<std::string>{"InCurrentDirectory"});
}

TEST(ReaderIncludes, RelativeTopFileNameResolvesIncludesBesideIt) {
  TempDir dir;
  dir.write("a/b/inc.a2l", "/begin MODULE M \"\" /end MODULE\n");
  dir.write("a/b/top.a2l", "/begin PROJECT P \"\"\n/include inc.a2l\n/end PROJECT\n");
  Instance inst;
  {
    CurrentDirectory cwd(dir.path());
    ASSERT_TRUE(cwd.ok());
    ASSERT_EQ(readFile(inst, "a/b/top.a2l"), rcOk);
  }
  EXPECT_EQ(moduleNames(inst), std::vector<std::string>{"M"});
}

struct IncludeFailure {
  const char* name;
  const char* includeToken;
};

TEST(ReaderIncludes, IncludeThatCannotBeOpened) {
  const IncludeFailure cases[] = {
      {"missing file", "\"missing.a2l\""},
      {"NULL", "NULL"},
      {"empty quotes", "\"\""},
      {"a folder", "\"sub\""},
      {"the current folder", "\".\""},
  };
  for (const IncludeFailure& c : cases) {
    TempDir dir;
    dir.write("sub/x.a2l", "");
    std::string top = dir.write("top.a2l", std::string("/begin PROJECT P \"\"\n"
                                                       "/begin MODULE M \"\"\n"
                                                       "/include ") +
                                               c.includeToken +
                                               "\n"
                                               "/end MODULE\n"
                                               "/end PROJECT\n");
    Instance inst;
    int before = openDescriptorCount();
    EXPECT_EQ(readFile(inst, top), rcIncludeOpenFailed) << c.name;
    EXPECT_EQ(openDescriptorCount(), before) << c.name;
    EXPECT_EQ(readError(inst), failureReport(4, "PROJECT P, MODULE M")) << c.name;
    // What was read before the include stays.
    EXPECT_EQ(moduleNames(inst), std::vector<std::string>{"M"}) << c.name;
  }
}

// A chain top -> inc1 -> ... -> incN; the last one holds the module.
std::string writeChain(const TempDir& dir, int depth) {
  for (int i = 1; i <= depth; ++i) {
    std::string body = i == depth ? "/begin MODULE Deepest \"\" /end MODULE\n"
                                  : "/include inc" + std::to_string(i + 1) + ".a2l\n";
    dir.write("inc" + std::to_string(i) + ".a2l", body);
  }
  return dir.write("top.a2l", "/begin PROJECT P \"\"\n/include inc1.a2l\n/end PROJECT\n");
}

TEST(ReaderIncludes, NineNestedIncludesAreRead) {
  TempDir dir;
  std::string top = writeChain(dir, 9);
  Instance inst;
  int before = openDescriptorCount();
  ASSERT_EQ(readFile(inst, top), rcOk);
  EXPECT_EQ(openDescriptorCount(), before);
  EXPECT_EQ(moduleNames(inst), std::vector<std::string>{"Deepest"});
}

TEST(ReaderIncludes, TenNestedIncludesFail) {
  TempDir dir;
  std::string top = writeChain(dir, 10);
  Instance inst;
  int before = openDescriptorCount();
  EXPECT_EQ(readFile(inst, top), rcIncludeOpenFailed);
  EXPECT_EQ(openDescriptorCount(), before);
  // Two line feeds of the top file and one in each of the nine includes opened.
  EXPECT_EQ(readError(inst), failureReport(12, "PROJECT P"));
}

TEST(ReaderIncludes, FileIncludingItselfFails) {
  TempDir dir;
  dir.write("loop.a2l", "/include \"loop.a2l\"\n");
  std::string top = dir.write("top.a2l",
                              "/begin PROJECT P \"\"\n"
                              "/begin MODULE M \"\"\n"
                              "/include loop.a2l\n"
                              "/end MODULE\n"
                              "/end PROJECT\n");
  Instance inst;
  int before = openDescriptorCount();
  EXPECT_EQ(readFile(inst, top), rcIncludeOpenFailed);
  EXPECT_EQ(openDescriptorCount(), before);
  EXPECT_EQ(readError(inst), failureReport(13, "PROJECT P, MODULE M"));
}

TEST(ReaderIncludes, LinesOfIncludedFilesAreCounted) {
  TempDir dir;
  dir.write("four_lines.a2l", "/* 1\n2\n3 */\n/begin GROUP g \"\"\n");
  std::string top = dir.write("top.a2l",
                              "/begin PROJECT P \"\"\n"
                              "/begin MODULE M \"\"\n"
                              "/include four_lines.a2l\n"
                              "/end MODULE\n"
                              "/end PROJECT\n");
  Instance inst;
  EXPECT_EQ(readFile(inst, top), rcBlockNesting);
  // Five line feeds in the top file, four in the include.
  EXPECT_EQ(readError(inst), failureReport(10, "PROJECT P, MODULE M", "PROJECT P"));
}

TEST(ReaderIncludes, FailureInsideAnIncludeNamesItsLine) {
  TempDir dir;
  dir.write("bad.a2l", "\n\n/end MEASUREMENT\n");
  std::string top = dir.write("top.a2l",
                              "/begin PROJECT P \"\"\n"
                              "/begin MODULE M \"\"\n"
                              "/include bad.a2l\n"
                              "/end MODULE\n"
                              "/end PROJECT\n");
  Instance inst;
  EXPECT_EQ(readFile(inst, top), rcBlockNesting);
  // "/end" stands on line 3 of bad.a2l; the reader has read two tokens beyond it, into
  // line 4 of the top file.
  EXPECT_EQ(readError(inst), failureReport(8, "PROJECT P, MODULE M"));
}

TEST(ReaderIncludes, IncludeInsideA2mlIsText) {
  TempDir dir;
  std::string top = dir.write("top.a2l",
                              "/begin PROJECT P \"\"\n"
                              "/begin MODULE M \"\"\n"
                              "/begin A2ML\n"
                              "  struct { /include \"not_a_file.a2l\" };\n"
                              "/end A2ML\n"
                              "/end MODULE\n"
                              "/end PROJECT\n");
  Instance inst;
  EXPECT_EQ(readFile(inst, top), rcOk);
}

std::vector<int> gPercents;
int recordPercent(int percent) {
  gPercents.push_back(percent);
  return 0;
}

TEST(ReaderIncludes, ProgressCountsCharactersOfTheTopFileOnly) {
  TempDir dir;
  std::string modules;
  for (int i = 0; i < 100; ++i)
    modules += "/begin MODULE M" + std::to_string(i) + " \"\" /end MODULE\n";
  dir.write("modules.a2l", modules);
  std::string top =
      dir.write("top.a2l", "/begin PROJECT P \"\"\n/include modules.a2l\n/* " +
                               std::string(modules.size() / 2, '-') + " */\n/end PROJECT\n");
  gPercents.clear();
  Instance inst;
  ASSERT_EQ(Ordex_ReadAsapFile(inst, top.c_str(), nullptr, recordPercent), rcOk);
  // While the include is read, the top file does not advance.
  ASSERT_EQ(gPercents.size(), 101u);
  EXPECT_EQ(std::vector<int>(gPercents.begin() + 1, gPercents.end()),
            std::vector<int>(100, gPercents[1]));
  EXPECT_LT(gPercents[1], 10);
}

TEST(ReaderIncludes, EveryFileIsClosedWhateverTheOutcome) {
  TempDir dir;
  dir.write("inc.a2l", "/begin MODULE M \"\" /end MODULE\n");
  dir.write("open.a2l", "/begin GROUP g \"\"\n");
  dir.write("second_project.a2l", "/begin PROJECT Q \"\" a b c d e f g\n");
  struct Case {
    const char* name;
    std::string text;
    TOrdexReturnCode rc;
  };
  const Case cases[] = {
      {"success", "/begin PROJECT P \"\" /include inc.a2l /end PROJECT\n", rcOk},
      {"nesting error inside include", "/begin PROJECT P \"\" /include open.a2l\n", rcBlockNesting},
      {"failure while an include is open",
       "/begin PROJECT P \"\" /include second_project.a2l /end PROJECT\n", rcBlockNesting},
      {"missing include", "/begin PROJECT P \"\" /include none.a2l /end PROJECT\n",
       rcIncludeOpenFailed},
  };
  for (const Case& c : cases) {
    std::string top = dir.write("top.a2l", c.text);
    Instance inst;
    int before = openDescriptorCount();
    EXPECT_EQ(readFile(inst, top), c.rc) << c.name;
    EXPECT_EQ(openDescriptorCount(), before) << c.name;
  }
}

}  // namespace
