#pragma once

namespace ordex_tool {

int check(const char* file);
int info(const char* file);
int list(const char* file, const char* kind, const char* pattern);
extern const char* const kListKinds;
// Applies the edit script to the file in and writes the result to out; nothing is written
// when a line fails.
int edit(const char* in, const char* out, const char* script);
extern const char* const kEditScriptHelp;

}  // namespace ordex_tool
