#pragma once

#include "ordex.h"

namespace ordex_tool {

// An instance holding a read file; reports a failed read on stderr.
class LoadedFile {
 public:
  explicit LoadedFile(const char* path);
  ~LoadedFile();
  LoadedFile(const LoadedFile&) = delete;
  LoadedFile& operator=(const LoadedFile&) = delete;
  bool ok() const { return rc_ == rcOk; }
  TOrdexReturnCode result() const { return rc_; }
  TOrdex* instance() const { return inst_; }
  double readMilliseconds() const { return ms_; }

 private:
  TOrdex* inst_ = nullptr;
  TOrdexReturnCode rc_ = rcOk;
  double ms_ = 0;
};

// Prints the return code's name and the read error report of the instance.
void printReadError(TOrdex* inst, TOrdexReturnCode rc);

}  // namespace ordex_tool
