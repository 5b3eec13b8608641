// The command line of one command: positional arguments and options, in any order.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace ordex_tool {

// Exit status of every command.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // the library reported a failure (its code name is printed)
constexpr int kExitUsage = 2;    // the command line is wrong

struct OptionRule {
  const char* name;  // "--json"
  bool takesValue;
};

class Arguments {
 public:
  // Parses the words after the command word. "--help" and "-h" anywhere ask for help; "--"
  // makes every later word positional. False, with error() set, on an unknown option or
  // an option whose value is missing.
  bool parse(int argc, char** argv, const std::vector<OptionRule>& options);

  bool helpWanted() const { return help_; }
  const std::vector<const char*>& positional() const { return positional_; }
  bool has(const char* option) const { return values_.count(option) != 0; }
  // The value of the option's last occurrence, or null when it was not given.
  const char* value(const char* option) const;
  const std::string& error() const { return error_; }

 private:
  bool help_ = false;
  std::vector<const char*> positional_;
  std::map<std::string, const char*> values_;
  std::string error_;
};

}  // namespace ordex_tool
