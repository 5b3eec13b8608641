#include "convert/conversion_error.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace ordex::convert {

namespace {

// Per thread, and a fixed buffer: setting a reason never allocates, so it cannot fail on the
// way out of a call that ran out of memory.
thread_local char gReason[kConversionErrorSize];

const char* genericReason(TOrdexReturnCode rc) {
  switch (rc) {
    case rcOutOfMemory:
      return "out of memory";
    case rcNoInstance:
      return "no instance";
    case rcNoProject:
      return "the instance holds no project";
    case rcModuleNotFound:
      return "no module of that name (or, without a name, the project has not exactly one)";
    case rcMeasurementNotFound:
      return "no MEASUREMENT of that name in the module";
    case rcCompuMethodNotFound:
      return "no COMPU_METHOD of that name in the module";
    case rcCompuTabNotFound:
      return "the COMPU_TAB named is not in the module";
    case rcCompuVTabNotFound:
      return "the COMPU_VTAB named is not in the module";
    case rcNullArgument:
      return "a required argument is null";
    default:
      return "the conversion failed";
  }
}

}  // namespace

void clearConversionError() noexcept {
  gReason[0] = '\0';
}

TOrdexReturnCode conversionFailed(TOrdexReturnCode rc, const char* format, ...) noexcept {
  va_list args;
  va_start(args, format);
  std::vsnprintf(gReason, sizeof gReason, format, args);
  va_end(args);
  return rc;
}

TOrdexReturnCode explainConversionFailure(TOrdexReturnCode rc) noexcept {
  if (rc != rcOk && rc != rcAbortedByCallback && gReason[0] == '\0') {
    std::snprintf(gReason, sizeof gReason, "%s", genericReason(rc));
  }
  return rc;
}

std::string_view lastConversionError() noexcept {
  return gReason;
}

}  // namespace ordex::convert
