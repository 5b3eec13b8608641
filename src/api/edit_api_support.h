// What the exported edit operations share.
#pragma once

#include <string_view>

#include "api/guarded.h"
#include "api/write_in_progress.h"
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
// The same holds for the callbacks of a write, which could free the object the writer is
// about to write.
inline void refuseWhileBeingRead(const TOrdex* instance) {
  if (instance && (instance == ordex::instanceBeingRead() || instance == instanceBeingWritten())) {
    throw rcInvalidArgument;
  }
}

// Runs op on the named module (-104 / -105 when there is none) and returns what it returns.
template <class Op>
TOrdexReturnCode onModule(TOrdex* instance, const char* moduleName, Op&& op) {
  return guarded([&] { return op(moduleOf(instance, moduleName)); });
}

// The same for an operation that frees records or rebuilds pairs: refused first on the
// instance being read.
template <class Op>
TOrdexReturnCode onModuleNotBeingRead(TOrdex* instance, const char* moduleName, Op&& op) {
  return guarded([&] {
    refuseWhileBeingRead(instance);
    return op(moduleOf(instance, moduleName));
  });
}

}  // namespace ordex::api
