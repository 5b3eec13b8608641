#include "reader/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace ordex {

namespace {
constexpr size_t kPlainBufferSize = 1 << 18;
constexpr size_t kModuleBufferSize = 1 << 12;

// Opens a regular file for reading and tells its size; -1 for anything else (a FIFO would
// block, a directory yields no text).
int openRegular(const char* path, int64_t* size = nullptr) {
  int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  if (size) *size = static_cast<int64_t>(st.st_size);
  return fd;
}

// The window of a streamed plain file: no larger than the file (rounded up to whole pages),
// since every page of it is touched by the first fill, and a fresh page costs more than the
// copy into it; a file that grows while it is read is read to its end all the same.
size_t plainWindowSize(int64_t fileSize) {
  constexpr size_t kPage = 4096;
  if (fileSize <= 0) return kPage;
  if (static_cast<uint64_t>(fileSize) >= kPlainBufferSize) return kPlainBufferSize;
  return (static_cast<size_t>(fileSize) + kPage - 1) & ~(kPage - 1);
}

void allocateBuffer(platform::LargeBuffer& buffer, size_t size, int64_t fileSize) {
  if (fileSize >= static_cast<int64_t>(platform::kSharedPageWorthBytes)) {
    buffer.allocateShared(size);
  } else {
    buffer.allocate(size);
  }
}
}  // namespace

std::unique_ptr<InputFile> InputFile::open(const std::string& path, bool retain) {
  std::unique_ptr<InputFile> f(new InputFile());
  f->path_ = path;
  f->retain_ = retain;
  f->module_ = platform::fileAccessModuleInUse();
  if (f->module_) {
    f->handle_ = f->module_->open(path.c_str(), "rb");
    if (f->handle_ == 0) return nullptr;
    f->capacity_ = kModuleBufferSize;
  } else {
    f->fd_ = openRegular(path.c_str(), &f->size_);
    if (f->fd_ < 0) return nullptr;
    f->capacity_ = plainWindowSize(f->size_);
  }
  bool filled;
  if (retain) {
    filled = f->readWhole();
  } else {
    // Left unzeroed: refill() zeroes the slack behind the data of each fill.
    allocateBuffer(f->window_, f->capacity_ + kReadSlack, f->size_);
    f->base_ = f->window_.data();
    f->cur = f->end = f->base_;
    filled = f->refill();
  }
  if (filled && f->end - f->cur >= 3 && f->cur[0] == 0xEF && f->cur[1] == 0xBB &&
      f->cur[2] == 0xBF) {
    f->cur += 3;
  }
  return f;
}

std::unique_ptr<InputFile> InputFile::fromText(const std::string& path, std::string_view text) {
  std::unique_ptr<InputFile> f(new InputFile());
  f->path_ = path;
  f->whole_.allocate(text.size() + kReadSlack + 1);
  if (!text.empty()) std::memcpy(f->whole_.data(), text.data(), text.size());
  std::memset(f->whole_.data() + text.size(), 0, kReadSlack + 1);
  f->atEnd_ = true;
  f->base_ = f->whole_.data();
  f->cur = f->base_;
  f->end = f->base_ + text.size();
  return f;
}

InputFile::~InputFile() {
  if (module_) {
    module_->close(handle_);
  } else if (fd_ >= 0) {
    ::close(fd_);
  }
}

// The whole file in one buffer with zeroed slack behind it; a file that grows while it is
// read is read to its end all the same.
bool InputFile::readWhole() {
  size_t size = kModuleBufferSize;
  if (!module_ && size_ > 0) size = static_cast<size_t>(size_);
  allocateBuffer(whole_, size + kReadSlack + 1, size_);
  size_t used = 0;
  for (;;) {
    if (whole_.capacity() - used <= kReadSlack) {
      whole_.grow(whole_.capacity() * 2, used);
    }
    const size_t asked = whole_.capacity() - used - kReadSlack;
    size_t got = fill(whole_.data() + used, asked);
    used += got;
    // A module delivers fewer bytes than asked only at its end.
    if (got == 0 || (module_ && got < asked)) break;
  }
  // Zeroed slack behind the data lets the tokenizer copy short tokens in fixed-size pieces;
  // the loop left at least this much room.
  std::memset(whole_.data() + used, 0, kReadSlack + 1);
  atEnd_ = true;
  base_ = whole_.data();
  cur = base_;
  end = base_ + used;
  return used > 0;
}

