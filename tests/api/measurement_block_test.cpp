// Measurement request and response blocks: byte layouts for plain values, arrays and STRING,
// and every code.

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using ordex_test::readText;
using Bytes = std::vector<unsigned char>;

const char* const kFile = R"(
/begin PROJECT P ""
/begin MODULE M ""
  /begin COMPU_METHOD CM_ID "" RAT_FUNC "%.1" "" COEFFS 0 1 0 0 0 1 /end COMPU_METHOD
  /begin COMPU_METHOD CM_ID "" RAT_FUNC "%.1" "second" COEFFS 0 1 0 0 0 1 /end COMPU_METHOD
  /begin COMPU_METHOD CM_HALF "" RAT_FUNC "%.2" "V" COEFFS 0 2 0 0 0 1 /end COMPU_METHOD
  /begin MEASUREMENT M_WORD "" UWORD CM_ID 0 0 0 65535 ECU_ADDRESS 0x00123456 /end MEASUREMENT
  /begin MEASUREMENT M_ARRAY "" UWORD CM_ID 0 0 0 65535
    ECU_ADDRESS 0xAB123456 ARRAY_SIZE 4 BYTE_ORDER MSB_FIRST /end MEASUREMENT
  /begin MEASUREMENT M_F64 "" FLOAT64_IEEE CM_ID 0 0 0 1 ECU_ADDRESS 0x10 ARRAY_SIZE 40 /end MEASUREMENT
  /begin MEASUREMENT M_STR "" STRING CM_ID 4 0 0 1 ECU_ADDRESS 0x20 ARRAY_SIZE 6 /end MEASUREMENT
  /begin MEASUREMENT M_STR_LONG "" STRING CM_ID 10 0 0 1 ECU_ADDRESS 0x20 ARRAY_SIZE 2 /end MEASUREMENT
  /begin MEASUREMENT M_STR_NOSIZE "" STRING CM_ID 4 0 0 1 ECU_ADDRESS 0x20 /end MEASUREMENT
  /begin MEASUREMENT M_BADTYPE "" INT CM_ID 0 0 0 1 ECU_ADDRESS 0x30 /end MEASUREMENT
  /begin MEASUREMENT M_NOADDR "" UBYTE CM_HALF 0 0 0 1 /end MEASUREMENT
  /begin MEASUREMENT M_NOCM "" UBYTE CM_NONE 0 0 0 1 /end MEASUREMENT
/end MODULE
/end PROJECT
)";

class Blocks : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(rcOk, readText(inst, kFile)); }
  void TearDown() override { Ordex_ConfigureStringComparison(0); }

  // The block after a call that starts with 8 bytes of 0xEE and a size of `size`.
  TOrdexReturnCode request(const char* name, Bytes* block, int32_t* size, int32_t protocol = 1,
                           const char* module = nullptr) {
    block->assign(8, 0xEE);
    return Ordex_CreateMeasurementRequestBlock(inst, module, name, nullptr, protocol, block->data(),
                                               size);
  }

  struct Response {
    TOrdexReturnCode rc;
    double phys;
    std::string text;
  };
  // Evaluates the response; a length of -1 stands for the vector's size.
  Response evaluate(const char* name, const Bytes& response, int32_t index, int32_t protocol = 1,
                    const char* module = nullptr, int32_t length = -1) {
    Response r{rcOk, -1.0, ""};
    char text[256] = "untouched";
    r.rc = Ordex_EvaluateMeasurementResponseBlock(
        inst, module, name, nullptr, nullptr, protocol, response.data(),
        length < 0 ? static_cast<int32_t>(response.size()) : length, index, ',', &r.phys, text);
    r.text = text;
    return r;
  }

  Instance inst;
};

