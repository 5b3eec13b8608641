// Next-name enumerators over the object lists of a module and the project's modules.
#pragma once

#include "model/object_list.h"
#include "query/enumeration.h"

namespace ordex {

// One step of a name enumeration over an object list. `field` (256 bytes) holds the name
// returned last (empty to start) and receives the next matching name, or "" at the end.
void nextObjectName(EnumPosition& pos, const ObjectListBase& list, char* field,
                    const char* pattern);

}  // namespace ordex
