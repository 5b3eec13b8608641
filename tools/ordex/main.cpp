// ordex: the command-line tool. Uses only the public C interface.
#include <cstdio>
#include <cstring>
#include <string>

#include "commands.h"

namespace {

void usage() {
  std::fprintf(stderr,
               "usage: ordex check FILE     read FILE and report ok or the error\n"
               "       ordex info FILE      version, project, modules and object counts\n"
               "       ordex list FILE KIND [PATTERN]   names of one kind (* and ? wildcards)\n"
               "         kinds: %s\n"
               "       ordex show FILE KIND [NAME]      one record, field by field\n"
               "         kinds: %s\n"
               "       ordex write IN OUT [--module NAME] [--template FILE] [--comment TEXT]\n"
               "                            read IN and write it back as OUT\n"
               "       ordex roundtrip FILE read, write, read the written file and write again;\n"
               "                            report what the second read or write changed\n"
               "       ordex convert FILE MEASUREMENT HEXBYTES [--index N] [--separator C]\n"
               "                            physical value and text of raw bytes (--index: one\n"
               "                            element of an array, through a response block)\n"
               "       ordex refs FILE NAME  who publishes NAME and which objects refer to it\n",
               ordex_tool::kListKinds, ordex_tool::kShowKindNames);
  std::fprintf(stderr,
               "       ordex edit IN OUT SCRIPT   apply an edit script, write the result\n%s",
               ordex_tool::kEditScriptHelp);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    usage();
    return 2;
  }
  std::string cmd = argv[1];
  if (cmd == "check" && argc == 3) return ordex_tool::check(argv[2]);
  if (cmd == "info" && argc == 3) return ordex_tool::info(argv[2]);
  if (cmd == "list" && (argc == 4 || argc == 5))
    return ordex_tool::list(argv[2], argv[3], argc == 5 ? argv[4] : nullptr);
  if (cmd == "show" && (argc == 4 || argc == 5))
    return ordex_tool::show(argv[2], argv[3], argc == 5 ? argv[4] : nullptr);
  if (cmd == "write" && argc >= 4 && argc % 2 == 0) return ordex_tool::write(argc - 2, argv + 2);
  if (cmd == "roundtrip" && argc == 3) return ordex_tool::roundtrip(argv[2]);
  if (cmd == "convert" && argc >= 5) {
    const int rc = ordex_tool::convert(argc - 2, argv + 2);
    if (rc == 2) usage();
    return rc;
  }
  if (cmd == "refs" && argc == 4) return ordex_tool::refs(argv[2], argv[3]);
  if (cmd == "edit" && argc == 5) return ordex_tool::edit(argv[2], argv[3], argv[4]);
  usage();
  return 2;
}
