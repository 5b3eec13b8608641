#include "reader/file_reader.h"

#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include "platform/large_buffer.h"
#include "reader/block_parser.h"
#include "reader/input_file.h"
#include "reader/parse_context.h"
#include "reader/read_failure_note.h"
#include "reader/sub_block_readers.h"
#include "reader/token_helpers.h"
#include "reader/token_source.h"
#include "reader/tokenizer.h"

namespace ordex {

namespace {

// Block kinds with an open flag. The first fourteen are numbered in dispatch order: a token
// goes to the lowest open one of them.
enum BlockKind : int {
  kHeader = 0,
  kCharacteristic,
  kMeasurement,
  kVariantCoding,
  kCompuMethod,
  kFunction,
  kRecordLayout,
  kAxisPts,
  kCompuTab,
  kCompuVTab,
  kCompuVTabRange,
  kModCommon,
  kModPar,
  kModuleIfData,
  kProject,
  kModule,
  kNone,
  kA2ml,
};
constexpr uint32_t kDispatchMask = (1u << (kModuleIfData + 1)) - 1;
constexpr uint32_t bit(int kind) {
  return 1u << kind;
}

// w == keyword, with the bytes compared at a length fixed at compile time: a few inline
// loads whatever the inliner decides about the general comparison.
template <size_t N>
bool sameText(std::string_view w, const char (&keyword)[N]) {
  return w.size() == N - 1 && std::memcmp(w.data(), keyword, N - 1) == 0;
}

// The block keyword behind a /begin or /end.
int blockKindOf(std::string_view w) {
  switch (w.size()) {
    case 4:
      if (sameText(w, "A2ML")) return kA2ml;
      break;
    case 6:
      if (sameText(w, "HEADER")) return kHeader;
      if (sameText(w, "MODULE")) return kModule;
      break;
    case 7:
      if (sameText(w, "PROJECT")) return kProject;
      if (sameText(w, "MOD_PAR")) return kModPar;
      if (sameText(w, "IF_DATA")) return kModuleIfData;
      break;
    case 8:
      if (sameText(w, "FUNCTION")) return kFunction;
      if (sameText(w, "AXIS_PTS")) return kAxisPts;
      break;
    case 9:
      if (sameText(w, "COMPU_TAB")) return kCompuTab;
      break;
    case 10:
      if (sameText(w, "COMPU_VTAB")) return kCompuVTab;
      if (sameText(w, "MOD_COMMON")) return kModCommon;
      break;
    case 11:
      if (sameText(w, "MEASUREMENT")) return kMeasurement;
      break;
    case 12:
      if (sameText(w, "COMPU_METHOD")) return kCompuMethod;
      break;
    case 13:
      if (sameText(w, "RECORD_LAYOUT")) return kRecordLayout;
      break;
    case 14:
      if (sameText(w, "CHARACTERISTIC")) return kCharacteristic;
      if (sameText(w, "VARIANT_CODING")) return kVariantCoding;
      break;
    case 16:
      if (sameText(w, "COMPU_VTAB_RANGE")) return kCompuVTabRange;
      break;
  }
  return kNone;
}

const char* const kKeywordOf[] = {
    "HEADER",       "CHARACTERISTIC", "MEASUREMENT",      "VARIANT_CODING",
    "COMPU_METHOD", "FUNCTION",       "RECORD_LAYOUT",    "AXIS_PTS",
    "COMPU_TAB",    "COMPU_VTAB",     "COMPU_VTAB_RANGE", "MOD_COMMON",
    "MOD_PAR",      "IF_DATA",        "PROJECT",          "MODULE",
};

// Keywords behind a "/begin" or "/end" that the object parsers take as a sub-block of
// their own, besides the block kinds: an IF_DATA body that holds one leaves it to them.
bool isObjectSubBlock(std::string_view w) {
  switch (w.size()) {
    case 7:
      return sameText(w, "VIRTUAL");
    case 10:
      return sameText(w, "ANNOTATION") || sameText(w, "AXIS_DESCR");
    case 13:
      return sameText(w, "FUNCTION_LIST");
    case 15:
      return sameText(w, "ANNOTATION_TEXT");
  }
  return false;
}

// "/include" in any letter case.
bool looksLikeInclude(const unsigned char* p, size_t n) {
  static constexpr char kInclude[] = "/include";
  if (n != 8 || p[0] != '/') return false;
  for (size_t i = 1; i < 8; ++i) {
    if ((p[i] | 0x20) != kInclude[i]) return false;
  }
  return true;
}

constexpr uint32_t kNoFile = ~0u;

// The 1-based line and column of the byte at offset (the column counts bytes, a byte-order
// mark ahead of the first line not among them), and the text of that line.
void locateInText(const unsigned char* text, size_t size, size_t offset, int32_t& line,
                  int32_t& column, std::string* lineText) {
  if (offset > size) offset = size;
  size_t lineStart = 0;
  int64_t lines = 1;
  for (const unsigned char* p = text; p < text + offset;) {
    const void* nl = std::memchr(p, '\n', static_cast<size_t>(text + offset - p));
    if (!nl) break;
    p = static_cast<const unsigned char*>(nl) + 1;
    lineStart = static_cast<size_t>(p - text);
    ++lines;
  }
  size_t first = lineStart;
  if (lineStart == 0 && size >= 3 && text[0] == 0xEF && text[1] == 0xBB && text[2] == 0xBF) {
    first = offset >= 3 ? 3 : offset;
  }
  line = lines > INT32_MAX ? INT32_MAX : static_cast<int32_t>(lines);
  column = static_cast<int32_t>(offset - first + 1);
  if (!lineText) return;
  size_t stop = first;
  while (stop < size && text[stop] != '\n' && stop - first < 1023) ++stop;
  if (stop > first && text[stop - 1] == '\r') --stop;
  lineText->assign(reinterpret_cast<const char*>(text + first), stop - first);
}

// A "/begin" and its keyword, while a read follows the blocks to tell where one was left open.
struct OpenBlock {
  const unsigned char* at = nullptr;
  std::string keyword;
};

// Where an open block began, while it is open.
struct OpenSpan {
  uint32_t file = kNoFile;
  uint32_t begin = 0;
  uint32_t headEnd = 0;
};

class FileReader final : public BulkBodyReader {
 public:
  FileReader(TOrdex& inst, const char* fileName, int64_t fileSize, ProgressCallback progress,
             SourceText* text, const std::string_view* memoryText = nullptr)
      : ctx_(inst),
        inst_(inst),
        fileName_(fileName),
        fileSize_(fileSize),
        progress_(progress),
        source_(fileName, text ? &text->files : nullptr),
        text_(text),
        inMemory_(memoryText != nullptr) {
    if (memoryText) source_.readFromText(*memoryText);
    ctx_.bulk = this;
    parsers_[kCharacteristic] = makeCharacteristicParser();
    parsers_[kMeasurement] = makeMeasurementParser();
    parsers_[kVariantCoding] = makeVariantCodingParser();
    parsers_[kCompuMethod] = makeCompuMethodParser();
    parsers_[kFunction] = makeFunctionParser();
    parsers_[kRecordLayout] = makeRecordLayoutParser();
    parsers_[kAxisPts] = makeAxisPtsParser();
    parsers_[kCompuTab] = makeCompuTabParser();
    parsers_[kCompuVTab] = makeCompuVTabParser();
    parsers_[kCompuVTabRange] = makeCompuVTabRangeParser();
    parsers_[kModCommon] = makeModCommonParser();
    parsers_[kModPar] = makeModParParser();
  }

