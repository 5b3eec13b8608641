#include "query/kept_blocks.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

#include "query/asap2_keywords.h"
#include "query/modelled_content.h"

namespace ordex {

namespace {

bool isBlank(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// The line of any offset of the kept files, from the offsets of their line feeds, found once
// per file: a scope may begin anywhere in a large file.
class LineIndex {
 public:
  int32_t lineAt(const SourceText& source, uint32_t file, uint32_t offset) {
    if (feeds_.size() < source.files.size()) {
      feeds_.resize(source.files.size());
      indexed_.resize(source.files.size(), false);
    }
    std::vector<uint32_t>& feeds = feeds_[file];
    if (!indexed_[file]) {
      std::string_view text = source.files[file]->text();
      for (size_t at = text.find('\n'); at != std::string_view::npos;
           at = text.find('\n', at + 1)) {
        feeds.push_back(static_cast<uint32_t>(at));
      }
      indexed_[file] = true;
    }
    return 1 + static_cast<int32_t>(std::lower_bound(feeds.begin(), feeds.end(), offset) -
                                    feeds.begin());
  }

 private:
  std::vector<std::vector<uint32_t>> feeds_;
  std::vector<bool> indexed_;
};

struct ScanToken {
  std::string_view text;
  uint32_t file = 0;
  int32_t line = 0;
};

// The tokens of the kept text from a position on, with comments left out and every
// "/include" the read followed replaced by the text of its file, as the reader sees them.
class TextCursor {
 public:
  TextCursor(const SourceText& source, LineIndex& lines, uint32_t file, uint32_t offset)
      : source_(source), lines_(lines) {
    for (uint32_t i = 0; i < source.files.size(); ++i) {
      const SourceFile& f = *source.files[i];
      if (f.parent >= 0) includes_[{static_cast<uint32_t>(f.parent), f.includeBegin}] = i;
    }
    // A scope that begins in an included file goes on in its includer behind the "/include".
    std::vector<Position> chain;  // the starting file first, then its includers
    uint32_t at = offset;
    for (int32_t f = static_cast<int32_t>(file); f >= 0; f = source.files[f]->parent) {
      chain.push_back({static_cast<uint32_t>(f), at, 0});
      at = source.files[f]->includeEnd;
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
      it->line = lines.lineAt(source, it->file, it->at);
      stack_.push_back(*it);
    }
  }

  bool next(ScanToken& out) {
    while (!stack_.empty()) {
      if (readToken(out)) {
        if (out.text != "/include") return true;
        auto inc = includes_.find({out.file, offsetOf(out)});
        if (inc == includes_.end()) return true;  // text of a block that takes includes as text
        stack_.back().at = source_.files[inc->second]->includeEnd;
        stack_.back().line = lines_.lineAt(source_, out.file, stack_.back().at);
        stack_.push_back({inc->second, 0, 1});
        continue;
      }
      stack_.pop_back();
    }
    return false;
  }

 private:
  struct Position {
    uint32_t file;
    uint32_t at;
    int32_t line;
  };

  uint32_t offsetOf(const ScanToken& t) const {
    return static_cast<uint32_t>(t.text.data() - source_.files[t.file]->text().data());
  }

  // The next token of the current file; false at its end.
  bool readToken(ScanToken& out) {
    Position& pos = stack_.back();
    std::string_view text = source_.files[pos.file]->text();
    const size_t n = text.size();
    size_t i = pos.at;
    int32_t line = pos.line;
    if (i == 0 && n >= 3 && std::memcmp(text.data(), "\xEF\xBB\xBF", 3) == 0) i = 3;
    for (;;) {
      while (i < n && (isBlank(static_cast<unsigned char>(text[i])) || text[i] == '\n')) {
        if (text[i] == '\n') ++line;
        ++i;
      }
      if (i + 1 < n && text[i] == '/' && text[i + 1] == '*') {
        // "/*/" opens a comment without closing it.
        size_t close = text.find("*/", i + 2);
        size_t stop = close == std::string_view::npos ? n : close + 2;
        line += static_cast<int32_t>(std::count(text.begin() + i, text.begin() + stop, '\n'));
        i = stop;
        continue;
      }
      if (i + 1 < n && text[i] == '/' && text[i + 1] == '/') {
        size_t nl = text.find('\n', i);
        i = nl == std::string_view::npos ? n : nl;
        continue;
      }
      break;
    }
    if (i >= n) {
      pos.at = static_cast<uint32_t>(n);
      pos.line = line;
      return false;
    }
    const size_t start = i;
    const int32_t startLine = line;
    while (i < n) {
      char c = text[i];
      if (c == '"') {
        for (++i; i < n && text[i] != '"'; ++i) {
          if (text[i] == '\\' && i + 1 < n) ++i;
          if (text[i] == '\n') ++line;
        }
        if (i < n) ++i;  // the closing quote ends the token
        break;
      }
      if (isBlank(static_cast<unsigned char>(c)) || c == '\n') break;
      if (c == '/' && i + 1 < n && (text[i + 1] == '*' || text[i + 1] == '/') && i > start) break;
      ++i;
    }
    pos.at = static_cast<uint32_t>(i);
    pos.line = line;
    out.text = text.substr(start, i - start);
    out.file = pos.file;
    out.line = startLine;
    return true;
  }

  const SourceText& source_;
  LineIndex& lines_;
  std::vector<Position> stack_;
  std::map<std::pair<uint32_t, uint32_t>, uint32_t> includes_;
};

// Builds the tree of one scope from the structure of the text and what the model holds.
class KeptScan {
 public:
  explicit KeptScan(KeptTree& tree) : tree_(tree) {}

  // Scans until the block opened first closes, or, for the file level, to the end.
  void run(TextCursor& cursor, const ModelledBlock& root, bool fileLevel) {
    if (fileLevel) stack_.push_back(modelledFrame(root, std::string()));
    ScanToken t;
    while (cursor.next(t)) {
      if (t.text == "/begin") {
        ScanToken keyword;
        if (!cursor.next(keyword)) break;
        if (stack_.empty()) {
          stack_.push_back(modelledFrame(root, std::string()));
          continue;
        }
        open(keyword.text, t);
      } else if (t.text == "/end") {
        ScanToken keyword;
        cursor.next(keyword);
        if (stack_.size() == 1 && fileLevel) continue;  // a stray "/end" at file level
        if (!stack_.empty()) stack_.pop_back();
        if (stack_.empty()) break;
        stack_.back().openKeyword = -1;
      } else if (!stack_.empty()) {
        plain(t);
      }
    }
    finish();
  }

 private:
  struct Frame {
    const ModelledBlock* modelled = nullptr;  // null: inside a kept node
    bool skipping = false;                    // inside a block the model takes whole
    int32_t node = -1;                        // the kept node of a kept frame
    BodyForm form = BodyForm::kStructured;
    int32_t head = 0;          // leading arguments still to pass over
    int32_t openKeyword = -1;  // kept keyword taking arguments
    std::string path;          // modelled frames: the blocks it stands in
    int32_t within = -1;
  };

  static Frame modelledFrame(const ModelledBlock& block, std::string path) {
    Frame f;
    f.modelled = &block;
    f.head = block.head;
    f.path = std::move(path);
    return f;
  }

  uint32_t withinOf(Frame& f) {
    if (f.within < 0) {
      auto it = std::find(tree_.withins.begin(), tree_.withins.end(), f.path);
      f.within = static_cast<int32_t>(it - tree_.withins.begin());
      if (it == tree_.withins.end()) tree_.withins.push_back(f.path);
    }
    return static_cast<uint32_t>(f.within);
  }

  int32_t newNode(std::string_view keyword, const ScanToken& at, bool block, bool named) {
    Frame& top = stack_.back();
    KeptNode n;
    n.keyword = keyword;
    n.file = at.file;
    n.line = at.line;
    n.block = block;
    n.named = named;
    if (top.modelled) {
      n.within = withinOf(top);
    } else {
      n.parent = top.node;
      n.depth = tree_.nodes[top.node].depth + 1;
      n.within = tree_.nodes[top.node].within;
    }
    const int32_t index = static_cast<int32_t>(tree_.nodes.size());
    int32_t& last = n.parent < 0 ? lastTop_ : lastChild_[n.parent];
    if (last >= 0) tree_.nodes[last].nextSibling = index;
    last = index;
    if (n.parent >= 0) ++tree_.nodes[n.parent].numChildren;
    tree_.nodes.push_back(n);
    lastChild_.push_back(-1);
    return index;
  }

  void open(std::string_view keyword, const ScanToken& at) {
    Frame& top = stack_.back();
    top.openKeyword = -1;
    Frame next;
    if (top.skipping) {
      next.skipping = true;
    } else if (top.modelled) {
      const ModelledBlock* child = top.modelled->child(keyword);
      if (child && child->whole) {
        next.skipping = true;
      } else if (child) {
        std::string path =
            top.path.empty() ? std::string(keyword) : top.path + "/" + std::string(keyword);
        next = modelledFrame(*child, std::move(path));
      }
    }
    if (!next.skipping && !next.modelled) {
      const Asap2Keyword* entry = findAsap2Keyword(keyword);
      const bool opaqueParent = !top.modelled && top.form == BodyForm::kOpaque;
      next.form = opaqueParent ? BodyForm::kOpaque : entry ? entry->form : BodyForm::kStructured;
      next.node = newNode(keyword, at, true, !opaqueParent && entry && entry->named);
    }
    stack_.push_back(std::move(next));
  }

  void plain(const ScanToken& t) {
    Frame& top = stack_.back();
    if (top.skipping) return;
    if (top.modelled) {
      if (top.head > 0) {
        --top.head;
        return;
      }
      const Asap2Keyword* entry = findAsap2Keyword(t.text);
      if (entry && (!entry->block || top.modelled->takesKeyword(t.text))) {
        top.head = 0;
        top.openKeyword =
            top.modelled->takesKeyword(t.text) ? -1 : newNode(t.text, t, false, false);
      } else if (top.openKeyword >= 0) {
        addToken(top.openKeyword, t.text);
      } else if (!entry && keywordShaped(t.text)) {
        tree_.strays.push_back({t.text, t.file, t.line, withinOf(top)});
      }
      return;
    }
    if (top.form == BodyForm::kStructured) {
      const KeptNode& node = tree_.nodes[top.node];
      const bool nameSlot = node.named && node.numTokens == 0;
      const Asap2Keyword* entry = nameSlot ? nullptr : findAsap2Keyword(t.text);
      if (entry && !entry->block) {
        top.openKeyword = newNode(t.text, t, false, false);
        return;
      }
      if (top.openKeyword >= 0) return addToken(top.openKeyword, t.text);
    }
    addToken(top.node, t.text);
  }

  void addToken(int32_t node, std::string_view text) {
    ++tree_.nodes[node].numTokens;
    pending_.emplace_back(node, text);
  }

  // Places each node's tokens in one run, in text order.
  void finish() {
    std::stable_sort(pending_.begin(), pending_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    tree_.tokens.reserve(pending_.size());
    uint32_t at = 0;
    for (KeptNode& n : tree_.nodes) {
      n.firstToken = at;
      at += n.numTokens;
    }
    for (const auto& p : pending_) tree_.tokens.push_back(p.second);
  }

  KeptTree& tree_;
  std::vector<Frame> stack_;
  std::vector<int32_t> lastChild_;
  int32_t lastTop_ = -1;
  std::vector<std::pair<int32_t, std::string_view>> pending_;
};

struct KeptTreeCache : SourceDerived {
  LineIndex lines;
  bool built = false;
  KeptScope scope = KeptScope::kFileLevel;
  const SourceSpan* span = nullptr;
  KeptTree tree;
  std::unique_ptr<SourceDerived> further;
};

// The modelled block a span's text opens with.
const ModelledBlock* rootOf(const SourceText& source, LineIndex& lines, KeptScope scope,
                            const SourceSpan& span) {
  if (scope == KeptScope::kModule) return &modelledModule();
  TextCursor cursor(source, lines, span.file, span.begin);
  ScanToken begin;
  ScanToken keyword;
  if (!cursor.next(begin) || !cursor.next(keyword)) return nullptr;
  return modelledObject(keyword.text);
}

KeptTreeCache& cacheOf(const SourceText& source) {
  auto* cache = dynamic_cast<KeptTreeCache*>(source.derived.get());
  if (!cache) {
    source.derived = std::make_unique<KeptTreeCache>();
    cache = static_cast<KeptTreeCache*>(source.derived.get());
  }
  return *cache;
}

}  // namespace

std::unique_ptr<SourceDerived>& keptDerivedOf(const SourceText& source) {
  return cacheOf(source).further;
}

const KeptTree& keptTreeOf(const SourceText& source, KeptScope scope, const SourceSpan* span) {
  KeptTreeCache* cache = &cacheOf(source);
  if (cache->built && cache->scope == scope && cache->span == span) return cache->tree;
  cache->built = false;
  cache->tree = KeptTree();
  cache->scope = scope;
  cache->span = span;
  if (scope == KeptScope::kFileLevel) {
    if (!source.files.empty()) {
      TextCursor cursor(source, cache->lines, 0, 0);
      KeptScan(cache->tree).run(cursor, modelledFileLevel(), true);
    }
  } else if (span) {
    if (const ModelledBlock* root = rootOf(source, cache->lines, scope, *span)) {
      TextCursor cursor(source, cache->lines, span->file, span->begin);
      KeptScan(cache->tree).run(cursor, *root, false);
    }
  }
  cache->built = true;
  return cache->tree;
}

const SourceSpan* readSpan(const SourceText& source, const void* record, SourcePart part) {
  SourcePartKey key{record, part};
  if (source.createdSet.count(static_cast<const ObjectHead*>(record))) return nullptr;
  auto edit = source.edited.find(key);
  if (edit != source.edited.end() && edit->second.removed) return nullptr;
  return source.spanOf(key);
}

}  // namespace ordex
