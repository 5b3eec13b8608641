#include "model/kept_keywords.h"

#include <string>

#include "model/keyword_lists.h"

namespace ordex {

namespace {

// Calls f(field, keyword, entry) for each entry of the packed text; stops when f is true.
template <class F>
bool eachEntry(std::string_view packed, F&& f) {
  size_t i = 0;
  while (i < packed.size()) {
    const size_t end = packed.find('\0', i + 1);
    const std::string_view keyword = packed.substr(i + 1, end - i - 1);
    if (f(static_cast<uint8_t>(packed[i]), keyword, packed.substr(i, end - i + 1))) return true;
    i = end + 1;
  }
  return false;
}

}  // namespace

void KeptKeywords::keep(uint8_t field, std::string_view keyword) {
  if (entries_.empty() && keyword.empty()) return;
  // A token holds no zero byte, so the keyword ends at the first one there is.
  keyword = keyword.substr(0, keyword.find('\0'));
  std::string packed;
  eachEntry(entries_.view(), [&](uint8_t f, std::string_view, std::string_view entry) {
    if (f != field) packed.append(entry);
    return false;
  });
  if (!keyword.empty()) {
    packed.push_back(static_cast<char>(field));
    packed.append(keyword);
    packed.push_back('\0');
  }
  if (packed.empty()) {
    entries_.clear();
  } else {
    entries_.assign(packed);
  }
}

std::string_view KeptKeywords::find(uint8_t field) const {
  std::string_view found;
  eachEntry(entries_.view(), [&](uint8_t f, std::string_view keyword, std::string_view) {
    if (f != field) return false;
    found = keyword;
    return true;
  });
  return found;
}

int32_t findKeeping(const KeywordList& list, std::string_view token, KeptKeywords& kept,
                    uint8_t field) {
  const int32_t index = list.find(token);
  kept.keep(field, index < 0 ? token : std::string_view());
  return index;
}

}  // namespace ordex
