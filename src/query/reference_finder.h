// Resolving the names by which objects refer to each other.
#pragma once

#include "model/instance.h"

namespace ordex {

// Moves the FUNCTION_LIST entries of characteristics, measurements and axis points into
// the lists of the functions they name; run at the end of every read.
void foldFunctionLists(TOrdex& instance);

}  // namespace ordex
