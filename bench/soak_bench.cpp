// ordex_soak: reads, edits, writes and reads back A2L files in rounds, and prints the
// process's resident memory after every round, so that growth over many rounds shows.
//
//   ordex_soak [--rounds N] PATH...    a PATH that is a folder stands for every .a2l below it
//
// Each round takes every file that reads with 0: one edit of each kind (a measurement is
// created, the first characteristic's long identifier is changed, the first COMPU_METHOD is
// removed), the model is written through writeModel() into a temporary folder, and the
// written file is read back, where the edits must be found and the object counts must agree.
// Exit status 1 when any step of any file fails (what failed is printed), 2 for a wrong
// command line. With one round it is the memory-check test of the test suite (under
// valgrind); with 100 rounds over the corpus it is the soak benchmark.
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "ordex.h"

namespace {

namespace fs = std::filesystem;

// The one write step of a round, kept apart so that another writer can take its place.
TOrdexReturnCode writeModel(TOrdex* inst, const std::string& path) {
  return Ordex_WriteAsapFilePreserving(inst, path.c_str(), nullptr, nullptr, "ordex_soak", nullptr,
                                       nullptr, 0, nullptr);
}

constexpr const char* kProbe = "OrdexSoakProbe";
constexpr const char* kChangedText = "changed by ordex_soak";
constexpr int kAllObjects = etCharacteristic | etMeasurement | etFunction | etCompuMethod |
                            etCompuTab | etCompuVTab | etRecordLayout | etAxisPts;

// Resident memory of the process in KiB.
long residentKiB() {
  long pages = 0, resident = 0;
  std::FILE* f = std::fopen("/proc/self/statm", "r");
  if (!f) return -1;
  if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = -1;
  std::fclose(f);
  return resident < 0 ? -1 : resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The first name of a list, empty when there is none.
using ListFn = TOrdexReturnCode (*)(TOrdex*, const char*, char*, int, const char*, const char*);
std::string firstListed(TOrdex* inst, const char* module, ListFn list) {
  char buffer[2048] = "";
  if (list(inst, module, buffer, sizeof buffer, nullptr, nullptr) != rcOk) return "";
  return buffer;
}

std::vector<std::string> moduleNames(TOrdex* inst) {
  std::vector<char> buffer(1 << 16);
  std::vector<std::string> names;
  if (Ordex_GetModuleList(inst, buffer.data(), static_cast<int>(buffer.size()), nullptr, nullptr) !=
      rcOk) {
    return names;
  }
  for (const char* n = buffer.data(); *n; n += std::strlen(n) + 1) names.emplace_back(n);
  return names;
}

struct ModuleEdits {
  std::string module;
  std::string changedCharacteristic;  // empty: the module has none (or none a getter reaches)
  std::string removedCompuMethod;
  int objects = 0;  // after the edits
};

class Round {
 public:
  explicit Round(const std::string& workFolder) : out_(workFolder + "/soak.a2l") {}

  // One file through read, edit, write and read-back; false (with a message) on a failure.
  // A file that does not read is not counted.
  bool run(const std::string& path, bool* taken) {
    *taken = false;
    TOrdex* inst = nullptr;
    if (Ordex_CreateInstance(&inst) != rcOk) return fail(path, "create instance", rcNoInstance);
    TOrdexReturnCode rc = Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr);
    if (rc != rcOk) {
      Ordex_DestroyInstance(inst);
      return true;
    }
    *taken = true;
    std::vector<ModuleEdits> edits;
    bool ok = edit(inst, path, edits);
    rc = ok ? writeModel(inst, out_) : rcOk;
    Ordex_DestroyInstance(inst);
    if (!ok) return false;
    if (rc != rcOk) return fail(path, "write", rc);
    return readBack(path, edits);
  }

 private:
  bool fail(const std::string& path, const std::string& what, TOrdexReturnCode rc) {
    std::fprintf(stderr, "ordex_soak: %s: %s: %d\n", path.c_str(), what.c_str(),
                 static_cast<int>(rc));
    return false;
  }

  bool edit(TOrdex* inst, const std::string& path, std::vector<ModuleEdits>& edits) {
    for (const std::string& module : moduleNames(inst)) {
      ModuleEdits e;
      e.module = module;
      const char* m = module.c_str();
      TMeasurement probe = {};
      std::snprintf(probe.Name, sizeof probe.Name, "%s", kProbe);
      std::snprintf(probe.Conversion, sizeof probe.Conversion, "NO_COMPU_METHOD");
      probe.DataType = dtUByte;
      probe.ByteOrder = -1;
      probe.BitMask = 0xFFFFFFFFu;
      probe.EcuAddress = 0xFFFFFFFFu;
      probe.MaxRefreshScalingUnit = -1;
      probe.UpperLimit.Value = 255;
      std::snprintf(probe.UpperLimit.Text, sizeof probe.UpperLimit.Text, "255");
      TOrdexReturnCode rc = Ordex_CreateMeasurement(inst, m, &probe);
      if (rc != rcOk) return fail(path, "create measurement in " + module, rc);

      const std::string c = firstListed(inst, m, Ordex_GetCharacteristicList);
      if (!c.empty() && c.size() < ORDEX_TEXT_SIZE) {
        TCharacteristic record = {};
        std::snprintf(record.Name, sizeof record.Name, "%s", c.c_str());
        rc = Ordex_GetCharacteristic(inst, m, &record, 0);
        if (rc == rcOk) {
          std::snprintf(record.LongIdentifier, sizeof record.LongIdentifier, "%s", kChangedText);
          rc = Ordex_ChangeCharacteristic(inst, m, &record);
        }
        if (rc != rcOk) return fail(path, "change characteristic " + c, rc);
        e.changedCharacteristic = c;
      }
      const std::string cm = firstListed(inst, m, Ordex_GetCompuMethodList);
      if (!cm.empty() && cm.size() < ORDEX_TEXT_SIZE) {
        rc = Ordex_RemoveCompuMethod(inst, m, cm.c_str());
        if (rc != rcOk) return fail(path, "remove compu method " + cm, rc);
        // A second method of that name stays, and so does its name (the object count
        // still tells that one went).
        TCompuMethod left = {};
        std::snprintf(left.Name, sizeof left.Name, "%s", cm.c_str());
        if (Ordex_GetCompuMethod(inst, m, &left, 1) != rcOk) e.removedCompuMethod = cm;
      }
      rc = Ordex_GetNumObjects(inst, m, kAllObjects, &e.objects);
      if (rc != rcOk) return fail(path, "count objects", rc);
      edits.push_back(e);
    }
    return true;
  }

  bool readBack(const std::string& path, const std::vector<ModuleEdits>& edits) {
    TOrdex* again = nullptr;
    if (Ordex_CreateInstance(&again) != rcOk) return fail(path, "create instance", rcNoInstance);
    TOrdexReturnCode rc = Ordex_ReadAsapFile(again, out_.c_str(), nullptr, nullptr);
    bool ok = rc == rcOk || fail(path, "read the written file", rc);
    for (size_t i = 0; ok && i < edits.size(); ++i) {
      const ModuleEdits& e = edits[i];
      const char* m = e.module.c_str();
      int objects = -1;
      rc = Ordex_GetNumObjects(again, m, kAllObjects, &objects);
      if (rc != rcOk || objects != e.objects) {
        ok = fail(path,
                  "objects read back in " + e.module + ": " + std::to_string(objects) + " of " +
                      std::to_string(e.objects),
                  rc);
        break;
      }
      TMeasurement probe = {};
      std::snprintf(probe.Name, sizeof probe.Name, "%s", kProbe);
      rc = Ordex_GetMeasurement(again, m, &probe, 0);
      if (rc != rcOk) ok = fail(path, "the created measurement read back", rc);
      if (ok && !e.changedCharacteristic.empty()) {
        TCharacteristic record = {};
        std::snprintf(record.Name, sizeof record.Name, "%s", e.changedCharacteristic.c_str());
        rc = Ordex_GetCharacteristic(again, m, &record, 0);
        if (rc != rcOk || std::strcmp(record.LongIdentifier, kChangedText) != 0) {
          ok = fail(path, "the changed characteristic read back", rc);
        }
      }
      if (ok && !e.removedCompuMethod.empty()) {
        TCompuMethod record = {};
        std::snprintf(record.Name, sizeof record.Name, "%s", e.removedCompuMethod.c_str());
        if (Ordex_GetCompuMethod(again, m, &record, 1) == rcOk) {
          ok = fail(path, "the removed compu method is back", rcOk);
        }
      }
    }
    Ordex_DestroyInstance(again);
    return ok;
  }

  std::string out_;
};

void usage(std::FILE* to) {
  std::fprintf(to, "usage: ordex_soak [--rounds N] PATH...\n");
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 1;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--rounds" && i + 1 < argc) {
      rounds = std::atoi(argv[++i]);
    } else if (a == "--help") {
      usage(stdout);
      return 0;
    } else if (!a.empty() && a[0] == '-') {
      usage(stderr);
      return 2;
    } else if (fs::is_directory(a)) {
      for (const fs::directory_entry& e : fs::recursive_directory_iterator(a)) {
        if (e.is_regular_file() && e.path().extension() == ".a2l") files.push_back(e.path());
      }
    } else {
      files.push_back(a);
    }
  }
  if (files.empty() || rounds < 1) {
    usage(stderr);
    return 2;
  }
  std::sort(files.begin(), files.end());
  char folder[] = "/tmp/ordex-soak-XXXXXX";
  if (!mkdtemp(folder)) {
    std::perror("ordex_soak: mkdtemp");
    return 1;
  }
  Round round(folder);
  int failures = 0;
  long first = 0, highest = 0;
  for (int r = 1; r <= rounds; ++r) {
    int taken = 0;
    for (const std::string& f : files) {
      bool t = false;
      if (!round.run(f, &t)) ++failures;
      taken += t;
    }
    const long rss = residentKiB();
    if (r == 1) first = rss;
    highest = std::max(highest, rss);
    std::printf("round %d: %d files, resident %ld KiB\n", r, taken, rss);
    std::fflush(stdout);
    if (failures) break;
  }
  std::printf("resident after round 1: %ld KiB, highest: %ld KiB (+%ld KiB)\n", first, highest,
              highest - first);
  fs::remove_all(folder);
  return failures ? 1 : 0;
}
