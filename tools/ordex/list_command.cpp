#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"
#include "ordex.h"
#include "return_code_names.h"
#include "tool_support.h"

namespace ordex_tool {

namespace {

using ListFn = TOrdexReturnCode (*)(TOrdex*, const char*, char*, int, const char*, const char*);

struct KindList {
  const char* kind;
  ListFn list;
};

const KindList kLists[] = {
    {"memory-segments", Ordex_GetMemorySegmentList},
    {"characteristics", Ordex_GetCharacteristicList},
    {"measurements", Ordex_GetMeasurementList},
    {"functions", Ordex_GetFunctionList},
    {"compu-methods", Ordex_GetCompuMethodList},
    {"compu-tabs", Ordex_GetCompuTabList},
    {"compu-vtabs", Ordex_GetCompuVTabList},
    {"axis-pts", Ordex_GetAxisPtsList},
    {"record-layouts", Ordex_GetRecordLayoutList},
};

// Prints every name of one list, fetching it in pieces through the continue-after name.
int printList(TOrdex* inst, const char* module, ListFn list, const char* pattern) {
  std::vector<char> buf(1 << 16);
  std::string after;
  bool first = true;
  for (;;) {
    TOrdexReturnCode rc = list(inst, module, buf.data(), static_cast<int>(buf.size()),
                               first ? nullptr : after.c_str(), pattern);
    if (rc != rcOk) {
      std::fprintf(stderr, "%s\n", returnCodeName(rc));
      return 1;
    }
    if (!buf[0]) return 0;
    for (const char* n = buf.data(); *n; n += std::strlen(n) + 1) {
      std::printf("%s\n", n);
      after = n;
    }
    first = false;
  }
}

// Modules, calibration methods and system constants come through enumerators.
int printModules(TOrdex* inst, const char* pattern) {
  char name[256] = "";
  while (Ordex_GetNextModuleName(inst, name, pattern) == rcOk && *name) std::printf("%s\n", name);
  return 0;
}

int printCalibrationMethods(TOrdex* inst, const char* module, const char* pattern) {
  char name[256] = "";
  while (Ordex_GetNextCalibrationMethodName(inst, module, name, pattern) == rcOk && *name)
    std::printf("%s\n", name);
  return 0;
}

}  // namespace

const char* const kListKinds =
    "modules, memory-segments, characteristics, measurements, functions, compu-methods, "
    "compu-tabs, compu-vtabs, axis-pts, record-layouts, calibration-methods";

int list(const char* file, const char* kind, const char* pattern) {
  LoadedFile loaded(file);
  if (!loaded.ok()) return 1;
  TOrdex* inst = loaded.instance();
  std::string k = kind;
  if (k == "modules") return printModules(inst, pattern);
  if (k == "calibration-methods") return printCalibrationMethods(inst, nullptr, pattern);
  for (const KindList& l : kLists) {
    if (k == l.kind) return printList(inst, nullptr, l.list, pattern);
  }
  std::fprintf(stderr, "unknown kind '%s'; kinds: %s\n", kind, kListKinds);
  return 2;
}

}  // namespace ordex_tool
