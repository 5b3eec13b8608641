// Hostile inputs: counts and sizes chosen to make the library allocate, loop or index without
// end, and deep or endless structures. Each must end with a documented code and leave a
// usable instance.
//
// Covered elsewhere, not repeated here:
// - COMPU_TAB declaring 2147483647 pairs (read as 256) and -4 pairs:
//   compu_tab_test.cpp DeclaredPairsMissingFromTheFileReadAsEmptyPairs
// - COMPU_VTAB declaring 2147483647 pairs (the count kept, nothing allocated for it) and
//   negative counts: compu_vtab_test.cpp ADeclaredCountLargerThanThePairsGivenIsKeptWithEmptyPairs
//   and the tables without pairs before it; written back with that count and its one pair:
//   round_trip_test.cpp HostilePairCount; the largest allocation of such a read is bounded
//   in tests/alloc (allocation_failure_test.cpp HostileCountsAllocateLittle)
// - a file that includes itself: reader_includes_test.cpp FileIncludingItselfFails (-6)
// - 100 000 nested unknown blocks: reader_bad_input_test.cpp DeepUnknownNesting (0)
// - a line of 1 MB in the file head: reader_file_head_test.cpp MegabyteLineInTheHead (0)
// - tokens of 1 MB: reader_bad_input_test.cpp MegabyteTokensAreCut (0)
// - a string or comment that never closes: reader_bad_input_test.cpp
//   InputEndingInsideAStringOrComment (-101)
// - NUL bytes inside names: reader_bad_input_test.cpp NulBytesInNamesEndTheName (0)
// - a directory, FIFO, /dev/zero, an unreadable file: reader_bad_input_test.cpp
//   TopFileThatIsNoReadablePlainFile, FifoAndEndlessDevicesDoNotHang, UnreadableFile (-4);
//   an include naming a folder: reader_includes_test.cpp IncludeThatCannotBeOpened (-6)
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <string>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using ordex_test::readError;
using ordex_test::readText;
using ordex_test::TempDir;

std::string inModule(const std::string& body) {
  return "/begin PROJECT P \"\"\n/begin MODULE M \"\"\n" + body + "/end MODULE\n/end PROJECT\n";
}

// Writes the instance's model and returns the text.
std::string written(TOrdex* inst) {
  TempDir dir;
  std::string path = dir.path() + "/out.a2l";
  EXPECT_EQ(Ordex_WriteAsapFile(inst, path.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr),
            rcOk);
  return ordex_test::readFile(path);
}

TEST(HostileInput, MillionNestedUnknownBlocks) {
  std::string open;
  std::string close;
  for (int i = 0; i < 1000000; ++i) open += "/begin GROUP g \"\"\n";
  for (int i = 0; i < 1000000; ++i) close += "/end GROUP\n";
  {
    Instance inst;
    EXPECT_EQ(readText(inst, inModule(open + close)), rcOk);
  }
  // Never closed: the nesting count is off at the end, and the report names the module.
  Instance inst;
  EXPECT_EQ(readText(inst, inModule(open)), rcBlockNesting);
  EXPECT_NE(readError(inst).find("PROJECT P, MODULE M"), std::string::npos) << readError(inst);
}

TEST(HostileInput, MillionNestedBeginsInsideAnObjectBlock) {
  // The block parser sees every nested token of a block it does not know; nothing grows
  // with the depth but the nesting count.
  std::string body = "/begin MEASUREMENT m \"\" UBYTE CM 1 0 0 255\n";
  for (int i = 0; i < 1000000; ++i) body += "/begin X\n";
  for (int i = 0; i < 1000000; ++i) body += "/end X\n";
  body += "/end MEASUREMENT\n";
  Instance inst;
  EXPECT_EQ(readText(inst, inModule(body)), rcOk);
  TMeasurement m{};
  std::strcpy(m.Name, "m");
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
  TCharacteristic c{};
  std::strcpy(c.Name, "Big");
  ASSERT_EQ(Ordex_GetCharacteristic(inst, nullptr, &c, 0), rcOk);
  EXPECT_EQ(c.Number, -1);
  std::strcpy(c.Name, "Neg");
  ASSERT_EQ(Ordex_GetCharacteristic(inst, nullptr, &c, 0), rcOk);
  EXPECT_EQ(c.Number, -5);
  std::string text = written(inst);
  EXPECT_NE(text.find("NUMBER -1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("NUMBER -5\n"), std::string::npos) << text;
}

// ARRAY_SIZE 2147483647: the writer writes it back; the request block asks for the low 8
// bits of size x count without overflow; a response can never be long enough for an
// element far into the array, and a negative index is refused.
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
                                    "ARRAY_SIZE -3 /end MEASUREMENT\n")),
            rcOk);
  TMeasurement m{};
  std::strcpy(m.Name, "Big");
  ASSERT_EQ(Ordex_GetMeasurement(inst, nullptr, &m, 0), rcOk);
  EXPECT_EQ(m.ArraySize, 2147483647);
  EXPECT_NE(written(inst).find("ARRAY_SIZE 2147483647\n"), std::string::npos);

  struct RequestCase {
    const char* name;
    TOrdexReturnCode rc;
    unsigned char countByte;
  };
  const RequestCase requests[] = {
      {"Big", rcOk, 0xFE},       // 2 x (2^31 - 1) = 0xFFFFFFFE
      {"Str", rcOk, 0xFF},       // a STRING asks for ArraySize bytes
      {"Neg", rcOk, 0x02},       // not an array: one element of 2 bytes
      {"NegStr", rcBadSize, 0},  // a STRING needs an ArraySize of 1 or more
  };
  for (const RequestCase& c : requests) {
    unsigned char block[5] = {};
    int32_t size = sizeof block;
    EXPECT_EQ(Ordex_CreateMeasurementRequestBlock(inst, nullptr, c.name, nullptr, 1, block, &size),
              c.rc)
        << c.name;
    if (c.rc == rcOk) {
      EXPECT_EQ(block[4], c.countByte) << c.name;
    }
  }

  unsigned char response[9] = {0x63, 0, 7, 0, 8, 0, 9, 0, 10};
  double phys = 0;
  char text[1024];
  struct ResponseCase {
    const char* name;
    int32_t index;
    TOrdexReturnCode rc;
  };
  const ResponseCase responses[] = {
      {"Big", 3, rcOk},
      {"Big", 4, rcBadSize},           // byte 9 is past the response
      {"Big", 2147483646, rcBadSize},  // far past it, without overflow
      {"Big", -1, rcIndexOutOfRange},
      {"Big", INT32_MIN, rcIndexOutOfRange},
      {"Neg", 12345, rcOk},   // not an array: the index is ignored
      {"Str", 0, rcBadSize},  // 2147483647 bytes asked for
      {"NegStr", 0, rcBadSize},
  };
  for (const ResponseCase& c : responses) {
    EXPECT_EQ(
        Ordex_EvaluateMeasurementResponseBlock(inst, nullptr, c.name, nullptr, nullptr, 1, response,
                                               sizeof response, c.index, '.', &phys, text),
        c.rc)
        << c.name << " " << c.index;
  }
}

