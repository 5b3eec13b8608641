#include "query/name_lists.h"

#include <cstring>

namespace ordex {

bool matchWildcard(const char* pattern, std::string_view name) {
  if (!pattern) return true;
  const char* p = pattern;
  size_t n = 0;
  const char* starP = nullptr;  // the last "*" seen, to backtrack to
  size_t starN = 0;
  while (n < name.size()) {
    if (*p == '*') {
      starP = p++;
      starN = n;
    } else if (*p && (*p == '?' || *p == name[n])) {
      ++p;
      ++n;
    } else if (starP) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (*p == '*') ++p;
  return *p == '\0';
}

void listNames(const ObjectListBase& list, char* buffer, int size, const char* after,
               const char* pattern) {
  buffer[0] = '\0';
  const ObjectHead* n = list.First;
  if (after) {
    const ObjectHead* anchor = list.findHead(after);
    n = anchor ? anchor->Next : nullptr;
  }
  size_t used = 0;
  for (; n; n = n->Next) {
    if (!matchWildcard(pattern, n->Name)) continue;
    size_t len = std::strlen(n->Name.c_str());
    if (used + len + 4 > static_cast<size_t>(size)) break;
    std::memcpy(buffer + used, n->Name.c_str(), len + 1);
    buffer[used + len + 1] = '\0';
    used += len + 1;
  }
}

}  // namespace ordex
