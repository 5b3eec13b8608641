// Reading an A2L file into an instance, the error report of the last read, and the scan
// of a file's head.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/callbacks.h"
#include "model/instance.h"
#include "platform/return_code.h"

namespace ordex {

// Runs at the end of a read that found every block closed, before the read reports
// success (the api layer passes the folding of FUNCTION_LIST entries).
using ReadFinisher = void (*)(TOrdex& instance);

// -1 when called while a read is running (from its progress callback).
ReturnCode readAsapFile(TOrdex& instance, const char* fileName, ProgressCallback progress,
                        ReadFinisher finish);

// Reads A2L text held in memory as if it were a file: no file head (the project's ASAP2
// version and head comment stay 0 and empty), no "/include" followed, no text kept.
ReturnCode readAsapText(TOrdex& instance, std::string_view text, ReadFinisher finish);

// The instance that a read is filling right now, or null. Calls made from the progress
// callback must not pull the instance or the file-access module from under the read.
const TOrdex* instanceBeingRead();

// Fills buffer (size bytes) with the report of the last read.
void readErrorReport(const TOrdex& instance, char* buffer, int size);
// The path of the object being read when the last read failed ("PROJECT P, MODULE M,
// MEASUREMENT m"), as the failure record gives it.
std::string readFailureObjectPath(const TOrdex& instance);

struct FileHeadInfo {
  int version = 0;
  int upgrade = 0;
  std::string headComment;  // at most 255 characters
};
// Scans the lines before the first "/begin". -4 when the file cannot be opened.
ReturnCode scanFileHead(const char* fileName, FileHeadInfo& info);
// The same scan over the bytes of the file from its first on (all of it when `whole`), as
// a read holds them: false when they end before the scan does.
bool scanHeldFileHead(std::string_view bytes, bool whole, FileHeadInfo& info);

}  // namespace ordex
