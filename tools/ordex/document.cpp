#include "document.h"

namespace ordex_tool {

Node Node::text(std::string value) {
  Node n(Kind::Text);
  n.text_ = std::move(value);
  return n;
}

Node Node::word(std::string value) {
  Node n(Kind::Word);
  n.text_ = std::move(value);
  return n;
}

Node Node::integer(long long value) {
  Node n(Kind::Integer);
  n.integer_ = value;
  return n;
}

Node Node::hex(uint32_t value) {
  Node n(Kind::Hex);
  n.integer_ = value;
  return n;
}

Node Node::real(double value) {
  Node n(Kind::Real);
  n.real_ = value;
  return n;
}

Node Node::numberText(std::string text, double value) {
  Node n(Kind::NumberText);
  n.text_ = std::move(text);
  n.real_ = value;
  return n;
}

Node Node::boolean(bool value) {
  Node n(Kind::Bool);
  n.integer_ = value ? 1 : 0;
  return n;
}

Node Node::keyword(int32_t index, const KeywordTable& table) {
  if (index == -1) return null();
  const char* word = table.at(index);
  return word ? Node::word(word) : integer(index);
}

Node& Node::add(std::string key, Node value) {
  members_.emplace_back(std::move(key), std::move(value));
  return members_.back().second;
}

Node& Node::push(Node value) {
  elements_.push_back(std::move(value));
  return elements_.back();
}

void Node::writeJson(JsonWriter& out) const {
  switch (kind_) {
    case Kind::Null:
      out.null();
      break;
    case Kind::Text:
    case Kind::Word:
      out.string(text_);
      break;
    case Kind::Integer:
    case Kind::Hex:
      out.integer(integer_);
      break;
    case Kind::Real:
      out.real(real_);
      break;
    case Kind::Bool:
      out.boolean(integer_ != 0);
      break;
    case Kind::NumberText:
      out.beginObject();
      out.key("Text");
      out.string(text_);
      out.key("Value");
      out.real(real_);
      out.endObject();
      break;
    case Kind::Object:
      out.beginObject();
      for (const auto& m : members_) {
        out.key(m.first);
        m.second.writeJson(out);
      }
      out.endObject();
      break;
    case Kind::Array:
      out.beginArray();
      for (const Node& e : elements_) e.writeJson(out);
      out.endArray();
      break;
  }
}

std::string Node::plainText() const {
  char number[64];
  switch (kind_) {
    case Kind::Null:
      return "-";
    case Kind::Text:
      return "\"" + text_ + "\"";
    case Kind::Word:
      return text_;
    case Kind::Integer:
      return std::to_string(integer_);
    case Kind::Hex:
      std::snprintf(number, sizeof number, "0x%llX", static_cast<unsigned long long>(integer_));
      return number;
    case Kind::Real:
      return jsonNumber(real_);
    case Kind::Bool:
      return integer_ ? "yes" : "no";
    case Kind::NumberText:
      std::snprintf(number, sizeof number, " (%.17g)", real_);
      return (text_.empty() ? std::string("\"\"") : text_) + number;
    case Kind::Object:
    case Kind::Array:
      break;
  }
  return "";
}

bool Node::flat() const {
  if (kind_ != Kind::Object || members_.size() > 6) return false;
  for (const auto& m : members_) {
    if (!m.second.plain()) return false;
  }
  return true;
}

void Node::writeMemberText(std::FILE* out, int indent, const std::string& label) const {
  if (plain()) {
    std::fprintf(out, "%*s%-24s %s\n", indent, "", label.c_str(), plainText().c_str());
    return;
  }
  if (kind_ == Kind::Object) {
    std::fprintf(out, "%*s%s\n", indent, "", label.c_str());
    writeText(out, indent + 2);
    return;
  }
  if (elements_.empty()) return;
  bool allPlain = true;
  for (const Node& e : elements_) allPlain = allPlain && e.plain();
  if (allPlain) {
    std::string line;
    for (const Node& e : elements_) line += (line.empty() ? "" : " ") + e.plainText();
    std::fprintf(out, "%*s%-24s %s\n", indent, "", label.c_str(), line.c_str());
    return;
  }
  size_t i = 0;
  for (const Node& e : elements_) {
    const std::string item = label + "[" + std::to_string(i++) + "]";
    if (e.flat()) {
      std::string line;
      for (const auto& m : e.members_) {
        line += (line.empty() ? "" : ", ") + m.first + " " + m.second.plainText();
      }
      std::fprintf(out, "%*s%-24s %s\n", indent, "", item.c_str(), line.c_str());
    } else {
      e.writeMemberText(out, indent, item);
    }
  }
}

void Node::writeText(std::FILE* out, int indent) const {
  if (kind_ == Kind::Object) {
    for (const auto& m : members_) m.second.writeMemberText(out, indent, m.first);
  } else if (kind_ == Kind::Array) {
    for (const Node& e : elements_) {
      if (e.plain()) {
        std::fprintf(out, "%*s%s\n", indent, "", e.plainText().c_str());
      } else {
        e.writeText(out, indent);
      }
    }
  } else {
    std::fprintf(out, "%*s%s\n", indent, "", plainText().c_str());
  }
}

void printDocument(const Node& document, bool json) {
  if (json) {
    JsonWriter writer(stdout);
    document.writeJson(writer);
    writer.finish();
  } else {
    document.writeText(stdout);
  }
}

}  // namespace ordex_tool
