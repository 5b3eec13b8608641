// ordex_reader_bench: end-to-end speed and memory of Ordex_ReadAsapFile against a raw pass
// over the same file, measured in the same run.
//
//   ordex_reader_bench                 100 MB synthetic file, best of 3
//   ordex_reader_bench --size-mb 10    a quick run
//   ordex_reader_bench --file x.a2l    any file
//   ordex_reader_bench --first-read-only   only the reads in fresh processes
//
// First come the reads in fresh processes (the figure a host tool or `ordex info` gets): each
// in a child that runs this program anew, makes the raw pass and then one read, with the text
// kept and without it; the child reports the read's CPU time, its share of the raw pass in
// the same child, its minor page faults and the memory it held and peaked at. Then the warm
// rounds in this process.
// The synthetic file is cached (see bench_support.h) and reused. The raw pass reads the
// file with fread through a 1 MiB buffer and counts the whitespace-separated tokens: the
// least any reader has to do. Both passes run on a file in the page cache (the raw pass
// warms it up first), in alternating rounds. Each pass is timed by the wall clock and by
// the process's CPU time; the ratio is taken from CPU time, which other programs running on
// the machine disturb far less.

#include <dlfcn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "a2l_generator.h"
#include "bench_support.h"
#include "ordex.h"

namespace {

using ordex_bench::BestTimes;
using ordex_bench::Clock;
using ordex_bench::fileSize;
using ordex_bench::kMB;
using ordex_bench::seconds;

// Targets, as a share of the raw pass: the whole reader, and the tokenizer with the
// top-level reader alone (every object block skipped); the model may hold at most three
// times the file size.
constexpr double kReaderTargetPercent = 25.0;
constexpr double kSkeletonTargetPercent = 40.0;
constexpr double kMemoryTargetPercent = 300.0;

void usage(std::FILE* to) {
  std::fprintf(to,
               "usage: ordex_reader_bench [--size-mb N] [--runs N] [--seed N] [--regenerate]\n"
               "                          [--file PATH] [--first-read-only]\n"
               "  --size-mb N     size of the synthetic file (default 100; 1 MB = 10^6 bytes)\n"
               "  --runs N        timed runs of each pass, the best counts (default 3)\n"
               "  --seed N        generator seed (default 1)\n"
               "  --regenerate    write the synthetic file even when a cached one exists\n"
               "  --file PATH     measure this file instead of a synthetic one\n"
               "  --first-read-only  only the first reads in fresh processes\n");
}

// Resident set size now, in bytes.
double currentRss() {
  std::FILE* f = std::fopen("/proc/self/statm", "r");
  if (!f) return 0;
  long pages = 0, resident = 0;
  int n = std::fscanf(f, "%ld %ld", &pages, &resident);
  std::fclose(f);
  return n == 2 ? static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) : 0;
}

// Peak resident set size of the process so far, in bytes (ru_maxrss is in KiB on Linux).
double peakRss() {
  struct rusage ru;
  getrusage(RUSAGE_SELF, &ru);
  return static_cast<double>(ru.ru_maxrss) * 1024.0;
}

// The baseline: every byte read once through a large buffer, tokens counted at each
// transition from whitespace to anything else.
uint64_t rawPass(const std::string& path) {
  static bool isSpace[256];
  for (unsigned char c : {' ', '\t', '\n', '\r', '\v', '\f'}) isSpace[c] = true;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return 0;
  std::setvbuf(f, nullptr, _IONBF, 0);
  std::vector<unsigned char> buf(1 << 20);
  uint64_t tokens = 0;
  bool inToken = false;
  size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), f)) > 0) {
    for (size_t i = 0; i < n; ++i) {
      bool space = isSpace[buf[i]];
      tokens += !space && !inToken;
      inToken = !space;
    }
  }
  std::fclose(f);
  return tokens;
}

