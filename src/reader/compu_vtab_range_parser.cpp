// COMPU_VTAB_RANGE: name, long identifier and triple count by position, then triples of
// lower bound, upper bound and text, and DEFAULT_VALUE.
#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "model/project.h"
#include "reader/block_parser.h"
#include "reader/object_head_reader.h"
#include "reader/token_helpers.h"

namespace ordex {

namespace {

// A bound as read. Files read before this block was known read whatever its bounds held:
// one that is no number keeps its text with a NaN value, which no raw value falls within.
NumberText bound(std::string_view token) {
  NumberText n;
  n.Text = token;
  try {
    n.Value = parseDouble(token);
  } catch (ReturnCode) {
    n.Value = std::numeric_limits<double>::quiet_NaN();
  }
  return n;
}

class CompuVTabRangeParser : public BlockParser {
 public:
  void onToken(ParseContext& ctx) override;

 private:
  TCompuVTabRange_Intern* table_ = nullptr;
  int64_t tripleTokens_ = 0;  // triple tokens seen since the count
  bool defaultPending_ = false;
};

void CompuVTabRangeParser::onToken(ParseContext& ctx) {
  const int32_t step = ctx.step[2]++;
  Token& cur = ctx.tok(0);
  switch (step) {
    case 0:
      table_ = ctx.currentModule->CompuVTabRanges.append(newObject<TCompuVTabRange_Intern>(ctx));
      tripleTokens_ = 0;
      defaultPending_ = false;
      return;
    case 1:
      readObjectName(ctx, ctx.currentModule->CompuVTabRanges, table_);
      return;
    case 2:
      table_->LongIdentifier = stripQuotes(cur);
      return;
    case 3:
      // Kept as declared; the ranges are made as they arrive.
      try {
        table_->NumberValueTriples = parseLong(cur.view());
      } catch (ReturnCode) {
        table_->NumberValueTriples = 0;
      }
      return;
    default:
      break;
  }
  if (defaultPending_) {
    // The default's text, taken already from the look-ahead.
    defaultPending_ = false;
    return;
  }
  if (cur.is("DEFAULT_VALUE")) {
    table_->DefaultValue = stripQuotesView(ctx.tok(1).view());
    defaultPending_ = true;
    return;
  }
  if (tripleTokens_ / 3 >= table_->NumberValueTriples) return;
  switch (tripleTokens_++ % 3) {
    case 0:
      table_->Ranges.emplace_back();
      table_->Ranges.back().InValMin = bound(cur.view());
      break;
    case 1:
      table_->Ranges.back().InValMax = bound(cur.view());
      break;
    default:
      table_->Ranges.back().OutText = stripQuotesView(cur.view());
      break;
  }
}

}  // namespace

std::unique_ptr<BlockParser> makeCompuVTabRangeParser() {
  return std::make_unique<CompuVTabRangeParser>();
}

}  // namespace ordex
