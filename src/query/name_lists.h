// Names of a list written at once into a caller's buffer, and the wildcard filter.
#pragma once

#include <string_view>

#include "model/object_list.h"

namespace ordex {

// "*" matches any run of characters (also none), "?" exactly one; every other character
// matches itself, letter case significant. A null pattern matches everything.
bool matchWildcard(const char* pattern, std::string_view name);

// Writes the names of `list` as a multi-string (each name followed by a zero byte, the
// whole closed by one more): only names matching `pattern`, only those after the first
// record named `after` (when given), and only while a name of length L still leaves room
// (U + L + 4 <= size, U the bytes written so far). The buffer holds at least one byte.
void listNames(const ObjectListBase& list, char* buffer, int size, const char* after,
               const char* pattern);

}  // namespace ordex
