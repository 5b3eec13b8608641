// Prints record fields as "label: value" lines, nested blocks indented.
#pragma once

#include <cstdint>

#include "keyword_names.h"
#include "ordex.h"

namespace ordex_tool {

class RecordPrinter {
 public:
  void text(const char* label, const char* value);
  void number(const char* label, long long value);
  void hex(const char* label, uint32_t value);
  void numberText(const char* label, const TNumberText& value);
  // A coded field: its keyword, or the raw index when the index is outside the table.
  void keyword(const char* label, int32_t index, const KeywordTable& table);
  void flag(const char* label, int16_t value);
  void heading(const char* label);
  void indent() { depth_ += 2; }
  void outdent() { depth_ -= 2; }

 private:
  void label(const char* label);
  int depth_ = 0;
};

}  // namespace ordex_tool
