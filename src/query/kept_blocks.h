// The blocks and keywords of a file that the model does not hold, as a tree: found on
// demand by a structural scan of the text a read kept (see SourceText), for one scope at a
// time (the text outside the modules, a module without its objects, or one object).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/source_text.h"

namespace ordex {

struct KeptNode {
  std::string_view keyword;  // in the kept text
  uint32_t file = 0;         // index in SourceText::files
  int32_t line = 0;          // of the keyword (of "/begin" for a block), from 1
  int32_t parent = -1;
  int32_t depth = 0;
  int32_t numChildren = 0;
  int32_t nextSibling = -1;
  uint32_t firstToken = 0;  // in KeptTree::tokens
  uint32_t numTokens = 0;
  uint32_t within = 0;  // in KeptTree::withins
  bool block = false;
  bool named = false;  // the first token names it
};

// A token of a keyword's form, but of no keyword of the standard, standing where a modelled
// block takes its keywords: a misspelt keyword that the read passed over, as it does any
// token it has no use for. Such tokens are no nodes (the model may have read them as the
// argument of a keyword it holds), only candidates for a consistency finding.
struct KeptStray {
  std::string_view token;
  uint32_t file = 0;
  int32_t line = 0;
  uint32_t within = 0;  // in KeptTree::withins
};

// Nodes in text order: every node comes before its children, which follow it in order.
struct KeptTree {
  std::vector<KeptNode> nodes;
  std::vector<std::string_view> tokens;  // each node's tokens as read, one run per node
  // The modelled blocks a top node stands in, as their keywords joined by "/" ("" at [0]:
  // directly in the scope).
  std::vector<std::string> withins{std::string()};
  std::vector<KeptStray> strays;  // in text order

  std::string_view nameOf(const KeptNode& n) const {
    return n.named && n.numTokens > 0 ? tokens[n.firstToken] : std::string_view();
  }
};

// What a scope is: the text outside the modules, a module, or an object.
enum class KeptScope : uint8_t { kFileLevel, kModule, kObject };

// The kept tree of a scope. span is the span of the module or object (ignored for the file
// level). The tree of the scope asked for last is kept with the text, so that walking it
// node by node scans the text once.
const KeptTree& keptTreeOf(const SourceText& source, KeptScope scope, const SourceSpan* span);

// The span a record was read from, or null when the record is not the one read there (made
// after the read, possibly at the address of a removed one).
const SourceSpan* readSpan(const SourceText& source, const void* record, SourcePart part);

// A slot for further data derived from the kept trees (the summary of a whole read), kept
// with the text beside the tree cache.
std::unique_ptr<SourceDerived>& keptDerivedOf(const SourceText& source);

}  // namespace ordex
