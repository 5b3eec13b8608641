// Splits the text of one input into tokens: whitespace separates them, comments are
// skipped, quoted strings are kept whole with their quotes.
#pragma once

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "reader/input_file.h"
#include "reader/token.h"

namespace ordex {

// Reads the next token of `in` into `out`. Returns false when no further character can be
// read; a token in progress is then dropped, unless endEndsToken is set: then a token that
// has started ends there (one inside an unclosed quote is still dropped). Every line feed
// read raises *lineNumber.
bool readToken(InputFile& in, Token& out, int32_t* lineNumber, bool endEndsToken = false);

// A token found in a buffer without reading it: its bytes [from, to), where reading goes on
// behind it (the character that ended it is consumed) and the line feeds passed on the way.
struct ScannedToken {
  const unsigned char* from;
  const unsigned char* to;
  const unsigned char* next;
  int32_t lines;
};

// The token that readToken would deliver from [p, e) when it is an ordinary one: blanks and
// comments before it, then a word or a quoted string without escapes that ends inside the
// buffer and is shorter than Token::kCapacity. False for any other (the general rules are
// needed); nothing is consumed either way. The buffer must have InputFile::kReadSlack
// readable bytes behind e.
bool scanSimpleToken(const unsigned char* p, const unsigned char* e, ScannedToken& out);

// Copies InputFile::kReadSlack bytes in four vector moves, for a short token whose buffer
// has that slack behind it. Written as a memcpy, the copy is at the compiler's choice, which
// has made it a "rep movs" that took a fifth of the read.
inline void copySlack(char* dst, const unsigned char* src) {
  static_assert(InputFile::kReadSlack == 64, "four moves of 16 bytes");
#if defined(__SSE2__)
  const __m128i* from = reinterpret_cast<const __m128i*>(src);
  __m128i* to = reinterpret_cast<__m128i*>(dst);
  const __m128i a = _mm_loadu_si128(from), b = _mm_loadu_si128(from + 1);
  const __m128i c = _mm_loadu_si128(from + 2), d = _mm_loadu_si128(from + 3);
  _mm_storeu_si128(to, a);
  _mm_storeu_si128(to + 1, b);
  _mm_storeu_si128(to + 2, c);
  _mm_storeu_si128(to + 3, d);
#else
  std::memcpy(dst, src, InputFile::kReadSlack);
#endif
}

}  // namespace ordex
