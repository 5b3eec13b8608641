// Why the latest conversion failed: a short text for the caller to show beside the code.
// A failure keeps only its format and values; the text is made when it is asked for, so a
// host that converts many values without a result pays nothing for texts it never reads.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/return_code.h"

namespace ordex::convert {

// The room for a name or keyword in a reason: a public name field's 255 characters.
constexpr size_t kReasonArgTextSize = 255;

// One value of a reason: a name or keyword (copied when the failure is noted, cut to
// kReasonArgTextSize bytes), an integer, a byte shown as 0xHH, or a raw value.
struct ReasonArg {
  enum class Kind : uint8_t { kNone, kText, kInteger, kHexByte, kRaw };
  ReasonArg() = default;
  ReasonArg(std::string_view t) : kind(Kind::kText), text(t) {}  // NOLINT: names pass as they are
  ReasonArg(const char* t) : kind(Kind::kText), text(t ? t : "") {}  // NOLINT
  static ReasonArg integer(long long v) {
    ReasonArg a;
    a.kind = Kind::kInteger;
    a.integerValue = v;
    return a;
  }
  static ReasonArg hexByte(unsigned v) {
    ReasonArg a = integer(v & 0xFF);
    a.kind = Kind::kHexByte;
    return a;
  }
  static ReasonArg raw(double v) {
    ReasonArg a;
    a.kind = Kind::kRaw;
    a.rawValue = v;
    return a;
  }

  Kind kind = Kind::kNone;
  std::string_view text;
  long long integerValue = 0;
  double rawValue = 0.0;
};

// Forgets the reason; every conversion call starts with it, so that a call that succeeds
// leaves none.
void clearConversionError() noexcept;

// Notes the reason and returns rc. format is a literal that lives as long as the program;
// each "%s" in it stands for the next value.
ReturnCode conversionFailed(ReturnCode rc, const char* format, ReasonArg a = {}, ReasonArg b = {},
                            ReasonArg c = {}) noexcept;

// Gives a code that arrived without a reason (a lookup of the calling frame, running out of
// memory) the reason its name stands for. A reason noted already is kept.
ReturnCode explainConversionFailure(ReturnCode rc) noexcept;

// The reason of the latest conversion of this thread that failed; empty after one that
// succeeded. Valid until the next conversion of this thread.
std::string_view lastConversionError() noexcept;

}  // namespace ordex::convert
