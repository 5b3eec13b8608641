// Editing the text of one element of a file so that it says what the element says now,
// while changing as little of that text as possible: the layout, the comments and whatever
// the model does not hold stay as they were.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ordex {

// A token of A2L text, as the reader splits it: a word, or a quoted string with its
// escapes; blanks and comments separate tokens and belong to none.
struct TextToken {
  uint32_t begin;
  uint32_t end;
};
void splitTokens(std::string_view text, std::vector<TextToken>& out);

// The indentation one nesting level adds in a text whose first line is indented by
// firstIndent: the first growth of the leading blanks from one line to the next; without
// one, a tab where the text indents with tabs, else two blanks.
std::string indentUnit(std::string_view text, std::string_view firstIndent);

enum class MergeResult {
  kUnchanged,  // before and after say the same: out is source
  kPatched,    // out is source with the changed tokens replaced, removed or inserted
  kRewritten,  // out is after, with what source held beyond before carried over
};

// The new text of an element. `source` is the element as it stands in the file, its first
// line indented by `firstIndent`; `before` and `after` are the element in the writer's
// layout before and after the edits. Tokens that changed from before to after are replaced,
// removed or inserted in source, in its own layout. When a change cannot be placed so, or
// when `rewrite` is set, out is `after` with every token and comment of source that before
// lacks (what the model does not hold) carried over next to its neighbours.
MergeResult mergeElementText(std::string_view source, std::string_view firstIndent,
                             std::string_view before, std::string_view after, bool rewrite,
                             std::string& out);

}  // namespace ordex
