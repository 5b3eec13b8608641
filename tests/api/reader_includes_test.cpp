// "/include": where the tokens of an included file go, how its name is resolved, how deep
// includes may nest, line counting across files, and that every file is closed again.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "support/test_support.h"

namespace {

using ordex_test::failureReport;
using ordex_test::Instance;
using ordex_test::moduleNames;
using ordex_test::openDescriptorCount;
using ordex_test::readError;
using ordex_test::TempDir;
using Names = std::vector<std::string>;
using Files = std::vector<std::pair<std::string, std::string>>;

// Writes the files into `dir`, each "$D" in their texts replaced by the folder's path.
void writeFiles(const TempDir& dir, const Files& files) {
  for (const auto& f : files) {
    std::string text = f.second;
    for (size_t at; (at = text.find("$D")) != std::string::npos;) text.replace(at, 2, dir.path());
    dir.write(f.first, text);
  }
}

// Reads `top` (relative to the current directory `cwd`, a folder of `dir`, when given) and
// checks that every file is closed again.
TOrdexReturnCode readIn(TOrdex* inst, const TempDir& dir, const std::string& top,
                        const char* cwd = nullptr) {
  char old[PATH_MAX];
  if (!getcwd(old, sizeof old) || (cwd && chdir((dir.path() + "/" + cwd).c_str()) != 0)) {
    ADD_FAILURE() << "cannot change the current directory";
    return rcInvalidArgument;
  }
  const int before = openDescriptorCount();
  const TOrdexReturnCode rc = Ordex_ReadAsapFile(inst, top.c_str(), nullptr, nullptr);
  EXPECT_EQ(openDescriptorCount(), before) << "a file was left open";
  if (chdir(old) != 0) std::abort();
  return rc;
}

TEST(ReaderIncludes, TokensOfAnIncludeContinueTheOpenBlock) {
  TempDir dir;
  writeFiles(dir, {{"version.a2l", "VERSION \"from include\"\n"},
                   {"top.a2l",
                    "/begin PROJECT P \"\"\n  /begin HEADER \"c\" /include "
                    "\"$D/version.a2l\" PROJECT_NO N1\n  /end HEADER\n/end PROJECT\n"}});
  Instance inst;
  ASSERT_EQ(readIn(inst, dir, dir.path() + "/top.a2l"), rcOk);
  TProject p;
  ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
  EXPECT_STREQ(p.HeaderVersion, "from include");
  EXPECT_STREQ(p.HeaderProjectNo, "N1");
}

TEST(ReaderIncludes, IncludedFilesAreFoundAndReadInPlace) {
  const std::string project = "/begin PROJECT P \"\"\n/include \"part.a2l\"\n/end PROJECT\n";
  const struct {
    const char* name;
    Files files;
    std::string top;
    const char* cwd;
    Names modules;
  } cases[] = {
      {"reading resumes after the include name",
       {{"first.a2l", "/begin MODULE First \"\" /end MODULE\n"},
        {"empty.a2l", ""},
        {"top.a2l",
         "/begin PROJECT P \"\"\n/include \"$D/first.a2l\"\n/include $D/empty.a2l\n"
         "/begin MODULE Second \"\" /end MODULE\n/end PROJECT\n"}},
       "top.a2l",
       nullptr,
       {"First", "Second"}},
      {"byte order marks",
       {{"bom.a2l", "\xEF\xBB\xBF/begin MODULE Bom \"\" /end MODULE\n"},
        {"top.a2l", "\xEF\xBB\xBF/begin PROJECT P \"\"\n/include \"$D/bom.a2l\"\n/end PROJECT\n"}},
       "top.a2l",
       nullptr,
       {"Bom"}},
      // deeper/d.a2l is found beside part.a2l, the file that names it.
      {"a relative name falls back to the including file's folder",
       {{"sub/part.a2l", "/begin MODULE FromPart \"\" /end MODULE\n/include \"deeper/d.a2l\"\n"},
        {"sub/deeper/d.a2l", "/begin MODULE FromDeeper \"\" /end MODULE\n"},
        {"sub/top.a2l", project}},
       "sub/top.a2l",
       nullptr,
       {"FromPart", "FromDeeper"}},
      {"the current directory comes first",
       {{"sub/part.a2l", "/begin MODULE BesideTop \"\" /end MODULE\n"},
        {"cwd/part.a2l", "/begin MODULE InCurrentDirectory \"\" /end MODULE\n"},
        {"sub/top.a2l", project}},
       "../sub/top.a2l",
       "cwd",
       {"InCurrentDirectory"}},
      {"a relative top file name resolves includes beside it",
       {{"a/b/part.a2l", "/begin MODULE M \"\" /end MODULE\n"}, {"a/b/top.a2l", project}},
       "a/b/top.a2l",
       ".",
       {"M"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    writeFiles(dir, c.files);
    Instance inst;
    ASSERT_EQ(readIn(inst, dir, c.cwd ? c.top : dir.path() + "/" + c.top, c.cwd), rcOk);
    EXPECT_EQ(moduleNames(inst), c.modules);
  }
}

// A chain top -> inc1 -> ... -> incN; the last one holds the module.
Files chain(int depth) {
  Files files = {{"top.a2l", "/begin PROJECT P \"\"\n/include inc1.a2l\n/end PROJECT\n"}};
  for (int i = 1; i <= depth; ++i) {
    files.emplace_back("inc" + std::to_string(i) + ".a2l",
                       i == depth ? "/begin MODULE Deepest \"\" /end MODULE\n"
                                  : "/include inc" + std::to_string(i + 1) + ".a2l\n");
  }
  return files;
}

TEST(ReaderIncludes, NineNestedIncludesAreRead) {
  TempDir dir;
  writeFiles(dir, chain(9));
  Instance inst;
  ASSERT_EQ(readIn(inst, dir, dir.path() + "/top.a2l"), rcOk);
  EXPECT_EQ(moduleNames(inst), Names{"Deepest"});
}

// Failures name the line counted over every file read so far; what was read before the
// failure stays.
TEST(ReaderIncludes, FailuresAndTheirReports) {
  const std::string inM = "/begin PROJECT P \"\"\n/begin MODULE M \"\"\n/include ";
  const std::string endM = "\n/end MODULE\n/end PROJECT\n";
  const std::string pm = "PROJECT P, MODULE M";
  const struct {
    const char* name;
    Files files;
    TOrdexReturnCode rc;
    std::string report;  // not checked when empty
  } cases[] = {
      {"missing file",
       {{"top.a2l", inM + "\"missing.a2l\"" + endM}},
       rcIncludeOpenFailed,
       failureReport(4, pm)},
      {"NULL", {{"top.a2l", inM + "NULL" + endM}}, rcIncludeOpenFailed, failureReport(4, pm)},
      {"empty quotes",
       {{"top.a2l", inM + "\"\"" + endM}},
       rcIncludeOpenFailed,
       failureReport(4, pm)},
      {"a folder",
       {{"sub/x.a2l", ""}, {"top.a2l", inM + "\"sub\"" + endM}},
       rcIncludeOpenFailed,
       failureReport(4, pm)},
      {"the current folder",
       {{"top.a2l", inM + "\".\"" + endM}},
       rcIncludeOpenFailed,
       failureReport(4, pm)},
      // Two line feeds of the top file and one in each of the nine includes opened.
      {"ten nested includes", chain(10), rcIncludeOpenFailed, failureReport(12, "PROJECT P")},
      {"a file including itself",
       {{"loop.a2l", "/include \"loop.a2l\"\n"}, {"top.a2l", inM + "loop.a2l" + endM}},
       rcIncludeOpenFailed,
       failureReport(13, pm)},
      // Five line feeds in the top file, four in the include.
      {"lines of an include are counted",
       {{"four.a2l", "/* 1\n2\n3 */\n/begin GROUP g \"\"\n"}, {"top.a2l", inM + "four.a2l" + endM}},
       rcBlockNesting,
       failureReport(10, pm, "PROJECT P")},
      // "/end" stands on line 3 of bad.a2l; the reader has read two tokens beyond it, into
      // line 4 of the top file.
      {"a failure inside an include",
       {{"bad.a2l", "\n\n/end MEASUREMENT\n"}, {"top.a2l", inM + "bad.a2l" + endM}},
       rcBlockNesting,
       failureReport(8, pm)},
      {"a second project while an include is open",
       {{"q.a2l", "/begin PROJECT Q \"\" a b c d e f g\n"},
        {"top.a2l", "/begin PROJECT P \"\" /include q.a2l /end PROJECT\n"}},
       rcBlockNesting,
       ""},
      {"an include inside A2ML is text",
       {{"top.a2l",
         "/begin PROJECT P \"\"\n/begin MODULE M \"\"\n/begin A2ML\n"
         "  struct { /include \"not_a_file.a2l\" };\n/end A2ML" +
             endM}},
       rcOk,
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    writeFiles(dir, c.files);
    Instance inst;
    EXPECT_EQ(readIn(inst, dir, dir.path() + "/top.a2l"), c.rc);
    if (!c.report.empty()) {
      EXPECT_EQ(readError(inst), c.report);
    }
    if (c.rc == rcIncludeOpenFailed && c.report.find(pm) != std::string::npos) {
      EXPECT_EQ(moduleNames(inst), Names{"M"});
    }
  }
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

}  // namespace
