// ordex edit IN OUT SCRIPT: applies a line-based edit script to a file and writes the result.
// Built on the public C interface alone: every change is a get, an edit of one field of the
// public record, and a change.
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "ordex.h"
#include "progress_bar.h"
#include "return_code_names.h"
#include "tool_support.h"

namespace ordex_tool {

namespace {

enum class FieldType { Text, Int16, Int32, UInt32, Number };

struct Field {
  const char* name;
  FieldType type;
  size_t offset;
};

#define ORDEX_FIELD(Record, Member, Type)              \
  Field {                                              \
#Member, FieldType::Type, offsetof(Record, Member) \
  }
#define ORDEX_COEFF(i)                                                                             \
  Field {                                                                                          \
    "Coeffs[" #i "]", FieldType::Number, offsetof(TCompuMethod2, Coeffs) + i * sizeof(TNumberText) \
  }

// A public record kind that `set` can edit: how to get it and hand it back, and its fields.
// The name is the record's key; the module is the script's current module.
struct RecordKind {
  const char* kind;
  size_t size;
  std::function<TOrdexReturnCode(TOrdex*, const char*, void*)> get;
  std::function<TOrdexReturnCode(TOrdex*, const char*, void*)> change;
  std::vector<Field> fields;
};

template <class Record>
RecordKind moduleContentKind(const char* kind,
                             TOrdexReturnCode (*get)(TOrdex*, const char*, Record*, int),
                             TOrdexReturnCode (*change)(TOrdex*, const char*, const Record*),
                             std::vector<Field> fields) {
  return RecordKind{
      kind, sizeof(Record),
      [get](TOrdex* i, const char* m, void* r) { return get(i, m, static_cast<Record*>(r), 0); },
      [change](TOrdex* i, const char* m, void* r) {
        return change(i, m, static_cast<const Record*>(r));
      },
      std::move(fields)};
}

// A COMPU_VTAB record carries 20 pairs and its change rebuilds the table from them: the
// pairs behind the twentieth are saved before and put back after.
TOrdexReturnCode changeCompuVTab(TOrdex* inst, const char* module, void* record) {
  const TCompuVTab& r = *static_cast<const TCompuVTab*>(record);
  std::vector<int32_t> inputs;
  std::vector<std::string> texts;
  if (r.NumberValuePairs > ORDEX_COMPU_VTAB_PAIRS) {
    std::vector<TCompuVTabEntry> pairs(static_cast<size_t>(r.NumberValuePairs));
    TOrdexReturnCode rc = Ordex_GetACompuVTabsLargeVTab(inst, module, r.Name, pairs.data());
    if (rc != rcOk) return rc;
    for (const TCompuVTabEntry& p : pairs) {
      inputs.push_back(p.InVal);
      texts.emplace_back(p.OutText ? p.OutText : "");
    }
  }
  TOrdexReturnCode rc = Ordex_ChangeCompuVTab(inst, module, &r);
  if (rc != rcOk || inputs.empty()) return rc;
  std::vector<TCompuVTabEntry> pairs;
  for (size_t k = 0; k < inputs.size(); ++k) pairs.push_back({inputs[k], texts[k].c_str()});
  return Ordex_ChangeACompuVTabsLargeVTab(inst, module, r.Name, pairs.data());
}

const std::vector<RecordKind>& recordKinds() {
  static const std::vector<RecordKind> kinds = [] {
    std::vector<RecordKind> k;
    k.push_back(RecordKind{
        "project",
        sizeof(TProject),
        [](TOrdex* i, const char*, void* r) {
          TProject* p = static_cast<TProject*>(r);
          std::string key = p->Name;
          TOrdexReturnCode rc = Ordex_GetProject(i, p, 0);
          if (rc == rcOk && key != p->Name) return rcInvalidArgument;  // not this project
          return rc;
        },
        [](TOrdex* i, const char*, void* r) {
          return Ordex_ChangeProject(i, static_cast<const TProject*>(r));
        },
        {ORDEX_FIELD(TProject, Name, Text), ORDEX_FIELD(TProject, LongIdentifier, Text),
         ORDEX_FIELD(TProject, Asap2Version, Int32), ORDEX_FIELD(TProject, Asap2Upgrade, Int32),
         ORDEX_FIELD(TProject, FileHeadComment, Text), ORDEX_FIELD(TProject, HeaderComment, Text),
         ORDEX_FIELD(TProject, HeaderVersion, Text), ORDEX_FIELD(TProject, HeaderProjectNo, Text),
         ORDEX_FIELD(TProject, UserData, UInt32)}});
    k.push_back(RecordKind{"module",
                           sizeof(TModule),
                           [](TOrdex* i, const char*, void* r) {
                             return Ordex_GetModule(i, static_cast<TModule*>(r), 0);
                           },
                           [](TOrdex* i, const char*, void* r) {
                             return Ordex_ChangeModule(i, static_cast<const TModule*>(r));
                           },
                           {ORDEX_FIELD(TModule, LongIdentifier, Text),
                            ORDEX_FIELD(TModule, ModCommonComment, Text),
                            ORDEX_FIELD(TModule, SRecLayout, Text),
                            ORDEX_FIELD(TModule, DepositMode, Int32),
                            ORDEX_FIELD(TModule, ByteOrder, Int32),
                            ORDEX_FIELD(TModule, AlignmentByte, Int16),
                            ORDEX_FIELD(TModule, AlignmentWord, Int16),
                            ORDEX_FIELD(TModule, AlignmentLong, Int16),
                            ORDEX_FIELD(TModule, AlignmentFloat32Ieee, Int16),
                            ORDEX_FIELD(TModule, AlignmentFloat64Ieee, Int16),
                            ORDEX_FIELD(TModule, ModParComment, Text),
                            ORDEX_FIELD(TModule, Version, Text),
                            ORDEX_FIELD(TModule, AddrEpk, UInt32),
                            ORDEX_FIELD(TModule, Epk, Text),
                            ORDEX_FIELD(TModule, Supplier, Text),
                            ORDEX_FIELD(TModule, Customer, Text),
                            ORDEX_FIELD(TModule, CustomerNo, Text),
                            ORDEX_FIELD(TModule, User, Text),
                            ORDEX_FIELD(TModule, PhoneNo, Text),
                            ORDEX_FIELD(TModule, Ecu, Text),
                            ORDEX_FIELD(TModule, CpuType, Text),
                            ORDEX_FIELD(TModule, NoOfInterfaces, Int16),
                            ORDEX_FIELD(TModule, EcuCalibrationOffset, UInt32),
                            ORDEX_FIELD(TModule, UserData, UInt32)}});
    k.push_back(moduleContentKind<TMemorySegment>(
        "memory-segment", Ordex_GetMemorySegment, Ordex_ChangeMemorySegment,
        {ORDEX_FIELD(TMemorySegment, LongIdentifier, Text),
         ORDEX_FIELD(TMemorySegment, PrgType, Int32),
         ORDEX_FIELD(TMemorySegment, MemoryType, Int32),
         ORDEX_FIELD(TMemorySegment, Attribute, Int32),
         ORDEX_FIELD(TMemorySegment, Address, UInt32), ORDEX_FIELD(TMemorySegment, Size, UInt32),
         ORDEX_FIELD(TMemorySegment, UserData, UInt32)}));
    // The long form, so that an axis's FIX_AXIS_PAR_DIST survives the round trip.
    k.push_back(moduleContentKind<TCharacteristic2>(
        "characteristic", Ordex_GetCharacteristic2, Ordex_ChangeCharacteristic2,
        {ORDEX_FIELD(TCharacteristic2, LongIdentifier, Text),
         ORDEX_FIELD(TCharacteristic2, Type, Int32), ORDEX_FIELD(TCharacteristic2, Address, UInt32),
         ORDEX_FIELD(TCharacteristic2, Deposit, Text),
         ORDEX_FIELD(TCharacteristic2, MaxDiff, Number),
         ORDEX_FIELD(TCharacteristic2, Conversion, Text),
         ORDEX_FIELD(TCharacteristic2, LowerLimit, Number),
         ORDEX_FIELD(TCharacteristic2, UpperLimit, Number),
         ORDEX_FIELD(TCharacteristic2, Format, Text),
         ORDEX_FIELD(TCharacteristic2, ByteOrder, Int32),
         ORDEX_FIELD(TCharacteristic2, BitMask, UInt32),
         ORDEX_FIELD(TCharacteristic2, Number, Int16),
         ORDEX_FIELD(TCharacteristic2, ReadOnly, Int16),
         ORDEX_FIELD(TCharacteristic2, ExtendedLimitsLower, Number),
         ORDEX_FIELD(TCharacteristic2, ExtendedLimitsUpper, Number),
         ORDEX_FIELD(TCharacteristic2, MaxRefreshScalingUnit, Int32),
         ORDEX_FIELD(TCharacteristic2, MaxRefreshRate, Int32),
         ORDEX_FIELD(TCharacteristic2, UserData, UInt32)}));
    k.push_back(moduleContentKind<TMeasurement>(
        "measurement", Ordex_GetMeasurement, Ordex_ChangeMeasurement,
        {ORDEX_FIELD(TMeasurement, LongIdentifier, Text),
         ORDEX_FIELD(TMeasurement, DataType, Int32), ORDEX_FIELD(TMeasurement, Conversion, Text),
         ORDEX_FIELD(TMeasurement, Resolution, Int16), ORDEX_FIELD(TMeasurement, Accuracy, Number),
         ORDEX_FIELD(TMeasurement, LowerLimit, Number),
         ORDEX_FIELD(TMeasurement, UpperLimit, Number), ORDEX_FIELD(TMeasurement, Format, Text),
         ORDEX_FIELD(TMeasurement, ArraySize, Int32), ORDEX_FIELD(TMeasurement, BitMask, UInt32),
         ORDEX_FIELD(TMeasurement, ByteOrder, Int32),
         ORDEX_FIELD(TMeasurement, MaxRefreshScalingUnit, Int32),
         ORDEX_FIELD(TMeasurement, MaxRefreshRate, Int32),
         ORDEX_FIELD(TMeasurement, EcuAddress, UInt32),
         ORDEX_FIELD(TMeasurement, UserData, UInt32)}));
    k.push_back(moduleContentKind<TFunction>(
        "function", Ordex_GetFunction, Ordex_ChangeFunction,
        {ORDEX_FIELD(TFunction, LongIdentifier, Text), ORDEX_FIELD(TFunction, UserData, UInt32)}));
    k.push_back(moduleContentKind<TCompuMethod2>(
        "compu-method", Ordex_GetCompuMethod2, Ordex_ChangeCompuMethod2,
        {ORDEX_FIELD(TCompuMethod2, LongIdentifier, Text),
         ORDEX_FIELD(TCompuMethod2, ConversionType, Int32),
         ORDEX_FIELD(TCompuMethod2, Format, Text), ORDEX_FIELD(TCompuMethod2, Unit, Text),
         ORDEX_FIELD(TCompuMethod2, Formula, Text), ORDEX_FIELD(TCompuMethod2, FormulaInv, Text),
         ORDEX_COEFF(0), ORDEX_COEFF(1), ORDEX_COEFF(2), ORDEX_COEFF(3), ORDEX_COEFF(4),
         ORDEX_COEFF(5), ORDEX_FIELD(TCompuMethod2, CompuTabRef, Text),
         ORDEX_FIELD(TCompuMethod2, UserData, UInt32)}));
    k.push_back(moduleContentKind<TCompuTab>(
        "compu-tab", Ordex_GetCompuTab, Ordex_ChangeCompuTab,
        {ORDEX_FIELD(TCompuTab, LongIdentifier, Text),
         ORDEX_FIELD(TCompuTab, ConversionType, Int32), ORDEX_FIELD(TCompuTab, DefaultValue, Text),
         ORDEX_FIELD(TCompuTab, UserData, UInt32)}));
    RecordKind vtab = moduleContentKind<TCompuVTab>(
        "compu-vtab", Ordex_GetCompuVTab, Ordex_ChangeCompuVTab,
        {ORDEX_FIELD(TCompuVTab, LongIdentifier, Text),
         ORDEX_FIELD(TCompuVTab, ConversionType, Int32),
         ORDEX_FIELD(TCompuVTab, DefaultValue, Text), ORDEX_FIELD(TCompuVTab, UserData, UInt32)});
    vtab.change = changeCompuVTab;
    k.push_back(std::move(vtab));
    k.push_back(moduleContentKind<TAxisPts>(
        "axis-pts", Ordex_GetAxisPts, Ordex_ChangeAxisPts,
        {ORDEX_FIELD(TAxisPts, LongIdentifier, Text), ORDEX_FIELD(TAxisPts, Address, UInt32),
         ORDEX_FIELD(TAxisPts, InputQuantity, Text), ORDEX_FIELD(TAxisPts, Deposit, Text),
         ORDEX_FIELD(TAxisPts, MaxDiff, Number), ORDEX_FIELD(TAxisPts, Conversion, Text),
         ORDEX_FIELD(TAxisPts, MaxAxisPoints, Int16), ORDEX_FIELD(TAxisPts, LowerLimit, Number),
         ORDEX_FIELD(TAxisPts, UpperLimit, Number), ORDEX_FIELD(TAxisPts, ReadOnly, Int16),
         ORDEX_FIELD(TAxisPts, Format, Text), ORDEX_FIELD(TAxisPts, DepositMode, Int32),
         ORDEX_FIELD(TAxisPts, ByteOrder, Int32), ORDEX_FIELD(TAxisPts, UserData, UInt32)}));
    k.push_back(moduleContentKind<TRecordLayout2>(
        "record-layout", Ordex_GetRecordLayout2, Ordex_ChangeRecordLayout2,
        {ORDEX_FIELD(TRecordLayout2, LongIdentifier, Text),
         ORDEX_FIELD(TRecordLayout2, FixNoAxisPtsX, Int16),
         ORDEX_FIELD(TRecordLayout2, FixNoAxisPtsY, Int16),
         ORDEX_FIELD(TRecordLayout2, FixNoAxisPtsZ, Int16),
         ORDEX_FIELD(TRecordLayout2, AlignmentByte, Int16),
         ORDEX_FIELD(TRecordLayout2, AlignmentWord, Int16),
         ORDEX_FIELD(TRecordLayout2, AlignmentLong, Int16),
         ORDEX_FIELD(TRecordLayout2, AlignmentFloat32Ieee, Int16),
         ORDEX_FIELD(TRecordLayout2, AlignmentFloat64Ieee, Int16),
         ORDEX_FIELD(TRecordLayout2, UserData, UInt32)}));
    return k;
  }();
  return kinds;
}

using RemoveFn = TOrdexReturnCode (*)(TOrdex*, const char*, const char*);
struct RemovableKind {
  const char* kind;
  RemoveFn remove;
};
const RemovableKind kRemovable[] = {
    {"memory-segment", Ordex_RemoveMemorySegment}, {"characteristic", Ordex_RemoveCharacteristic},
    {"measurement", Ordex_RemoveMeasurement},      {"function", Ordex_RemoveFunction},
    {"compu-method", Ordex_RemoveCompuMethod},     {"compu-tab", Ordex_RemoveCompuTab},
    {"compu-vtab", Ordex_RemoveCompuVTab},         {"axis-pts", Ordex_RemoveAxisPts},
    {"record-layout", Ordex_RemoveRecordLayout},
};

using AddFn = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, const char*);
struct FunctionListName {
  const char* list;
  AddFn add;
};
const FunctionListName kFunctionLists[] = {
    {"DEF_CHARACTERISTIC", Ordex_AddToAFuncsDefChaList},
    {"REF_CHARACTERISTIC", Ordex_AddToAFuncsRefChaList},
    {"IN_MEASUREMENT", Ordex_AddToAFuncsInMeaList},
    {"OUT_MEASUREMENT", Ordex_AddToAFuncsOutMeaList},
    {"LOC_MEASUREMENT", Ordex_AddToAFuncsLocMeaList},
    {"SUB_FUNCTION", Ordex_AddToAFuncsSubFuncList},
    {"AXIS_PTS", Ordex_AddToAAxisPtsFuncList},
};

// A line's words: separated by blanks; a word in double quotes may hold blanks, \" and \\.
// False for a quote that is not closed.
bool splitWords(const std::string& line, std::vector<std::string>& words) {
  size_t i = 0;
  while (true) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    if (i >= line.size()) return true;
    std::string word;
    if (line[i] == '"') {
      ++i;
      while (i < line.size() && line[i] != '"') {
        if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\'))
          ++i;
        word.push_back(line[i++]);
      }
      if (i >= line.size()) return false;
      ++i;
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
        word.push_back(line[i++]);
    }
    words.push_back(std::move(word));
  }
}