platform::LargeBuffer InputFile::takeText(size_t& size) {
  size = whole_.data() ? static_cast<size_t>(end - base_) : 0;
  return std::move(whole_);
}

size_t InputFile::fill(unsigned char* dst, size_t cap) {
  if (module_) {
    size_t n = 0;
    while (n < cap && module_->getChar(handle_, dst + n) != 0) ++n;
    return n;
  }
  for (;;) {
    ssize_t n = ::read(fd_, dst, cap);
    if (n >= 0) return static_cast<size_t>(n);
    if (errno != EINTR) return 0;
  }
}

// Keeps the unconsumed tail (at most a few bytes when called by the tokenizer) at the
// start of the buffer, so that the three bytes of a byte-order mark are seen together.
bool InputFile::refill() {
  if (atEnd_) return cur < end;
  size_t keep = static_cast<size_t>(end - cur);
  consumedBefore_ += cur - base_;
  if (keep) std::memmove(base_, cur, keep);
  size_t got = fill(base_ + keep, capacity_ - keep);
  // A module may deliver fewer bytes than asked only at its end.
  if (got == 0 || (module_ && got < capacity_ - keep)) atEnd_ = true;
  cur = base_;
  end = cur + keep + got;
  std::memset(base_ + keep + got, 0, kReadSlack);
  return cur < end;
}

std::string_view InputFile::heldFromStart(bool& whole) const {
  whole = atEnd_;
  if (module_ || consumedBefore_ != 0 || !base_) return {};
  return {reinterpret_cast<const char*>(base_), static_cast<size_t>(end - base_)};
}

std::unique_ptr<LineInput> LineInput::open(const std::string& path) {
  std::unique_ptr<LineInput> f(new LineInput());
  f->fromHeld_ = false;
  f->module_ = platform::fileAccessModuleInUse();
  if (f->module_) {
    f->handle_ = f->module_->open(path.c_str(), "rb");
    if (f->handle_ == 0) return nullptr;
    return f;
  }
  int fd = openRegular(path.c_str());
  if (fd < 0) return nullptr;
  f->file_ = fdopen(fd, "rb");
  if (!f->file_) {
    ::close(fd);
    return nullptr;
  }
  return f;
}

LineInput::~LineInput() {
  if (module_) {
    module_->close(handle_);
  } else if (file_) {
    std::fclose(file_);
  }
}

// A line as fgets cuts it: up to and with the line feed, at most sizeof line_ - 1 bytes.
bool LineInput::cutHeldLine() {
  if (held_.empty()) {
    ranOut_ = !heldWhole_;
    return false;
  }
  size_t n = std::min(held_.size(), sizeof line_ - 1);
  const void* feed = std::memchr(held_.data(), '\n', n);
  // A line cut short by the end of the bytes at hand is taken as it is: the next call finds
  // them run out, and the caller scans the file instead.
  if (feed) n = static_cast<size_t>(static_cast<const char*>(feed) - held_.data()) + 1;
  std::memcpy(line_, held_.data(), n);
  line_[n] = '\0';
  held_.remove_prefix(n);
  return true;
}

const char* LineInput::nextLine() {
  if (fromHeld_) {
    if (!cutHeldLine()) return nullptr;
  } else if (module_) {
    const char* text = module_->getString(handle_);
    if (!text) return nullptr;
    std::strncpy(line_, text, sizeof line_ - 1);
    line_[sizeof line_ - 1] = '\0';
  } else if (!std::fgets(line_, sizeof line_, file_)) {
    return nullptr;
  }
  // A byte-order mark is no part of the text, as for the tokenizer.
  if (firstLine_) {
    firstLine_ = false;
    if (std::strncmp(line_, "\xEF\xBB\xBF", 3) == 0) return line_ + 3;
  }
  return line_;
}

int64_t plainFileSize(const char* path) {
  struct stat st;
  if (!path || stat(path, &st) != 0 || S_ISDIR(st.st_mode)) return -1;
  return static_cast<int64_t>(st.st_size);
}

}  // namespace ordex
