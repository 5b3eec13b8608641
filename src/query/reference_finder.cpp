#include "query/reference_finder.h"

namespace ordex {

void foldFunctionLists(TOrdex& /*instance*/) {}

}  // namespace ordex