// One failing line: a return code and, for script mistakes, what is wrong.
struct Failure {
  TOrdexReturnCode rc;
  std::string why;
};

bool parseInteger(const std::string& s, long long lo, long long hi, long long& out) {
  if (s.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long long v = std::strtoll(s.c_str(), &end, 0);
  if (errno != 0 || *end != '\0' || v < lo || v > hi) return false;
  out = v;
  return true;
}

// Writes the text of a VALUE into one field of a record; a failure says why.
bool setField(unsigned char* record, const Field& f, const std::string& value, std::string& why) {
  unsigned char* at = record + f.offset;
  long long v = 0;
  switch (f.type) {
    case FieldType::Text:
      if (value.size() >= ORDEX_TEXT_SIZE) {
        why = "a text field holds at most 255 characters";
        return false;
      }
      std::memset(at, 0, ORDEX_TEXT_SIZE);
      std::memcpy(at, value.data(), value.size());
      return true;
    case FieldType::Int16:
      if (!parseInteger(value, INT16_MIN, INT16_MAX, v)) break;
      *reinterpret_cast<int16_t*>(at) = static_cast<int16_t>(v);
      return true;
    case FieldType::Int32:
      if (!parseInteger(value, INT32_MIN, INT32_MAX, v)) break;
      *reinterpret_cast<int32_t*>(at) = static_cast<int32_t>(v);
      return true;
    case FieldType::UInt32:
      if (!parseInteger(value, 0, UINT32_MAX, v)) break;
      *reinterpret_cast<uint32_t*>(at) = static_cast<uint32_t>(v);
      return true;
    case FieldType::Number: {
      // Both halves: the text as written in the file and its value.
      TNumberText* n = reinterpret_cast<TNumberText*>(at);
      if (value.empty() || value.size() >= ORDEX_TEXT_SIZE) break;
      char* end = nullptr;
      double d = std::strtod(value.c_str(), &end);
      if (*end != '\0') break;
      std::memset(n->Text, 0, sizeof n->Text);
      std::memcpy(n->Text, value.data(), value.size());
      n->Value = d;
      return true;
    }
  }
  why = "'" + value + "' is no valid value for " + f.name;
  return false;
}

class ScriptRunner {
 public:
  explicit ScriptRunner(TOrdex* inst) : inst_(inst) {}

  // Applies one line; false with `failure` filled when it fails.
  bool apply(const std::vector<std::string>& w, Failure& failure) {
    const std::string& cmd = w[0];
    if (cmd == "module" && w.size() == 2) return selectModule(w[1], failure);
    if (cmd == "remove" && w.size() == 3) return remove(w[1], w[2], failure);
    if (cmd == "set" && w.size() == 5) return set(w[1], w[2], w[3], w[4], failure);
    if (cmd == "add" && w.size() == 4) return add(w[1], w[2], w[3], failure);
    failure = {rcInvalidArgument, "unknown command or wrong number of words"};
    return false;
  }

 private:
  const char* module() const { return module_.empty() ? nullptr : module_.c_str(); }

  static bool check(TOrdexReturnCode rc, Failure& failure) {
    if (rc == rcOk) return true;
    failure = {rc, ""};
    return false;
  }

  bool selectModule(const std::string& name, Failure& failure) {
    TModule m;
    std::memset(&m, 0, sizeof m);
    if (name.empty() || name.size() >= sizeof m.Name) return check(rcModuleNotFound, failure);
    std::memcpy(m.Name, name.data(), name.size());
    if (!check(Ordex_GetModule(inst_, &m, 1), failure)) return false;
    module_ = name;
    return true;
  }

  bool remove(const std::string& kind, const std::string& name, Failure& failure) {
    if (kind == "module") return check(Ordex_RemoveModule(inst_, name.c_str()), failure);
    for (const RemovableKind& k : kRemovable) {
      if (kind == k.kind) return check(k.remove(inst_, module(), name.c_str()), failure);
    }
    failure = {rcInvalidArgument, "unknown kind '" + kind + "'"};
    return false;
  }

  bool set(const std::string& kind, const std::string& name, const std::string& field,
           const std::string& value, Failure& failure) {
    for (const RecordKind& k : recordKinds()) {
      if (kind != k.kind) continue;
      const Field* f = nullptr;
      for (const Field& candidate : k.fields) {
        if (field == candidate.name) f = &candidate;
      }
      if (!f) {
        failure = {rcInvalidArgument,
                   "'" + field + "' is no field that set can change of a " + kind};
        return false;
      }
      std::vector<unsigned char> record(k.size, 0);  // every record starts with its Name
      if (name.size() >= ORDEX_TEXT_SIZE) return check(rcInvalidArgument, failure);
      std::memcpy(record.data(), name.data(), name.size());
      if (!check(k.get(inst_, module(), record.data()), failure)) {
        if (kind == "project" && failure.rc == rcInvalidArgument) {
          failure.why = "the project is not named '" + name + "'";
        }
        return false;
      }
      if (!setField(record.data(), *f, value, failure.why)) {
        failure.rc = rcInvalidArgument;
        return false;
      }
      return check(k.change(inst_, module(), record.data()), failure);
    }
    failure = {rcInvalidArgument, "unknown kind '" + kind + "'"};
    return false;
  }

  bool add(const std::string& function, const std::string& list, const std::string& name,
           Failure& failure) {
    for (const FunctionListName& l : kFunctionLists) {
      if (list == l.list) {
        return check(l.add(inst_, module(), function.c_str(), name.c_str()), failure);
      }
    }
    failure = {rcInvalidArgument, "unknown list '" + list + "'"};
    return false;
  }

  TOrdex* inst_;
  std::string module_;
};

}  // namespace

