#include "writer/source_merge.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <utility>

namespace ordex {

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\n';
}

// The end of a quoted part that starts at i (the opening quote): behind the closing quote,
// or the end of the text.
size_t quotedEnd(std::string_view t, size_t i) {
  for (++i; i < t.size(); ++i) {
    if (t[i] == '\\') {
      ++i;
    } else if (t[i] == '"') {
      return i + 1;
    }
  }
  return t.size();
}

}  // namespace

void splitTokens(std::string_view t, std::vector<TextToken>& out) {
  out.clear();
  size_t i = 0;
  while (i < t.size()) {
    char c = t[i];
    if (isBlank(c)) {
      ++i;
      continue;
    }
    if (c == '/' && i + 1 < t.size() && t[i + 1] == '*') {
      size_t close = t.find("*/", i + 2);
      i = close == std::string_view::npos ? t.size() : close + 2;
      continue;
    }
    if (c == '/' && i + 1 < t.size() && t[i + 1] == '/') {
      size_t nl = t.find('\n', i + 2);
      i = nl == std::string_view::npos ? t.size() : nl + 1;
      continue;
    }
    size_t begin = i;
    for (;;) {
      if (i >= t.size() || isBlank(t[i])) break;
      if (t[i] == '"') {
        i = quotedEnd(t, i);  // a closing quote ends the token
        break;
      }
      if (t[i] == '/' && i + 1 < t.size() && (t[i + 1] == '*' || t[i + 1] == '/')) break;
      ++i;
    }
    out.push_back({static_cast<uint32_t>(begin), static_cast<uint32_t>(i)});
  }
}

namespace {

// The tokens of one text as views, with a hash each for quick comparison.
// The tokens of one text as views. Each token is known with the blocks around it (the
// keywords of the open "/begin" blocks, hashed), so that equal tokens of different blocks
// (an ANNOTATION of a characteristic and one of its axis) never stand for each other.
struct TokenText {
  std::string_view text;
  std::vector<TextToken> tokens;
  std::vector<uint64_t> contexts;
  std::vector<uint64_t> hashes;  // of the text and the context

  explicit TokenText(std::string_view t) : text(t) {
    splitTokens(t, tokens);
    hashes.reserve(tokens.size());
    contexts.reserve(tokens.size());
    std::vector<uint64_t> open{0};
    enum { kInside, kAfterBegin, kAfterEnd } state = kInside;
    for (const TextToken& k : tokens) {
      std::string_view word = at(k);
      const uint64_t h = std::hash<std::string_view>()(word);
      uint64_t context = open.back();
      if (state == kAfterBegin) {
        open.push_back(context * 0x9E3779B97F4A7C15ull + h + 1);
        state = kInside;
      } else if (state == kAfterEnd) {
        state = kInside;
      } else if (word == "/begin") {
        state = kAfterBegin;
      } else if (word == "/end") {
        if (open.size() > 1) open.pop_back();
        context = open.back();
        state = kAfterEnd;
      }
      contexts.push_back(context);
      hashes.push_back(h ^ (context * 0xC2B2AE3D27D4EB4Full));
    }
  }
  std::string_view at(const TextToken& k) const { return text.substr(k.begin, k.end - k.begin); }
  std::string_view operator[](size_t i) const { return at(tokens[i]); }
  size_t size() const { return tokens.size(); }
  bool same(size_t i, const TokenText& o, size_t j) const {
    return hashes[i] == o.hashes[j] && contexts[i] == o.contexts[j] && (*this)[i] == o[j];
  }
};

// The pairs of tokens two texts have in common, in order: a longest common subsequence as
// Myers' algorithm finds it, or, where the two differ too much for that, one built from the
// tokens that occur once in each (anchors) with the stretches between them compared again.
class Differ {
 public:
  static constexpr int kMaxEditDistance = 1500;

  Differ(const TokenText& a, const TokenText& b) : a_(a), b_(b) {}

