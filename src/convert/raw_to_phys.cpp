#include "convert/raw_to_phys.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

#include "convert/conversion_error.h"
#include "convert/raw_decoding.h"
#include "convert/value_format.h"

namespace ordex::convert {

namespace {

const TModule_Intern* ownerModule(const TCompuMethod_Intern& method) {
  return static_cast<const TModule_Intern*>(method.Owner);
}

// The conversion types of newer standards, which the method keeps as read with a
// ConversionType of -1.
enum class Newer { kNone, kIdentical, kLinear };

Newer newerType(const TCompuMethod_Intern& method) {
  if (method.ConversionType != -1) return Newer::kNone;
  const std::string_view keyword = method.Kept.find(kKeptConversionType);
  if (keyword == "IDENTICAL") return Newer::kIdentical;
  if (keyword == "LINEAR") return Newer::kLinear;
  return Newer::kNone;
}

// The table a table method converts with, resolved on first use by exact name and kept. A
// TAB_VERB method names a COMPU_VTAB or, in files of newer standards, a COMPU_VTAB_RANGE.
// A target of another table kind (left by a change of the conversion type) is looked up
// again rather than taken for the wrong record.
ReturnCode resolveTable(TCompuMethod_Intern& method) {
  const TModule_Intern* module = ownerModule(method);
  if (method.ConversionType == kTabVerb) {
    if (method.compuVTabTarget() || method.compuVTabRangeTarget()) return ReturnCode::Ok;
    ObjectHead* v = nullptr;
    if (module) {
      v = module->CompuVTabs.findExact(method.CompuTabRef);
      if (!v) v = module->CompuVTabRanges.findExact(method.CompuTabRef);
    }
    if (!v) {
      return conversionFailed(ReturnCode::CompuVTabNotFound,
                              "COMPU_METHOD %s: COMPU_TAB_REF '%s' names no COMPU_VTAB or "
                              "COMPU_VTAB_RANGE of the module",
                              ReasonArg(method.Name), ReasonArg(method.CompuTabRef));
    }
    method.CompuTabTarget = v;
  } else {
    if (method.compuTabTarget()) return ReturnCode::Ok;
    TCompuTab_Intern* t = module ? module->CompuTabs.findExact(method.CompuTabRef) : nullptr;
    if (!t) {
      return conversionFailed(ReturnCode::CompuTabNotFound,
                              "COMPU_METHOD %s: COMPU_TAB_REF '%s' names no COMPU_TAB of "
                              "the module",
                              ReasonArg(method.Name), ReasonArg(method.CompuTabRef));
    }
    method.CompuTabTarget = t;
  }
  return ReturnCode::Ok;
}

// What a conversion gives before its text is written: a number to format with the method's
// Format and Unit, or a text that stands as it is, with or without a physical value.
struct Outcome {
  ReturnCode rc = ReturnCode::Ok;
  bool format = false;    // value is formatted; the physical value is written with it
  bool hasValue = false;  // a text that stands as it is comes with this physical value
  double value = 0.0;
  std::string_view text;
};

Outcome number(double p) {
  Outcome o;
  o.format = true;
  o.value = p;
  return o;
}

Outcome verbatim(std::string_view text) {
  Outcome o;
  o.text = text;
  return o;
}

constexpr const char* kNoTabPair =
    "raw value %s is in no pair of COMPU_TAB %s, which has no DEFAULT_VALUE";
constexpr const char* kNoVTabPair =
    "raw value %s is in no pair of COMPU_VTAB %s, which has no DEFAULT_VALUE";
constexpr const char* kNoRange =
    "raw value %s is in no range of COMPU_VTAB_RANGE %s, which has no DEFAULT_VALUE";

Outcome failure(ReturnCode rc) {
  Outcome o;
  o.rc = rc;
  return o;
}

// The text of a table without a value for x: its DefaultValue, or -1 when it has none.
// format words the failure: the raw value, then the table's name.
Outcome tableDefault(const char* format, const ObjectHead& table, std::string_view defaultValue,
                     double x) {
  if (!defaultValue.empty()) return verbatim(defaultValue);
  return failure(conversionFailed(ReturnCode::InvalidArgument, format, ReasonArg::raw(x),
                                  ReasonArg(table.Name)));
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

// The text of the first pair held whose input value is key, or null.
const Text* pairText(const TCompuVTab_Intern& table, int32_t key) {
  const int32_t held = std::min<int64_t>(table.usedPairs(), table.Pairs.size());
  for (int32_t k = 0; k < held; ++k) {
    const TCompuVTabPair_Intern& pair = table.pair(k);
    if (pair.InVal == key) return &pair.OutText;
  }
  return nullptr;
}

// The text of the first range that holds x (both bounds included), or null.
const Text* rangeText(const TCompuVTabRange_Intern& table, double x) {
  for (const TCompuVTabRangeEntry_Intern& range : table.Ranges) {
    if (range.InValMin.Value <= x && x <= range.InValMax.Value) return &range.OutText;
  }
  return nullptr;
}

Outcome verbal(const TCompuVTab_Intern& table, int32_t dataType, uint32_t mask, double x) {
  int32_t r = verbalKey(x);
  // Floating-point values had no mask applied; the mask's position still scales them.
  if ((dataType == typeFloat32Ieee || dataType == typeFloat64Ieee) && mask != 0 && r > 0)
    r >>= trailingZeros(mask);
  Outcome o;
  o.hasValue = true;
  o.value = r;
  // Only the pairs held are searched: the declared ones behind them are all input 0 with an
  // empty text, so a huge declared count costs nothing.
  if (const Text* t = pairText(table, r)) {
    o.text = *t;
  } else if (table.usedPairs() > static_cast<int64_t>(table.Pairs.size()) && r == 0) {
    o.text = std::string_view();
  } else {
    Outcome d = tableDefault(kNoVTabPair, table, table.DefaultValue, r);
    o.rc = d.rc;
    o.text = d.text;
  }
  return o;
}

// A range table takes the raw value as it is: its bounds may have fractions.
Outcome verbalRange(const TCompuVTabRange_Intern& table, double x) {
  Outcome o;
  o.hasValue = true;
  o.value = x;
  if (const Text* t = rangeText(table, x)) {
    o.text = *t;
  } else {
    Outcome d = tableDefault(kNoRange, table, table.DefaultValue, x);
    o.rc = d.rc;
    o.text = d.text;
  }
  return o;
}

Outcome linear(const TCompuMethod_Intern& method, double x) {
  const NumberText& a = method.CoeffsLinear[0];
  const NumberText& b = method.CoeffsLinear[1];
  if (a.Text.empty()) {
    return failure(conversionFailed(ReturnCode::InvalidArgument,
                                    "COMPU_METHOD %s: LINEAR without COEFFS_LINEAR",
                                    ReasonArg(method.Name)));
  }
  for (const NumberText* c : {&a, &b}) {
    if (std::isnan(c->Value)) {
      return failure(conversionFailed(ReturnCode::InvalidArgument,
                                      "COMPU_METHOD %s: COEFFS_LINEAR '%s' is no number",
                                      ReasonArg(method.Name), ReasonArg(c->Text)));
    }
  }
  return number(a.Value * x + b.Value);
}

Outcome unsupported(const TCompuMethod_Intern& method) {
  if (method.ConversionType == kForm) {
    return failure(conversionFailed(ReturnCode::InvalidArgument,
                                    "COMPU_METHOD %s: FORM formulas are not evaluated",
                                    ReasonArg(method.Name)));
  }
  const std::string_view keyword = method.Kept.find(kKeptConversionType);
  if (method.ConversionType == -1 && !keyword.empty()) {
    return failure(conversionFailed(ReturnCode::InvalidArgument,
                                    "COMPU_METHOD %s: conversion type '%s' is not supported",
                                    ReasonArg(method.Name), ReasonArg(keyword)));
  }
  if (method.ConversionType == -1) {
    return failure(conversionFailed(ReturnCode::InvalidArgument,
                                    "COMPU_METHOD %s has no conversion type",
                                    ReasonArg(method.Name)));
  }
  return failure(conversionFailed(ReturnCode::InvalidArgument,
                                  "COMPU_METHOD %s: conversion type %s is none of TAB_INTP (0) "
                                  "to TAB_VERB (4)",
                                  ReasonArg(method.Name),
                                  ReasonArg::integer(method.ConversionType)));
}

Outcome convertValue(const TCompuMethod_Intern& method, int32_t dataType, uint32_t mask, double x) {
  switch (method.ConversionType) {
    case kRatFunc: {
      double p;
      if (!ratFunc(method.Coeffs, x, &p)) {
        return failure(conversionFailed(ReturnCode::InvalidArgument,
                                        "COMPU_METHOD %s: a RAT_FUNC with a or d not 0 is not "
                                        "inverted",
                                        ReasonArg(method.Name)));
      }
      return number(p);
    }
    case kTabIntp:
    case kTabNoIntp: {
      const TCompuTab_Intern& table = *method.compuTabTarget();
      double p;
      if (!tableValue(table, method.ConversionType == kTabIntp, x, &p))
        return tableDefault(kNoTabPair, table, table.DefaultValue, x);
      return number(p);
    }
    case kTabVerb:
      if (const TCompuVTabRange_Intern* range = method.compuVTabRangeTarget())
        return verbalRange(*range, x);
      return verbal(*method.compuVTabTarget(), dataType, mask, x);
    default:
      switch (newerType(method)) {
        case Newer::kIdentical:
          return number(x);
        case Newer::kLinear:
          return linear(method, x);
        case Newer::kNone:
          break;
      }
      return unsupported(method);
  }
}

// The text that STATUS_STRING_REF gives for x, or null: a pair of the COMPU_VTAB (the raw
// value rounded as a TAB_VERB method rounds it) or a range of the COMPU_VTAB_RANGE of that
// name. A table's default is not used (it would stand for every other raw value), and a name
// that is no table of the module gives nothing.
const Text* statusText(const TCompuMethod_Intern& method, double x) {
  if (method.StatusStringRef.empty()) return nullptr;
  const TModule_Intern* module = ownerModule(method);
  if (!module) return nullptr;
  if (const TCompuVTab_Intern* v = module->CompuVTabs.findExact(method.StatusStringRef))
    return pairText(*v, verbalKey(x));
  if (const TCompuVTabRange_Intern* r = module->CompuVTabRanges.findExact(method.StatusStringRef))
    return rangeText(*r, x);
  return nullptr;
}

// Copies a text whole: the caller sized the buffer for the longest text of the table.
ReturnCode writeText(std::string_view s, char* text) {
  if (!s.empty()) std::memcpy(text, s.data(), s.size());
  text[s.size()] = '\0';
  return ReturnCode::Ok;
}

ReturnCode writeNumber(double p, const TCompuMethod_Intern& method, char separator, double* phys,
                       char* text) {
  char bodyBuffer[kMaxFormatCharacters];
  const std::string_view body = specificationBody(method.Format, bodyBuffer);
  char number[kMaxNumberText + 1];
  const int len = formatNumber(p, body, separator, number);
  if (len < 0) {
    return conversionFailed(ReturnCode::InvalidArgument,
                            "COMPU_METHOD %s: FORMAT '%s' gives no usable conversion "
                            "(flags, width and precision up to 255)",
                            ReasonArg(method.Name), ReasonArg(method.Format));
  }
  *phys = p;
  std::memcpy(text, number, static_cast<size_t>(len));
  text += len;
  if (!method.Unit.empty()) {
    *text++ = ' ';
    std::memcpy(text, method.Unit.data(), method.Unit.size());
    text += method.Unit.size();
  }
  *text = '\0';
  return ReturnCode::Ok;
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

ReturnCode rawToPhys(const unsigned char* raw, int32_t dataType, int32_t byteOrder, uint32_t mask,
                     int32_t byteCount, TCompuMethod_Intern& method, char separator, double* phys,
                     char* text) {
  const int32_t type = method.ConversionType;
  if (type == kTabIntp || type == kTabNoIntp || type == kTabVerb) {
    const ReturnCode rc = resolveTable(method);
    if (rc != ReturnCode::Ok) return rc;
  }
  if (dataSize(dataType) < 0) {
    return conversionFailed(ReturnCode::InvalidArgument,
                            "data type %s is none of UBYTE (0) to STRING (10)",
                            ReasonArg::integer(dataType));
  }
  if (dataType == typeString) {
    *phys = 0.0;
    hexDump(raw, byteCount, text);
    return ReturnCode::Ok;
  }
  const double x = decodeRaw(raw, dataType, byteOrder, mask);
  Outcome o = convertValue(method, dataType, mask, x);
  if (const Text* status = statusText(method, x)) {
    // The status text stands for the value; the value itself is kept when there is one.
    o.rc = ReturnCode::Ok;
    o.hasValue = o.hasValue || o.format;
    o.format = false;
    o.text = *status;
    clearConversionError();
  }
  if (o.hasValue) *phys = o.value;
  if (o.rc != ReturnCode::Ok) return o.rc;
  if (o.format) return writeNumber(o.value, method, separator, phys, text);
  return writeText(o.text, text);
}

TCompuMethod_Intern* conversionOf(TMeasurement_Intern& measurement, const TModule_Intern& module) {
  if (!measurement.ConversionTarget)
    measurement.ConversionTarget = module.CompuMethods.findExact(measurement.Conversion);
  return measurement.ConversionTarget;
}

}  // namespace ordex::convert
