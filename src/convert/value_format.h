// The text of a physical value: the compu method's Format turned into a conversion
// specification, printed in the C locale whatever the process locale is.
#pragma once

#include <cstddef>
#include <string_view>

namespace ordex::convert {

// The characters of a Format that the specification takes, and how many at most: with
// "%" before them, "lf" after them and the terminator, the specification holds 40.
constexpr std::string_view kFormatCharacters = " #+-.0123456789";
constexpr size_t kMaxFormatCharacters = 36;

// The widest number text formatNumber writes: a sign, the 309 integer digits of the
// largest double, the point and a precision of kMaxPrecision.
constexpr int kMaxWidth = 255;
constexpr int kMaxPrecision = 255;
constexpr size_t kMaxNumberText = 1 + 309 + 1 + kMaxPrecision;

// The middle of the specification for a Format: its usable characters, cut to
// kMaxFormatCharacters, or "4.2" when there are none.
std::string_view specificationBody(std::string_view format, char (&buffer)[kMaxFormatCharacters]);

// Prints value as "%" + body + "lf" does in the C locale and replaces every "." and ","
// by separator. out must hold kMaxNumberText + 1 bytes. Returns the length written, or -1
// when body is not flags, width and precision in that order or asks for a width or
// precision above the limits.
int formatNumber(double value, std::string_view body, char separator, char* out);

}  // namespace ordex::convert