TEST_F(Blocks, RequestLayouts) {
  const struct {
    const char* measurement;
    Bytes block;
  } cases[] = {
      {"M_WORD", {0x23, 0x12, 0x34, 0x56, 0x02}},
      {"M_ARRAY", {0x23, 0x12, 0x34, 0x56, 0x08}},  // bits 31..24 of the address are not sent
      {"M_F64", {0x23, 0x00, 0x00, 0x10, 0x40}},    // 8 x 40 = 320, low 8 bits
      {"M_STR", {0x23, 0x00, 0x00, 0x20, 0x06}},    // STRING asks for ArraySize bytes
      {"M_NOADDR", {0x23, 0xFF, 0xFF, 0xFF, 0x01}},
  };
  for (const auto& c : cases) {
    Bytes block;
    int32_t size = 8;
    ASSERT_EQ(rcOk, request(c.measurement, &block, &size)) << c.measurement;
    EXPECT_EQ(5, size);
    EXPECT_EQ(c.block, Bytes(block.begin(), block.begin() + 5)) << c.measurement;
    EXPECT_EQ(0xEE, block[5]) << "nothing past the block";
  }
}

TEST_F(Blocks, RequestCodes) {
  Bytes block;
  int32_t size = 8;
  // Refused before anything is written.
  for (int32_t protocol : {2, 0}) {
    EXPECT_EQ(rcUnsupportedMode, request("M_WORD", &block, &size, protocol));
    EXPECT_EQ(8, size);
    EXPECT_EQ(Bytes(8, 0xEE), block);
  }
  size = 4;
  EXPECT_EQ(rcBadSize, request("M_WORD", &block, &size));
  EXPECT_EQ(4, size);
  EXPECT_EQ(Bytes(8, 0xEE), block);

  // A data type without size, or a STRING without array size: the head is already written.
  for (const char* name : {"M_BADTYPE", "M_STR_NOSIZE"}) {
    size = 8;
    EXPECT_EQ(rcBadSize, request(name, &block, &size)) << name;
    EXPECT_EQ(5, size);
    EXPECT_EQ(0x23, block[0]);
    EXPECT_EQ(0xEE, block[4]) << name;
  }

  EXPECT_EQ(rcMeasurementNotFound, request("M_NONE", &block, &size));
  EXPECT_EQ(rcModuleNotFound, request("M_WORD", &block, &size, 1, "X"));
  Ordex_ConfigureStringComparison(1);
  EXPECT_EQ(rcMeasurementNotFound, request("m_word", &block, &size));
  auto direct = [](TOrdex* i, const char* name, unsigned char* b, int32_t* s) {
    return Ordex_CreateMeasurementRequestBlock(i, nullptr, name, nullptr, 1, b, s);
  };
  EXPECT_EQ(rcNoInstance, direct(nullptr, "M_WORD", block.data(), &size));
  EXPECT_EQ(rcNullArgument, direct(inst, nullptr, block.data(), &size));
  EXPECT_EQ(rcNullArgument, direct(inst, "M_WORD", nullptr, &size));
  EXPECT_EQ(rcNullArgument, direct(inst, "M_WORD", block.data(), nullptr));
}

TEST_F(Blocks, ResponseOfAnArrayElement) {
  const Bytes response = {0x63, 0x00, 0x01, 0x00, 0x02, 0x00, 0x03, 0x12, 0x34};
  const struct {
    int32_t index;
    TOrdexReturnCode rc;
    const char* text;
  } cases[] = {
      {0, rcOk, "1,0"},
      {2, rcOk, "3,0"},
      {3, rcOk, "4660,0"},  // bytes 7 and 8
      {4, rcIndexOutOfRange, "untouched"},
      {-1, rcIndexOutOfRange, "untouched"},
      {INT32_MIN, rcIndexOutOfRange, "untouched"},
  };
  for (const auto& c : cases) {
    const Response r = evaluate("M_ARRAY", response, c.index);
    EXPECT_EQ(c.rc, r.rc) << c.index;
    EXPECT_EQ(c.text, r.text) << c.index;
  }
  // One byte short of element 3.
  const Bytes shortResponse(response.begin(), response.end() - 1);
  EXPECT_EQ(rcBadSize, evaluate("M_ARRAY", shortResponse, 3).rc);
  EXPECT_EQ(rcOk, evaluate("M_ARRAY", shortResponse, 2).rc);
}

