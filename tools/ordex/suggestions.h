// "Did you mean" for a mistyped command, option, kind or field name.
#pragma once

#include <string>
#include <vector>

namespace ordex_tool {

// The candidate closest to word when it is close enough to be a likely typo (a few letters
// off, swapped, left out or added; letter case, '-' and '_' do not count); empty when none
// is. The first of equally close candidates wins.
std::string closestMatch(const std::string& word, const std::vector<std::string>& candidates);

// "; did you mean X?" for closestMatch's answer, empty when there is none.
std::string didYouMean(const std::string& word, const std::vector<std::string>& candidates);

}  // namespace ordex_tool
