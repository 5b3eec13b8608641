// RECORD_LAYOUT: the name, then element keywords with their arguments and the
// FIX_NO_AXIS_PTS_x / ALIGNMENT_x items, in any order.
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

// The arguments an element keyword takes, in order.
enum Argument {
  kPosition,
  kDataType,
  kDataSize,
  kIndexMode,
  kIndexIncrement,
  kAddressing,
  kRescalePairs
};

struct ArgumentList {
  const Argument* args;
  int count;
};

constexpr Argument kReservedArgs[] = {kPosition, kDataSize};
constexpr Argument kFncValuesArgs[] = {kPosition, kDataType, kIndexMode, kAddressing};
constexpr Argument kAxisPtsArgs[] = {kPosition, kDataType, kIndexIncrement, kAddressing};
constexpr Argument kAxisRescaleArgs[] = {kPosition, kDataType, kRescalePairs, kIndexIncrement,
                                         kAddressing};
constexpr Argument kPlainArgs[] = {kPosition, kDataType};

ArgumentList argumentsOf(int kind) {
  switch (kind) {
    case rlReserved:
      return {kReservedArgs, 2};
    case rlFncValues:
      return {kFncValuesArgs, 4};
    case rlAxisPtsX:
    case rlAxisPtsY:
    case rlAxisPtsZ:
      return {kAxisPtsArgs, 4};
    case rlAxisRescaleX:
    case rlAxisRescaleY:
    case rlAxisRescaleZ:
      return {kAxisRescaleArgs, 5};
    default:
      return {kPlainArgs, 2};
  }
}

// A 16-bit item: the integer token cut to its low 16 bits.
int16_t low16(std::string_view token) {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(parseLong(token))));
}

class RecordLayoutParser : public BlockParser {
 public:
  void onToken(ParseContext& ctx) override;

 private:
  void argument(std::string_view token);
  int16_t* itemField(std::string_view token);

  TRecordLayout_Intern* layout_ = nullptr;
  int pendingKind_ = -1;  // element keyword whose arguments are being read; -1 none
  int argIndex_ = 0;
  int reservedCount_ = 0;  // RESERVED entries filled in this block
};

void RecordLayoutParser::onToken(ParseContext& ctx) {
  const int32_t step = ctx.step[2]++;
  Token& cur = ctx.tok(0);
  if (step == 0) {
    pendingKind_ = -1;
    argIndex_ = 0;
    reservedCount_ = 0;
    auto layout = newObject<TRecordLayout_Intern>(ctx);
    // Alignments as the module stands now; a later MOD_COMMON does not change them.
    const TModCommon_Intern& common = ctx.currentModule->ModCommon;
    layout->AlignmentByte = common.AlignmentByte;
    layout->AlignmentWord = common.AlignmentWord;
    layout->AlignmentLong = common.AlignmentLong;
    layout->AlignmentFloat32Ieee = common.AlignmentFloat32Ieee;
    layout->AlignmentFloat64Ieee = common.AlignmentFloat64Ieee;
    layout_ = ctx.currentModule->RecordLayouts.append(std::move(layout));
    return;
  }
  if (step == 1) {
    readObjectName(ctx, ctx.currentModule->RecordLayouts, layout_);
    return;
  }
  if (pendingKind_ >= 0) {
    argument(cur.view());
    return;
  }
  int kind = keywords::kRecordLayoutElement.find(cur.view());
  if (kind >= 0) {
    pendingKind_ = kind;
    argIndex_ = 0;
    return;
  }
  if (int16_t* field = itemField(cur.view())) {
    // The value is taken from the look-ahead and not examined again.
    *field = low16(ctx.tok(1).view());
    ctx.skipNextToken = true;
  }
  // Any other token, unknown keywords and their arguments included, is ignored.
}

void RecordLayoutParser::argument(std::string_view token) {
  const ArgumentList list = argumentsOf(pendingKind_);
  const Argument arg = list.args[argIndex_];
  RecordLayoutElement* element;
  if (pendingKind_ == rlReserved) {
    if (reservedCount_ >= TRecordLayout_Intern::kReservedCount) {
      // An eleventh RESERVED is dropped with its position; its data size token that follows
      // is an ordinary token.
      pendingKind_ = -1;
      return;
    }
    element = &layout_->Reserved[reservedCount_];
  } else {
    element = &layout_->element(pendingKind_);
  }
  // RESERVED sizes have no keywords beyond their list; the elements keep theirs.
  const uint8_t kept = static_cast<uint8_t>(kKeptLayoutElement + 3 * pendingKind_);
  switch (arg) {
    case kPosition:
      element->Position = low16(token);
      break;
    case kRescalePairs:
      element->MaxNumberOfRescalePairs = low16(token);
      break;
    case kDataType:
      element->DataType = findKeeping(keywords::kDataType, token, layout_->Kept, kept + 0);
      break;
    case kDataSize:
      element->DataType = keywords::kDataSize.find(token);
      break;
    case kIndexMode:
      element->IndexMode = findKeeping(keywords::kIndexMode, token, layout_->Kept, kept + 1);
      break;
    case kIndexIncrement:
      element->IndexMode = findKeeping(keywords::kIndexIncrement, token, layout_->Kept, kept + 1);
      break;
    case kAddressing:
      element->Addressing = findKeeping(keywords::kAddressing, token, layout_->Kept, kept + 2);
      break;
  }
  if (++argIndex_ == list.count) {
    if (pendingKind_ == rlReserved) ++reservedCount_;
    pendingKind_ = -1;
  }
}

int16_t* RecordLayoutParser::itemField(std::string_view token) {
  if (token.size() < 14) return nullptr;
  if (token == "FIX_NO_AXIS_PTS_X") return &layout_->FixNoAxisPtsX;
  if (token == "FIX_NO_AXIS_PTS_Y") return &layout_->FixNoAxisPtsY;
  if (token == "FIX_NO_AXIS_PTS_Z") return &layout_->FixNoAxisPtsZ;
  if (token == "ALIGNMENT_BYTE") return &layout_->AlignmentByte;
  if (token == "ALIGNMENT_WORD") return &layout_->AlignmentWord;
  if (token == "ALIGNMENT_LONG") return &layout_->AlignmentLong;
  if (token == "ALIGNMENT_FLOAT32_IEEE") return &layout_->AlignmentFloat32Ieee;
  if (token == "ALIGNMENT_FLOAT64_IEEE") return &layout_->AlignmentFloat64Ieee;
  return nullptr;
}

}  // namespace

std::unique_ptr<BlockParser> makeRecordLayoutParser() {
  return std::make_unique<RecordLayoutParser>();
}

}  // namespace ordex
