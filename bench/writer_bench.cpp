// ordex_writer_bench: speed of Ordex_WriteAsapFile against a plain fwrite of the same
// number of bytes, measured in the same run.
//
//   ordex_writer_bench                 the model of the 100 MB synthetic file, best of 3
//   ordex_writer_bench --size-mb 10    a quick run
//   ordex_writer_bench --file x.a2l    the model of any file
//
// The synthetic file is the reader benchmark's (cached, see bench_support.h) and is
// generated when missing. The file is read once; then the writer writes the model to a file
// in the same folder, and the baseline writes the bytes the writer produced, held in
// memory, to a file of the same name with fwrite in pieces of 1 MiB, once as it is and once
// followed by fsync. The writer replaces the file that the previous pass left (it writes a
// temporary file, forces it to the disk and renames it over the old one); the baselines
// start by deleting it and end by closing their file. The fsync baseline tells what forcing
// the bytes to the disk costs, which the writer pays too. Each pass is timed by the wall clock and
// by the process's CPU time (which includes the kernel's copying into the page cache); the ratio is
// taken from CPU time, which other programs disturb far less.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "a2l_generator.h"
#include "bench_support.h"
#include "ordex.h"

namespace {

using ordex_bench::BestTimes;
using ordex_bench::cacheFolder;
using ordex_bench::Clock;
using ordex_bench::fileSize;
using ordex_bench::kMB;
using ordex_bench::seconds;

constexpr double kWriterTargetPercent = 30.0;

void usage(std::FILE* to) {
  std::fprintf(to,
               "usage: ordex_writer_bench [--size-mb N] [--runs N] [--seed N] [--regenerate]\n"
               "                          [--file PATH] [--keep]\n"
               "  --size-mb N     size of the synthetic file (default 100; 1 MB = 10^6 bytes)\n"
               "  --runs N        timed runs of each pass, the best counts (default 3)\n"
               "  --seed N        generator seed (default 1)\n"
               "  --regenerate    write the synthetic file even when a cached one exists\n"
               "  --file PATH     write the model of this file instead of a synthetic one\n"
               "  --keep          leave the written file in place\n");
}

bool readWhole(const std::string& path, std::vector<char>* bytes) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  int64_t size = fileSize(path);
  bytes->resize(size > 0 ? static_cast<size_t>(size) : 0);
  size_t n = bytes->empty() ? 0 : std::fread(bytes->data(), 1, bytes->size(), f);
  std::fclose(f);
  return n == bytes->size();
}

// The baseline: the bytes written with fwrite in pieces of 1 MiB to a fresh file, and with
// sync forced to the disk before the file is closed.
void fwritePass(const std::string& path, const std::vector<char>& bytes, bool sync) {
  std::remove(path.c_str());
  std::FILE* f = std::fopen(path.c_str(), "w");
  if (!f) return;
  constexpr size_t kPiece = size_t{1} << 20;
  for (size_t at = 0; at < bytes.size(); at += kPiece) {
    std::fwrite(bytes.data() + at, 1, std::min(kPiece, bytes.size() - at), f);
  }
  if (sync) {
    std::fflush(f);
    fsync(fileno(f));
  }
  std::fclose(f);
}

}  // namespace

int main(int argc, char** argv) {
  ordex_bench::FileBenchArgs args;
  bool keep = false;
  if (!ordex_bench::parseFileBenchArgs(argc, argv, &args, usage, "--keep", &keep)) {
    usage(stderr);
    return 2;
  }
  std::string input = args.file;
  if (input.empty()) {
    ordex_bench::GeneratorOptions options =
        ordex_bench::optionsForSize(static_cast<uint64_t>(args.sizeMb * kMB));
    options.seed = args.seed;
    if (!ordex_bench::syntheticFile(args, options, &input)) return 1;
  }
  int64_t inputSize = fileSize(input);
  if (inputSize <= 0) {
    std::fprintf(stderr, "cannot read %s\n", input.c_str());
    return 1;
  }
  std::printf("model of    %s (%.1f MB)\n", input.c_str(), static_cast<double>(inputSize) / kMB);

  TOrdex* inst = nullptr;
  if (Ordex_CreateInstance(&inst) != rcOk) return 1;
  auto t0 = Clock::now();
  TOrdexReturnCode rc = Ordex_ReadAsapFile(inst, input.c_str(), nullptr, nullptr);
  if (rc != rcOk) {
    char report[1024];
    Ordex_GetReadAsapFileError(inst, report, sizeof report);
    std::fprintf(stderr, "Ordex_ReadAsapFile returned %d: %s\n", static_cast<int>(rc), report);
    return 1;
  }
  std::printf("read        %.3f s\n", seconds(t0, Clock::now()));

  const std::string output = cacheFolder() + "/writer-bench-" + std::to_string(getpid()) + ".a2l";
  BestTimes writer;
  for (int i = 0; i < args.runs; ++i) {
    writer.run([&] {
      rc = Ordex_WriteAsapFile(inst, output.c_str(), nullptr, nullptr, "ordex_writer_bench",
                               nullptr, nullptr);
    });
    if (rc != rcOk) {
      std::fprintf(stderr, "Ordex_WriteAsapFile returned %d\n", static_cast<int>(rc));
      return 1;
    }
  }
  std::vector<char> written;
  if (!readWhole(output, &written)) {
    std::fprintf(stderr, "cannot read back %s\n", output.c_str());
    return 1;
  }
  const double mb = static_cast<double>(written.size()) / kMB;

  BestTimes plain;
  BestTimes synced;
  for (int i = 0; i < args.runs; ++i) {
    plain.run([&] { fwritePass(output, written, false); });
    synced.run([&] { fwritePass(output, written, true); });
  }
  if (!keep) std::remove(output.c_str());
  Ordex_DestroyInstance(inst);

  std::printf("written     %.1f MB (%zu bytes)%s\n", mb, written.size(),
              keep ? (", kept as " + output).c_str() : "");
  std::printf("fwrite      best of %d: %.3f s wall %8.1f MB/s, %.3f s CPU %8.1f MB/s\n", args.runs,
              plain.wall, mb / plain.wall, plain.cpu, mb / plain.cpu);
  std::printf(
      "fwrite+sync best of %d: %.3f s wall %8.1f MB/s, %.3f s CPU %8.1f MB/s"
      "  (fsync adds %.3f s wall, %.0f %%)\n",
      args.runs, synced.wall, mb / synced.wall, synced.cpu, mb / synced.cpu,
      synced.wall - plain.wall, 100.0 * (synced.wall - plain.wall) / plain.wall);
  std::printf("writer      best of %d: %.3f s wall %8.1f MB/s, %.3f s CPU %8.1f MB/s\n", args.runs,
              writer.wall, mb / writer.wall, writer.cpu, mb / writer.cpu);
  const double ratio = 100.0 * plain.cpu / writer.cpu;
  std::printf(
      "ratio       writer / fwrite = %.1f %% by CPU time, %.1f %% by wall time"
      "  (target >= %.0f %%: %s)\n",
      ratio, 100.0 * plain.wall / writer.wall, kWriterTargetPercent,
      ratio >= kWriterTargetPercent ? "met" : "NOT met");
  std::printf("ratio       writer / (fwrite+sync) = %.1f %% by CPU time, %.1f %% by wall time\n",
              100.0 * synced.cpu / writer.cpu, 100.0 * synced.wall / writer.wall);
  return 0;
}
