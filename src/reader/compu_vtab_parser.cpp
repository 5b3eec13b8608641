// COMPU_VTAB: name, long identifier, table type and pair count by position, then pair tokens
// and DEFAULT_VALUE.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

#include "model/keyword_lists.h"
#include "model/project.h"
#include "reader/block_parser.h"
#include "reader/object_head_reader.h"
#include "reader/token_helpers.h"

namespace ordex {

namespace {
constexpr int64_t kReservedPairs = 256;

// An input value: an integer as parseLong takes it, or a decimal number, as files of later
// versions write them. An integral one (1.0) is taken as that integer; one with a fraction
// (1.1) is rounded half up, as conversions round raw values, and its token is kept for the
// writers. What is no number, or lies outside the 32-bit range, raises rcBadNumber.
void readInput(std::string_view token, TCompuVTabPair_Intern& pair) {
  try {
    pair.InVal = parseIntegralLong(token);
    return;
  } catch (ReturnCode) {
  }
  const double rounded = std::floor(parseDouble(token) + 0.5);
  if (!(rounded >= INT32_MIN && rounded <= INT32_MAX)) throw ReturnCode::BadNumber;
  pair.InVal = static_cast<int32_t>(rounded);
  pair.InText = token;
}

class CompuVTabParser : public BlockParser {
 public:
  void onToken(ParseContext& ctx) override;

 private:
  TCompuVTab_Intern* vtab_ = nullptr;
  int32_t declared_ = 0;    // the pair count as written
  int64_t pairTokens_ = 0;  // pair tokens seen since the count
};

void CompuVTabParser::onToken(ParseContext& ctx) {
  const int32_t step = ctx.step[2]++;
  Token& cur = ctx.tok(0);
  switch (step) {
    case 0:
      vtab_ = ctx.currentModule->CompuVTabs.append(newObject<TCompuVTab_Intern>(ctx));
      declared_ = 0;
      pairTokens_ = 0;
      return;
    case 1:
      readObjectName(ctx, ctx.currentModule->CompuVTabs, vtab_);
      return;
    case 2:
      vtab_->LongIdentifier = stripQuotes(cur);
      return;
    case 3:
      vtab_->ConversionType =
          findKeeping(keywords::kVerbalType, cur.view(), vtab_->Kept, kKeptConversionType);
      return;
    case 4:
      // The count bounds the pair tokens taken; pairs are made as they arrive, so a count
      // without pairs behind it allocates nothing. A count of 1 or more is stored as the
      // number of pairs the file holds (see below); a count below 1 is kept as declared.
      declared_ = parseLong(cur.view());
      vtab_->DeclaredPairs = declared_;
      vtab_->NumberValuePairs = declared_ < 1 ? declared_ : 0;
      vtab_->Pairs.clear();
      pairTokens_ = 0;
      return;
    default:
      break;
  }
  if (cur.is("DEFAULT_VALUE")) {
    // The value token is unquoted in the look-ahead buffer itself; when it becomes current
    // it still counts as a pair token (ignored after a complete set of pairs).
    vtab_->DefaultValue = stripQuotes(ctx.tok(1));
    return;
  }
  if (pairTokens_ / 2 >= declared_) return;
  if (pairTokens_++ % 2 == 0) {
    // Room for the declared pairs at the first one (bounded: the count may be wrong), so
    // that a table takes one block instead of a series of growing ones.
    if (vtab_->Pairs.empty())
      vtab_->Pairs.reserve(std::clamp<int64_t>(declared_, 1, kReservedPairs));
    TCompuVTabPair_Intern pair;
    readInput(cur.view(), pair);
    vtab_->Pairs.push_back(std::move(pair));
  } else {
    vtab_->Pairs.back().OutText = stripQuotes(cur);
  }
  // A table that declares more pairs than it carries reports the pairs it has: a host sizes
  // its array for the large-table getter by this count (a declared 2147483647 would ask it
  // for gigabytes), and the writer writes as many pair lines as the count says.
  vtab_->NumberValuePairs = static_cast<int32_t>(vtab_->Pairs.size());
}

}  // namespace

std::unique_ptr<BlockParser> makeCompuVTabParser() {
  return std::make_unique<CompuVTabParser>();
}

}  // namespace ordex
