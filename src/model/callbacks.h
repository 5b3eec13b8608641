// The functions a host hands to a read, a reference finder run or a write.
#pragma once

#include <cstdint>

#include "model/element_kind.h"

namespace ordex {

// Told a percentage (0..100); a non-zero result stops the operation.
using ProgressCallback = int (*)(int percent);

// Asked about one object, by its kind and UserData; 0 leaves the object out. The call goes
// through `call` with `context`, so that the caller decides how the kind reaches the host.
struct ElementFilter {
  int (*call)(const void* context, ElementKind kind, uint32_t userData) = nullptr;
  const void* context = nullptr;

  explicit operator bool() const { return call != nullptr; }
  int operator()(ElementKind kind, uint32_t userData) const { return call(context, kind, userData); }
};

}  // namespace ordex
