#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "reader/token_source.h"
#include "support/unit_support.h"

namespace ordex_test {

TempFile::TempFile(const std::string& content) {
  std::string tmpl = (std::filesystem::temp_directory_path() / "ordex-unit-XXXXXX").string();
  std::vector<char> buf(tmpl.begin(), tmpl.end());
  buf.push_back('\0');
  int fd = mkstemp(buf.data());
  if (fd < 0) std::abort();
  close(fd);
  path_ = buf.data();
  std::ofstream out(path_, std::ios::binary);
  out << content;
}

TempFile::~TempFile() {
  std::remove(path_.c_str());
}

std::vector<std::string> tokenize(const std::string& text) {
  TempFile f(text);
  ordex::TokenSource src(f.path());
  std::vector<std::string> tokens;
  ordex::Token t;
  while (src.next(t) == ordex::ReturnCode::Ok) tokens.emplace_back(t.view());
  return tokens;
}

}  // namespace ordex_test
