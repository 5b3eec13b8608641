#include "platform/file_access_module.h"

#include <sys/stat.h>

#include <cstring>
#include <string>

#include "platform/dynamic_library.h"

namespace ordex::platform {

namespace {

LibraryHandle gLibrary = nullptr;
FileAccessModule gEntries;
bool gInUse = false;

void unload() {
  unloadLibrary(gLibrary);
  gLibrary = nullptr;
  gEntries = FileAccessModule{};
  gInUse = false;
}

// A bare file name is looked for in the current directory first, as hosts expect of a
// module named without a path.
LibraryHandle loadByName(const char* fileName) {
  if (!std::strchr(fileName, '/')) {
    struct stat st;
    if (stat(fileName, &st) == 0) return loadLibrary((std::string("./") + fileName).c_str());
  }
  return loadLibrary(fileName);
}

}  // namespace

const FileAccessModule* fileAccessModuleInUse() {
  return gInUse ? &gEntries : nullptr;
}

ReturnCode setFileAccessModule(int mode, const char* fileName) {
  if (mode == 0) {
    unload();
    return ReturnCode::Ok;
  }
  if (mode != 1) return ReturnCode::InvalidArgument;
  unload();
  if (!fileName || !*fileName) return ReturnCode::FileOpenFailed;
  gLibrary = loadByName(fileName);
  if (!gLibrary) return ReturnCode::FileOpenFailed;
  FileAccessModule entries;
  entries.open = reinterpret_cast<OpenFunc>(findSymbol(gLibrary, "fOpenCryptClass"));
  if (!entries.open) return ReturnCode::FileAccessFailed;
  entries.getChar = reinterpret_cast<GetCharFunc>(findSymbol(gLibrary, "fGetCharCryptClass"));
  if (!entries.getChar) return ReturnCode::FileAccessFailed;
  entries.getString = reinterpret_cast<GetStringFunc>(findSymbol(gLibrary, "fGetStringCryptClass"));
  if (!entries.getString) return ReturnCode::FileAccessFailed;
  entries.close = reinterpret_cast<CloseFunc>(findSymbol(gLibrary, "fCloseCryptClass"));
  if (!entries.close) return ReturnCode::FileAccessFailed;
  gEntries = entries;
  gInUse = true;
  return ReturnCode::Ok;
}

}  // namespace ordex::platform
