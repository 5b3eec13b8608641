// ordex_conversion_bench: conversions per second for RAT_FUNC, TAB_INTP and TAB_VERB, on a
// file with 1 000 and on one with 100 000 measurements, side by side. The per-call cost
// must not grow with the number of measurements: the name lookups are hash lookups.
//
//   ordex_conversion_bench              default: 1 000 000 calls per cell, best of 3
//   ordex_conversion_bench --calls N    calls per timed run
//
// Three ways in are timed:
//   Ordex_RawToPhysDirect2       with the compu method's public record (got once with
//                                Ordex_GetCompuMethod, before timing): no lookup, but an
//                                internal method built from the record on every call. It
//                                stands in for Ordex_RawToPhys_Intern, whose record no
//                                public function hands out, and converts as RAT_FUNC only,
//                                so it is timed for RAT_FUNC alone.
//   Ordex_RawToPhys              by compu method name (module and method looked up per call)
//   Ordex_RawToPhysMeasurement   by measurement name (module, measurement and, after the
//                                first call, the kept ConversionTarget)
// The benchmark uses the public interface only. Each run converts a rotating set of 64
// measurements per conversion type with rotating raw values. The large file's set does the very
// work of the small file's (same compu methods, data types, byte orders and masks), with
// measurements taken from the far end of its list, so the columns differ only by the lookups. Time
// is the process's CPU time; the two files take turns run by run. Files are generated with exact
// counts into the benchmark cache folder (ORDEX_BENCH_CACHE, else TMPDIR, else /tmp, in
// ordex-bench) and reused.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "a2l_generator.h"
#include "bench_support.h"
#include "ordex.h"

namespace {

using ordex_bench::cacheFolder;
using ordex_bench::cpuSeconds;

constexpr uint32_t kSizes[] = {1000, 100000};
constexpr size_t kPicked = 64;  // measurements per conversion type

struct Kind {
  const char* label;
  int32_t conversionType;
};
const Kind kKinds[] = {{"RAT_FUNC", 2}, {"TAB_INTP", 0}, {"TAB_VERB", 4}};
constexpr int32_t kRatFunc = 2;

enum Path { kByRecord, kByMethod, kByMeasurement, kPathCount };
const char* const kPathNames[] = {"Ordex_RawToPhysDirect2", "Ordex_RawToPhys",
                                  "Ordex_RawToPhysMeasurement"};

// Whether the path converts with methods of this type: the record converts as RAT_FUNC.
bool timed(Path path, const Kind& kind) {
  return path != kByRecord || kind.conversionType == kRatFunc;
}

struct Target {
  std::string measurement;
  std::string method;
  int32_t dataType;
  int32_t byteOrder;
  uint32_t bitMask;
  TCompuMethod record;
};

bool fileFor(uint32_t measurements, std::string* path) {
  const std::string folder = cacheFolder();
  if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
    std::fprintf(stderr, "cannot create %s: %s\n", folder.c_str(), std::strerror(errno));
    return false;
  }
  *path = folder + "/conversion-" + std::to_string(measurements) + "-g" +
          std::to_string(ordex_bench::kGeneratorVersion) + ".a2l";
  struct stat st;
  if (stat(path->c_str(), &st) == 0 && st.st_size > 0) return true;
  ordex_bench::GeneratorOptions options;
  options.measurements = measurements;
  const std::string tmp = *path + ".tmp" + std::to_string(getpid());
  std::string error;
  if (!ordex_bench::generateA2lFile(options, tmp, &error) ||
      std::rename(tmp.c_str(), path->c_str()) != 0) {
    std::fprintf(stderr, "cannot write %s: %s\n", path->c_str(), error.c_str());
    std::remove(tmp.c_str());
    return false;
  }
  return true;
}

struct Candidate {
  Target target;
  int32_t conversionType;
};

// Every measurement whose compu method exists, in list order.
std::vector<Candidate> candidates(TOrdex* inst) {
  std::vector<Candidate> all;
  char name[256] = "";
  while (Ordex_GetNextMeasurementName(inst, nullptr, name, nullptr) == rcOk && *name) {
    TMeasurement m;
    std::memcpy(m.Name, name, sizeof m.Name);
    if (Ordex_GetMeasurement(inst, nullptr, &m, 0) != rcOk) continue;
    TCompuMethod cm;
    std::memcpy(cm.Name, m.Conversion, sizeof cm.Name);
    if (Ordex_GetCompuMethod(inst, nullptr, &cm, 0) != rcOk) continue;
    all.push_back({{m.Name, cm.Name, m.DataType, m.ByteOrder, m.BitMask, cm}, cm.ConversionType});
  }
  return all;
}

// The small file's targets: up to kPicked measurements of each conversion type, at even
// steps through the list.
bool pickSmall(TOrdex* inst, std::vector<Target> (&targets)[3]) {
  const std::vector<Candidate> all = candidates(inst);
  for (int k = 0; k < 3; ++k) {
    std::vector<const Target*> ofKind;
    for (const Candidate& c : all)
      if (c.conversionType == kKinds[k].conversionType) ofKind.push_back(&c.target);
    if (ofKind.empty()) return false;
    const size_t step = ofKind.size() > kPicked ? ofKind.size() / kPicked : 1;
    for (size_t i = 0; i < ofKind.size() && targets[k].size() < kPicked; i += step)
      targets[k].push_back(*ofKind[i]);
  }
  return true;
}

