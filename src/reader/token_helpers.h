// Converting tokens into values. The number parsers throw rcBadNumber (a
// ReturnCode) when characters are left over after the number.
#pragma once

#include <cstdint>
#include <string_view>

#include "reader/token.h"

namespace ordex {

// A token starting with NULL gives ""; "text" gives text; a lone quote gives "". The
// closing quote is overwritten with the terminator in the token itself, as callers that
// look at the token again later see it.
std::string_view stripQuotes(Token& token);
// The same result without touching the token.
std::string_view stripQuotesView(std::string_view token);

// Automatic base: optional sign, 0x for hexadecimal, a leading 0 for octal, else decimal;
// clamped to the 32-bit range. An empty token gives 0.
int32_t parseLong(std::string_view token);
// As parseLong; a token that parseLong refuses is also taken when it is a decimal number
// with an integral value inside the 32-bit range (1.0 gives 1), as files of later ASAP2
// versions write table input values. Any other leftover still raises rcBadNumber: a value
// such as 1.5 cannot be stored without loss.
int32_t parseIntegralLong(std::string_view token);
// Base 16 with or without 0x: "100" gives 256.
uint32_t parseHexULong(std::string_view token);
// A token holding an X (either case) is an unsigned 32-bit hexadecimal number; otherwise
// a decimal floating-point number.
double parseDouble(std::string_view token);

}  // namespace ordex
