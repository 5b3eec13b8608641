// Inputs a host may hand over by mistake: files that are not there or are no plain files,
// huge tokens, binary garbage, text cut off inside a string or comment. None may crash or
// hang, and every file must be closed again.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace {

using ordex_test::failureReport;
using ordex_test::Instance;
using ordex_test::openDescriptorCount;
using ordex_test::readError;
using ordex_test::readText;
using ordex_test::TempDir;

// Reads in a child process that is killed when the read takes longer than a few seconds;
// the child's exit code is 0 when the read gave `expected`.
void expectReadInChild(const std::string& path, TOrdexReturnCode expected, bool dropRoot) {
  EXPECT_EXIT(
      {
        alarm(10);
        if (dropRoot && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        TOrdex* inst = nullptr;
        Ordex_CreateInstance(&inst);
        TOrdexReturnCode rc = Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr);
        _exit(rc == expected ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(ReaderBadInput, TopFileThatIsNoReadablePlainFile) {
  TempDir dir;
  Instance inst;
  EXPECT_EQ(Ordex_ReadAsapFile(inst, (dir.path() + "/missing.a2l").c_str(), nullptr, nullptr),
            rcFileOpenFailed);
  EXPECT_EQ(Ordex_ReadAsapFile(inst, dir.path().c_str(), nullptr, nullptr), rcFileOpenFailed);
  EXPECT_EQ(Ordex_ReadAsapFile(inst, "", nullptr, nullptr), rcFileOpenFailed);
  EXPECT_EQ(Ordex_ReadAsapFile(inst, nullptr, nullptr, nullptr), rcFileOpenFailed);
  EXPECT_EQ(Ordex_ReadAsapFile(inst, "/dev/null", nullptr, nullptr), rcFileOpenFailed);
  TProject p;
  EXPECT_EQ(Ordex_GetProject(inst, &p, 0), rcNoProject);
}

TEST(ReaderBadInput, FifoAndEndlessDevicesDoNotHang) {
  TempDir dir;
  std::string fifo = dir.path() + "/pipe.a2l";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  expectReadInChild(fifo, rcFileOpenFailed, false);
  expectReadInChild("/dev/zero", rcFileOpenFailed, false);
  int version = 0;
  int upgrade = 0;
  char comment[256];
  EXPECT_EQ(Ordex_GetAsapFilePreInfo(fifo.c_str(), &version, &upgrade, comment), rcFileOpenFailed);
}

TEST(ReaderBadInput, UnreadableFile) {
  TempDir dir;
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
  std::string path = dir.write("locked.a2l", "/begin PROJECT P \"\" /end PROJECT\n");
  ASSERT_EQ(chmod(path.c_str(), 0), 0);
  // As root the file stays readable, so the read runs as an unprivileged user.
  expectReadInChild(path, rcFileOpenFailed, true);
}

TEST(ReaderBadInput, MegabyteTokensAreCut) {
  std::string huge(1 << 20, 'n');
  Instance inst;
  ASSERT_EQ(readText(inst, "/begin PROJECT " + huge + " \"" + huge + "\"\n/begin MODULE M \"\"\n" +
                               "/* " + huge + " */ " + huge + " /end MODULE\n/end PROJECT\n"),
            rcOk);
  TProject p;
  ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
  EXPECT_EQ(std::string(p.Name), huge.substr(0, 255));
  // The quoted token is cut before its closing quote, so quote stripping leaves it as is.
  EXPECT_EQ(std::string(p.LongIdentifier), "\"" + huge.substr(0, 254));
  TModule m = {};
  ASSERT_EQ(Ordex_GetModule(inst, &m, 0), rcOk);
  EXPECT_STREQ(m.Name, "M");
}

TEST(ReaderBadInput, InputEndingInsideAStringOrComment) {
  struct Case {
    const char* name;
    const char* text;
    int line;
  };
  const Case cases[] = {
      {"string", "/begin PROJECT P \"\"\n/begin MODULE M \"never\nclosed /end MODULE\n", 4},
      {"block comment", "/begin PROJECT P \"\"\n/begin MODULE M \"\" /* never\nclosed\n", 4},
      {"escaped quote at the end", "/begin PROJECT P \"\"\n/begin MODULE M \"\\\"", 2},
      {"word without line feed", "/begin PROJECT P \"\"\n/begin MODULE M \"\" /end MODULE", 2},
  };
  for (const Case& c : cases) {
    Instance inst;
    EXPECT_EQ(readText(inst, c.text), rcBlockNesting) << c.name;
    EXPECT_EQ(readError(inst), failureReport(c.line, "PROJECT P, MODULE M")) << c.name;
  }
}

// A byte string with A2L words, quotes, comment openers and NUL bytes mixed into noise.
std::string garbage(uint32_t seed, size_t size) {
  static const char* const pieces[] = {"/begin ",    "/end ",        "PROJECT ",  "MODULE ",
                                       "HEADER ",    "IF_DATA ",     "A2ML ",     "/include ",
                                       "NULL ",      "\"",           "/*",        "*/",
                                       "//",         "\n",           "\\",        "VERSION ",
                                       "GROUP ",     "MEASUREMENT ", "FUNCTION ", "CHARACTERISTIC ",
                                       "COMPU_TAB ", "0x1F "};
  std::mt19937 rng(seed);
  std::string out;
  while (out.size() < size) {
    uint32_t r = rng();
    if (r % 3 == 0) {
      out += pieces[(r / 3) % (sizeof pieces / sizeof pieces[0])];
    } else {
      out.push_back(static_cast<char>(rng() & 0xFF));
    }
  }
  return out;
}

TEST(ReaderBadInput, BinaryGarbageGivesASaneCode) {
  TempDir dir;
  const TOrdexReturnCode sane[] = {rcOk, rcBlockNesting, rcBlockOutsideParent, rcIncludeOpenFailed,
                                   rcBadNumber};
  int before = openDescriptorCount();
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    std::string path = dir.write("garbage.a2l", garbage(seed, 64 + seed * 37 % 4000));
    Instance inst;
    TOrdexReturnCode rc = Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr);
    EXPECT_NE(std::find(std::begin(sane), std::end(sane), rc), std::end(sane))
        << "seed " << seed << " gave " << rc;
    char buf[512];
    EXPECT_EQ(Ordex_GetReadAsapFileError(inst, buf, sizeof buf), rcOk);
    TModule m = {};
    Ordex_GetModule(inst, &m, 0);
  }
  EXPECT_EQ(openDescriptorCount(), before);
}

TEST(ReaderBadInput, NulBytesInNamesEndTheName) {
  Instance inst;
  using namespace std::string_literals;
  ASSERT_EQ(readText(inst,
                     "/begin PROJECT Pro\0ject \"lo\0ng\"\n"
                     "/begin MODULE \0M \"\" /end MODULE\n/end PROJECT\n"s),
            rcOk);
  TProject p;
  ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
  EXPECT_STREQ(p.Name, "Pro");
  EXPECT_STREQ(p.LongIdentifier, "\"lo");
}

TEST(ReaderBadInput, ModuleIfDataOutlivingTheBlockItWasOpenedIn) {
  // An IF_DATA inside a COMPU_METHOD is read as the module's; here it keeps going after
  // the COMPU_METHOD has closed.
  Instance inst;
  EXPECT_EQ(readText(inst,
                     "/begin PROJECT P \"\"\n"
                     "/begin MODULE M \"\"\n"
                     "/begin COMPU_METHOD f \"\" /begin IF_DATA X a b /end COMPU_METHOD c d e\n"
                     "/end IF_DATA\n"
                     "/end MODULE\n"
                     "/end PROJECT\n"),
            rcOk);
}

TEST(ReaderBadInput, ObjectBlockOpenedInsideALowerKindMakesNoRecord) {
  // Tokens go to the lowest open kind, so the COMPU_TAB never sees its own first tokens (the
  // COMPU_METHOD takes them and starts over with T as a new name); after the COMPU_METHOD
  // closes, the rest of the COMPU_TAB is dropped instead of reaching a table never made.
  Instance inst;
  ASSERT_EQ(readText(inst,
                     "/begin PROJECT P \"\"\n"
                     "/begin MODULE M \"\"\n"
                     "/begin COMPU_METHOD CM \"\" RAT_FUNC \"%4.1\" \"\"\n"
                     "/begin COMPU_TAB T \"\" TAB_NOINTP 1 0 0\n"
                     "/end COMPU_METHOD 1 2 DEFAULT_VALUE \"x\" /end COMPU_TAB\n"
                     "/end MODULE\n"
                     "/end PROJECT\n"),
            rcOk);
  int tabs = -1, methods = -1;
  EXPECT_EQ(Ordex_GetNumObjects(inst, "M", etCompuTab, &tabs), rcOk);
  EXPECT_EQ(Ordex_GetNumObjects(inst, "M", etCompuMethod, &methods), rcOk);
  EXPECT_EQ(tabs, 0);
  EXPECT_EQ(methods, 2);
}

TEST(ReaderBadInput, DeepUnknownNesting) {
  std::string text = "/begin PROJECT P \"\"\n/begin MODULE M \"\"\n";
  for (int i = 0; i < 100000; ++i) text += "/begin GROUP g \"\"\n";
  for (int i = 0; i < 100000; ++i) text += "/end GROUP\n";
  text += "/end MODULE\n/end PROJECT\n";
  Instance inst;
  EXPECT_EQ(readText(inst, text), rcOk);
}

}  // namespace
