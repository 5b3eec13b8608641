// The text Ordex_WriteAsapFile produces, block by block: every line, its condition and its
// indentation, compared byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using ordex_test::TempDir;

std::string writeBack(const std::string& a2l, const char* comment = "c") {
  Instance inst;
  TempDir dir;
  EXPECT_EQ(ordex_test::readText(inst, a2l), rcOk) << ordex_test::readError(inst);
  std::string out = dir.path() + "/out.a2l";
  EXPECT_EQ(Ordex_WriteAsapFile(inst, out.c_str(), nullptr, nullptr, comment, nullptr, nullptr),
            rcOk);
  return ordex_test::readFile(out);
}

std::string inModule(const std::string& body) {
  return "/begin PROJECT P \"\"\n/begin MODULE M \"\"\n" + body + "\n/end MODULE\n/end PROJECT\n";
}

// The written text of the single module from `from` (included) up to `to` (excluded).
std::string between(const std::string& body, const std::string& from, const std::string& to) {
  std::string text = writeBack(inModule(body));
  size_t start = text.find(from), end = text.find(to);
  if (start == std::string::npos || end == std::string::npos) return "(not found in:\n" + text;
  return text.substr(start, end - start);
}

// The object blocks: what stands between MOD_COMMON and the end of the module.
std::string writtenObjects(const std::string& body) {
  const std::string from = "    /end MOD_COMMON\n\n";
  std::string text = between(body, from, "  /end MODULE\n");
  return text.rfind(from, 0) == 0 ? text.substr(from.size()) : text;
}

TEST(WriterBlocks, ProjectHead) {
  EXPECT_EQ(writeBack("ASAP2_VERSION 1 61\n/* file comment */\n/begin PROJECT P \"project\"\n"
                      "/begin HEADER \"header\" VERSION \"1.0\" PROJECT_NO X1 /end HEADER\n"
                      "/end PROJECT\n",
                      "written by a test"),
            "ASAP2_VERSION  1 3\n/* written by a test */\n/begin PROJECT\n  P \"project\"\n\n"
            "  /begin HEADER\n    \"header\"\n    VERSION \"1.0\"\n    PROJECT_NO X1\n"
            "  /end HEADER\n\n/end PROJECT\n");
  // Without HEADER the header block is still written, with an empty comment; MOD_PAR and
  // MOD_COMMON are always written, BYTE_ORDER with the module's default.
  EXPECT_EQ(writeBack("/begin PROJECT P \"\" /begin MODULE M \"module\" /end MODULE /end PROJECT"),
            "ASAP2_VERSION  1 3\n/* c */\n/begin PROJECT\n  P \"\"\n\n"
            "  /begin HEADER\n    \"\"\n  /end HEADER\n\n"
            "  /begin MODULE\n    M \"module\"\n\n"
            "    /begin MOD_PAR\n      \"\"\n    /end MOD_PAR\n\n"
            "    /begin MOD_COMMON\n      \"\"\n      BYTE_ORDER MSB_LAST\n    /end MOD_COMMON\n\n"
            "  /end MODULE\n\n/end PROJECT\n");
}

