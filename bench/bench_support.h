// What the file benchmarks share: CPU and wall-clock timing, the options every one of them
// takes (--size-mb, --runs, --seed, --regenerate, --file) and the cached synthetic file.
//
// The synthetic file is cached (ORDEX_BENCH_CACHE, else TMPDIR, else /tmp, in a folder
// ordex-bench) under a name that holds size, seed and generator version, and reused, so
// the reader and the writer benchmark measure the same file.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "a2l_generator.h"

namespace ordex_bench {

using Clock = std::chrono::steady_clock;

constexpr double kMB = 1e6;

double seconds(Clock::time_point a, Clock::time_point b);

// The process's CPU time so far, in seconds.
double cpuSeconds();

// The best wall-clock and CPU times of several runs of one pass.
struct BestTimes {
  double wall = 1e30;
  double cpu = 1e30;
  template <class Pass>
  void run(Pass&& pass) {
    double c0 = cpuSeconds();
    auto t0 = Clock::now();
    pass();
    wall = std::min(wall, seconds(t0, Clock::now()));
    cpu = std::min(cpu, cpuSeconds() - c0);
  }
};

// The size of the file in bytes, -1 when it cannot be looked at.
int64_t fileSize(const std::string& path);

// The folder the benchmarks keep their generated files in.
std::string cacheFolder();

struct FileBenchArgs {
  double sizeMb = 100;
  int runs = 3;
  uint64_t seed = 1;
  std::string file;
  bool regenerate = false;
};

// Parses the common options; a program with one flag of its own names it in `extraFlag`
// and gets it in `*extraValue`. --help prints `usage` to stdout and exits. False on any
// other or malformed argument.
bool parseFileBenchArgs(int argc, char** argv, FileBenchArgs* args, void (*usage)(std::FILE*),
                        const char* extraFlag = nullptr, bool* extraValue = nullptr);

// The synthetic file for the arguments, generated unless a cached copy exists (`*reused`
// says which, when given). Written under a temporary name and renamed, so an interrupted
// run leaves no partial file behind.
bool syntheticFile(const FileBenchArgs& args, const GeneratorOptions& options, std::string* path,
                   bool* reused = nullptr);

}  // namespace ordex_bench
