// A small streaming JSON writer for the tool's --json output: objects and arrays indented
// by two blanks per level, one member or element a line, keys in the order written.
//
// Strings are bytes, as the library hands them out. Valid UTF-8 passes unchanged; every byte
// that does not begin a valid UTF-8 sequence (a Latin-1 or Windows-1252 letter of an older
// file, a stray continuation byte, an overlong form or a surrogate) is written as \u00XX, the
// character of that byte in Latin-1, so the output is always valid JSON and such a text
// reads as its Latin-1 meaning. Control characters are escaped; NaN and infinities, which
// JSON cannot hold, are written as null.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace ordex_tool {

// Appends s to out as a JSON string literal, quotes included.
void appendJsonString(std::string& out, std::string_view s);

// The shortest decimal text that reads back as the same double ("0.1", "1e+300"); "null"
// for NaN and infinities.
std::string jsonNumber(double value);

class JsonWriter {
 public:
  explicit JsonWriter(std::FILE* out) : out_(out) {}

  void beginObject() { open('{'); }
  void endObject() { close('}'); }
  void beginArray() { open('['); }
  void endArray() { close(']'); }
  // The key of the next member of the current object.
  void key(std::string_view name);
  void string(std::string_view value);
  void integer(long long value);
  void real(double value);
  void boolean(bool value);
  void null();
  // Ends the document with a line feed.
  void finish();

 private:
  void open(char bracket);
  void close(char bracket);
  void beforeValue();
  void write(std::string_view text);

  struct Level {
    bool empty = true;
  };
  std::FILE* out_;
  std::vector<Level> levels_;
  bool afterKey_ = false;
  std::string buffer_;
};

}  // namespace ordex_tool
