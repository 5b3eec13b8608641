// ordex: the command-line tool. Uses only the public C interface.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "arguments.h"
#include "commands.h"
#include "kind_names.h"
#include "suggestions.h"
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
  const char* const* kinds;  // the KIND words (the second positional); null for none
  const char* const* notes;  // more help text; null for none
  const char* example;       // command lines for the help, one a line
};

const std::vector<Command>& commands() {
  static const std::vector<Command> table = {
      {"check",
       "FILE [--strict] [--notes] [--module NAME] [--json]",
       "read FILE and check its consistency",
       "Reads FILE with its /include files and checks it: references that name nothing,\n"
       "duplicate names, limits beyond the data type or reversed, counts of 0 or beyond the\n"
       "record layout, addresses not set, tables short of their declared pairs. Prints \"ok\",\n"
       "or one line per finding (FILE: SEVERITY: OBJECT: MESSAGE [CODE]) and a count. A read\n"
       "that fails prints the return code's name and the error report on standard error; a\n"
       "file without PROJECT (empty, or no A2L text) is an error too. Exit status 1 on a\n"
       "read failure or an error; --strict counts warnings as errors. --notes adds notes\n"
       "(objects in no FUNCTION, conversions and layouts nothing uses); --json prints the\n"
       "findings as a list. Object names longer than 255 characters, which no getter\n"
       "reaches, are reported as errors too.\n",
       {{"--strict", false}, {"--notes", false}, {"--module", true}, {"--json", false}},
       1,
       1,
       check,
       nullptr,
       nullptr,
       "ordex check engine.a2l\n"},
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
       nullptr,
       "ordex info engine.a2l --json\n"},
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
       nullptr,
       "ordex list engine.a2l MEASUREMENT 'Engine*'\n"
       "ordex list twin.a2l compu-methods --module=Body --json\n"},
      {"show",
       "FILE KIND [NAME] [--module NAME] [--json]",
       "one record, field by field",
       "Prints every field of the public record of one object, with its annotations, IF_DATA\n"
       "entries and name lists (project and module need no NAME; a module's NAME is the\n"
       "module), and under KeptBlocks what the object holds beyond its record. Field names\n"
       "are those of the records in ordex.h. KIND blocks lists what the file holds beyond\n"
       "the records (GROUP, UNIT, INSTANCE, A2ML, ...), outside the modules and in each\n"
       "module (in NAME alone with --module), one line per block or keyword.\n",
       {{"--json", false}, {"--module", true}},
       2,
       3,
       show,
       &kShowKindNames,
       nullptr,
       "ordex show engine.a2l characteristic IgnitionMap\n"
       "ordex show twin.a2l MEASUREMENT Light --module Body --json\n"
       "ordex show engine.a2l blocks --module Engine\n"},
      {"refs",
       "FILE NAME [--json]",
       "who publishes NAME and what refers to it",
       "Prints, per module, the kinds of object named NAME, the function that publishes it\n"
       "(DEF_CHARACTERISTIC, OUT_MEASUREMENT, SUB_FUNCTION; from the reference finder) and\n"
       "every object that refers to the name, with the field that holds it, also when no\n"
       "object of that name exists. Exit status 1 when no module knows the name.\n",
       {{"--json", false}},
       2,
       2,
       refs,
       nullptr,
       nullptr,
       "ordex refs engine.a2l IdleSpeedTarget\n"},
      {"convert",
       "FILE MEASUREMENT HEXBYTES [--index N] [--separator C] [--module NAME]",
       "physical value and text of raw bytes",
       "Converts raw bytes (\"0FA0\" or \"0F A0\": two hex digits a byte) with the\n"
       "measurement's data type, byte order, bit mask and conversion method; the bytes must\n"
       "be as many as the data type takes. --index N takes element N of an array\n"
       "measurement through a response block (HEXBYTES: the whole array); --separator sets\n"
       "the decimal separator.\n",
       {{"--index", true}, {"--separator", true}, {"--module", true}},
       3,
       3,
       convert,
       nullptr,
       nullptr,
       "ordex convert engine.a2l EngineSpeed \"0F A0\"\n"
       "ordex convert engine.a2l EngineState 02 --index=0\n"},
      {"write",
       "IN OUT [--module NAME] [--template FILE] [--comment TEXT] [--canonical]",
       "read IN and write it back as OUT",
       "Reads IN and writes its project as OUT: only the module NAME (which must exist),\n"
       "MOD_PAR from the template FILE, TEXT as a comment line. OUT keeps IN's text byte for\n"
       "byte, with every block and comment the library does not model; included files are\n"
       "written beside OUT under their /include names when OUT is in another folder.\n"
       "--canonical writes the fixed layout of the library's canonical writer instead.\n",
       {{"--module", true}, {"--template", true}, {"--comment", true}, {"--canonical", false}},
       2,
       2,
       write,
       nullptr,
       nullptr,
       "ordex write twin.a2l body.a2l --module Body --comment \"Body only\"\n"},
      {"roundtrip",
       "FILE [--canonical]",
       "read, write, read again and compare",
       "Reads FILE, writes it back keeping its text and compares the written file with FILE\n"
       "byte for byte, reporting the first line that differs. With --canonical: writes FILE\n"
       "in the canonical layout, reads the written file and writes it again; reports where\n"
       "the two written files differ and which getter fields the second read answers\n"
       "differently. Exit status 1 when anything does.\n",
       {{"--canonical", false}},
       1,
       1,
       roundtrip,
       nullptr,
       nullptr,
       "ordex roundtrip engine.a2l\n"},
      {"edit",
       "IN OUT SCRIPT [--canonical]",
       "apply an edit script, write the result",
       "Applies the edit script to IN and writes OUT. Each failing line is reported with\n"
       "its number and return code, and then nothing is written (exit status 1). OUT keeps\n"
       "IN's text except for the edited objects (--canonical: the canonical layout).\n",
       {{"--canonical", false}},
       3,
       3,
       edit,
       nullptr,
       &kEditScriptHelp,
       "ordex edit engine.a2l edited.a2l changes.txt\n"
       "  where changes.txt holds, for instance:\n"
       "    set measurement EngineSpeed DataType SWORD\n"
       "    create function Throttle LongIdentifier=\"Throttle control\"\n"
       "    remove-from Ignition IN_MEASUREMENT CoolantTemp\n"},
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
  std::printf("      (also as the A2L keyword, singular or plural: MEASUREMENT, compu_vtab)\n");
}

