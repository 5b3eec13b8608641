// What a block parser sees while the reader runs: the token window, the position counters,
// the module being filled and the error-report paths.
#pragma once

#include <cstdint>
#include <string>

#include "model/instance.h"
#include "reader/token.h"

namespace ordex {

// The current token and the three tokens that follow it in the input.
class TokenWindow {
 public:
  // k = 0 is the current token, 1..3 look ahead.
  Token& at(int k) { return slots_[(current_ + k) & 3]; }
  const Token& at(int k) const { return slots_[(current_ + k) & 3]; }
  // The buffer to read the next token into: the oldest one, which holds the current token.
  Token& oldest() { return slots_[current_]; }
  // After a token was read into oldest(): the next token becomes current.
  void rotate() { current_ = (current_ + 1) & 3; }
  void clear() {
    for (Token& t : slots_) t.clear();
    current_ = 0;
  }

 private:
  Token slots_[4];
  int current_ = 0;
};

struct ParseContext {
  explicit ParseContext(TOrdex& inst) : instance(inst) {}

  TOrdex& instance;
  TokenWindow window;
  // Position counters inside the open blocks: [0] PROJECT, [1] HEADER and MODULE, [2] the
  // object block (0 while the current token is its keyword); [3]..[5] belong to the block
  // parsers for their sub-blocks.
  int32_t step[6] = {0, 0, 0, 0, 0, 0};
  TModule_Intern* currentModule = nullptr;
  bool atBegin = false;        // the current token is "/begin"
  bool atEnd = false;          // the current token is "/end"
  bool skipNextToken = false;  // the next token is not examined

  Token& tok(int k = 0) { return window.at(k); }
  std::string* objectPath() { return instance.ObjectPath; }
  std::string& lastParsedObject() { return instance.LastParsedObject; }
};

}  // namespace ordex
