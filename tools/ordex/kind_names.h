// The object kinds a user names on the command line and in edit scripts. Every kind is
// taken in each form a user types: the A2L keyword (COMPU_VTAB), lower case (compu_vtab),
// with hyphens (compu-vtab), singular or plural, letter case ignored.
#pragma once

#include <string>
#include <vector>

namespace ordex_tool {

struct ObjectKind {
  const char* keyword;   // "COMPU_VTAB"
  const char* singular;  // "compu-vtab": show, edit scripts
  const char* plural;    // "compu-vtabs": list
};

// The kind a word names, or null.
const ObjectKind* findKind(const std::string& word);

// The words of a comma-separated list such as "modules, memory-segments".
std::vector<std::string> splitKindList(const char* list);

// The word in `allowed` (a comma-separated list of singular or plural forms) that names
// the same kind as word; empty when none does.
std::string canonicalKind(const std::string& word, const char* allowed);

}  // namespace ordex_tool
