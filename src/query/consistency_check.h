// The consistency check of a module: references that resolve to nothing, duplicate names,
// limits, counts, addresses and tables that contradict the file's own declarations, and
// notes about objects no function lists or no object uses.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/project.h"
#include "query/finding_codes.h"

namespace ordex {

struct Finding {
  FindingSeverity severity;
  FindingCode code;
  int32_t kind;         // the ElementKind of the object; 0 for the variant-coding records
  const char* keyword;  // the object's block keyword
  std::string_view name;
  std::string field;
  std::string value;
  std::string message;
};

class FindingSink {
 public:
  virtual ~FindingSink() = default;
  // False stops the check.
  virtual bool report(const TModule_Intern& module, const Finding& finding) = 0;
};

// Checks one module of the project and hands every finding of minSeverity or above to the
// sink: the references (kind by kind, in the order forEachReference walks them), duplicate
// names, the characteristics, axis points, measurements and tables, the notes, then what
// checkKeptContent finds; each object in list order. False when the sink stopped it. Linear
// in the objects and references of the module.
bool checkModule(const TProject_Intern& project, const TModule_Intern& module, int32_t minSeverity,
                 FindingSink& sink);

}  // namespace ordex
