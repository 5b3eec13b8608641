#include "arguments.h"

#include <cstring>

#include "suggestions.h"

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
    const char* equals = std::strncmp(word, "--", 2) == 0 ? std::strchr(word, '=') : nullptr;
    const std::string name = equals ? std::string(word, equals) : std::string(word);
    const OptionRule* rule = nullptr;
    for (const OptionRule& o : options) {
      if (name == o.name) rule = &o;
    }
    if (!rule) {
      std::vector<std::string> known{"--help"};
      for (const OptionRule& o : options) known.emplace_back(o.name);
      error_ = "unknown option " + name + didYouMean(name, known);
      return false;
    }
    if (!rule->takesValue) {
      if (equals) {
        error_ = "option " + name + " takes no value";
        return false;
      }
      values_[name] = "";
    } else if (equals) {
      owned_.emplace_back(equals + 1);
      values_[name] = owned_.back().c_str();
    } else {
      if (i + 1 >= argc) {
        error_ = "option " + name + " needs a value";
        return false;
      }
      values_[name] = argv[++i];
    }
  }
  return true;
}

void Arguments::setPositional(size_t i, std::string word) {
  owned_.push_back(std::move(word));
  positional_.at(i) = owned_.back().c_str();
}

const char* Arguments::value(const char* option) const {
  auto it = values_.find(option);
  return it == values_.end() ? nullptr : it->second;
}

}  // namespace ordex_tool
