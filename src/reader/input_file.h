// One open input of the reader: a plain file read through a large buffer, or a handle of
// the file-access module read one character per call.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/file_access_module.h"

namespace ordex {

class InputFile {
 public:
  // Bytes readable (but not part of the input) behind end.
  static constexpr size_t kReadSlack = 64;

  // Opens through the file-access module when one is in use, else as a plain file. Null
  // when the file cannot be opened (a directory or other non-regular file counts as not
  // openable). A UTF-8 byte-order mark at the start is skipped.
  static std::unique_ptr<InputFile> open(const std::string& path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  const std::string& path() const { return path_; }

  // Buffered bytes not consumed yet are [cur, end). refill() returns false at the end.
  const unsigned char* cur = nullptr;
  const unsigned char* end = nullptr;
  bool refill();

  // Bytes consumed so far (those before cur).
  int64_t consumed() const { return consumedBefore_ + (cur - buffer_.get()); }

 private:
  InputFile() = default;
  size_t fill(unsigned char* dst, size_t cap);

  std::string path_;
  int fd_ = -1;
  const platform::FileAccessModule* module_ = nullptr;
  uint32_t handle_ = 0;
  std::unique_ptr<unsigned char[]> buffer_;
  size_t capacity_ = 0;
  int64_t consumedBefore_ = 0;
  bool atEnd_ = false;
};

// Reads lines of at most 299 characters (line feed kept), as the file-head scan needs. A
// UTF-8 byte-order mark at the start of the file is skipped.
class LineInput {
 public:
  static std::unique_ptr<LineInput> open(const std::string& path);
  ~LineInput();
  LineInput(const LineInput&) = delete;
  LineInput& operator=(const LineInput&) = delete;
  // Null at the end.
  const char* nextLine();

 private:
  LineInput() = default;
  std::FILE* file_ = nullptr;
  const platform::FileAccessModule* module_ = nullptr;
  uint32_t handle_ = 0;
  bool firstLine_ = true;
  char line_[300];
};

// Size of a plain file in bytes, or -1 when it cannot be opened.
int64_t plainFileSize(const char* path);

}  // namespace ordex
