#include "arguments.h"

#include <cstring>

namespace ordex_tool {

bool Arguments::parse(int argc, char** argv, const std::vector<OptionRule>& options) {
  bool optionsEnded = false;
  for (int i = 0; i < argc; ++i) {
    const char* word = argv[i];
    if (optionsEnded || word[0] != '-' || word[1] == '\0') {
      positional_.push_back(word);
      continue;
    }
    if (std::strcmp(word, "--") == 0) {
      optionsEnded = true;
      continue;
    }
    if (std::strcmp(word, "--help") == 0 || std::strcmp(word, "-h") == 0) {
      help_ = true;
      continue;
    }
    const OptionRule* rule = nullptr;
    for (const OptionRule& o : options) {
      if (std::strcmp(word, o.name) == 0) rule = &o;
    }
    if (!rule) {
      error_ = std::string("unknown option ") + word;
      return false;
    }
    if (rule->takesValue) {
      if (i + 1 >= argc) {
        error_ = std::string("option ") + word + " needs a value";
        return false;
      }
      values_[word] = argv[++i];
    } else {
      values_[word] = "";
    }
  }
  return true;
}

const char* Arguments::value(const char* option) const {
  auto it = values_.find(option);
  return it == values_.end() ? nullptr : it->second;
}

}  // namespace ordex_tool
