#pragma once

#include "ordex.h"

namespace ordex_tool {

// The name of a return code, such as "rcBadNumber"; "unknown" for other values.
const char* returnCodeName(TOrdexReturnCode rc);

}  // namespace ordex_tool
