// Why the latest conversion failed: a short text for the caller to show beside the code.
#pragma once

#include <string_view>

#include "ordex.h"

namespace ordex::convert {

// The room for a reason; longer ones are cut.
constexpr size_t kConversionErrorSize = 512;

// Forgets the reason; every conversion call starts with it, so that a call that succeeds
// leaves none.
void clearConversionError() noexcept;

// Sets the reason, formatted as printf does (names are passed as "%.*s" with their length),
// and returns rc.
TOrdexReturnCode conversionFailed(TOrdexReturnCode rc, const char* format, ...) noexcept
    __attribute__((format(printf, 2, 3)));

// Gives a code that arrived without a reason (a lookup of the calling frame, running out of
// memory) the reason its name stands for. A reason set already is kept.
TOrdexReturnCode explainConversionFailure(TOrdexReturnCode rc) noexcept;

// The reason of the latest conversion of this thread that failed; empty after one that
// succeeded. Valid until the next conversion of this thread.
std::string_view lastConversionError() noexcept;

}  // namespace ordex::convert
