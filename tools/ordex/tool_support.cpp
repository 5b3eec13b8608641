#include "tool_support.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "arguments.h"
#include "progress_bar.h"
#include "return_code_names.h"

namespace ordex_tool {

LoadedFile::LoadedFile(const char* path) {
  if (Ordex_CreateInstance(&inst_) != rcOk) {
    rc_ = rcNoInstance;
    reportFailure("cannot create an instance", rc_);
    return;
  }
  TOrdexProgressCallback progress = progressFor("reading", path);
  auto start = std::chrono::steady_clock::now();
  rc_ = Ordex_ReadAsapFile(inst_, path, nullptr, progress);
  ms_ = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  progressDone();
  if (rc_ != rcOk) printReadError(path, inst_, rc_);
}

LoadedFile::~LoadedFile() {
  Ordex_DestroyInstance(inst_);
}

int reportFailure(const char* what, TOrdexReturnCode rc) {
  std::fprintf(stderr, "ordex: %s: %s (%d)\n", what, returnCodeName(rc), static_cast<int>(rc));
  return kExitFailure;
}

void printReadError(const char* path, TOrdex* inst, TOrdexReturnCode rc) {
  char report[1024] = "";
  Ordex_GetReadAsapFileError(inst, report, sizeof report);
  // A file that cannot be opened leaves no report of its own.
  const bool located = std::strncmp(report, "Error detected", 14) == 0;
  std::fprintf(stderr, "ordex: %s: %s (%d)%s%s\n", path, returnCodeName(rc), static_cast<int>(rc),
               located ? ": " : "", located ? report : "");
}

int writeWithProgress(TOrdex* inst, const char* path, const char* module,
                      const char* modParTemplate, const char* comment, unsigned long sizeHint,
                      bool canonical) {
  TOrdexProgressCallback progress = progressFor("writing", path, sizeHint ? sizeHint : 1);
  TOrdexReturnCode rc =
      canonical
          ? Ordex_WriteAsapFile(inst, path, module, modParTemplate, comment, nullptr, progress)
          : Ordex_WriteAsapFilePreserving(inst, path, module, modParTemplate, comment, nullptr,
                                          progress, 0, nullptr);
  progressDone();
  if (rc != rcOk) {
    std::string what = std::string("cannot write ") + path;
    return reportFailure(what.c_str(), rc);
  }
  return kExitOk;
}

}  // namespace ordex_tool