// Object counts through Ordex_GetNumObjects, looked up at run time so that this program
// builds and runs against a library that does not export it yet.
using GetNumObjectsFn = TOrdexReturnCode (*)(TOrdex*, const char*, int, int*);

struct KindInfo {
  int mask;
  const char* keyword;
  uint32_t ordex_bench::GeneratorOptions::*generated;  // null: not a generator count
};
const KindInfo kKinds[] = {
    {etMemorySegment, "MEMORY_SEGMENT", &ordex_bench::GeneratorOptions::memorySegments},
    {etSystemConstant, "SYSTEM_CONSTANT", &ordex_bench::GeneratorOptions::systemConstants},
    {etCharacteristic, "CHARACTERISTIC", &ordex_bench::GeneratorOptions::characteristics},
    {etMeasurement, "MEASUREMENT", &ordex_bench::GeneratorOptions::measurements},
    {etFunction, "FUNCTION", &ordex_bench::GeneratorOptions::functions},
    {etCompuMethod, "COMPU_METHOD", &ordex_bench::GeneratorOptions::compuMethods},
    {etCompuTab, "COMPU_TAB", &ordex_bench::GeneratorOptions::compuTabs},
    {etCompuVTab, "COMPU_VTAB", &ordex_bench::GeneratorOptions::compuVTabs},
    {etRecordLayout, "RECORD_LAYOUT", &ordex_bench::GeneratorOptions::recordLayouts},
    {etAxisPts, "AXIS_PTS", &ordex_bench::GeneratorOptions::axisPts},
};

void printObjects(TOrdex* inst, const ordex_bench::GeneratorOptions* generated) {
  char modules[4096];
  if (Ordex_GetModuleList(inst, modules, sizeof modules, nullptr, nullptr) == rcOk) {
    std::printf("modules    ");
    for (const char* p = modules; *p; p += std::strlen(p) + 1) std::printf(" %s", p);
    std::printf("\n");
  }
  auto getNumObjects =
      reinterpret_cast<GetNumObjectsFn>(dlsym(RTLD_DEFAULT, "Ordex_GetNumObjects"));
  std::printf("objects     %-16s %10s%s\n", "kind", getNumObjects ? "read" : "",
              generated ? "  generated" : "");
  for (const KindInfo& k : kKinds) {
    std::printf("            %-16s", k.keyword);
    int count = 0;
    if (getNumObjects && getNumObjects(inst, nullptr, k.mask, &count) == rcOk) {
      std::printf(" %10d", count);
    } else {
      std::printf(" %10s", getNumObjects ? "error" : "");
    }
    if (generated) std::printf("  %9u", generated->*k.generated);
    std::printf("\n");
  }
  if (!getNumObjects) {
    std::printf("            (the library does not export Ordex_GetNumObjects yet)\n");
  }
}

// One read in a fresh process: this program runs itself again with kFreshReadChild, so the
// read meets a process that has touched no memory of its own yet, as a host tool or `ordex
// info` does. The child first makes the raw pass over the file, then reads it once, and
// reports its figures through a pipe. Times are CPU seconds; faults are minor page faults
// (getrusage); memory is over the child's RSS before the read, in bytes. ok is false when
// the child fails.
constexpr const char* kFreshReadChild = "--fresh-read-child";

struct FreshRead {
  bool ok = false;
  double rawCpu = 0;
  double readCpu = 0;
  double faults = 0;
  double held = 0;
  double peak = 0;
};

double minorFaults() {
  struct rusage ru;
  getrusage(RUSAGE_SELF, &ru);
  return static_cast<double>(ru.ru_minflt);
}

