#include "snapshot/round_trip.h"

#include <fstream>
#include <sstream>

#include "snapshot/model_snapshot.h"

namespace ordex_test {

namespace {

std::string contentOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Line number and both lines where two texts first differ; empty when they are equal.
std::string firstDifference(const std::string& a, const std::string& b) {
  if (a == b) return "";
  size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  size_t lineStart = a.rfind('\n', at == 0 ? 0 : at - 1);
  lineStart = lineStart == std::string::npos || at == 0 ? 0 : lineStart + 1;
  size_t line = 1;
  for (size_t i = 0; i < lineStart; ++i) line += a[i] == '\n';
  auto lineOf = [&](const std::string& s) {
    size_t end = s.find('\n', lineStart);
    return lineStart >= s.size()
               ? std::string("(end of file)")
               : s.substr(lineStart, end == std::string::npos ? end : end - lineStart);
  };
  return "line " + std::to_string(line) + ": \"" + lineOf(a) + "\" | \"" + lineOf(b) + "\"";
}

class ScopedInstance {
 public:
  ScopedInstance() { Ordex_CreateInstance(&p_); }
  ~ScopedInstance() { Ordex_DestroyInstance(p_); }
  ScopedInstance(const ScopedInstance&) = delete;
  ScopedInstance& operator=(const ScopedInstance&) = delete;
  TOrdex* get() const { return p_; }

 private:
  TOrdex* p_ = nullptr;
};

// The writer leaves out an axis's DEPOSIT that equals the module's, as a default; the axis
// then reads back with the same deposit but as one without DEPOSIT (AxisPointsMode -1
// instead of 0). Such fields of after are set to the value of before; returns how many.
size_t acceptDefaultDeposits(const ModelSnapshot& before, ModelSnapshot& after) {
  const std::string suffix = "/AxisPointsMode";
  size_t accepted = 0;
  for (const auto& [path, value] : before.fields()) {
    if (value != "0" || path.size() < suffix.size() ||
        path.compare(path.size() - suffix.size(), suffix.size(), suffix) != 0) {
      continue;
    }
    auto now = after.fields().find(path);
    if (now == after.fields().end() || now->second != "-1") continue;
    const std::string axis = path.substr(0, path.size() - suffix.size());
    const std::string module = path.substr(0, path.find('/'));
    auto deposit = before.fields().find(axis + "/DepositMode");
    auto moduleDeposit = before.fields().find(module + "/DepositMode");
    if (deposit == before.fields().end() || moduleDeposit == before.fields().end() ||
        deposit->second != moduleDeposit->second) {
      continue;
    }
    after.set(path, value);
    ++accepted;
  }
  return accepted;
}

}  // namespace

std::string RoundTripReport::describe() const {
  std::ostringstream s;
  if (firstRead != rcOk) {
    s << "the file does not read: " << firstRead << "\n";
    return s.str();
  }
  if (firstWrite != rcOk) s << "writing it fails: " << firstWrite << "\n";
  if (secondRead != rcOk) {
    s << "the written file does not read: " << secondRead << ": " << secondReadError << "\n";
  }
  if (secondWrite != rcOk) s << "writing the second read fails: " << secondWrite << "\n";
  if (!writtenFilesDiffer.empty()) {
    s << "the two written files differ at " << writtenFilesDiffer << "\n";
  }
  if (!differences.empty()) {
    s << "the second read differs from the first in these fields (first | second):\n";
    for (const std::string& d : differences) s << "  " << d << "\n";
  }
  if (ok()) {
    s << "round trip ok: " << writtenBytes << " bytes written twice alike, " << fieldsCompared
      << " fields of the getter records agree";
    if (defaultDepositsLeftOut) {
      s << " (" << defaultDepositsLeftOut
        << " axes lost DEPOSIT mode: their DEPOSIT equals the module's and is not written)";
    }
    s << "\n";
  }
  return s.str();
}

RoundTripReport roundTrip(const std::string& file, const std::string& workDir) {
  RoundTripReport report;
  const std::string firstPath = workDir + "/first_write.a2l";
  const std::string secondPath = workDir + "/second_write.a2l";
  ScopedInstance first;
  report.firstRead = Ordex_ReadAsapFile(first.get(), file.c_str(), nullptr, nullptr);
  if (report.firstRead != rcOk) return report;
  report.firstWrite = Ordex_WriteAsapFile(first.get(), firstPath.c_str(), nullptr, nullptr, nullptr,
                                          nullptr, nullptr);
  if (report.firstWrite != rcOk) return report;
  ScopedInstance second;
  report.secondRead = Ordex_ReadAsapFile(second.get(), firstPath.c_str(), nullptr, nullptr);
  if (report.secondRead != rcOk) {
    char error[1024] = "";
    Ordex_GetReadAsapFileError(second.get(), error, sizeof error);
    report.secondReadError = error;
    return report;
  }
  report.secondWrite = Ordex_WriteAsapFile(second.get(), secondPath.c_str(), nullptr, nullptr,
                                           nullptr, nullptr, nullptr);
  const std::string firstText = contentOf(firstPath);
  report.writtenBytes = firstText.size();
  if (report.secondWrite == rcOk) {
    report.writtenFilesDiffer = firstDifference(firstText, contentOf(secondPath));
  }
  ModelSnapshot before = ModelSnapshot::take(first.get(), writtenContentOnly());
  ModelSnapshot after = ModelSnapshot::take(second.get(), writtenContentOnly());
  report.defaultDepositsLeftOut = acceptDefaultDeposits(before, after);
  report.fieldsCompared = before.fields().size();
  report.differences = differences(before, after);
  return report;
}

}  // namespace ordex_test
