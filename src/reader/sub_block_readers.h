// Readers of the sub-blocks that CHARACTERISTIC, AXIS_PTS, MEASUREMENT and FUNCTION share:
// ANNOTATION (with its ANNOTATION_TEXT lines), IF_DATA bodies and their short forms, and
// the name lists of FUNCTION_LIST, VIRTUAL and the FUNCTION blocks. Each reader holds only
// its own working state; the block parser decides when a sub-block opens and closes and
// hands it the tokens in between.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "model/project.h"
#include "model/sub_records.h"
#include "platform/large_buffer.h"
#include "reader/parse_context.h"
#include "reader/read_failure_note.h"

namespace ordex {

// A number kept with its text: Text is the token as written, Value parseDouble of it.
NumberText readNumberText(std::string_view token);

// The decimal number at the start of a token: leading blanks and one sign allowed, reading
// stops at the first other character, no digits give 0, clamped to 32 bits. Never fails.
int32_t leadingDecimal(std::string_view token);

// Bookkeeping of a sub-block boundary inside an object block. At "/begin": the error-report
// path one level deeper names the sub-block and, unless keepCounter, the sub-block argument
// counter (step[3]) restarts. At "/end": that path becomes the last parsed object and the
// keyword behind "/end" is not examined.
void beginSubBlock(ParseContext& ctx, std::string_view keyword, bool keepCounter = false);
void endSubBlock(ParseContext& ctx);

// The body of one ANNOTATION: ANNOTATION_LABEL, ANNOTATION_ORIGIN and the strings of every
// ANNOTATION_TEXT, quotes removed and joined without separator.
class AnnotationReader {
 public:
  // A new annotation opened; the following tokens fill it.
  void start(TAnnotation_Intern* annotation) {
    annotation_ = annotation;
    textOpen_ = false;
  }
  void stop() { start(nullptr); }
  bool isOpen() const { return annotation_ != nullptr; }
  // Gives the annotation the text of an ANNOTATION_TEXT still open (a read that fails
  // inside one keeps what it read of it).
  void keepOpenText();

  // One token of the open annotation. lineCounter is the block counter that numbers the
  // tokens of an ANNOTATION_TEXT; maxTextSize, when given, is raised at "/end
  // ANNOTATION_TEXT" to the length of the annotation's text plus one.
  void onToken(ParseContext& ctx, int32_t& lineCounter, int32_t* maxTextSize);

 private:
  TAnnotation_Intern* annotation_ = nullptr;
  bool textOpen_ = false;
  // The lines of the open ANNOTATION_TEXT, joined; the annotation receives them in one
  // piece at its end. The room is kept from one annotation to the next.
  std::string text_;
};

// A text being collected, grown geometrically; it keeps its room from one body to the next.
class BodyText {
 public:
  BodyText() = default;
  BodyText(const BodyText&) = delete;
  BodyText& operator=(const BodyText&) = delete;
  ~BodyText() { platform::releaseLarge(data_, capacity_); }
  // Room for n bytes behind the text; they become part of it with commit().
  char* room(size_t n) {
    if (capacity_ - size_ < n) grow(n);
    return data_ + size_;
  }
  void commit(size_t n) { size_ += n; }
  // Appends a token and one blank.
  void appendToken(std::string_view token) {
    char* to = room(token.size() + 1);
    if (!token.empty()) std::memcpy(to, token.data(), token.size());
    to[token.size()] = ' ';
    commit(token.size() + 1);
  }
  std::string_view view() const { return std::string_view(data_, size_); }
  void clear() { size_ = 0; }

 private:
  void grow(size_t n);
  char* data_ = nullptr;  // from platform::allocateLarge
  size_t size_ = 0;
  size_t capacity_ = 0;
};

// Collects the body of an IF_DATA entry token by token, each followed by one blank, and
// stores it in the entry as one text when the entry is done, so that a long body is copied
// once. An entry still open when the read stops is stored when the collector goes away.
class IfDataContent {
 public:
  IfDataContent() = default;
  IfDataContent(const IfDataContent&) = delete;
  IfDataContent& operator=(const IfDataContent&) = delete;
  ~IfDataContent();

