// The kept blocks of a file (what it holds beyond the library's records) for ordex show.
#pragma once

#include <cstdint>

#include "arguments.h"
#include "document.h"
#include "ordex.h"

namespace ordex_tool {

// Appends the kept tree of a scope (see Ordex_GetNumKeptBlocks) to list, an array: one
// object per top node with Keyword, Name, Tokens, File, Line, Within and Children.
TOrdexReturnCode addKeptBlocks(TOrdex* inst, const char* module, int32_t kind, const char* name,
                               Node& list);

// ordex show FILE blocks [--module M] [--json]: the kept blocks outside the modules and of
// each module (of M alone with --module), one line per node, indented by depth.
int showBlocks(const Arguments& args);

}  // namespace ordex_tool
