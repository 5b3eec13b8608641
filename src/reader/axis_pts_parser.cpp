// The AXIS_PTS block: ten positional arguments, then optional items and the sub-blocks
// ANNOTATION, IF_DATA and FUNCTION_LIST.
#include "model/keyword_lists.h"
#include "model/project.h"
#include "reader/block_parser.h"
#include "reader/object_head_reader.h"
#include "reader/sub_block_readers.h"
#include "reader/token_helpers.h"

namespace ordex {

namespace {

class AxisPtsParser final : public BlockParser {
 public:
  void onToken(ParseContext& ctx) override;

 private:
  void start(ParseContext& ctx);
  void positional(ParseContext& ctx, int32_t step);
  bool subBlockBoundary(ParseContext& ctx);
  bool optionalItem(ParseContext& ctx);

  // Unlike CHARACTERISTIC, a new block does not reset the sub-block state: each sub-block
  // clears its own at its "/end".
  TAxisPts_Intern* axisPts_ = nullptr;
  bool functionListOpen_ = false;
  bool plainFunctionList_ = false;
  AnnotationReader annotation_;
  IfDataReader ifData_;
  IfDataShortForm ifDataShort_;
};

void AxisPtsParser::start(ParseContext& ctx) {
  TModule_Intern& module = *ctx.currentModule;
  auto record = newObject<TAxisPts_Intern>(ctx);
  record->DepositMode = module.ModCommon.DepositMode;
  record->ByteOrder = module.ModCommon.ByteOrder;
  axisPts_ = module.AxisPts.append(std::move(record));
}

void AxisPtsParser::onToken(ParseContext& ctx) {
  int32_t step = ctx.step[2]++;
  if (step == 0) return start(ctx);
  if (!axisPts_) return;
  if (step <= 10) return positional(ctx, step);

  if (subBlockBoundary(ctx)) return;
  // AXIS_PTS annotations do not raise the module's MaxAnnotationTextSize.
  if (annotation_.isOpen()) return annotation_.onToken(ctx, ctx.step[4], nullptr);
  if (ifData_.isOpen()) return ifData_.onToken(ctx, axisPts_->IfData, nullptr);
  if (ifDataShort_.isRunning()) return ifDataShort_.onToken(ctx, axisPts_->IfData);
  if (functionListOpen_) return readFunctionListToken(ctx, *axisPts_);
  if (optionalItem(ctx)) return;
  if (plainFunctionList_) addFunctionListName(ctx, *axisPts_);
}

void AxisPtsParser::positional(ParseContext& ctx, int32_t step) {
  Token& cur = ctx.tok(0);
  TAxisPts_Intern& a = *axisPts_;
  switch (step) {
    case 1:
      readObjectName(ctx, ctx.currentModule->AxisPts, axisPts_);
      break;
    case 2:
      a.LongIdentifier.assign(stripQuotes(cur));
      break;
    case 3:
      a.Address = parseHexULong(cur.view());
      break;
    case 4:
      a.InputQuantity.assign(cur.view());
      break;
    case 5:
      a.Deposit.assign(cur.view());
      break;
    case 6:
      a.MaxDiff = readNumberText(cur.view());
      break;
    case 7:
      a.Conversion.assign(cur.view());
      break;
    case 8:
      a.MaxAxisPoints = static_cast<int16_t>(parseLong(cur.view()));
      break;
    case 9:
      a.LowerLimit = readNumberText(cur.view());
      break;
    case 10:
      a.UpperLimit = readNumberText(cur.view());
      break;
  }
}

// "/begin" or "/end" of ANNOTATION, IF_DATA or FUNCTION_LIST. Any "/begin" or "/end" ends a
// plain FUNCTION_LIST.
bool AxisPtsParser::subBlockBoundary(ParseContext& ctx) {
  if (!ctx.atBegin && !ctx.atEnd) return false;
  plainFunctionList_ = false;
  const Token& next = ctx.tok(1);
  if (next.is("ANNOTATION")) {
    if (ctx.atBegin) {
      annotation_.start(axisPts_->Annotations.append(std::make_unique<TAnnotation_Intern>()));
      beginSubBlock(ctx, "ANNOTATION");
    } else {
      annotation_.stop();
      endSubBlock(ctx);
    }
    return true;
  }
  return ifDataOrFunctionListBoundary(ctx, ifData_, functionListOpen_);
}

// The items with values, taken from the look-ahead tokens; each ends a plain FUNCTION_LIST.
bool AxisPtsParser::optionalItem(ParseContext& ctx) {
  TAxisPts_Intern& a = *axisPts_;
  std::string_view w = ctx.tok(0).view();
  if (w == "READ_ONLY") {
    a.ReadOnly = true;
  } else if (w == "FORMAT") {
    a.Format.assign(stripQuotes(ctx.tok(1)));
  } else if (w == "DEPOSIT") {
    a.DepositMode = findKeeping(keywords::kDeposit, ctx.tok(1).view(), a.Kept, kKeptDepositMode);
  } else if (w == "BYTE_ORDER") {
    a.ByteOrder = findKeeping(keywords::kByteOrder, ctx.tok(1).view(), a.Kept, kKeptByteOrder);
  } else if (w == "IF_DATA") {
    if (ctx.tok(1).is("DIM") || ctx.tok(1).is("DIM_X")) ifDataShort_.start(2);
  } else if (w == "FUNCTION_LIST") {
    plainFunctionList_ = true;
    return true;
  } else {
    return false;
  }
  plainFunctionList_ = false;
  return true;
}

}  // namespace

std::unique_ptr<BlockParser> makeAxisPtsParser() {
  return std::make_unique<AxisPtsParser>();
}

}  // namespace ordex
