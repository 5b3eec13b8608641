// The VARIANT_CODING block: VAR_SEPARATOR, VAR_NAMING and the sub-blocks VAR_CHARACTERISTIC
// (with VAR_ADDRESS), VAR_CRITERION and VAR_FORBIDDEN_COMB. The block itself makes no
// record; its sub-blocks append to the module's three variant-coding lists.
#include <string>

#include "model/keyword_lists.h"
#include "model/project.h"
#include "reader/block_parser.h"
#include "reader/object_head_reader.h"
#include "reader/sub_block_readers.h"
#include "reader/token_helpers.h"

namespace ordex {

namespace {

const KeywordList kVarNaming{"DUMMY", "NUMERIC"};

enum class SubBlock { kNone, kCharacteristic, kCriterion, kForbiddenComb };

SubBlock subBlockOf(std::string_view keyword) {
  if (keyword == "VAR_CHARACTERISTIC") return SubBlock::kCharacteristic;
  if (keyword == "VAR_CRITERION") return SubBlock::kCriterion;
  if (keyword == "VAR_FORBIDDEN_COMB") return SubBlock::kForbiddenComb;
  return SubBlock::kNone;
}

void appendText(VarNameList& list, std::string_view text) {
  auto entry = std::make_unique<TVarName>();
  entry->Text.assign(text);
  list.append(std::move(entry));
}

// Created once per read, so the numbering of forbidden combinations restarts at every read.
class VariantCodingParser final : public BlockParser {
 public:
  void onToken(ParseContext& ctx) override;

 private:
  void characteristicToken(ParseContext& ctx, int32_t k);
  void criterionToken(ParseContext& ctx, int32_t k);
  void forbiddenCombToken(ParseContext& ctx, int32_t k);

  SubBlock open_ = SubBlock::kNone;
  bool addressOpen_ = false;
  TVarCharacteristic_Intern* characteristic_ = nullptr;
  TVarCriterion_Intern* criterion_ = nullptr;
  TVarForbiddenComb_Intern* comb_ = nullptr;
  TVarCombPair* pair_ = nullptr;
  uint32_t combsRead_ = 0;
};

void VariantCodingParser::onToken(ParseContext& ctx) {
  if (ctx.step[2]++ == 0) {
    open_ = SubBlock::kNone;
    addressOpen_ = false;
    characteristic_ = nullptr;
    criterion_ = nullptr;
    comb_ = nullptr;
    pair_ = nullptr;
    return;
  }
  std::string_view next = ctx.tok(1).view();
  if (ctx.atBegin || ctx.atEnd) {
    SubBlock kind = subBlockOf(next);
    if (kind != SubBlock::kNone) {
      if (ctx.atBegin) {
        open_ = kind;
        addressOpen_ = false;
        beginSubBlock(ctx, next);
      } else {
        if (open_ == kind) open_ = SubBlock::kNone;
        endSubBlock(ctx);
      }
      return;
    }
  }
  switch (open_) {
    case SubBlock::kCharacteristic:
      return characteristicToken(ctx, ctx.step[3]++);
    case SubBlock::kCriterion:
      return criterionToken(ctx, ctx.step[3]++);
    case SubBlock::kForbiddenComb:
      return forbiddenCombToken(ctx, ctx.step[3]++);
    case SubBlock::kNone:
      break;
  }
  Token& cur = ctx.tok(0);
  if (cur.is("VAR_SEPARATOR")) {
    ctx.currentModule->VarSeparator.assign(next);
  } else if (cur.is("VAR_NAMING")) {
    ctx.currentModule->VarNaming = kVarNaming.find(next);
  }
}

void VariantCodingParser::characteristicToken(ParseContext& ctx, int32_t k) {
  TModule_Intern& module = *ctx.currentModule;
  if (k == 0) {
    characteristic_ = module.VarCharacteristics.append(newObject<TVarCharacteristic_Intern>(ctx));
    return;
  }
  if (!characteristic_) return;
  std::string_view token = ctx.tok(0).view();
  if (k == 1) {
    readObjectName(ctx, module.VarCharacteristics, characteristic_, 3);
    return;
  }
  if ((ctx.atBegin || ctx.atEnd) && ctx.tok(1).is("VAR_ADDRESS")) {
    addressOpen_ = ctx.atBegin;
    ctx.step[4] = 0;
    if (ctx.atEnd) ctx.skipNextToken = true;
    return;
  }
  if (addressOpen_) {
    if (ctx.step[4]++ == 0) return;  // the VAR_ADDRESS keyword
    appendText(characteristic_->Addresses, token);
    return;
  }
  appendText(characteristic_->Criteria, token);
}

void VariantCodingParser::criterionToken(ParseContext& ctx, int32_t k) {
  TModule_Intern& module = *ctx.currentModule;
  if (k == 0) {
    criterion_ = module.VarCriterions.append(newObject<TVarCriterion_Intern>(ctx));
    return;
  }
  if (!criterion_) return;
  Token& cur = ctx.tok(0);
  if (k == 1) {
    readObjectName(ctx, module.VarCriterions, criterion_, 3);
    return;
  }
  if (k == 2) {
    criterion_->LongIdentifier.assign(stripQuotes(cur));
    return;
  }
  // The argument of these two keywords is taken here and not examined again.
  if (cur.is("VAR_MEASUREMENT")) {
    criterion_->VarMeasurement.assign(ctx.tok(1).view());
    ctx.skipNextToken = true;
  } else if (cur.is("VAR_SELECTION_CHARACTERISTIC")) {
    criterion_->VarSelectionCharacteristic.assign(ctx.tok(1).view());
    ctx.skipNextToken = true;
  } else {
    appendText(criterion_->Values, cur.view());
  }
}

void VariantCodingParser::forbiddenCombToken(ParseContext& ctx, int32_t k) {
  TModule_Intern& module = *ctx.currentModule;
  if (k == 0) {
    auto comb = newObject<TVarForbiddenComb_Intern>(ctx);
    comb->Name = "#" + std::to_string(++combsRead_);
    comb_ = module.VarForbiddenCombs.append(std::move(comb));
    pair_ = nullptr;
    return;
  }
  if (!comb_) return;
  std::string_view token = ctx.tok(0).view();
  if (k == 1) {
    pair_ = comb_->Pairs.append(std::make_unique<TVarCombPair>());
    pair_->Criterion.assign(token);
    return;
  }
  pair_->Value.assign(token);
  ctx.step[3] = 1;  // the next token starts the next pair
}

}  // namespace

std::unique_ptr<BlockParser> makeVariantCodingParser() {
  return std::make_unique<VariantCodingParser>();
}

}  // namespace ordex
