// A file written whole before it takes the place of the file of its name, so that a failed
// write (a full disk, a quota, a share that goes away, a crash) never leaves a half-written
// file where a good one was.
//
//   ReplacingFile file;
//   if (ReturnCode rc = file.open(path); rc != ReturnCode::Ok) return rc;
//   file.write(data, size);          // as often as needed; failures are remembered
//   return file.commit();            // 0, or -5 when any step failed
//
// open() creates a temporary file in the folder of the target (".NAME.XXXXXX~", with the
// permissions a newly created file gets); write() appends to it with every write checked;
// commit() checks that every write went through, optionally forces the data to the disk,
// closes the file (checking the close, where network file systems report late failures)
// and renames it over the target in one step. Whatever fails, the temporary file is removed
// and an existing target is left as it was. Destroying an object whose commit() was not
// reached (an early return, an exception) removes the temporary file too.
//
// The target is named by its path as given; a path that is a symbolic link names the file
// the link leads to, which is replaced while the link stays. A target that exists and is
// not a regular file (a character device such as /dev/null or /dev/full, a pipe, a socket)
// cannot be replaced: it is opened and written in place, with the same checks. A folder is
// never written (open() fails).
//
// Failures are return codes, never exceptions; errorNumber() tells the errno of the first
// failure. One object writes one file once; it is not safe to share between threads.
#pragma once

#include <cstddef>
#include <string>

#include "platform/return_code.h"

namespace ordex::platform {

class ReplacingFile {
 public:
  // Whether commit() forces the written data to the disk (fsync of the file, then of its
  // folder after the rename) before it reports success.
  enum class Sync { kNo, kYes };

  ReplacingFile() = default;
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // Prepares the write of path: creates the temporary file, or opens a target that is not a
  // regular file. 0; -5 (rcOutputCreateFailed) for a null or empty path, a folder, a
  // folder that does not exist or cannot be written, or a second open().
  ReturnCode open(const char* path);

  // Appends size bytes. 0; -5 when this write or an earlier one failed (after a failure
  // nothing more is written), or when the file is not open.
  ReturnCode write(const void* data, size_t size);

  // Finishes the write: 0 when every byte reached the file and it now stands under the
  // target's name; -5 otherwise (the temporary file is then gone, the target untouched).
  // The object is closed afterwards, whatever the result.
  ReturnCode commit(Sync sync = kDefaultSync);

  // Gives up: closes and removes the temporary file; the target stays as it was.
  void discard();

  bool isOpen() const { return fd_ >= 0; }
  bool failed() const { return error_ != 0; }
  // The errno of the first failure; 0 while none happened.
  int errorNumber() const { return error_; }
  // Where the bytes go until commit(): the temporary file, or the target itself when it
  // is written in place. Empty while not open.
  const std::string& writingPath() const { return writing_; }

  // What commit() does without an argument.
  static constexpr Sync kDefaultSync = Sync::kYes;

 private:
  void fail(int error);

  int fd_ = -1;
  int error_ = 0;
  bool inPlace_ = false;  // the target is a device, pipe or socket, written directly
  std::string target_;    // the path renamed over
  std::string writing_;   // the temporary file (or the target when written in place)
};

}  // namespace ordex::platform
