// The conversions of later versions of the format through the C interface: IDENTICAL,
// LINEAR, TAB_VERB with a COMPU_VTAB_RANGE, STATUS_STRING_REF, and the reason every failed
// conversion leaves for Ordex_GetLastConversionError.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;

constexpr double kUntouched = -777.0;

struct Result {
  TOrdexReturnCode rc;
  double phys;
  std::string text;
  std::string reason;
};

std::string lastReason() {
  char why[512];
  std::memset(why, 'x', sizeof why);
  EXPECT_EQ(rcOk, Ordex_GetLastConversionError(why, sizeof why));
  return why;
}

class NewerConversions : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string path = ordex_test::dataPath("conversions_of_newer_standards.a2l");
    ASSERT_EQ(rcOk, Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr))
        << ordex_test::readError(inst);
  }

  // The raw value as a FLOAT64_IEEE, so that every raw value of a case can be written.
  Result byMethod(const char* method, double raw) {
    unsigned char bytes[8];
    std::memcpy(bytes, &raw, sizeof bytes);
    Result r{rcOk, kUntouched, "untouched", ""};
    char text[1024] = "untouched";
    r.rc = Ordex_RawToPhys(inst, nullptr, bytes, dtFloat64Ieee, boNotGiven, 0, method, '.', &r.phys,
                           text);
    r.text = text;
    r.reason = lastReason();
    return r;
  }

  Result byMeasurement(const char* measurement, std::initializer_list<unsigned char> raw) {
    unsigned char bytes[8] = {};
    std::copy(raw.begin(), raw.end(), bytes);
    Result r{rcOk, kUntouched, "untouched", ""};
    char text[1024] = "untouched";
    r.rc = Ordex_RawToPhysMeasurement(inst, nullptr, measurement, bytes, ',', &r.phys, text);
    r.text = text;
    r.reason = lastReason();
    return r;
  }

  Instance inst;
};

struct MethodCase {
  const char* method;
  double raw;
  TOrdexReturnCode rc;
  double phys;
  const char* text;
  const char* reason;  // a part of the reason; "" for a conversion that succeeded
};

TEST_F(NewerConversions, ByCompuMethod) {
  const MethodCase cases[] = {
      // physical = raw, formatted as RAT_FUNC values are
      {"CM.Identity", 123.456, rcOk, 123.456, "123.46 km/h", ""},
      {"CM.Identity", -0.5, rcOk, -0.5, " -0.50 km/h", ""},
      // a * raw + b
      {"CM.Linear", 100, rcOk, 10.0, " 10.0 degC", ""},
      {"CM.Linear", 0, rcOk, -40.0, "-40.0 degC", ""},
      // a status string stands for its raw values; the physical value is still computed
      {"CM.LinearStatus", 254, rcOk, 87.0, "sensor error", ""},
      {"CM.LinearStatus", 255.4, rcOk, 87.7, "not available", ""},  // rounded as TAB_VERB
      {"CM.LinearStatus", 253, rcOk, 86.5, " 86.5 degC", ""},       // the table's default: unused
      {"CM.VoltageStatus", 1000, rcOk, 10.0, "overrange", ""},      // a range, both bounds in
      {"CM.VoltageStatus", 65535, rcOk, 655.35, "overrange", ""},
      {"CM.VoltageStatus", 999, rcOk, 9.99, " 10.0 V", ""},
      {"CM.StatusNowhere", 500, rcOk, 5.0, "  5.0 V", ""},  // no such table: not used
      // TAB_VERB with a range table: integer bounds, both included, first match, default
      {"CM.Gear", 0, rcOk, 0, "neutral", ""},
      {"CM.Gear", 1, rcOk, 1, "forward", ""},
      {"CM.Gear", 5, rcOk, 5, "forward", ""},
      {"CM.Gear", -1, rcOk, -1, "reverse", ""},
      {"CM.Gear", 127, rcOk, 127, "invalid", ""},
      {"CM.Gear", -2, rcOk, -2, "unknown", ""},
      {"CM.Gear", 0.5, rcOk, 0.5, "unknown", ""},  // the raw value is not rounded
      // float bounds; a value on a shared bound takes the first range
      {"CM.Level", 0.1, rcOk, 0.1, "low", ""},
      {"CM.Level", 0.25, rcOk, 0.25, "low", ""},
      {"CM.Level", 0.5, rcOk, 0.5, "mid", ""},
      {"CM.Level", 1.0, rcOk, 1.0, "high", ""},
      // no range and no default: -1, and, as with a COMPU_VTAB, the value is written
      {"CM.Level", 1.5, rcInvalidArgument, 1.5, "untouched",
       "raw value 1.5 is in no range of COMPU_VTAB_RANGE VTR.Level, which has no DEFAULT_VALUE"},
      // input values written with a fraction are rounded half up
      {"CM.Decimals", 1, rcOk, 1, "rounds to one", ""},
      {"CM.Decimals", 3, rcOk, 3, "rounds to three", ""},
      {"CM.Decimals", 2, rcInvalidArgument, 2, "untouched",
       "raw value 2 is in no pair of COMPU_VTAB VT.Decimals, which has no DEFAULT_VALUE"},
      // what cannot be converted says why
      {"CM.LinearNoCoeffs", 1, rcInvalidArgument, kUntouched, "untouched",
       "COMPU_METHOD CM.LinearNoCoeffs: LINEAR without COEFFS_LINEAR"},
      {"CM.LinearBadCoeff", 1, rcInvalidArgument, kUntouched, "untouched",
       "COEFFS_LINEAR '1.5kg' is no number"},
      {"CM.Future", 1, rcInvalidArgument, kUntouched, "untouched",
       "COMPU_METHOD CM.Future: conversion type 'POLYNOMIAL_9' is not supported"},
      {"CM.NoRange", 1, rcCompuVTabNotFound, kUntouched, "untouched",
       "COMPU_TAB_REF 'VTR.Missing' names no COMPU_VTAB or COMPU_VTAB_RANGE"},
      {"CM.Nowhere", 1, rcCompuMethodNotFound, kUntouched, "untouched",
       "no COMPU_METHOD CM.Nowhere"},
  };
  for (const MethodCase& c : cases) {
    SCOPED_TRACE(std::string(c.method) + " raw " + std::to_string(c.raw));
    const Result r = byMethod(c.method, c.raw);
    EXPECT_EQ(c.rc, r.rc);
    EXPECT_DOUBLE_EQ(c.phys, r.phys);
    EXPECT_EQ(c.text, r.text);
    if (*c.reason) {
      EXPECT_NE(r.reason.find(c.reason), std::string::npos) << r.reason;
    } else {
      EXPECT_EQ("", r.reason);
    }
  }
}

