#include "tool_support.h"

#include <chrono>
#include <cstdio>

#include "return_code_names.h"

namespace ordex_tool {

LoadedFile::LoadedFile(const char* path) {
  if (Ordex_CreateInstance(&inst_) != rcOk) {
    rc_ = rcNoInstance;
    return;
  }
  auto start = std::chrono::steady_clock::now();
  rc_ = Ordex_ReadAsapFile(inst_, path, nullptr, nullptr);
  ms_ = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  if (rc_ != rcOk) printReadError(inst_, rc_);
}

LoadedFile::~LoadedFile() {
  Ordex_DestroyInstance(inst_);
}

void printReadError(TOrdex* inst, TOrdexReturnCode rc) {
  char report[1024] = "";
  Ordex_GetReadAsapFileError(inst, report, sizeof report);
  std::fprintf(stderr, "%s (%d): %s\n", returnCodeName(rc), static_cast<int>(rc), report);
}

}  // namespace ordex_tool
