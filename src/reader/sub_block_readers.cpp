#include "reader/sub_block_readers.h"

#include <limits>

#include "reader/token_helpers.h"

namespace ordex {

NumberText readNumberText(std::string_view token) {
  NumberText n;
  n.Value = parseDouble(token);
  n.Text.assign(token);
  return n;
}

int32_t leadingDecimal(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int64_t value = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    if (value <= int64_t(1) << 32) value = value * 10 + (s[i] - '0');
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

void beginSubBlock(ParseContext& ctx, std::string_view keyword, bool keepCounter) {
  if (!keepCounter) ctx.step[3] = 0;
  std::string* path = ctx.objectPath();
  path[3] = path[2];
  path[3].append(", ").append(keyword);
}

void endSubBlock(ParseContext& ctx) {
  ctx.lastParsedObject() = ctx.objectPath()[3];
  ctx.skipNextToken = true;
}

void AnnotationReader::onToken(ParseContext& ctx, int32_t& lineCounter, int32_t* maxTextSize) {
  if ((ctx.atBegin || ctx.atEnd) && ctx.tok(1).is("ANNOTATION_TEXT")) {
    if (ctx.atBegin) {
      textOpen_ = true;
      lineCounter = 0;
      // A second ANNOTATION_TEXT continues the text of the first.
      if (annotation_) text_.assign(annotation_->Text.view());
      ctx.openAnnotationText = this;
      return;
    }
    keepOpenText();
    ctx.openAnnotationText = nullptr;
    if (maxTextSize && annotation_) {
      size_t needed = annotation_->Text.size() + 1;
      if (needed > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
        needed = std::numeric_limits<int32_t>::max();
      }
      if (static_cast<int32_t>(needed) > *maxTextSize) *maxTextSize = static_cast<int32_t>(needed);
    }
    ctx.skipNextToken = true;
    return;
  }
  if (!annotation_) return;
  Token& cur = ctx.tok(0);
  if (textOpen_) {
    if (lineCounter++ == 0) return;  // the ANNOTATION_TEXT keyword
    text_.append(stripQuotes(cur));
    return;
  }
  if (cur.is("ANNOTATION_LABEL")) {
    annotation_->Label.assign(stripQuotes(ctx.tok(1)));
  } else if (cur.is("ANNOTATION_ORIGIN")) {
    annotation_->Origin.assign(stripQuotes(ctx.tok(1)));
  }
}

void AnnotationReader::keepOpenText() {
  if (!textOpen_) return;
  textOpen_ = false;
  if (annotation_ && text_ != annotation_->Text.view()) annotation_->Text.assign(text_);
}

void BodyText::grow(size_t n) {
  size_t capacity = capacity_ ? capacity_ * 2 : 4096;
  while (capacity - size_ < n) capacity *= 2;
  char* data = static_cast<char*>(platform::allocateLarge(capacity));
  if (size_) std::memcpy(data, data_, size_);
  platform::releaseLarge(data_, capacity_);
  data_ = data;
  capacity_ = capacity;
}

IfDataContent::~IfDataContent() {
  // Reached only when a read stops inside an IF_DATA body; the partial body is kept if it
  // can be.
  try {
    finish();
  } catch (...) {
  }
}

void IfDataReader::onToken(ParseContext& ctx, IfDataList& list, std::string* pathToExtend) {
  int32_t counter = counter_++;
  if (counter == 0) {
    entry_ = list.append(std::make_unique<TIfData_Intern>());
    content_.begin(entry_);
    return;
  }
  std::string_view token = ctx.tok(0).view();
  if (counter == 1) {
    if (lastName_ && lastModule_ == ctx.currentModule && *lastName_ == token) {
      entry_->Name.share(*lastName_);
    } else {
      entry_->Name.assign(token);
    }
    lastName_ = &entry_->Name;
    lastModule_ = ctx.currentModule;
    if (pathToExtend) pathToExtend->append(" ").append(token);
    return takeBulk(ctx);
  }
  content_.add(token);
  takeBulk(ctx);
}

void IfDataShortForm::onToken(ParseContext& ctx, IfDataList& list) {
  std::string_view token = ctx.tok(0).view();
  if (taken_++ == 0) {
    entry_ = list.append(std::make_unique<TIfData_Intern>());
    entry_->Name.assign(token);
    content_.begin(entry_);
    return;
  }
  content_.add(token);
  if (taken_ > values_) stop();
}

bool ifDataOrFunctionListBoundary(ParseContext& ctx, IfDataReader& ifData, bool& functionListOpen) {
  const Token& next = ctx.tok(1);
  if (next.is("IF_DATA")) {
    if (ctx.atBegin) {
      ifData.start();
      beginSubBlock(ctx, "IF_DATA", /*keepCounter=*/true);
    } else {
      ifData.stop();
      endSubBlock(ctx);
    }
    return true;
  }
  if (next.is("FUNCTION_LIST")) {
    functionListOpen = ctx.atBegin;
    if (ctx.atBegin) {
      beginSubBlock(ctx, "FUNCTION_LIST");
    } else {
      endSubBlock(ctx);
    }
    return true;
  }
  return false;
}

}  // namespace ordex
