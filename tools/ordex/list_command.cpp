// ordex list FILE KIND [PATTERN] [--module NAME] [--json]
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"
#include "document.h"
#include "ordex.h"
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

// Every name of one list. A list resumed after a name starts behind the first record of
// that name, so paging would repeat duplicate names for ever: the buffer grows instead
// until a call leaves room for one more name of the longest kind (255 characters and 4).
TOrdexReturnCode collectList(TOrdex* inst, const char* module, ListFn list, const char* pattern,
                             std::vector<std::string>& names) {
  for (size_t size = 1 << 16;; size *= 2) {
    std::vector<char> buf(size);
    TOrdexReturnCode rc =
        list(inst, module, buf.data(), static_cast<int>(buf.size()), nullptr, pattern);
    if (rc != rcOk) return rc;
    size_t used = 0;
    while (buf[used]) used += std::strlen(buf.data() + used) + 1;
    if (used + ORDEX_TEXT_SIZE + 4 > size && size < (1u << 30)) continue;
    for (const char* n = buf.data(); *n; n += std::strlen(n) + 1) names.emplace_back(n);
    return rcOk;
  }
}

// Modules, calibration methods and system constants come through enumerators.
template <class Step>
TOrdexReturnCode collectEnumerated(Step step, std::vector<std::string>& names) {
  char name[256] = "";
  for (;;) {
    TOrdexReturnCode rc = step(name);
    if (rc != rcOk) return rc;
    if (!*name) return rcOk;
    names.emplace_back(name);
  }
}

}  // namespace

const char* const kListKinds =
    "modules, memory-segments, characteristics, measurements, functions, compu-methods, "
    "compu-tabs, compu-vtabs, axis-pts, record-layouts, calibration-methods, system-constants";

int list(const Arguments& args) {
  const char* file = args.positional()[0];
  const std::string kind = args.positional()[1];
  const char* pattern = args.positional().size() > 2 ? args.positional()[2] : nullptr;
  const char* module = args.value("--module");
  ListFn listFn = nullptr;
  for (const KindList& l : kLists) {
    if (kind == l.kind) listFn = l.list;
  }
  if (!listFn && kind != "modules" && kind != "calibration-methods" && kind != "system-constants") {
    std::fprintf(stderr, "ordex list: unknown kind '%s'; kinds: %s\n", kind.c_str(), kListKinds);
    return kExitUsage;
  }
  LoadedFile loaded(file);
  if (!loaded.ok()) return kExitFailure;
  TOrdex* inst = loaded.instance();
  std::vector<std::string> names;
  TOrdexReturnCode rc = rcOk;
  if (kind == "modules") {
    rc = collectEnumerated([&](char* name) { return Ordex_GetNextModuleName(inst, name, pattern); },
                           names);
  } else if (kind == "calibration-methods") {
    rc = collectEnumerated(
        [&](char* name) { return Ordex_GetNextCalibrationMethodName(inst, module, name, pattern); },
        names);
  } else if (kind == "system-constants") {
    TSystemConstant constant;
    rc = collectEnumerated(
        [&](char* name) {
          std::memcpy(constant.Name, name, sizeof constant.Name);
          TOrdexReturnCode r = Ordex_GetNextSystemConstant(inst, module, &constant);
          std::memcpy(name, constant.Name, sizeof constant.Name);
          return r;
        },
        names);
  } else {
    rc = collectList(inst, module, listFn, pattern, names);
  }
  if (rc != rcOk) return reportFailure(kind.c_str(), rc);
  if (args.has("--json")) {
    Node doc = Node::array();
    for (const std::string& n : names) doc.push(Node::text(n));
    printDocument(doc, true);
  } else {
    for (const std::string& n : names) std::printf("%s\n", n.c_str());
  }
  return kExitOk;
}

}  // namespace ordex_tool
