// Getting every object of a kind by name, and walking a kind with the next-name enumerator,
// on modules of 10 000 and 100 000 compu methods. Both must cost O(1) per object, so the
// larger module takes about ten times as long as the smaller one, not a hundred.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "generator/a2l_generator.h"
#include "ordex.h"

namespace {

double seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

struct Figures {
  double getAll = 0;    // Ordex_GetCompuMethod for every name
  double getAllCi = 0;  // the same with case-insensitive names
  double walk = 0;      // Ordex_GetNextCompuMethodName over the whole list
};

Figures measure(uint32_t count, const std::string& dir) {
  ordex_bench::GeneratorOptions o;
  o.compuMethods = count;
  o.measurements = 10;
  o.characteristics = 10;
  o.axisPts = 2;
  o.functions = 2;
  std::string path = dir + "/getter-bench-" + std::to_string(count) + ".a2l";
  std::string error;
  if (!ordex_bench::generateA2lFile(o, path, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    std::exit(1);
  }
  TOrdex* inst = nullptr;
  Ordex_CreateInstance(&inst);
  if (Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr) != rcOk) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    std::exit(1);
  }
  std::vector<std::string> names;
  char name[256] = "";
  while (Ordex_GetNextCompuMethodName(inst, nullptr, name, nullptr) == rcOk && *name) {
    names.emplace_back(name);
  }
  Figures f;
  static TCompuMethod record;
  // Best of five runs, the first of which also builds the name index the lookups use.
  auto best = [](auto run) {
    double t = 1e9;
    for (int i = 0; i < 5; ++i) t = std::min(t, run());
    return t;
  };
  auto getAll = [&] {
    auto start = std::chrono::steady_clock::now();
    for (const std::string& n : names) {
      std::memcpy(record.Name, n.c_str(), n.size() + 1);
      if (Ordex_GetCompuMethod(inst, nullptr, &record, 0) != rcOk) std::exit(1);
    }
    return seconds(start);
  };
  f.getAll = best(getAll);
  Ordex_ConfigureStringComparison(1);
  f.getAllCi = best(getAll);
  Ordex_ConfigureStringComparison(0);
  f.walk = best([&] {
    auto start = std::chrono::steady_clock::now();
    name[0] = '\0';
    size_t walked = 0;
    while (Ordex_GetNextCompuMethodName(inst, nullptr, name, nullptr) == rcOk && *name) ++walked;
    if (walked != names.size()) std::exit(1);
    return seconds(start);
  });
  Ordex_DestroyInstance(inst);
  std::remove(path.c_str());
  std::printf(
      "%7u compu methods: get each by name %8.2f ms (%6.0f ns/call), ignoring case "
      "%8.2f ms, enumerate %7.2f ms\n",
      count, f.getAll * 1e3, f.getAll * 1e9 / count, f.getAllCi * 1e3, f.walk * 1e3);
  return f;
}

}  // namespace

int main() {
  const char* tmp = std::getenv("TMPDIR");
  std::string dir = tmp && *tmp ? tmp : "/tmp";
  Figures small = measure(10000, dir);
  Figures large = measure(100000, dir);
  std::printf(
      "ratio 100 000 / 10 000: get %.1f, get ignoring case %.1f, enumerate %.1f "
      "(linear: about 10)\n",
      large.getAll / small.getAll, large.getAllCi / small.getAllCi, large.walk / small.walk);
  return 0;
}