  std::vector<std::pair<int, int>> run() {
    diff(0, static_cast<int>(a_.size()), 0, static_cast<int>(b_.size()));
    return std::move(matches_);
  }

 private:
  void diff(int aLo, int aHi, int bLo, int bHi) {
    int prefix = 0;
    while (aLo + prefix < aHi && bLo + prefix < bHi && a_.same(aLo + prefix, b_, bLo + prefix)) {
      matches_.emplace_back(aLo + prefix, bLo + prefix);
      ++prefix;
    }
    aLo += prefix;
    bLo += prefix;
    int suffix = 0;
    while (aHi - suffix > aLo && bHi - suffix > bLo &&
           a_.same(aHi - 1 - suffix, b_, bHi - 1 - suffix))
      ++suffix;
    if (aLo < aHi - suffix && bLo < bHi - suffix) {
      if (!myers(aLo, aHi - suffix, bLo, bHi - suffix))
        anchored(aLo, aHi - suffix, bLo, bHi - suffix);
    }
    for (int k = suffix; k > 0; --k) matches_.emplace_back(aHi - k, bHi - k);
  }

  // Appends the common subsequence of the two ranges; false when their edit distance is
  // above the limit (nothing appended then).
  bool myers(int aLo, int aHi, int bLo, int bHi) {
    const int n = aHi - aLo;
    const int m = bHi - bLo;
    const int maxD = std::min(n + m, kMaxEditDistance);
    const int offset = maxD + 1;
    std::vector<int> v(2 * offset + 1, 0);
    std::vector<std::vector<int>> trace;
    int found = -1;
    for (int d = 0; d <= maxD && found < 0; ++d) {
      trace.emplace_back(v.begin() + offset - d - 1, v.begin() + offset + d + 2);
      for (int k = -d; k <= d; k += 2) {
        int x = (k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1]))
                    ? v[offset + k + 1]
                    : v[offset + k - 1] + 1;
        int y = x - k;
        while (x < n && y < m && a_.same(aLo + x, b_, bLo + y)) ++x, ++y;
        v[offset + k] = x;
        if (x >= n && y >= m) {
          found = d;
          break;
        }
      }
    }
    if (found < 0) return false;
    // Walk back through the saved rows; trace[d] holds v[-d-1 .. d+1] as step d found it.
    std::vector<std::pair<int, int>> reversed;
    int x = n;
    int y = m;
    for (int d = found; d > 0; --d) {
      const std::vector<int>& row = trace[d];
      auto vAt = [&row, d](int k) { return row[k + d + 1]; };
      const int k = x - y;
      const bool down = k == -d || (k != d && vAt(k - 1) < vAt(k + 1));
      const int prevK = down ? k + 1 : k - 1;
      const int prevX = vAt(prevK);
      const int snakeX = down ? prevX : prevX + 1;  // where the diagonal run of step d began
      while (x > snakeX) {
        reversed.emplace_back(aLo + x - 1, bLo + y - 1);
        --x, --y;
      }
      x = prevX;
      y = prevX - prevK;
    }
    while (x > 0 && y > 0) {
      reversed.emplace_back(aLo + x - 1, bLo + y - 1);
      --x, --y;
    }
    matches_.insert(matches_.end(), reversed.rbegin(), reversed.rend());
    return true;
  }

  // Anchors on tokens that occur exactly once in each range, in an order both agree on.
  void anchored(int aLo, int aHi, int bLo, int bHi) {
    // token hash -> (a, b); -2: more than once
    std::unordered_map<uint64_t, std::pair<int, int>> once;
    for (int i = aLo; i < aHi; ++i) {
      auto [it, fresh] = once.try_emplace(a_.hashes[i], i, -1);
      if (!fresh) it->second.first = -2;
    }
    for (int j = bLo; j < bHi; ++j) {
      auto it = once.find(b_.hashes[j]);
      if (it == once.end() || it->second.first < 0 || !a_.same(it->second.first, b_, j)) continue;
      it->second.second = it->second.second == -1 ? j : -2;
    }
    std::vector<std::pair<int, int>> pairs;
    for (const auto& [text, ij] : once) {
      if (ij.first >= 0 && ij.second >= 0) pairs.push_back(ij);
    }
    std::sort(pairs.begin(), pairs.end());
    // Longest run of pairs increasing in b (patience sorting).
    std::vector<int> tails;
    std::vector<int> tailIndex;
    std::vector<int> previous(pairs.size(), -1);
    for (size_t p = 0; p < pairs.size(); ++p) {
      int b = pairs[p].second;
      size_t pos = std::lower_bound(tails.begin(), tails.end(), b) - tails.begin();
      if (pos == tails.size()) {
        tails.push_back(b);
        tailIndex.push_back(static_cast<int>(p));
      } else {
        tails[pos] = b;
        tailIndex[pos] = static_cast<int>(p);
      }
      previous[p] = pos > 0 ? tailIndex[pos - 1] : -1;
    }
    std::vector<std::pair<int, int>> anchors;
    for (int p = tailIndex.empty() ? -1 : tailIndex.back(); p >= 0; p = previous[p]) {
      anchors.push_back(pairs[p]);
    }
    std::reverse(anchors.begin(), anchors.end());
    if (anchors.empty()) return;  // nothing in common that can be told apart
    int ai = aLo;
    int bi = bLo;
    for (const auto& [ax, bx] : anchors) {
      diff(ai, ax, bi, bx);
      matches_.emplace_back(ax, bx);
      ai = ax + 1;
      bi = bx + 1;
    }
    diff(ai, aHi, bi, bHi);
  }

  const TokenText& a_;
  const TokenText& b_;
  std::vector<std::pair<int, int>> matches_;
};

