// ordex_gen: writes a deterministic synthetic A2L file.
//
//   ordex_gen --size-mb 100 --out big.a2l
//   ordex_gen --characteristics 100000 --measurements 100000 --functions 10000
//             --def-characteristics 20 --out refs.a2l     (one command line)

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "a2l_generator.h"

namespace {

using ordex_bench::GeneratorOptions;

struct CountOption {
  const char* flag;
  uint32_t GeneratorOptions::*field;
  const char* help;
};

const CountOption kCountOptions[] = {
    {"--characteristics", &GeneratorOptions::characteristics, "CHARACTERISTIC blocks"},
    {"--measurements", &GeneratorOptions::measurements, "MEASUREMENT blocks"},
    {"--axis-pts", &GeneratorOptions::axisPts, "AXIS_PTS blocks"},
    {"--compu-methods", &GeneratorOptions::compuMethods, "COMPU_METHOD blocks"},
    {"--compu-tabs", &GeneratorOptions::compuTabs, "COMPU_TAB blocks"},
    {"--compu-vtabs", &GeneratorOptions::compuVTabs, "COMPU_VTAB blocks"},
    {"--record-layouts", &GeneratorOptions::recordLayouts, "RECORD_LAYOUT blocks"},
    {"--functions", &GeneratorOptions::functions, "FUNCTION blocks"},
    {"--groups", &GeneratorOptions::groups, "GROUP blocks"},
    {"--memory-segments", &GeneratorOptions::memorySegments, "MEMORY_SEGMENT entries"},
    {"--system-constants", &GeneratorOptions::systemConstants, "SYSTEM_CONSTANT entries"},
    {"--def-characteristics", &GeneratorOptions::defCharacteristicsPerFunction,
     "names in each DEF_CHARACTERISTIC list"},
    {"--ref-characteristics", &GeneratorOptions::refCharacteristicsPerFunction,
     "names in each REF_CHARACTERISTIC list"},
    {"--in-measurements", &GeneratorOptions::inMeasurementsPerFunction,
     "names in each IN_MEASUREMENT list"},
    {"--out-measurements", &GeneratorOptions::outMeasurementsPerFunction,
     "names in each OUT_MEASUREMENT list"},
    {"--loc-measurements", &GeneratorOptions::locMeasurementsPerFunction,
     "names in each LOC_MEASUREMENT list"},
    {"--sub-functions", &GeneratorOptions::subFunctionsPerFunction,
     "names in each SUB_FUNCTION list"},
    {"--annotation-percent", &GeneratorOptions::annotationPercent,
     "share of objects with an ANNOTATION"},
    {"--if-data-percent", &GeneratorOptions::ifDataPercent, "share of objects with IF_DATA"},
    {"--function-list-percent", &GeneratorOptions::functionListPercent,
     "share of objects with a FUNCTION_LIST"},
    {"--comment-percent", &GeneratorOptions::commentPercent, "share of blocks with a comment"},
};

void usage(std::FILE* to) {
  GeneratorOptions defaults;
  std::fprintf(to,
               "usage: ordex_gen --out FILE [--size-mb N | --size-bytes N] [--seed N] "
               "[counts]\n\n"
               "Writes a deterministic synthetic A2L file (FILE '-' is standard output).\n"
               "Without a size the counts are exact; with a size every count is scaled by one\n"
               "factor so that the file reaches about that size (1 MB = 1 000 000 bytes), and\n"
               "the counts given only change the mix.\n\n");
  for (const CountOption& c : kCountOptions) {
    std::fprintf(to, "  %-24s N  %s (default %u)\n", c.flag, c.help, defaults.*c.field);
  }
  std::fprintf(to,
               "  %-24s X  IF_DATA blocks with two nested blocks per CHARACTERISTIC and\n"
               "  %-24s    MEASUREMENT, on top of the others (default 0; 1.5 gives one or two)\n",
               "--if-data-per-object", "");
}

bool parseNumber(const char* text, uint64_t* value) {
  if (!text || !*text) return false;
  errno = 0;
  char* end = nullptr;
  unsigned long long v = std::strtoull(text, &end, 10);
  if (errno != 0 || *end != '\0') return false;
  *value = v;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  GeneratorOptions options;
  std::string out;
  uint64_t sizeBytes = 0;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (!std::strcmp(arg, "--help") || !std::strcmp(arg, "-h")) {
      usage(stdout);
      return 0;
    }
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    uint64_t n = 0;
    if (!std::strcmp(arg, "--out") && value) {
      out = value;
      ++i;
      continue;
    }
    if (!std::strcmp(arg, "--size-mb") && value) {
      char* end = nullptr;
      double mb = std::strtod(value, &end);
      if (*end != '\0' || !(mb > 0)) {
        std::fprintf(stderr, "ordex_gen: bad size '%s'\n", value);
        return 2;
      }
      sizeBytes = static_cast<uint64_t>(mb * 1e6);
      ++i;
      continue;
    }
    if (!std::strcmp(arg, "--size-bytes") && parseNumber(value, &n)) {
      sizeBytes = n;
      ++i;
      continue;
    }
    if (!std::strcmp(arg, "--if-data-per-object") && value) {
      char* end = nullptr;
      double perObject = std::strtod(value, &end);
      if (*end != '\0' || !(perObject >= 0) || perObject > 1000) {
        std::fprintf(stderr, "ordex_gen: bad count '%s'\n", value);
        return 2;
      }
      options.nestedIfDataPerHundred = static_cast<uint32_t>(perObject * 100 + 0.5);
      ++i;
      continue;
    }
    if (!std::strcmp(arg, "--seed") && parseNumber(value, &n)) {
      options.seed = n;
      ++i;
      continue;
    }
    bool known = false;
    for (const CountOption& c : kCountOptions) {
      if (!std::strcmp(arg, c.flag) && parseNumber(value, &n) && n <= UINT32_MAX) {
        options.*c.field = static_cast<uint32_t>(n);
        known = true;
        ++i;
        break;
      }
    }
    if (!known) {
      std::fprintf(stderr, "ordex_gen: bad argument '%s'\n\n", arg);
      usage(stderr);
      return 2;
    }
  }
  if (out.empty()) {
    usage(stderr);
    return 2;
  }
  if (sizeBytes > 0) options = ordex_bench::optionsForSize(sizeBytes, options);
  std::string error = ordex_bench::checkOptions(options);
  if (!error.empty()) {
    std::fprintf(stderr, "ordex_gen: %s\n", error.c_str());
    return 2;
  }

  uint64_t bytes = 0;
  if (out == "-") {
    bytes = ordex_bench::generateA2l(
        options, [](const char* data, size_t size) { std::fwrite(data, 1, size, stdout); });
    if (std::fflush(stdout) != 0) return 1;
  } else if (!ordex_bench::generateA2lFile(options, out, &error, &bytes)) {
    std::fprintf(stderr, "ordex_gen: %s\n", error.c_str());
    return 1;
  }
  std::fprintf(stderr,
               "ordex_gen: %llu bytes: %u CHARACTERISTIC, %u MEASUREMENT, %u AXIS_PTS, "
               "%u COMPU_METHOD, %u COMPU_TAB, %u COMPU_VTAB, %u RECORD_LAYOUT, %u FUNCTION, "
               "%u GROUP\n",
               static_cast<unsigned long long>(bytes), options.characteristics,
               options.measurements, options.axisPts, options.compuMethods, options.compuTabs,
               options.compuVTabs, options.recordLayouts, options.functions, options.groups);
  return 0;
}
