// The lines of an edit script and how each is applied to a read file.
#pragma once

#include <string>
#include <vector>

#include "ordex.h"

namespace ordex_tool {

// A line's words, separated by blanks. Double quotes anywhere in a word take blanks
// literally, with \" and \\ inside (LongIdentifier="engine speed"). A '#' that starts a
// word starts a comment to the end of the line. False for a quote that is not closed.
bool splitWords(const std::string& line, std::vector<std::string>& words);

// One failing line: a return code and, for script mistakes, what is wrong.
struct Failure {
  TOrdexReturnCode rc;
  std::string why;
};

class ScriptRunner {
 public:
  explicit ScriptRunner(TOrdex* inst) : inst_(inst) {}

  // Applies one line's words; false with `failure` filled when it fails.
  bool apply(const std::vector<std::string>& words, Failure& failure);

 private:
  const char* module() const { return module_.empty() ? nullptr : module_.c_str(); }
  bool check(TOrdexReturnCode rc, Failure& failure) const;
  bool selectModule(const std::string& name, Failure& failure);
  bool remove(const std::string& kind, const std::string& name, Failure& failure);
  bool set(const std::string& kind, const std::string& name, const std::string& field,
           const std::string& value, Failure& failure);
  bool create(const std::vector<std::string>& words, Failure& failure);
  bool nameList(bool add, const std::string& function, const std::string& list,
                const std::string& name, Failure& failure);

  TOrdex* inst_;
  std::string module_;
};

}  // namespace ordex_tool
