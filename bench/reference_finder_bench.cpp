// ordex_reference_finder_bench: time of Ordex_ReferenceFinder with mode 0xF (both name passes,
// conversions and tables) on two generated modules, one ten times the other:
//
//   small: 10 000 characteristics, 10 000 measurements, 1 000 functions
//   large: 100 000 characteristics, 100 000 measurements, 10 000 functions
//
// every function listing 20 names (8 DEF_CHARACTERISTIC, 4 REF_CHARACTERISTIC,
// 4 IN_MEASUREMENT, 2 OUT_MEASUREMENT, 1 LOC_MEASUREMENT, 1 SUB_FUNCTION). The work is linear,
// so the large module should take about ten times the small one. The first run after the
// read is timed (it resolves the conversions and tables too), then the best of --runs
// repeated runs (passes 0x1 and 0x2 redo all their work; 0x4 and 0x8 find nothing left).
// Every run starts with the caches flushed: the small model fits the last-level cache and
// the large one does not, so warm runs would compare cache hits with memory reads.
//
//   ordex_reference_finder_bench [--runs N] [--dir DIR]   (DIR for the generated files, default
//   $TMPDIR or /tmp)

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "a2l_generator.h"
#include "ordex.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Timing {
  double wallMs;
  double cpuMs;
};

double cpuNowMs() {
  timespec ts;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Runs the finder once and times it; exits on failure.
int gMode = 0xF;

// Writes a buffer larger than the last-level cache, so the next run starts with none of the
// model cached whatever its size: the small module's records would otherwise stay cached
// between runs while the large one's cannot.
void evictCaches() {
  static std::vector<char> buffer(128u << 20);
  for (size_t i = 0; i < buffer.size(); i += 64) buffer[i] = static_cast<char>(buffer[i] + 1);
}

Timing timeFinder(TOrdex* inst) {
  double cpu0 = cpuNowMs();
  Clock::time_point t0 = Clock::now();
  TOrdexReturnCode rc = Ordex_ReferenceFinder(inst, gMode, 0, 0, nullptr);
  Timing t{std::chrono::duration<double, std::milli>(Clock::now() - t0).count(), cpuNowMs() - cpu0};
  if (rc != rcOk) {
    std::fprintf(stderr, "reference finder failed: %d\n", rc);
    std::exit(1);
  }
  return t;
}

struct Result {
  Timing first;
  Timing best;
};

Result measure(const char* label, uint32_t scale, int runs, const std::string& dir) {
  ordex_bench::GeneratorOptions o;
  o.characteristics = 10000 * scale;
  o.measurements = 10000 * scale;
  o.functions = 1000 * scale;
  o.defCharacteristicsPerFunction = 8;
  o.refCharacteristicsPerFunction = 4;
  o.inMeasurementsPerFunction = 4;
  o.outMeasurementsPerFunction = 2;
  o.locMeasurementsPerFunction = 1;
  o.subFunctionsPerFunction = 1;
  o.functionListPercent = 0;  // exactly 20 names per function, none folded in
  std::string path = dir + "/ordex_refs_" + label + ".a2l";
  std::string error;
  if (!ordex_bench::generateA2lFile(o, path, &error)) {
    std::fprintf(stderr, "cannot generate %s: %s\n", path.c_str(), error.c_str());
    std::exit(1);
  }
  TOrdex* inst = nullptr;
  Ordex_CreateInstance(&inst);
  Clock::time_point r0 = Clock::now();
  if (Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr) != rcOk) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    std::exit(1);
  }
  double readMs = std::chrono::duration<double, std::milli>(Clock::now() - r0).count();
  Result r;
  evictCaches();
  r.first = timeFinder(inst);
  r.best = {1e300, 1e300};
  for (int i = 0; i < runs; ++i) {
    evictCaches();
    Timing t = timeFinder(inst);
    r.best.wallMs = std::min(r.best.wallMs, t.wallMs);
    r.best.cpuMs = std::min(r.best.cpuMs, t.cpuMs);
  }
  std::printf(
      "%-6s %7u characteristics %7u measurements %6u functions (%u list entries), "
      "read %.0f ms\n",
      label, o.characteristics, o.measurements, o.functions, o.functions * 20, readMs);
  std::printf(
      "       mode 0x%X first run: %8.2f ms wall %8.2f ms CPU;  best repeat: %8.2f ms wall "
      "%8.2f ms CPU\n",
      static_cast<unsigned>(gMode), r.first.wallMs, r.first.cpuMs, r.best.wallMs, r.best.cpuMs);
  Ordex_DestroyInstance(inst);
  std::remove(path.c_str());
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 3;
  const char* tmp = std::getenv("TMPDIR");
  std::string dir = tmp && *tmp ? tmp : "/tmp";
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else if (!std::strcmp(argv[i], "--mode") && i + 1 < argc) {
      gMode = static_cast<int>(std::strtoul(argv[++i], nullptr, 0));
    } else if (!std::strcmp(argv[i], "--dir") && i + 1 < argc) {
      dir = argv[++i];
    } else {
      std::fprintf(stderr,
                   "usage: ordex_reference_finder_bench [--runs N] [--mode M] [--dir DIR]\n");
      return 2;
    }
  }
  Result small = measure("small", 1, runs, dir);
  Result large = measure("large", 10, runs, dir);
  std::printf("large / small (CPU): first run %.1fx, best repeat %.1fx (linear work: about 10x)\n",
              large.first.cpuMs / small.first.cpuMs, large.best.cpuMs / small.best.cpuMs);
  return 0;
}
