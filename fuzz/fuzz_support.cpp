#include "fuzz_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace ordex_fuzz {

const std::string& scratchFolder() {
  static const std::string folder = [] {
    struct stat st;
    std::string base = "/tmp";
    if (stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) && access("/dev/shm", W_OK) == 0) {
      base = "/dev/shm";
    } else if (const char* tmp = std::getenv("TMPDIR")) {
      base = tmp;
    }
    std::string tmpl = base + "/ordex-fuzz-XXXXXX";
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data())) std::abort();
    std::string made = buf.data();
    // The folder is removed when the process ends normally; a crashing run leaves it.
    static std::string forCleanup = made;
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(forCleanup, ec);
    });
    return made;
  }();
  return folder;
}

std::string writeScratchFile(const char* name, const uint8_t* data, size_t size) {
  std::string path = scratchFolder() + "/" + name;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
  return path;
}

void setField(char (&field)[ORDEX_TEXT_SIZE], const std::string& value) {
  size_t n = value.size() < ORDEX_TEXT_SIZE - 1 ? value.size() : ORDEX_TEXT_SIZE - 1;
  std::memcpy(field, value.data(), n);
  field[n] = '\0';
}

}  // namespace ordex_fuzz
