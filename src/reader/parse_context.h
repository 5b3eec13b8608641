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

class IfDataContent;
class AnnotationReader;

// Takes the rest of a body that is kept verbatim straight from the input buffer, instead of
// token by token through the window, for as long as its tokens are ordinary ones.
class BulkBodyReader {
 public:
  virtual ~BulkBodyReader() = default;
  // Called by the reader of an IF_DATA body once it has handled the current token. Every
  // following token that is neither a "/begin" or "/end" of a block or sub-block the reader
  // knows, nor the "/end" that closes none of the body's blocks, becomes current in turn and
  // goes to content, with all that examining it would do (block nesting, progress, line
  // numbers); the first other one is left in the window as the next token. Returns how many
  // tokens went to content (0 when the input does not allow the pass).
  virtual int32_t takeIfDataBody(IfDataContent& content) = 0;
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
  BulkBodyReader* bulk = nullptr;
  // The annotation reader inside an ANNOTATION_TEXT, if any.
  AnnotationReader* openAnnotationText = nullptr;

  Token& tok(int k = 0) { return window.at(k); }
  std::string* objectPath() { return instance.ObjectPath; }
  std::string& lastParsedObject() { return instance.LastParsedObject; }
};

}  // namespace ordex