// The child's side: argv holds the file and the read options.
int freshReadChild(const char* path, const char* options, int reportFd) {
  FreshRead r;
  double c0 = ordex_bench::cpuSeconds();
  rawPass(path);
  r.rawCpu = ordex_bench::cpuSeconds() - c0;
  double before = currentRss();
  double faults0 = minorFaults();
  TOrdex* inst = nullptr;
  c0 = ordex_bench::cpuSeconds();
  if (Ordex_CreateInstance(&inst) == rcOk &&
      Ordex_SetReadOptions(inst, static_cast<uint32_t>(std::strtoul(options, nullptr, 10))) ==
          rcOk &&
      Ordex_ReadAsapFile(inst, path, nullptr, nullptr) == rcOk) {
    r.readCpu = ordex_bench::cpuSeconds() - c0;
    r.faults = minorFaults() - faults0;
    r.held = currentRss() - before;
    r.peak = peakRss() - before;
    r.ok = true;
  }
  ssize_t n = write(reportFd, &r, sizeof r);
  return n == sizeof r && r.ok ? 0 : 1;
}

// The parent's side: the best CPU time of `runs` fresh children (memory from the same child).
FreshRead freshRead(const std::string& path, uint32_t readOptions, int runs) {
  FreshRead best;
  for (int i = 0; i < runs; ++i) {
    int fds[2];
    if (pipe(fds) != 0) return {};
    std::string options = std::to_string(readOptions);
    std::string fd = std::to_string(fds[1]);
    pid_t pid = fork();
    if (pid == 0) {
      close(fds[0]);
      char* args[] = {const_cast<char*>("/proc/self/exe"), const_cast<char*>(kFreshReadChild),
                      const_cast<char*>(path.c_str()),     const_cast<char*>(options.c_str()),
                      const_cast<char*>(fd.c_str()),       nullptr};
      execv("/proc/self/exe", args);
      _exit(127);
    }
    close(fds[1]);
    FreshRead r;
    if (pid < 0 || read(fds[0], &r, sizeof r) != sizeof r) r = {};
    close(fds[0]);
    int status = 0;
    if (pid > 0) waitpid(pid, &status, 0);
    if (!r.ok) return {};
    if (!best.ok || r.readCpu < best.readCpu) best = r;
  }
  return best;
}

void printFreshRead(const char* label, const FreshRead& r, double mb, double size,
                    double peakTargetPercent) {
  if (!r.ok) {
    std::printf("            %s: the child failed\n", label);
    return;
  }
  double share = 100.0 * r.rawCpu / r.readCpu;
  std::printf("            %s: %.3f s CPU %8.1f MB/s, %.1f %% of the raw pass in the same child\n",
              label, r.readCpu, mb / r.readCpu, share);
  std::printf(
      "              %.0f minor page faults, holds %.1f %%, peak %.1f %% of the file "
      "(target <= %.0f %%: %s)\n",
      r.faults, 100.0 * r.held / size, 100.0 * r.peak / size, peakTargetPercent,
      100.0 * r.peak / size <= peakTargetPercent ? "met" : "NOT met");
}

}  // namespace

