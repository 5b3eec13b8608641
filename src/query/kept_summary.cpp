#include "query/kept_summary.h"

#include <algorithm>
#include <unordered_map>

#include "query/asap2_keywords.h"
#include "query/kept_blocks.h"

namespace ordex {

namespace {

bool opaqueBody(std::string_view keyword) {
  return keyword == "IF_DATA" || keyword == "A2ML";
}

// Calls visit(node, within) for each node of a tree outside IF_DATA and A2ML bodies.
template <class Visit>
void forEachCounted(const KeptTree& tree, Visit visit) {
  int32_t skipDepth = -1;  // depth of the opaque block being passed over, -1 none
  for (const KeptNode& n : tree.nodes) {
    if (skipDepth >= 0 && n.depth > skipDepth) continue;
    skipDepth = opaqueBody(n.keyword) ? n.depth : -1;
    visit(n, tree.withins[n.within]);
  }
}

// Calls visit(tree, object) for the module scope (object null) and each object read.
template <class Visit>
void forEachScope(const SourceText& source, const TModule_Intern& m, Visit visit) {
  if (const SourceSpan* span = readSpan(source, &m, SourcePart::kModule))
    visit(keptTreeOf(source, KeptScope::kModule, span), nullptr);
  auto each = [&](const auto& list) {
    for (const ObjectHead* o : list) {
      if (const SourceSpan* span = readSpan(source, o, SourcePart::kObject))
        visit(keptTreeOf(source, KeptScope::kObject, span), o);
    }
  };
  each(m.Characteristics);
  each(m.Measurements);
  each(m.Functions);
  each(m.CompuMethods);
  each(m.CompuTabs);
  each(m.CompuVTabs);
  each(m.AxisPts);
  each(m.RecordLayouts);
}

}  // namespace

std::vector<KeptSummaryEntry> keptSummaryOf(const TProject_Intern& project) {
  std::vector<KeptSummaryEntry> entries;
  const SourceText* source = project.Source.get();
  if (!source) return entries;
  std::unordered_map<std::string_view, size_t> at;  // keyword -> index in entries
  auto count = [&](const KeptTree& tree, const TModule_Intern* m, const ObjectHead* o) {
    forEachCounted(tree, [&](const KeptNode& n, std::string_view) {
      auto found = at.find(n.keyword);
      if (found != at.end()) {
        ++entries[found->second].count;
        return;
      }
      KeptSummaryEntry e;
      e.keyword = std::string(n.keyword);
      e.count = 1;
      e.file = n.file;
      e.line = n.line;
      if (m) e.module = std::string(m->Name.view());
      if (o) e.kind = o->Kind, e.object = std::string(o->Name.view());
      entries.push_back(std::move(e));
      // The kept text outlives the trees, so its views can key the map.
      at.emplace(n.keyword, entries.size() - 1);
    });
  };
  count(keptTreeOf(*source, KeptScope::kFileLevel, nullptr), nullptr, nullptr);
  for (const TModule_Intern* m : project.Modules)
    forEachScope(*source, *m,
                 [&](const KeptTree& tree, const ObjectHead* o) { count(tree, m, o); });
  return entries;
}

std::vector<UnknownKeyword> unknownKeywordsOf(const TProject_Intern& project,
                                              const TModule_Intern& module,
                                              const ObjectHead* object) {
  std::vector<UnknownKeyword> found;
  const SourceText* source = project.Source.get();
  if (!source) return found;
  const SourceSpan* span = object ? readSpan(*source, object, SourcePart::kObject)
                                  : readSpan(*source, &module, SourcePart::kModule);
  if (!span) return found;
  const KeptTree& tree =
      keptTreeOf(*source, object ? KeptScope::kObject : KeptScope::kModule, span);
  forEachCounted(tree, [&](const KeptNode& n, std::string_view within) {
    if (!findAsap2Keyword(n.keyword)) found.push_back({n.keyword, n.file, n.line, within, {}});
    if (n.block) return;
    // A keyword the scan does not know ends no keyword's arguments: a misspelt one stands
    // among the arguments of the kept keyword before it.
    for (uint32_t t = 0; t < n.numTokens; ++t) {
      const std::string_view token = tree.tokens[n.firstToken + t];
      if (keywordShaped(token) && !findAsap2Keyword(token) && !nearestAsap2Keyword(token).empty())
        found.push_back({token, n.file, n.line, within, n.keyword});
    }
  });
  if (tree.strays.empty()) return found;
  for (const KeptStray& s : tree.strays)
    if (!nearestAsap2Keyword(s.token).empty())
      found.push_back({s.token, s.file, s.line, tree.withins[s.within], {}});
  std::stable_sort(
      found.begin(), found.end(),
      [](const UnknownKeyword& a, const UnknownKeyword& b) { return a.line < b.line; });
  return found;
}

}  // namespace ordex