TEST(WriterBlocks, ModParAndModCommonWithEveryItem) {
  EXPECT_EQ(
      between("/begin MOD_PAR \"mp\"\n"
              "  VERSION \"V1\" ADDR_EPK 0x1234 EPK \"E\" SUPPLIER \"S\" CUSTOMER \"C\"\n"
              "  CUSTOMER_NO \"CN\" USER \"U\" PHONE_NO \"PN\" ECU \"ECU\" CPU_TYPE \"CPU\"\n"
              "  NO_OF_INTERFACES 2 ECU_CALIBRATION_OFFSET 10\n"
              "  /begin MEMORY_LAYOUT PRG_DATA 0x100 0x200 -1 0 1 2 3\n"
              "    /begin IF_DATA ETK 1 \"x\" /end IF_DATA /end MEMORY_LAYOUT\n"
              "  /begin MEMORY_SEGMENT Seg \"segment\" DATA FLASH EXTERN 0xA0000000 0x8000"
              " -1 -1 -1 -1 -1 /end MEMORY_SEGMENT\n"
              "  SYSTEM_CONSTANT \"A\" \"1\" SYSTEM_CONSTANT \"B\" \"two words\"\n"
              "  /begin CALIBRATION_METHOD \"InCircuit\" 2 /end CALIBRATION_METHOD /end MOD_PAR\n"
              "/begin MOD_COMMON \"mc\"\n"
              "  S_REC_LAYOUT SR DEPOSIT ABSOLUTE BYTE_ORDER MSB_FIRST\n"
              "  ALIGNMENT_BYTE 1 ALIGNMENT_WORD 2 ALIGNMENT_LONG 4\n"
              "  ALIGNMENT_FLOAT32_IEEE 4 ALIGNMENT_FLOAT64_IEEE 8\n"
              "  RAM_OFFSET 100 ROM_OFFSET 0x2a BIT_MASK 0xFF /end MOD_COMMON\n",
              "    /begin MOD_PAR\n", "\n  /end MODULE\n"),
      "    /begin MOD_PAR\n      \"mp\"\n      VERSION \"V1\"\n      ADDR_EPK 0x1234\n"
      "      EPK \"E\"\n      SUPPLIER \"S\"\n      CUSTOMER \"C\"\n      CUSTOMER_NO \"CN\"\n"
      "      USER \"U\"\n      PHONE_NO \"PN\"\n      ECU \"ECU\"\n      CPU_TYPE \"CPU\"\n"
      "      NO_OF_INTERFACES 2\n      ECU_CALIBRATION_OFFSET 0x10\n"
      "      /begin MEMORY_LAYOUT\n        PRG_DATA\n        0x100 0x200\n        -1 0 1 2 3 \n"
      "        /begin IF_DATA ETK 1 \"x\" /end IF_DATA\n      /end MEMORY_LAYOUT\n\n"
      "      /begin MEMORY_SEGMENT\n        Seg \"segment\"\n        DATA FLASH EXTERN\n"
      "        0xA0000000 0x8000\n        -1 -1 -1 -1 -1 \n      /end MEMORY_SEGMENT\n\n"
      "      SYSTEM_CONSTANT \"A\" \"1\"\n      SYSTEM_CONSTANT \"B\" \"two words\"\n"
      "    /end MOD_PAR\n\n"
      "    /begin MOD_COMMON\n      \"mc\"\n      S_REC_LAYOUT SR\n      DEPOSIT ABSOLUTE\n"
      "      BYTE_ORDER MSB_FIRST\n      ALIGNMENT_BYTE 1\n      ALIGNMENT_WORD 2\n"
      "      ALIGNMENT_LONG 4\n      ALIGNMENT_FLOAT32_IEEE 4\n      ALIGNMENT_FLOAT64_IEEE 8\n"
      // The offsets are read in base 16 and written so: "100" is 0x100.
      "      RAM_OFFSET 0x100\n      ROM_OFFSET 0x2A\n      BIT_MASK 0xFF\n    /end MOD_COMMON\n");
}

struct BlockCase {
  const char* name;
  const char* input;     // module content
  const char* expected;  // the written object blocks
};

class WriterObjectBlocks : public testing::TestWithParam<BlockCase> {};

TEST_P(WriterObjectBlocks, AsDocumented) {
  EXPECT_EQ(writtenObjects(GetParam().input), GetParam().expected);
}