bool looksNumeric(std::string_view t) {
  if (t.empty()) return false;
  size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
  return i < t.size() && ((t[i] >= '0' && t[i] <= '9') || t[i] == '.');
}

bool looksQuoted(std::string_view t) {
  return !t.empty() && t[0] == '"';
}

// Two tokens that differ only in how a value is spelt: the same number written otherwise
// (0x0010 and 0x10), or a quoted text.
bool sameRole(std::string_view a, std::string_view b) {
  return (looksNumeric(a) && looksNumeric(b)) || (looksQuoted(a) && looksQuoted(b));
}

// The leading blanks of the line that holds position `at` of text; the first line of the
// text has firstIndent (null: its own leading blanks).
std::string_view indentAt(std::string_view text, size_t at, const std::string_view* firstIndent) {
  size_t lineStart = at == 0 ? std::string_view::npos : text.rfind('\n', at - 1);
  if (lineStart == std::string_view::npos) {
    if (firstIndent) return *firstIndent;
    lineStart = 0;
  } else {
    ++lineStart;
  }
  size_t e = lineStart;
  while (e < text.size() && (text[e] == ' ' || text[e] == '\t')) ++e;
  return text.substr(lineStart, e - lineStart);
}

// The alignment of a source text with the writer's text of the same element before the
// edits: which token of one stands for which of the other.
struct Alignment {
  std::vector<int> sourceOf;  // per before-token: the source token, or -1
  std::vector<int> beforeOf;  // per source token: the before-token, or -1 (held beyond the model)
};

