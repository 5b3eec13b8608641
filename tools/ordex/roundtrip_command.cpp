#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "commands.h"
#include "snapshot/round_trip.h"
#include "tool_support.h"

namespace ordex_tool {

namespace {

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string baseName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The line of text that holds position at, without its line feed.
std::string lineAt(const std::string& text, size_t at, size_t& number) {
  size_t start = text.rfind('\n', at == 0 ? 0 : at - 1);
  start = (start == std::string::npos || at == 0) ? 0 : start + 1;
  number = 1;
  for (size_t i = 0; i < start; ++i) number += text[i] == '\n';
  size_t end = text.find('\n', start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// Writes FILE back keeping its text and compares the result with FILE.
int preservingRoundTrip(const char* file, const std::string& folder) {
  std::string written = folder + "/" + baseName(file);
  int status = kExitOk;
  {
    LoadedFile loaded(file);
    if (!loaded.ok()) return kExitFailure;
    uint32_t outcome = 0;
    TOrdexReturnCode rc =
        Ordex_WriteAsapFilePreserving(loaded.instance(), written.c_str(), nullptr, nullptr, nullptr,
                                      nullptr, nullptr, 0, &outcome);
    if (rc != rcOk) return reportFailure("cannot write the copy", rc);
  }
  const std::string a = fileText(file);
  const std::string b = fileText(written);
  size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  if (at == a.size() && at == b.size()) {
    std::printf("round trip ok: %zu bytes written as read\n", a.size());
  } else {
    size_t line = 0;
    std::string read = lineAt(a, at, line);
    std::string back = lineAt(b, at, line);
    std::fprintf(stderr,
                 "round trip differs at line %zu (byte %zu):\n  read:    %s\n  written: %s\n", line,
                 at, read.c_str(), back.c_str());
    status = kExitFailure;
  }
  return status;
}

// Removes the temporary folder with what the write put there.
void removeTree(const std::string& folder) {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

}  // namespace

int roundtrip(const Arguments& args) {
  const char* file = args.positional()[0];
  const char* tmp = getenv("TMPDIR");
  std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/ordex-roundtrip-XXXXXX";
  if (!mkdtemp(&folder[0])) {
    std::perror("ordex roundtrip: cannot make a temporary folder");
    return kExitFailure;
  }
  if (!args.has("--canonical")) {
    int status = preservingRoundTrip(file, folder);
    removeTree(folder);
    return status;
  }
  ordex_test::RoundTripReport report = ordex_test::roundTrip(file, folder);
  std::remove((folder + "/first_write.a2l").c_str());
  std::remove((folder + "/second_write.a2l").c_str());
  rmdir(folder.c_str());
  std::fputs(report.describe().c_str(), report.ok() ? stdout : stderr);
  return report.ok() ? kExitOk : kExitFailure;
}

}  // namespace ordex_tool
