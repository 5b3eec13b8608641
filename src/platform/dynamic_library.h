// Loading a shared object and resolving its entry points by name.
#pragma once

namespace ordex::platform {

using LibraryHandle = void*;

// Null when the library cannot be loaded.
LibraryHandle loadLibrary(const char* path);
// Null when the library has no such entry point.
void* findSymbol(LibraryHandle library, const char* name);
void unloadLibrary(LibraryHandle library);

}  // namespace ordex::platform
