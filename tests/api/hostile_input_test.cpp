// Hostile inputs: counts and sizes chosen to make the library allocate, loop or index without
// end, deep or endless structures, and files that are no plain readable files. Each must end
// with its code, in bounded time and memory, and leave a usable instance.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "ordex.h"
#include "support/inline_a2l.h"
#include "support/test_support.h"

namespace {

using ordex_test::inModule;
using ordex_test::Instance;
using ordex_test::keyed;
using ordex_test::readError;
using ordex_test::readText;
using ordex_test::TempDir;
using namespace std::string_literals;

// Writes the instance's model and returns the text.
std::string written(TOrdex* inst) {
  TempDir dir;
  std::string path = dir.path() + "/out.a2l";
  EXPECT_EQ(Ordex_WriteAsapFile(inst, path.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr),
            rcOk);
  return ordex_test::readFile(path);
}

// A read that blocks or never ends kills the test program after a few seconds.
TOrdexReturnCode readWithin(TOrdex* inst, const std::string& path) {
  alarm(20);
  const TOrdexReturnCode rc = Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr);
  alarm(0);
  return rc;
}

TEST(HostileInput, TextsEndWithTheirCode) {
  const std::string huge(1 << 20, 'h');
  const struct {
    const char* name;
    std::string text;
    TOrdexReturnCode rc;
    const char* project;  // the project's name after the read, when it gives 0
  } cases[] = {
      {"COMPU_TAB declaring 2147483647 pairs",
       inModule("/begin COMPU_TAB T \"\" TAB_INTP 2147483647 1 10 2 20 /end COMPU_TAB"), rcOk, "P"},
      {"negative pair counts",
       inModule("/begin COMPU_TAB T \"\" TAB_INTP -4 /end COMPU_TAB\n"
                "/begin COMPU_VTAB V \"\" TAB_VERB -2147483648 1 \"one\" /end COMPU_VTAB"),
       rcOk, "P"},
      {"a file including itself", inModule("/include loop.a2l"), rcIncludeOpenFailed, nullptr},
      {"a 1 MB line in the file head",
       "/*" + huge + "*/\n" + huge + "\nASAP2_VERSION 1 71\n/begin PROJECT P \"\" /end PROJECT\n",
       rcOk, "P"},
      {"a string that never closes", "/begin PROJECT P \"\"\n/begin MODULE M \"never\nclosed\n",
       rcBlockNesting, nullptr},
      {"NUL bytes in names",
       "/begin PROJECT Pro\0ject \"\" /begin MODULE \0M \"\" /end MODULE\n"
       "/end PROJECT\n"s,
       rcOk, "Pro"},
  };
  TempDir dir;
  dir.write("loop.a2l", "/include \"loop.a2l\"\n");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Instance inst;
    const int before = ordex_test::openDescriptorCount();
    EXPECT_EQ(readWithin(inst, dir.write("top.a2l", c.text)), c.rc);
    EXPECT_EQ(ordex_test::openDescriptorCount(), before);
    if (c.project) {
      TProject p;
      ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
      EXPECT_STREQ(p.Name, c.project);
    }
  }
}

// Files that are no plain files are refused at once instead of blocking or reading forever:
// the file read gives -4, an include -6, the file head scan -4.
TEST(HostileInput, FilesThatAreNoPlainFiles) {
  TempDir dir;
  const std::string fifo = dir.path() + "/pipe.a2l";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::string path;
    TOrdexReturnCode rc;
  } cases[] = {
      {dir.path(), rcFileOpenFailed},
      {fifo, rcFileOpenFailed},
      {"/dev/zero", rcFileOpenFailed},
      {dir.write("a.a2l", inModule("/include \"" + fifo + "\"")), rcIncludeOpenFailed},
      {dir.write("b.a2l", inModule("/include \"/dev/zero\"")), rcIncludeOpenFailed},
  };
  for (const auto& c : cases) {
    Instance inst;
    EXPECT_EQ(readWithin(inst, c.path), c.rc) << c.path;
  }
  int version = 7;
  int upgrade = 7;
  char comment[ORDEX_TEXT_SIZE] = "x";
  EXPECT_EQ(Ordex_GetAsapFilePreInfo(dir.path().c_str(), &version, &upgrade, comment),
            rcFileOpenFailed);
  EXPECT_EQ(version, 0);
  EXPECT_STREQ(comment, "");
}

