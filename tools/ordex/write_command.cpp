// ordex write IN OUT [--module NAME] [--template FILE] [--comment TEXT] [--canonical]
#include "commands.h"
#include "ordex.h"
#include "progress_bar.h"
#include "tool_support.h"

namespace ordex_tool {

int write(const Arguments& args) {
  const char* in = args.positional()[0];
  LoadedFile loaded(in);
  if (!loaded.ok()) return kExitFailure;
  return writeWithProgress(loaded.instance(), args.positional()[1], args.value("--module"),
                           args.value("--template"), args.value("--comment"), fileSize(in),
                           args.has("--canonical"));
}

}  // namespace ordex_tool
