#include "bench_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace ordex_bench {

double seconds(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

double cpuSeconds() {
  timespec ts;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

int64_t fileSize(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return -1;
  return static_cast<int64_t>(st.st_size);
}

std::string cacheFolder() {
  const char* dir = std::getenv("ORDEX_BENCH_CACHE");
  if (dir && *dir) return dir;
  dir = std::getenv("TMPDIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/ordex-bench";
}

bool parseFileBenchArgs(int argc, char** argv, FileBenchArgs* args, void (*usage)(std::FILE*),
                        const char* extraFlag, bool* extraValue) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    const char* v = i + 1 < argc ? argv[i + 1] : nullptr;
    char* end = nullptr;
    if (a == "--help" || a == "-h") {
      usage(stdout);
      std::exit(0);
    } else if (a == "--regenerate") {
      args->regenerate = true;
    } else if (extraFlag && a == extraFlag) {
      *extraValue = true;
    } else if (a == "--size-mb" && v) {
      args->sizeMb = std::strtod(v, &end);
      if (*end != '\0' || !(args->sizeMb > 0)) return false;
      ++i;
    } else if (a == "--runs" && v) {
      args->runs = static_cast<int>(std::strtol(v, &end, 10));
      if (*end != '\0' || args->runs < 1) return false;
      ++i;
    } else if (a == "--seed" && v) {
      args->seed = std::strtoull(v, &end, 10);
      if (*end != '\0') return false;
      ++i;
    } else if (a == "--file" && v) {
      args->file = v;
      ++i;
    } else {
      return false;
    }
  }
  return true;
}

bool syntheticFile(const FileBenchArgs& args, const GeneratorOptions& options, std::string* path,
                   bool* reused) {
  std::string folder = cacheFolder();
  if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
    std::fprintf(stderr, "cannot create %s: %s\n", folder.c_str(), std::strerror(errno));
    return false;
  }
  char name[160];
  std::snprintf(name, sizeof name, "/synthetic-%.0f-s%llu-g%d.a2l", args.sizeMb * kMB,
                static_cast<unsigned long long>(args.seed), kGeneratorVersion);
  *path = folder + name;
  const bool cached = !args.regenerate && fileSize(*path) > 0;
  if (reused) *reused = cached;
  if (cached) return true;
  std::string tmp = *path + ".tmp" + std::to_string(getpid());
  std::string error;
  auto t0 = Clock::now();
  if (!generateA2lFile(options, tmp, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    std::remove(tmp.c_str());
    return false;
  }
  if (std::rename(tmp.c_str(), path->c_str()) != 0) {
    std::fprintf(stderr, "cannot rename %s: %s\n", tmp.c_str(), std::strerror(errno));
    std::remove(tmp.c_str());
    return false;
  }
  std::printf("generated   %s in %.2f s\n", path->c_str(), seconds(t0, Clock::now()));
  return true;
}

}  // namespace ordex_bench