TEST(HostileInput, UnreadableFile) {
  TempDir dir;
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
  const std::string path = dir.write("locked.a2l", "/begin PROJECT P \"\" /end PROJECT\n");
  ASSERT_EQ(chmod(path.c_str(), 0), 0);
  // Root may read any file, so the read runs as an unprivileged user in a child.
  EXPECT_EXIT(
      {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        Instance inst;
        _exit(readWithin(inst, path) == rcFileOpenFailed ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(HostileInput, MillionNestedBlocks) {
  std::string open;
  std::string close;
  for (int i = 0; i < 1000000; ++i) open += "/begin GROUP g \"\"\n";
  for (int i = 0; i < 1000000; ++i) close += "/end GROUP\n";
  {
    Instance inst;
    EXPECT_EQ(readText(inst, inModule(open + close)), rcOk);
  }
  {
    // Never closed: the nesting count is off at the end, and the report names the module.
    Instance inst;
    EXPECT_EQ(readText(inst, inModule(open)), rcBlockNesting);
    EXPECT_NE(readError(inst).find("PROJECT P, MODULE M"), std::string::npos) << readError(inst);
  }
  // Inside an object block the parser sees every nested token of a block it does not know;
  // nothing grows with the depth but the nesting count.
  Instance inst;
  EXPECT_EQ(readText(inst, inModule("/begin MEASUREMENT m \"\" UBYTE CM 1 0 0 255\n" + open +
                                    close + "/end MEASUREMENT")),
            rcOk);
  TMeasurement m = keyed<TMeasurement>("m");
  EXPECT_EQ(Ordex_GetMeasurement(inst, nullptr, &m, 0), rcOk);
}

// NUMBER is a 16-bit field: 2147483647 keeps its low 16 bits (-1), which the writer writes
// and reads back as such; a negative NUMBER is kept as it is.
TEST(HostileInput, CharacteristicNumberOutOfRange) {
  Instance inst;
  ASSERT_EQ(readText(inst, inModule("/begin CHARACTERISTIC Big \"\" ASCII 0 RL 0 CM 0 1 "
                                    "NUMBER 2147483647 /end CHARACTERISTIC\n"
                                    "/begin CHARACTERISTIC Neg \"\" VAL_BLK 0 RL 0 CM 0 1 "
                                    "NUMBER -5 /end CHARACTERISTIC\n")),
            rcOk);
  for (const auto& c : {std::make_pair("Big", -1), std::make_pair("Neg", -5)}) {
    TCharacteristic r = keyed<TCharacteristic>(c.first);
    ASSERT_EQ(Ordex_GetCharacteristic(inst, nullptr, &r, 0), rcOk);
    EXPECT_EQ(r.Number, c.second);
  }
  const std::string text = written(inst);
  EXPECT_NE(text.find("NUMBER -1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("NUMBER -5\n"), std::string::npos) << text;
}
// ARRAY_SIZE 2147483647: the writer writes it back; the request block asks for the low 8
// bits of size x count without overflow; a response can never be long enough for an
// element far into the array, and a negative index is refused. A STRING's resolution of -8
// dumps nothing; one larger than the response stops at its end.
TEST(HostileInput, MeasurementArraySizeAtTheLimit) {
  Instance inst;
  ASSERT_EQ(readText(inst, inModule("/begin COMPU_METHOD CM \"\" RAT_FUNC \"%4.0\" \"\" "
                                    "COEFFS 0 1 0 0 0 1 /end COMPU_METHOD\n"
                                    "/begin MEASUREMENT Big \"\" UWORD CM 1 0 0 65535 "
                                    "ECU_ADDRESS 0x123456 ARRAY_SIZE 2147483647 /end MEASUREMENT\n"
                                    "/begin MEASUREMENT Str \"\" STRING CM 300 0 0 1 "
                                    "ARRAY_SIZE 2147483647 /end MEASUREMENT\n"
                                    "/begin MEASUREMENT Neg \"\" UWORD CM 1 0 0 1 "
                                    "ARRAY_SIZE -3 /end MEASUREMENT\n"
                                    "/begin MEASUREMENT NegStr \"\" STRING CM -8 0 0 1 "
                                    "ARRAY_SIZE -3 /end MEASUREMENT\n"
                                    "/begin MEASUREMENT NegRes \"\" STRING CM -8 0 0 1 "
                                    "ARRAY_SIZE 2 /end MEASUREMENT\n"
                                    "/begin MEASUREMENT Long \"\" STRING CM 32767 0 0 1 "
                                    "ARRAY_SIZE 2 /end MEASUREMENT\n")),
            rcOk);
  TMeasurement m = keyed<TMeasurement>("Big");
  ASSERT_EQ(Ordex_GetMeasurement(inst, nullptr, &m, 0), rcOk);
  EXPECT_EQ(m.ArraySize, 2147483647);
  EXPECT_NE(written(inst).find("ARRAY_SIZE 2147483647\n"), std::string::npos);

  const struct {
    const char* name;
    TOrdexReturnCode rc;
    unsigned char countByte;
  } requests[] = {
      {"Big", rcOk, 0xFE},       // 2 x (2^31 - 1) = 0xFFFFFFFE
      {"Str", rcOk, 0xFF},       // a STRING asks for ArraySize bytes
      {"Neg", rcOk, 0x02},       // not an array: one element of 2 bytes
      {"NegStr", rcBadSize, 0},  // a STRING needs an ArraySize of 1 or more
  };
  for (const auto& c : requests) {
    unsigned char block[5] = {};
    int32_t size = sizeof block;
    EXPECT_EQ(Ordex_CreateMeasurementRequestBlock(inst, nullptr, c.name, nullptr, 1, block, &size),
              c.rc)
        << c.name;
    if (c.rc == rcOk) {
      EXPECT_EQ(block[4], c.countByte) << c.name;
    }
  }

  unsigned char response[9] = {0x63, 0xAB, 0xCD, 0xEF, 8, 0, 9, 0, 10};
  double phys = 0;
  char text[1024];
  const struct {
    const char* name;
    int32_t index;
    TOrdexReturnCode rc;
    const char* text;  // checked when not null
  } responses[] = {
      {"Big", 3, rcOk, nullptr},
      {"Big", 4, rcBadSize, nullptr},           // byte 9 is past the response
      {"Big", 2147483646, rcBadSize, nullptr},  // far past it, without overflow
      {"Big", -1, rcIndexOutOfRange, nullptr},
      {"Big", INT32_MIN, rcIndexOutOfRange, nullptr},
      {"Neg", 12345, rcOk, nullptr},   // not an array: the index is ignored
      {"Str", 0, rcBadSize, nullptr},  // 2147483647 bytes asked for
      {"NegStr", 0, rcBadSize, nullptr},
      {"NegRes", 0, rcOk, ""},
      {"Long", 0, rcOk, "ab cd ef 08 00 09 00 0a"},
  };
  for (const auto& c : responses) {
    EXPECT_EQ(
        Ordex_EvaluateMeasurementResponseBlock(inst, nullptr, c.name, nullptr, nullptr, 1, response,
                                               sizeof response, c.index, '.', &phys, text),
        c.rc)
        << c.name << " " << c.index;
    if (c.text) {
      EXPECT_STREQ(text, c.text) << c.name;
    }
  }
}

// Counts of the record layout and axis items far out of range are kept as read (their
// 16-bit fields take the low bits) and written back without a loop over them.
TEST(HostileInput, AxisAndLayoutCountsOutOfRange) {
  Instance inst;
  ASSERT_EQ(
      readText(inst, inModule("/begin RECORD_LAYOUT RL FIX_NO_AXIS_PTS_X 2147483647 "
                              "NO_AXIS_PTS_X 2147483647 UWORD RESERVED 2147483647 LONG "
                              "/end RECORD_LAYOUT\n"
                              "/begin CHARACTERISTIC C \"\" CURVE 0 RL 0 CM 0 1\n"
                              "/begin AXIS_DESCR STD_AXIS NO_INPUT_QUANTITY CM -2147483648 0 1 "
                              "FIX_AXIS_PAR 0 0 2147483647 /end AXIS_DESCR\n"
                              "/end CHARACTERISTIC\n")),
      rcOk);
  TRecordLayoutElementExt sorted[ORDEX_SORTED_ELEMENTS];
  EXPECT_EQ(Ordex_GetRecordLayoutElementArraySorted(inst, nullptr, "RL", sorted), rcOk);
  TCharacteristic2 c = keyed<TCharacteristic2>("C");
  ASSERT_EQ(Ordex_GetCharacteristic2(inst, nullptr, &c, 0), rcOk);
  EXPECT_EQ(c.Axes[0].FixAxisParNumberapo, 2147483647);
  std::string text = written(inst);
  EXPECT_LT(text.size(), 4000u);
  TempDir dir;
  std::string path = dir.write("again.a2l", text);
  Instance again;
  EXPECT_EQ(Ordex_ReadAsapFile(again, path.c_str(), nullptr, nullptr), rcOk) << text;
}

// A verbal table declaring 2147483647 pairs converts by its pairs held; the declared ones
// behind them are input 0 with an empty text. The search never walks the declared count.
// (Its DEFAULT_VALUE cannot be given: while pairs are due, every token is a pair token.)
TEST(HostileInput, VerbalConversionWithAHugeDeclaredCount) {
  Instance inst;
  ASSERT_EQ(readText(inst, inModule("/begin COMPU_METHOD CM \"\" TAB_VERB \"%4.0\" \"\" "
                                    "COMPU_TAB_REF V /end COMPU_METHOD\n"
                                    "/begin COMPU_VTAB V \"\" TAB_VERB 2147483647 1 \"one\" "
                                    "2 \"two\" /end COMPU_VTAB\n")),
            rcOk);
  const struct {
    unsigned char raw;
    TOrdexReturnCode rc;
    const char* text;
  } cases[] = {
      {2, rcOk, "two"}, {0, rcInvalidArgument, "unchanged"}, {5, rcInvalidArgument, "unchanged"}};
  for (const auto& c : cases) {
    double phys = -1;
    char text[ORDEX_TEXT_SIZE] = "unchanged";
    EXPECT_EQ(Ordex_RawToPhys(inst, nullptr, &c.raw, dtUByte, 0, 0, "CM", '.', &phys, text), c.rc)
        << int(c.raw);
    EXPECT_STREQ(text, c.text);
    EXPECT_EQ(phys, c.raw);
  }
}

}  // namespace
