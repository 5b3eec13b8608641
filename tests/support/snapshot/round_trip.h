// The round trip of a file through the library: read it, write it, read the written file
// and write that again. Uses only the public C interface.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ordex.h"

namespace ordex_test {

struct RoundTripReport {
  TOrdexReturnCode firstRead = rcOk;
  TOrdexReturnCode firstWrite = rcOk;
  TOrdexReturnCode secondRead = rcOk;
  TOrdexReturnCode secondWrite = rcOk;
  std::string secondReadError;  // the error report when the written file does not read
  uint64_t writtenBytes = 0;
  // Where the two written files part, empty when they are byte for byte the same.
  std::string writtenFilesDiffer;
  // Fields of the getter records that the second read answers differently, beyond what the
  // writer documents as not written (see writtenContentOnly).
  std::vector<std::string> differences;
  size_t fieldsCompared = 0;
  // Axes whose DEPOSIT equals the module's: the writer leaves it out as a default, so the
  // second read has the same deposit but AxisPointsMode -1 instead of 0. Not counted among
  // the differences.
  size_t defaultDepositsLeftOut = 0;

  bool ok() const {
    return firstRead == rcOk && firstWrite == rcOk && secondRead == rcOk && secondWrite == rcOk &&
           writtenFilesDiffer.empty() && differences.empty();
  }
  // Several lines saying what went wrong, or that nothing did.
  std::string describe() const;
};

// Runs the round trip of file, writing the two files into workDir (which must exist).
RoundTripReport roundTrip(const std::string& file, const std::string& workDir);

}  // namespace ordex_test
