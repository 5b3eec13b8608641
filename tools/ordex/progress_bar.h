// A progress bar on standard error while the library reads or writes a large file, driven
// by the library's progress callbacks. Shown only when standard error is a terminal and
// the file holds at least kProgressMinBytes, so that pipes, logs and small files see none.
#pragma once

#include <cstdint>

#include "ordex.h"

namespace ordex_tool {

constexpr uint64_t kProgressMinBytes = 4u << 20;

// The callback to hand to a read or a write of `path` ("reading", "writing"); null when no
// bar is shown. sizeHint: the bytes that decide whether to show one (0: the size of path).
// One bar at a time; progressDone() clears its line.
TOrdexProgressCallback progressFor(const char* verb, const char* path, uint64_t sizeHint = 0);
void progressDone();

// The size of a file in bytes, 0 when it cannot be read.
uint64_t fileSize(const char* path);

}  // namespace ordex_tool