  void run();
  int32_t takeIfDataBody(IfDataContent& content) override;
  void closeFiles() { source_.closeAll(); }
  // The head of the top file from the bytes its buffer still holds, which spares a second
  // open of the file; false when they are not enough.
  bool scanHeldHead(FileHeadInfo& head) const {
    const InputFile* top = source_.topInput();
    if (!top) return false;
    bool whole = false;
    std::string_view held = top->heldFromStart(whole);
    return !held.empty() && scanHeldFileHead(held, whole, head);
  }
  // A read that fails inside an ANNOTATION_TEXT keeps the lines read so far.
  void keepOpenAnnotationText() {
    if (ctx_.openAnnotationText) ctx_.openAnnotationText->keepOpenText();
    ctx_.openAnnotationText = nullptr;
  }
  const TokenSource& source() const { return source_; }
  // Whether the spans recorded describe the project that the read leaves.
  bool textComplete() const { return source_.textKept() && projectsOpened_ == 1 && !spansLost_; }
  int32_t lineNumber() const { return source_.lineNumber; }
  // Follows every "/begin" and "/end", so that a nesting error can tell where the block left
  // open began (a read that failed so is read again this way).
  void trackBlocks() { trackBlocks_ = true; }
  // Whether the bytes of the tokens are held where they can be located.
  bool tokensLocatable() const { return text_ != nullptr || inMemory_; }
  bool tracksBlocks() const { return trackBlocks_; }
  // Describes the failure rc just thrown by run(), while the files are still open.
  void describeFailure(ReturnCode rc, ReadFailure& out) const;
  // Projects replaced by a later PROJECT block of the same read are kept until the read
  // ends: the module being filled may still belong to one of them.
  std::vector<std::unique_ptr<TProject_Intern>> replacedProjects;

 private:
  bool readNext();
  void examine();
  void openBlock(int kind);
  [[noreturn]] void outsideParent(Expected expected) {
    failingSlot_ = 1;
    failWith(ReturnCode::BlockOutsideParent, expected);
  }
  void closeBlock(int kind);
  void noteOpen(int kind);
  void noteClose(int kind);
  void noteVersion();
  uint32_t headEnd(uint32_t file) const;
  void dispatch();
  void headerToken();
  void moduleIfDataToken();
  int percentRead() const;

