// Reading an A2L file into an instance, the error report of the last read, and the scan
// of a file's head.
#pragma once

#include <cstddef>
#include <string>

#include "model/instance.h"
#include "ordex.h"

namespace ordex {

// Runs at the end of a read that found every block closed, before the read reports
// success (the api layer passes the folding of FUNCTION_LIST entries).
using ReadFinisher = void (*)(TOrdex& instance);

TOrdexReturnCode readAsapFile(TOrdex& instance, const char* fileName,
                              TOrdexProgressCallback progress, ReadFinisher finish);

// Fills buffer (size bytes) with the report of the last read.
void readErrorReport(const TOrdex& instance, char* buffer, int size);

struct FileHeadInfo {
  int version = 0;
  int upgrade = 0;
  std::string headComment;  // at most 255 characters
};
// Scans the lines before the first "/begin". -4 when the file cannot be opened.
TOrdexReturnCode scanFileHead(const char* fileName, FileHeadInfo& info);

}  // namespace ordex
