#include "query/kept_content_check.h"

#include <string>
#include <unordered_set>

#include "query/asap2_keywords.h"
#include "query/kept_blocks.h"
#include "query/kept_summary.h"

namespace ordex {

namespace {

// The object of a list named exactly name (references resolve byte by byte).
template <class List>
bool definedIn(const List& list, std::string_view name) {
  const ObjectHead* o = list.find(name);
  return o && o->Name.view() == name;
}

class KeptChecker {
 public:
  KeptChecker(const TProject_Intern& project, const TModule_Intern& module, int32_t minSeverity,
              FindingSink& sink)
      : project_(project), module_(module), min_(minSeverity), sink_(sink) {}

  bool run() {
    if (!project_.Source) return true;
    if (min_ <= severityError) checkGroups();
    if (min_ <= severityWarning) checkKeywords();
    return !stopped_;
  }

 private:
  void report(FindingSeverity severity, FindingCode code, int32_t kind, const char* keyword,
              std::string_view name, std::string field, std::string value, std::string message) {
    if (stopped_) return;
    Finding f;
    f.severity = severity;
    f.code = code;
    f.kind = kind;
    f.keyword = keyword;
    f.name = name;
    f.field = std::move(field);
    f.value = std::move(value);
    f.message = std::move(message);
    if (!sink_.report(module_, f)) stopped_ = true;
  }

  bool defined(std::string_view list, std::string_view name, const char** kind) const {
    if (list == "REF_CHARACTERISTIC") {
      *kind = "CHARACTERISTIC";
      return definedIn(module_.Characteristics, name) || definedIn(module_.AxisPts, name);
    }
    if (list == "REF_MEASUREMENT") {
      *kind = "MEASUREMENT";
      return definedIn(module_.Measurements, name);
    }
    if (list == "FUNCTION_LIST") {
      *kind = "FUNCTION";
      return definedIn(module_.Functions, name);
    }
    *kind = "GROUP";
    return groups_.count(std::string(name)) > 0;
  }

  void checkGroups() {
    const SourceSpan* span = project_.Source->spanOf({&module_, SourcePart::kModule});
    if (!span) return;
    const KeptTree& tree = keptTreeOf(*project_.Source, KeptScope::kModule, span);
    for (const KeptNode& n : tree.nodes) {
      if (n.keyword == "GROUP" && n.depth == 0) groups_.insert(std::string(tree.nameOf(n)));
    }
    for (const KeptNode& n : tree.nodes) {
      if (n.parent < 0 || n.depth != 1) continue;
      const KeptNode& group = tree.nodes[static_cast<size_t>(n.parent)];
      if (group.keyword != "GROUP") continue;
      if (n.keyword != "REF_CHARACTERISTIC" && n.keyword != "REF_MEASUREMENT" &&
          n.keyword != "SUB_GROUP" && n.keyword != "FUNCTION_LIST")
        continue;
      for (uint32_t t = 0; t < n.numTokens && !stopped_; ++t) {
        const std::string_view member = tree.tokens[n.firstToken + t];
        const char* kind = "";
        if (defined(n.keyword, member, &kind)) continue;
        const std::string list(n.keyword);
        report(severityError, findingDanglingReference, 0, "GROUP", tree.nameOf(group), list,
               std::string(member),
               list + " names " + std::string(member) + ", but no " + kind +
                   (list == "REF_CHARACTERISTIC" ? " or AXIS_PTS" : "") + " of that name exists");
      }
    }
  }

  void keywordsOf(const ObjectHead* object, int32_t kind, const char* keyword,
                  std::string_view name) {
    for (const UnknownKeyword& u : unknownKeywordsOf(project_, module_, object)) {
      if (stopped_) return;
      std::string message = std::string(u.keyword) + " (" + project_.Source->files[u.file]->path +
                            ":" + std::to_string(u.line) + ") is no keyword of ASAP2";
      if (!u.among.empty()) message += " (read as an argument of " + std::string(u.among) + ")";
      const std::string_view meant = nearestAsap2Keyword(u.keyword);
      if (!meant.empty()) message += "; " + std::string(meant) + " was probably meant";
      report(severityWarning, findingUnknownKeyword, kind, keyword, name, std::string(u.within),
             std::string(u.keyword), message);
    }
  }

  template <class List>
  void keywordsIn(const List& list, const char* keyword) {
    for (const ObjectHead* o : list) keywordsOf(o, o->Kind, keyword, o->Name.view());
  }

  void checkKeywords() {
    keywordsOf(nullptr, ekModule, "MODULE", module_.Name.view());
    keywordsIn(module_.Characteristics, "CHARACTERISTIC");
    keywordsIn(module_.Measurements, "MEASUREMENT");
    keywordsIn(module_.Functions, "FUNCTION");
    keywordsIn(module_.CompuMethods, "COMPU_METHOD");
    keywordsIn(module_.CompuTabs, "COMPU_TAB");
    keywordsIn(module_.CompuVTabs, "COMPU_VTAB");
    keywordsIn(module_.AxisPts, "AXIS_PTS");
    keywordsIn(module_.RecordLayouts, "RECORD_LAYOUT");
  }

  const TProject_Intern& project_;
  const TModule_Intern& module_;
  const int32_t min_;
  FindingSink& sink_;
  bool stopped_ = false;
  std::unordered_set<std::string> groups_;
};

}  // namespace

bool checkKeptContent(const TProject_Intern& project, const TModule_Intern& module,
                      int32_t minSeverity, FindingSink& sink) {
  return KeptChecker(project, module, minSeverity, sink).run();
}

}  // namespace ordex
