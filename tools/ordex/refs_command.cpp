// ordex refs FILE NAME [--json]: who publishes the object NAME and which objects refer to
// it, in every module of the file.
#include <cstdio>
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

struct Referrer {
  const char* what;
  Query query;
  const char* kind;  // of the referring object
  const char* via;   // where it names the object
};

const Referrer kReferrers[] = {
    {"function listing it in DEF_/REF_CHARACTERISTIC", Ordex_GetAFuncWithRefToCha, "FUNCTION",
     "DEF_CHARACTERISTIC/REF_CHARACTERISTIC"},
    {"function listing it in IN_/OUT_/LOC_MEASUREMENT", Ordex_GetAFuncWithRefToMea, "FUNCTION",
     "IN_MEASUREMENT/OUT_MEASUREMENT/LOC_MEASUREMENT"},
    {"function listing it in SUB_FUNCTION", Ordex_GetAFuncWithRefToFunc, "FUNCTION",
     "SUB_FUNCTION"},
    {"CHARACTERISTIC with it as axis input", Ordex_GetAChaWithRefToMea, "CHARACTERISTIC",
     "AXIS_DESCR"},
    {"AXIS_PTS with it as input", Ordex_GetAAxisPtsWithRefToMea, "AXIS_PTS", "INPUT_QUANTITY"},
};

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
  char out[256];
  Node& publishers = entry.add("Publishers", Node::array());
  Node& referrers = entry.add("Referrers", Node::array());
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
  for (const Referrer& r : kReferrers) {
    if (r.query(inst, module.c_str(), name, out) == rcOk) {
      lines.push_back(std::string("first ") + r.what + ": " + out);
      Node& n = referrers.push(Node::object());
      n.add("Kind", Node::word(r.kind));
      n.add("Via", Node::word(r.via));
      n.add("Name", Node::word(out));
    }
  }
  return !lines.empty();
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
