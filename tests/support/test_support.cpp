#include "support/test_support.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace ordex_test {

Instance::Instance() {
  Ordex_CreateInstance(&p_);
}
Instance::~Instance() {
  Ordex_DestroyInstance(p_);
}

TempDir::TempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "ordex-test-XXXXXX").string();
  std::vector<char> buf(tmpl.begin(), tmpl.end());
  buf.push_back('\0');
  if (!mkdtemp(buf.data())) std::abort();
  path_ = buf.data();
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string TempDir::write(const std::string& name, const std::string& content) const {
  std::string full = path_ + "/" + name;
  std::filesystem::create_directories(std::filesystem::path(full).parent_path());
  std::ofstream out(full, std::ios::binary);
  out << content;
  return full;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string dataPath(const std::string& name) {
  return std::string(ORDEX_TEST_DATA_DIR) + "/" + name;
}

std::string readError(TOrdex* instance) {
  char buf[2048];
  Ordex_GetReadAsapFileError(instance, buf, sizeof buf);
  return buf;
}

TOrdexReturnCode readText(TOrdex* instance, const std::string& text) {
  TempDir dir;
  std::string path = dir.write("input.a2l", text);
  return Ordex_ReadAsapFile(instance, path.c_str(), nullptr, nullptr);
}

bool corpusAvailable() {
  return std::filesystem::is_directory(ORDEX_CORPUS_DIR);
}

std::vector<std::string> splitMultiString(const char* buffer) {
  std::vector<std::string> names;
  for (const char* p = buffer; *p; p += std::strlen(p) + 1) names.emplace_back(p);
  return names;
}

std::vector<std::string> moduleNames(TOrdex* instance) {
  char buf[8192];
  if (Ordex_GetModuleList(instance, buf, sizeof buf, nullptr, nullptr) != rcOk) return {};
  return splitMultiString(buf);
}

std::string failureReport(int line, const std::string& path, const std::string& last) {
  std::string text =
      "Error detected (near to line " + std::to_string(line) + "): Actually parsed object: " + path;
  if (!last.empty()) text += "; Last parsed object: " + last;
  return text;
}

int openDescriptorCount() {
  int n = 0;
  DIR* d = opendir("/proc/self/fd");
  if (!d) return -1;
  while (readdir(d)) ++n;
  closedir(d);
  return n;
}

}  // namespace ordex_test