// The same file with every object block renamed to a kind the reader does not know (same
// size, same tokens but for one letter), so that the reader skips them: what remains is
// the tokenizer, the include handling and the top-level reader. It is written into the
// benchmark cache folder, never beside the file measured (which may be a shared corpus).
std::string skeletonFile(const std::string& path) {
  std::string folder = ordex_bench::cacheFolder();
  mkdir(folder.c_str(), 0755);
  // A file of the cache folder keeps its name; any other is named by its whole path.
  std::string name =
      path.compare(0, folder.size() + 1, folder + "/") == 0 ? path.substr(folder.size() + 1) : path;
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  if (!name.empty() && name[0] == '.') name.insert(0, "_");
  std::string out = folder + "/" + name + ".skeleton";
  struct stat a, b;
  if (stat(out.c_str(), &b) == 0 && stat(path.c_str(), &a) == 0 && b.st_mtime >= a.st_mtime &&
      b.st_size == a.st_size) {
    return out;
  }
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (!in) return std::string();
  std::string text;
  char buf[1 << 16];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, in)) > 0;) text.append(buf, n);
  std::fclose(in);
  static const char* const kKinds[] = {
      "CHARACTERISTIC", "MEASUREMENT",   "AXIS_PTS", "COMPU_METHOD", "COMPU_TAB",     "COMPU_VTAB",
      "FUNCTION",       "RECORD_LAYOUT", "MOD_PAR",  "MOD_COMMON",   "VARIANT_CODING"};
  for (const char* kind : kKinds) {
    for (const char* opener : {"/begin ", "/end "}) {
      std::string from = std::string(opener) + kind;
      std::string to = from;
      to.back() = static_cast<char>(to.back() | 0x20);
      for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1)) {
        char after = at + from.size() < text.size() ? text[at + from.size()] : ' ';
        if (after == ' ' || after == '\n' || after == '\r' || after == '\t') {
          text.replace(at, from.size(), to);
        }
      }
    }
  }
  std::FILE* o = std::fopen(out.c_str(), "wb");
  if (!o) return std::string();
  std::fwrite(text.data(), 1, text.size(), o);
  std::fclose(o);
  return out;
}

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], kFreshReadChild) == 0) {
    return freshReadChild(argv[2], argv[3], std::atoi(argv[4]));
  }
  ordex_bench::FileBenchArgs args;
  bool firstReadOnly = false;
  if (!ordex_bench::parseFileBenchArgs(argc, argv, &args, usage, "--first-read-only",
                                       &firstReadOnly)) {
    usage(stderr);
    return 2;
  }

  ordex_bench::GeneratorOptions options;
  const ordex_bench::GeneratorOptions* generated = nullptr;
  std::string path = args.file;
  bool reused = false;
  if (path.empty()) {
    options = ordex_bench::optionsForSize(static_cast<uint64_t>(args.sizeMb * kMB));
    options.seed = args.seed;
    generated = &options;
    if (!ordex_bench::syntheticFile(args, options, &path, &reused)) return 1;
  }
  int64_t size = fileSize(path);
  if (size <= 0) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return 1;
  }
  double mb = static_cast<double>(size) / kMB;
  std::printf("file        %s\n            %.1f MB (%lld bytes)%s\n", path.c_str(), mb,
              static_cast<long long>(size), reused ? ", reused from the cache" : "");

  // One untimed raw pass brings the file into the page cache. Then each round times the raw
  // pass, the reader and the skeleton reader one after the other, so that all three see the
  // machine in the same state; the best of each counts.
  uint64_t tokens = rawPass(path);
  std::string skeleton = skeletonFile(path);
  // The first read in fresh processes, before this process has allocated much: with the
  // text kept and without it, the best of the runs.
  const FreshRead kept = freshRead(path, 0, args.runs);
  const FreshRead plain = freshRead(path, ORDEX_READ_WITHOUT_SOURCE, args.runs);
  std::printf("first read  in a fresh process, best of %d by CPU time:\n", args.runs);
  printFreshRead("source text kept", kept, mb, static_cast<double>(size), 300.0);
  printFreshRead("without the source text", plain, mb, static_cast<double>(size), 200.0);
  if (firstReadOnly) return kept.ok && plain.ok ? 0 : 1;
  double baselineRss = currentRss();
  double modelRss = 0;
  BestTimes raw, reader, plainReader, skeletonReader;
  double destroyTime = 0;
  double firstRead = 0;
  for (int i = 0; i < args.runs; ++i) {
    raw.run([&] { tokens = rawPass(path); });
    TOrdex* inst = nullptr;
    if (Ordex_CreateInstance(&inst) != rcOk) {
      std::fprintf(stderr, "Ordex_CreateInstance failed\n");
      return 1;
    }
    TOrdexReturnCode rc = rcOk;
    reader.run([&] {
      double c0 = ordex_bench::cpuSeconds();
      rc = Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr);
      if (i == 0) firstRead = ordex_bench::cpuSeconds() - c0;
    });
    if (rc != rcOk) {
      char report[1024];
      Ordex_GetReadAsapFileError(inst, report, sizeof report);
      std::fprintf(stderr, "Ordex_ReadAsapFile returned %d: %s\n", static_cast<int>(rc), report);
      Ordex_DestroyInstance(inst);
      return 1;
    }
    if (i == 0) {
      modelRss = currentRss() - baselineRss;
      printObjects(inst, generated);
    }
    auto t1 = Clock::now();
    Ordex_DestroyInstance(inst);
    destroyTime = seconds(t1, Clock::now());
    Ordex_CreateInstance(&inst);
    Ordex_SetReadOptions(inst, ORDEX_READ_WITHOUT_SOURCE);
    plainReader.run([&] { Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr); });
    Ordex_DestroyInstance(inst);
    if (!skeleton.empty()) {
      Ordex_CreateInstance(&inst);
      skeletonReader.run([&] { Ordex_ReadAsapFile(inst, skeleton.c_str(), nullptr, nullptr); });
      Ordex_DestroyInstance(inst);
    }
  }
  double peak = peakRss();
  std::printf("raw pass    best of %d: %.3f s wall %8.1f MB/s, %.3f s CPU %8.1f MB/s\n", args.runs,
              raw.wall, mb / raw.wall, raw.cpu, mb / raw.cpu);
  std::printf("            %llu whitespace-separated tokens\n",
              static_cast<unsigned long long>(tokens));

  double skeletonRatio = 100.0 * raw.cpu / skeletonReader.cpu;
  std::printf(
      "skeleton    best of %d: %.3f s CPU %8.1f MB/s, %.1f %% of the raw pass "
      "(object blocks skipped; target >= %.0f %%: %s)\n",
      args.runs, skeletonReader.cpu, mb / skeletonReader.cpu, skeletonRatio, kSkeletonTargetPercent,
      skeletonRatio >= kSkeletonTargetPercent ? "met" : "NOT met");

  double ratio = 100.0 * raw.cpu / reader.cpu;
  std::printf("reader      best of %d: %.3f s wall %8.1f MB/s, %.3f s CPU %8.1f MB/s\n", args.runs,
              reader.wall, mb / reader.wall, reader.cpu, mb / reader.cpu);
  std::printf("            the first read took %.3f s CPU (memory new to the process)\n",
              firstRead);
  std::printf(
      "            without the source text: best of %d %.3f s CPU %8.1f MB/s; keeping "
      "the text costs %+.1f %%\n",
      args.runs, plainReader.cpu, mb / plainReader.cpu,
      100.0 * (reader.cpu - plainReader.cpu) / plainReader.cpu);
  std::printf("            destroying the instance took %.3f s\n", destroyTime);
  std::printf(
      "ratio       reader / raw pass = %.1f %% by CPU time, %.1f %% by wall time"
      "  (target >= %.0f %%: %s)\n",
      ratio, 100.0 * raw.wall / reader.wall, kReaderTargetPercent,
      ratio >= kReaderTargetPercent ? "met" : "NOT met");
  std::printf(
      "memory      baseline RSS %.1f MB; the model of one read holds %+.1f MB "
      "(%.1f %% of the file size)\n",
      baselineRss / kMB, modelRss / kMB, 100.0 * modelRss / static_cast<double>(size));
  std::printf(
      "            peak RSS %.1f MB (ru_maxrss), %+.1f MB over the baseline "
      "(%.1f %% of the file size; target <= %.0f %%: %s)\n",
      peak / kMB, (peak - baselineRss) / kMB,
      100.0 * (peak - baselineRss) / static_cast<double>(size), kMemoryTargetPercent,
      100.0 * (peak - baselineRss) / static_cast<double>(size) <= kMemoryTargetPercent ? "met"
                                                                                       : "NOT met");
  return 0;
}