// Measurements bring their own data type, byte order and method; the decimal separator and
// unit apply as for the methods of the earlier versions.
TEST_F(NewerConversions, ByMeasurement) {
  const Result speed = byMeasurement("Speed", {0x00, 0x00, 0x80, 0x3F});  // 1.0f
  EXPECT_EQ(rcOk, speed.rc);
  EXPECT_EQ(1.0, speed.phys);
  EXPECT_EQ("  1,00 km/h", speed.text);

  const Result coolant = byMeasurement("Coolant", {0xFE});
  EXPECT_EQ(rcOk, coolant.rc);
  EXPECT_EQ("sensor error", coolant.text);

  const Result gear = byMeasurement("Gear", {0xFF});  // SBYTE -1
  EXPECT_EQ(rcOk, gear.rc);
  EXPECT_EQ("reverse", gear.text);

  const Result counter = byMeasurement("Counter", {1});
  EXPECT_EQ(rcInvalidArgument, counter.rc);
  EXPECT_EQ("MEASUREMENT Counter: data type A_UINT64 is not supported", counter.reason);

  const Result none = byMeasurement("Nope", {1});
  EXPECT_EQ(rcMeasurementNotFound, none.rc);
  EXPECT_EQ("no MEASUREMENT Nope in the module", none.reason);
}

// The public record keeps the numbers of the five types it knows: any other reads as -1.
TEST_F(NewerConversions, NewerTypesReadAsUnknownInTheRecord) {
  for (const char* name : {"CM.Identity", "CM.Linear", "CM.Future"}) {
    TCompuMethod m;
    std::memset(&m, 0, sizeof m);
    std::strcpy(m.Name, name);
    ASSERT_EQ(rcOk, Ordex_GetCompuMethod(inst, nullptr, &m, 0));
    EXPECT_EQ(-1, m.ConversionType) << name;
  }
}

