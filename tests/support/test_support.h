// Helpers shared by the black-box tests.
#pragma once

#include <string>
#include <vector>

#include "ordex.h"

namespace ordex_test {

// An instance that is destroyed at the end of the scope.
class Instance {
 public:
  Instance();
  ~Instance();
  Instance(const Instance&) = delete;
  Instance& operator=(const Instance&) = delete;
  TOrdex* get() const { return p_; }
  operator TOrdex*() const { return p_; }

 private:
  TOrdex* p_ = nullptr;
};

// A file in a fresh temporary folder, removed with the folder at the end of the scope.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& path() const { return path_; }
  // Writes a file (relative to the folder) and returns its full path.
  std::string write(const std::string& name, const std::string& content) const;

 private:
  std::string path_;
};

std::string readFile(const std::string& path);
std::string dataPath(const std::string& name);  // a file of tests/data
std::string readError(TOrdex* instance);        // Ordex_GetReadAsapFileError as a string
// Reads A2L text written to a temporary file.
TOrdexReturnCode readText(TOrdex* instance, const std::string& text);
// Whether the shared folder of real-world files is there (tests reading it skip otherwise).
bool corpusAvailable();
// The names of a multi-string.
std::vector<std::string> splitMultiString(const char* buffer);
// The names of the instance's modules in file order (empty without project).
std::vector<std::string> moduleNames(TOrdex* instance);
// The error report of a failed read as the reader words it: line, object path and, when
// not empty, the last parsed object.
std::string failureReport(int line, const std::string& path, const std::string& last = "");
// Number of file descriptors the process holds open now.
int openDescriptorCount();

}  // namespace ordex_test