const BlockCase kCases[] = {
    {"CharacteristicWithEveryOptionalItem",
     "/begin CHARACTERISTIC Blk \"block\" VAL_BLK 1000 RL_BLK 0.5 CM 0 255\n"
     "  NUMBER 8 BYTE_ORDER MSB_LAST BIT_MASK 0xF0 FORMAT \"%4.1\" EXTENDED_LIMITS -10 300\n"
     "  READ_ONLY MAX_REFRESH 3 100\n"
     "  /begin ANNOTATION ANNOTATION_LABEL \"l\" /begin ANNOTATION_TEXT \"a\" \"b\""
     " /end ANNOTATION_TEXT /end ANNOTATION\n"
     "  /begin IF_DATA CANAPE_EXT 100 \"x y\" /end IF_DATA\n"
     "/end CHARACTERISTIC",
     // The address is read in base 16; BYTE_ORDER equal to the module's is left out.
     "    /begin CHARACTERISTIC\n      Blk \"block\"\n      VAL_BLK\n      0x1000\n"
     "      RL_BLK 0.5\n      CM 0 255\n      FORMAT \"%4.1\"\n      BIT_MASK 0xF0\n"
     "      NUMBER 8\n      EXTENDED_LIMITS -10 300\n      READ_ONLY\n      MAX_REFRESH 3 100\n"
     "      /begin ANNOTATION\n        ANNOTATION_LABEL \"l\"\n        /begin ANNOTATION_TEXT\n"
     "          \"ab\"\n        /end ANNOTATION_TEXT\n      /end ANNOTATION\n"
     "      /begin IF_DATA CANAPE_EXT 100 \"x y\" /end IF_DATA\n    /end CHARACTERISTIC\n\n"},
    {"MapWithTwoAxes",
     "/begin CHARACTERISTIC Map \"\" MAP 0x2000 RL_MAP 0 CM 0 100 BYTE_ORDER MSB_FIRST\n"
     "  /begin AXIS_DESCR STD_AXIS N CM_N 8 0 6000 READ_ONLY FORMAT \"%5.0\"\n"
     "    /begin ANNOTATION ANNOTATION_LABEL \"l\" ANNOTATION_ORIGIN \"o\"\n"
     "      /begin ANNOTATION_TEXT \"t1\" \"t2\" /end ANNOTATION_TEXT /end ANNOTATION\n"
     "    AXIS_PTS_REF ApN EXTENDED_LIMITS -1 7000 DEPOSIT ABSOLUTE /end AXIS_DESCR\n"
     "  /begin AXIS_DESCR FIX_AXIS NO_INPUT_QUANTITY NO_COMPU_METHOD 4 0 3\n"
     "    FIX_AXIS_PAR_DIST 0 1 4 /end AXIS_DESCR /end CHARACTERISTIC",
     "    /begin CHARACTERISTIC\n      Map \"\"\n      MAP\n      0x2000\n      RL_MAP 0\n"
     "      CM 0 100\n      BYTE_ORDER MSB_FIRST\n"
     "      /begin AXIS_DESCR\n        STD_AXIS N\n        CM_N 8\n        0 6000\n"
     "        READ_ONLY\n        FORMAT \"%5.0\"\n"
     "        /begin ANNOTATION\n          ANNOTATION_LABEL \"l\"\n          ANNOTATION_ORIGIN "
     "\"o\"\n"
     "          /begin ANNOTATION_TEXT\n            \"t1t2\"\n          /end ANNOTATION_TEXT\n"
     "        /end ANNOTATION\n"
     "        AXIS_PTS_REF ApN\n        EXTENDED_LIMITS -1 7000\n        DEPOSIT ABSOLUTE\n"
     "      /end AXIS_DESCR\n"
     "      /begin AXIS_DESCR\n        FIX_AXIS NO_INPUT_QUANTITY\n        NO_COMPU_METHOD 4\n"
     "        0 3\n        FIX_AXIS_PAR_DIST 0 1 4\n      /end AXIS_DESCR\n"
     "    /end CHARACTERISTIC\n\n"},
    // A VALUE writes no axis even when the file gave one; ASCII writes NUMBER.
    {"ValueAndAsciiWithoutAxes",
     "/begin CHARACTERISTIC V \"\" VALUE 0 RL 0 CM 0 1\n"
     "  /begin AXIS_DESCR STD_AXIS X CM 2 0 1 /end AXIS_DESCR /end CHARACTERISTIC\n"
     "/begin CHARACTERISTIC S \"\" ASCII 0 RL 0 CM 0 1 NUMBER 12 /end CHARACTERISTIC",
     "    /begin CHARACTERISTIC\n      V \"\"\n      VALUE\n      0x0\n      RL 0\n"
     "      CM 0 1\n    /end CHARACTERISTIC\n\n"
     "    /begin CHARACTERISTIC\n      S \"\"\n      ASCII\n      0x0\n      RL 0\n"
     "      CM 0 1\n      NUMBER 12\n    /end CHARACTERISTIC\n\n"},
    // A CUBOID read with two axes writes its third, unfilled axis as an empty block, which
    // reads back as the same unfilled axis.
    {"CuboidWithTwoAxesGiven",
     "/begin CHARACTERISTIC K \"\" CUBOID 0 RL 0 CM 0 1\n"
     "  /begin AXIS_DESCR STD_AXIS A CM 2 0 1 FIX_AXIS_PAR 1 2 3 /end AXIS_DESCR\n"
     "  /begin AXIS_DESCR COM_AXIS B CM 3 0 1 AXIS_PTS_REF ApB /end AXIS_DESCR /end CHARACTERISTIC",
     "    /begin CHARACTERISTIC\n      K \"\"\n      CUBOID\n      0x0\n      RL 0\n"
     "      CM 0 1\n"
     "      /begin AXIS_DESCR\n        STD_AXIS A\n        CM 2\n        0 1\n"
     "        FIX_AXIS_PAR 1 2 3\n      /end AXIS_DESCR\n"
     "      /begin AXIS_DESCR\n        COM_AXIS B\n        CM 3\n        0 1\n"
     "        AXIS_PTS_REF ApB\n      /end AXIS_DESCR\n"
     "      /begin AXIS_DESCR\n      /end AXIS_DESCR\n"
     "    /end CHARACTERISTIC\n\n"},
    // Keywords outside their keyword list (-1), such as those of later versions, are written
    // as they were read, never as the number.
    {"UnknownKeywords",
     "/begin CHARACTERISTIC U \"\" WAVEFORM 0 RL 0 CM 0 1 BYTE_ORDER SIDEWAYS /end CHARACTERISTIC",
     "    /begin CHARACTERISTIC\n      U \"\"\n      WAVEFORM\n      0x0\n      RL 0\n"
     "      CM 0 1\n      BYTE_ORDER SIDEWAYS\n    /end CHARACTERISTIC\n\n"},
    // An annotation text is cut at each double quote, which is dropped with the character
    // after it; a quote at the very end ends the text.
    {"AnnotationTextPiecesAtDoubleQuotes",
     "/begin CHARACTERISTIC C \"\" VALUE 0 RL 0 CM 0 1\n"
     "  /begin ANNOTATION /begin ANNOTATION_TEXT \"a\\\"xb\" /end ANNOTATION_TEXT /end ANNOTATION\n"
     "  /begin ANNOTATION /begin ANNOTATION_TEXT \"ab\\\"\" /end ANNOTATION_TEXT /end ANNOTATION\n"
     "/end CHARACTERISTIC",
     "    /begin CHARACTERISTIC\n      C \"\"\n      VALUE\n      0x0\n      RL 0\n      CM 0 1\n"
     "      /begin ANNOTATION\n        /begin ANNOTATION_TEXT\n          \"a\"\n          \"b\"\n"
     "        /end ANNOTATION_TEXT\n      /end ANNOTATION\n"
     "      /begin ANNOTATION\n        /begin ANNOTATION_TEXT\n          \"ab\"\n"
     "        /end ANNOTATION_TEXT\n      /end ANNOTATION\n    /end CHARACTERISTIC\n\n"},
    {"MeasurementWithEveryOptionalItem",
     "/begin MEASUREMENT M1 \"meas\" UWORD CM 1 0.5 -40.0 215\n"
     "  FORMAT \"%5.1\" ARRAY_SIZE 4 BIT_MASK 0x0F BYTE_ORDER MSB_FIRST MAX_REFRESH 1 10\n"
     "  /begin VIRTUAL V1 V2 /end VIRTUAL /begin IF_DATA XCP 1 /end IF_DATA ECU_ADDRESS 0x8000a0\n"
     "  /begin ANNOTATION /begin ANNOTATION_TEXT \"x\" /end ANNOTATION_TEXT /end ANNOTATION\n"
     "/end MEASUREMENT",
     "    /begin MEASUREMENT\n      M1 \"meas\"\n      UWORD\n      CM\n      1 0.5\n"
     "      -40.0 215\n      FORMAT \"%5.1\"\n      ARRAY_SIZE 4\n      BIT_MASK 0xF\n"
     "      BYTE_ORDER MSB_FIRST\n      MAX_REFRESH 1 10\n"
     "      /begin VIRTUAL\n        V1 V2 \n      /end VIRTUAL\n"
     "      /begin ANNOTATION\n        /begin ANNOTATION_TEXT\n          \"x\"\n"
     "        /end ANNOTATION_TEXT\n      /end ANNOTATION\n"
     "      /begin IF_DATA XCP 1 /end IF_DATA\n      ECU_ADDRESS 0x8000A0\n"
     "    /end MEASUREMENT\n\n"},
    // A limit read in hexadecimal keeps only its number and is written back as 0x followed
    // by upper-case digits, also when it is all ones.
    {"MeasurementHexadecimalLimits",
     "/begin MEASUREMENT H \"\" ULONG CM 0 0 0xff 0XFFFFFFFF /end MEASUREMENT",
     "    /begin MEASUREMENT\n      H \"\"\n      ULONG\n      CM\n      0 0\n"
     "      0xFF 0xFFFFFFFF\n    /end MEASUREMENT\n\n"},
    // Names of 9 characters take 10 columns: seven fill a line of 70. A name longer than
    // the line stands alone on its own line (the first line then holds only the indentation).
    // Empty lists are left out.
    {"FunctionNameListsWrapAtSeventyColumns",
     "/begin FUNCTION F \"fn\" FUNCTION_VERSION \"1.0\"\n"
     "  /begin ANNOTATION ANNOTATION_LABEL \"a\" /end ANNOTATION\n"
     "  /begin DEF_CHARACTERISTIC Char_0001 Char_0002 Char_0003 Char_0004 Char_0005\n"
     "    Char_0006 Char_0007 Char_0008 Char_0009 Char_0010 /end DEF_CHARACTERISTIC\n"
     "  /begin REF_CHARACTERISTIC "
     "Long_name_of_eighty_characters_xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
     " Short /end REF_CHARACTERISTIC\n"
     "  /begin SUB_FUNCTION S /end SUB_FUNCTION /begin LOC_MEASUREMENT L /end LOC_MEASUREMENT\n"
     "  /begin OUT_MEASUREMENT O /end OUT_MEASUREMENT /begin IN_MEASUREMENT I1 I2 /end "
     "IN_MEASUREMENT\n"
     "  /begin AXIS_PTS A /end AXIS_PTS /end FUNCTION\n"
     "/begin FUNCTION E \"\" /begin SUB_FUNCTION /end SUB_FUNCTION /end FUNCTION",
     "    /begin FUNCTION\n      F \"fn\"\n"
     "      /begin ANNOTATION\n        ANNOTATION_LABEL \"a\"\n      /end ANNOTATION\n"
     "      /begin DEF_CHARACTERISTIC\n"
     "        Char_0001 Char_0002 Char_0003 Char_0004 Char_0005 Char_0006 Char_0007 \n"
     "        Char_0008 Char_0009 Char_0010 \n"
     "      /end DEF_CHARACTERISTIC\n"
     "      /begin REF_CHARACTERISTIC\n        \n"
     "        Long_name_of_eighty_characters_xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx \n"
     "        Short \n      /end REF_CHARACTERISTIC\n"
     "      /begin IN_MEASUREMENT\n        I1 I2 \n      /end IN_MEASUREMENT\n"
     "      /begin OUT_MEASUREMENT\n        O \n      /end OUT_MEASUREMENT\n"
     "      /begin LOC_MEASUREMENT\n        L \n      /end LOC_MEASUREMENT\n"
     "      /begin SUB_FUNCTION\n        S \n      /end SUB_FUNCTION\n"
     "      /begin AXIS_PTS\n        A \n      /end AXIS_PTS\n"
     "    /end FUNCTION\n\n"
     "    /begin FUNCTION\n      E \"\"\n    /end FUNCTION\n\n"},
    // Each coefficient is preceded by the indentation and followed by a blank; FORMULA_INV
    // is not written; the table types write COMPU_TAB_REF.
    {"CompuMethods",
     "/begin COMPU_METHOD R \"rat\" RAT_FUNC \"%6.2\" \"rpm\" COEFFS 0 1 0.0 0 0 1"
     " /end COMPU_METHOD\n"
     "/begin COMPU_METHOD F \"form\" FORM \"%6.2\" \"\"\n"
     "  /begin FORMULA \"X1*2\" FORMULA_INV \"X1/2\" /end FORMULA /end COMPU_METHOD\n"
     "/begin COMPU_METHOD T \"tab\" TAB_VERB \"%d\" \"\" COMPU_TAB_REF VT /end COMPU_METHOD\n"
     "/begin COMPU_METHOD I \"\" TAB_INTP \"%d\" \"\" COMPU_TAB_REF TI COEFFS 1 2 3 4 5 6"
     " /end COMPU_METHOD",
     "    /begin COMPU_METHOD\n      R \"rat\"\n      RAT_FUNC\n      \"%6.2\"\n      \"rpm\"\n"
     "      COEFFS     0     1     0.0     0     0     1 \n"
     "    /end COMPU_METHOD\n\n"
     "    /begin COMPU_METHOD\n      F \"form\"\n      FORM\n      \"%6.2\"\n      \"\"\n"
     "      FORMULA \"X1*2\"\n    /end COMPU_METHOD\n\n"
     "    /begin COMPU_METHOD\n      T \"tab\"\n      TAB_VERB\n      \"%d\"\n      \"\"\n"
     "      COMPU_TAB_REF VT\n    /end COMPU_METHOD\n\n"
     "    /begin COMPU_METHOD\n      I \"\"\n      TAB_INTP\n      \"%d\"\n      \"\"\n"
     "      COMPU_TAB_REF TI\n    /end COMPU_METHOD\n\n"},
    // Four pairs to a line, each line opened by a line feed and eleven blanks; what follows
    // the last pair continues its line.
    {"CompuTabWithFivePairs",
     "/begin COMPU_TAB T \"t\" TAB_NOINTP 5 1 10 2 20.5 3 0x1E 4 40 5 50"
     " DEFAULT_VALUE \"none\" /end COMPU_TAB\n"
     "/begin COMPU_TAB U \"\" TAB_INTP 1 7 7.5 /end COMPU_TAB",
     "    /begin COMPU_TAB\n      T \"t\"\n      TAB_NOINTP\n      5\n"
     "\n                 1 10      2 20.5      3 0x1E      4 40"
     "\n                 5 50      DEFAULT_VALUE \"none\"\n"
     "    /end COMPU_TAB\n\n"
     "    /begin COMPU_TAB\n      U \"\"\n      TAB_INTP\n      1\n"
     "\n                 7 7.5    /end COMPU_TAB\n\n"},
    // A quote inside a quoted text is written as backslash-quote, which the reader turns back
    // into the quote; other backslash pairs stand as they are.
    {"CompuVTabAndQuotesInsideQuotedTexts",
     "/begin COMPU_VTAB V \"say \\\"hi\\\"\" TAB_VERB 2 0 \"tab\\there\" 0x1 \"on\""
     " DEFAULT_VALUE \"\\\"\" /end COMPU_VTAB",
     "    /begin COMPU_VTAB\n      V \"say \\\"hi\\\"\"\n      TAB_VERB\n      2\n"
     "      0 \"tab\\there\"\n      1 \"on\"\n      DEFAULT_VALUE \"\\\"\"\n    /end "
     "COMPU_VTAB\n\n"},
    {"AxisPtsWithEveryOptionalItem",
     "/begin AXIS_PTS Ap \"axis\" 2000 N RL_AX 0 CM 8 0 6000\n"
     "  READ_ONLY FORMAT \"%4.0\" DEPOSIT ABSOLUTE BYTE_ORDER MSB_FIRST\n"
     "  /begin ANNOTATION ANNOTATION_ORIGIN \"o\" /end ANNOTATION /begin IF_DATA X 1 /end IF_DATA\n"
     "/end AXIS_PTS",
     "    /begin AXIS_PTS\n      Ap \"axis\"\n      0x2000\n      N\n      RL_AX 0\n"
     "      CM 8 0 6000\n      READ_ONLY\n      FORMAT \"%4.0\"\n      DEPOSIT ABSOLUTE\n"
     "      BYTE_ORDER MSB_FIRST\n"
     "      /begin ANNOTATION\n        ANNOTATION_ORIGIN \"o\"\n      /end ANNOTATION\n"
     "      /begin IF_DATA X 1 /end IF_DATA\n"
     "    /end AXIS_PTS\n\n"},
    // Elements in ascending position, each in the form of its kind; an element at a
    // position above 40 has no place and is not written; FIX_NO_AXIS_PTS lines end in a
    // blank; an alignment equal to the module's is left out.
    {"RecordLayoutInPositionOrder",
     "/begin MOD_COMMON \"\" ALIGNMENT_WORD 2 /end MOD_COMMON\n"
     "/begin RECORD_LAYOUT RL\n"
     "  FNC_VALUES 7 SWORD ROW_DIR PBYTE RESERVED 1 BYTE AXIS_PTS_X 3 UWORD INDEX_DECR DIRECT\n"
     "  AXIS_RESCALE_Y 4 UBYTE 5 INDEX_INCR DIRECT NO_AXIS_PTS_X 2 UBYTE\n"
     "  IDENTIFICATION 5 ULONG DIST_OP_Z 6 FLOAT32_IEEE OFFSET_X 41 UBYTE\n"
     "  SRC_ADDR_Y 40 ALTERNATE_TYPE FIX_NO_AXIS_PTS_X 8 FIX_NO_AXIS_PTS_Y 0\n"
     "  ALIGNMENT_WORD 2 ALIGNMENT_LONG 8 /end RECORD_LAYOUT",
     "    /begin RECORD_LAYOUT\n      RL\n      RESERVED 1 BYTE\n      NO_AXIS_PTS_X 2 UBYTE\n"
     "      AXIS_PTS_X 3 UWORD INDEX_DECR DIRECT\n      AXIS_RESCALE_Y 4 UBYTE 5 INDEX_INCR "
     "DIRECT\n"
     "      IDENTIFICATION 5 ULONG\n      DIST_OP_Z 6 FLOAT32_IEEE\n"
     "      FNC_VALUES 7 SWORD ROW_DIR PBYTE\n      SRC_ADDR_Y 40 ALTERNATE_TYPE\n"
     "      FIX_NO_AXIS_PTS_X 8 \n      ALIGNMENT_LONG 8\n    /end RECORD_LAYOUT\n\n"},
    // Keywords of later versions come back as they were read: types, byte orders, axis
    // attributes and element arguments outside their lists, a LINEAR method with its
    // coefficients, input values with a fraction, a CUBE_4 with its NUMBER and axes.
    {"KeywordsOfLaterVersions",
     "/begin CHARACTERISTIC C4 \"\" CUBE_4 0 RL 0 CM 0 1 NUMBER 3\n"
     "  /begin AXIS_DESCR CURVE_AXIS N CM 3 0 1 /end AXIS_DESCR /end CHARACTERISTIC\n"
     "/begin MEASUREMENT N \"\" A_UINT64 CM 1 1 0 100 BYTE_ORDER MSB_FIRST_MSW_LAST"
     " /end MEASUREMENT\n"
     "/begin COMPU_METHOD CM \"\" LINEAR \"%4.1\" \"\" COEFFS_LINEAR 0.5 -4e1"
     " STATUS_STRING_REF VT /end COMPU_METHOD\n"
     "/begin COMPU_METHOD ID \"\" IDENTICAL \"%4.1\" \"\" /end COMPU_METHOD\n"
     "/begin COMPU_VTAB VT \"\" TAB_VERB 3 1.1 \"a\" 2.0 \"b\" -0.5 \"c\" /end COMPU_VTAB\n"
     "/begin RECORD_LAYOUT RL FNC_VALUES 1 A_INT64 ALTERNATE_WITH_X DIRECT /end RECORD_LAYOUT",
     "    /begin CHARACTERISTIC\n      C4 \"\"\n      CUBE_4\n      0x0\n      RL 0\n"
     "      CM 0 1\n      NUMBER 3\n      /begin AXIS_DESCR\n        CURVE_AXIS N\n"
     "        CM 3\n        0 1\n      /end AXIS_DESCR\n    /end CHARACTERISTIC\n\n"
     "    /begin MEASUREMENT\n      N \"\"\n      A_UINT64\n      CM\n      1 1\n      0 100\n"
     "      BYTE_ORDER MSB_FIRST_MSW_LAST\n    /end MEASUREMENT\n\n"
     "    /begin COMPU_METHOD\n      CM \"\"\n      LINEAR\n      \"%4.1\"\n      \"\"\n"
     "      COEFFS_LINEAR 0.5 -4e1\n    /end COMPU_METHOD\n\n"
     "    /begin COMPU_METHOD\n      ID \"\"\n      IDENTICAL\n      \"%4.1\"\n      \"\"\n"
     "    /end COMPU_METHOD\n\n"
     "    /begin COMPU_VTAB\n      VT \"\"\n      TAB_VERB\n      3\n      1.1 \"a\"\n"
     "      2 \"b\"\n      -0.5 \"c\"\n    /end COMPU_VTAB\n\n"
     "    /begin RECORD_LAYOUT\n      RL\n      FNC_VALUES 1 A_INT64 ALTERNATE_WITH_X DIRECT\n"
     "    /end RECORD_LAYOUT\n\n"},
};
INSTANTIATE_TEST_SUITE_P(Writer, WriterObjectBlocks, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<BlockCase>& i) { return i.param.name; });