// Every failure of every conversion entry point leaves a reason, also those of the calling
// frame; the next conversion forgets it.
TEST_F(NewerConversions, EveryFailureHasAReasonAndSuccessClearsIt) {
  unsigned char raw[8] = {};
  double phys;
  char text[64];
  TCompuMethod rat;
  std::memset(&rat, 0, sizeof rat);
  rat.Coeffs[0].Value = 1;  // quadratic: not inverted
  unsigned char response[] = {0x62, 0};
  const char* const reasons[] = {
      "no instance",
      "no module",
      "data type 11 is none of UBYTE (0) to STRING (10)",
      "a required argument is null",
      "RAT_FUNC with a or d not 0 is not inverted",
      "no compu method record given",
      "the response block starts with 0x62, not 0x63",
      "protocol 2 is not 1",
  };
  // Each failure is followed by a conversion that succeeds and leaves no reason.
  int i = 0;
  auto expectReason = [&](TOrdexReturnCode rc) {
    EXPECT_NE(rcOk, rc) << i;
    const std::string why = lastReason();
    EXPECT_NE(why.find(reasons[i]), std::string::npos) << i << ": " << why;
    EXPECT_EQ(rcOk,
              Ordex_RawToPhys(inst, nullptr, raw, dtUByte, 0, 0, "CM.Linear", '.', &phys, text));
    EXPECT_EQ("", lastReason()) << i;
    ++i;
  };
  // In the order of reasons.
  expectReason(
      Ordex_RawToPhys(nullptr, nullptr, raw, dtUByte, 0, 0, "CM.Linear", '.', &phys, text));
  expectReason(
      Ordex_RawToPhys(inst, "NoModule", raw, dtUByte, 0, 0, "CM.Linear", '.', &phys, text));
  expectReason(Ordex_RawToPhys(inst, nullptr, raw, 11, 0, 0, "CM.Linear", '.', &phys, text));
  expectReason(Ordex_RawToPhys(inst, nullptr, raw, dtUByte, 0, 0, "CM.Linear", '.', nullptr, text));
  expectReason(Ordex_RawToPhysDirect(raw, dtUByte, 0, 0, &rat, '.', &phys, text));
  expectReason(Ordex_RawToPhysDirect(raw, dtUByte, 0, 0, nullptr, '.', &phys, text));
  expectReason(Ordex_EvaluateMeasurementResponseBlock(
      inst, nullptr, "Speed", nullptr, nullptr, 1, response, sizeof response, 0, '.', &phys, text));
  expectReason(Ordex_EvaluateMeasurementResponseBlock(
      inst, nullptr, "Speed", nullptr, nullptr, 2, response, sizeof response, 0, '.', &phys, text));
  EXPECT_EQ(i, static_cast<int>(sizeof reasons / sizeof reasons[0]));
}

// The reason names the method and its table as they were when the conversion failed, also
// after the instance that held them is gone; another thread's conversions leave it alone.
TEST(ConversionReason, OutlivesItsInstanceAndBelongsToItsThread) {
  {
    Instance own;
    const std::string path = ordex_test::dataPath("conversions_of_newer_standards.a2l");
    ASSERT_EQ(rcOk, Ordex_ReadAsapFile(own, path.c_str(), nullptr, nullptr));
    unsigned char raw[8] = {};
    double phys;
    char text[64];
    EXPECT_EQ(rcCompuVTabNotFound,
              Ordex_RawToPhys(own, nullptr, raw, dtUByte, 0, 0, "CM.NoRange", '.', &phys, text));
  }
  const std::string expected =
      "COMPU_METHOD CM.NoRange: COMPU_TAB_REF 'VTR.Missing' names no COMPU_VTAB or "
      "COMPU_VTAB_RANGE of the module";
  EXPECT_EQ(expected, lastReason());
  std::string other = "unset";
  std::thread([&] {
    unsigned char raw[8] = {};
    double phys;
    char text[64];
    Ordex_RawToPhys(nullptr, nullptr, raw, dtUByte, 0, 0, "CM.Linear", '.', &phys, text);
    other = lastReason();
  }).join();
  EXPECT_EQ("no instance", other);
  EXPECT_EQ(expected, lastReason());
}

TEST_F(NewerConversions, ReasonIsCutToTheBuffer) {
  byMethod("CM.LinearNoCoeffs", 1);
  char small[8];
  std::memset(small, 'x', sizeof small);
  EXPECT_EQ(rcOk, Ordex_GetLastConversionError(small, sizeof small));
  EXPECT_STREQ("COMPU_M", small);
  EXPECT_EQ(rcBadSize, Ordex_GetLastConversionError(small, 0));
  EXPECT_EQ(rcNullArgument, Ordex_GetLastConversionError(nullptr, 8));
}

}  // namespace
