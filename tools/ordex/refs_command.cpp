// ordex refs FILE NAME: who publishes the object NAME and which objects refer to it, in every
// module of the file.
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
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
};

const Publisher kPublishers[] = {
    {"CHARACTERISTIC", Ordex_GetAChasPublishingFunc, rcCharacteristicNotFound,
     "published by (DEF_CHARACTERISTIC of)"},
    {"MEASUREMENT", Ordex_GetAMeasPublishingFunc, rcMeasurementNotFound,
     "published by (OUT_MEASUREMENT of)"},
    {"FUNCTION", Ordex_GetAFuncsPublishingFunc, rcFunctionNotFound,
     "parent function (SUB_FUNCTION of)"},
};

struct Referrer {
  const char* what;
  Query query;
};

const Referrer kReferrers[] = {
    {"function listing it in DEF_/REF_CHARACTERISTIC", Ordex_GetAFuncWithRefToCha},
    {"function listing it in IN_/OUT_/LOC_MEASUREMENT", Ordex_GetAFuncWithRefToMea},
    {"function listing it in SUB_FUNCTION", Ordex_GetAFuncWithRefToFunc},
    {"CHARACTERISTIC with it as axis input", Ordex_GetAChaWithRefToMea},
    {"AXIS_PTS with it as input", Ordex_GetAAxisPtsWithRefToMea},
};

std::vector<std::string> modules(TOrdex* inst) {
  std::vector<std::string> out;
  char name[256] = "";
  while (Ordex_GetNextModuleName(inst, name, nullptr) == rcOk && *name) out.emplace_back(name);
  return out;
}

// Prints what the module knows about name; false when it knows nothing.
bool printModule(TOrdex* inst, const std::string& module, const char* name) {
  std::vector<std::string> lines;
  char out[256];
  for (const Publisher& p : kPublishers) {
    TOrdexReturnCode rc = p.query(inst, module.c_str(), name, out);
    if (rc == p.notFound) continue;
    if (rc != rcOk) {
      lines.push_back(std::string(p.kind) + ": " + returnCodeName(rc));
      continue;
    }
    lines.push_back(std::string(p.kind) + ", " + p.relation + ": " + (*out ? out : "(none)"));
  }
  for (const Referrer& r : kReferrers) {
    if (r.query(inst, module.c_str(), name, out) == rcOk) {
      lines.push_back(std::string("first ") + r.what + ": " + out);
    }
  }
  if (lines.empty()) return false;
  std::printf("MODULE %s\n", module.c_str());
  for (const std::string& l : lines) std::printf("  %s\n", l.c_str());
  return true;
}

}  // namespace

int refs(const char* file, const char* name) {
  LoadedFile loaded(file);
  if (!loaded.ok()) return 1;
  TOrdex* inst = loaded.instance();
  // Publishing links come from the object-side pass; conversions and tables are resolved as
  // a check that costs nothing more.
  TOrdexReturnCode rc = Ordex_ReferenceFinder(
      inst, ORDEX_FIND_OBJECT_SIDE | ORDEX_FIND_CONVERSIONS | ORDEX_FIND_COMPU_TABLES, 0, 0,
      nullptr);
  if (rc != rcOk) {
    std::fprintf(stderr, "reference finder: %s\n", returnCodeName(rc));
    return 1;
  }
  bool found = false;
  for (const std::string& m : modules(inst)) found = printModule(inst, m, name) || found;
  if (!found) {
    std::fprintf(stderr, "no object named %s and no reference to it\n", name);
    return 1;
  }
  return 0;
}

}  // namespace ordex_tool
