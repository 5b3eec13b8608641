#include "writer/text_output.h"

#include <charconv>

namespace ordex {

char* putShortestDouble(char* p, double value) {
  return std::to_chars(p, p + 24, value).ptr;
}

void TextOutput::flush() {
  if (cur_ == buf_.get()) return;
  sink_.write(buf_.get(), static_cast<size_t>(cur_ - buf_.get()));
  cur_ = buf_.get();
}

void TextOutput::putLarge(const char* data, size_t size) {
  flush();
  if (size >= static_cast<size_t>(limit_ - buf_.get())) {
    sink_.write(data, size);
    return;
  }
  std::memcpy(cur_, data, size);
  cur_ += size;
}

}  // namespace ordex
