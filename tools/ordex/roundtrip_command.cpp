#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "commands.h"
#include "snapshot/round_trip.h"

namespace ordex_tool {

int roundtrip(const Arguments& args) {
  const char* file = args.positional()[0];
  const char* tmp = getenv("TMPDIR");
  std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/ordex-roundtrip-XXXXXX";
  if (!mkdtemp(&folder[0])) {
    std::perror("ordex roundtrip: cannot make a temporary folder");
    return kExitFailure;
  }
  ordex_test::RoundTripReport report = ordex_test::roundTrip(file, folder);
  std::remove((folder + "/first_write.a2l").c_str());
  std::remove((folder + "/second_write.a2l").c_str());
  rmdir(folder.c_str());
  std::fputs(report.describe().c_str(), report.ok() ? stdout : stderr);
  return report.ok() ? kExitOk : kExitFailure;
}

}  // namespace ordex_tool
