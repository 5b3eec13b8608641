// One open input of the reader: a plain file read through a large buffer, or a handle of
// the file-access module read one character per call.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_access_module.h"
#include "platform/large_buffer.h"

namespace ordex {

class InputFile {
 public:
  // Bytes readable (but not part of the input) behind end.
  static constexpr size_t kReadSlack = 64;

  // Files this large are read without keeping their text: byte offsets are 32-bit.
  static constexpr int64_t kMaxRetainedSize = int64_t{0xFFFFFFFF} - 2 * kReadSlack;

  // Opens through the file-access module when one is in use, else as a plain file. Null
  // when the file cannot be opened (a directory or other non-regular file counts as not
  // openable). A UTF-8 byte-order mark at the start is skipped. With `retain`, the file is
  // read whole into one buffer, kept for takeText().
  static std::unique_ptr<InputFile> open(const std::string& path, bool retain = false);
  // Text held in memory, read as a file named path (a copy is taken).
  static std::unique_ptr<InputFile> fromText(const std::string& path, std::string_view text);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  const std::string& path() const { return path_; }

  // Buffered bytes not consumed yet are [cur, end). refill() returns false at the end.
  const unsigned char* cur = nullptr;
  const unsigned char* end = nullptr;
  bool refill();

  // Bytes consumed so far (those before cur).
  int64_t consumed() const { return consumedBefore_ + (cur - base_); }
  const unsigned char* bufferStart() const { return base_; }
  // The bytes of a plain file from its first on, while the buffer still holds them (none
  // when it has moved on, or the file comes through the module); `whole` when they are all
  // of the file.
  std::string_view heldFromStart(bool& whole) const;
  // Whether the whole file is held, for takeText(), and the text with its size (once).
  bool retaining() const { return retain_; }
  platform::LargeBuffer takeText(size_t& size);

  // The file's place among the files of its read.
  uint32_t index = 0;

 private:
  InputFile() = default;
  size_t fill(unsigned char* dst, size_t cap);
  bool readWhole();

  std::string path_;
  int fd_ = -1;
  const platform::FileAccessModule* module_ = nullptr;
  uint32_t handle_ = 0;
  platform::LargeBuffer window_;   // the chunk buffer of a streamed file
  platform::LargeBuffer whole_;    // a plain file read whole
  unsigned char* base_ = nullptr;  // the buffer cur and end point into
  size_t capacity_ = 0;
  int64_t size_ = 0;  // of a plain file when it was opened
  int64_t consumedBefore_ = 0;
  bool atEnd_ = false;
  bool retain_ = false;
};

// Reads lines of at most 299 characters (line feed kept), as the file-head scan needs. A
// UTF-8 byte-order mark at the start of the file is skipped.
class LineInput {
 public:
  static std::unique_ptr<LineInput> open(const std::string& path);
  // The same lines cut from bytes at hand: the bytes of a file from its first on, all of the
  // file when `whole`.
  LineInput(std::string_view bytes, bool whole) : held_(bytes), heldWhole_(whole) {}
  ~LineInput();
  LineInput(const LineInput&) = delete;
  LineInput& operator=(const LineInput&) = delete;
  // Null at the end.
  const char* nextLine();
  // Bytes at hand ran out before the end of the file: the lines read are not all there are.
  bool ranOut() const { return ranOut_; }

 private:
  LineInput() = default;
  bool cutHeldLine();

  std::string_view held_;
  bool heldWhole_ = false;
  bool fromHeld_ = true;
  bool ranOut_ = false;
  std::FILE* file_ = nullptr;
  const platform::FileAccessModule* module_ = nullptr;
  uint32_t handle_ = 0;
  bool firstLine_ = true;
  char line_[300];
};

// Size of a plain file in bytes, or -1 when it cannot be opened.
int64_t plainFileSize(const char* path);

}  // namespace ordex
