#pragma once

#include "model/project.h"

namespace ordex {

// Sum of the counts of the lists selected by mask (ElementKind bits 4 to 2048; other
// bits are ignored).
int countObjects(const TModule_Intern& module, int mask);

}  // namespace ordex
