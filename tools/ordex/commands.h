// The commands of the ordex tool. Each takes its parsed command line (the positional count
// is checked by main) and returns the exit status: kExitOk, kExitFailure when the library
// reports a failure (its code name is printed), kExitUsage for a wrong command line.
#pragma once

#include "arguments.h"

namespace ordex_tool {

int check(const Arguments& args);      // FILE [--strict] [--notes] [--module NAME] [--json]
int info(const Arguments& args);       // FILE [--json]
int list(const Arguments& args);       // FILE KIND [PATTERN] [--module NAME] [--json]
int show(const Arguments& args);       // FILE KIND [NAME] [--module NAME] [--json]
int refs(const Arguments& args);       // FILE NAME [--json]
int convert(const Arguments& args);    // FILE MEASUREMENT HEXBYTES [--index N] [--separator C]
int write(const Arguments& args);      // IN OUT [--module NAME] [--template FILE] [--comment T]
int roundtrip(const Arguments& args);  // FILE
int edit(const Arguments& args);       // IN OUT SCRIPT

extern const char* const kListKinds;
extern const char* const kShowKindNames;
extern const char* const kEditScriptHelp;

}  // namespace ordex_tool
