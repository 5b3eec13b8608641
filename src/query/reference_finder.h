// Resolving the names by which objects refer to each other.
#pragma once

#include "model/callbacks.h"
#include "model/instance.h"
#include "model/project.h"
#include "platform/return_code.h"

namespace ordex {

// Moves the FUNCTION_LIST names a read gathered into the lists of the functions they name,
// module by module, as foldModuleFunctionLists does; run at the end of every successful read.
void foldFunctionLists(TOrdex& instance);

// The folding for one module: the name of every CHARACTERISTIC, MEASUREMENT and AXIS_PTS is
// appended to the DEF_CHARACTERISTIC, IN_MEASUREMENT and AXIS_PTS list of each function its
// FUNCTION_LIST names (names compared byte by byte; all functions of a name, in list
// order), objects and names in file order; then the module's pending names are emptied.
// The names a failed read left pending are folded under the names their objects bear now;
// those of objects removed since are gone. Linear in the number of names and functions.
void foldModuleFunctionLists(TModule_Intern& module);

// The passes of the reference finder, one bit each; they may be combined.
enum ReferenceFinderMode : uint32_t {
  kFindObjectSide = 0x1,             // objects find the functions that list them
  kFindFunctionSide = 0x2,           // functions resolve every entry of their lists
  kFindConversions = 0x4,            // measurements find their COMPU_METHOD
  kFindCompuTables = 0x8,            // compu methods find their COMPU_TAB or COMPU_VTAB
  kFoldFunctionLists = 0x80000000u,  // FUNCTION_LIST blocks into the functions' lists
};

// Runs the selected passes over every module of the project in list order; within a module
// in the order of the bits above. Names are compared byte by byte whatever the comparison
// mode, and where several objects or functions bear a name the last in list order wins, as
// if every object were compared with every entry; the work is linear in the number of
// objects and entries (one exact-name table per module and pass). Passes 0x4 and 0x8 fill
// only links that are still null, the others overwrite.
//
// Progress: one step per characteristic, measurement and function of pass 0x1 and per
// function of pass 0x2, counted across passes and modules; after each step the callback
// (when given and total > 0) receives step * 100 / total and a non-zero answer stops the run
// with AbortedByCallback. The links of entries and the publishing and parent functions a pass
// fans out to objects of the same name are written when the pass ends or stops, so the
// callback may see them not yet written.
//
// Returns 0, 1 (stopped by the callback), -1 without project, and with stopOnError > 0
// -110 / -111 / -112 at the first conversion, COMPU_TAB or COMPU_VTAB not found.
ReturnCode findReferences(TOrdex& instance, uint32_t mode, int stopOnError, int total,
                          ProgressCallback progress);

}  // namespace ordex
