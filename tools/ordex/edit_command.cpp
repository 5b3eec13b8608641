// ordex edit IN OUT SCRIPT: applies a line-based edit script to a file and writes the result.
// Built on the public C interface alone: every change is a get, an edit of one field of the
// public record, and a change (see edit_script.h).
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "commands.h"
#include "edit_script.h"
#include "ordex.h"
#include "progress_bar.h"
#include "return_code_names.h"
#include "tool_support.h"

namespace ordex_tool {

const char* const kEditScriptHelp =
    "  edit script, one command a line (# starts a comment; double quotes keep blanks, also\n"
    "  inside a word: LongIdentifier=\"engine speed\"):\n"
    "    module NAME                   the module of the following lines (default: the only one)\n"
    "    remove KIND NAME              KIND: module, memory-segment, characteristic, measurement,\n"
    "                                  function, compu-method, compu-tab, compu-vtab, axis-pts,\n"
    "                                  record-layout, system-constant (any form: COMPU_VTAB)\n"
    "    set KIND NAME FIELD VALUE     a text, number, keyword or flag field of the public\n"
    "                                  record (project, module or a KIND above) as show prints\n"
    "                                  it, e.g. set measurement N DataType SWORD\n"
    "    create KIND NAME FIELD=VALUE...  a new object (FIELD as for set); the fixed parameters\n"
    "                                  of its block must be given, the rest is left unset; a\n"
    "                                  system-constant takes Value=TEXT\n"
    "    add FUNCTION LIST NAME        LIST: DEF_CHARACTERISTIC, REF_CHARACTERISTIC,\n"
    "                                  IN_MEASUREMENT, OUT_MEASUREMENT, LOC_MEASUREMENT,\n"
    "                                  SUB_FUNCTION, AXIS_PTS\n"
    "    remove-from FUNCTION LIST NAME   the first NAME of one of those lists\n";

int edit(const Arguments& args) {
  const char* in = args.positional()[0];
  const char* out = args.positional()[1];
  const char* script = args.positional()[2];
  std::ifstream lines(script);
  if (!lines) {
    std::fprintf(stderr, "ordex edit: %s cannot be opened\n", script);
    return kExitFailure;
  }
  LoadedFile loaded(in);
  if (!loaded.ok()) return kExitFailure;
  ScriptRunner runner(loaded.instance());
  int failures = 0;
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::vector<std::string> words;
    Failure failure{rcOk, ""};
    if (!splitWords(line, words)) {
      failure = {rcInvalidArgument, "a quote is not closed"};
    } else if (words.empty() || words[0][0] == '#') {
      continue;
    } else if (runner.apply(words, failure)) {
      continue;
    }
    ++failures;
    std::fprintf(stderr, "%s:%d: %s%s%s\n", script, number, returnCodeName(failure.rc),
                 failure.why.empty() ? "" : ": ", failure.why.c_str());
  }
  if (failures) {
    std::fprintf(stderr, "%d line%s failed; %s not written\n", failures, failures == 1 ? "" : "s",
                 out);
    return kExitFailure;
  }
  return writeWithProgress(loaded.instance(), out, nullptr, nullptr, "", fileSize(in),
                           args.has("--canonical"));
}

}  // namespace ordex_tool
