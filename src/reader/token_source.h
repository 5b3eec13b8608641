// The token stream of a whole read: the top file and the files it includes, nested at
// most nine deep.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <vector>

#include "model/source_text.h"
#include "platform/return_code.h"
#include "reader/input_file.h"
#include "reader/token.h"

namespace ordex {

class TokenSource {
 public:
  static constexpr int kMaxOpenFiles = 10;  // the top file and nine nested includes

  // With `files`, every file opened is recorded there, in the order of opening, with all
  // its bytes once it is closed (the index of a token's file is its place in that list).
  explicit TokenSource(std::string topFile,
                       std::vector<std::unique_ptr<SourceFile>>* files = nullptr)
      : topFile_(std::move(topFile)), files_(files) {}
  // Reads text held in memory instead of the top file; no "/include" is followed.
  void readFromText(std::string_view text) {
    text_ = text;
    fromText_ = true;
  }

  // 0 with the next token in `out`; -7 at the end of the top file; -4 when the top file
  // cannot be opened; -6 when an included file cannot be opened or includes nest too deep
  // (every file is closed then).
  ReturnCode next(Token& out);
  void closeAll();
  // False when a file was too large to keep its text: the recorded files are then incomplete.
  bool textKept() const { return textKept_; }
  // The file and the offset in it of a byte of a token (or the place behind its last byte),
  // while the files are held whole; false for a token of no file.
  bool locate(const unsigned char* p, uint32_t& file, uint32_t& offset) const;
  // The path and the bytes held of a file of the read (the file at that place of the list
  // of files opened), while they are held; false otherwise.
  bool fileText(uint32_t file, const std::string*& path, const unsigned char*& text,
                size_t& size) const;
  // The path of the file being read, empty before the first and after the last.
  std::string currentPath() const { return depth_ >= 0 ? stack_[depth_]->path() : std::string(); }
  // After -6: whether the include was refused for nesting too deep.
  bool includeTooDeep() const { return includeTooDeep_; }

  // "/include" is honoured only while includes are enabled (not inside A2ML).
  bool includeEnabled() const { return includeEnabled_; }
  // Switches includes on or off. The reader switches when it examines the token whose block
  // switches them, three tokens behind the last one read: an "/include" among those three
  // (the second and third ahead) is taken as if it had been read after the switch, so the
  // file named right behind an "/end A2ML" is opened, and one right behind "/begin A2ML" is
  // not.
  void switchIncludes(bool enabled, const Token& secondAhead, const Token& thirdAhead);
  // "/include" written in another letter case ("/INCLUDE"), which is not followed: how many
  // the read met where includes were enabled, and the line of the first (0 when none).
  int32_t otherCaseIncludes = 0;
  int32_t firstOtherCaseIncludeLine = 0;
  // Line counter: 1 at the start, +1 at every line feed read from any file.
  int32_t lineNumber = 1;
  // Characters read so far from the top file, for progress.
  int64_t charsRead() const;

  // The file being read, for a pass that takes tokens from its buffer directly; null before
  // the first token and after the end. Such a pass may move its cur within the buffer and
  // add the line feeds it passed to lineNumber, as long as it takes no "/include" (in any
  // letter case) and starts only while streamQuiet().
  InputFile* currentInput() { return depth_ >= 0 && !finished_ ? stack_[depth_].get() : nullptr; }
  // The top file while it is open.
  const InputFile* topInput() const { return depth_ >= 0 ? stack_[0].get() : nullptr; }
  // No include is pending: the last token read was no "/include" and named no file to open.
  bool streamQuiet() const { return !includePending_ && !lastWasInclude_; }

 private:
  bool openInclude(const std::string& name);
  // Where the "/include" directive to be followed stands in its file (both ends 0 when its
  // keyword and name are not in one file), for the record of the file it opens.
  void notePendingIncludePlace(const unsigned char* keyword, const unsigned char* nameEnd);
  // Gives a file a place among the files of the read.
  void record(InputFile& in, const std::string& includeName);
  // Moves the bytes of the file at depth d into its record and closes it.
  void close(int d);

  std::string topFile_;
  std::vector<std::unique_ptr<SourceFile>>* files_;
  std::string_view text_;
  bool fromText_ = false;
  uint32_t opened_ = 0;
  bool textKept_ = true;
  const unsigned char* includeKeyword_ = nullptr;
  uint32_t includeBegin_ = 0;
  uint32_t includeEnd_ = 0;
  std::unique_ptr<InputFile> stack_[kMaxOpenFiles];
  int depth_ = -1;
  bool started_ = false;
  bool finished_ = false;
  bool includeEnabled_ = true;
  bool lastWasInclude_ = false;
  std::string pendingInclude_;
  bool includePending_ = false;
  bool includeTooDeep_ = false;
  int64_t topConsumed_ = 0;
  int64_t topEndAttempts_ = 0;
};

}  // namespace ordex
