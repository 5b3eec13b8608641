#include "reader/tokenizer.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ordex {

namespace {

// Character classes of the scanner.
enum : unsigned char {
  kPlain = 0,  // stored as part of a word
  kSpace,      // blank, tab, carriage return, vertical tab, form feed
  kNewline,
  kSlash,
  kQuote,
  kBackslash,
  kNul,
};

struct ClassTable {
  unsigned char c[256];
  constexpr ClassTable() : c{} {
    c[static_cast<unsigned char>(' ')] = kSpace;
    c[static_cast<unsigned char>('\t')] = kSpace;
    c[static_cast<unsigned char>('\r')] = kSpace;
    c[static_cast<unsigned char>('\v')] = kSpace;
    c[static_cast<unsigned char>('\f')] = kSpace;
    c[static_cast<unsigned char>('\n')] = kNewline;
    c[static_cast<unsigned char>('/')] = kSlash;
    c[static_cast<unsigned char>('"')] = kQuote;
    c[static_cast<unsigned char>('\\')] = kBackslash;
    c[0] = kNul;
  }
};
constexpr ClassTable kClass;

enum class Comment { kNone, kBlock, kLine };

// Collects the bytes of one token: counts every byte stored, writes the first 1023.
class TokenBuilder {
 public:
  explicit TokenBuilder(Token& out) : out_(out) {}
  void put(unsigned char c) {
    if (count_ < Token::kCapacity - 1) {
      out_.text[count_] = static_cast<char>(c);
      if (c == 0) sawNul_ = true;
    }
    ++count_;
  }
  void putRun(const unsigned char* p, size_t n) {
    if (count_ < Token::kCapacity - 1) {
      size_t room = Token::kCapacity - 1 - count_;
      std::memcpy(out_.text + count_, p, n < room ? n : room);
    }
    count_ += n;
  }
  // Takes back the last byte stored; true when the token is empty afterwards.
  bool takeBack() {
    --count_;
    return count_ == 0;
  }
  void finish() {
    uint32_t len =
        count_ < Token::kCapacity - 1 ? static_cast<uint32_t>(count_) : Token::kCapacity - 1;
    out_.text[len] = '\0';
    out_.size = sawNul_ ? static_cast<uint32_t>(strnlen(out_.text, len)) : len;
  }

 private:
  Token& out_;
  size_t count_ = 0;
  bool sawNul_ = false;
};

}  // namespace

// The first byte at or after p that may end or complicate a word, or e: a blank, a control
// character, a zero byte, "/" or the double quote. Control characters other than blanks are
// ordinary word characters and are sorted out by the caller.
inline const unsigned char* findWordStop(const unsigned char* p, const unsigned char* e) {
#if defined(__SSE2__)
  const __m128i blank = _mm_set1_epi8(' ');
  const __m128i slash = _mm_set1_epi8('/');
  const __m128i quote = _mm_set1_epi8('"');
  while (e - p >= 16) {
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    __m128i stop = _mm_or_si128(_mm_cmpeq_epi8(_mm_max_epu8(x, blank), blank),
                                _mm_or_si128(_mm_cmpeq_epi8(x, slash), _mm_cmpeq_epi8(x, quote)));
    int m = _mm_movemask_epi8(stop);
    if (m) return p + __builtin_ctz(static_cast<unsigned>(m));
    p += 16;
  }
#endif
  while (p<e&& * p> ' ' && *p != '/' && *p != '"') ++p;
  return p;
}

// The first byte at or after p that is a quote, a backslash, a line feed or zero, or e.
inline const unsigned char* findQuoteEnd(const unsigned char* p, const unsigned char* e) {
#if defined(__SSE2__)
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i backslash = _mm_set1_epi8('\\');
  const __m128i newline = _mm_set1_epi8('\n');
  const __m128i zero = _mm_setzero_si128();
  while (e - p >= 16) {
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, quote), _mm_cmpeq_epi8(x, backslash)),
                               _mm_or_si128(_mm_cmpeq_epi8(x, newline), _mm_cmpeq_epi8(x, zero)));
    int m = _mm_movemask_epi8(hit);
    if (m) return p + __builtin_ctz(static_cast<unsigned>(m));
    p += 16;
  }
#endif
  while (p < e) {
    unsigned char k = kClass.c[*p];
    if (k == kQuote || k == kBackslash || k == kNewline || k == kNul) break;
    ++p;
  }
  return p;
}

// Copies InputFile::kReadSlack bytes in four vector moves. Written as a memcpy, the copy is
// at the compiler's choice, which has made it a "rep movs" that took a fifth of the read.
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

// The common case in one pass over the buffer: blanks, then a word (a "/" not followed by
// "*" or "/" belongs to it) or a quoted string without escapes, ended by the character
// after it (a blank after a word; any character but a quote after a closing quote). Such a
// token comes out of the general rules unchanged. Anything else, or a token that does not
// end inside the buffer, leaves the input untouched and returns false.
inline bool readSimpleToken(InputFile& in, Token& out, int32_t* lineNumber) {
  const unsigned char* p = in.cur;
  const unsigned char* const e = in.end;
  int32_t lines = 0;
  for (;; ++p) {
    if (p == e) return false;
    unsigned char k = kClass.c[*p];
    if (k == kNewline) {
      ++lines;
    } else if (k != kSpace) {
      break;
    }
  }
  const unsigned char* start = p;
  if (*p == '"') {
    for (++p;; ++p) {
      p = findQuoteEnd(p, e);
      if (p == e) return false;
      unsigned char k = kClass.c[*p];
      if (k == kQuote) break;
      if (k != kNewline) return false;  // an escape or a zero byte
      ++lines;
    }
    ++p;  // the closing quote
    if (p == e || *p == '"') return false;
  } else {
    for (;; ++p) {
      p = findWordStop(p, e);
      if (p == e) return false;
      unsigned char k = kClass.c[*p];
      if (k == kPlain || k == kBackslash) continue;
      if (k == kSlash) {
        if (p + 1 == e || p[1] == '*' || p[1] == '/') return false;
        continue;
      }
      if (k == kSpace || k == kNewline) break;
      return false;
    }
  }
  size_t n = static_cast<size_t>(p - start);
  if (n >= Token::kCapacity) return false;
  if (*p == '\n') ++lines;
  if (n <= InputFile::kReadSlack) {
    // A fixed-size copy: the input buffer has slack behind its end, the token room to spare.
    copySlack(out.text, start);
  } else {
    std::memcpy(out.text, start, n);
  }
  out.text[n] = '\0';
  out.size = static_cast<uint32_t>(n);
  out.from = start;
  out.to = p;
  in.cur = p + 1;  // the character that ended the token is consumed
  *lineNumber += lines;
  return true;
}

