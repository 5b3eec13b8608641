// What a command prints, built once and written either as text for a reader or as JSON for
// a script, so that both always say the same.
//
// Text form: one "Label  value" line per member, labels padded to 24 columns; a nested
// object is a heading line with its members indented by two; an array of plain values is
// one line (empty arrays are left out); an array of objects gives one line "Label[i]  key
// value, ..." per element when the element holds at most six plain values, else a heading
// "Label[i]" with the members indented. Record texts are shown in double quotes, keywords
// and names bare, numbers with their text as "TEXT (VALUE)", flags as yes or no, a value
// that is not set as "-".
// JSON form: objects keep the order of their members; texts and keywords are strings, hex
// numbers plain numbers, a number with its text {"Text": ..., "Value": ...}, flags booleans
// and a value that is not set null.
#pragma once

#include <cstdint>
#include <cstdio>
#include <list>
#include <string>
#include <utility>

#include "json_writer.h"
#include "keyword_names.h"

namespace ordex_tool {

class Node {
 public:
  enum class Kind { Null, Text, Word, Integer, Hex, Real, NumberText, Bool, Object, Array };

  static Node null() { return Node(Kind::Null); }
  static Node text(std::string value);  // a record text: quoted in the text form
  static Node word(std::string value);  // a keyword or a name: bare in the text form
  static Node integer(long long value);
  static Node hex(uint32_t value);  // 0x... in the text form
  static Node real(double value);
  static Node numberText(std::string text, double value);
  static Node boolean(bool value);
  // The keyword at index; null for -1; the number itself outside the table.
  static Node keyword(int32_t index, const KeywordTable& table);
  static Node object() { return Node(Kind::Object); }
  static Node array() { return Node(Kind::Array); }

  Kind kind() const { return kind_; }
  // Appends a member to an object and returns it (the reference stays valid).
  Node& add(std::string key, Node value);
  // Appends an element to an array and returns it.
  Node& push(Node value);
  const std::list<std::pair<std::string, Node>>& members() const { return members_; }
  const std::list<Node>& elements() const { return elements_; }

  void writeJson(JsonWriter& out) const;
  // The text form of an object's members (or of an array's elements under `label`).
  void writeText(std::FILE* out, int indent = 0) const;

 private:
  explicit Node(Kind kind) : kind_(kind) {}
  bool plain() const { return kind_ != Kind::Object && kind_ != Kind::Array; }
  bool flat() const;
  std::string plainText() const;
  void writeMemberText(std::FILE* out, int indent, const std::string& label) const;

  Kind kind_;
  std::string text_;
  long long integer_ = 0;
  double real_ = 0;
  // Lists, so that the node add() and push() hand out stays where it is while its parent
  // grows.
  std::list<std::pair<std::string, Node>> members_;
  std::list<Node> elements_;
};

// Writes the document to standard output as JSON or as text.
void printDocument(const Node& document, bool json);

}  // namespace ordex_tool
