// Synthetic A2L files for benchmarks and tests.
//
// The generator writes one PROJECT with one MODULE holding MOD_COMMON, MOD_PAR (memory
// segments, system constants), a module IF_DATA, COMPU_VTAB, COMPU_TAB, COMPU_METHOD,
// RECORD_LAYOUT, MEASUREMENT, AXIS_PTS, CHARACTERISTIC, FUNCTION and GROUP blocks, with
// comments of both kinds and quoted strings with blanks. Names are unique per kind (and
// across kinds), and every reference names an object that the file defines.
//
// Output is deterministic: the same options give the same bytes on every run and
// platform. Each object draws its content from a random stream seeded by (seed, kind,
// index), so changing the count of one kind leaves the text of the other kinds' objects
// unchanged, apart from the names they refer to.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace ordex_bench {

// Bumped whenever the output for given options changes, so cached files are not reused.
constexpr int kGeneratorVersion = 1;

struct GeneratorOptions {
  uint64_t seed = 1;

  // Exact number of blocks of each kind.
  uint32_t compuVTabs = 30;
  uint32_t compuTabs = 10;
  uint32_t compuMethods = 150;
  uint32_t recordLayouts = 40;
  uint32_t measurements = 1200;
  uint32_t axisPts = 50;
  uint32_t characteristics = 1000;
  uint32_t functions = 50;
  uint32_t groups = 10;  // GROUP blocks, a kind the reader skips
  uint32_t memorySegments = 4;
  uint32_t systemConstants = 8;

  // Names in each name list of every FUNCTION; 0 leaves that sub-block out. A list never
  // holds more names than its target kind has objects.
  uint32_t defCharacteristicsPerFunction = 8;
  uint32_t refCharacteristicsPerFunction = 4;
  uint32_t inMeasurementsPerFunction = 8;
  uint32_t outMeasurementsPerFunction = 4;
  uint32_t locMeasurementsPerFunction = 2;
  // Sub-functions form a tree (function i lists i*n+1 .. i*n+n), so no function is its own
  // descendant and each has at most one parent.
  uint32_t subFunctionsPerFunction = 1;

  // Share, in percent, of the CHARACTERISTIC, MEASUREMENT and AXIS_PTS blocks that carry
  // the optional part. FUNCTION_LIST names one or two functions.
  uint32_t annotationPercent = 10;
  uint32_t ifDataPercent = 30;
  uint32_t functionListPercent = 20;
  // Share of blocks (all kinds) with a comment inside.
  uint32_t commentPercent = 5;
  // IF_DATA blocks per hundred CHARACTERISTIC and MEASUREMENT blocks on top of the ones
  // above, each with two nested blocks, as real ECU exports carry them (150: one or two on
  // every object). They come from random streams of their own: 0 leaves the file as it was.
  uint32_t nestedIfDataPerHundred = 0;
};

// Receives the text in pieces, in order.
using A2lSink = std::function<void(const char* data, size_t size)>;

// Empty when the options can be generated; otherwise why not (for example characteristics
// without any record layout to name).
std::string checkOptions(const GeneratorOptions& options);

// Writes the file to the sink; returns the number of bytes. The options must pass
// checkOptions.
uint64_t generateA2l(const GeneratorOptions& options, const A2lSink& sink);

// The whole file as a string.
std::string generateA2lText(const GeneratorOptions& options);

// Writes the file; false with a message in *error when the options are refused or the file
// cannot be written.
bool generateA2lFile(const GeneratorOptions& options, const std::string& path, std::string* error,
                     uint64_t* bytesWritten = nullptr);

// The counts of `mix` scaled by one factor so that the file comes out close to targetBytes
// (within about 1% from a few hundred kilobytes up). Record layouts, memory segments and
// system constants keep the counts of `mix`; list lengths and shares are kept as well.
GeneratorOptions optionsForSize(uint64_t targetBytes, const GeneratorOptions& mix = {});

}  // namespace ordex_bench
