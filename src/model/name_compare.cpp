#include "model/name_compare.h"

namespace ordex {

namespace {
bool gCaseInsensitive = false;

constexpr uint64_t kFnvOffset = 1469598103934665603ull;
constexpr uint64_t kFnvPrime = 1099511628211ull;
}  // namespace

bool caseInsensitiveNames() {
  return gCaseInsensitive;
}
void setCaseInsensitiveNames(bool on) {
  gCaseInsensitive = on;
}

bool equalFolded(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (foldByte(static_cast<unsigned char>(a[i])) != foldByte(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

uint64_t hashExact(std::string_view s) {
  uint64_t h = kFnvOffset;
  for (unsigned char c : s) h = (h ^ c) * kFnvPrime;
  return h;
}

uint64_t hashFolded(std::string_view s) {
  uint64_t h = kFnvOffset;
  for (unsigned char c : s) h = (h ^ foldByte(c)) * kFnvPrime;
  return h;
}

}  // namespace ordex
