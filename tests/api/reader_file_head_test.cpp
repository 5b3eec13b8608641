// The scan of a file's head (Ordex_GetAsapFilePreInfo) and what a read takes from it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using ordex_test::TempDir;

struct HeadCase {
  const char* name;
  std::string text;
  int version;
  int upgrade;
  std::string comment;
};

const HeadCase kHeadCases[] = {
    {"comment line then version", "/* generated file */\nASAP2_VERSION 1 31\n/begin PROJECT", 1, 31,
     "/* generated file */\n"},
    {"no version line", "/* c */\n/begin PROJECT P \"\"\n", 0, 0, "/* c */\n"},
    {"nothing before begin", "/begin PROJECT P \"\" /* late */\nASAP2_VERSION 1 60\n", 0, 0, ""},
    {"scan stops at begin anywhere in a line",
     "ASAP2_VERSION 1 50 /begin PROJECT\nASAP2_VERSION 1 70\n", 0, 0, ""},
    {"later version line overwrites", "ASAP2_VERSION 1 50\nASAP2_VERSION 2 70\n/begin", 2, 70, ""},
    {"signs and blanks", "ASAP2_VERSION \t -1 +5\n", -1, 5, ""},
    {"no digits give zero", "ASAP2_VERSION one two\n", 0, 0, ""},
    {"only the first number", "ASAP2_VERSION 7\n", 7, 0, ""},
    {"keyword anywhere in a line", "  /* ASAP2_VERSION 1 61 */\n", 1, 61,
     "  /* ASAP2_VERSION 1 61 */\n"},
    {"first comment line wins", "\n// x\n/* one */\n/* two */\n", 0, 0, "/* one */\n"},
    {"comment line cut to 255", "/*" + std::string(400, 'c') + "*/\n", 0, 0,
     "/*" + std::string(253, 'c')},
    {"last line without line feed", "/* tail */", 0, 0, "/* tail */"},
    {"empty file", "", 0, 0, ""},
};

class FileHead : public ::testing::TestWithParam<HeadCase> {};

TEST_P(FileHead, ScansTheHead) {
  const HeadCase& c = GetParam();
  TempDir dir;
  std::string path = dir.write("head.a2l", c.text);
  int version = -99;
  int upgrade = -99;
  char comment[256];
  std::memset(comment, 'x', sizeof comment);
  ASSERT_EQ(Ordex_GetAsapFilePreInfo(path.c_str(), &version, &upgrade, comment), rcOk);
  EXPECT_EQ(version, c.version);
  EXPECT_EQ(upgrade, c.upgrade);
  EXPECT_EQ(std::string(comment), c.comment);
}

INSTANTIATE_TEST_SUITE_P(Cases, FileHead, ::testing::ValuesIn(kHeadCases),
                         [](const ::testing::TestParamInfo<HeadCase>& info) {
                           std::string n = info.param.name;
                           for (char& ch : n) {
                             if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           }
                           return n;
                         });

TEST(FileHeadScan, MissingFileGivesMinusFourAndClearedOutputs) {
  TempDir dir;
  std::string missing = dir.path() + "/none.a2l";
  int version = 5;
  int upgrade = 5;
  char comment[256] = "old";
  EXPECT_EQ(Ordex_GetAsapFilePreInfo(missing.c_str(), &version, &upgrade, comment),
            rcFileOpenFailed);
  EXPECT_EQ(version, 0);
  EXPECT_EQ(upgrade, 0);
  EXPECT_STREQ(comment, "");
  EXPECT_EQ(Ordex_GetAsapFilePreInfo(dir.path().c_str(), &version, &upgrade, comment),
            rcFileOpenFailed);
  EXPECT_EQ(Ordex_GetAsapFilePreInfo_Intern(nullptr, &version, &upgrade, comment),
            rcFileOpenFailed);
  EXPECT_EQ(Ordex_GetAsapFilePreInfo(missing.c_str(), nullptr, &upgrade, comment), rcNullArgument);
  EXPECT_EQ(Ordex_GetAsapFilePreInfo(missing.c_str(), &version, nullptr, comment), rcNullArgument);
  EXPECT_EQ(Ordex_GetAsapFilePreInfo(missing.c_str(), &version, &upgrade, nullptr), rcNullArgument);
}

