// Resolving the names by which objects refer to each other.
#pragma once

#include "model/instance.h"
#include "model/project.h"

namespace ordex {

// Moves the FUNCTION_LIST entries of characteristics, measurements and axis points into
// the lists of the functions they name, module by module; run at the end of every read.
void foldFunctionLists(TOrdex& instance);

// The folding for one module: the name of every CHARACTERISTIC, MEASUREMENT and AXIS_PTS is
// appended to the DEF_CHARACTERISTIC, IN_MEASUREMENT and AXIS_PTS list of each function its
// FUNCTION_LIST names (names compared byte by byte; all functions of a name, in list
// order), objects and names in list order; then every FUNCTION_LIST is emptied. Linear in
// the number of objects, names and functions.
void foldModuleFunctionLists(TModule_Intern& module);

}  // namespace ordex
