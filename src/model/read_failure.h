// Where the last read of an instance failed, in terms a user can act on: the file being read
// (an include, not the top file, when the failure lies in one), the line and column in it,
// the token at fault and what was expected in its place.
#pragma once

#include <cstdint>
#include <string>

#include "platform/return_code.h"

namespace ordex {

struct ReadFailure {
  ReturnCode returnCode = ReturnCode::Ok;
  std::string file;        // empty when the failure lies at no place of any file
  int32_t line = 0;        // 1-based, 0 when unknown
  int32_t column = 0;      // 1-based byte in the line, 0 when unknown
  std::string token;       // as read; empty at the end of the input
  std::string expected;    // "a hexadecimal number", "/end MEASUREMENT"; may be empty
  std::string sourceLine;  // the text of that line, without its line feed
  // For a nesting error: where the block that is not closed began.
  std::string blockFile;
  int32_t blockLine = 0;
  int32_t blockColumn = 0;
};

}  // namespace ordex
