#include "convert/value_format.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace ordex::convert {

namespace {

struct Specification {
  bool left = false;   // -
  bool plus = false;   // +
  bool space = false;  // blank
  bool alt = false;    // #
  bool zero = false;   // 0
  int width = 0;
  int precision = 6;
};

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads decimal digits from s at i, at most `limit`; false when the number is above it.
bool readNumber(std::string_view s, size_t& i, int limit, int* value) {
  long v = 0;
  for (; i < s.size() && isDigit(s[i]); ++i) {
    v = v * 10 + (s[i] - '0');
    if (v > limit) return false;
  }
  *value = static_cast<int>(v);
  return true;
}

bool parse(std::string_view body, Specification* spec) {
  size_t i = 0;
  for (; i < body.size(); ++i) {
    const char c = body[i];
    if (c == '-') {
      spec->left = true;
    } else if (c == '+') {
      spec->plus = true;
    } else if (c == ' ') {
      spec->space = true;
    } else if (c == '#') {
      spec->alt = true;
    } else if (c == '0') {
      spec->zero = true;
    } else {
      break;
    }
  }
  if (!readNumber(body, i, kMaxWidth, &spec->width)) return false;
  if (i < body.size() && body[i] == '.') {
    ++i;
    if (!readNumber(body, i, kMaxPrecision, &spec->precision)) return false;
  }
  return i == body.size();
}

}  // namespace

std::string_view specificationBody(std::string_view format, char (&buffer)[kMaxFormatCharacters]) {
  size_t n = 0;
  for (char c : format) {
    if (kFormatCharacters.find(c) == std::string_view::npos) continue;
    buffer[n++] = c;
    if (n == kMaxFormatCharacters) break;
  }
  return n ? std::string_view(buffer, n) : std::string_view("4.2");
}

int formatNumber(double value, std::string_view body, char separator, char* out) {
  Specification spec;
  if (!parse(body, &spec)) return -1;

  // Digits without sign, as %f writes them.
  char digits[kMaxNumberText];
  size_t len;
  const bool finite = std::isfinite(value);
  if (finite) {
    auto r = std::to_chars(digits, digits + sizeof digits, std::fabs(value),
                           std::chars_format::fixed, spec.precision);
    if (r.ec != std::errc()) return -1;
    len = static_cast<size_t>(r.ptr - digits);
    if (spec.alt && spec.precision == 0) digits[len++] = '.';
  } else {
    std::memcpy(digits, std::isnan(value) ? "nan" : "inf", 3);
    len = 3;
  }

  // NaN has no meaningful sign (0/0 sets it on some machines): it prints as "nan".
  char sign = 0;
  if (std::signbit(value) && !std::isnan(value)) {
    sign = '-';
  } else if (spec.plus) {
    sign = '+';
  } else if (spec.space) {
    sign = ' ';
  }
  const size_t used = len + (sign ? 1 : 0);
  const size_t pad = static_cast<size_t>(spec.width) > used ? spec.width - used : 0;

  char* p = out;
  if (!spec.left && !(spec.zero && finite)) p = static_cast<char*>(std::memset(p, ' ', pad)) + pad;
  if (sign) *p++ = sign;
  if (!spec.left && spec.zero && finite) p = static_cast<char*>(std::memset(p, '0', pad)) + pad;
  for (size_t k = 0; k < len; ++k) {
    const char c = digits[k];
    *p++ = c == '.' ? separator : c;
  }
  if (spec.left) p = static_cast<char*>(std::memset(p, ' ', pad)) + pad;
  *p = '\0';
  return static_cast<int>(p - out);
}

}  // namespace ordex::convert