// The objects of a module come kind by kind in a fixed order, each kind in list order.
TEST(WriterBlocks, ObjectKindsInFixedOrder) {
  std::string text = writtenObjects(
      "/begin RECORD_LAYOUT R1 /end RECORD_LAYOUT\n"
      "/begin AXIS_PTS A1 \"\" 0 N RL 0 CM 1 0 1 /end AXIS_PTS\n"
      "/begin COMPU_VTAB V1 \"\" TAB_VERB 0 /end COMPU_VTAB\n"
      "/begin COMPU_TAB T1 \"\" TAB_INTP 0 /end COMPU_TAB\n"
      "/begin COMPU_METHOD CM1 \"\" FORM \"\" \"\" /end COMPU_METHOD\n"
      "/begin FUNCTION F1 \"\" /end FUNCTION\n"
      "/begin MEASUREMENT M1 \"\" UBYTE CM 0 0 0 1 /end MEASUREMENT\n"
      "/begin CHARACTERISTIC C2 \"\" VALUE 0 RL 0 CM 0 1 /end CHARACTERISTIC\n"
      "/begin CHARACTERISTIC C1 \"\" VALUE 0 RL 0 CM 0 1 /end CHARACTERISTIC\n");
  size_t last = 0;
  for (const char* head :
       {"  C2 ", "  C1 ", "  M1 ", "  F1 ", "  CM1 ", "  T1 ", "  V1 ", "  A1 ", "  R1\n"}) {
    size_t at = text.find(head);
    ASSERT_NE(at, std::string::npos) << head;
    EXPECT_LT(last, at) << head;
    last = at;
  }
}

