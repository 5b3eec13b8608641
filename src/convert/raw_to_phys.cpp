#include "convert/raw_to_phys.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

#include "convert/raw_decoding.h"
#include "convert/value_format.h"

namespace ordex::convert {

namespace {

const TModule_Intern* ownerModule(const TCompuMethod_Intern& method) {
  return static_cast<const TModule_Intern*>(method.Owner);
}

// The table a table method converts with, resolved on first use by exact name and kept.
// A target of the other table kind (left by a change of the conversion type) is looked up
// again rather than taken for the wrong record.
TOrdexReturnCode resolveTable(TCompuMethod_Intern& method) {
  if (method.ConversionType == kTabVerb) {
    if (method.compuVTabTarget()) return rcOk;
    const TModule_Intern* module = ownerModule(method);
    TCompuVTab_Intern* v = module ? module->CompuVTabs.findExact(method.CompuTabRef) : nullptr;
    if (!v) return rcCompuVTabNotFound;
    method.CompuTabTarget = v;
  } else {
    if (method.compuTabTarget()) return rcOk;
    const TModule_Intern* module = ownerModule(method);
    TCompuTab_Intern* t = module ? module->CompuTabs.findExact(method.CompuTabRef) : nullptr;
    if (!t) return rcCompuTabNotFound;
    method.CompuTabTarget = t;
  }
  return rcOk;
}

// Copies a text whole: the caller sized the buffer for the longest text of the table.
TOrdexReturnCode writeText(std::string_view s, char* text) {
  std::memcpy(text, s.data(), s.size());
  text[s.size()] = '\0';
  return rcOk;
}

// The text of a table conversion without a value: the DefaultValue, or -1 when empty.
TOrdexReturnCode tableDefault(std::string_view defaultValue, char* text) {
  if (defaultValue.empty()) return rcInvalidArgument;
  return writeText(defaultValue, text);
}

TOrdexReturnCode writeNumber(double p, const TCompuMethod_Intern& method, char separator,
                             double* phys, char* text) {
  char bodyBuffer[kMaxFormatCharacters];
  const std::string_view body = specificationBody(method.Format, bodyBuffer);
  char number[kMaxNumberText + 1];
  const int len = formatNumber(p, body, separator, number);
  if (len < 0) return rcInvalidArgument;
  *phys = p;
  std::memcpy(text, number, static_cast<size_t>(len));
  text += len;
  if (!method.Unit.empty()) {
    *text++ = ' ';
    std::memcpy(text, method.Unit.data(), method.Unit.size());
    text += method.Unit.size();
  }
  *text = '\0';
  return rcOk;
}

// The inverse of raw = (a p^2 + b p + c) / (d p^2 + e p + f) in the linear case a = d = 0.
// A quadratic method (a or d not 0) is not inverted.
bool ratFunc(const NumberText (&coeffs)[6], double x, double* p) {
  const double a = coeffs[0].Value, b = coeffs[1].Value, c = coeffs[2].Value;
  const double d = coeffs[3].Value, e = coeffs[4].Value, f = coeffs[5].Value;
  if (a != 0.0 || d != 0.0) return false;
  if (e == 0.0 && f == 1.0) {
    *p = b == 0.0 ? c : (x - c) / b;
  } else {
    // A zero denominator is not checked: the IEEE infinity or NaN is the value.
    *p = (c - x * f) / (x * e - b);
  }
  return true;
}

// The value of a numeric table at raw value x; false when the default applies.
bool tableValue(const TCompuTab_Intern& table, bool interpolate, double x, double* p) {
  const double r = std::floor(x + 0.5);
  const int32_t n = table.usedPairs();
  int32_t k = 0;
  while (k < n && static_cast<double>(table.pair(k).InVal) < r) ++k;
  if (k == n) return false;
  const TCompuTabPair_Intern& hi = table.pair(k);
  if (!interpolate || k == 0) {
    // An exact table needs the very input value; an interpolating one has no interval
    // below its first pair, so only the first pair's own input value has a result.
    if (static_cast<double>(hi.InVal) != r) return false;
    *p = hi.Out.Value;
    return true;
  }
  const TCompuTabPair_Intern& lo = table.pair(k - 1);
  if (hi.InVal == lo.InVal) return false;
  *p = lo.Out.Value + (hi.Out.Value - lo.Out.Value) /
                          (static_cast<double>(hi.InVal) - static_cast<double>(lo.InVal)) *
                          (x - static_cast<double>(lo.InVal));
  return true;
}

// The rounded raw value as a 32-bit signed integer: the low 32 bits of floor(x + 0.5).
int32_t verbalKey(double x) {
  const double r = std::floor(x + 0.5);
  if (!std::isfinite(r)) return 0;
  const double low = std::fmod(r, 4294967296.0);  // exact, in (-2^32, 2^32)
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(low)));
}

