// ordex refs FILE NAME [--json]: what the name NAME denotes in every module of the file, the
// function that publishes it, and every object that refers to it.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"
#include "document.h"
#include "ordex.h"
#include "return_code_names.h"
#include "tool_support.h"

namespace ordex_tool {

namespace {

using Query = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, char*);

struct Publisher {
  const char* kind;
  Query query;
  TOrdexReturnCode notFound;  // the object is no such kind
  const char* relation;
  const char* list;  // the list that names it
};

const Publisher kPublishers[] = {
    {"CHARACTERISTIC", Ordex_GetAChasPublishingFunc, rcCharacteristicNotFound,
     "published by (DEF_CHARACTERISTIC of)", "DEF_CHARACTERISTIC"},
    {"MEASUREMENT", Ordex_GetAMeasPublishingFunc, rcMeasurementNotFound,
     "published by (OUT_MEASUREMENT of)", "OUT_MEASUREMENT"},
    {"FUNCTION", Ordex_GetAFuncsPublishingFunc, rcFunctionNotFound,
     "parent function (SUB_FUNCTION of)", "SUB_FUNCTION"},
};

// Whether the module holds an object of one kind named name: the kind's getter in its
// existence-only form, with a record of its own type.
template <class Record>
bool exists(TOrdexReturnCode (*get)(TOrdex*, const char*, Record*, int), TOrdex* inst,
            const char* module, const char* name) {
  static Record record;
  std::memset(&record, 0, sizeof record);
  if (std::strlen(name) >= sizeof record.Name) return false;
  std::strcpy(record.Name, name);
  return get(inst, module, &record, 1) == rcOk;
}

// The kinds of object the module holds under the name, in the order of TOrdexElementType.
std::vector<const char*> kindsNamed(TOrdex* inst, const char* module, const char* name) {
  std::vector<const char*> kinds;
  if (exists(Ordex_GetCharacteristic, inst, module, name)) kinds.push_back("CHARACTERISTIC");
  if (exists(Ordex_GetMeasurement, inst, module, name)) kinds.push_back("MEASUREMENT");
  if (exists(Ordex_GetFunction, inst, module, name)) kinds.push_back("FUNCTION");
  if (exists(Ordex_GetCompuMethod, inst, module, name)) kinds.push_back("COMPU_METHOD");
  if (exists(Ordex_GetCompuTab, inst, module, name)) kinds.push_back("COMPU_TAB");
  if (exists(Ordex_GetCompuVTab, inst, module, name)) kinds.push_back("COMPU_VTAB");
  if (exists(Ordex_GetRecordLayout, inst, module, name)) kinds.push_back("RECORD_LAYOUT");
  if (exists(Ordex_GetAxisPts, inst, module, name)) kinds.push_back("AXIS_PTS");
  return kinds;
}

struct KindBit {
  int32_t bit;
  const char* keyword;
};
const KindBit kTargetKinds[] = {
    {etCharacteristic, "CHARACTERISTIC"},
    {etMeasurement, "MEASUREMENT"},
    {etFunction, "FUNCTION"},
    {etCompuMethod, "COMPU_METHOD"},
    {etCompuTab, "COMPU_TAB"},
    {etCompuVTab, "COMPU_VTAB"},
    {etRecordLayout, "RECORD_LAYOUT"},
    {etAxisPts, "AXIS_PTS"},
};

int collect(const TReferrer* referrer, void* context) {
  static_cast<std::vector<TReferrer>*>(context)->push_back(*referrer);
  return 0;
}

std::vector<std::string> moduleNames(TOrdex* inst) {
  std::vector<std::string> out;
  char name[256] = "";
  while (Ordex_GetNextModuleName(inst, name, nullptr) == rcOk && *name) out.emplace_back(name);
  return out;
}

// What the module knows about name: its lines for the text form and its JSON object; false
// when it knows nothing.
bool describeModule(TOrdex* inst, const std::string& module, const char* name,
                    std::vector<std::string>& lines, Node& entry) {
  const std::vector<const char*> kinds = kindsNamed(inst, module.c_str(), name);
  Node& kindList = entry.add("Kinds", Node::array());
  std::string as;
  for (const char* k : kinds) {
    kindList.push(Node::word(k));
    as += std::string(as.empty() ? "" : " and ") + k;
  }
  lines.push_back(std::string("defined as ") + (kinds.empty() ? "nothing in this module" : as));

  char out[256];
  Node& publishers = entry.add("Publishers", Node::array());
  for (const Publisher& p : kPublishers) {
    TOrdexReturnCode rc = p.query(inst, module.c_str(), name, out);
    if (rc == p.notFound) continue;
    Node& n = publishers.push(Node::object());
    n.add("Kind", Node::word(p.kind));
    n.add("Via", Node::word(p.list));
    if (rc != rcOk) {
      lines.push_back(std::string(p.kind) + ": " + returnCodeName(rc));
      n.add("Error", Node::word(returnCodeName(rc)));
      continue;
    }
    lines.push_back(std::string(p.kind) + ", " + p.relation + ": " + (*out ? out : "(none)"));
    n.add("Function", *out ? Node::word(out) : Node::null());
  }

  std::vector<TReferrer> found;
  TOrdexReturnCode rc = Ordex_GetReferrers(inst, module.c_str(), name, collect, &found);
  if (rc != rcOk) {
    lines.push_back(std::string("referrers: ") + returnCodeName(rc));
    entry.add("Error", Node::word(returnCodeName(rc)));
  }
  Node& referrers = entry.add("Referrers", Node::array());
  lines.push_back(found.empty() ? "no object refers to it" : "referred to by:");
  for (const TReferrer& r : found) {
    Node& n = referrers.push(Node::object());
    n.add("Kind", Node::word(r.Keyword));
    n.add("Name", Node::word(r.Name));
    n.add("Via", Node::word(r.Field));
    Node& targets = n.add("Target", Node::array());
    for (const KindBit& k : kTargetKinds) {
      if (r.TargetKinds & k.bit) targets.push(Node::word(k.keyword));
    }
    lines.push_back(std::string("  ") + r.Keyword + " " + r.Name + " (" + r.Field + ")");
  }
  return !kinds.empty() || !found.empty();
}

}  // namespace

