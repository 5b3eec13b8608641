// The optional, process-wide file-access module: a shared object with four entry points
// through which every A2L read goes while it is in use.
#pragma once

#include "ordex.h"

namespace ordex::platform {

struct FileAccessModule {
  TOrdexOpenCryptClassFunc open = nullptr;
  TOrdexGetCharCryptClassFunc getChar = nullptr;
  TOrdexGetStringCryptClassFunc getString = nullptr;
  TOrdexCloseCryptClassFunc close = nullptr;
};

// The module's entry points while it is in use; null otherwise.
const FileAccessModule* fileAccessModuleInUse();

// Mode 0 unloads; mode 1 loads the named module and resolves its entry points; other modes
// give -1 and change nothing.
TOrdexReturnCode setFileAccessModule(int mode, const char* fileName);

}  // namespace ordex::platform