int trailingZeros(uint32_t mask) {
  int n = 0;
  while (!(mask & 1u)) mask >>= 1, ++n;
  return n;
}

TOrdexReturnCode verbal(const TCompuVTab_Intern& table, int32_t dataType, uint32_t mask, double x,
                        double* phys, char* text) {
  int32_t r = verbalKey(x);
  // Floating-point values had no mask applied; the mask's position still scales them.
  if ((dataType == dtFloat32Ieee || dataType == dtFloat64Ieee) && mask != 0 && r > 0)
    r >>= trailingZeros(mask);
  *phys = r;
  // Only the pairs held are searched: the declared ones behind them are all input 0 with an
  // empty text, so a huge declared count costs nothing.
  const int32_t n = table.usedPairs();
  const int32_t held = std::min<int64_t>(n, table.Pairs.size());
  for (int32_t k = 0; k < held; ++k) {
    const TCompuVTabPair_Intern& pair = table.pair(k);
    if (pair.InVal == r) return writeText(pair.OutText, text);
  }
  if (n > held && r == 0) return writeText("", text);
  return tableDefault(table.DefaultValue, text);
}

void hexDump(const unsigned char* raw, int32_t count, char* text) {
  static const char kDigits[] = "0123456789abcdef";
  char* p = text;
  for (int32_t i = 0; i < count; ++i) {
    if (i) *p++ = ' ';
    *p++ = kDigits[raw[i] >> 4];
    *p++ = kDigits[raw[i] & 0xF];
  }
  *p = '\0';
}

}  // namespace

TOrdexReturnCode rawToPhys(const unsigned char* raw, int32_t dataType, int32_t byteOrder,
                           uint32_t mask, int32_t byteCount, TCompuMethod_Intern& method,
                           char separator, double* phys, char* text) {
  const int32_t type = method.ConversionType;
  if (type == kTabIntp || type == kTabNoIntp || type == kTabVerb) {
    const TOrdexReturnCode rc = resolveTable(method);
    if (rc != rcOk) return rc;
  }
  if (dataSize(dataType) < 0) return rcInvalidArgument;
  if (dataType == dtString) {
    *phys = 0.0;
    hexDump(raw, byteCount, text);
    return rcOk;
  }
  const double x = decodeRaw(raw, dataType, byteOrder, mask);
  double p;
  switch (type) {
    case kRatFunc:
      if (!ratFunc(method.Coeffs, x, &p)) return rcInvalidArgument;
      return writeNumber(p, method, separator, phys, text);
    case kTabIntp:
    case kTabNoIntp: {
      const TCompuTab_Intern& table = *method.compuTabTarget();
      if (!tableValue(table, type == kTabIntp, x, &p))
        return tableDefault(table.DefaultValue, text);
      return writeNumber(p, method, separator, phys, text);
    }
    case kTabVerb:
      return verbal(*method.compuVTabTarget(), dataType, mask, x, phys, text);
    default:  // FORM is not evaluated; unknown types have no conversion
      return rcInvalidArgument;
  }
}

TCompuMethod_Intern* conversionOf(TMeasurement_Intern& measurement, const TModule_Intern& module) {
  if (!measurement.ConversionTarget)
    measurement.ConversionTarget = module.CompuMethods.findExact(measurement.Conversion);
  return measurement.ConversionTarget;
}

}  // namespace ordex::convert