TEST_F(Blocks, ResponseOfAPlainValueIgnoresTheIndex) {
  const Bytes response = {0x63, 0x56, 0x34, 0x99};  // M_WORD is MSB_LAST (module default)
  for (int32_t index : {0, 7, -3}) {
    const Response r = evaluate("M_WORD", response, index);
    ASSERT_EQ(rcOk, r.rc) << index;
    EXPECT_EQ(0x3456, r.phys);
    EXPECT_EQ("13398,0", r.text);  // the first CM_ID, the one without unit
  }
  EXPECT_EQ(rcBadSize, evaluate("M_WORD", Bytes{0x63, 0x56}, 0).rc);
  const Response half = evaluate("M_NOADDR", Bytes{0x63, 0x05}, 0);
  ASSERT_EQ(rcOk, half.rc);
  EXPECT_EQ("2,50 V", half.text);
}

TEST_F(Blocks, ResponseOfAString) {
  // STRING: ArraySize bytes must be there; Resolution bytes are dumped.
  const Bytes response = {0x63, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46};
  Response r = evaluate("M_STR", response, 5);
  ASSERT_EQ(rcOk, r.rc);
  EXPECT_EQ("41 42 43 44", r.text);
  EXPECT_EQ(0.0, r.phys);
  EXPECT_EQ(rcBadSize, evaluate("M_STR", Bytes(response.begin(), response.end() - 1), 0).rc);
  EXPECT_EQ(rcBadSize, evaluate("M_STR_NOSIZE", response, 0).rc);
  // A Resolution beyond the response dumps only the bytes the response holds.
  r = evaluate("M_STR_LONG", Bytes{0x63, 0x0A, 0xFF}, 0);
  ASSERT_EQ(rcOk, r.rc);
  EXPECT_EQ("0a ff", r.text);
}

TEST_F(Blocks, ResponseCodes) {
  const Bytes ok = {0x63, 0x01, 0x02};
  const struct {
    const char* what;
    Response r;
    TOrdexReturnCode rc;
  } cases[] = {
      {"protocol 2", evaluate("M_WORD", ok, 0, 2), rcUnsupportedMode},
      {"marker 0x43", evaluate("M_WORD", Bytes{0x43, 0x01, 0x02}, 0), rcBadResponse},
      {"empty response", evaluate("M_WORD", ok, 0, 1, nullptr, 0), rcBadSize},
      {"data type without size", evaluate("M_BADTYPE", ok, 0), rcBadSize},
      {"no compu method", evaluate("M_NOCM", ok, 0), rcCompuMethodNotFound},
      {"no measurement", evaluate("M_NONE", ok, 0), rcMeasurementNotFound},
      {"no module", evaluate("M_WORD", ok, 0, 1, "X"), rcModuleNotFound},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.rc, c.r.rc) << c.what;
    EXPECT_EQ("untouched", c.r.text) << c.what;
    EXPECT_EQ(-1.0, c.r.phys) << c.what;
  }
  double phys;
  char text[32];
  auto direct = [&](TOrdex* i, const char* name, const unsigned char* response, double* p,
                    char* t) {
    return Ordex_EvaluateMeasurementResponseBlock(i, nullptr, name, nullptr, nullptr, 1, response,
                                                  3, 0, '.', p, t);
  };
  EXPECT_EQ(rcNoInstance, direct(nullptr, "M_WORD", ok.data(), &phys, text));
  EXPECT_EQ(rcNullArgument, direct(inst, nullptr, ok.data(), &phys, text));
  EXPECT_EQ(rcNullArgument, direct(inst, "M_WORD", nullptr, &phys, text));
  EXPECT_EQ(rcNullArgument, direct(inst, "M_WORD", ok.data(), nullptr, text));
  EXPECT_EQ(rcNullArgument, direct(inst, "M_WORD", ok.data(), &phys, nullptr));
}

}  // namespace
