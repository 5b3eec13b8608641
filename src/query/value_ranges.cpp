#include "query/value_ranges.h"

#include <algorithm>
#include <cmath>

namespace ordex {

namespace {

constexpr int32_t kRatFunc = 2;  // in the conversion-type keyword list

struct RawRange {
  double low;
  double high;
  bool integer;
};

bool rawRange(int32_t dataType, RawRange* r) {
  switch (dataType) {
    case typeUByte:
      *r = {0, 255, true};
      return true;
    case typeSByte:
      *r = {-128, 127, true};
      return true;
    case typeUWord:
      *r = {0, 65535, true};
      return true;
    case typeSWord:
      *r = {-32768, 32767, true};
      return true;
    case typeULong:
      *r = {0, 4294967295.0, true};
      return true;
    case typeSLong:
      *r = {-2147483648.0, 2147483647.0, true};
      return true;
    case typeUTriple:
      *r = {0, 16777215, true};
      return true;
    case typeSTriple:
      *r = {-8388608, 8388607, true};
      return true;
    case typeFloat32Ieee:
      *r = {-3.4028234663852886e38, 3.4028234663852886e38, false};
      return true;
    default:
      return false;  // FLOAT64_IEEE holds any limit; STRING and unknown types none
  }
}

}  // namespace

bool physicalRange(int32_t dataType, const TCompuMethod_Intern* method, ValueRange* range) {
  RawRange raw;
  if (!rawRange(dataType, &raw)) return false;
  double step = raw.integer ? 1.0 : 0.0;
  double low = raw.low;
  double high = raw.high;
  if (method) {
    if (method->ConversionType != kRatFunc) return false;
    const double a = method->Coeffs[0].Value, b = method->Coeffs[1].Value;
    const double c = method->Coeffs[2].Value, d = method->Coeffs[3].Value;
    const double e = method->Coeffs[4].Value, f = method->Coeffs[5].Value;
    // raw = (b * p + c) / f, so p = (f * raw - c) / b.
    if (a != 0 || d != 0 || e != 0 || b == 0 || f == 0) return false;
    const double p1 = (f * raw.low - c) / b;
    const double p2 = (f * raw.high - c) / b;
    low = std::min(p1, p2);
    high = std::max(p1, p2);
    step *= std::fabs(f / b);
  }
  if (!std::isfinite(low) || !std::isfinite(high)) return false;
  range->low = low;
  range->high = high;
  range->tolerance = step / 2 + 1e-9 * std::max({std::fabs(low), std::fabs(high), 1.0});
  return true;
}

double largestCount(int32_t dataType) {
  RawRange raw;
  if (!rawRange(dataType, &raw) || !raw.integer) return 0;
  return raw.high;
}

}  // namespace ordex