std::vector<std::string> splitLines(const char* text) {
  std::vector<std::string> lines;
  std::string line;
  for (const char* p = text; *p; ++p) {
    if (*p == '\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line.push_back(*p);
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

void commandHelp(const Command& c) {
  std::printf("usage: ordex %s %s\n\n%s", c.name, c.synopsis, c.details);
  if (c.kinds) {
    std::printf("\n");
    printKinds(*c.kinds);
  }
  if (c.notes) std::printf("\n%s", *c.notes);
  const std::vector<std::string> example = splitLines(c.example);
  std::printf("\nexample%s:\n", example.size() > 1 ? "s" : "");
  for (const std::string& line : example) std::printf("  %s\n", line.c_str());
}

int usageError(const Command& c, const std::string& message) {
  std::fprintf(stderr, "ordex %s: %s\nusage: ordex %s %s\nTry 'ordex %s --help'.\n", c.name,
               message.c_str(), c.name, c.synopsis, c.name);
  return kExitUsage;
}

const Command* findCommand(const std::string& word) {
  for (const Command& c : commands()) {
    if (word == c.name) return &c;
  }
  return nullptr;
}

int unknownCommand(const std::string& word) {
  std::vector<std::string> names{"--help", "--version"};
  for (const Command& c : commands()) names.emplace_back(c.name);
  std::fprintf(stderr, "ordex: unknown command '%s'%s\nTry 'ordex --help'.\n", word.c_str(),
               didYouMean(word, names).c_str());
  return kExitUsage;
}

// The KIND word in the command's own form ("measurements" for list, "measurement" for
// show), whichever form the user typed. False, with the reason printed, when it names no
// kind the command takes.
bool takeKind(const Command& c, Arguments& args) {
  const std::string word = args.positional()[1];
  const std::string kind = canonicalKind(word, *c.kinds);
  if (!kind.empty()) {
    args.setPositional(1, kind);
    return true;
  }
  std::fprintf(stderr, "ordex %s: unknown kind '%s'%s\nkinds: %s\n", c.name, word.c_str(),
               didYouMean(word, splitKindList(*c.kinds)).c_str(), *c.kinds);
  return false;
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
      const Command* c = findCommand(argv[2]);
      if (!c) return unknownCommand(argv[2]);
      commandHelp(*c);
      return kExitOk;
    }
    overview(stdout);
    return kExitOk;
  }
  if (word == "--version") {
    std::printf("ordex %s\n", ORDEX_VERSION);
    return kExitOk;
  }
  const Command* found = findCommand(word);
  if (!found) return unknownCommand(word);
  const Command& c = *found;
  // --verbose applies to every command that reads: a failed read shows its source line.
  std::vector<char*> words;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) {
      words.insert(words.end(), argv + i, argv + argc);
      break;
    }
    if (std::strcmp(argv[i], "--verbose") == 0) {
      setVerbose(true);
    } else {
      words.push_back(argv[i]);
    }
  }
  Arguments args;
  const bool parsed = args.parse(static_cast<int>(words.size()), words.data(), c.options);
  if (args.helpWanted()) {
    commandHelp(c);
    return kExitOk;
  }
  if (!parsed) return usageError(c, args.error());
  const size_t n = args.positional().size();
  if (n < c.minPositional) return usageError(c, "missing arguments");
  if (n > c.maxPositional) return usageError(c, "too many arguments");
  if (c.kinds && !takeKind(c, args)) {
    std::fprintf(stderr, "Try 'ordex %s --help'.\n", c.name);
    return kExitUsage;
  }
  const int status = finishStandardOutput(c.run(args));
  if (status == kExitUsage) std::fprintf(stderr, "Try 'ordex %s --help'.\n", c.name);
  return status;
}
