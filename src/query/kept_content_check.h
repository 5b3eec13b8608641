// The part of the consistency check that looks at what a read kept beyond the model: GROUP
// members that name no object, and keywords that are none of the standard.
#pragma once

#include <cstdint>

#include "query/consistency_check.h"

namespace ordex {

// Reports the dangling GROUP members of the module (errors), then its unknown keywords
// (warnings: the module scope first, then the objects kind by kind, each in list order).
// False when the sink stopped it.
bool checkKeptContent(const TProject_Intern& project, const TModule_Intern& module,
                      int32_t minSeverity, FindingSink& sink);

}  // namespace ordex
