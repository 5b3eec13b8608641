#include "kind_names.h"

#include <cctype>

namespace ordex_tool {

namespace {

const ObjectKind kKinds[] = {
    {"PROJECT", "project", "projects"},
    {"MODULE", "module", "modules"},
    {"MEMORY_SEGMENT", "memory-segment", "memory-segments"},
    {"SYSTEM_CONSTANT", "system-constant", "system-constants"},
    {"CALIBRATION_METHOD", "calibration-method", "calibration-methods"},
    {"CHARACTERISTIC", "characteristic", "characteristics"},
    {"AXIS_PTS", "axis-pts", "axis-pts"},
    {"MEASUREMENT", "measurement", "measurements"},
    {"FUNCTION", "function", "functions"},
    {"COMPU_METHOD", "compu-method", "compu-methods"},
    {"COMPU_TAB", "compu-tab", "compu-tabs"},
    {"COMPU_VTAB", "compu-vtab", "compu-vtabs"},
    {"RECORD_LAYOUT", "record-layout", "record-layouts"},
    // What a file holds beyond the records, for show.
    {"KEPT_BLOCKS", "blocks", "blocks"},
};

// Lower case without '-', '_' and blanks: "COMPU_VTAB", "compu-vtab" and "CompuVTab" meet.
std::string folded(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '-' || c == '_' || c == ' ') continue;
    out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  }
  return out;
}

}  // namespace

const ObjectKind* findKind(const std::string& word) {
  const std::string w = folded(word);
  if (w.empty()) return nullptr;
  for (const ObjectKind& k : kKinds) {
    if (w == folded(k.keyword) || w == folded(k.plural)) return &k;
  }
  return nullptr;
}

std::vector<std::string> splitKindList(const char* list) {
  std::vector<std::string> words;
  std::string word;
  for (const char* p = list;; ++p) {
    if (*p == ',' || *p == ' ' || *p == '\0') {
      if (!word.empty()) words.push_back(word);
      word.clear();
      if (*p == '\0') break;
    } else {
      word.push_back(*p);
    }
  }
  return words;
}

std::string canonicalKind(const std::string& word, const char* allowed) {
  const ObjectKind* kind = findKind(word);
  if (!kind) return "";
  for (const std::string& a : splitKindList(allowed)) {
    if (findKind(a) == kind) return a;
  }
  return "";
}

}  // namespace ordex_tool
