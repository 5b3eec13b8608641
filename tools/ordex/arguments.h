// The command line of one command: positional arguments and options, in any order.
#pragma once

#include <list>
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
  // makes every later word positional. An option's value follows as the next word or after
  // '=' ("--index 3", "--index=3"). False, with error() set, on an unknown option (with the
  // closest known one as a suggestion), a value missing, or a value given to an option that
  // takes none.
  bool parse(int argc, char** argv, const std::vector<OptionRule>& options);

  bool helpWanted() const { return help_; }
  const std::vector<const char*>& positional() const { return positional_; }
  // Replaces positional argument i (a kind word by its canonical form, for instance).
  void setPositional(size_t i, std::string word);
  bool has(const char* option) const { return values_.count(option) != 0; }
  // The value of the option's last occurrence, or null when it was not given.
  const char* value(const char* option) const;
  const std::string& error() const { return error_; }

 private:
  bool help_ = false;
  std::vector<const char*> positional_;
  std::map<std::string, const char*> values_;
  std::list<std::string> owned_;  // texts behind replaced words and "--opt=value" values
  std::string error_;
};

}  // namespace ordex_tool