  // Starts the body of entry (storing the body of the previous one).
  void begin(TIfData_Intern* entry) {
    finish();
    entry_ = entry;
    buffer_.clear();
    depth_ = 0;
  }
  // The blocks of a body open and close inside it. An "/end" that closes none of them is a
  // misspelt end of the IF_DATA itself ("/end IF_DATX"): it balances the IF_DATA's "/begin"
  // but closes nothing, so the body would run on to the end of its object and be written
  // back with a stray "/end" that the written file cannot be read with. Such a file is
  // refused (-101) rather than kept with a body that does not read back.
  void add(std::string_view token) {
    if (token == "/begin") {
      ++depth_;
    } else if (token == "/end" && depth_-- == 0) {
      failWith(ReturnCode::BlockNesting, Expected::kEndOfIfData);
    }
    if (entry_) buffer_.appendToken(token);
  }
  void finish() {
    if (entry_) entry_->Content = buffer_.view();
    entry_ = nullptr;
  }
  // For a pass that adds tokens itself, exactly as add() does: the text collected (null when
  // no entry takes it) and the blocks of the body open.
  BodyText* collected() { return entry_ ? &buffer_ : nullptr; }
  int64_t& openBlocks() { return depth_; }

 private:
  TIfData_Intern* entry_ = nullptr;
  BodyText buffer_;
  int64_t depth_ = 0;  // blocks of the body open at this token
};

// An IF_DATA body: its keyword creates the entry, the next token is the Name, every later
// token goes to Content exactly as read, followed by one blank. It counts its tokens
// itself, so an IF_DATA block inside another sub-block leaves that one's counter alone.
class IfDataReader {
 public:
  void start() {
    open_ = true;
    counter_ = 0;
    entry_ = nullptr;
  }
  // The body's tokens after the current one, taken in one pass while they are ordinary ones.
  void takeBulk(ParseContext& ctx) {
    if (!ctx.bulk) return;
    int32_t n = ctx.bulk->takeIfDataBody(content_);
    counter_ += n;
    ctx.step[2] += n;
  }
  void stop() {
    open_ = false;
    entry_ = nullptr;
    content_.finish();
  }
  bool isOpen() const { return open_; }
  // pathToExtend, when given, receives a blank and the interface name.
  void onToken(ParseContext& ctx, IfDataList& list, std::string* pathToExtend);

 private:
  bool open_ = false;
  int32_t counter_ = 0;
  TIfData_Intern* entry_ = nullptr;
  IfDataContent content_;
  // The interface name of the last entry made and its module: most blocks of a module name
  // the same interface, and an entry of the same module shares that text.
  const ordex::Text* lastName_ = nullptr;
  const TModule_Intern* lastModule_ = nullptr;
};

// The IF_DATA short form written without "/begin": IF_DATA DIM a b ... The word becomes
// the Name of a new entry and the given number of tokens after it its Content.
class IfDataShortForm {
 public:
  // Called at the IF_DATA keyword when the next token is a short-form word.
  void start(int32_t values) {
    values_ = values;
    taken_ = 0;
    entry_ = nullptr;
  }
  void stop() {
    start(-1);
    content_.finish();
  }
  bool isRunning() const { return taken_ <= values_; }
  void onToken(ParseContext& ctx, IfDataList& list);

 private:
  int32_t values_ = -1;
  int32_t taken_ = 0;  // tokens taken so far, the word included
  TIfData_Intern* entry_ = nullptr;
  IfDataContent content_;
};

// The "/begin" or "/end" of an IF_DATA or FUNCTION_LIST sub-block of an object block (the
// current token is "/begin" or "/end"): opens or closes it. False for other sub-blocks.
bool ifDataOrFunctionListBoundary(ParseContext& ctx, IfDataReader& ifData, bool& functionListOpen);

// Appends a new entry holding name to a name list.
template <class Entry>
void appendName(EntryList<Entry>& list, std::string_view name) {
  auto entry = std::make_unique<Entry>();
  entry->Name.assign(name);
  list.append(std::move(entry));
}

// A token of an open name-list sub-block (FUNCTION_LIST, VIRTUAL, the FUNCTION lists): the
// sub-block keyword itself (counter 0) is passed over, every later token is a name.
template <class Entry>
void readNameListToken(ParseContext& ctx, EntryList<Entry>& list) {
  if (ctx.step[3]++ == 0) return;
  appendName(list, ctx.tok(0).view());
}

// The current token as a name of a FUNCTION_LIST of object, in either form. It is kept with
// the object's module until the end of the read, which folds it into the named function.
inline void addFunctionListName(ParseContext& ctx, ObjectHead& object) {
  static_cast<TModule_Intern*>(object.Owner)->FunctionListsRead.add(object, ctx.tok(0).view());
}

// A token of an open FUNCTION_LIST sub-block: the keyword (counter 0) is passed over.
inline void readFunctionListToken(ParseContext& ctx, ObjectHead& object) {
  if (ctx.step[3]++ == 0) return;
  addFunctionListName(ctx, object);
}

}  // namespace ordex
