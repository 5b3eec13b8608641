// Helpers of the internal tests.
#pragma once

#include <string>
#include <vector>

namespace ordex_test {

// A temporary file holding the given bytes; removed at the end of the scope.
class TempFile {
 public:
  explicit TempFile(const std::string& content);
  ~TempFile();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Every token of the text, through the reader's token source.
std::vector<std::string> tokenize(const std::string& text);

}  // namespace ordex_test