TEST(FileHeadScan, MegabyteLineInTheHead) {
  TempDir dir;
  std::string huge(1 << 20, 'h');
  // A long comment line first, a long plain line, then the version.
  std::string path = dir.write("long.a2l", "/*" + huge + "*/\n" + huge + "\nASAP2_VERSION 1 71\n" +
                                               "/begin PROJECT P \"\" /end PROJECT\n");
  int version = 0;
  int upgrade = 0;
  char comment[256];
  ASSERT_EQ(Ordex_GetAsapFilePreInfo(path.c_str(), &version, &upgrade, comment), rcOk);
  EXPECT_EQ(version, 1);
  EXPECT_EQ(upgrade, 71);
  EXPECT_EQ(std::string(comment), "/*" + std::string(253, 'h'));

  Instance inst;
  ASSERT_EQ(Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr), rcOk);
  TProject p;
  ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
  EXPECT_EQ(p.Asap2Upgrade, 71);
  EXPECT_EQ(std::string(p.FileHeadComment), "/*" + std::string(253, 'h'));
}

// A read takes the head from the bytes it already holds where it can; whichever way, the
// project must get what the scan of the file gives, text kept or not.
TEST(FileHeadScan, ReadAgreesWithTheScan) {
  std::vector<std::string> heads;
  for (const HeadCase& c : kHeadCases) {
    if (c.text.find("/begin") == std::string::npos) heads.push_back(c.text + "\n");
  }
  // The scan cuts lines into pieces of 299 bytes: a "/begin" across two pieces is not seen,
  // and the scan goes on into the project.
  heads.push_back("/*" + std::string(288, 'x') + "*/ /begin PROJECT P \"\"\nASAP2_VERSION 1 99\n");
  heads.push_back("/*" + std::string(289, 'x') + "*/ /begin PROJECT P \"\"\nASAP2_VERSION 1 98\n");
  // A head longer than the window of a streamed read, before the project and in it.
  heads.push_back("/*" + std::string(300 << 10, 'w') + "*/\nASAP2_VERSION 1 97\n");
  heads.push_back("/*" + std::string(289, 'x') + "*/ /begin PROJECT P \"\"\n/*" +
                  std::string(300 << 10, 'w') + "*/\nASAP2_VERSION 1 96\n");
  TempDir dir;
  int n = 0;
  for (const std::string& head : heads) {
    std::string text = head;
    if (text.find("/begin") == std::string::npos) text += "/begin PROJECT P \"\"\n";
    std::string path = dir.write("h" + std::to_string(n++) + ".a2l", text + "/end PROJECT\n");
    int version = -99;
    int upgrade = -99;
    char comment[256];
    ASSERT_EQ(Ordex_GetAsapFilePreInfo(path.c_str(), &version, &upgrade, comment), rcOk);
    for (uint32_t options : {0u, ORDEX_READ_WITHOUT_SOURCE}) {
      SCOPED_TRACE(path + (options ? " without the text" : " text kept"));
      Instance inst;
      ASSERT_EQ(Ordex_SetReadOptions(inst, options), rcOk);
      ASSERT_EQ(Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr), rcOk);
      TProject p;
      ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
      EXPECT_EQ(p.Asap2Version, version);
      EXPECT_EQ(p.Asap2Upgrade, upgrade);
      EXPECT_STREQ(p.FileHeadComment, comment);
    }
  }
}

TEST(FileHeadScan, ReadTakesVersionAndCommentIntoTheProject) {
  TempDir dir;
  std::string path = dir.write("v.a2l",
                               "\xEF\xBB\xBF/* head */\n"
                               "ASAP2_VERSION 1 61\n"
                               "/begin PROJECT P \"\"\n"
                               "ASAP2_VERSION 9 9 /* not in the head */\n"
                               "/end PROJECT\n");
  Instance inst;
  ASSERT_EQ(Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr), rcOk);
  TProject p;
  ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
  EXPECT_EQ(p.Asap2Version, 1);
  EXPECT_EQ(p.Asap2Upgrade, 61);
  // The byte-order mark is skipped here as by the tokenizer.
  EXPECT_STREQ(p.FileHeadComment, "/* head */\n");
}

}  // namespace
