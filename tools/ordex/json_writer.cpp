#include "json_writer.h"

#include <cmath>
#include <cstdlib>

namespace ordex_tool {

namespace {

bool continuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at s[i], or 0 when the byte there begins none.
size_t utf8Length(std::string_view s, size_t i) {
  const auto at = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = at(i);
  const size_t left = s.size() - i;
  if (c >= 0xC2 && c <= 0xDF) return left >= 2 && continuation(at(i + 1)) ? 2 : 0;
  if (c >= 0xE0 && c <= 0xEF) {
    if (left < 3 || !continuation(at(i + 1)) || !continuation(at(i + 2))) return 0;
    if (c == 0xE0 && at(i + 1) < 0xA0) return 0;   // overlong
    if (c == 0xED && at(i + 1) >= 0xA0) return 0;  // a UTF-16 surrogate
    return 3;
  }
  if (c >= 0xF0 && c <= 0xF4) {
    if (left < 4 || !continuation(at(i + 1)) || !continuation(at(i + 2)) ||
        !continuation(at(i + 3))) {
      return 0;
    }
    if (c == 0xF0 && at(i + 1) < 0x90) return 0;   // overlong
    if (c == 0xF4 && at(i + 1) >= 0x90) return 0;  // above U+10FFFF
    return 4;
  }
  return 0;
}

void appendEscape(std::string& out, unsigned char c) {
  static const char kHex[] = "0123456789abcdef";
  out += "\\u00";
  out += kHex[c >> 4];
  out += kHex[c & 0xF];
}

}  // namespace

void appendJsonString(std::string& out, std::string_view s) {
  out += '"';
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c >= 0x80) {
      const size_t n = utf8Length(s, i);
      if (n == 0) {
        appendEscape(out, c);
        ++i;
      } else {
        out.append(s.substr(i, n));
        i += n;
      }
      continue;
    }
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          appendEscape(out, c);
        } else {
          out += static_cast<char>(c);
        }
    }
    ++i;
  }
  out += '"';
}

std::string jsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char text[40];
  for (int precision = 15; precision <= 17; ++precision) {
    std::snprintf(text, sizeof text, "%.*g", precision, value);
    if (std::strtod(text, nullptr) == value) break;
  }
  return text;
}

void JsonWriter::write(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), out_);
}

void JsonWriter::beforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (levels_.empty()) return;
  write(levels_.back().empty ? "\n" : ",\n");
  levels_.back().empty = false;
  write(std::string(levels_.size() * 2, ' '));
}

void JsonWriter::key(std::string_view name) {
  beforeValue();
  buffer_.clear();
  appendJsonString(buffer_, name);
  buffer_ += ": ";
  write(buffer_);
  afterKey_ = true;
}

void JsonWriter::open(char bracket) {
  beforeValue();
  write(std::string_view(&bracket, 1));
  levels_.push_back(Level{});
}

void JsonWriter::close(char bracket) {
  const bool empty = levels_.back().empty;
  levels_.pop_back();
  if (!empty) {
    write("\n");
    write(std::string(levels_.size() * 2, ' '));
  }
  write(std::string_view(&bracket, 1));
}

void JsonWriter::string(std::string_view value) {
  beforeValue();
  buffer_.clear();
  appendJsonString(buffer_, value);
  write(buffer_);
}

void JsonWriter::integer(long long value) {
  beforeValue();
  write(std::to_string(value));
}

void JsonWriter::real(double value) {
  beforeValue();
  write(jsonNumber(value));
}

void JsonWriter::boolean(bool value) {
  beforeValue();
  write(value ? "true" : "false");
}

void JsonWriter::null() {
  beforeValue();
  write("null");
}

void JsonWriter::finish() {
  write("\n");
}

}  // namespace ordex_tool
