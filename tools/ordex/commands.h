#pragma once

namespace ordex_tool {

int check(const char* file);
int info(const char* file);
int list(const char* file, const char* kind, const char* pattern);
// What publishes the object `name` and what refers to it, per module; 1 when nothing does.
int refs(const char* file, const char* name);
extern const char* const kListKinds;

}  // namespace ordex_tool
