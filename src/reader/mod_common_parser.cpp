// MOD_COMMON: the module's defaults for data layout. Each keyword takes the token after
// it; that value token later arrives as current token too and is ignored unless it is a
// keyword itself.
#include "model/keyword_lists.h"
#include "reader/block_parser.h"
#include "reader/token_helpers.h"

namespace ordex {

namespace {

enum class ModCommonKey {
  kNone,
  kSRecLayout,
  kDeposit,
  kByteOrder,
  kRamOffset,
  kRomOffset,
  kAlignmentByte,
  kAlignmentWord,
  kAlignmentLong,
  kAlignmentFloat32,
  kAlignmentFloat64,
  kBitMask,
};

ModCommonKey keyOf(std::string_view w) {
  switch (w.size()) {
    case 7:
      if (w == "DEPOSIT") return ModCommonKey::kDeposit;
      break;
    case 8:
      if (w == "BIT_MASK") return ModCommonKey::kBitMask;
      break;
    case 10:
      if (w == "BYTE_ORDER") return ModCommonKey::kByteOrder;
      if (w == "RAM_OFFSET") return ModCommonKey::kRamOffset;
      if (w == "ROM_OFFSET") return ModCommonKey::kRomOffset;
      break;
    case 12:
      if (w == "S_REC_LAYOUT") return ModCommonKey::kSRecLayout;
      break;
    case 14:
      if (w == "ALIGNMENT_BYTE") return ModCommonKey::kAlignmentByte;
      if (w == "ALIGNMENT_WORD") return ModCommonKey::kAlignmentWord;
      if (w == "ALIGNMENT_LONG") return ModCommonKey::kAlignmentLong;
      break;
    case 22:
      if (w == "ALIGNMENT_FLOAT32_IEEE") return ModCommonKey::kAlignmentFloat32;
      if (w == "ALIGNMENT_FLOAT64_IEEE") return ModCommonKey::kAlignmentFloat64;
      break;
  }
  return ModCommonKey::kNone;
}

// Alignments are kept in 16 bits, cut like a C short.
int16_t alignment(std::string_view token) {
  return static_cast<int16_t>(parseLong(token));
}

class ModCommonParser final : public BlockParser {
 public:
  void onToken(ParseContext& ctx) override {
    int32_t step = ctx.step[2];
    if (step < 2) ctx.step[2] = step + 1;
    if (step == 0) return;  // the keyword MOD_COMMON
    TModCommon_Intern& common = ctx.currentModule->ModCommon;
    if (step == 1) {
      common.Comment = stripQuotes(ctx.tok(0));
      return;
    }
    std::string_view value = ctx.tok(1).view();
    switch (keyOf(ctx.tok(0).view())) {
      case ModCommonKey::kNone:
        return;
      case ModCommonKey::kSRecLayout:
        common.SRecLayout = value;
        return;
      case ModCommonKey::kDeposit:
        common.DepositMode = findKeeping(keywords::kDeposit, value, common.Kept, kKeptDepositMode);
        return;
      case ModCommonKey::kByteOrder:
        common.ByteOrder = findKeeping(keywords::kByteOrder, value, common.Kept, kKeptByteOrder);
        return;
      case ModCommonKey::kRamOffset:
        common.RamOffset = parseHexULong(value);
        return;
      case ModCommonKey::kRomOffset:
        common.RomOffset = parseHexULong(value);
        return;
      case ModCommonKey::kAlignmentByte:
        common.AlignmentByte = alignment(value);
        return;
      case ModCommonKey::kAlignmentWord:
        common.AlignmentWord = alignment(value);
        return;
      case ModCommonKey::kAlignmentLong:
        common.AlignmentLong = alignment(value);
        return;
      case ModCommonKey::kAlignmentFloat32:
        common.AlignmentFloat32Ieee = alignment(value);
        return;
      case ModCommonKey::kAlignmentFloat64:
        common.AlignmentFloat64Ieee = alignment(value);
        return;
      case ModCommonKey::kBitMask:
        // Kept so that the module's default mask survives a write; base 16 like every
        // other bit mask.
        common.BitMask = parseHexULong(value);
        return;
    }
  }
};

}  // namespace

std::unique_ptr<BlockParser> makeModCommonParser() {
  return std::make_unique<ModCommonParser>();
}

}  // namespace ordex