// A number given through the interface with a value but no text is written as the shortest
// text of its value, so that the file reads back (an empty text would shift the arguments
// after it).
TEST(WriterBlocks, NumbersGivenWithoutTextAreWrittenFromTheirValue) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, inModule("")), rcOk);
  TMeasurement m{};
  std::snprintf(m.Name, sizeof m.Name, "N");
  std::snprintf(m.Conversion, sizeof m.Conversion, "NO_COMPU_METHOD");
  m.DataType = dtUWord;
  m.Accuracy.Value = 0.25;
  m.LowerLimit.Value = -40;
  m.UpperLimit.Value = 1e300;
  m.BitMask = m.EcuAddress = 0xFFFFFFFFu;
  m.ByteOrder = m.MaxRefreshScalingUnit = -1;
  ASSERT_EQ(Ordex_CreateMeasurement(inst, nullptr, &m), rcOk);
  TempDir dir;
  std::string out = dir.path() + "/out.a2l";
  ASSERT_EQ(Ordex_WriteAsapFile(inst, out.c_str(), nullptr, nullptr, "", nullptr, nullptr), rcOk);
  std::string text = ordex_test::readFile(out);
  EXPECT_NE(text.find("      0 0.25\n      -40 1e+300\n"), std::string::npos) << text;
  Instance back;
  ASSERT_EQ(Ordex_ReadAsapFile(back, out.c_str(), nullptr, nullptr), rcOk);
  TMeasurement r{};
  std::snprintf(r.Name, sizeof r.Name, "N");
  ASSERT_EQ(Ordex_GetMeasurement(back, nullptr, &r, 0), rcOk);
  EXPECT_STREQ(r.UpperLimit.Text, "1e+300");
  EXPECT_EQ(r.UpperLimit.Value, 1e300);
  EXPECT_EQ(r.Accuracy.Value, 0.25);
}

}  // namespace
