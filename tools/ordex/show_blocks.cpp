#include "show_blocks.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tool_support.h"

namespace ordex_tool {

namespace {

struct Scope {
  TOrdex* inst;
  const char* module;
  int32_t kind;
  const char* name;
};

TOrdexReturnCode tokensOf(const Scope& s, int32_t index, std::vector<std::string>& out) {
  int32_t needed = 0;
  TOrdexReturnCode rc =
      Ordex_GetKeptBlockTokens(s.inst, s.module, s.kind, s.name, index, nullptr, 0, &needed);
  if (rc != rcOk) return rc;
  std::vector<char> buffer(static_cast<size_t>(needed));
  rc = Ordex_GetKeptBlockTokens(s.inst, s.module, s.kind, s.name, index, buffer.data(), needed,
                                nullptr);
  if (rc != rcOk) return rc;
  for (const char* t = buffer.data(); *t; t += std::strlen(t) + 1) out.emplace_back(t);
  return rcOk;
}

// The node at index into n, its children under "Children"; index becomes the node after
// its subtree.
TOrdexReturnCode addNode(const Scope& s, int32_t& index, Node& n) {
  TKeptBlock b;
  TOrdexReturnCode rc = Ordex_GetKeptBlock(s.inst, s.module, s.kind, s.name, index, &b);
  if (rc != rcOk) return rc;
  std::vector<std::string> tokens;
  rc = tokensOf(s, index, tokens);
  if (rc != rcOk) return rc;
  n.add("Keyword", Node::word(b.Keyword));
  if (b.Name[0]) n.add("Name", Node::word(b.Name));
  Node& list = n.add("Tokens", Node::array());
  for (const std::string& t : tokens) list.push(Node::word(t));
  n.add("File", Node::text(b.File));
  n.add("Line", Node::integer(b.Line));
  if (b.Within[0]) n.add("Within", Node::word(b.Within));
  ++index;
  if (b.NumChildren > 0) {
    Node& children = n.add("Children", Node::array());
    for (int32_t i = 0; i < b.NumChildren; ++i) {
      rc = addNode(s, index, children.push(Node::object()));
      if (rc != rcOk) return rc;
    }
  }
  return rcOk;
}

// One line per node: keyword and tokens, then where it stands.
TOrdexReturnCode printScope(const Scope& s) {
  int32_t count = 0;
  TOrdexReturnCode rc = Ordex_GetNumKeptBlocks(s.inst, s.module, s.kind, s.name, &count);
  for (int32_t i = 0; rc == rcOk && i < count; ++i) {
    TKeptBlock b;
    rc = Ordex_GetKeptBlock(s.inst, s.module, s.kind, s.name, i, &b);
    std::vector<std::string> tokens;
    if (rc == rcOk) rc = tokensOf(s, i, tokens);
    if (rc != rcOk) break;
    std::string line = b.Keyword;
    for (const std::string& t : tokens) {
      if (line.size() > 160) {
        line += " ...";
        break;
      }
      line += " " + t;
    }
    std::printf("%*s%s  (%s:%d%s%s)\n", 2 + 2 * b.Depth, "", line.c_str(), b.File, b.Line,
                b.Within[0] ? ", in " : "", b.Within);
  }
  return rc;
}

std::vector<std::string> moduleNames(TOrdex* inst, const char* only) {
  std::vector<std::string> names;
  if (only) {
    names.emplace_back(only);
    return names;
  }
  char name[ORDEX_TEXT_SIZE] = "";
  do {
    if (Ordex_GetNextModuleName(inst, name, nullptr) != rcOk) break;
    if (name[0]) names.emplace_back(name);
  } while (name[0]);
  return names;
}

}  // namespace

TOrdexReturnCode addKeptBlocks(TOrdex* inst, const char* module, int32_t kind, const char* name,
                               Node& list) {
  const Scope s{inst, module, kind, name};
  int32_t count = 0;
  TOrdexReturnCode rc = Ordex_GetNumKeptBlocks(inst, module, kind, name, &count);
  for (int32_t i = 0; rc == rcOk && i < count;) rc = addNode(s, i, list.push(Node::object()));
  return rc;
}

int showBlocks(const Arguments& args) {
  LoadedFile loaded(args.positional()[0]);
  if (!loaded.ok()) return kExitFailure;
  TOrdex* inst = loaded.instance();
  const char* only = args.value("--module");
  const bool json = args.has("--json");
  Node doc = Node::object();
  Node* modules = nullptr;
  if (!only) {
    TOrdexReturnCode rc =
        json ? addKeptBlocks(inst, nullptr, etProject, nullptr, doc.add("Project", Node::array()))
             : (std::printf("project\n"), printScope({inst, nullptr, etProject, nullptr}));
    if (rc != rcOk) return reportFailure("kept blocks", rc);
  }
  if (json) modules = &doc.add("Modules", Node::array());
  for (const std::string& m : moduleNames(inst, only)) {
    TOrdexReturnCode rc;
    if (json) {
      Node& entry = modules->push(Node::object());
      entry.add("Name", Node::word(m));
      rc = addKeptBlocks(inst, m.c_str(), etModule, nullptr, entry.add("Blocks", Node::array()));
    } else {
      std::printf("module %s\n", m.c_str());
      rc = printScope({inst, m.c_str(), etModule, nullptr});
    }
    if (rc != rcOk) return reportFailure(("module " + m).c_str(), rc);
  }
  if (json) printDocument(doc, true);
  return kExitOk;
}

}  // namespace ordex_tool
