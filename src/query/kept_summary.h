// What a read kept but the model does not hold, summed up by keyword over the whole read:
// the text outside the modules, every module and every object read from the text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/project.h"

namespace ordex {

struct KeptSummaryEntry {
  std::string keyword;
  int32_t count = 0;
  // The first occurrence, in text order of the walk: its file, line, module ("" outside
  // the modules) and the object it stands in (kind 0 and "" outside the objects).
  uint32_t file = 0;
  int32_t line = 0;
  std::string module;
  int32_t kind = 0;
  std::string object;
};

// One entry per keyword, in the order of their first occurrence. Nodes inside an IF_DATA
// or A2ML body are that body's own language and are not counted. Empty without kept text.
std::vector<KeptSummaryEntry> keptSummaryOf(const TProject_Intern& project);

// A kept keyword that is no keyword of the standard, where it stands.
struct UnknownKeyword {
  std::string_view keyword;
  uint32_t file = 0;
  int32_t line = 0;
  std::string_view within;  // the modelled blocks it stands in, as KeptTree::withins
  std::string_view among;   // the kept keyword among whose arguments it stands, or empty
};

// The unknown keywords of a module's own scope (object null) or of one of its objects:
// blocks and keywords of no standard, and arguments of a kept keyword that have a keyword's
// form and lie within two edits of one.
std::vector<UnknownKeyword> unknownKeywordsOf(const TProject_Intern& project,
                                              const TModule_Intern& module,
                                              const ObjectHead* object);

}  // namespace ordex
