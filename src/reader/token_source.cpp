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
  includePending_ = enabled && secondAhead.is("/include");
  if (includePending_) pendingInclude_ = stripQuotesView(thirdAhead.view());
}

int64_t TokenSource::charsRead() const {
  int64_t consumed = depth_ >= 0 && stack_[0] ? stack_[0]->consumed() : topConsumed_;
  return consumed + topEndAttempts_;
}

void TokenSource::closeAll() {
  for (int i = depth_; i >= 0; --i) {
    if (i == 0 && stack_[0]) topConsumed_ = stack_[0]->consumed();
    stack_[i].reset();
  }
  depth_ = -1;
}

// An include name is opened as written; a relative name that cannot be opened so is tried
// in the folder of the including file, as files are commonly written that way. An empty
// name (NULL, or "" after quote stripping) names no file: nothing is opened for it, not
// even through the file-access module, which might take it for a folder.
bool TokenSource::openInclude(const std::string& name) {
  if (name.empty()) return false;
  std::unique_ptr<InputFile> in = InputFile::open(name);
  if (!in && name[0] != '/') {
    std::string folder = folderOf(stack_[depth_]->path());
    if (!folder.empty()) in = InputFile::open(folder + name);
  }
  if (!in) return false;
  stack_[++depth_] = std::move(in);
  return true;
}

TOrdexReturnCode TokenSource::next(Token& out) {
  if (finished_) return rcFileAccessFailed;
  if (!started_) {
    started_ = true;
    stack_[0] = InputFile::open(topFile_);
    if (!stack_[0]) {
      finished_ = true;
      return rcFileOpenFailed;
    }
    depth_ = 0;
  }
  if (includePending_) {
    includePending_ = false;
    if (depth_ + 1 >= kMaxOpenFiles || !openInclude(pendingInclude_)) {
      closeAll();
      finished_ = true;
      return rcIncludeOpenFailed;
    }
  }
  for (;;) {
    // The end of an included file ends a token, as the including file goes on behind it.
    if (readToken(*stack_[depth_], out, &lineNumber, depth_ > 0)) break;
    if (depth_ == 0) {
      ++topEndAttempts_;
      closeAll();
      finished_ = true;
      return rcFileAccessFailed;
    }
    stack_[depth_--].reset();
  }
  if (includeEnabled_ && lastWasInclude_) {
    pendingInclude_ = stripQuotesView(out.view());
    includePending_ = true;
  }
  lastWasInclude_ = out.is("/include");
  if (includeEnabled_ && !lastWasInclude_ && isOtherCaseInclude(out)) {
    if (otherCaseIncludes++ == 0) firstOtherCaseIncludeLine = lineNumber;
  }
  return rcOk;
}

}  // namespace ordex
