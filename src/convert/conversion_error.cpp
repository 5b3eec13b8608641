#include "convert/conversion_error.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace ordex::convert {

namespace {

constexpr size_t kReasonSize = 512;
constexpr int kArgs = 3;

// A value as noted: texts are copied, as the record they come from may go before the reason
// is asked for.
struct NotedArg {
  ReasonArg::Kind kind = ReasonArg::Kind::kNone;
  uint16_t size = 0;
  char text[kReasonArgTextSize] = {};
  long long integerValue = 0;
  double rawValue = 0.0;
};

// Per thread, so that a host that serialises its calls with a lock still fetches the reason
// of its own call, and in fixed buffers: noting a reason never allocates, so it cannot fail
// on the way out of a call that ran out of memory. Every member has its initial value, so
// the record is set up without a guard on each access.
struct Noted {
  const char* format = nullptr;  // null: no reason
  NotedArg args[kArgs];
  bool rendered = false;
  char text[kReasonSize] = {};
};
thread_local Noted gNoted;

const char* genericReason(ReturnCode rc) {
  switch (rc) {
    case ReturnCode::OutOfMemory:
      return "out of memory";
    case ReturnCode::NoInstance:
      return "no instance";
    case ReturnCode::NoProject:
      return "the instance holds no project";
    case ReturnCode::ModuleNotFound:
      return "no module of that name (or, without a name, the project has not exactly one)";
    case ReturnCode::MeasurementNotFound:
      return "no MEASUREMENT of that name in the module";
    case ReturnCode::CompuMethodNotFound:
      return "no COMPU_METHOD of that name in the module";
    case ReturnCode::CompuTabNotFound:
      return "the COMPU_TAB named is not in the module";
    case ReturnCode::CompuVTabNotFound:
      return "the COMPU_VTAB named is not in the module";
    case ReturnCode::NullArgument:
      return "a required argument is null";
    default:
      return "the conversion failed";
  }
}

void note(NotedArg& to, const ReasonArg& from) {
  to.kind = from.kind;
  switch (from.kind) {
    case ReasonArg::Kind::kText:
      to.size = static_cast<uint16_t>(std::min(from.text.size(), kReasonArgTextSize));
      std::memcpy(to.text, from.text.data(), to.size);
      break;
    case ReasonArg::Kind::kRaw:
      to.rawValue = from.rawValue;
      break;
    case ReasonArg::Kind::kInteger:
    case ReasonArg::Kind::kHexByte:
      to.integerValue = from.integerValue;
      break;
    case ReasonArg::Kind::kNone:
      break;
  }
}

// Appends to a text of `size` bytes, never into its last byte (kept for the zero).
class Appender {
 public:
  Appender(char* text, size_t size) : text_(text), size_(size) {}
  void add(const char* s, size_t n) {
    n = std::min(n, size_ - 1 - used_);
    std::memcpy(text_ + used_, s, n);
    used_ += n;
  }
  void finish() { text_[used_] = '\0'; }

 private:
  char* text_;
  size_t size_;
  size_t used_ = 0;
};

void render(Noted& n) {
  Appender out(n.text, sizeof n.text);
  int next = 0;
  for (const char* p = n.format; *p;) {
    const char* mark = std::strstr(p, "%s");
    if (!mark) {
      out.add(p, std::strlen(p));
      break;
    }
    out.add(p, static_cast<size_t>(mark - p));
    p = mark + 2;
    if (next == kArgs) continue;
    const NotedArg& a = n.args[next++];
    char number[40];
    switch (a.kind) {
      case ReasonArg::Kind::kText:
        out.add(a.text, a.size);
        break;
      case ReasonArg::Kind::kInteger: {
        const auto r = std::to_chars(number, number + sizeof number, a.integerValue);
        out.add(number, static_cast<size_t>(r.ptr - number));
        break;
      }
      case ReasonArg::Kind::kHexByte: {
        static const char kDigits[] = "0123456789ABCDEF";
        const char hex[4] = {'0', 'x', kDigits[(a.integerValue >> 4) & 0xF],
                             kDigits[a.integerValue & 0xF]};
        out.add(hex, 4);
        break;
      }
      case ReasonArg::Kind::kRaw: {
        // The shortest form that reads back, whatever the process locale is.
        const auto r = std::to_chars(number, number + sizeof number, a.rawValue);
        out.add(number, static_cast<size_t>(r.ptr - number));
        break;
      }
      case ReasonArg::Kind::kNone:
        break;
    }
  }
  out.finish();
  n.rendered = true;
}

}  // namespace

void clearConversionError() noexcept {
  gNoted.format = nullptr;
}

ReturnCode conversionFailed(ReturnCode rc, const char* format, ReasonArg a, ReasonArg b,
                            ReasonArg c) noexcept {
  Noted& n = gNoted;
  n.format = format;
  n.rendered = false;
  note(n.args[0], a);
  note(n.args[1], b);
  note(n.args[2], c);
  return rc;
}

ReturnCode explainConversionFailure(ReturnCode rc) noexcept {
  if (rc != ReturnCode::Ok && rc != ReturnCode::AbortedByCallback && !gNoted.format) {
    conversionFailed(rc, genericReason(rc));
  }
  return rc;
}

std::string_view lastConversionError() noexcept {
  Noted& n = gNoted;
  if (!n.format) return {};
  if (!n.rendered) render(n);
  return n.text;
}

}  // namespace ordex::convert
