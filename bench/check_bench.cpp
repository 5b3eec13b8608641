// ordex_check_bench: time of the consistency check and of one referrer query, per object, on
// the synthetic file and on one a tenth of its size, measured in the same run:
//
//   ordex_check_bench                 the 100 MB synthetic file and a 10 MB one, best of 3
//   ordex_check_bench --size-mb 20    a quick run (20 MB against 2 MB)
//
// Both files are the reader benchmark's synthetic files (cached, see bench_support.h). Each
// is read once; then, best of --runs:
//   check          Ordex_CheckConsistency over every module, notes included;
//   check, no notes  the same from warnings up;
//   refs           Ordex_GetReferrers of the most used COMPU_METHOD name (one walk over every
//                  reference of the module).
// Every pass starts with the caches flushed. Figures are nanoseconds of CPU time per object
// (every object of the module, all kinds); linear work gives the same figure for both sizes,
// so the last column (large / small per object) should stay near 1. The check resolves
// several names per object at random places of the model: once the large model's name
// tables and texts no longer fit in the caches its time per object rises although its work
// per object does not; instruction counts (valgrind --tool=callgrind
// --toggle-collect=Ordex_CheckConsistency) tell the two apart.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "a2l_generator.h"
#include "bench_support.h"
#include "ordex.h"

namespace {

using ordex_bench::BestTimes;
using ordex_bench::kMB;

void usage(std::FILE* to) {
  std::fprintf(to,
               "usage: ordex_check_bench [--size-mb N] [--runs N] [--seed N] [--regenerate]\n"
               "  --size-mb N     size of the larger synthetic file (default 100; the smaller\n"
               "                  one is a tenth of it)\n"
               "  --runs N        timed runs of each pass, the best counts (default 3)\n"
               "  --seed N        generator seed (default 1)\n"
               "  --regenerate    write the synthetic files even when cached ones exist\n");
}

// Writes a buffer larger than the last-level cache before every timed pass, so that the
// small model does not run from cache while the large one cannot.
void evictCaches() {
  static std::vector<char> buffer(128u << 20);
  for (size_t i = 0; i < buffer.size(); i += 64) buffer[i] = static_cast<char>(buffer[i] + 1);
}

struct Counts {
  long findings = 0;
  long referrers = 0;
};

int countFinding(const TCheckFinding*, void* context) {
  ++static_cast<Counts*>(context)->findings;
  return 0;
}

int countReferrer(const TReferrer*, void* context) {
  ++static_cast<Counts*>(context)->referrers;
  return 0;
}

int countCompuMethodUses(const TReferrer* r, void* context) {
  if (r->TargetKinds & etCompuMethod) ++*static_cast<long*>(context);
  return 0;
}

struct Figures {
  double megabytes = 0;
  int objects = 0;
  long findings = 0;
  long referrers = 0;
  std::string queried;
  double checkNs = 0;  // per object, CPU time
  double checkNoNotesNs = 0;
  double refsNs = 0;
};

// The COMPU_METHOD that most references name: the query that returns the most.
std::string mostUsedCompuMethod(TOrdex* inst) {
  std::string best;
  long bestUses = -1;
  char name[ORDEX_TEXT_SIZE] = "";
  std::vector<std::string> names;
  while (Ordex_GetNextCompuMethodName(inst, nullptr, name, nullptr) == rcOk && *name) {
    names.emplace_back(name);
  }
  // Sampling a few keeps this cheap; the generator spreads uses evenly anyway.
  for (size_t i = 0; i < names.size() && i < 8; ++i) {
    long uses = 0;
    Ordex_GetReferrers(inst, nullptr, names[i].c_str(), countCompuMethodUses, &uses);
    if (uses > bestUses) best = names[i], bestUses = uses;
  }
  return best;
}

bool measure(const ordex_bench::FileBenchArgs& args, Figures* f) {
  std::string path;
  const ordex_bench::GeneratorOptions options =
      ordex_bench::optionsForSize(static_cast<uint64_t>(args.sizeMb * kMB));
  if (!ordex_bench::syntheticFile(args, options, &path)) return false;
  f->megabytes = static_cast<double>(ordex_bench::fileSize(path)) / kMB;
  TOrdex* inst = nullptr;
  Ordex_CreateInstance(&inst);
  TOrdexReturnCode rc = Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr);
  if (rc != rcOk) {
    std::fprintf(stderr, "reading %s failed: %d\n", path.c_str(), rc);
    Ordex_DestroyInstance(inst);
    return false;
  }
  const int everyKind = etMemorySegment | etCharacteristic | etMeasurement | etFunction |
                        etCompuMethod | etCompuTab | etCompuVTab | etRecordLayout | etAxisPts;
  Ordex_GetNumObjects(inst, nullptr, everyKind, &f->objects);
  f->queried = mostUsedCompuMethod(inst);

  BestTimes check, checkNoNotes, refs;
  for (int run = 0; run < args.runs; ++run) {
    Counts c;
    evictCaches();
    check.run([&] { Ordex_CheckConsistency(inst, nullptr, fsNote, countFinding, &c); });
    f->findings = c.findings;
    evictCaches();
    checkNoNotes.run([&] { Ordex_CheckConsistency(inst, nullptr, fsWarning, countFinding, &c); });
    Counts r;
    evictCaches();
    refs.run([&] { Ordex_GetReferrers(inst, nullptr, f->queried.c_str(), countReferrer, &r); });
    f->referrers = r.referrers;
  }
  const double perObject = 1e9 / (f->objects > 0 ? f->objects : 1);
  f->checkNs = check.cpu * perObject;
  f->checkNoNotesNs = checkNoNotes.cpu * perObject;
  f->refsNs = refs.cpu * perObject;
  Ordex_DestroyInstance(inst);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  ordex_bench::FileBenchArgs args;
  if (!ordex_bench::parseFileBenchArgs(argc, argv, &args, usage)) {
    usage(stderr);
    return 2;
  }
  if (!args.file.empty()) {
    std::fprintf(stderr, "ordex_check_bench measures synthetic files only\n");
    return 2;
  }
  ordex_bench::FileBenchArgs smallArgs = args;
  smallArgs.sizeMb = args.sizeMb / 10;
  Figures small, large;
  if (!measure(smallArgs, &small) || !measure(args, &large)) return 1;

  std::printf("%-22s %14s %14s %12s\n", "ns per object (CPU)", "small", "large", "large/small");
  std::printf("%-22s %14.1f %14.1f\n", "file MB", small.megabytes, large.megabytes);
  std::printf("%-22s %14d %14d %12.2f\n", "objects", small.objects, large.objects,
              static_cast<double>(large.objects) / small.objects);
  const struct {
    const char* label;
    double a, b;
  } rows[] = {
      {"check with notes", small.checkNs, large.checkNs},
      {"check without notes", small.checkNoNotesNs, large.checkNoNotesNs},
      {"refs, one name", small.refsNs, large.refsNs},
  };
  for (const auto& row : rows) {
    std::printf("%-22s %14.1f %14.1f %12.2f\n", row.label, row.a, row.b, row.b / row.a);
  }
  std::printf("findings (with notes): %ld and %ld; referrers of %s: %ld, of %s: %ld\n",
              small.findings, large.findings, small.queried.c_str(), small.referrers,
              large.queried.c_str(), large.referrers);
  std::printf("whole check of the large file: %.0f ms; one refs query: %.1f ms\n",
              large.checkNs * large.objects / 1e6, large.refsNs * large.objects / 1e6);
  return 0;
}
