// Replays inputs through a fuzz target without libFuzzer: each argument is a file or a
// folder whose files (recursively, in name order) are handed to LLVMFuzzerTestOneInput one
// by one. Built with the normal compiler, so the seed corpora and every crash input ever
// found run as ordinary tests (and under the sanitizers in the sanitizer build).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

namespace {

bool replay(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", file.c_str());
    return false;
  }
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  // Copied into an allocation of its own size, so a read past the input is caught.
  std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size() ? bytes.size() : 1]);
  std::copy(bytes.begin(), bytes.end(), exact.get());
  LLVMFuzzerTestOneInput(exact.get(), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  size_t replayed = 0;
  bool ok = true;
  for (int i = 1; i < argc; ++i) {
    const fs::path arg(argv[i]);
    std::error_code ec;
    if (fs::is_directory(arg, ec)) {
      std::vector<fs::path> files;
      for (const auto& entry : fs::recursive_directory_iterator(arg, ec))
        if (entry.is_regular_file()) files.push_back(entry.path());
      std::sort(files.begin(), files.end());
      for (const fs::path& f : files) {
        std::fprintf(stderr, "replaying %s\n", f.c_str());
        ok = replay(f) && ok;
        ++replayed;
      }
    } else if (fs::is_regular_file(arg, ec)) {
      std::fprintf(stderr, "replaying %s\n", arg.c_str());
      ok = replay(arg) && ok;
      ++replayed;
    } else {
      std::fprintf(stderr, "no such file or folder: %s\n", argv[i]);
      ok = false;
    }
  }
  std::printf("%zu inputs replayed\n", replayed);
  return ok ? 0 : 1;
}
