// The blocks and keywords of the ASAP2 standard up to 1.7.1, with what the kept-block scan
// needs to know of each: whether it is a block or a keyword, whether its first argument
// names it, and how its body reads.
#pragma once

#include <string_view>

namespace ordex {

enum class BodyForm : unsigned char {
  kStructured,  // arguments, then keywords with their arguments and nested blocks
  kNames,       // a list of tokens (names, numbers): a token is never taken as a keyword
  kOpaque,      // text of another grammar (A2ML, IF_DATA): tokens as they stand, nested
                // blocks as children
};

struct Asap2Keyword {
  std::string_view name;
  bool block;  // written as "/begin NAME ... /end NAME"
  bool named;  // the first argument is the name of what it describes
  BodyForm form;
};

// The entry of a token, compared exactly; null for a token that is no keyword of the
// standard.
const Asap2Keyword* findAsap2Keyword(std::string_view token);

// Upper-case letters, digits and underscores, at least six, starting with a letter: the
// form of the standard's keywords, and rare for a name that is close to one.
bool keywordShaped(std::string_view token);

// The keyword of the standard closest to token within two edits (the first of the table
// among equally close ones), or empty when none is that close.
std::string_view nearestAsap2Keyword(std::string_view token);

}  // namespace ordex
