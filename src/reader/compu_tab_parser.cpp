// COMPU_TAB: name, long identifier, table type and pair count by position, then pair tokens
// and DEFAULT_VALUE.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "model/keyword_lists.h"
#include "model/project.h"
#include "reader/block_parser.h"
#include "reader/object_head_reader.h"
#include "reader/sub_block_readers.h"
#include "reader/token_helpers.h"

namespace ordex {

namespace {

class CompuTabParser : public BlockParser {
 public:
  void onToken(ParseContext& ctx) override;

 private:
  TCompuTab_Intern* tab_ = nullptr;
  int64_t pairTokens_ = 0;  // pair tokens seen since the count
};

void CompuTabParser::onToken(ParseContext& ctx) {
  const int32_t step = ctx.step[2]++;
  Token& cur = ctx.tok(0);
  switch (step) {
    case 0:
      tab_ = ctx.currentModule->CompuTabs.append(newObject<TCompuTab_Intern>(ctx));
      pairTokens_ = 0;
      return;
    case 1:
      readObjectName(ctx, ctx.currentModule->CompuTabs, tab_);
      return;
    case 2:
      tab_->LongIdentifier = stripQuotes(cur);
      return;
    case 3:
      tab_->ConversionType =
          findKeeping(keywords::kTableType, cur.view(), tab_->Kept, kKeptConversionType);
      return;
    case 4: {
      // A larger declared count is kept as the number of pairs a table can hold.
      int32_t declared = parseLong(cur.view());
      tab_->NumberValuePairs =
          declared > TCompuTab_Intern::kMaxPairs ? TCompuTab_Intern::kMaxPairs : declared;
      pairTokens_ = 0;
      return;
    }
    default:
      break;
  }
  if (cur.is("DEFAULT_VALUE")) {
    // The value token is unquoted in the look-ahead buffer itself; when it becomes current
    // it is taken as a pair token like any other.
    tab_->DefaultValue = stripQuotes(ctx.tok(1));
    return;
  }
  // Pair tokens fill the slots in order whatever the count says; slots are made as tokens
  // arrive, never from the declared count.
  const int64_t slot = pairTokens_ / 2;
  const bool isInput = (pairTokens_ % 2) == 0;
  ++pairTokens_;
  if (slot >= TCompuTab_Intern::kMaxPairs) return;
  if (tab_->Pairs.empty()) {
    // Room for the declared pairs at the first one, so that a table takes one block
    // instead of a series of growing ones.
    tab_->Pairs.reserve(std::max(1, tab_->usedPairs()));
  }
  if (static_cast<size_t>(slot) >= tab_->Pairs.size()) tab_->Pairs.resize(slot + 1);
  TCompuTabPair_Intern& pair = tab_->Pairs[slot];
  if (isInput) {
    // "1.9" gives 1; no digits give 0 and nothing is an error.
    pair.InVal = leadingDecimal(cur.view());
  } else {
    pair.Out.Text = cur.view();
    pair.Out.Value = parseDouble(cur.view());
  }
}

}  // namespace

std::unique_ptr<BlockParser> makeCompuTabParser() {
  return std::make_unique<CompuTabParser>();
}

}  // namespace ordex
