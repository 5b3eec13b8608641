// The instance whose project Ordex_WriteAsapFile is writing on this thread, if any: the
// write's callbacks must not free the project under the writer.
#pragma once

#include "ordex.h"

namespace ordex::api {

const TOrdex* instanceBeingWritten();

}  // namespace ordex::api
