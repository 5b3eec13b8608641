#include "query/name_enumerators.h"

#include "model/copy_to_field.h"
#include "model/name_compare.h"
#include "query/name_lists.h"

namespace ordex {

void nextObjectName(EnumPosition& pos, const ObjectListBase& list, char* field,
                    const char* pattern) {
  std::string_view key = fieldText(field);
  const ObjectHead* n = enumerationStep<ObjectHead>(
      pos, &list, key.empty(), [&] { return list.First; },
      [](const ObjectHead* h) { return h->Next; },
      [&](const ObjectHead* h) { return namesEqual(h->Name, key); },
      [&] { return list.findHead(key); },
      [&](const ObjectHead* h) { return matchWildcard(pattern, h->Name); });
  copyToField(field, n ? std::string_view(n->Name) : std::string_view());
}

}  // namespace ordex