bool readToken(InputFile& in, Token& out, int32_t* lineNumber, bool endEndsToken) {
  if (readSimpleToken(in, out, lineNumber)) return true;
  TokenBuilder tok(out);
  unsigned char prev = ' ';
  bool started = false;
  bool inQuotes = false;
  bool escape = false;
  bool quoteClosed = false;
  Comment comment = Comment::kNone;
  int32_t lines = 0;
  // The token's bytes in the buffer (meaningful when the buffer holds the whole file).
  const unsigned char* tokFrom = nullptr;
  const unsigned char* tokTo = nullptr;

  const unsigned char* p = in.cur;
  const unsigned char* e = in.end;

  for (;;) {
    if (p == e) {
      in.cur = p;
      if (!in.refill()) {
        *lineNumber += lines;
        if (!endEndsToken || !started || inQuotes) return false;
        tok.finish();
        out.from = tokFrom;
        out.to = tokTo;
        return true;
      }
      p = in.cur;
      e = in.end;
    }

    // Fast paths for the states that consume long runs.
    if (comment == Comment::kBlock) {
      while (p < e) {
        unsigned char c = *p++;
        if (c == '\n') {
          ++lines;
        } else if (c == '/' && prev == '*') {
          comment = Comment::kNone;
          // The closing "/" belongs to the comment and cannot open the next one.
          prev = ' ';
          break;
        }
        prev = c;
      }
      if (comment == Comment::kNone && started) break;
      continue;
    }
    if (comment == Comment::kLine) {
      const void* nl = std::memchr(p, '\n', static_cast<size_t>(e - p));
      if (!nl) {
        prev = e[-1];
        p = e;
        continue;
      }
      p = static_cast<const unsigned char*>(nl) + 1;
      ++lines;
      prev = '\n';
      comment = Comment::kNone;
      if (started) break;
      continue;
    }
    if (!inQuotes && !quoteClosed) {
      if (!started) {
        while (p < e && kClass.c[*p] <= kNewline && kClass.c[*p] != kPlain) {
          if (*p == '\n') ++lines;
          prev = *p++;
        }
        if (p == e) continue;
      } else if (prev != '/' && kClass.c[*p] == kPlain) {
        // After a "/" the next character may open a comment: take the general path.
        const unsigned char* run = p;
        while (p < e && kClass.c[*p] == kPlain) ++p;
        tok.putRun(run, static_cast<size_t>(p - run));
        tokTo = p;
        prev = p[-1];
        if (p == e) continue;
      }
    } else if (inQuotes && !escape) {
      // Inside quotes only the quote, the backslash, the line feed and a zero byte need the
      // general rules.
      const unsigned char* run = p;
      while (p < e && kClass.c[*p] != kQuote && kClass.c[*p] != kBackslash &&
             kClass.c[*p] != kNewline && kClass.c[*p] != kNul) {
        ++p;
      }
      if (p != run) {
        tok.putRun(run, static_cast<size_t>(p - run));
        tokTo = p;
        prev = p[-1];
        if (p == e) continue;
      }
    }

    // One character by the general rules.
    unsigned char c = *p++;
    if (c == '\n') ++lines;
    if (!inQuotes && prev == '/' && (c == '*' || c == '/')) {
      comment = c == '*' ? Comment::kBlock : Comment::kLine;
      if (started) {
        tokTo = p - in.bufferStart() >= 2 ? p - 2 : p;  // the "/" opens the comment
        if (tok.takeBack()) started = false;
      }
      // The "*" of the opener cannot also close the comment: "/*/" opens one, as in C.
      prev = ' ';
      continue;
    }
    if (c == '"') {
      quoteClosed = false;
      if (!inQuotes) {
        if (!started) tokFrom = p - 1;
        started = true;
        inQuotes = true;
      } else if (escape) {
        escape = false;
      } else {
        inQuotes = false;
        quoteClosed = true;
      }
      tok.put(c);
      tokTo = p;
      prev = c;
      continue;
    }
    if (quoteClosed) break;  // the character after a closing quote ends the token, lost
    if (!inQuotes) {
      unsigned char cls = kClass.c[c];
      if (cls == kSpace || cls == kNewline) {
        if (started) break;
      } else {
        if (!started) tokFrom = p - 1;
        started = true;
        tok.put(c);
        tokTo = p;
      }
    } else if (escape) {
      tok.put('\\');
      tok.put(c);
      tokTo = p;
      escape = false;
    } else if (c == '\\') {
      escape = true;
    } else {
      tok.put(c);
      tokTo = p;
    }
    prev = c;
  }

  in.cur = p;
  *lineNumber += lines;
  tok.finish();
  out.from = tokFrom;
  out.to = tokTo;
  return true;
}

}  // namespace ordex
