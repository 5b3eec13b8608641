// The optional, process-wide file-access module: a shared object with four entry points
// through which every A2L read goes while it is in use.
#pragma once

#include <cstdint>

#include "platform/return_code.h"

namespace ordex::platform {

// The entry points: open(name, "rb") gives a handle, 0 on failure; getChar stores the next
// character and gives non-zero, 0 at the end; getString gives the next line (line feed
// kept), null at the end; close closes the handle.
using OpenFunc = uint32_t (*)(const char* fileName, const char* mode);
using GetCharFunc = int (*)(uint32_t handle, unsigned char* c);
using GetStringFunc = const char* (*)(uint32_t handle);
using CloseFunc = int (*)(uint32_t handle);

struct FileAccessModule {
  OpenFunc open = nullptr;
  GetCharFunc getChar = nullptr;
  GetStringFunc getString = nullptr;
  CloseFunc close = nullptr;
};

// The module's entry points while it is in use; null otherwise.
const FileAccessModule* fileAccessModuleInUse();

// Mode 0 unloads; mode 1 loads the named module and resolves its entry points; other modes
// give -1 and change nothing.
ReturnCode setFileAccessModule(int mode, const char* fileName);

}  // namespace ordex::platform
