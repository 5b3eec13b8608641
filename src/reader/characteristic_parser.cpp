// The CHARACTERISTIC block: nine positional arguments, then optional items and the
// sub-blocks AXIS_DESCR, ANNOTATION, IF_DATA and FUNCTION_LIST in any order.
#include "model/keyword_lists.h"
#include "model/project.h"
#include "reader/block_parser.h"
#include "reader/object_head_reader.h"
#include "reader/sub_block_readers.h"
#include "reader/token_helpers.h"

namespace ordex {

namespace {

class CharacteristicParser final : public BlockParser {
 public:
  void onToken(ParseContext& ctx) override;

 private:
  void start(ParseContext& ctx);
  void positional(ParseContext& ctx, int32_t step);
  bool subBlockBoundary(ParseContext& ctx);
  void axisToken(ParseContext& ctx);
  bool optionalItem(ParseContext& ctx);

  TCharacteristic_Intern* cha_ = nullptr;
  TAxisDescr_Intern* axis_ = nullptr;
  int32_t axisCount_ = 0;
  bool axisOpen_ = false;
  bool functionListOpen_ = false;
  bool plainFunctionList_ = false;
  AnnotationReader annotation_;
  AnnotationReader axisAnnotation_;
  IfDataReader ifData_;
  IfDataShortForm ifDataShort_;
};

void CharacteristicParser::start(ParseContext& ctx) {
  axis_ = nullptr;
  axisCount_ = 0;
  axisOpen_ = false;
  functionListOpen_ = false;
  plainFunctionList_ = false;
  annotation_.stop();
  axisAnnotation_.stop();
  ifData_.stop();
  ifDataShort_.stop();

  TModule_Intern& module = *ctx.currentModule;
  auto record = newObject<TCharacteristic_Intern>(ctx);
  // The module's defaults in force when the block starts.
  record->ByteOrder = module.ModCommon.ByteOrder;
  record->Axes.DefaultDepositMode = module.ModCommon.DepositMode;
  cha_ = module.Characteristics.append(std::move(record));
}

void CharacteristicParser::onToken(ParseContext& ctx) {
  int32_t step = ctx.step[2]++;
  if (step == 0) return start(ctx);
  if (!cha_) return;
  if (step <= 9) return positional(ctx, step);

  if (subBlockBoundary(ctx)) return;
  // An IF_DATA body takes its tokens before an open axis or annotation does: an IF_DATA
  // block written inside an AXIS_DESCR must not overwrite the axis's positional values.
  if (ifData_.isOpen()) return ifData_.onToken(ctx, cha_->IfData, &ctx.objectPath()[3]);
  if (annotation_.isOpen() && !axisOpen_) {
    return annotation_.onToken(ctx, ctx.step[4], &ctx.currentModule->MaxAnnotationTextSize);
  }
  if (axisOpen_) return axisToken(ctx);
  if (ifDataShort_.isRunning()) return ifDataShort_.onToken(ctx, cha_->IfData);
  if (functionListOpen_) return readFunctionListToken(ctx, *cha_);
  if (optionalItem(ctx)) return;
  if (plainFunctionList_) addFunctionListName(ctx, *cha_);
}

void CharacteristicParser::positional(ParseContext& ctx, int32_t step) {
  Token& cur = ctx.tok(0);
  TCharacteristic_Intern& c = *cha_;
  switch (step) {
    case 1:
      readObjectName(ctx, ctx.currentModule->Characteristics, cha_);
      break;
    case 2:
      c.LongIdentifier.assign(stripQuotes(cur));
      break;
    case 3:
      c.Type =
          findKeeping(keywords::kCharacteristicType, cur.view(), c.Kept, kKeptCharacteristicType);
      break;
    case 4:
      c.Address = parseHexULong(cur.view());
      break;
    case 5:
      c.Deposit.assign(cur.view());
      break;
    case 6:
      c.MaxDiff = readNumberText(cur.view());
      break;
    case 7:
      c.Conversion.assign(cur.view());
      break;
    case 8:
      c.LowerLimit = readNumberText(cur.view());
      break;
    case 9:
      c.UpperLimit = readNumberText(cur.view());
      break;
  }
}

// "/begin" or "/end" of ANNOTATION, AXIS_DESCR, IF_DATA or FUNCTION_LIST. Any "/begin" or
// "/end" ends a plain FUNCTION_LIST.
bool CharacteristicParser::subBlockBoundary(ParseContext& ctx) {
  if (!ctx.atBegin && !ctx.atEnd) return false;
  plainFunctionList_ = false;
  const Token& next = ctx.tok(1);
  if (next.is("ANNOTATION")) {
    if (axisOpen_) {
      axisToken(ctx);
    } else if (ctx.atBegin) {
      annotation_.start(cha_->Annotations.append(std::make_unique<TAnnotation_Intern>()));
      beginSubBlock(ctx, "ANNOTATION");
    } else {
      annotation_.stop();
      endSubBlock(ctx);
    }
    return true;
  }
  if (next.is("AXIS_DESCR")) {
    // The next axis starts without an annotation open.
    axisAnnotation_.stop();
    axis_ = nullptr;
    axisOpen_ = ctx.atBegin;
    if (ctx.atBegin) {
      beginSubBlock(ctx, "AXIS_DESCR");
    } else {
      ++axisCount_;
      endSubBlock(ctx);
    }
    return true;
  }
  return ifDataOrFunctionListBoundary(ctx, ifData_, functionListOpen_);
}

void CharacteristicParser::axisToken(ParseContext& ctx) {
  if (axisCount_ >= TCharacteristic_Intern::kAxes) return;  // a fourth axis is not stored
  int32_t counter = ctx.step[3]++;
  if (counter == 0) {
    axis_ = &cha_->Axes.at(axisCount_);
    return;
  }
  if (!axis_) return;
  TAxisDescr_Intern& a = *axis_;
  Token& cur = ctx.tok(0);
  switch (counter) {
    case 1:
      a.Attribute = findKeeping(keywords::kAxisAttribute, cur.view(), a.Kept, kKeptAxisAttribute);
      return;
    case 2:
      a.InputQuantity.assign(cur.view());
      return;
    case 3:
      a.Conversion.assign(cur.view());
      return;
    case 4:
      a.MaxAxisPoints = static_cast<int16_t>(parseLong(cur.view()));
      return;
    case 5:
      a.LowerLimit = readNumberText(cur.view());
      return;
    case 6:
      a.UpperLimit = readNumberText(cur.view());
      return;
  }
  if ((ctx.atBegin || ctx.atEnd) && ctx.tok(1).is("ANNOTATION")) {
    if (ctx.atBegin) {
      axisAnnotation_.start(a.Annotations.append(std::make_unique<TAnnotation_Intern>()));
    } else {
      axisAnnotation_.stop();
      ctx.skipNextToken = true;
    }
    return;
  }
  if (axisAnnotation_.isOpen()) {
    return axisAnnotation_.onToken(ctx, ctx.step[5], &ctx.currentModule->MaxAnnotationTextSize);
  }
  std::string_view w = cur.view();
  if (w == "AXIS_PTS_REF") {
    a.AxisPtsRef.assign(ctx.tok(1).view());
  } else if (w == "READ_ONLY") {
    a.ReadOnly = true;
  } else if (w == "FORMAT") {
    a.Format.assign(stripQuotes(ctx.tok(1)));
  } else if (w == "EXTENDED_LIMITS") {
    a.ExtendedLimitsLower = readNumberText(ctx.tok(1).view());
    a.ExtendedLimitsUpper = readNumberText(ctx.tok(2).view());
  } else if (w == "FIX_AXIS_PAR" || w == "FIX_AXIS_PAR_DIST") {
    a.AxisPointsMode = w == "FIX_AXIS_PAR" ? 1 : 2;
    a.FixAxisParOffset = parseLong(ctx.tok(1).view());
    a.FixAxisParShift = parseLong(ctx.tok(2).view());
    a.FixAxisParNumberapo = parseLong(ctx.tok(3).view());
  } else if (w == "DEPOSIT") {
    if (a.AxisPointsMode == -1) a.AxisPointsMode = 0;
    a.DepositMode = findKeeping(keywords::kDeposit, ctx.tok(1).view(), a.Kept, kKeptDepositMode);
  }
}

// The items with values, taken from the look-ahead tokens; each ends a plain FUNCTION_LIST.
// The value tokens come back later as current tokens and are then ignored.
bool CharacteristicParser::optionalItem(ParseContext& ctx) {
  TCharacteristic_Intern& c = *cha_;
  std::string_view w = ctx.tok(0).view();
  if (w == "FORMAT") {
    c.Format.assign(stripQuotes(ctx.tok(1)));
  } else if (w == "BYTE_ORDER") {
    c.ByteOrder = findKeeping(keywords::kByteOrder, ctx.tok(1).view(), c.Kept, kKeptByteOrder);
  } else if (w == "BIT_MASK") {
    c.BitMask = parseHexULong(ctx.tok(1).view());
  } else if (w == "NUMBER") {
    c.Number = static_cast<int16_t>(parseLong(ctx.tok(1).view()));
  } else if (w == "EXTENDED_LIMITS") {
    c.ExtendedLimitsLower = readNumberText(ctx.tok(1).view());
    c.ExtendedLimitsUpper = readNumberText(ctx.tok(2).view());
  } else if (w == "MAX_REFRESH") {
    c.MaxRefreshScalingUnit = parseLong(ctx.tok(1).view());
    c.MaxRefreshRate = leadingDecimal(ctx.tok(2).view());
  } else if (w == "READ_ONLY") {
    c.ReadOnly = true;
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

std::unique_ptr<BlockParser> makeCharacteristicParser() {
  return std::make_unique<CharacteristicParser>();
}

}  // namespace ordex
