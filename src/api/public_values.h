// The public values of the layers' own types: what src/api hands out for a code the layers
// return. public_values.cpp pins every value to the one ordex.h gives it.
#pragma once

#include "ordex.h"
#include "platform/return_code.h"

namespace ordex::api {

constexpr TOrdexReturnCode toPublic(ReturnCode rc) {
  return static_cast<TOrdexReturnCode>(rc);
}

}  // namespace ordex::api
