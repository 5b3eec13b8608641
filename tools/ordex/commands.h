#pragma once

namespace ordex_tool {

int check(const char* file);
int info(const char* file);
int list(const char* file, const char* kind, const char* pattern);
// argv holds the arguments after the command word.
int convert(int argc, char** argv);
extern const char* const kListKinds;

}  // namespace ordex_tool
