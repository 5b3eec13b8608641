#include "reader/token_source.h"

#include "reader/token_helpers.h"
#include "reader/tokenizer.h"

namespace ordex {

namespace {
std::string folderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// "/include" in any letter case but the exact one.
bool isOtherCaseInclude(const Token& t) {
  static constexpr char kInclude[] = "/include";
  if (t.size != 8 || t.text[0] != '/' || t.is(kInclude)) return false;
  for (int i = 1; i < 8; ++i) {
    if ((t.text[i] | 0x20) != kInclude[i]) return false;
  }
  return true;
}
}  // namespace

void TokenSource::switchIncludes(bool enabled, const Token& secondAhead, const Token& thirdAhead) {
  includeEnabled_ = enabled;
  // The name behind an "/include" second ahead was read already; one third ahead is the
  // last token read, and the next token read is its name, which the switch governs as is.
  includePending_ = enabled && secondAhead.is("/include") && !fromText_;
  if (includePending_) {
    pendingInclude_ = stripQuotesView(thirdAhead.view());
    notePendingIncludePlace(secondAhead.from, thirdAhead.to);
  }
}

void TokenSource::notePendingIncludePlace(const unsigned char* keyword,
                                          const unsigned char* nameEnd) {
  uint32_t keywordFile = 0;
  uint32_t nameFile = 1;
  includeBegin_ = includeEnd_ = 0;
  if (files_ && locate(keyword, keywordFile, includeBegin_) &&
      locate(nameEnd, nameFile, includeEnd_) && keywordFile != nameFile) {
    includeBegin_ = includeEnd_ = 0;
  }
}

int64_t TokenSource::charsRead() const {
  int64_t consumed = depth_ >= 0 && stack_[0] ? stack_[0]->consumed() : topConsumed_;
  return consumed + topEndAttempts_;
}

void TokenSource::record(InputFile& in, const std::string& includeName) {
  in.index = opened_++;
  if (!files_) return;
  auto file = std::make_unique<SourceFile>();
  file->path = in.path();
  file->includeName = includeName;
  if (depth_ >= 0) {
    file->parent = static_cast<int32_t>(stack_[depth_]->index);
    file->includeBegin = includeBegin_;
    file->includeEnd = includeEnd_;
  }
  files_->push_back(std::move(file));
}

bool TokenSource::locate(const unsigned char* p, uint32_t& file, uint32_t& offset) const {
  if (!p) return false;
  for (int d = depth_; d >= 0; --d) {
    const InputFile& in = *stack_[d];
    if (p >= in.bufferStart() && p <= in.end) {
      file = in.index;
      offset = static_cast<uint32_t>(p - in.bufferStart());
      return true;
    }
  }
  if (!files_) return false;
  for (uint32_t f = 0; f < files_->size(); ++f) {
    const SourceFile& s = *(*files_)[f];
    const unsigned char* base = s.buffer.data();
    if (base && p >= base && p <= base + s.size) {
      file = f;
      offset = static_cast<uint32_t>(p - base);
      return true;
    }
  }
  return false;
}

bool TokenSource::fileText(uint32_t file, const std::string*& path, const unsigned char*& text,
                           size_t& size) const {
  for (int d = depth_; d >= 0; --d) {
    const InputFile& in = *stack_[d];
    if (in.index == file) {
      path = &in.path();
      text = in.bufferStart();
      size = static_cast<size_t>(in.end - in.bufferStart());
      return true;
    }
  }
  if (!files_ || file >= files_->size() || !(*files_)[file]->buffer.data()) return false;
  const SourceFile& s = *(*files_)[file];
  path = &s.path;
  text = s.buffer.data();
  size = s.size;
  return true;
}

void TokenSource::close(int d) {
  std::unique_ptr<InputFile>& in = stack_[d];
  if (!in) return;
  if (d == 0) topConsumed_ = in->consumed();
  if (files_ && in->retaining() && in->index < files_->size()) {
    SourceFile& file = *(*files_)[in->index];
    file.buffer = in->takeText(file.size);
    if (static_cast<int64_t>(file.size) > InputFile::kMaxRetainedSize) textKept_ = false;
  }
  in.reset();
}

void TokenSource::closeAll() {
  for (int i = depth_; i >= 0; --i) close(i);
  depth_ = -1;
}

// An include name is opened as written; a relative name that cannot be opened so is tried
// in the folder of the including file, as files are commonly written that way. An empty
// name (NULL, or "" after quote stripping) names no file: nothing is opened for it, not
// even through the file-access module, which might take it for a folder.
bool TokenSource::openInclude(const std::string& name) {
  if (name.empty()) return false;
  const bool retain = files_ != nullptr;
  std::unique_ptr<InputFile> in = InputFile::open(name, retain);
  if (!in && name[0] != '/') {
    std::string folder = folderOf(stack_[depth_]->path());
    if (!folder.empty()) in = InputFile::open(folder + name, retain);
  }
  if (!in) return false;
  record(*in, name);
  stack_[++depth_] = std::move(in);
  return true;
}

ReturnCode TokenSource::next(Token& out) {
  if (finished_) return ReturnCode::FileAccessFailed;
  if (!started_) {
    started_ = true;
    stack_[0] = fromText_ ? InputFile::fromText(topFile_, text_)
                          : InputFile::open(topFile_, files_ != nullptr);
    if (!stack_[0]) {
      finished_ = true;
      return ReturnCode::FileOpenFailed;
    }
    record(*stack_[0], std::string());
    depth_ = 0;
  }
  if (includePending_) {
    includePending_ = false;
    if (depth_ + 1 >= kMaxOpenFiles || !openInclude(pendingInclude_)) {
      includeTooDeep_ = depth_ + 1 >= kMaxOpenFiles;
      closeAll();
      finished_ = true;
      return ReturnCode::IncludeOpenFailed;
    }
  }
  for (;;) {
    // The end of an included file ends a token, as the including file goes on behind it.
    if (readToken(*stack_[depth_], out, &lineNumber, depth_ > 0)) break;
    if (depth_ == 0) {
      ++topEndAttempts_;
      closeAll();
      finished_ = true;
      return ReturnCode::FileAccessFailed;
    }
    close(depth_--);
  }
  if (includeEnabled_ && lastWasInclude_ && !fromText_) {
    pendingInclude_ = stripQuotesView(out.view());
    includePending_ = true;
    notePendingIncludePlace(includeKeyword_, out.to);
  }
  lastWasInclude_ = out.is("/include");
  if (lastWasInclude_) {
    includeKeyword_ = out.from;
  } else if (includeEnabled_ && isOtherCaseInclude(out)) {
    if (otherCaseIncludes++ == 0) firstOtherCaseIncludeLine = lineNumber;
  }
  return ReturnCode::Ok;
}

}  // namespace ordex