Alignment align(const TokenText& s, const TokenText& o) {
  Alignment al;
  al.sourceOf.assign(o.size(), -1);
  al.beforeOf.assign(s.size(), -1);
  std::vector<std::pair<int, int>> m = Differ(s, o).run();
  for (auto [i, j] : m) {
    al.sourceOf[j] = i;
    al.beforeOf[i] = j;
  }
  // Between two aligned pairs, values spelt otherwise (a number or a quoted text) pair up
  // position by position when both stretches have the same length.
  m.insert(m.begin(), {-1, -1});
  m.emplace_back(static_cast<int>(s.size()), static_cast<int>(o.size()));
  for (size_t p = 0; p + 1 < m.size(); ++p) {
    int si = m[p].first + 1;
    int oj = m[p].second + 1;
    int sLen = m[p + 1].first - si;
    int oLen = m[p + 1].second - oj;
    if (sLen != oLen || sLen <= 0) continue;
    bool all = true;
    for (int t = 0; t < sLen && all; ++t) {
      all = s.contexts[si + t] == o.contexts[oj + t] && sameRole(s[si + t], o[oj + t]);
    }
    if (!all) continue;
    for (int t = 0; t < sLen; ++t) {
      al.sourceOf[oj + t] = si + t;
      al.beforeOf[si + t] = oj + t;
    }
  }
  // Runs of two or more tokens that stand elsewhere in the source than the writer puts them
  // (the writer's fixed order of optional keywords): the first unaligned source run with the
  // same tokens.
  for (size_t j = 0; j < o.size();) {
    if (al.sourceOf[j] >= 0) {
      ++j;
      continue;
    }
    size_t runEnd = j;
    while (runEnd < o.size() && al.sourceOf[runEnd] < 0) ++runEnd;
    size_t len = runEnd - j;
    if (len >= 2) {
      for (size_t i = 0; i + len <= s.size(); ++i) {
        bool fits = true;
        for (size_t t = 0; t < len && fits; ++t) {
          fits = al.beforeOf[i + t] < 0 && s.same(i + t, o, j + t);
        }
        if (!fits) continue;
        for (size_t t = 0; t < len; ++t) {
          al.sourceOf[j + t] = static_cast<int>(i + t);
          al.beforeOf[i + t] = static_cast<int>(j + t);
        }
        break;
      }
    }
    j = runEnd;
  }
  // A single token that stands elsewhere (a list whose entries the file spreads over two
  // blocks): paired when its text is unaligned exactly once on each side.
  std::unordered_map<uint64_t, std::pair<int, int>> single;  // hash -> (o, s), -2: more
  for (size_t j = 0; j < o.size(); ++j) {
    if (al.sourceOf[j] >= 0) continue;
    auto [it, fresh] = single.try_emplace(o.hashes[j], static_cast<int>(j), -1);
    if (!fresh) it->second.first = -2;
  }
  for (size_t i = 0; i < s.size(); ++i) {
    if (al.beforeOf[i] >= 0) continue;
    auto it = single.find(s.hashes[i]);
    if (it == single.end() || it->second.first < 0 || !s.same(i, o, it->second.first)) continue;
    it->second.second = it->second.second == -1 ? static_cast<int>(i) : -2;
  }
  for (const auto& [hash, js] : single) {
    if (js.first < 0 || js.second < 0) continue;
    std::string_view text = o[js.first];
    if (text.empty() || text[0] == '/') continue;
    al.sourceOf[js.first] = js.second;
    al.beforeOf[js.second] = js.first;
  }
  return al;
}

// What happens to the source tokens.
struct Edit {
  enum Kind { kReplace, kDelete, kInsertAfter, kInsertBefore } kind;
  int sourceToken;
  std::string text;  // the new token (kReplace) or the inserted text
};

}  // namespace

std::string indentUnit(std::string_view text, std::string_view firstIndent) {
  std::string_view previous = firstIndent;
  size_t at = text.find('\n');
  while (at != std::string_view::npos) {
    size_t lineStart = at + 1;
    size_t e = lineStart;
    while (e < text.size() && (text[e] == ' ' || text[e] == '\t')) ++e;
    at = text.find('\n', lineStart);
    if (e == text.size() || text[e] == '\n' || text[e] == '\r') continue;  // a blank line
    std::string_view indent = text.substr(lineStart, e - lineStart);
    if (indent.size() > previous.size() && indent.substr(0, previous.size()) == previous) {
      return std::string(indent.substr(previous.size()));
    }
    previous = indent;
  }
  return firstIndent.find('\t') != std::string_view::npos ? "\t" : "  ";
}

