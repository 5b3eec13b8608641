// ordex: the command-line tool. Uses only the public C interface.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "arguments.h"
#include "commands.h"
#include "tool_support.h"

#ifndef ORDEX_VERSION
#define ORDEX_VERSION "unknown"
#endif

namespace ordex_tool {
namespace {

struct Command {
  const char* name;
  const char* synopsis;  // the arguments after the command word
  const char* summary;   // one line for the overview
  const char* details;   // what it prints; null for none
  std::vector<OptionRule> options;
  size_t minPositional;
  size_t maxPositional;
  int (*run)(const Arguments&);
  const char* const* kinds;  // the KIND words, for the help text; null for none
  const char* const* notes;  // more help text; null for none
};

const std::vector<Command>& commands() {
  static const std::vector<Command> table = {
      {"check",
       "FILE",
       "read FILE and report ok or the error",
       "Reads FILE with its /include files and prints \"ok\", or the return code's name and\n"
       "the error report (line and object where the read stopped) on standard error.\n"
       "Object names longer than 255 characters, which no getter reaches, are reported on\n"
       "standard error as well (exit status 1).\n",
       {},
       1,
       1,
       check,
       nullptr,
       nullptr},
      {"info",
       "FILE [--json]",
       "version, project, modules and object counts",
       "Prints the ASAP2 version of the file head, the project, and for each module its\n"
       "object counts (the text form leaves out zero counts and adds the read time).\n",
       {{"--json", false}},
       1,
       1,
       info,
       nullptr,
       nullptr},
      {"list",
       "FILE KIND [PATTERN] [--module NAME] [--json]",
       "names of one kind of object",
       "Prints the names of one kind of object in file order, one a line (--json: an array).\n"
       "PATTERN keeps the names it matches: * any run, ? one character, letter case counts.\n"
       "Without --module the file must hold one module. PATTERN does not apply to\n"
       "system-constants.\n",
       {{"--json", false}, {"--module", true}},
       2,
       3,
       list,
       &kListKinds,
       nullptr},
      {"show",
       "FILE KIND [NAME] [--module NAME] [--json]",
       "one record, field by field",
       "Prints every field of the public record of one object, with its annotations, IF_DATA\n"
       "entries and name lists (project and module need no NAME; a module's NAME is the\n"
       "module). Field names are those of the records in ordex.h.\n",
       {{"--json", false}, {"--module", true}},
       2,
       3,
       show,
       &kShowKindNames,
       nullptr},
      {"refs",
       "FILE NAME [--json]",
       "who publishes NAME and what refers to it",
       "Runs the reference finder and prints, per module, the function that publishes the\n"
       "object NAME (DEF_CHARACTERISTIC, OUT_MEASUREMENT, SUB_FUNCTION) and the first\n"
       "objects referring to it. Exit status 1 when no module knows the name.\n",
       {{"--json", false}},
       2,
       2,
       refs,
       nullptr,
       nullptr},
      {"convert",
       "FILE MEASUREMENT HEXBYTES [--index N] [--separator C]",
       "physical value and text of raw bytes",
       "Converts raw bytes (\"0FA0\" or \"0F A0\") with the measurement's data type, byte\n"
       "order, bit mask and conversion method. --index N takes element N of an array\n"
       "measurement through a response block; --separator sets the decimal separator.\n",
       {{"--index", true}, {"--separator", true}},
       3,
       3,
       convert,
       nullptr,
       nullptr},
      {"write",
       "IN OUT [--module NAME] [--template FILE] [--comment TEXT]",
       "read IN and write it back as OUT",
       "Reads IN and writes its project as OUT: only the module NAME, MOD_PAR from the\n"
       "template FILE, TEXT as the head comment.\n",
       {{"--module", true}, {"--template", true}, {"--comment", true}},
       2,
       2,
       write,
       nullptr,
       nullptr},
      {"roundtrip",
       "FILE",
       "read, write, read again and compare",
       "Reads FILE, writes it, reads the written file and writes it again; reports where the\n"
       "two written files differ and which getter fields the second read answers\n"
       "differently. Exit status 1 when anything does.\n",
       {},
       1,
       1,
       roundtrip,
       nullptr,
       nullptr},
      {"edit",
       "IN OUT SCRIPT",
       "apply an edit script, write the result",
       "Applies the edit script to IN and writes OUT. Each failing line is reported with\n"
       "its number and return code, and then nothing is written (exit status 1).\n",
       {},
       3,
       3,
       edit,
       nullptr,
       &kEditScriptHelp},
  };
  return table;
}

void overview(std::FILE* out) {
  std::fprintf(out, "usage: ordex COMMAND ARGUMENTS...\n\ncommands:\n");
  for (const Command& c : commands()) std::fprintf(out, "  %-10s %s\n", c.name, c.summary);
  std::fprintf(out,
               "\n'ordex COMMAND --help' describes a command. Exit status: 0 success, 1 a\n"
               "failure the library reports (its return code's name is printed), 2 a wrong\n"
               "command line.\n");
}

// Prints "KIND: a, b, ..." wrapped at 88 columns, continuation lines indented.
void printKinds(const char* kinds) {
  std::string line = "KIND:";
  const char* word = kinds;
  while (*word) {
    const char* end = std::strchr(word, ' ');
    const std::string w = end ? std::string(word, end) : std::string(word);
    if (line.size() + 1 + w.size() > 88) {
      std::printf("%s\n", line.c_str());
      line = "     ";
    }
    line += " " + w;
    word = end ? end + 1 : word + w.size();
  }
  std::printf("%s\n", line.c_str());
}

void commandHelp(const Command& c) {
  std::printf("usage: ordex %s %s\n\n%s", c.name, c.synopsis, c.details);
  if (c.kinds) {
    std::printf("\n");
    printKinds(*c.kinds);
  }
  if (c.notes) std::printf("\n%s", *c.notes);
}

int usageError(const Command& c, const std::string& message) {
  std::fprintf(stderr, "ordex %s: %s\nusage: ordex %s %s\nTry 'ordex %s --help'.\n", c.name,
               message.c_str(), c.name, c.synopsis, c.name);
  return kExitUsage;
}

}  // namespace
}  // namespace ordex_tool

int main(int argc, char** argv) {
  using namespace ordex_tool;
  if (argc < 2) {
    overview(stderr);
    return kExitUsage;
  }
  const std::string word = argv[1];
  if (word == "--help" || word == "-h" || word == "help") {
    if (argc >= 3) {
      for (const Command& c : commands()) {
        if (c.name == std::string(argv[2])) {
          commandHelp(c);
          return kExitOk;
        }
      }
    }
    overview(stdout);
    return kExitOk;
  }
  if (word == "--version") {
    std::printf("ordex %s\n", ORDEX_VERSION);
    return kExitOk;
  }
  for (const Command& c : commands()) {
    if (word != c.name) continue;
    Arguments args;
    const bool parsed = args.parse(argc - 2, argv + 2, c.options);
    if (args.helpWanted()) {
      commandHelp(c);
      return kExitOk;
    }
    if (!parsed) return usageError(c, args.error());
    const size_t n = args.positional().size();
    if (n < c.minPositional) return usageError(c, "missing arguments");
    if (n > c.maxPositional) return usageError(c, "too many arguments");
    const int status = finishStandardOutput(c.run(args));
    if (status == kExitUsage) std::fprintf(stderr, "Try 'ordex %s --help'.\n", c.name);
    return status;
  }
  std::fprintf(stderr, "ordex: unknown command '%s'\n", argv[1]);
  overview(stderr);
  return kExitUsage;
}
