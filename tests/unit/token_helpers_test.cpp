// Number and quote helpers of the block parsers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "ordex.h"
#include "platform/return_code.h"
#include "reader/token_helpers.h"

namespace {

TEST(TokenHelpers, ParseLongForms) {
  struct {
    const char* text;
    int32_t value;
  } cases[] = {
      {"0", 0},
      {"12", 12},
      {"-12", -12},
      {"+7", 7},
      {"010", 8},
      {"0x1F", 31},
      {"0X1f", 31},
      {"-0x10", -16},
      {"", 0},
      {"2147483647", INT32_MAX},
      {"2147483648", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"-99999999999", INT32_MIN},
      {"0xFFFFFFFF", INT32_MAX},
  };
  for (const auto& c : cases) EXPECT_EQ(ordex::parseLong(c.text), c.value) << c.text;
}

TEST(TokenHelpers, ParseLongRejectsLeftovers) {
  for (const char* bad : {"12a", "0x", "08", "-", "1.5", "\"5\"", "0xG", " 1"}) {
    EXPECT_THROW(ordex::parseLong(bad), ordex::ReturnCode) << bad;
  }
}

TEST(TokenHelpers, ParseHexULongForms) {
  struct {
    const char* text;
    uint32_t value;
  } cases[] = {
      {"100", 0x100},
      {"0x100", 0x100},
      {"ffffffff", 0xFFFFFFFFu},
      {"1FFFFFFFF", 0xFFFFFFFFu},
      {"-1", 0xFFFFFFFFu},
      {"", 0},
      {"0X0a", 10},
  };
  for (const auto& c : cases) EXPECT_EQ(ordex::parseHexULong(c.text), c.value) << c.text;
  EXPECT_THROW(ordex::parseHexULong("12g"), ordex::ReturnCode);
}

TEST(TokenHelpers, ParseDoubleForms) {
  struct {
    const char* text;
    double value;
  } cases[] = {
      {"0x1F", 31.0}, {"1x", -1},  {"1.5e3", 1500.0}, {"-0.5", -0.5}, {"+3", 3.0},
      {".5", 0.5},    {"5.", 5.0}, {"", 0.0},         {"1F", -1},     {"1,5", -1},
      {"0x", -1},     {"1e", -1},  {"--1", -1},       {"+-1", -1},    {"1e-2", 0.01},
  };
  for (const auto& c : cases) {
    if (c.value == -1) {
      EXPECT_THROW(ordex::parseDouble(c.text), ordex::ReturnCode) << c.text;
    } else {
      EXPECT_DOUBLE_EQ(ordex::parseDouble(c.text), c.value) << c.text;
    }
  }
  EXPECT_TRUE(std::isinf(ordex::parseDouble("1e999")));
  EXPECT_EQ(ordex::parseDouble("1e-999"), 0.0);
  EXPECT_TRUE(std::signbit(ordex::parseDouble("-0.0")));
}

// Plain decimal fractions take a shortcut; it must give the bits the C library gives, up to
// the longest spellings it takes and just beyond them.
TEST(TokenHelpers, ParseDoubleDecimalsMatchTheCLibrary) {
  std::vector<std::string> texts = {"0.1",
                                    "-1000000.0",
                                    "0.3",
                                    "123456789012.345",
                                    "9.99999999999999",
                                    "99999999999999.9",
                                    "0.000000000000001",
                                    "1.0000000000000001",
                                    "4503599627370495.5",
                                    "+2.5",
                                    "00.50"};
  uint64_t x = 88172645463325252ull;
  for (int k = 0; k < 20000; ++k) {
    x ^= x << 13, x ^= x >> 7, x ^= x << 17;
    std::string digits = std::to_string(x % 10000000000000000ull);
    size_t point = 1 + (x >> 60) % digits.size();
    texts.push_back((k % 3 ? "" : "-") + digits.insert(point < digits.size() ? point : 1, "."));
  }
  for (const std::string& t : texts) {
    double expected = std::strtod(t.c_str(), nullptr);
    double got = ordex::parseDouble(t);
    EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << t;
  }
}

TEST(TokenHelpers, StripQuotes) {
  ordex::Token t;
  t.assign("\"a b\"");
  EXPECT_EQ(ordex::stripQuotes(t), "a b");
  // The closing quote is overwritten in the token itself.
  EXPECT_EQ(t.view(), "\"a b");
  for (const char* nul : {"NULL", "NULLABLE", "\""}) {
    EXPECT_EQ(ordex::stripQuotesView(nul), "") << nul;
  }
  EXPECT_EQ(ordex::stripQuotesView("plain"), "plain");
  EXPECT_EQ(ordex::stripQuotesView("\"open"), "\"open");
  EXPECT_EQ(ordex::stripQuotesView("\"\""), "");
}

}  // namespace
