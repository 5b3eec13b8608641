#include "record_printer.h"

#include <cstdio>

namespace ordex_tool {

void RecordPrinter::label(const char* label) {
  std::printf("%*s%-24s ", depth_, "", label);
}

void RecordPrinter::text(const char* l, const char* value) {
  label(l);
  std::printf("\"%s\"\n", value);
}

void RecordPrinter::number(const char* l, long long value) {
  label(l);
  std::printf("%lld\n", value);
}

void RecordPrinter::hex(const char* l, uint32_t value) {
  label(l);
  std::printf("0x%X\n", static_cast<unsigned>(value));
}

void RecordPrinter::numberText(const char* l, const TNumberText& value) {
  label(l);
  std::printf("%s (%.17g)\n", value.Text[0] ? value.Text : "\"\"", value.Value);
}

void RecordPrinter::keyword(const char* l, int32_t index, const KeywordTable& table) {
  label(l);
  const char* word = table.at(index);
  if (word) {
    std::printf("%s\n", word);
  } else {
    std::printf("(%d)\n", static_cast<int>(index));
  }
}

void RecordPrinter::flag(const char* l, int16_t value) {
  label(l);
  std::printf("%s\n", value ? "yes" : "no");
}

void RecordPrinter::heading(const char* l) {
  std::printf("%*s%s\n", depth_, "", l);
}

}  // namespace ordex_tool
