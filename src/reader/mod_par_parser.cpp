// MOD_PAR: the module's management data, its system constants, memory layouts and
// segments, and calibration methods with their handles.
//
// Counters: step[2] for the block itself (0 the keyword, 1 the comment), step[3] inside a
// sub-block (CALIBRATION_METHOD, MEMORY_SEGMENT, MEMORY_LAYOUT, the one-line layout) and
// step[4] inside a CALIBRATION_HANDLE or an IF_DATA block of a segment or layout.
#include <cstdio>
#include <string>

#include "model/keyword_lists.h"
#include "reader/block_parser.h"
#include "reader/sub_block_readers.h"
#include "reader/token_helpers.h"

namespace ordex {

namespace {

enum class SubBlock { kNone, kCalibrationMethod, kMemorySegment, kMemoryLayout };

SubBlock subBlockOf(std::string_view w) {
  switch (w.size()) {
    case 13:
      if (w == "MEMORY_LAYOUT") return SubBlock::kMemoryLayout;
      break;
    case 14:
      if (w == "MEMORY_SEGMENT") return SubBlock::kMemorySegment;
      break;
    case 18:
      if (w == "CALIBRATION_METHOD") return SubBlock::kCalibrationMethod;
      break;
  }
  return SubBlock::kNone;
}

enum class ModParKey {
  kNone,
  kSystemConstant,
  kMemoryLayout,
  kVersion,
  kAddrEpk,
  kEpk,
  kSupplier,
  kCustomer,
  kCustomerNo,
  kUser,
  kPhoneNo,
  kEcu,
  kCpuType,
  kNoOfInterfaces,
  kEcuCalibrationOffset,
};

ModParKey keyOf(std::string_view w) {
  switch (w.size()) {
    case 3:
      if (w == "EPK") return ModParKey::kEpk;
      if (w == "ECU") return ModParKey::kEcu;
      break;
    case 4:
      if (w == "USER") return ModParKey::kUser;
      break;
    case 7:
      if (w == "VERSION") return ModParKey::kVersion;
      break;
    case 8:
      if (w == "ADDR_EPK") return ModParKey::kAddrEpk;
      if (w == "SUPPLIER") return ModParKey::kSupplier;
      if (w == "CUSTOMER") return ModParKey::kCustomer;
      if (w == "PHONE_NO") return ModParKey::kPhoneNo;
      if (w == "CPU_TYPE") return ModParKey::kCpuType;
      break;
    case 11:
      if (w == "CUSTOMER_NO") return ModParKey::kCustomerNo;
      break;
    case 13:
      if (w == "MEMORY_LAYOUT") return ModParKey::kMemoryLayout;
      break;
    case 15:
      if (w == "SYSTEM_CONSTANT") return ModParKey::kSystemConstant;
      break;
    case 16:
      if (w == "NO_OF_INTERFACES") return ModParKey::kNoOfInterfaces;
      break;
    case 22:
      if (w == "ECU_CALIBRATION_OFFSET") return ModParKey::kEcuCalibrationOffset;
      break;
  }
  return ModParKey::kNone;
}

// Advances a step counter and gives its value before the step; it stops at `last`, which
// stands for every later token.
int32_t advance(int32_t& counter, int32_t last) {
  int32_t step = counter;
  if (step < last) counter = step + 1;
  return step;
}

class ModParParser final : public BlockParser {
 public:
  void onToken(ParseContext& ctx) override;

 private:
  void reset();
  bool subBlockBoundary(ParseContext& ctx);
  void methodToken(ParseContext& ctx);
  void segmentToken(ParseContext& ctx);
  void layoutToken(ParseContext& ctx);
  void oneLineLayoutToken(ParseContext& ctx);
  void segmentIfDataToken(ParseContext& ctx);
  void modParKeyword(ParseContext& ctx);
  TMemorySegment_Intern* newLayout(ParseContext& ctx);

