// ordex check FILE [--strict] [--notes] [--module NAME] [--json]: reads FILE and runs the
// library's consistency check on it.
#include <cstdio>
#include <string>

#include "commands.h"
#include "document.h"
#include "ordex.h"
#include "return_code_names.h"
#include "tool_support.h"

namespace ordex_tool {

namespace {

// The finding codes as the tool prints them, by TOrdexFindingCode.
const char* const kCodeNames[] = {
    "",
    "dangling-reference",
    "missing-reference",
    "duplicate-name",
    "limits-reversed",
    "limit-outside-data-type",
    "count-zero",
    "count-beyond-layout",
    "address-not-set",
    "table-pair-count",
    "not-in-function",
    "not-referenced",
    "axis-missing",
    "unknown-keyword",
};

const char* codeName(int32_t code) {
  const int32_t known = static_cast<int32_t>(sizeof kCodeNames / sizeof kCodeNames[0]);
  return code > 0 && code < known ? kCodeNames[code] : "unknown";
}

const char* severityName(int32_t severity) {
  switch (severity) {
    case fsError:
      return "error";
    case fsWarning:
      return "warning";
    default:
      return "note";
  }
}

// Each finding is printed (or added to the JSON list) as it comes: a large file can have
// hundreds of thousands.
struct Report {
  const char* file;
  bool withModule;
  Node* json;                 // null for the text form
  int counts[3] = {0, 0, 0};  // errors, warnings, notes
};

int take(const TCheckFinding* f, void* context) {
  Report& r = *static_cast<Report*>(context);
  ++r.counts[f->Severity == fsError ? 0 : f->Severity == fsWarning ? 1 : 2];
  if (r.json) {
    Node& n = r.json->push(Node::object());
    n.add("Severity", Node::word(severityName(f->Severity)));
    n.add("Code", Node::word(codeName(f->Code)));
    n.add("Module", Node::text(f->Module));
    n.add("Keyword", Node::word(f->Keyword));
    n.add("Name", Node::text(f->Name));
    n.add("Field", *f->Field ? Node::word(f->Field) : Node::null());
    n.add("Value", *f->Value ? Node::text(f->Value) : Node::null());
    n.add("Message", Node::text(f->Message));
    return 0;
  }
  std::string where = std::string(f->Keyword) + " " + f->Name;
  if (r.withModule) where = std::string("MODULE ") + f->Module + ", " + where;
  std::printf("%s: %s: %s: %s [%s]\n", r.file, severityName(f->Severity), where.c_str(), f->Message,
              codeName(f->Code));
  return 0;
}

std::string counted(int n, const char* what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

bool severalModules(TOrdex* inst) {
  int modules = 0;
  char name[ORDEX_TEXT_SIZE] = "";
  while (Ordex_GetNextModuleName(inst, name, nullptr) == rcOk && *name) ++modules;
  return modules > 1;
}

}  // namespace

int check(const Arguments& args) {
  const char* file = args.positional()[0];
  LoadedFile loaded(file);
  if (!loaded.ok()) return kExitFailure;
  TOrdex* inst = loaded.instance();
  TProject project;
  if (Ordex_GetProject(inst, &project, 1) == rcNoProject) {
    // A read of an empty file, or of bytes that hold no block, finds nothing to refuse.
    std::fprintf(stderr, "%s: error: no PROJECT block (an empty file, or no A2L text)\n", file);
    return kExitFailure;
  }
  // Names no getter reaches are errors of their own, told on standard error.
  const bool unreachable = reportUnreachableNames(inst, file) != 0;
  const bool notes = args.has("--notes");
  Node doc = Node::array();
  Report report{file, severalModules(inst), args.has("--json") ? &doc : nullptr};
  TOrdexReturnCode rc = Ordex_CheckConsistency(inst, args.value("--module"),
                                               notes ? fsNote : fsWarning, take, &report);
  if (rc != rcOk) return reportFailure("check", rc);
  const int* counts = report.counts;
  const bool failed = unreachable || counts[0] > 0 || (args.has("--strict") && counts[1] > 0);
  if (report.json) {
    printDocument(doc, true);
  } else if (counts[0] + counts[1] + counts[2] == 0) {
    if (!unreachable) std::printf("ok\n");
  } else {
    std::string summary = counted(counts[0], "error") + ", " + counted(counts[1], "warning");
    if (notes) summary += ", " + counted(counts[2], "note");
    std::printf("%s: %s\n", file, summary.c_str());
  }
  return failed ? kExitFailure : kExitOk;
}

}  // namespace ordex_tool
