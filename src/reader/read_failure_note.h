// What the reader expected where a read failed, noted where the failure is thrown: a code
// and, for a number, the text that did not convert. Nothing is noted while a read goes well.
#pragma once

#include <cstdint>

#include "platform/return_code.h"

namespace ordex {

enum class Expected : uint8_t {
  kNothing,
  kInteger,
  kHexNumber,
  kNumber,
  kWholeNumber,
  kEndOfBlock,     // the "/end" of the innermost open block
  kEndOfIfData,    // an "/end" that closes none of the blocks of an IF_DATA body
  kInsideProject,  // a HEADER or MODULE outside the PROJECT
  kInsideModule,   // an object block outside a MODULE
  kIncludeFile,    // an include that cannot be opened
  kIncludeDepth,   // includes nested too deep
};

struct FailureNote {
  Expected expected = Expected::kNothing;
  // The bytes of the number that failed to convert: they lie in one of the tokens of the
  // reader's window, which tells the token at fault.
  const char* text = nullptr;
};

inline FailureNote& failureNote() {
  static thread_local FailureNote note;
  return note;
}

[[noreturn]] inline void failWith(ReturnCode rc, Expected expected, const char* text = nullptr) {
  FailureNote& note = failureNote();
  note.expected = expected;
  note.text = text;
  throw rc;
}

}  // namespace ordex
