#pragma once

namespace ordex_tool {

int check(const char* file);
int info(const char* file);
int list(const char* file, const char* kind, const char* pattern);
extern const char* const kListKinds;

}  // namespace ordex_tool