namespace {

// How inserted lines are indented: as the block they go into is in the source, plus one
// source level for each level (two blanks) the writer's text puts them deeper.
struct Indentation {
  std::string sourceBlock;  // leading blanks of the block's "/begin" line in the source
  size_t writerBlock = 0;   // blanks in front of the same line in the writer's text
  std::string unit;         // what one level adds in the source

  std::string lineIndent(size_t writerIndent) const {
    std::string out = sourceBlock;
    size_t levels = writerIndent > writerBlock ? (writerIndent - writerBlock + 1) / 2 : 0;
    for (size_t k = 0; k < levels; ++k) out += unit;
    return out;
  }
};

// The inserted tokens of after with the blanks between them, each line break indented as
// the block it goes into.
std::string insertedText(const TokenText& n, int from, int to, const Indentation& indent,
                         bool leadingSeparator) {
  auto separator = [&](size_t gapBegin, size_t gapEnd, size_t lineOf) {
    std::string_view gap = n.text.substr(gapBegin, gapEnd - gapBegin);
    size_t lines = static_cast<size_t>(std::count(gap.begin(), gap.end(), '\n'));
    if (lines == 0) return std::string(gap.empty() ? " " : gap);
    std::string sep(std::min<size_t>(lines, 2), '\n');
    return sep + indent.lineIndent(indentAt(n.text, lineOf, nullptr).size());
  };
  std::string out;
  for (int q = from; q < to; ++q) {
    if (q > from || leadingSeparator) {
      size_t gapBegin = q > 0 ? n.tokens[q - 1].end : 0;
      out += separator(gapBegin, n.tokens[q].begin, n.tokens[q].begin);
    }
    out.append(n[q]);
  }
  return out;
}

// Equal-cost alignments differ in where an inserted or removed run starts (one more IF_DATA
// block matches "/end IF_DATA /begin IF_DATA X" as well as "/begin IF_DATA X /end IF_DATA").
// Each such run is moved to the place where it is a whole block or at least starts with
// "/begin", so that the edit touches whole blocks and lines.
void slideRuns(const TokenText& o, const TokenText& n, std::vector<std::pair<int, int>>& m) {
  auto score = [](const TokenText& t, int from, int to) {
    int s = 0;
    if (t[from] == "/begin") s += 2;
    if (to - from >= 2 && t[to - 2] == "/end") s += 1;
    return s;
  };
  for (size_t p = 0; p + 1 <= m.size(); ++p) {
    // The gap in front of pair p.
    int oa = p == 0 ? 0 : m[p - 1].first + 1;
    int na = p == 0 ? 0 : m[p - 1].second + 1;
    int ob = m[p].first;
    int nb = m[p].second;
    const bool insertion = oa == ob && na < nb;
    const bool removal = na == nb && oa < ob;
    if (!insertion && !removal) continue;
    const TokenText& t = insertion ? n : o;
    auto side = [insertion](const std::pair<int, int>& pr) {
      return insertion ? pr.second : pr.first;
    };
    int from = insertion ? na : oa;
    int to = insertion ? nb : ob;
    // How far the run can move forward: the pairs behind it follow on without a gap.
    int forward = 0;
    while (p + forward < m.size() && side(m[p + forward]) == to + forward &&
           (forward == 0 || m[p + forward].first == m[p].first + forward) &&
           (forward == 0 || m[p + forward].second == m[p].second + forward) &&
           t[from + forward] == t[to + forward]) {
      ++forward;
    }
    int best = 0;
    int bestScore = score(t, from, to);
    for (int k = 1; k <= forward; ++k) {
      int sc = score(t, from + k, to + k);
      if (sc > bestScore) best = k, bestScore = sc;
    }
    // Moving forward by k: pair p+j (j < k) now stands for the token at from + j.
    for (int j = 0; j < best; ++j) {
      if (insertion) {
        m[p + j].second = from + j;
      } else {
        m[p + j].first = from + j;
      }
    }
  }
}

// Applies the edits to the source; the expected tokens of the result go to `expected`.
std::string applyEdits(const TokenText& s, std::vector<Edit>& edits,
                       std::vector<std::string>& expected) {
  std::stable_sort(edits.begin(), edits.end(),
                   [](const Edit& a, const Edit& b) { return a.sourceToken < b.sourceToken; });
  std::string out;
  std::vector<size_t> touchedLines;  // output positions inside lines that lost tokens
  size_t copied = 0;
  size_t e = 0;
  std::vector<TextToken> inserted;
  for (size_t i = 0; i < s.size(); ++i) {
    const TextToken& tok = s.tokens[i];
    bool deleted = false;
    std::string_view replacement = s[i];
    std::string after;
    for (; e < edits.size() && edits[e].sourceToken == static_cast<int>(i); ++e) {
      Edit& ed = edits[e];
      switch (ed.kind) {
        case Edit::kReplace:
          replacement = ed.text;
          break;
        case Edit::kDelete:
          deleted = true;
          break;
        case Edit::kInsertAfter:
          after += ed.text;
          break;
        case Edit::kInsertBefore:
          out.append(s.text.substr(copied, tok.begin - copied));
          copied = tok.begin;
          out += ed.text;
          splitTokens(ed.text, inserted);
          for (const TextToken& t : inserted)
            expected.emplace_back(ed.text.substr(t.begin, t.end - t.begin));
          break;
      }
    }
    if (deleted) {
      // The token goes with the blanks in front of it, or behind it when it starts its line.
      size_t from = tok.begin;
      while (from > copied && (s.text[from - 1] == ' ' || s.text[from - 1] == '\t')) --from;
      size_t to = tok.end;
      if (from == 0 || s.text[from - 1] == '\n') {
        while (to < s.text.size() && (s.text[to] == ' ' || s.text[to] == '\t')) ++to;
      }
      out.append(s.text.substr(copied, from - copied));
      touchedLines.push_back(out.size());
      copied = to;
    } else {
      out.append(s.text.substr(copied, tok.begin - copied));
      out.append(replacement);
      expected.emplace_back(replacement);
      copied = tok.end;
    }
    if (!after.empty()) {
      out += after;
      splitTokens(after, inserted);
      for (const TextToken& t : inserted)
        expected.emplace_back(after.substr(t.begin, t.end - t.begin));
    }
  }
  out.append(s.text.substr(copied));
  // Lines left holding nothing but blanks by the removals go as a whole.
  std::sort(touchedLines.begin(), touchedLines.end());
  size_t erasedFrom = std::string::npos;
  for (auto it = touchedLines.rbegin(); it != touchedLines.rend(); ++it) {
    size_t at = std::min(*it, out.size());
    if (erasedFrom != std::string::npos && at >= erasedFrom) continue;  // its line went already
    size_t lineStart = out.rfind('\n', at == 0 ? 0 : at - 1);
    lineStart = (lineStart == std::string::npos || at == 0) ? 0 : lineStart + 1;
    size_t lineEnd = out.find('\n', at);
    if (lineEnd == std::string::npos) continue;
    bool blank = true;
    for (size_t k = lineStart; k < lineEnd && blank; ++k)
      blank = out[k] == ' ' || out[k] == '\t' || out[k] == '\r';
    if (blank && lineStart > 0) {
      out.erase(lineStart, lineEnd + 1 - lineStart);
      erasedFrom = lineStart;
    }
  }
  return out;
}

bool tokensAre(std::string_view text, const std::vector<std::string>& expected) {
  TokenText t(text);
  if (t.size() != expected.size()) return false;
  for (size_t i = 0; i < t.size(); ++i) {
    if (t[i] != expected[i]) return false;
  }
  return true;
}

// Source with the before-to-after changes placed in it; false when a change touches a token
// that the source does not hold.
bool patch(const TokenText& s, const TokenText& o, const TokenText& n, const Alignment& al,
           const std::vector<std::pair<int, int>>& on, std::string_view firstIndent,
           std::string& out) {
  std::vector<int> nOfO(o.size(), -1);
  std::vector<int> oOfN(n.size(), -1);
  for (auto [j, q] : on) nOfO[j] = q, oOfN[q] = j;
  const std::string unit = indentUnit(s.text, firstIndent);
  // The indentation of tokens inserted at position `at` of after: that of the innermost
  // block around them that the source holds.
  auto indentationAt = [&](int at) {
    Indentation ind;
    ind.unit = unit;
    int depth = 0;
    for (int q = at - 1; q >= 0; --q) {
      if (n[q] == "/end") {
        ++depth;
      } else if (n[q] == "/begin") {
        if (depth > 0) {
          --depth;
          continue;
        }
        int j = oOfN[q];
        int si = j >= 0 ? al.sourceOf[j] : -1;
        if (si < 0) continue;  // a block that is new itself: look further out
        ind.sourceBlock = std::string(indentAt(s.text, s.tokens[si].begin, &firstIndent));
        ind.writerBlock = indentAt(n.text, n.tokens[q].begin, nullptr).size();
        return ind;
      }
    }
    ind.sourceBlock = std::string(firstIndent);
    ind.writerBlock = indentAt(n.text, 0, nullptr).size();
    return ind;
  };
  std::vector<Edit> edits;
  // The changed stretches: before[oa, ob) became after[na, nb). A stretch takes in the
  // unchanged tokens on either side that the file does not spell out (a keyword whose
  // value it left to the default), so that what is inserted for it is whole.
  struct Hunk {
    int oa, ob, na, nb;
  };
  std::vector<Hunk> hunks;
  {
    std::vector<std::pair<int, int>> m = on;
    m.insert(m.begin(), {-1, -1});
    m.emplace_back(static_cast<int>(o.size()), static_cast<int>(n.size()));
    for (size_t p = 0; p + 1 < m.size(); ++p) {
      Hunk h{m[p].first + 1, m[p + 1].first, m[p].second + 1, m[p + 1].second};
      if (h.oa == h.ob && h.na == h.nb) continue;
      // Only a change of tokens none of which the file holds (an insertion is whole).
      bool absent = h.na < h.nb && h.oa < h.ob;
      for (int j = h.oa; j < h.ob && absent; ++j) absent = al.sourceOf[j] < 0;
      const int floor = hunks.empty() ? 0 : hunks.back().ob;
      while (absent && h.oa > floor && al.sourceOf[h.oa - 1] < 0) --h.oa, --h.na;
      while (absent && h.ob < static_cast<int>(o.size()) && al.sourceOf[h.ob] < 0 &&
             nOfO[h.ob] >= 0) {
        ++h.ob, ++h.nb;
      }
      if (!hunks.empty() && h.oa <= hunks.back().ob) {
        hunks.back().ob = std::max(hunks.back().ob, h.ob);
        hunks.back().nb = std::max(hunks.back().nb, h.nb);
      } else {
        hunks.push_back(h);
      }
    }
  }
  for (const Hunk& h : hunks) {
    int oa = h.oa;
    const int ob = h.ob;
    int na = h.na;
    const int nb = h.nb;
    bool noneInSource = true;
    for (int j = oa; j < ob && noneInSource; ++j) noneInSource = al.sourceOf[j] < 0;
    if (noneInSource) oa = ob;
    int k = std::min(ob - oa, nb - na);
    for (int t = 0; t < k; ++t) {
      int si = al.sourceOf[oa + t];
      if (si < 0) return false;
      if (s[si] != n[na + t]) edits.push_back({Edit::kReplace, si, std::string(n[na + t])});
    }
    for (int j = oa + k; j < ob; ++j) {
      if (al.sourceOf[j] < 0) return false;
      edits.push_back({Edit::kDelete, al.sourceOf[j], {}});
    }
    if (nb - na <= k) continue;
    int from = na + k;
    int sAnchor = -1;
    if (k > 0) {
      sAnchor = al.sourceOf[oa + k - 1];
    } else {
      for (int j = oa - 1; j >= 0 && sAnchor < 0; --j) {
        if (al.sourceOf[j] >= 0 && nOfO[j] >= 0) sAnchor = al.sourceOf[j];
      }
    }
    const Indentation indent = indentationAt(from);
    if (sAnchor >= 0) {
      edits.push_back({Edit::kInsertAfter, sAnchor, insertedText(n, from, nb, indent, true)});
      continue;
    }
    // Nothing before the insertion stands in the source: insert in front of what follows.
    int sNext = -1;
    int nNext = -1;
    for (int j = ob; j < static_cast<int>(o.size()) && sNext < 0; ++j) {
      if (al.sourceOf[j] >= 0 && nOfO[j] >= 0) sNext = al.sourceOf[j], nNext = nOfO[j];
    }
    if (sNext < 0) return false;
    std::string text = insertedText(n, from, nb, indent, false);
    text += insertedText(n, nNext, nNext + 1, indent, true);
    text.resize(text.size() - n[nNext].size());  // the separator in front of the next token only
    edits.push_back({Edit::kInsertBefore, sNext, std::move(text)});
  }
  std::vector<std::string> expected;
  out = applyEdits(s, edits, expected);
  return tokensAre(out, expected);
}

// After, with the source's tokens and comments that before lacks inserted next to the
// after-token that stands for their source neighbour.
void rewrite(const TokenText& s, const TokenText& o, const TokenText& n, const Alignment& al,
             const std::vector<std::pair<int, int>>& on, std::string& out) {
  std::vector<int> nOfO(o.size(), -1);
  for (auto [j, q] : on) nOfO[j] = q;
  // The after-token behind which a source token's neighbourhood continues.
  auto anchorOf = [&](int i) {
    for (int k = i; k >= 0; --k) {
      int j = al.beforeOf[k];
      if (j >= 0 && nOfO[j] >= 0) return nOfO[j];
    }
    return 0;
  };
  std::vector<std::string> afterToken(n.size());
  for (size_t i = 0; i < s.size();) {
    size_t gapBegin = i > 0 ? s.tokens[i - 1].end : 0;
    if (al.beforeOf[i] < 0) {
      size_t runEnd = i;
      while (runEnd < s.size() && al.beforeOf[runEnd] < 0) ++runEnd;
      int anchor = anchorOf(static_cast<int>(i) - 1);
      afterToken[anchor] += s.text.substr(gapBegin, s.tokens[runEnd - 1].end - gapBegin);
      i = runEnd;
      continue;
    }
    std::string_view gap = s.text.substr(gapBegin, s.tokens[i].begin - gapBegin);
    if (i > 0 &&
        (gap.find("/*") != std::string_view::npos || gap.find("//") != std::string_view::npos)) {
      size_t last = gap.find_last_not_of(" \t\r\n");
      afterToken[anchorOf(static_cast<int>(i) - 1)] += gap.substr(0, last + 1);
    }
    ++i;
  }
  out.clear();
  size_t copied = 0;
  for (size_t q = 0; q < n.size(); ++q) {
    out.append(n.text.substr(copied, n.tokens[q].end - copied));
    copied = n.tokens[q].end;
    out += afterToken[q];
  }
  out.append(n.text.substr(copied));
}

}  // namespace

MergeResult mergeElementText(std::string_view source, std::string_view firstIndent,
                             std::string_view before, std::string_view after, bool rewriteAlways,
                             std::string& out) {
  TokenText o(before);
  TokenText n(after);
  std::vector<std::pair<int, int>> on = Differ(o, n).run();
  slideRuns(o, n, on);
  if (on.size() == o.size() && on.size() == n.size()) {
    out.assign(source);
    return MergeResult::kUnchanged;
  }
  TokenText s(source);
  Alignment al = align(s, o);
  if (!rewriteAlways && patch(s, o, n, al, on, firstIndent, out)) return MergeResult::kPatched;
  rewrite(s, o, n, al, on, out);
  return MergeResult::kRewritten;
}

}  // namespace ordex
