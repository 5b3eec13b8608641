// The JSON writer of the ordex tool: string escaping of every kind of byte sequence, number
// texts and the layout of nested values.
#include "json_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "document.h"

namespace {

std::string quoted(const std::string& bytes) {
  std::string out;
  ordex_tool::appendJsonString(out, bytes);
  return out;
}

struct EscapeCase {
  const char* what;
  std::string bytes;
  std::string json;
};

TEST(JsonStringTest, EscapesWhatJsonRequiresAndKeepsValidUtf8) {
  const EscapeCase cases[] = {
      {"plain ASCII", "Engine speed", "\"Engine speed\""},
      {"quote and backslash", "a \"b\" c\\d", "\"a \\\"b\\\" c\\\\d\""},
      {"short escapes", "\b\f\n\r\t", "\"\\b\\f\\n\\r\\t\""},
      {"other control characters", std::string("\x01\x1f\0x", 4), "\"\\u0001\\u001f\\u0000x\""},
      {"DEL needs no escape", "\x7f", "\"\x7f\""},
      {"two-byte UTF-8", "\xc3\xbc", "\"\xc3\xbc\""},
      {"three-byte UTF-8", "\xe2\x82\xac", "\"\xe2\x82\xac\""},
      {"four-byte UTF-8", "\xf0\x9f\x98\x80", "\"\xf0\x9f\x98\x80\""},
      {"highest code point", "\xf4\x8f\xbf\xbf", "\"\xf4\x8f\xbf\xbf\""},
      {"Latin-1 letter", "caf\xe9", "\"caf\\u00e9\""},
      {"lone continuation byte", "\x80", "\"\\u0080\""},
      {"overlong two-byte form", "\xc0\xaf", "\"\\u00c0\\u00af\""},
      {"overlong three-byte form", "\xe0\x80\xaf", "\"\\u00e0\\u0080\\u00af\""},
      {"UTF-16 surrogate", "\xed\xa0\x80", "\"\\u00ed\\u00a0\\u0080\""},
      {"beyond U+10FFFF", "\xf4\x90\x80\x80", "\"\\u00f4\\u0090\\u0080\\u0080\""},
      {"no lead byte F5", "\xf5\x80\x80\x80", "\"\\u00f5\\u0080\\u0080\\u0080\""},
      {"cut short at the end", "a\xe2\x82", "\"a\\u00e2\\u0082\""},
      {"cut short before ASCII", "\xe2\x82z", "\"\\u00e2\\u0082z\""},
      {"valid after invalid", "\xff\xc3\xbc", "\"\\u00ff\xc3\xbc\""},
  };
  for (const EscapeCase& c : cases) EXPECT_EQ(c.json, quoted(c.bytes)) << c.what;
}

TEST(JsonNumberTest, ShortestTextThatReadsBackAndNullForWhatJsonLacks) {
  EXPECT_EQ("0", ordex_tool::jsonNumber(0.0));
  EXPECT_EQ("0.1", ordex_tool::jsonNumber(0.1));
  EXPECT_EQ("-40", ordex_tool::jsonNumber(-40.0));
  EXPECT_EQ("1e+300", ordex_tool::jsonNumber(1e300));
  EXPECT_EQ("0.30000000000000004", ordex_tool::jsonNumber(0.1 + 0.2));
  EXPECT_EQ("null", ordex_tool::jsonNumber(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_EQ("null", ordex_tool::jsonNumber(-std::numeric_limits<double>::infinity()));
}

// Captures what a function writes to a temporary file.
template <class Write>
std::string captured(Write write) {
  std::FILE* f = std::tmpfile();
  write(f);
  std::string out(static_cast<size_t>(std::ftell(f)), '\0');
  std::rewind(f);
  EXPECT_EQ(out.size(), std::fread(&out[0], 1, out.size(), f));
  std::fclose(f);
  return out;
}

TEST(JsonWriterTest, NestedValuesAreIndentedAndEmptyOnesStayOnTheirLine) {
  const std::string out = captured([](std::FILE* f) {
    ordex_tool::JsonWriter w(f);
    w.beginObject();
    w.key("Name");
    w.string("x");
    w.key("Empty");
    w.beginArray();
    w.endArray();
    w.key("List");
    w.beginArray();
    w.integer(-1);
    w.boolean(true);
    w.null();
    w.beginObject();
    w.endObject();
    w.endArray();
    w.endObject();
    w.finish();
  });
  EXPECT_EQ(
      "{\n  \"Name\": \"x\",\n  \"Empty\": [],\n  \"List\": [\n    -1,\n    true,\n    null,\n"
      "    {}\n  ]\n}\n",
      out);
}

TEST(DocumentTest, TextAndJsonFormsSayTheSame) {
  using ordex_tool::Node;
  Node doc = Node::object();
  doc.add("Name", Node::text("Map"));
  doc.add("Type", Node::keyword(2, ordex_tool::kCharacteristicTypes));
  doc.add("ByteOrder", Node::keyword(-1, ordex_tool::kByteOrders));
  doc.add("Odd", Node::keyword(99, ordex_tool::kByteOrders));
  doc.add("Address", Node::hex(0x80010100));
  doc.add("Limit", Node::numberText("0x10", 16));
  doc.add("ReadOnly", Node::boolean(true));
  Node& names = doc.add("Names", Node::array());
  names.push(Node::word("a"));
  names.push(Node::word("b"));
  doc.add("Nothing", Node::array());
  Node& pairs = doc.add("Pairs", Node::array());
  Node& pair = pairs.push(Node::object());
  pair.add("InVal", Node::integer(1));
  pair.add("OutText", Node::text("on"));
  EXPECT_EQ(
      "Name                     \"Map\"\n"
      "Type                     MAP\n"
      "ByteOrder                -\n"
      "Odd                      99\n"
      "Address                  0x80010100\n"
      "Limit                    0x10 (16)\n"
      "ReadOnly                 yes\n"
      "Names                    a b\n"
      "Pairs[0]                 InVal 1, OutText \"on\"\n",
      captured([&](std::FILE* f) { doc.writeText(f); }));
  EXPECT_EQ(
      "{\n  \"Name\": \"Map\",\n  \"Type\": \"MAP\",\n  \"ByteOrder\": null,\n  \"Odd\": 99,\n"
      "  \"Address\": 2147549440,\n  \"Limit\": {\n    \"Text\": \"0x10\",\n    \"Value\": 16\n"
      "  },\n  \"ReadOnly\": true,\n  \"Names\": [\n    \"a\",\n    \"b\"\n  ],\n"
      "  \"Nothing\": [],\n  \"Pairs\": [\n    {\n      \"InVal\": 1,\n      \"OutText\": \"on\"\n"
      "    }\n  ]\n}\n",
      captured([&](std::FILE* f) {
        ordex_tool::JsonWriter w(f);
        doc.writeJson(w);
        w.finish();
      }));
}

}  // namespace