const char* const kEditScriptHelp =
    "  edit script, one command a line (# starts a comment line; quote words with blanks):\n"
    "    module NAME                   the module of the following lines (default: the only one)\n"
    "    remove KIND NAME              KIND: module, memory-segment, characteristic, measurement,\n"
    "                                  function, compu-method, compu-tab, compu-vtab, axis-pts,\n"
    "                                  record-layout\n"
    "    set KIND NAME FIELD VALUE     a text or number field of the public record (project,\n"
    "                                  module or a KIND above), e.g. set measurement N Format "
    "%6.2\n"
    "    add FUNCTION LIST NAME        LIST: DEF_CHARACTERISTIC, REF_CHARACTERISTIC,\n"
    "                                  IN_MEASUREMENT, OUT_MEASUREMENT, LOC_MEASUREMENT,\n"
    "                                  SUB_FUNCTION, AXIS_PTS\n";

int edit(const Arguments& args) {
  const char* in = args.positional()[0];
  const char* out = args.positional()[1];
  const char* script = args.positional()[2];
  std::ifstream lines(script);
  if (!lines) {
    std::fprintf(stderr, "ordex edit: %s cannot be opened\n", script);
    return kExitFailure;
  }
  LoadedFile loaded(in);
  if (!loaded.ok()) return kExitFailure;
  ScriptRunner runner(loaded.instance());
  int failures = 0;
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::vector<std::string> words;
    Failure failure{rcOk, ""};
    if (!splitWords(line, words)) {
      failure = {rcInvalidArgument, "a quote is not closed"};
    } else if (words.empty() || words[0][0] == '#') {
      continue;
    } else if (runner.apply(words, failure)) {
      continue;
    }
    ++failures;
    std::fprintf(stderr, "%s:%d: %s%s%s\n", script, number, returnCodeName(failure.rc),
                 failure.why.empty() ? "" : ": ", failure.why.c_str());
  }
  if (failures) {
    std::fprintf(stderr, "%d line%s failed; %s not written\n", failures, failures == 1 ? "" : "s",
                 out);
    return kExitFailure;
  }
  return writeWithProgress(loaded.instance(), out, nullptr, nullptr, "", fileSize(in),
                           args.has("--canonical"));
}

}  // namespace ordex_tool
