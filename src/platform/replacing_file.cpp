#include "platform/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace ordex::platform {

namespace {

// The folder part of a path ("." for a bare name, "/" for a name in the root).
std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The path as it names an existing file, symbolic links followed; the path itself when it
// cannot be resolved.
std::string resolved(const char* path) {
  std::unique_ptr<char, void (*)(void*)> real(realpath(path, nullptr), std::free);
  return real ? std::string(real.get()) : std::string(path);
}

// A name for the temporary file that no other write in this or another process picks:
// the process id, a counter and the clock, mixed.
std::string temporaryName(const std::string& target, uint64_t attempt) {
  static std::atomic<uint64_t> counter{0};
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  uint64_t x = static_cast<uint64_t>(getpid()) * 0x9E3779B97F4A7C15ull ^
               (counter.fetch_add(1) << 20) ^ static_cast<uint64_t>(now.tv_nsec) ^
               (static_cast<uint64_t>(now.tv_sec) << 32) ^ attempt;
  x ^= x >> 33;
  x *= 0xFF51AFD7ED558CCDull;
  x ^= x >> 33;
  char suffix[8];
  for (char& c : suffix) {
    c = "abcdefghijklmnopqrstuvwxyz0123456789"[x % 36];
    x /= 36;
  }
  const size_t slash = target.rfind('/');
  std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  // Room for the dot, the suffix and the tilde within a file name's limit.
  if (base.size() > NAME_MAX - 16) base.resize(NAME_MAX - 16);
  std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  return folder + "." + base + "." + std::string(suffix, sizeof suffix) + "~";
}

}  // namespace

ReplacingFile::~ReplacingFile() {
  discard();
}

void ReplacingFile::fail(int error) {
  if (error_ == 0) error_ = error != 0 ? error : EIO;
}

ReturnCode ReplacingFile::open(const char* path) {
  if (fd_ >= 0 || !path || !*path) return ReturnCode::OutputCreateFailed;
  error_ = 0;
  struct stat st;
  if (stat(path, &st) == 0) {
    if (S_ISDIR(st.st_mode)) {
      fail(EISDIR);
      return ReturnCode::OutputCreateFailed;
    }
    if (!S_ISREG(st.st_mode)) {
      // A device, pipe or socket has no folder entry to replace: it takes the bytes itself.
      fd_ = ::open(path, O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY);
      if (fd_ < 0) {
        fail(errno);
        return ReturnCode::OutputCreateFailed;
      }
      inPlace_ = true;
      target_ = writing_ = path;
      return ReturnCode::Ok;
    }
    target_ = resolved(path);
  } else {
    target_ = path;
  }
  inPlace_ = false;
  for (uint64_t attempt = 0; attempt < 100; ++attempt) {
    std::string name = temporaryName(target_, attempt);
    // 0666 as for any newly created file: the process's umask applies.
    fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd_ >= 0) {
      writing_ = std::move(name);
      return ReturnCode::Ok;
    }
    if (errno != EEXIST) break;
  }
  fail(errno);
  target_.clear();
  return ReturnCode::OutputCreateFailed;
}

ReturnCode ReplacingFile::write(const void* data, size_t size) {
  if (fd_ < 0) {
    fail(EBADF);
    return ReturnCode::OutputCreateFailed;
  }
  if (error_ != 0) return ReturnCode::OutputCreateFailed;
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd_, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(errno);
      return ReturnCode::OutputCreateFailed;
    }
    if (n == 0) {
      fail(ENOSPC);
      return ReturnCode::OutputCreateFailed;
    }
    p += n;
    size -= static_cast<size_t>(n);
  }
  return ReturnCode::Ok;
}

ReturnCode ReplacingFile::commit(Sync sync) {
  if (fd_ < 0) {
    fail(EBADF);
    return ReturnCode::OutputCreateFailed;
  }
  if (error_ == 0 && sync == Sync::kYes && !inPlace_ && fsync(fd_) != 0) fail(errno);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && errno != EINTR) fail(errno);
  if (error_ == 0 && !inPlace_ && rename(writing_.c_str(), target_.c_str()) != 0) fail(errno);
  if (error_ != 0) {
    if (!inPlace_) unlink(writing_.c_str());
    writing_.clear();
    return ReturnCode::OutputCreateFailed;
  }
  if (sync == Sync::kYes && !inPlace_) {
    // The rename itself reaches the disk with the folder; a file system that cannot sync a
    // folder still holds the renamed file, so this step cannot fail the write.
    const int folder = ::open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
      fsync(folder);
      ::close(folder);
    }
  }
  writing_.clear();
  return ReturnCode::Ok;
}

void ReplacingFile::discard() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  if (!inPlace_) unlink(writing_.c_str());
  writing_.clear();
}

}  // namespace ordex::platform
