#include <cstdio>
#include <cstring>
#include <vector>

#include "commands.h"
#include "ordex.h"
#include "tool_support.h"

namespace ordex_tool {

int check(const char* file) {
  LoadedFile loaded(file);
  if (!loaded.ok()) return 1;
  std::printf("ok\n");
  return 0;
}

namespace {
struct CountedKind {
  const char* label;
  int mask;
};
const CountedKind kCounted[] = {
    {"memory segments", etMemorySegment},
    {"system constants", etSystemConstant},
    {"characteristics", etCharacteristic},
    {"measurements", etMeasurement},
    {"functions", etFunction},
    {"compu methods", etCompuMethod},
    {"compu tabs", etCompuTab},
    {"compu vtabs", etCompuVTab},
    {"record layouts", etRecordLayout},
    {"axis pts", etAxisPts},
};
}  // namespace

int info(const char* file) {
  LoadedFile loaded(file);
  if (!loaded.ok()) return 1;
  TOrdex* inst = loaded.instance();
  TProject project;
  if (Ordex_GetProject(inst, &project, 0) != rcOk) {
    std::printf("no project\n");
    return 1;
  }
  std::printf("ASAP2 version: %d.%d\n", project.Asap2Version, project.Asap2Upgrade);
  std::printf("project: %s \"%s\"\n", project.Name, project.LongIdentifier);
  char name[256] = "";
  while (Ordex_GetNextModuleName(inst, name, nullptr) == rcOk && *name) {
    TModule module{};
    std::memcpy(module.Name, name, sizeof module.Name);
    Ordex_GetModule(inst, &module, 0);
    std::printf("module: %s \"%s\"\n", module.Name, module.LongIdentifier);
    for (const CountedKind& k : kCounted) {
      int count = 0;
      if (Ordex_GetNumObjects(inst, module.Name, k.mask, &count) == rcOk && count > 0)
        std::printf("  %-18s %d\n", k.label, count);
    }
  }
  std::printf("read time: %.1f ms\n", loaded.readMilliseconds());
  return 0;
}

}  // namespace ordex_tool
