#include <cstdlib>
#include <cstring>

#include "reader/file_reader.h"
#include "reader/input_file.h"

namespace ordex {

namespace {
// A decimal integer after optional blanks and a sign; no digits gives 0.
int readDecimal(const char*& p) {
  char* end = nullptr;
  long v = std::strtol(p, &end, 10);
  p = end;
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int>(v);
}

void scanLines(LineInput& in, FileHeadInfo& info) {
  info = FileHeadInfo{};
  while (const char* line = in.nextLine()) {
    if (std::strstr(line, "/begin")) break;
    if (const char* v = std::strstr(line, "ASAP2_VERSION")) {
      const char* p = v + std::strlen("ASAP2_VERSION");
      info.version = readDecimal(p);
      info.upgrade = readDecimal(p);
    }
    if (info.headComment.empty() && std::strstr(line, "/*")) {
      info.headComment.assign(line, strnlen(line, 255));
    }
  }
}
}  // namespace

ReturnCode scanFileHead(const char* fileName, FileHeadInfo& info) {
  info = FileHeadInfo{};
  if (!fileName) return ReturnCode::FileOpenFailed;
  std::unique_ptr<LineInput> in = LineInput::open(fileName);
  if (!in) return ReturnCode::FileOpenFailed;
  scanLines(*in, info);
  return ReturnCode::Ok;
}

bool scanHeldFileHead(std::string_view bytes, bool whole, FileHeadInfo& info) {
  LineInput in(bytes, whole);
  scanLines(in, info);
  return !in.ranOut();
}

}  // namespace ordex
