// Ordex_ConvertByteArrayToHexString and Ordex_ConvertHexStringToByteArray.

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ordex.h"

namespace {

using Bytes = std::vector<unsigned char>;

TEST(BytesToHex, UpperCasePairsSeparatedByOneBlank) {
  const struct {
    Bytes bytes;
    int32_t count;
    const char* text;
  } cases[] = {
      {{0x00, 0xAB, 0x0F}, 3, "00 AB 0F"},
      {{0xFF}, 1, "FF"},
      {{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}, 8, "01 23 45 67 89 AB CD EF"},
      {{0x12, 0x34}, 1, "12"},  // only count bytes
      {{0x12}, 0, ""},
      {{0x12}, -5, ""},
  };
  for (const auto& c : cases) {
    char text[64];
    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(text, Ordex_ConvertByteArrayToHexString(c.bytes.data(), c.count, text));
    EXPECT_STREQ(c.text, text);
  }
}

TEST(BytesToHex, NullArguments) {
  const unsigned char bytes[1] = {1};
  char text[8] = "keep";
  EXPECT_EQ(nullptr, Ordex_ConvertByteArrayToHexString(bytes, 1, nullptr));
  EXPECT_EQ(nullptr, Ordex_ConvertByteArrayToHexString(nullptr, 1, text));
  EXPECT_STREQ("keep", text);
  EXPECT_EQ(text, Ordex_ConvertByteArrayToHexString(nullptr, 0, text));
  EXPECT_STREQ("", text);
}

// Converts text held in a buffer of exactly its length plus the terminator, so that a read
// past the terminator shows under AddressSanitizer.
Bytes fromHex(const std::string& text) {
  std::unique_ptr<char[]> exact(new char[text.size() + 1]);
  std::memcpy(exact.get(), text.c_str(), text.size() + 1);
  Bytes bytes(text.size() / 2 + 1, 0xEE);
  uint32_t count = 12345;
  EXPECT_EQ(bytes.data(), Ordex_ConvertHexStringToByteArray(exact.get(), bytes.data(), &count));
  EXPECT_LE(count, bytes.size());
  bytes.resize(count);
  return bytes;
}

TEST(HexToBytes, Pairs) {
  const struct {
    const char* text;
    Bytes bytes;
  } cases[] = {
      {"1a2B  3c", {0x1A, 0x2B, 0x3C}},
      {"00 AB 0F", {0x00, 0xAB, 0x0F}},
      {"ff", {0xFF}},
      {"G1", {0x00}},  // a pair starting with a non-digit gives 0
      {"1G", {0x01}},  // a pair takes its leading digits
      {"1", {0x01}},   // a single trailing digit is a byte of its own
      {"ABC", {0xAB, 0x0C}},
      {"1 2", {0x01, 0x02}},  // "1 " is a pair
      {"0x1F", {0x00, 0x1F}},
      {"12 ", {0x12}},
      {"  12  34  ", {0x12, 0x34}},
      {"", {}},
      {"   ", {}},
      {"\t1", {0x00}},  // only 0x20 is a blank
      {"zz", {0x00}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.bytes, fromHex(c.text)) << '"' << c.text << '"';
}

TEST(HexToBytes, RoundTripOfEveryByte) {
  Bytes all(256);
  for (int i = 0; i < 256; ++i) all[i] = static_cast<unsigned char>(i);
  std::string text(3 * all.size(), '\0');
  Ordex_ConvertByteArrayToHexString(all.data(), 256, text.data());
  EXPECT_EQ(all, fromHex(text.c_str()));
}

TEST(HexToBytes, NullArguments) {
  unsigned char bytes[4] = {7, 7, 7, 7};
  uint32_t count = 99;
  EXPECT_EQ(nullptr, Ordex_ConvertHexStringToByteArray(nullptr, bytes, &count));
  EXPECT_EQ(nullptr, Ordex_ConvertHexStringToByteArray("12", nullptr, &count));
  EXPECT_EQ(nullptr, Ordex_ConvertHexStringToByteArray("12", bytes, nullptr));
  EXPECT_EQ(99u, count);
  EXPECT_EQ(7, bytes[0]);
}

}  // namespace