  ParseContext ctx_;
  TOrdex& inst_;
  const char* fileName_;
  int64_t fileSize_;
  ProgressCallback progress_;
  TokenSource source_;
  std::unique_ptr<BlockParser> parsers_[kModuleIfData];
  uint32_t open_ = 0;
  // The open object blocks whose parser has had the first token of its block. A block
  // opened inside a block of a lower kind sees none of its own first tokens (they go to the
  // lower one), so it never made its record: its later tokens are dropped.
  uint32_t started_ = 0;
  int64_t nesting_ = 0;
  int level_ = 0;
  bool inputEnded_ = false;
  int emptyTokens_ = 0;
  TIfData_Intern* moduleIfData_ = nullptr;
  IfDataContent moduleIfDataContent_;
  std::optional<ScopedTextArena> arenaScope_;
  // The text of the read and the places of its blocks, when kept.
  SourceText* text_;
  OpenSpan openSpans_[kModule + 1];
  std::optional<SourceSpan> versionSpan_;
  bool spansLost_ = false;  // a block's span could not be kept
  int projectsOpened_ = 0;
  bool inMemory_;  // text held in memory: there is no file head to scan
  // The token at fault: a place in the window, -1 for the end of the input.
  int failingSlot_ = 0;
  bool trackBlocks_ = false;
  std::vector<OpenBlock> openBlocks_;
  OpenBlock lastClosed_;
  std::optional<OpenBlock> failedBlock_;     // the block left open, for a nesting error
  const unsigned char* strayEnd_ = nullptr;  // the first "/end" that closes no block
  std::optional<OpenBlock> mismatch_;        // the block closed by an "/end" of another keyword
  const unsigned char* mismatchAt_ = nullptr;
  std::string mismatchToken_;
  void placeOf(const unsigned char* p, ReadFailure& out, bool block) const;
};

int FileReader::percentRead() const {
  if (fileSize_ <= 0) return 0;
  int64_t pct = source_.charsRead() * 100 / fileSize_;
  return pct > 100 ? 100 : static_cast<int>(pct);
}

// Reads one token into the window; false once the input has drained and the loop ends.
// After the end of the input each pass adds an empty token, so the three look-ahead tokens
// still in the window become current one by one; the last token of the file is examined
// too (a file ending in "/end PROJECT" without a line feed loses "PROJECT" in the
// tokenizer, and its "/end" must still be counted).
bool FileReader::readNext() {
  if (!inputEnded_) {
    ReturnCode rc = source_.next(ctx_.window.oldest());
    if (rc == ReturnCode::Ok) {
      ctx_.window.rotate();
      return true;
    }
    if (rc == ReturnCode::IncludeOpenFailed) {
      failingSlot_ = 3;
      failWith(rc, source_.includeTooDeep() ? Expected::kIncludeDepth : Expected::kIncludeFile);
    }
    if (rc != ReturnCode::FileAccessFailed) {
      failingSlot_ = -2;
      throw rc;
    }
    inputEnded_ = true;
  }
  // The pass that meets the end of input and three further passes each bring in an empty
  // token, so the three tokens still ahead of the current one are all examined; the last
  // token of the input may be the "/end" of PROJECT.
  ctx_.window.oldest().clear();
  ctx_.window.rotate();
  return ++emptyTokens_ <= 3;
}

void FileReader::run() {
  ctx_.window.clear();
  while (readNext()) examine();
  if (nesting_ != 0) {
    failingSlot_ = -1;
    if (mismatch_ && nesting_ > 0) {
      failedBlock_ = mismatch_;
    } else if (!openBlocks_.empty()) {
      failedBlock_ = openBlocks_.back();
    }
    failWith(ReturnCode::BlockNesting, Expected::kEndOfBlock);
  }
  // Counted "/end"s balance, yet a block was never closed by its own keyword (an included
  // file cut off behind "/end"): what follows it in the text belongs to it for a reader.
  if (text_ && (open_ & ~(bit(kProject) | bit(kModule)) & ((1u << (kModule + 1)) - 1))) {
    text_->blocksLeftOpen = true;
  }
}

void FileReader::examine() {
  if (ctx_.skipNextToken) {
    ctx_.skipNextToken = false;
    return;
  }
  const Token& cur = ctx_.tok(0);
  ctx_.atBegin = cur.is("/begin");
  ctx_.atEnd = !ctx_.atBegin && cur.is("/end");
  if (ctx_.atBegin) {
    ++nesting_;
    if (trackBlocks_) openBlocks_.push_back({cur.from, std::string(ctx_.tok(1).view())});
    if (progress_) {
      // The host may create objects from its callback: their texts live on the heap.
      ScopedTextArena heap(nullptr);
      if (progress_(percentRead()) != 0) throw ReturnCode::AbortedByCallback;
    }
  } else if (ctx_.atEnd) {
    --nesting_;
    if (trackBlocks_) {
      if (openBlocks_.empty()) {
        if (!strayEnd_) strayEnd_ = cur.from;
      } else {
        // The first "/end" whose keyword is not that of the block it closes tells which
        // block was left open, where the count alone would only find it at the end.
        if (!mismatch_ && ctx_.tok(1).view() != openBlocks_.back().keyword) {
          mismatch_ = openBlocks_.back();
          mismatchAt_ = ctx_.tok(1).from;
          mismatchToken_ = ctx_.tok(1).view();
        }
        lastClosed_ = std::move(openBlocks_.back());
        openBlocks_.pop_back();
      }
    }
  }
  if (ctx_.atBegin || ctx_.atEnd) {
    int kind = blockKindOf(ctx_.tok(1).view());
    if (kind == kModuleIfData &&
        (open_ & (bit(kCharacteristic) | bit(kMeasurement) | bit(kAxisPts) | bit(kModPar)))) {
      kind = kNone;
    }
    // Inside a FUNCTION, AXIS_PTS is the function's list of axis points and IF_DATA is the
    // function's own: both go to the FUNCTION parser instead of opening a block.
    if ((kind == kAxisPts || kind == kModuleIfData) && (open_ & bit(kFunction))) kind = kNone;
    if (kind == kA2ml) {
      // "/include" inside A2ML is part of the A2ML text, not an include.
      source_.switchIncludes(!ctx_.atBegin, ctx_.tok(2), ctx_.tok(3));
      kind = kNone;
    }
    if (kind != kNone) {
      if (((open_ & bit(kind)) != 0) == ctx_.atBegin) {
        failingSlot_ = 1;
        if (!ctx_.atBegin) {
          if (trackBlocks_) failedBlock_ = lastClosed_;
        } else if (openBlocks_.size() >= 2) {
          failedBlock_ = openBlocks_[openBlocks_.size() - 2];
        } else {
          failedBlock_ = OpenBlock{nullptr, kKeywordOf[kind]};
        }
        failWith(ReturnCode::BlockNesting, Expected::kEndOfBlock);
      }
      if (ctx_.atBegin) {
        open_ |= bit(kind);
        openBlock(kind);
        if (text_) noteOpen(kind);
      } else {
        open_ &= ~bit(kind);
        if (kind == kModuleIfData) moduleIfDataContent_.finish();
        if (text_) noteClose(kind);
        closeBlock(kind);
      }
      return;
    }
  }
  dispatch();
}

// The tokens it works on: the three ahead in the window, then tokens scanned from the
// buffer of the file being read. A token becomes current once the three after it are known,
// as in the window, so that at each token the input position and the line count (for
// progress and for errors) are those of the token-by-token route. At the first token that
// needs that route, the window is left as that route would have it one token earlier.
int32_t FileReader::takeIfDataBody(IfDataContent& content) {
  if (inputEnded_ || ctx_.skipNextToken || !source_.streamQuiet()) return 0;
  InputFile* in = source_.currentInput();
  if (!in) return 0;
  struct Ahead {
    const char* text;
    uint32_t size;
    const unsigned char* from;
    const unsigned char* to;
    const unsigned char* next;  // where the input stands once this token is read
    int32_t lineAfter;
  };
  Ahead ring[4];  // token k of the pass (1-based) in ring[k & 3]
  for (int j = 1; j <= 3; ++j) {
    const Token& t = ctx_.window.at(j);
    ring[j] = {t.text, t.size, t.from, t.to, in->cur, source_.lineNumber};
  }
  BodyText* out = content.collected();
  int64_t& depth = content.openBlocks();
  const unsigned char* const end = in->end;
  int k = 1;
  for (;; ++k) {
    const Ahead& before = ring[(k + 2) & 3];
    ScannedToken t;
    if (!scanSimpleToken(before.next, end, t) ||
        looksLikeInclude(t.from, static_cast<size_t>(t.to - t.from))) {
      break;
    }
    ring[(k + 3) & 3] = {reinterpret_cast<const char*>(t.from),
                         static_cast<uint32_t>(t.to - t.from),
                         t.from,
                         t.to,
                         t.next,
                         before.lineAfter + t.lines};
    in->cur = t.next;
    source_.lineNumber = before.lineAfter + t.lines;
    const Ahead& cur = ring[k & 3];
    const bool atBegin = cur.size == 6 && std::memcmp(cur.text, "/begin", 6) == 0;
    const bool atEnd = !atBegin && cur.size == 4 && std::memcmp(cur.text, "/end", 4) == 0;
    if (atBegin || atEnd) {
      const Ahead& next = ring[(k + 1) & 3];
      std::string_view keyword(next.text, next.size);
      if (blockKindOf(keyword) != kNone || isObjectSubBlock(keyword) || (atEnd && depth == 0)) {
        break;
      }
      if (atBegin) {
        ++nesting_;
        ++depth;
        if (progress_) {
          ScopedTextArena heap(nullptr);
          if (progress_(percentRead()) != 0) throw ReturnCode::AbortedByCallback;
        }
      } else {
        --nesting_;
        --depth;
      }
    }
    if (out) {
      // Both a token in the window and one in the input buffer have the slack behind them.
      char* to = out->room(cur.size + 1 + InputFile::kReadSlack);
      if (cur.size <= InputFile::kReadSlack) {
        copySlack(to, reinterpret_cast<const unsigned char*>(cur.text));
      } else {
        std::memcpy(to, cur.text, cur.size);
      }
      to[cur.size] = ' ';
      out->commit(cur.size + 1);
    }
  }
  // Token k is the next one: the window gets tokens k to k + 2, the input stands behind k + 2.
  const Ahead& last = ring[(k + 2) & 3];
  in->cur = last.next;
  source_.lineNumber = last.lineAfter;
  const int taken = k - 1;
  if (taken == 0) return 0;
  // Tokens 1 to 3 are in the window already: rotating puts those still ahead in place.
  if (taken < 3) {
    for (int i = 0; i < taken; ++i) ctx_.window.rotate();
  }
  for (int j = 1; j <= 3; ++j) {
    if (k + j - 1 < 4) continue;
    const Ahead& a = ring[(k + j - 1) & 3];
    Token& t = ctx_.window.at(j);
    std::memcpy(t.text, a.text, a.size);
    t.text[a.size] = '\0';
    t.size = a.size;
    t.from = a.from;
    t.to = a.to;
  }
  return taken;
}

void FileReader::openBlock(int kind) {
  std::string* path = ctx_.objectPath();
  switch (kind) {
    case kProject: {
      ctx_.step[0] = 0;
      auto project = std::make_unique<TProject_Intern>();
      // Texts read from here on, the project's own first, go to the new project's arena.
      arenaScope_.reset();
      project->Arena.expect(static_cast<size_t>(fileSize_ > 0 ? fileSize_ : 0));
      arenaScope_.emplace(&project->Arena);
      project->Name = ctx_.tok(2).view();
      project->LongIdentifier = stripQuotes(ctx_.tok(3));
      if (inst_.Project) replacedProjects.push_back(std::move(inst_.Project));
      inst_.Project = std::move(project);
      path[0] = "PROJECT " + inst_.Project->Name;
      level_ = 1;
      FileHeadInfo head;
      if (!inMemory_ && !scanHeldHead(head) && scanFileHead(fileName_, head) != ReturnCode::Ok) {
        failingSlot_ = -2;
        throw ReturnCode::FileOpenFailed;
      }
      inst_.Project->Asap2Version = head.version;
      inst_.Project->Asap2Upgrade = head.upgrade;
      inst_.Project->FileHeadComment = head.headComment;
      return;
    }
    case kHeader:
      ctx_.step[1] = 0;
      path[1] = path[0] + ", HEADER";
      if (!(open_ & bit(kProject))) outsideParent(Expected::kInsideProject);
      level_ = 2;
      return;
    case kModule: {
      ctx_.step[1] = 0;
      if (!(open_ & bit(kProject))) outsideParent(Expected::kInsideProject);
      auto module = std::make_unique<TModule_Intern>();
      module->Owner = inst_.Project.get();
      module->Name = ctx_.tok(2).view();
      module->LongIdentifier = stripQuotes(ctx_.tok(3));
      module->FunctionListsRead.expect(static_cast<size_t>(fileSize_ > 0 ? fileSize_ : 0));
      ctx_.currentModule = inst_.Project->Modules.append(std::move(module));
      path[1] = path[0] + ", MODULE " + ctx_.currentModule->Name;
      level_ = 2;
      return;
    }
    default:
      ctx_.step[2] = 0;
      started_ &= ~bit(kind);
      path[2].assign(path[1]).append(", ").append(kKeywordOf[kind]);
      if (!(open_ & bit(kModule))) outsideParent(Expected::kInsideModule);
      level_ = 3;
      return;
  }
}

void FileReader::closeBlock(int) {
  if (level_ > 0) --level_;
  ctx_.lastParsedObject() = ctx_.objectPath()[level_];
  ctx_.skipNextToken = true;
}

// Behind the head of a PROJECT or MODULE block ("/begin", the keyword, the name and the long
// identifier), which a change of the record rewrites; the head stays in `file`.
uint32_t FileReader::headEnd(uint32_t file) const {
  uint32_t f = 0;
  uint32_t offset = 0;
  const Token& longIdentifier = ctx_.window.at(3);
  if (!longIdentifier.empty() && !longIdentifier.is("/begin") && !longIdentifier.is("/end") &&
      source_.locate(longIdentifier.to, f, offset) && f == file) {
    return offset;
  }
  for (int k : {2, 1}) {
    if (source_.locate(ctx_.window.at(k).to, f, offset) && f == file) return offset;
  }
  return 0;
}

void FileReader::noteOpen(int kind) {
  if (kind == kVariantCoding || kind == kModuleIfData || kind > kModule) return;
  OpenSpan& span = openSpans_[kind];
  if (!source_.locate(ctx_.tok(0).from, span.file, span.begin)) {
    span.file = kNoFile;
    return;
  }
  span.headEnd = kind == kProject || kind == kModule ? headEnd(span.file) : 0;
  if (kind == kProject) {
    ++projectsOpened_;
    if (versionSpan_) {
      versionSpan_->record = inst_.Project.get();
      text_->spans.push_back(*versionSpan_);
      versionSpan_.reset();
    }
  }
}

void FileReader::noteClose(int kind) {
  if (kind == kVariantCoding || kind == kModuleIfData || kind > kModule) return;
  OpenSpan& open = openSpans_[kind];
  if (open.file == kNoFile) return;
  SourceSpan span{};
  switch (kind) {
    case kProject:
    case kHeader:
      span.record = inst_.Project.get();
      span.part = kind == kProject ? SourcePart::kProject : SourcePart::kHeader;
      break;
    case kModule:
    case kModPar:
    case kModCommon:
      span.record = ctx_.currentModule;
      span.part = kind == kModule   ? SourcePart::kModule
                  : kind == kModPar ? SourcePart::kModPar
                                    : SourcePart::kModCommon;
      break;
    default: {
      // An object block whose parser never saw its first token made no record.
      if (!(started_ & bit(kind)) || !ctx_.currentModule) return;
      TModule_Intern& m = *ctx_.currentModule;
      ObjectHead* last = nullptr;
      switch (kind) {
        case kCharacteristic:
          last = m.Characteristics.last();
          break;
        case kMeasurement:
          last = m.Measurements.last();
          break;
        case kFunction:
          last = m.Functions.last();
          break;
        case kCompuMethod:
          last = m.CompuMethods.last();
          break;
        case kCompuTab:
          last = m.CompuTabs.last();
          break;
        case kCompuVTab:
          last = m.CompuVTabs.last();
          break;
        case kAxisPts:
          last = m.AxisPts.last();
          break;
        case kRecordLayout:
          last = m.RecordLayouts.last();
          break;
        default:
          return;
      }
      span.record = last;
      span.part = SourcePart::kObject;
    }
  }
  uint32_t endFile = 0;
  uint32_t keywordFile = 0;
  uint32_t keywordEnd = 0;
  if (!span.record || !source_.locate(ctx_.tok(0).from, endFile, span.endBegin)) return;
  if (open.file > SourceSpan::kMaxFile) {
    // A span cannot name so many files: the text is not kept for a preserving write.
    spansLost_ = true;
    return;
  }
  span.file = static_cast<uint16_t>(open.file);
  span.begin = open.begin;
  // A block that ends in another file than it began in cannot be replaced as one piece.
  span.crossFile = endFile != open.file;
  if (source_.locate(ctx_.tok(1).to, keywordFile, keywordEnd) && keywordFile == endFile &&
      !ctx_.tok(1).empty()) {
    span.end = keywordEnd;
  } else {
    source_.locate(ctx_.tok(0).to, endFile, span.end);
  }
  if (open.headEnd) text_->headEnds.emplace_back(span.record, open.headEnd);
  text_->spans.push_back(span);
  open.file = kNoFile;
}

// "ASAP2_VERSION major minor" ahead of the PROJECT block.
void FileReader::noteVersion() {
  SourceSpan span{};
  uint32_t file = 0;
  uint32_t minorFile = 1;
  if (!source_.locate(ctx_.tok(0).from, file, span.begin) ||
      !source_.locate(ctx_.tok(2).to, minorFile, span.end) || minorFile != file ||
      file > SourceSpan::kMaxFile) {
    return;
  }
  span.file = static_cast<uint16_t>(file);
  span.part = SourcePart::kVersion;
  span.endBegin = span.end;
  versionSpan_ = span;
}

void FileReader::dispatch() {
  uint32_t active = open_ & kDispatchMask;
  if (!active) {
    if (text_ && open_ == 0 && ctx_.tok(0).is("ASAP2_VERSION")) noteVersion();
    return;
  }
  int kind = __builtin_ctz(active);
  if (kind == kHeader) return headerToken();
  if (kind == kModuleIfData) return moduleIfDataToken();
  if (!(started_ & bit(kind))) {
    if (ctx_.step[2] != 0) return;
    started_ |= bit(kind);
  }
  if (BlockParser* parser = parsers_[kind].get()) parser->onToken(ctx_);
}

void FileReader::headerToken() {
  int32_t step = ctx_.step[1]++;
  TProject_Intern& project = *inst_.Project;
  if (step == 0) return;
  if (step == 1) {
    project.HeaderComment = stripQuotes(ctx_.tok(0));
    return;
  }
  const Token& cur = ctx_.tok(0);
  if (cur.is("VERSION")) {
    project.HeaderVersion = stripQuotes(ctx_.tok(1));
  } else if (cur.is("PROJECT_NO")) {
    project.HeaderProjectNo = ctx_.tok(1).view();
  }
}

void FileReader::moduleIfDataToken() {
  int32_t step = ctx_.step[2]++;
  if (step == 0) {
    moduleIfData_ = ctx_.currentModule->IfData.append(std::make_unique<TIfData_Intern>());
    moduleIfDataContent_.begin(moduleIfData_);
    return;
  }
  // An IF_DATA opened inside another object block hands its keyword to that block's parser;
  // when that block closes first, the rest of the IF_DATA arrives here without a step 0.
  if (!moduleIfData_) {
    moduleIfData_ = ctx_.currentModule->IfData.append(std::make_unique<TIfData_Intern>());
    moduleIfDataContent_.begin(moduleIfData_);
  }
  std::string_view token = ctx_.tok(0).view();
  if (step == 1) {
    moduleIfData_->Name = token;
    ctx_.objectPath()[2].append(" ").append(token);
  } else {
    moduleIfDataContent_.add(token);
  }
  ctx_.step[2] += takeIfDataBody(moduleIfDataContent_);
}

const char* expectedText(Expected e) {
  switch (e) {
    case Expected::kInteger:
      return "an integer";
    case Expected::kHexNumber:
      return "a hexadecimal number";
    case Expected::kNumber:
      return "a number";
    case Expected::kWholeNumber:
      return "a whole number";
    case Expected::kEndOfIfData:
      return "/end IF_DATA";
    case Expected::kInsideProject:
      return "a block inside /begin PROJECT";
    case Expected::kInsideModule:
      return "a block inside /begin MODULE";
    case Expected::kIncludeFile:
      return "the name of a file that can be opened";
    case Expected::kIncludeDepth:
      return "includes nested at most nine deep";
    default:
      return "";
  }
}

void FileReader::placeOf(const unsigned char* p, ReadFailure& out, bool block) const {
  uint32_t file = 0;
  uint32_t offset = 0;
  const std::string* path = nullptr;
  const unsigned char* text = nullptr;
  size_t size = 0;
  if (!p || !tokensLocatable() || !source_.locate(p, file, offset) ||
      !source_.fileText(file, path, text, size)) {
    return;
  }
  if (block) {
    out.blockFile = *path;
    locateInText(text, size, offset, out.blockLine, out.blockColumn, nullptr);
  } else {
    out.file = *path;
    locateInText(text, size, offset, out.line, out.column, &out.sourceLine);
  }
}

void FileReader::describeFailure(ReturnCode rc, ReadFailure& out) const {
  const FailureNote& note = failureNote();
  out = ReadFailure{};
  out.returnCode = rc;
  out.file = source_.currentPath();
  if (out.file.empty()) out.file = fileName_;
  int slot = failingSlot_;
  if (rc == ReturnCode::BadNumber && note.text) {
    for (int k = 0; k < 4; ++k) {
      const Token& t = ctx_.window.at(k);
      if (note.text >= t.text && note.text < t.text + Token::kCapacity) slot = k;
    }
  }
  if (rc == ReturnCode::BlockNesting && note.expected == Expected::kEndOfIfData) slot = 1;
  if (rc == ReturnCode::BadNumber || rc == ReturnCode::BlockNesting ||
      rc == ReturnCode::BlockOutsideParent || rc == ReturnCode::IncludeOpenFailed) {
    out.expected = expectedText(note.expected);
  }
  std::optional<OpenBlock> block = failedBlock_;
  if (rc == ReturnCode::BlockNesting && note.expected == Expected::kEndOfIfData && trackBlocks_) {
    block = lastClosed_;
  }
  if (rc == ReturnCode::BlockNesting && note.expected == Expected::kEndOfBlock) {
    if (block) {
      out.expected = "/end " + block->keyword;
    } else if (slot == -1 && nesting_ < 0) {
      out.expected = "no /end: every block is closed";
    }
  }
  if (slot >= 0) {
    const Token& t = ctx_.window.at(slot);
    out.token.assign(t.text, t.size);
    placeOf(t.from, out, false);
  } else if (slot == -1) {
    if (nesting_ < 0 && strayEnd_) {
      out.token = "/end";
      placeOf(strayEnd_, out, false);
    } else if (nesting_ > 0 && mismatch_) {
      out.token = mismatchToken_;
      placeOf(mismatchAt_, out, false);
    } else {
      // The input ends in the top file.
      const std::string* path = nullptr;
      const unsigned char* text = nullptr;
      size_t size = 0;
      if (tokensLocatable() && source_.fileText(0, path, text, size)) {
        out.file = *path;
        // Behind the last character of the last line.
        size_t end = size;
        while (end > 0 && (text[end - 1] == '\n' || text[end - 1] == '\r')) --end;
        locateInText(text, size, end, out.line, out.column, &out.sourceLine);
      }
    }
  }
  if (block && block->at) placeOf(block->at, out, true);
}

}  // namespace

namespace {
const TOrdex* gInstanceBeingRead = nullptr;

// Marks a read as running for as long as it runs, however it ends.
class ReadInProgress {
 public:
  explicit ReadInProgress(const TOrdex& inst) { gInstanceBeingRead = &inst; }
  ~ReadInProgress() { gInstanceBeingRead = nullptr; }
  ReadInProgress(const ReadInProgress&) = delete;
  ReadInProgress& operator=(const ReadInProgress&) = delete;
};

// However a read fails, the FUNCTION_LIST names it gathered stay with their modules as
// pending names, for a later fold; a read that succeeds has folded them all already.
class FunctionListsKeptOnFailure {
 public:
  explicit FunctionListsKeptOnFailure(TOrdex& inst) : inst_(inst) {}
  ~FunctionListsKeptOnFailure() {
    if (!inst_.Project) return;
    for (TModule_Intern* m : inst_.Project->Modules) m->FunctionListsRead.keepPending();
  }
  FunctionListsKeptOnFailure(const FunctionListsKeptOnFailure&) = delete;
  FunctionListsKeptOnFailure& operator=(const FunctionListsKeptOnFailure&) = delete;

