// The FUNCTION block: name, long identifier, then ANNOTATION and the name-list sub-blocks.
#include "model/project.h"
#include "reader/block_parser.h"
#include "reader/object_head_reader.h"
#include "reader/sub_block_readers.h"
#include "reader/token_helpers.h"

namespace ordex {

namespace {

enum class SubBlock {
  kNone,
  kAnnotation,
  kNameList,
  // IF_DATA inside a FUNCTION: the record has no place for it, so its body is passed over
  // whole (it is neither the module's IF_DATA nor a list of names).
  kIfData,
};

// The name-list sub-blocks and the list each fills. AXIS_PTS is the function's own list of
// axis points, written that way by the writer.
struct NameListKind {
  const char* keyword;
  FunctionRefList TFunction_Intern::*list;
};
const NameListKind kNameLists[] = {
    {"DEF_CHARACTERISTIC", &TFunction_Intern::DefCharacteristics},
    {"REF_CHARACTERISTIC", &TFunction_Intern::RefCharacteristics},
    {"IN_MEASUREMENT", &TFunction_Intern::InMeasurements},
    {"OUT_MEASUREMENT", &TFunction_Intern::OutMeasurements},
    {"LOC_MEASUREMENT", &TFunction_Intern::LocMeasurements},
    {"SUB_FUNCTION", &TFunction_Intern::SubFunctions},
    {"AXIS_PTS", &TFunction_Intern::AxisPts},
};

class FunctionParser final : public BlockParser {
 public:
  void onToken(ParseContext& ctx) override;

 private:
  void start(ParseContext& ctx);
  bool subBlockBoundary(ParseContext& ctx);

  TFunction_Intern* func_ = nullptr;
  SubBlock open_ = SubBlock::kNone;
  FunctionRefList* list_ = nullptr;
  AnnotationReader annotation_;
};

void FunctionParser::start(ParseContext& ctx) {
  open_ = SubBlock::kNone;
  list_ = nullptr;
  annotation_.stop();
  func_ = ctx.currentModule->Functions.append(newObject<TFunction_Intern>(ctx));
}

void FunctionParser::onToken(ParseContext& ctx) {
  int32_t step = ctx.step[2]++;
  if (step == 0) return start(ctx);
  if (!func_) return;
  Token& cur = ctx.tok(0);
  if (step == 1) {
    readObjectName(ctx, ctx.currentModule->Functions, func_);
    return;
  }
  if (step == 2) {
    func_->LongIdentifier.assign(stripQuotes(cur));
    return;
  }
  if (subBlockBoundary(ctx)) return;
  switch (open_) {
    case SubBlock::kAnnotation:
      return annotation_.onToken(ctx, ctx.step[4], &ctx.currentModule->MaxAnnotationTextSize);
    case SubBlock::kNameList:
      return readNameListToken(ctx, *list_);
    case SubBlock::kIfData:
    case SubBlock::kNone:
      return;  // FUNCTION_VERSION and other items are not kept
  }
}

bool FunctionParser::subBlockBoundary(ParseContext& ctx) {
  if (!ctx.atBegin && !ctx.atEnd) return false;
  std::string_view next = ctx.tok(1).view();
  // Inside a passed-over IF_DATA body only its own "/end" counts.
  if (open_ == SubBlock::kIfData && !(ctx.atEnd && next == "IF_DATA")) return false;

  SubBlock kind = SubBlock::kNone;
  FunctionRefList* list = nullptr;
  if (next == "ANNOTATION") {
    kind = SubBlock::kAnnotation;
  } else if (next == "IF_DATA") {
    kind = SubBlock::kIfData;
  } else {
    for (const NameListKind& k : kNameLists) {
      if (next == k.keyword) {
        kind = SubBlock::kNameList;
        list = &(func_->*k.list);
        break;
      }
    }
    if (kind == SubBlock::kNone) return false;
  }
  if (ctx.atEnd) {
    open_ = SubBlock::kNone;
    list_ = nullptr;
    annotation_.stop();
    endSubBlock(ctx);
    return true;
  }
  open_ = kind;
  list_ = list;
  beginSubBlock(ctx, next);
  if (kind == SubBlock::kAnnotation) {
    annotation_.start(func_->Annotations.append(std::make_unique<TAnnotation_Intern>()));
  }
  return true;
}

}  // namespace

std::unique_ptr<BlockParser> makeFunctionParser() {
  return std::make_unique<FunctionParser>();
}

}  // namespace ordex
