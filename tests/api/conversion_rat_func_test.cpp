// The rational function, the number text (Format rule, unit, decimal separator) and its
// independence of the process locale, through Ordex_RawToPhysDirect with FLOAT64 raw values.

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "ordex.h"

namespace {

struct Coeffs {
  double a, b, c, d, e, f;
};
const Coeffs kIdentity{0, 1, 0, 0, 0, 1};
const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kUntouched = -777.0;

TCompuMethod method(const Coeffs& k, const std::string& format, const std::string& unit = "") {
  TCompuMethod m;
  std::memset(&m, 0, sizeof m);
  std::snprintf(m.Format, sizeof m.Format, "%s", format.c_str());
  std::snprintf(m.Unit, sizeof m.Unit, "%s", unit.c_str());
  const double v[6] = {k.a, k.b, k.c, k.d, k.e, k.f};
  for (int i = 0; i < 6; ++i) m.Coeffs[i].Value = v[i];
  return m;
}

struct Result {
  TOrdexReturnCode rc;
  double phys;
  std::string text;
};

Result convert(const TCompuMethod& m, double raw, char separator = '.') {
  unsigned char bytes[8];
  std::memcpy(bytes, &raw, sizeof raw);
  Result r{rcOk, kUntouched, ""};
  char text[1024] = "untouched";
  r.rc = Ordex_RawToPhysDirect(bytes, dtFloat64Ieee, boMsbFirst, 0, &m, separator, &r.phys, text);
  r.text = text;
  return r;
}

// A refused conversion leaves both outputs as they were.
void expectRefused(const Result& r) {
  EXPECT_EQ(rcInvalidArgument, r.rc);
  EXPECT_EQ(kUntouched, r.phys);
  EXPECT_EQ("untouched", r.text);
}

TEST(RatFunc, InvertsTheLinearCaseAndRefusesTheQuadraticOne) {
  const struct {
    const char* what;
    Coeffs k;
    double raw, phys;
    const char* text;  // with Format "%8.3"; null when refused
  } cases[] = {
      {"f = 1, e = 0: (x - c) / b", {0, 2, 10, 0, 0, 1}, 30, 10.0, "  10.000"},
      {"b = 0 gives c for every raw value", {0, 0, 7.5, 0, 0, 1}, 1234, 7.5, "   7.500"},
      {"general form (c - x f) / (x e - b)", {0, 4, 2, 0, 1, 0}, 6, 1.0, "   1.000"},
      {"general form with f not 1", {0, -1, 3, 0, 0, 2}, 1, 1.0, "   1.000"},
      {"no COEFFS: 0 / 0 is NaN", {0, 0, 0, 0, 0, 0}, 5, kNaN, "     nan"},
      {"zero denominator gives infinity", {0, 0, 1, 0, 0, 0}, 5, kInf, "     inf"},
      {"zero denominator gives minus infinity", {0, 0, -1, 0, 0, 0}, 5, -kInf, "    -inf"},
      {"negative zero keeps its sign", kIdentity, -0.0, -0.0, "  -0.000"},
      {"rounds to nearest", kIdentity, 2.0005, 2.0005, "   2.001"},
      {"wider than the width", kIdentity, -123456.5, -123456.5, "-123456.500"},
      // a or d not 0: refused also when the coefficients pass the checks.
      {"a, c = 0, f = 0", {1, 0, 0, 0, 0, 0}, 3, 0, nullptr},
      {"d, e = 0", {0, 1, 0, 1, 0, 0}, 3, 0, nullptr},
      {"a, c not 0", {1, 1, 5, 0, 0, 0}, 3, 0, nullptr},
      {"a, f not 0", {1, 1, 0, 0, 0, 1}, 3, 0, nullptr},
      {"d and e not 0", {0, 1, 0, 1, 1, 0}, 3, 0, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Result r = convert(method(c.k, "%8.3", "m"), c.raw);
    if (!c.text) {
      expectRefused(r);
      continue;
    }
    ASSERT_EQ(rcOk, r.rc);
    EXPECT_TRUE(std::isnan(c.phys) ? std::isnan(r.phys) : c.phys == r.phys) << r.phys;
    EXPECT_EQ(c.text + std::string(" m"), r.text);
  }
}

TEST(NumberFormat, SpecificationBuiltFromTheFormat) {
  const struct {
    std::string format;
    double value;
    const char* text;  // with a full stop as separator, no unit; null when refused
  } cases[] = {
      {"%8.3", 10.0, "  10.000"},
      {"%d", 3.14159, "3.14"},  // nothing usable: %4.2lf
      {"", 3.14159, "3.14"},
      {"%s", 1.0, "1.00"},
      {"%4.2f", 2.5, "2.50"},  // the f is dropped, lf is added
      {"x8y.z3", 1.0, "   1.000"},
      {"%10", 1.0, "  1.000000"},  // no precision: 6
      {"%.", 7.6, "8"},            // empty precision: 0
      {"%.0", 2.5, "2"},           // ties to even, as C does
      {"%.0", 3.5, "4"},
      {"%.2", 0.125, "0.12"},
      {"%-8.1", 2.5, "2.5     "},
      {"%+.2", 2.0, "+2.00"},
      {"% .1", 1.0, " 1.0"},
      {"%+ .1", 1.0, "+1.0"},
      {"%08.2", -1.5, "-0001.50"},
      {"%-08.2", -1.5, "-1.50   "},
      {"%#.0", 3.0, "3."},
      {"%.3", -0.0001, "-0.000"},
      {"%6.1", 1e20, "100000000000000000000.0"},
      {"%.20", 0.1, "0.10000000000000000555"},
      {"%08.2", kInf, "     inf"},
      {"%+8.2", kInf, "    +inf"},
      {"%-6", -kInf, "-inf  "},
      {"%+.1", kNaN, "+nan"},
      // Malformed or oversized specifications are a formatter failure.
      {"%8.3.2", 1, nullptr},
      {"%3-", 1, nullptr},
      {"%.3-", 1, nullptr},
      {"%.-3", 1, nullptr},
      {"%256", 1, nullptr},
      {"%.256", 1, nullptr},
      {"%99999999999", 1, nullptr},
      {"%12.3 ", 1, nullptr},
      // At most 36 usable characters of the Format are taken.
      {std::string(33, '-') + "9.1", 2.0, "2.0      "},          // 36: whole
      {std::string(34, '-') + "9.1", 2.0, "2        "},          // the 1 is cut: precision 0
      {std::string(35, '-') + "9.1", 2.0, "2.000000 "},          // ".1" is cut: precision 6
      {"%" + std::string(35, '-') + "x9y.1", 2.0, "2.000000 "},  // only usable ones count
      // Without the cut this would ask for an enormous width; with it, still above the limit.
      {std::string(200, '9'), 2.0, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    const Result r = convert(method(kIdentity, c.format), c.value);
    if (!c.text) {
      expectRefused(r);
    } else {
      ASSERT_EQ(rcOk, r.rc);
      EXPECT_EQ(c.text, r.text);
    }
  }
  // Width and precision go up to 255: "1." and 255 digits; the longest number text there is.
  EXPECT_EQ(257u, convert(method(kIdentity, "%255.255"), 1.0).text.size());
  EXPECT_EQ(566u, convert(method(kIdentity, "%.255"), -1.7976931348623157e308).text.size());
}

TEST(NumberText, UnitAndDecimalSeparator) {
  const TCompuMethod m = method({0, 2, 10, 0, 0, 1}, "%8.3", "km/h");
  EXPECT_EQ("  10,000 km/h", convert(m, 30, ',').text);
  EXPECT_EQ("  10.000 km/h", convert(m, 30, '.').text);
  EXPECT_EQ(" -20,000 km/h", convert(m, -30, ',').text);
  EXPECT_EQ("  10#000 km/h", convert(m, 30, '#').text);
  // An empty unit adds no blank.
  EXPECT_EQ("10,000", convert(method({0, 2, 10, 0, 0, 1}, "%.3"), 30, ',').text);
}

TEST(NumberText, MatchesCFormattingForManyValuesAndSpecifications) {
  const char* const bodies[] = {"4.2",   "8.3", ".0", "-12.5", "+.7",
                                "010.1", "#.0", " 3", ".17",   "20.10"};
  std::mt19937_64 rng(7);
  for (int i = 0; i < 4000; ++i) {
    double v;
    if (i % 2) {
      const uint64_t bits = rng();
      std::memcpy(&v, &bits, sizeof v);
      if (!std::isfinite(v)) continue;
    } else {
      v = static_cast<double>(static_cast<int64_t>(rng() % 20000001) - 10000000) /
          std::pow(10.0, static_cast<double>(rng() % 7));
    }
    const char* body = bodies[i % (sizeof bodies / sizeof *bodies)];
    const std::string spec = std::string("%") + body + "lf";
    std::vector<char> expected(4096);
    std::snprintf(expected.data(), expected.size(), spec.c_str(), v);
    const Result r = convert(method(kIdentity, body), v);
    ASSERT_EQ(rcOk, r.rc);
    ASSERT_EQ(std::string(expected.data()), r.text) << spec << " " << v;
  }
}

// Hosts may run under a locale whose decimal point is a comma; the text must not change.
TEST(NumberText, IndependentOfTheProcessLocale) {
  const char* found = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8"}) {
    if (std::setlocale(LC_ALL, name)) {
      found = name;
      break;
    }
  }
  if (!found) GTEST_SKIP() << "no locale with a decimal comma is installed";
  const Result dot = convert(method({0, 2, 10, 0, 0, 1}, "%8.3", "km/h"), 31, '.');
  const Result comma = convert(method({0, 2, 10, 0, 0, 1}, "%8.3", "km/h"), 31, ',');
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ("  10.500 km/h", dot.text) << found;
  EXPECT_EQ("  10,500 km/h", comma.text) << found;
}

}  // namespace
