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

const FileAccessModule* fileAccessModuleInUse() { return gInUse ? &gEntries : nullptr; }

TOrdexReturnCode setFileAccessModule(int mode, const char* fileName) {
  if (mode == 0) {
    unload();
    return rcOk;
  }
  if (mode != 1) return rcInvalidArgument;
  unload();
  if (!fileName || !*fileName) return rcFileOpenFailed;
  gLibrary = loadByName(fileName);
  if (!gLibrary) return rcFileOpenFailed;
  FileAccessModule entries;
  entries.open = reinterpret_cast<TOrdexOpenCryptClassFunc>(findSymbol(gLibrary, "fOpenCryptClass"));
  if (!entries.open) return rcFileAccessFailed;
  entries.getChar =
      reinterpret_cast<TOrdexGetCharCryptClassFunc>(findSymbol(gLibrary, "fGetCharCryptClass"));
  if (!entries.getChar) return rcFileAccessFailed;
  entries.getString =
      reinterpret_cast<TOrdexGetStringCryptClassFunc>(findSymbol(gLibrary, "fGetStringCryptClass"));
  if (!entries.getString) return rcFileAccessFailed;
  entries.close =
      reinterpret_cast<TOrdexCloseCryptClassFunc>(findSymbol(gLibrary, "fCloseCryptClass"));
  if (!entries.close) return rcFileAccessFailed;
  gEntries = entries;
  gInUse = true;
  return rcOk;
}

}  // namespace ordex::platform
