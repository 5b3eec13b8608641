#pragma once

namespace ordex_tool {

int check(const char* file);
int info(const char* file);
int list(const char* file, const char* kind, const char* pattern);
// argv holds the arguments after the command word.
int convert(int argc, char** argv);
extern const char* const kListKinds;
int show(const char* file, const char* kind, const char* name);
extern const char* const kShowKindNames;
// args: IN OUT, then option/value pairs (--module, --template, --comment).
int write(int argc, char** args);
int roundtrip(const char* file);

}  // namespace ordex_tool