 private:
  TOrdex& inst_;
};
}  // namespace

const TOrdex* instanceBeingRead() {
  return gInstanceBeingRead;
}

namespace {
// A read that cannot tell the place of its failure (it did not hold its files whole, or the
// failure is a block left open) reads the same input again, holding the files and following
// the blocks, up to the same failure. Failures are rare and this costs a second read of the
// text before the failure, so a read that goes well pays nothing for it.
void locateFailureAgain(TOrdex& inst, const char* fileName, int64_t size,
                        const std::string_view* memoryText, ReturnCode rc) {
  try {
    TOrdex scratch;
    SourceText text;
    FileReader reader(scratch, fileName, size, nullptr, memoryText ? nullptr : &text, memoryText);
    reader.trackBlocks();
    failureNote() = FailureNote{};
    try {
      reader.run();
    } catch (ReturnCode again) {
      if (again == rc) {
        ReadFailure found;
        reader.describeFailure(again, found);
        if (found.line > 0) inst.Failure = std::move(found);
      }
    }
    reader.closeFiles();
  } catch (const std::bad_alloc&) {
    // The place stays as the first read could tell it.
  }
}

// Destroys a reader placed in memory of platform::allocateLarge.
struct ReaderDelete {
  void operator()(FileReader* reader) const {
    reader->~FileReader();
    platform::releaseLarge(reader, sizeof(FileReader));
  }
};

// The read proper, from a file or from text in memory.
ReturnCode readInto(TOrdex& inst, const char* fileName, const std::string_view* memoryText,
                    ProgressCallback progress, ReadFinisher finish) {
  // A read started from the progress callback of another read would replace the project
  // that the running read is filling.
  if (gInstanceBeingRead) return ReturnCode::InvalidArgument;
  ReadInProgress running(inst);
  FunctionListsKeptOnFailure keepFunctionLists(inst);
  for (std::string& p : inst.ObjectPath) p.clear();
  inst.LastParsedObject.clear();
  inst.Failure = ReadFailure{};
  failureNote() = FailureNote{};
  inst.OtherCaseIncludes = 0;
  inst.FirstOtherCaseIncludeLine = 0;
  int64_t size = memoryText ? static_cast<int64_t>(memoryText->size()) : plainFileSize(fileName);
  if (size < 0) {
    inst.Failure.returnCode = ReturnCode::FileOpenFailed;
    inst.Failure.file = fileName ? fileName : "";
    return ReturnCode::FileOpenFailed;
  }
  inst.LineNumber = 1;
  // The text outlives the reader, whose files it receives however the read ends.
  std::unique_ptr<SourceText> text;
  std::unique_ptr<FileReader, ReaderDelete> reader;
  // A small read's spans, reader and scratch blocks share the huge page of its text and
  // model; a larger read leaves the page's room to its text and model.
  platform::SharedPageScope sharePage(size >=
                                          static_cast<int64_t>(platform::kSharedPageWorthBytes) &&
                                      size <= static_cast<int64_t>(platform::kSharedPageAllBytes));
  try {
    if (!memoryText && !(inst.ReadOptions & kReadWithoutSource)) {
      text = std::make_unique<SourceText>();
      // Room for more spans than a file of this size holds (a block is rarely under 256
      // bytes): the list then never moves, and what it does not use is never touched.
      text->spans.reserve(static_cast<size_t>(size / 256));
    }
    // From the shared huge page when the read shares it: the reader's own pages then cost no
    // page faults of their own.
    void* room = platform::allocateLarge(sizeof(FileReader));
    try {
      reader.reset(new (room) FileReader(inst, fileName, size, progress, text.get(), memoryText));
    } catch (...) {
      platform::releaseLarge(room, sizeof(FileReader));
      throw;
    }
    // The other-case includes are noted however the read ends.
    struct NoteOtherCaseIncludes {
      TOrdex& inst;
      const FileReader& reader;
      ~NoteOtherCaseIncludes() {
        inst.OtherCaseIncludes = reader.source().otherCaseIncludes;
        inst.FirstOtherCaseIncludeLine = reader.source().firstOtherCaseIncludeLine;
      }
    } note{inst, *reader};
    reader->run();
    reader->closeFiles();
    // A file whose modules all stand behind an include that is not followed would read as
    // an empty success: it fails as an include that cannot be opened, at its line.
    if (!memoryText && reader->source().otherCaseIncludes > 0 &&
        (!inst.Project || inst.Project->Modules.empty())) {
      inst.LineNumber = reader->source().firstOtherCaseIncludeLine;
      return ReturnCode::IncludeOpenFailed;
    }
    if (text && inst.Project && reader->textComplete()) inst.Project->Source = std::move(text);
    if (finish) finish(inst);
    inst.LineNumber = -1;
    return ReturnCode::Ok;
  } catch (ReturnCode rc) {
    if (reader) {
      reader->keepOpenAnnotationText();
      reader->describeFailure(rc, inst.Failure);
      reader->closeFiles();
      inst.LineNumber = reader->lineNumber();
      const bool relocate =
          (rc == ReturnCode::BadNumber || rc == ReturnCode::BlockOutsideParent ||
           rc == ReturnCode::IncludeOpenFailed || rc == ReturnCode::BlockNesting) &&
          (!reader->tokensLocatable() || rc == ReturnCode::BlockNesting);
      reader.reset();
      text.reset();
      if (relocate) locateFailureAgain(inst, fileName, size, memoryText, rc);
    }
    return rc;
  } catch (const std::bad_alloc&) {
    if (reader) {
      try {
        reader->keepOpenAnnotationText();
      } catch (const std::bad_alloc&) {
        // No room for the text either: the annotation keeps what it had.
      }
      reader->closeFiles();
      inst.LineNumber = reader->lineNumber();
    }
    inst.Failure.returnCode = ReturnCode::OutOfMemory;
    return ReturnCode::OutOfMemory;
  }
}
}  // namespace

ReturnCode readAsapFile(TOrdex& inst, const char* fileName, ProgressCallback progress,
                        ReadFinisher finish) {
  return readInto(inst, fileName, nullptr, progress, finish);
}

ReturnCode readAsapText(TOrdex& inst, std::string_view text, ReadFinisher finish) {
  return readInto(inst, "(text)", &text, nullptr, finish);
}

}  // namespace ordex
