// The public values of the layers' own types: what src/api hands out for a code the layers
// return. public_values.cpp pins every value to the one ordex.h gives it.
#pragma once

#include "model/callbacks.h"
#include "model/element_kind.h"
#include "ordex.h"
#include "platform/return_code.h"
#include "query/finding_codes.h"

namespace ordex::api {

constexpr TOrdexReturnCode toPublic(ReturnCode rc) {
  return static_cast<TOrdexReturnCode>(rc);
}
constexpr TOrdexReturnCode toPublic(TOrdexReturnCode rc) {
  return rc;
}
// The code a host got back, as the layers name it.
constexpr ReturnCode fromPublic(TOrdexReturnCode rc) {
  return static_cast<ReturnCode>(rc);
}
constexpr TOrdexFindingSeverity toPublic(FindingSeverity severity) {
  return static_cast<TOrdexFindingSeverity>(severity);
}
constexpr TOrdexFindingCode toPublic(FindingCode code) {
  return static_cast<TOrdexFindingCode>(code);
}

// The writer's element filter asking the host's callback, empty for a null one. It keeps
// the address of callback, which must outlive the write (an exported function's argument).
inline ElementFilter elementFilter(const TOrdexElementCallback& callback) {
  if (!callback) return {};
  return ElementFilter{[](const void* context, ElementKind kind, uint32_t userData) {
                         const auto host = *static_cast<const TOrdexElementCallback*>(context);
                         return host(static_cast<TOrdexElementType>(kind), userData);
                       },
                       &callback};
}

}  // namespace ordex::api
