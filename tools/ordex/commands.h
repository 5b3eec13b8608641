#pragma once

namespace ordex_tool {

int check(const char* file);
int info(const char* file);
int list(const char* file, const char* kind, const char* pattern);
// argv holds the arguments after the command word.
int convert(int argc, char** argv);
// What publishes the object `name` and what refers to it, per module; 1 when nothing does.
int refs(const char* file, const char* name);
extern const char* const kListKinds;
int show(const char* file, const char* kind, const char* name);
extern const char* const kShowKindNames;
// args: IN OUT, then option/value pairs (--module, --template, --comment).
int write(int argc, char** args);
int roundtrip(const char* file);
// Applies the edit script to the file in and writes the result to out; nothing is written
// when a line fails.
int edit(const char* in, const char* out, const char* script);
extern const char* const kEditScriptHelp;

}  // namespace ordex_tool
