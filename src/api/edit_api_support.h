// What the exported edit operations share.
#pragma once

#include <string_view>

#include "api/guarded.h"
#include "reader/file_reader.h"

namespace ordex::api {

// A required name argument; throws -205 when it is null.
inline std::string_view requiredName(const char* name) {
  if (!name) throw rcNullArgument;
  return name;
}

// A read's progress callback may call the edit operations. Those that free records or
// rebuild a table's pairs could pull from under the reader what it is filling (the module,
// the current object, an open IF_DATA entry, the pair being read), so they refuse to work
// on the instance being read: -1, nothing changed. Creating and changing are harmless.
inline void refuseWhileBeingRead(const TOrdex* instance) {
  if (instance && instance == ordex::instanceBeingRead()) throw rcInvalidArgument;
}

}  // namespace ordex::api
