#include <cstdio>
#include <cstring>
#include <string>

#include "commands.h"
#include "ordex.h"
#include "return_code_names.h"
#include "tool_support.h"

namespace ordex_tool {

int write(int argc, char** args) {
  const char* module = nullptr;
  const char* modParTemplate = nullptr;
  const char* comment = nullptr;
  for (int i = 2; i + 1 < argc; i += 2) {
    std::string option = args[i];
    if (option == "--module") {
      module = args[i + 1];
    } else if (option == "--template") {
      modParTemplate = args[i + 1];
    } else if (option == "--comment") {
      comment = args[i + 1];
    } else {
      std::fprintf(stderr, "unknown option %s\n", args[i]);
      return 2;
    }
  }
  LoadedFile loaded(args[0]);
  if (!loaded.ok()) return 1;
  TOrdexReturnCode rc = Ordex_WriteAsapFile(loaded.instance(), args[1], module, modParTemplate,
                                            comment, nullptr, nullptr);
  if (rc != rcOk) {
    std::fprintf(stderr, "cannot write %s: %s (%d)\n", args[1], returnCodeName(rc),
                 static_cast<int>(rc));
    return 1;
  }
  return 0;
}

}  // namespace ordex_tool