int refs(const Arguments& args) {
  const char* file = args.positional()[0];
  const char* name = args.positional()[1];
  LoadedFile loaded(file);
  if (!loaded.ok()) return kExitFailure;
  TOrdex* inst = loaded.instance();
  // Publishing links come from the object-side pass; conversions and tables are resolved as
  // a check that costs nothing more.
  TOrdexReturnCode rc = Ordex_ReferenceFinder(
      inst, ORDEX_FIND_OBJECT_SIDE | ORDEX_FIND_CONVERSIONS | ORDEX_FIND_COMPU_TABLES, 0, 0,
      nullptr);
  if (rc != rcOk) return reportFailure("reference finder", rc);
  Node doc = Node::object();
  doc.add("Name", Node::text(name));
  Node& modules = doc.add("Modules", Node::array());
  std::string text;
  for (const std::string& m : moduleNames(inst)) {
    std::vector<std::string> lines;
    Node entry = Node::object();
    entry.add("Module", Node::word(m));
    if (!describeModule(inst, m, name, lines, entry)) continue;
    modules.push(std::move(entry));
    text += "MODULE " + m + "\n";
    for (const std::string& l : lines) text += "  " + l + "\n";
  }
  if (modules.elements().empty()) {
    std::fprintf(stderr, "ordex refs: no object named %s and no reference to it\n", name);
    return kExitFailure;
  }
  if (args.has("--json")) {
    printDocument(doc, true);
  } else {
    std::fputs(text.c_str(), stdout);
  }
  return kExitOk;
}

}  // namespace ordex_tool