  bool inMethod_ = false;
  bool inHandle_ = false;
  bool inSegment_ = false;
  bool inLayout_ = false;
  bool inOneLineLayout_ = false;
  bool inIfData_ = false;
  bool skipHandleText_ = false;
  long layoutCount_ = 0;
  TMemorySegment_Intern* segment_ = nullptr;  // the segment or layout being read
  TCalibrationMethod_Intern* method_ = nullptr;
  TCalibrationHandle_Intern* handle_ = nullptr;
  TIfData_Intern* ifData_ = nullptr;
  IfDataContent ifDataContent_;
};

void ModParParser::reset() {
  inMethod_ = inHandle_ = inSegment_ = inLayout_ = inOneLineLayout_ = inIfData_ = false;
  skipHandleText_ = false;
  layoutCount_ = 0;
  segment_ = nullptr;
  method_ = nullptr;
  handle_ = nullptr;
  ifData_ = nullptr;
  ifDataContent_.finish();
}

void ModParParser::onToken(ParseContext& ctx) {
  int32_t step = advance(ctx.step[2], 2);
  if (step == 0) {
    reset();
    return;
  }
  if (step == 1) {
    ctx.currentModule->ModPar.Comment = stripQuotes(ctx.tok(0));
    return;
  }
  if ((ctx.atBegin || ctx.atEnd) && subBlockBoundary(ctx)) return;
  if (inMethod_) return methodToken(ctx);
  if (inSegment_) return segmentToken(ctx);
  if (inLayout_) return layoutToken(ctx);
  if (inOneLineLayout_) return oneLineLayoutToken(ctx);
  if (ctx.atBegin || ctx.atEnd) return;
  modParKeyword(ctx);
}

// A /begin or /end of CALIBRATION_METHOD, MEMORY_SEGMENT or MEMORY_LAYOUT, whatever else
// is open. False for any other /begin or /end.
bool ModParParser::subBlockBoundary(ParseContext& ctx) {
  std::string_view keyword = ctx.tok(1).view();
  switch (subBlockOf(keyword)) {
    case SubBlock::kNone:
      return false;
    case SubBlock::kCalibrationMethod:
      inMethod_ = ctx.atBegin;
      break;
    case SubBlock::kMemorySegment:
      inSegment_ = ctx.atBegin;
      break;
    case SubBlock::kMemoryLayout:
      inLayout_ = ctx.atBegin;
      break;
  }
  std::string* path = ctx.objectPath();
  if (ctx.atBegin) {
    path[3] = path[2];
    path[3].append(", ").append(keyword);
    ctx.step[3] = 0;
  } else {
    ctx.lastParsedObject() = path[3];
    ctx.skipNextToken = true;
  }
  return true;
}

void ModParParser::methodToken(ParseContext& ctx) {
  int32_t step = advance(ctx.step[3], 3);
  Token& token = ctx.tok(0);
  TModPar_Intern& modPar = ctx.currentModule->ModPar;
  if (step == 0) {
    auto method = std::make_unique<TCalibrationMethod_Intern>();
    method->Owner = ctx.currentModule;
    method_ = modPar.CalibrationMethods.append(std::move(method));
    return;
  }
  if (step == 1) {
    std::string name(stripQuotes(token));
    ctx.objectPath()[3].append(" ").append(name);
    modPar.CalibrationMethods.rename(method_, std::move(name));
    return;
  }
  if (step == 2) {
    method_->Version = parseLong(token.view());
    return;
  }
  if ((ctx.atBegin || ctx.atEnd) && ctx.tok(1).is("CALIBRATION_HANDLE")) {
    inHandle_ = ctx.atBegin;
    skipHandleText_ = false;
    if (ctx.atBegin) {
      ctx.step[4] = 0;
      ++method_->HandleCount;
    } else {
      ctx.lastParsedObject() = ctx.objectPath()[3];
      ctx.skipNextToken = true;
    }
    return;
  }
  if (!inHandle_) return;
  if (advance(ctx.step[4], 1) == 0) {
    handle_ = method_->Handles.append(std::make_unique<TCalibrationHandle_Intern>());
    return;
  }
  // CALIBRATION_HANDLE_TEXT "text" of later versions of the format stands among the
  // numbers; it is skipped with its text so that such files still read.
  if (skipHandleText_) {
    skipHandleText_ = false;
    if (!ctx.atBegin && !ctx.atEnd) return;
  }
  if (token.is("CALIBRATION_HANDLE_TEXT")) {
    skipHandleText_ = true;
    return;
  }
  int32_t value = parseLong(token.view());
  if (handle_) handle_->Values.push_back(value);
}

void ModParParser::segmentToken(ParseContext& ctx) {
  int32_t step = advance(ctx.step[3], 13);
  Token& token = ctx.tok(0);
  TModPar_Intern& modPar = ctx.currentModule->ModPar;
  if (step == 0) {
    auto segment = std::make_unique<TMemorySegment_Intern>();
    segment->Owner = ctx.currentModule;
    segment_ = modPar.MemorySegments.append(std::move(segment));
    return;
  }
  // A MEMORY_SEGMENT opened inside a CALIBRATION_METHOD never created its record.
  if (!segment_) return;
  switch (step) {
    case 1:
      ctx.objectPath()[3].append(" ").append(token.view());
      modPar.MemorySegments.rename(segment_, token.view());
      return;
    case 2:
      segment_->LongIdentifier = stripQuotes(token);
      return;
    case 3:
      segment_->PrgType =
          findKeeping(keywords::kSegmentType, token.view(), segment_->Kept, kKeptPrgType);
      return;
    case 4:
      segment_->MemoryType =
          findKeeping(keywords::kMemoryType, token.view(), segment_->Kept, kKeptMemoryType);
      return;
    case 5:
      segment_->Attribute =
          findKeeping(keywords::kAttribute, token.view(), segment_->Kept, kKeptSegmentAttribute);
      return;
    case 6:
      segment_->Address = parseHexULong(token.view());
      return;
    case 7:
      segment_->Size = parseHexULong(token.view());
      return;
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
      segment_->Offsets[step - 8] = parseLong(token.view());
      return;
    default:
      segmentIfDataToken(ctx);
  }
}

// A new MEMORY_LAYOUT record, named by its number within this MOD_PAR.
TMemorySegment_Intern* ModParParser::newLayout(ParseContext& ctx) {
  auto layout = std::make_unique<TMemorySegment_Intern>();
  layout->Owner = ctx.currentModule;
  char number[24];
  std::snprintf(number, sizeof number, "%li", ++layoutCount_);
  layout->Name = number;
  layout->LongIdentifier = "MEMORY_LAYOUT";
  return ctx.currentModule->ModPar.MemorySegments.append(std::move(layout));
}

void ModParParser::layoutToken(ParseContext& ctx) {
  int32_t step = advance(ctx.step[3], 9);
  std::string_view token = ctx.tok(0).view();
  if (step == 0) {
    segment_ = newLayout(ctx);
    // Not prefixed by the MOD_PAR path: an error inside a layout reports the MOD_PAR.
    ctx.objectPath()[3] = " " + segment_->Name;
    return;
  }
  if (!segment_) return;
  switch (step) {
    case 1:
      segment_->PrgType = findKeeping(keywords::kProgramType, token, segment_->Kept, kKeptPrgType);
      return;
    case 2:
      segment_->Address = parseHexULong(token);
      return;
    case 3:
      segment_->Size = parseHexULong(token);
      return;
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
      segment_->Offsets[step - 4] = parseLong(token);
      return;
    default:
      segmentIfDataToken(ctx);
  }
}

// MEMORY_LAYOUT without /begin: program type, address, size and five offsets follow.
void ModParParser::oneLineLayoutToken(ParseContext& ctx) {
  int32_t step = advance(ctx.step[3], 8);
  std::string_view token = ctx.tok(0).view();
  if (step == 0) {
    segment_ = newLayout(ctx);
    segment_->PrgType = findKeeping(keywords::kProgramType, token, segment_->Kept, kKeptPrgType);
    return;
  }
  // Past the last offset only when a sub-block was opened in the middle of the line.
  if (step > 7 || !segment_) {
    inOneLineLayout_ = false;
    return;
  }
  switch (step) {
    case 1:
      segment_->Address = parseHexULong(token);
      return;
    case 2:
      segment_->Size = parseHexULong(token);
      return;
    default:
      segment_->Offsets[step - 3] = parseLong(token);
      if (step == 7) inOneLineLayout_ = false;
      return;
  }
}

// The tokens after the fixed fields of a segment or layout: its IF_DATA blocks.
void ModParParser::segmentIfDataToken(ParseContext& ctx) {
  if ((ctx.atBegin || ctx.atEnd) && ctx.tok(1).is("IF_DATA")) {
    inIfData_ = ctx.atBegin;
    if (ctx.atBegin) {
      ctx.step[4] = 0;
    } else {
      ctx.skipNextToken = true;
      ifDataContent_.finish();
    }
    return;
  }
  if (!inIfData_) return;
  std::string_view token = ctx.tok(0).view();
  switch (advance(ctx.step[4], 2)) {
    case 0:
      ifData_ = segment_->IfData.append(std::make_unique<TIfData_Intern>());
      ifDataContent_.begin(ifData_);
      return;
    case 1:
      if (ifData_) ifData_->Name = token;
      return;
    default:
      ifDataContent_.add(token);
  }
}

void ModParParser::modParKeyword(ParseContext& ctx) {
  TModPar_Intern& modPar = ctx.currentModule->ModPar;
  std::string_view value = ctx.tok(1).view();
  switch (keyOf(ctx.tok(0).view())) {
    case ModParKey::kNone:
      return;
    case ModParKey::kSystemConstant: {
      auto constant = std::make_unique<TSystemConstant_Intern>();
      constant->Name = stripQuotes(ctx.tok(1));
      constant->Value = stripQuotes(ctx.tok(2));
      modPar.SystemConstants.append(std::move(constant));
      return;
    }
    case ModParKey::kMemoryLayout:
      inOneLineLayout_ = true;
      ctx.step[3] = 0;
      return;
    case ModParKey::kVersion:
      modPar.Version = value;
      return;
    case ModParKey::kAddrEpk:
      modPar.AddrEpk = parseHexULong(value);
      return;
    case ModParKey::kEpk:
      modPar.Epk = value;
      return;
    case ModParKey::kSupplier:
      modPar.Supplier = value;
      return;
    case ModParKey::kCustomer:
      modPar.Customer = value;
      return;
    case ModParKey::kCustomerNo:
      modPar.CustomerNo = value;
      return;
    case ModParKey::kUser:
      modPar.User = value;
      return;
    case ModParKey::kPhoneNo:
      modPar.PhoneNo = value;
      return;
    case ModParKey::kEcu:
      modPar.Ecu = value;
      return;
    case ModParKey::kCpuType:
      modPar.CpuType = value;
      return;
    case ModParKey::kNoOfInterfaces:
      modPar.NoOfInterfaces = static_cast<int16_t>(parseLong(value));
      return;
    case ModParKey::kEcuCalibrationOffset:
      modPar.EcuCalibrationOffset = parseHexULong(value);
      return;
  }
}

}  // namespace

std::unique_ptr<BlockParser> makeModParParser() {
  return std::make_unique<ModParParser>();
}

}  // namespace ordex
