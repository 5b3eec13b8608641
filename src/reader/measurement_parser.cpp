// The MEASUREMENT block: eight positional arguments, then optional items and the
// sub-blocks ANNOTATION, IF_DATA, FUNCTION_LIST and VIRTUAL.
#include "model/keyword_lists.h"
#include "model/project.h"
#include "reader/block_parser.h"
#include "reader/object_head_reader.h"
#include "reader/sub_block_readers.h"
#include "reader/token_helpers.h"

namespace ordex {

namespace {

enum class SubBlock { kNone, kAnnotation, kIfData, kFunctionList, kVirtual };

class MeasurementParser final : public BlockParser {
 public:
  void onToken(ParseContext& ctx) override;

 private:
  void start(ParseContext& ctx);
  void positional(ParseContext& ctx, int32_t step);
  bool subBlockBoundary(ParseContext& ctx);
  void subBlockToken(ParseContext& ctx);
  bool optionalItem(ParseContext& ctx);

  TMeasurement_Intern* meas_ = nullptr;
  SubBlock open_ = SubBlock::kNone;
  bool plainFunctionList_ = false;
  AnnotationReader annotation_;
  IfDataReader ifData_;
  IfDataShortForm ifDataShort_;
};

// A limit whose second character is x or X is kept as its hexadecimal number only.
void readLimit(std::string_view token, NumberText& limit, uint32_t& hexValue, bool& isHex) {
  if (token.size() >= 2 && (token[1] == 'x' || token[1] == 'X')) {
    hexValue = parseHexULong(token);
    isHex = true;
    limit = NumberText();
    return;
  }
  limit = readNumberText(token);
  hexValue = 0xFFFFFFFFu;
  isHex = false;
}

void MeasurementParser::start(ParseContext& ctx) {
  open_ = SubBlock::kNone;
  plainFunctionList_ = false;
  annotation_.stop();
  ifData_.stop();
  ifDataShort_.stop();
  TModule_Intern& module = *ctx.currentModule;
  auto record = newObject<TMeasurement_Intern>(ctx);
  record->ByteOrder = module.ModCommon.ByteOrder;
  meas_ = module.Measurements.append(std::move(record));
}

void MeasurementParser::onToken(ParseContext& ctx) {
  int32_t step = ctx.step[2]++;
  if (step == 0) return start(ctx);
  if (!meas_) return;
  if (step <= 8) return positional(ctx, step);

  if (subBlockBoundary(ctx)) return;
  if (open_ != SubBlock::kNone) return subBlockToken(ctx);
  if (ifDataShort_.isRunning()) return ifDataShort_.onToken(ctx, meas_->IfData);
  if (optionalItem(ctx)) return;
  if (plainFunctionList_) addFunctionListName(ctx, *meas_);
}

void MeasurementParser::positional(ParseContext& ctx, int32_t step) {
  Token& cur = ctx.tok(0);
  TMeasurement_Intern& m = *meas_;
  switch (step) {
    case 1:
      readObjectName(ctx, ctx.currentModule->Measurements, meas_);
      break;
    case 2:
      m.LongIdentifier.assign(stripQuotes(cur));
      break;
    case 3:
      m.DataType = findKeeping(keywords::kDataType, cur.view(), m.Kept, kKeptDataType);
      break;
    case 4:
      m.Conversion.assign(cur.view());
      break;
    case 5:
      m.Resolution = static_cast<int16_t>(parseLong(cur.view()));
      break;
    case 6:
      m.Accuracy = readNumberText(cur.view());
      break;
    case 7:
      readLimit(cur.view(), m.LowerLimit, m.LowerLimitHex, m.LowerLimitIsHex);
      break;
    case 8:
      readLimit(cur.view(), m.UpperLimit, m.UpperLimitHex, m.UpperLimitIsHex);
      break;
  }
}

// "/begin" or "/end" of ANNOTATION, IF_DATA, FUNCTION_LIST or VIRTUAL. Any "/begin" or
// "/end" ends a plain FUNCTION_LIST, as in CHARACTERISTIC and AXIS_PTS.
bool MeasurementParser::subBlockBoundary(ParseContext& ctx) {
  if (!ctx.atBegin && !ctx.atEnd) return false;
  plainFunctionList_ = false;
  std::string_view next = ctx.tok(1).view();
  SubBlock kind;
  if (next == "ANNOTATION") {
    kind = SubBlock::kAnnotation;
  } else if (next == "IF_DATA") {
    kind = SubBlock::kIfData;
  } else if (next == "FUNCTION_LIST") {
    kind = SubBlock::kFunctionList;
  } else if (next == "VIRTUAL") {
    kind = SubBlock::kVirtual;
  } else {
    return false;
  }
  if (ctx.atEnd) {
    if (kind == open_) open_ = SubBlock::kNone;
    if (kind == SubBlock::kAnnotation) annotation_.stop();
    if (kind == SubBlock::kIfData) ifData_.stop();
    endSubBlock(ctx);
    return true;
  }
  open_ = kind;
  beginSubBlock(ctx, next);
  if (kind == SubBlock::kAnnotation) {
    annotation_.start(meas_->Annotations.append(std::make_unique<TAnnotation_Intern>()));
  } else if (kind == SubBlock::kIfData) {
    ifData_.start();
  }
  return true;
}

void MeasurementParser::subBlockToken(ParseContext& ctx) {
  switch (open_) {
    case SubBlock::kAnnotation:
      return annotation_.onToken(ctx, ctx.step[4], &ctx.currentModule->MaxAnnotationTextSize);
    case SubBlock::kIfData:
      return ifData_.onToken(ctx, meas_->IfData, &ctx.objectPath()[3]);
    case SubBlock::kFunctionList:
      return readFunctionListToken(ctx, *meas_);
    case SubBlock::kVirtual:
      return readNameListToken(ctx, meas_->Virtuals);
    case SubBlock::kNone:
      return;
  }
}

// The items with values, taken from the look-ahead tokens; each ends a plain FUNCTION_LIST.
bool MeasurementParser::optionalItem(ParseContext& ctx) {
  TMeasurement_Intern& m = *meas_;
  std::string_view w = ctx.tok(0).view();
  if (w == "FORMAT") {
    m.Format.assign(stripQuotes(ctx.tok(1)));
  } else if (w == "ARRAY_SIZE") {
    m.ArraySize = leadingDecimal(ctx.tok(1).view());
  } else if (w == "BIT_MASK") {
    m.BitMask = parseHexULong(ctx.tok(1).view());
  } else if (w == "BYTE_ORDER") {
    m.ByteOrder = findKeeping(keywords::kByteOrder, ctx.tok(1).view(), m.Kept, kKeptByteOrder);
  } else if (w == "MAX_REFRESH") {
    m.MaxRefreshScalingUnit = parseLong(ctx.tok(1).view());
    m.MaxRefreshRate = leadingDecimal(ctx.tok(2).view());
  } else if (w == "ECU_ADDRESS") {
    m.EcuAddress = parseHexULong(ctx.tok(1).view());
  } else if (w == "IF_DATA") {
    const Token& next = ctx.tok(1);
    if (next.is("DIM") || next.is("DIM_X")) {
      ifDataShort_.start(3);
    } else if (next.is("SAM")) {
      ifDataShort_.start(4);
    }
  } else if (w == "FUNCTION_LIST") {
    plainFunctionList_ = true;
    return true;
  } else if (w != "VIRTUAL") {
    return false;
  }
  plainFunctionList_ = false;
  return true;
}

}  // namespace

std::unique_ptr<BlockParser> makeMeasurementParser() {
  return std::make_unique<MeasurementParser>();
}

}  // namespace ordex
