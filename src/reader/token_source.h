// The token stream of a whole read: the top file and the files it includes, nested at
// most nine deep.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <vector>

#include "model/source_text.h"
#include "ordex.h"
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
  TOrdexReturnCode next(Token& out);
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

  // "/include" is honoured only while this is set (it is cleared inside A2ML).
  bool includeEnabled = true;
  // Line counter: 1 at the start, +1 at every line feed read from any file.
  int32_t lineNumber = 1;
  // Characters read so far from the top file, for progress.
  int64_t charsRead() const;

 private:
  bool openInclude(const std::string& name);
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
  bool lastWasInclude_ = false;
  std::string pendingInclude_;
  bool includePending_ = false;
  bool includeTooDeep_ = false;
  int64_t topConsumed_ = 0;
  int64_t topEndAttempts_ = 0;
};

}  // namespace ordex
