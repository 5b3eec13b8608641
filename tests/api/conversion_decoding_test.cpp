// Decoding of raw bytes: every data type at its limits in both byte-order families, the bit
// mask on unsigned and signed types, STRING dumps, through Ordex_RawToPhysDirect(2) with a
// rational function that gives the raw value back.

#include <cfloat>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ordex.h"

namespace {

// raw = p: b = 1, f = 1, the rest 0.
TCompuMethod identityMethod(const char* format = "%.1", const char* unit = "") {
  TCompuMethod m;
  std::memset(&m, 0, sizeof m);
  std::snprintf(m.Format, sizeof m.Format, "%s", format);
  std::snprintf(m.Unit, sizeof m.Unit, "%s", unit);
  m.Coeffs[1].Value = 1.0;
  m.Coeffs[5].Value = 1.0;
  return m;
}

TEST(DataSize, EveryTypeAndOutside) {
  const struct {
    int32_t type;
    int32_t size;
  } cases[] = {{dtUByte, 1},       {dtSByte, 1},       {dtUWord, 2},   {dtSWord, 2},
               {dtULong, 4},       {dtSLong, 4},       {dtUTriple, 3}, {dtSTriple, 3},
               {dtFloat32Ieee, 4}, {dtFloat64Ieee, 8}, {dtString, 0},  {11, -1},
               {-1, -1},           {1000, -1}};
  for (const auto& c : cases) EXPECT_EQ(c.size, Ordex_GetDataSizeByDataType(c.type)) << c.type;
}

constexpr int32_t kFirst = boMsbFirst, kLast = boMsbLast;

TEST(Decoding, IntegerTypesAtTheirLimitsAndUnderTheMask) {
  const struct {
    const char* what;
    std::vector<unsigned char> raw;
    int32_t type, order;
    uint32_t mask;
    double expected;
  } cases[] = {
      {"ubyte max", {0xFF}, dtUByte, kFirst, 0, 255},
      {"sbyte min", {0x80}, dtSByte, kLast, 0, -128},
      {"uword msb first", {0x12, 0x34}, dtUWord, kFirst, 0, 4660},
      {"uword little endian reads like msb first", {0x12, 0x34}, dtUWord, boLittleEndian, 0, 4660},
      {"uword order not given reads msb first", {0x12, 0x34}, dtUWord, boNotGiven, 0, 4660},
      {"uword msb last", {0x12, 0x34}, dtUWord, kLast, 0, 13330},
      {"uword big endian reads like msb last", {0x12, 0x34}, dtUWord, boBigEndian, 0, 13330},
      {"uword max", {0xFF, 0xFF}, dtUWord, kLast, 0, 65535},
      {"sword -2 msb last", {0xFE, 0xFF}, dtSWord, kLast, 0, -2},
      {"sword min", {0x80, 0x00}, dtSWord, kFirst, 0, -32768},
      {"sword max msb last", {0xFF, 0x7F}, dtSWord, kLast, 0, 32767},
      {"utriple msb last", {0x01, 0x02, 0x03}, dtUTriple, kLast, 0, 0x030201},
      {"utriple max", {0xFF, 0xFF, 0xFF}, dtUTriple, kFirst, 0, 16777215},
      {"striple min msb first", {0x80, 0x00, 0x00}, dtSTriple, kFirst, 0, -8388608},
      {"striple min msb last", {0x00, 0x00, 0x80}, dtSTriple, kLast, 0, -8388608},
      {"striple max", {0x7F, 0xFF, 0xFF}, dtSTriple, kFirst, 0, 8388607},
      {"ulong max", {0xFF, 0xFF, 0xFF, 0xFF}, dtULong, kFirst, 0, 4294967295.0},
      {"ulong msb last", {0x12, 0x34, 0x56, 0x78}, dtULong, kLast, 0, 0x78563412},
      {"slong min msb first", {0x80, 0, 0, 0}, dtSLong, kFirst, 0, -2147483648.0},
      {"slong min msb last", {0, 0, 0, 0x80}, dtSLong, kLast, 0, -2147483648.0},
      // The mask selects a field that is shifted down to bit 0.
      {"ubyte field", {0xB4}, dtUByte, kFirst, 0x30, 3},
      {"mask 0 is no mask", {0xB4}, dtUByte, kFirst, 0, 180},
      {"all bits is no mask", {0xB4}, dtUByte, kFirst, 0xFFFFFFFF, 180},
      {"uword high byte", {0x12, 0x34}, dtUWord, kFirst, 0xFF00, 0x12},
      {"uword mask after msb last assembly", {0x34, 0x12}, dtUWord, kLast, 0x0FF0, 0x23},
      {"ulong top bit", {0xFF, 0xFF, 0xFF, 0xFF}, dtULong, kFirst, 0x80000000, 1},
      {"utriple middle", {0xAB, 0xCD, 0xEF}, dtUTriple, kFirst, 0x00FF00, 0xCD},
      // On signed types the field's top bit is its sign.
      {"sbyte field with top bit set extends", {0x38}, dtSByte, kFirst, 0x38, -1},
      {"sbyte one bit set gives 1", {0x08}, dtSByte, kFirst, 0x08, 1},
      {"sbyte two-bit field 11 gives -1", {0x30}, dtSByte, kFirst, 0x30, -1},
      {"sbyte two-bit field 10 gives -2", {0x20}, dtSByte, kFirst, 0x30, -2},
      {"sbyte top bit mask is sign-extended", {0x80}, dtSByte, kFirst, 0x80, -1},
      {"sbyte mask without low byte bits", {0x7F}, dtSByte, kFirst, 0x100, 0},
      {"sbyte all bits keeps the value", {0xFB}, dtSByte, kFirst, 0xFFFFFFFF, -5},
      {"sword field 7 of 3 bits", {0x70, 0x00}, dtSWord, kFirst, 0x7000, -1},
      {"sword top nibble", {0xF0, 0x00}, dtSWord, kFirst, 0xF000, -1},
      {"sword low byte", {0x7F, 0x85}, dtSWord, kFirst, 0x00FF, -123},
      {"sword low bit msb last", {0x01, 0x00}, dtSWord, kLast, 0x0001, 1},
      {"striple top nibble 1000", {0x80, 0x00, 0x00}, dtSTriple, kFirst, 0xF00000, -8},
      {"striple bits above 23 select nothing",
       {0xFF, 0xFF, 0xFF},
       dtSTriple,
       kFirst,
       0xFF000000,
       0},
      {"slong middle byte", {0xFF, 0xFF, 0xFF, 0xFF}, dtSLong, kFirst, 0x0000FF00, -1},
      {"slong all bits", {0xFF, 0xFF, 0xFF, 0xFB}, dtSLong, kFirst, 0xFFFFFFFF, -5},
  };
  const TCompuMethod m = identityMethod();
  for (const auto& c : cases) {
    unsigned char raw[8] = {};
    std::memcpy(raw, c.raw.data(), c.raw.size());
    double phys = -12345.0;
    char text[128] = "";
    ASSERT_EQ(rcOk, Ordex_RawToPhysDirect(raw, c.type, c.order, c.mask, &m, '.', &phys, text));
    EXPECT_EQ(c.expected, phys) << c.what;
  }
}

TEST(Decoding, FloatsInHostOrderWithoutByteOrderOrMask) {
  const TCompuMethod m = identityMethod();
  auto decode = [&](const void* value, size_t size, int32_t type, int32_t order) {
    unsigned char raw[8];
    std::memcpy(raw, value, size);
    double phys = 0;
    char text[1024];
    EXPECT_EQ(rcOk, Ordex_RawToPhysDirect(raw, type, order, 0xFF00, &m, '.', &phys, text));
    return phys;
  };
  for (int32_t order : {kFirst, kLast, int32_t{boBigEndian}}) {
    for (float value : {1.5f, -2.25f, FLT_MAX, -FLT_MAX, FLT_MIN}) {
      EXPECT_EQ(value, decode(&value, sizeof value, dtFloat32Ieee, order)) << value << " " << order;
    }
    for (double value : {-2.25, DBL_MAX, -DBL_MAX, DBL_MIN, 1e-300}) {
      EXPECT_EQ(value, decode(&value, sizeof value, dtFloat64Ieee, order)) << value << " " << order;
    }
  }
}

TEST(Decoding, StringDumpsByteCountBytesInLowerCaseHex) {
  const TCompuMethod m = identityMethod("%8.3", "km/h");
  const unsigned char raw[] = {0x41, 0x42, 0x0D, 0xFF};
  const struct {
    unsigned long count;
    const char* text;
  } cases[] = {{3, "41 42 0d"},
               {4, "41 42 0d ff"},
               {1, "41"},
               {0, ""},
               {static_cast<unsigned long>(-1), ""},  // a negative count sign-extended
               {0xFFFFFFFFul, ""}};
  for (const auto& c : cases) {
    double phys = 7;
    char text[64];
    std::memset(text, 'x', sizeof text);
    ASSERT_EQ(rcOk,
              Ordex_RawToPhysDirect2(raw, dtString, boMsbFirst, 0, c.count, &m, ',', &phys, text));
    EXPECT_STREQ(c.text, text) << c.count;
    EXPECT_EQ(0.0, phys);
  }
  // Without a byte count the text is empty.
  char text[8] = "zz";
  double phys = 7;
  ASSERT_EQ(rcOk, Ordex_RawToPhysDirect(raw, dtString, boMsbFirst, 0, &m, ',', &phys, text));
  EXPECT_STREQ("", text);
}

TEST(Decoding, Codes) {
  const TCompuMethod m = identityMethod();
  const unsigned char raw[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  double phys = 42;
  char text[16] = "before";
  // A data type outside the list leaves the outputs.
  for (int32_t type : {11, -1, 255}) {
    EXPECT_EQ(rcInvalidArgument,
              Ordex_RawToPhysDirect(raw, type, boMsbFirst, 0, &m, '.', &phys, text));
    EXPECT_EQ(42, phys);
    EXPECT_STREQ("before", text);
  }
  EXPECT_EQ(rcCompuMethodNotFound,
            Ordex_RawToPhysDirect(raw, dtUWord, boMsbFirst, 0, nullptr, '.', &phys, text));
  EXPECT_EQ(rcCompuMethodNotFound,
            Ordex_RawToPhysDirect2(raw, dtUWord, boMsbFirst, 0, 0, nullptr, '.', &phys, text));
  EXPECT_EQ(rcNullArgument,
            Ordex_RawToPhysDirect(nullptr, dtUWord, boMsbFirst, 0, &m, '.', &phys, text));
  EXPECT_EQ(rcNullArgument,
            Ordex_RawToPhysDirect(raw, dtUWord, boMsbFirst, 0, &m, '.', nullptr, text));
  EXPECT_EQ(rcNullArgument,
            Ordex_RawToPhysDirect(raw, dtUWord, boMsbFirst, 0, &m, '.', &phys, nullptr));
  EXPECT_EQ(rcNullArgument,
            Ordex_RawToPhys_Intern(raw, dtUWord, boMsbFirst, 0, 0, nullptr, '.', &phys, text));
}

// The record is always taken as a rational function of its coefficient Values.
TEST(Decoding, DirectIgnoresTypeTableAndCoefficientTexts) {
  TCompuMethod m = identityMethod("%.1", "V");
  m.ConversionType = 4;  // TAB_VERB
  std::snprintf(m.CompuTabRef, sizeof m.CompuTabRef, "NO_SUCH_TABLE");
  std::snprintf(m.Coeffs[1].Text, sizeof m.Coeffs[1].Text, "99");
  const unsigned char raw[1] = {12};
  double phys = 0;
  char text[32];
  ASSERT_EQ(rcOk, Ordex_RawToPhysDirect(raw, dtUByte, boMsbFirst, 0, &m, '.', &phys, text));
  EXPECT_EQ(12.0, phys);
  EXPECT_STREQ("12.0 V", text);
}

}  // namespace
