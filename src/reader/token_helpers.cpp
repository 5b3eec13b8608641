#include "reader/token_helpers.h"

#include <locale.h>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "reader/read_failure_note.h"

namespace ordex {

namespace {

[[noreturn]] void badNumber(Expected expected, std::string_view s) {
  failWith(ReturnCode::BadNumber, expected, s.data());
}

bool holdsX(std::string_view s) {
  for (char c : s) {
    if ((c | 0x20) == 'x') return true;
  }
  return false;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads unsigned digits of `base` from s[i..]; saturates at `limit`. Returns the number of
// digits read.
size_t readDigits(std::string_view s, size_t& i, unsigned base, uint64_t limit, uint64_t& value,
                  bool& overflow) {
  size_t start = i;
  value = 0;
  overflow = false;
  while (i < s.size()) {
    int d = hexDigit(s[i]);
    if (d < 0 || static_cast<unsigned>(d) >= base) break;
    if (!overflow) {
      value = value * base + static_cast<unsigned>(d);
      if (value > limit) overflow = true;
    }
    ++i;
  }
  return i - start;
}

// The optional sign and the base prefix of a number; returns the position of the first
// digit. `autoBase` selects octal for a leading 0.
size_t readPrefix(std::string_view s, bool autoBase, bool& negative, unsigned& base) {
  size_t i = 0;
  negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X') && i + 2 < s.size() &&
      hexDigit(s[i + 2]) >= 0) {
    base = 16;
    return i + 2;
  }
  if (autoBase) base = (i < s.size() && s[i] == '0') ? 8 : 10;
  return i;
}

locale_t cLocale() {
  static locale_t loc = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
  return loc;
}

}  // namespace

std::string_view stripQuotesView(std::string_view t) {
  if (t.size() >= 4 && t.compare(0, 4, "NULL") == 0) return std::string_view();
  if (t.size() >= 2 && t.front() == '"' && t.back() == '"') return t.substr(1, t.size() - 2);
  if (t.size() == 1 && t[0] == '"') return std::string_view();
  return t;
}

std::string_view stripQuotes(Token& token) {
  std::string_view v = stripQuotesView(token.view());
  if (token.size >= 2 && v.data() == token.text + 1) {
    token.text[token.size - 1] = '\0';
    token.size -= 1;
  }
  return v;
}

int32_t parseLong(std::string_view s) {
  if (s.empty()) return 0;
  bool negative;
  unsigned base = 10;
  size_t i = readPrefix(s, true, negative, base);
  uint64_t value;
  bool overflow;
  size_t digits = readDigits(s, i, base, uint64_t(1) << 32, value, overflow);
  if (digits == 0 || i != s.size()) badNumber(Expected::kInteger, s);
  if (negative) {
    return overflow || value > uint64_t(1) << 31 ? INT32_MIN
                                                 : static_cast<int32_t>(-int64_t(value));
  }
  return overflow || value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}

int32_t parseIntegralLong(std::string_view s) {
  try {
    return parseLong(s);
  } catch (ReturnCode) {
    if (holdsX(s)) throw;
    double v = parseDouble(s);
    if (!(v >= INT32_MIN && v <= INT32_MAX) || v != static_cast<double>(static_cast<int32_t>(v))) {
      badNumber(Expected::kWholeNumber, s);
    }
    return static_cast<int32_t>(v);
  }
}

uint32_t parseHexULong(std::string_view s) {
  if (s.empty()) return 0;
  bool negative;
  unsigned base = 16;
  size_t i = readPrefix(s, false, negative, base);
  uint64_t value;
  bool overflow;
  size_t digits = readDigits(s, i, 16, 0xFFFFFFFFull, value, overflow);
  if (digits == 0 || i != s.size()) badNumber(Expected::kHexNumber, s);
  if (overflow) return 0xFFFFFFFFu;
  uint32_t v = static_cast<uint32_t>(value);
  return negative ? static_cast<uint32_t>(0u - v) : v;
}

double parseDouble(std::string_view s) {
  if (s.empty()) return 0.0;
  if (holdsX(s)) {
    return static_cast<double>(parseHexULong(s));
  }
  // Whole numbers, the most common form, without the general conversion: a decimal
  // integer of up to 18 digits converts to the nearest double exactly as the general
  // conversion rounds it.
  {
    size_t i = (s[0] == '-' || s[0] == '+') ? 1 : 0;
    if (s.size() > i && s.size() - i <= 18) {
      int64_t v = 0;
      size_t j = i;
      while (j < s.size() && s[j] >= '0' && s[j] <= '9') v = v * 10 + (s[j++] - '0');
      if (j == s.size()) {
        double d = static_cast<double>(v);
        return s[0] == '-' ? -d : d;
      }
    }
  }
  // Decimal fractions of up to 15 digits without exponent, the next most common form: the
  // digits taken as an integer (below 2^53) and the power of ten are both exact doubles, so
  // their quotient is the nearest double to the number, as the general conversion gives it.
  {
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    size_t i = (s[0] == '-' || s[0] == '+') ? 1 : 0;
    if (s.size() - i <= 16) {
      uint64_t v = 0;
      size_t j = i;
      while (j < s.size() && s[j] >= '0' && s[j] <= '9') v = v * 10 + (s[j++] - '0');
      const size_t point = j;
      if (point > i && point < s.size() && s[point] == '.') {
        for (++j; j < s.size() && s[j] >= '0' && s[j] <= '9'; ++j) v = v * 10 + (s[j] - '0');
        const size_t fractionDigits = j - point - 1;
        if (j == s.size() && fractionDigits > 0) {
          double d = static_cast<double>(v) / kPowersOfTen[fractionDigits];
          return s[0] == '-' ? -d : d;
        }
      }
    }
  }
  const char* first = s.data();
  const char* last = s.data() + s.size();
  bool plus = *first == '+';
  if (plus) ++first;
  double value = 0.0;
  std::from_chars_result r = std::from_chars(first, last, value);
  if (r.ec == std::errc() && !(plus && (*first == '-' || *first == '+'))) {
    if (r.ptr != last) badNumber(Expected::kNumber, s);
    return value;
  }
  // Out of range and the rarer spellings: let the C library decide, in the C locale.
  std::string text(s);
  char* end = nullptr;
  value = strtod_l(text.c_str(), &end, cLocale());
  if (end == text.c_str() || *end != '\0') badNumber(Expected::kNumber, s);
  return value;
}

}  // namespace ordex
