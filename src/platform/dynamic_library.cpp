#include "platform/dynamic_library.h"

#include <dlfcn.h>

namespace ordex::platform {

LibraryHandle loadLibrary(const char* path) {
  if (!path) return nullptr;
  return dlopen(path, RTLD_NOW | RTLD_LOCAL);
}

void* findSymbol(LibraryHandle library, const char* name) {
  return library ? dlsym(library, name) : nullptr;
}

void unloadLibrary(LibraryHandle library) {
  if (library) dlclose(library);
}

}  // namespace ordex::platform
