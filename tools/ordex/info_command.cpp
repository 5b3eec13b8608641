// ordex info FILE [--json]
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "commands.h"
#include "document.h"
#include "ordex.h"
#include "tool_support.h"

namespace ordex_tool {

namespace {
struct CountedKind {
  const char* label;    // text form
  const char* keyword;  // JSON key
  int mask;
};
const CountedKind kCounted[] = {
    {"memory segments", "MEMORY_SEGMENT", etMemorySegment},
    {"system constants", "SYSTEM_CONSTANT", etSystemConstant},
    {"characteristics", "CHARACTERISTIC", etCharacteristic},
    {"measurements", "MEASUREMENT", etMeasurement},
    {"functions", "FUNCTION", etFunction},
    {"compu methods", "COMPU_METHOD", etCompuMethod},
    {"compu tabs", "COMPU_TAB", etCompuTab},
    {"compu vtabs", "COMPU_VTAB", etCompuVTab},
    {"record layouts", "RECORD_LAYOUT", etRecordLayout},
    {"axis pts", "AXIS_PTS", etAxisPts},
};
constexpr size_t kCountedKinds = sizeof kCounted / sizeof kCounted[0];
}  // namespace

int info(const Arguments& args) {
  const char* file = args.positional()[0];
  LoadedFile loaded(file);
  if (!loaded.ok()) return kExitFailure;
  TOrdex* inst = loaded.instance();
  TProject project;
  TOrdexReturnCode rc = Ordex_GetProject(inst, &project, 0);
  if (rc != rcOk) return reportFailure(file, rc);

  struct ModuleCounts {
    TModule module;
    int counts[kCountedKinds];
  };
  std::vector<ModuleCounts> modules;
  char name[256] = "";
  while ((rc = Ordex_GetNextModuleName(inst, name, nullptr)) == rcOk && *name) {
    modules.emplace_back();
    ModuleCounts& m = modules.back();
    std::memset(&m, 0, sizeof m);
    std::memcpy(m.module.Name, name, sizeof m.module.Name);
    rc = Ordex_GetModule(inst, &m.module, 0);
    for (size_t k = 0; rc == rcOk && k < kCountedKinds; ++k) {
      rc = Ordex_GetNumObjects(inst, name, kCounted[k].mask, &m.counts[k]);
    }
    if (rc != rcOk) return reportFailure(name, rc);
  }
  if (rc != rcOk) return reportFailure("modules", rc);

  std::vector<TKeptSummaryEntry> kept;
  int32_t numKept = 0;
  rc = Ordex_GetNumKeptSummaryEntries(inst, &numKept);
  for (int32_t i = 0; rc == rcOk && i < numKept; ++i) {
    kept.emplace_back();
    rc = Ordex_GetKeptSummaryEntry(inst, i, &kept.back());
  }
  if (rc != rcOk) return reportFailure("kept content", rc);

  if (args.has("--json")) {
    Node doc = Node::object();
    doc.add("Asap2Version", Node::integer(project.Asap2Version));
    doc.add("Asap2Upgrade", Node::integer(project.Asap2Upgrade));
    Node& p = doc.add("Project", Node::object());
    p.add("Name", Node::text(project.Name));
    p.add("LongIdentifier", Node::text(project.LongIdentifier));
    Node& list = doc.add("Modules", Node::array());
    for (const ModuleCounts& m : modules) {
      Node& entry = list.push(Node::object());
      entry.add("Name", Node::text(m.module.Name));
      entry.add("LongIdentifier", Node::text(m.module.LongIdentifier));
      Node& counts = entry.add("Counts", Node::object());
      for (size_t k = 0; k < kCountedKinds; ++k)
        counts.add(kCounted[k].keyword, Node::integer(m.counts[k]));
    }
    Node keptList = Node::array();
    for (const TKeptSummaryEntry& e : kept) {
      Node& entry = keptList.push(Node::object());
      entry.add("Keyword", Node::word(e.Keyword));
      entry.add("Count", Node::integer(e.Count));
      entry.add("File", Node::text(e.File));
      entry.add("Line", Node::integer(e.Line));
      entry.add("Module", *e.Module ? Node::text(e.Module) : Node::null());
    }
    if (!kept.empty()) doc.add("KeptNotModelled", std::move(keptList));
    printDocument(doc, true);
    return kExitOk;
  }
  std::printf("ASAP2 version: %d.%d\n", project.Asap2Version, project.Asap2Upgrade);
  std::printf("project: %s \"%s\"\n", project.Name, project.LongIdentifier);
  for (const ModuleCounts& m : modules) {
    std::printf("module: %s \"%s\"\n", m.module.Name, m.module.LongIdentifier);
    for (size_t k = 0; k < kCountedKinds; ++k) {
      if (m.counts[k] > 0) std::printf("  %-18s %d\n", kCounted[k].label, m.counts[k]);
    }
  }
  if (!kept.empty()) {
    std::printf("kept, not modelled:\n");
    for (const TKeptSummaryEntry& e : kept)
      std::printf("  %-24s %6d  %s:%d\n", e.Keyword, e.Count, e.File, e.Line);
  }
  std::printf("read time: %.1f ms\n", loaded.readMilliseconds());
  return kExitOk;
}

}  // namespace ordex_tool