// A resolution of -8 for a STRING measurement dumps nothing; one larger than the response
// stops at its end.
TEST(HostileInput, StringResolutionOutOfRange) {
  Instance inst;
  ASSERT_EQ(readText(inst, inModule("/begin COMPU_METHOD CM \"\" RAT_FUNC \"%4.0\" \"\" "
                                    "COEFFS 0 1 0 0 0 1 /end COMPU_METHOD\n"
                                    "/begin MEASUREMENT Neg \"\" STRING CM -8 0 0 1 "
                                    "ARRAY_SIZE 2 /end MEASUREMENT\n"
                                    "/begin MEASUREMENT Long \"\" STRING CM 32767 0 0 1 "
                                    "ARRAY_SIZE 2 /end MEASUREMENT\n")),
            rcOk);
  const unsigned char response[4] = {0x63, 0xAB, 0xCD, 0xEF};
  double phys = 1;
  char text[64];
  ASSERT_EQ(Ordex_EvaluateMeasurementResponseBlock(inst, nullptr, "Neg", nullptr, nullptr, 1,
                                                   response, 3, 0, '.', &phys, text),
            rcOk);
  EXPECT_STREQ(text, "");
  ASSERT_EQ(Ordex_EvaluateMeasurementResponseBlock(inst, nullptr, "Long", nullptr, nullptr, 1,
                                                   response, 4, 0, '.', &phys, text),
            rcOk);
  EXPECT_STREQ(text, "ab cd ef");
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
  TCharacteristic2 c{};
  std::strcpy(c.Name, "C");
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
  struct Case {
    unsigned char raw;
    TOrdexReturnCode rc;
    const char* text;
  };
  const Case cases[] = {{2, rcOk, "two"}, {0, rcOk, ""}, {5, rcInvalidArgument, "unchanged"}};
  for (const Case& c : cases) {
    double phys = -1;
    char text[ORDEX_TEXT_SIZE] = "unchanged";
    EXPECT_EQ(Ordex_RawToPhys(inst, nullptr, &c.raw, dtUByte, 0, 0, "CM", '.', &phys, text), c.rc)
        << int(c.raw);
    EXPECT_STREQ(text, c.text);
    EXPECT_EQ(phys, c.raw);
  }
}

// An include naming a FIFO or an endless device is refused at once (-6) instead of
// blocking or reading forever; the file head scan refuses a folder like the reader (-4).
TEST(HostileInput, IncludeOfAFifoOrDeviceAndHeadScanOfAFolder) {
  TempDir dir;
  const std::string fifo = dir.path() + "/pipe.a2l";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& target : {fifo, std::string("/dev/zero"), std::string("/dev/null")}) {
    Instance inst;
    EXPECT_EQ(readText(inst, inModule("/include \"" + target + "\"\n")), rcIncludeOpenFailed)
        << target;
  }
  int version = 7;
  int upgrade = 7;
  char comment[ORDEX_TEXT_SIZE] = "x";
  EXPECT_EQ(Ordex_GetAsapFilePreInfo(dir.path().c_str(), &version, &upgrade, comment),
            rcFileOpenFailed);
  EXPECT_EQ(version, 0);
  EXPECT_STREQ(comment, "");
}

}  // namespace
