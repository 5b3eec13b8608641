#include "suggestions.h"

#include <algorithm>
#include <cctype>

namespace ordex_tool {

namespace {

std::string folded(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '-' || c == '_') continue;
    out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  }
  return out;
}

// Edits (insert, delete, replace, swap of neighbours) that turn a into b.
size_t distance(const std::string& a, const std::string& b) {
  const size_t n = a.size(), m = b.size();
  std::vector<std::vector<size_t>> d(n + 1, std::vector<size_t>(m + 1));
  for (size_t i = 0; i <= n; ++i) d[i][0] = i;
  for (size_t j = 0; j <= m; ++j) d[0][j] = j;
  for (size_t i = 1; i <= n; ++i) {
    for (size_t j = 1; j <= m; ++j) {
      const size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[n][m];
}

}  // namespace

std::string closestMatch(const std::string& word, const std::vector<std::string>& candidates) {
  const std::string w = folded(word);
  if (w.empty()) return "";
  std::string best;
  size_t bestDistance = 0;
  for (const std::string& c : candidates) {
    const std::string f = folded(c);
    size_t d = distance(w, f);
    // A word that starts a candidate ("meas" for "measurements") counts as close.
    if (w.size() >= 3 && f.compare(0, w.size(), w) == 0) d = std::min<size_t>(d, 1);
    if (best.empty() || d < bestDistance) {
      best = c;
      bestDistance = d;
    }
  }
  // About one mistake in three letters, at least one, at most three.
  const size_t allowed = std::min<size_t>(3, std::max<size_t>(1, w.size() / 3));
  return bestDistance <= allowed ? best : "";
}

std::string didYouMean(const std::string& word, const std::vector<std::string>& candidates) {
  const std::string match = closestMatch(word, candidates);
  return match.empty() ? "" : "; did you mean " + match + "?";
}

}  // namespace ordex_tool
