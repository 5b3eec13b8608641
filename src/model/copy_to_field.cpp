#include "model/copy_to_field.h"

#include <cstring>

namespace ordex {

void copyToField(char* field, std::string_view text, size_t n) {
  if (n == 0) return;
  size_t len = text.size() < n - 1 ? text.size() : n - 1;
  if (len) std::memcpy(field, text.data(), len);
  field[len] = '\0';
}

std::string_view fieldText(const char* field, size_t n) {
  return std::string_view(field, strnlen(field, n));
}

}  // namespace ordex
