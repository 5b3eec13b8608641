// A snapshot of everything the public getters say about an instance's project, field by
// field, for comparing two models: a file and its written copy, or a model before and after
// an edit. Uses only the public C interface.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "ordex.h"

namespace ordex_test {

struct SnapshotOptions {
  // The ASAP2_VERSION numbers and the file head comment of the project record.
  bool fileHead = true;
  // CALIBRATION_METHOD records of MOD_PAR.
  bool calibrationMethods = true;
  // FormulaInv of TCompuMethod2.
  bool formulaInv = true;
  // IF_DATA entries standing directly in a MODULE (needs the member enumerators).
  bool moduleIfData = true;
  // System constants, IF_DATA entries, annotations and name lists, read through the member
  // enumerators.
  bool members = true;
};

// Everything but what the writer documents as not written or written fixed: the file head
// (the written file has its own version line and comment), calibration methods, FormulaInv
// and module-level IF_DATA. For comparing a read with the read of its written copy.
SnapshotOptions writtenContentOnly();

class ModelSnapshot {
 public:
  // Collects the project record, every module record and, per module, the object counts and
  // every getter record of every memory segment, characteristic (both forms), measurement,
  // function, compu method (both forms), compu tab, compu vtab (with all its pairs), axis
  // points object and record layout (both forms and the placement by position). Objects are
  // walked with the next-name enumerators, so objects sharing a name appear once per
  // occurrence (keys carry #2, #3, ...), each with the getter's answer for that name.
  static ModelSnapshot take(TOrdex* instance, const SnapshotOptions& options = {});

  // Field path -> value, for example "MODULE Engine/CHARACTERISTIC Map/Axes[0].MaxAxisPoints".
  const std::map<std::string, std::string>& fields() const { return fields_; }
  void set(const std::string& path, const std::string& value) { fields_[path] = value; }

 private:
  std::map<std::string, std::string> fields_;
};

// The fields that differ, one line each ("path: before | after", "(none)" where a snapshot
// lacks the field), at most limit lines plus a line counting the rest.
std::vector<std::string> differences(const ModelSnapshot& before, const ModelSnapshot& after,
                                     size_t limit = 40);

}  // namespace ordex_test
