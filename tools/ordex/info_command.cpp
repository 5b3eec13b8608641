#include <chrono>
#include <cstring>
#include <cstdio>
#include <vector>

#include "commands.h"
#include "ordex.h"
#include "return_code_names.h"

namespace ordex_tool {

namespace {

struct Instance {
  TOrdex* p = nullptr;
  Instance() { Ordex_CreateInstance(&p); }
  ~Instance() { Ordex_DestroyInstance(p); }
};

void printReadError(TOrdex* inst, TOrdexReturnCode rc) {
  char report[1024];
  Ordex_GetReadAsapFileError(inst, report, sizeof report);
  std::printf("%s (%d): %s\n", returnCodeName(rc), static_cast<int>(rc), report);
}

}  // namespace

int check(const char* file) {
  Instance inst;
  TOrdexReturnCode rc = Ordex_ReadAsapFile(inst.p, file, nullptr, nullptr);
  if (rc == rcOk) {
    std::printf("ok\n");
    return 0;
  }
  printReadError(inst.p, rc);
  return 1;
}

int info(const char* file) {
  Instance inst;
  auto start = std::chrono::steady_clock::now();
  TOrdexReturnCode rc = Ordex_ReadAsapFile(inst.p, file, nullptr, nullptr);
  double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                  .count();
  if (rc != rcOk) {
    printReadError(inst.p, rc);
    return 1;
  }
  TProject project;
  if (Ordex_GetProject(inst.p, &project, 0) != rcOk) {
    std::printf("no project\n");
    return 1;
  }
  std::printf("ASAP2 version: %d.%d\n", project.Asap2Version, project.Asap2Upgrade);
  std::printf("project: %s \"%s\"\n", project.Name, project.LongIdentifier);
  std::vector<char> names(1 << 16);
  Ordex_GetModuleList(inst.p, names.data(), static_cast<int>(names.size()), nullptr, nullptr);
  for (const char* n = names.data(); *n; n += std::strlen(n) + 1) {
    TModule module{};
    std::snprintf(module.Name, sizeof module.Name, "%s", n);
    Ordex_GetModule(inst.p, &module, 0);
    std::printf("module: %s \"%s\"\n", module.Name, module.LongIdentifier);
  }
  std::printf("read time: %.1f ms\n", ms);
  return 0;
}

}  // namespace ordex_tool
