// Splits the text of one input into tokens: whitespace separates them, comments are
// skipped, quoted strings are kept whole with their quotes.
#pragma once

#include <cstdint>

#include "reader/input_file.h"
#include "reader/token.h"

namespace ordex {

// Reads the next token of `in` into `out`. Returns false when no further character can be
// read; a token in progress is then dropped, unless endEndsToken is set: then a token that
// has started ends there (one inside an unclosed quote is still dropped). Every line feed
// read raises *lineNumber.
bool readToken(InputFile& in, Token& out, int32_t* lineNumber, bool endEndsToken = false);

}  // namespace ordex