// The large file's targets do the same work: for each small-file target, a measurement with
// the same compu method, data type, byte order and mask (both files hold the same compu
// methods), taken from the far end of the list; only the measurement names differ.
bool pickLarge(TOrdex* inst, const std::vector<Target> (&small)[3],
               std::vector<Target> (&targets)[3]) {
  std::vector<Candidate> all = candidates(inst);
  std::vector<bool> used(all.size(), false);
  for (int k = 0; k < 3; ++k) {
    for (const Target& t : small[k]) {
      size_t found = all.size();
      for (size_t i = all.size(); i-- > 0;) {
        const Target& c = all[i].target;
        if (!used[i] && c.method == t.method && c.dataType == t.dataType &&
            c.byteOrder == t.byteOrder && c.bitMask == t.bitMask) {
          found = i;
          break;
        }
      }
      if (found == all.size()) return false;
      used[found] = true;
      targets[k].push_back(all[found].target);
    }
  }
  return true;
}

// Calls per second of one run of `calls` calls.
double measure(TOrdex* inst, Path path, const std::vector<Target>& targets, long calls) {
  unsigned char raw[256][8];
  for (int i = 0; i < 256; ++i)
    for (int b = 0; b < 8; ++b) raw[i][b] = static_cast<unsigned char>(i * 37 + b * 11);
  char text[4096];
  double phys = 0;
  long failures = 0;
  const double t0 = cpuSeconds();
  for (long c = 0; c < calls; ++c) {
    const Target& t = targets[static_cast<size_t>(c) % targets.size()];
    const unsigned char* r = raw[c & 255];
    TOrdexReturnCode rc;
    switch (path) {
      case kByRecord:
        rc = Ordex_RawToPhysDirect2(r, t.dataType, t.byteOrder, t.bitMask, 0, &t.record, ',', &phys,
                                    text);
        break;
      case kByMethod:
        rc = Ordex_RawToPhys(inst, nullptr, r, t.dataType, t.byteOrder, t.bitMask, t.method.c_str(),
                             ',', &phys, text);
        break;
      default:
        rc = Ordex_RawToPhysMeasurement(inst, nullptr, t.measurement.c_str(), r, ',', &phys, text);
        break;
    }
    // Table methods answer -1 for raw values without a pair and without default.
    failures += rc != rcOk && rc != rcInvalidArgument;
  }
  const double rate = calls / (cpuSeconds() - t0);
  if (failures) std::fprintf(stderr, "%ld unexpected failures on %s\n", failures, kPathNames[path]);
  return rate;
}

TOrdex* load(uint32_t measurements) {
  std::string path;
  if (!fileFor(measurements, &path)) return nullptr;
  TOrdex* inst = nullptr;
  Ordex_CreateInstance(&inst);
  if (Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr) != rcOk) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    Ordex_DestroyInstance(inst);
    return nullptr;
  }
  return inst;
}

}  // namespace

int main(int argc, char** argv) {
  long calls = 1000000;
  int runs = 3;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--calls") && i + 1 < argc) {
      calls = std::atol(argv[++i]);
    } else if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) {
      runs = std::atoi(argv[++i]);
    } else {
      std::fprintf(stderr, "usage: ordex_conversion_bench [--calls N] [--runs N]\n");
      return 2;
    }
  }
  if (calls < 1 || runs < 1) return 2;

  TOrdex* inst[2] = {load(kSizes[0]), load(kSizes[1])};
  if (!inst[0] || !inst[1]) return 1;
  std::vector<Target> targets[2][3];
  if (!pickSmall(inst[0], targets[0]) || !pickLarge(inst[1], targets[0], targets[1])) {
    std::fprintf(stderr, "the files lack a conversion type or a matching measurement\n");
    return 1;
  }
  // The two files take turns, so that a change of machine load touches both alike.
  double rates[3][kPathCount][2] = {};
  for (int run = 0; run < runs; ++run)
    for (int k = 0; k < 3; ++k)
      for (int p = 0; p < kPathCount; ++p)
        for (int s = 0; s < 2 && timed(static_cast<Path>(p), kKinds[k]); ++s) {
          const double rate = measure(inst[s], static_cast<Path>(p), targets[s][k], calls);
          if (rate > rates[k][p][s]) rates[k][p][s] = rate;
        }
  Ordex_DestroyInstance(inst[0]);
  Ordex_DestroyInstance(inst[1]);

  std::printf("conversions per second (millions), %ld calls per run, best of %d\n", calls, runs);
  std::printf(
      "Ordex_RawToPhysDirect2 (the method's public record, no lookup, the method built\n"
      "from it per call) stands in for Ordex_RawToPhys_Intern; RAT_FUNC only\n");
  std::printf("%-9s %-27s %14s %14s %8s\n", "method", "entry point", "1 000 meas.", "100 000 meas.",
              "ratio");
  for (int k = 0; k < 3; ++k) {
    for (int p = 0; p < kPathCount; ++p) {
      if (!timed(static_cast<Path>(p), kKinds[k])) continue;
      const double* r = rates[k][p];
      std::printf("%-9s %-27s %14.2f %14.2f %8.2f\n", kKinds[k].label, kPathNames[p], r[0] / 1e6,
                  r[1] / 1e6, r[1] / r[0]);
    }
  }
  return 0;
}
