#include "snapshot/model_snapshot.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace ordex_test {

namespace {

// Walks of member lists stop after this many entries, and COMPU_VTAB pairs are compared up
// to this index: a declared count can be far larger than the pairs a table holds.
constexpr int kMaxWalk = 1 << 16;

std::string fieldText(const char* field, size_t size = ORDEX_TEXT_SIZE) {
  return std::string(field, strnlen(field, size));
}

std::string quoted(const std::string& s) {
  return "\"" + s + "\"";
}

std::string real(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

// The fields of one record, under a common path.
class Fields {
 public:
  Fields(ModelSnapshot& snapshot, std::string path) : snapshot_(snapshot), path_(std::move(path)) {}
  Fields sub(const std::string& name) const { return Fields(snapshot_, path_ + "/" + name); }

  void text(const std::string& name, const char* field, size_t size = ORDEX_TEXT_SIZE) {
    set(name, quoted(fieldText(field, size)));
  }
  void text(const std::string& name, const std::string& value) { set(name, quoted(value)); }
  void number(const std::string& name, int64_t value) { set(name, std::to_string(value)); }
  void numberText(const std::string& name, const TNumberText& n) {
    text(name + ".Text", n.Text);
    set(name + ".Value", real(n.Value));
  }
  void set(const std::string& name, const std::string& value) {
    snapshot_.set(path_ + "/" + name, value);
  }

 private:
  ModelSnapshot& snapshot_;
  std::string path_;
};

// One value of a record field (one entry of an array field): texts quoted, numbers as
// TNumberText halves, the rest as integers.
void recordValue(Fields& f, const std::string& name, int32_t kind, const unsigned char* at) {
  switch (kind) {
    case fkText:
      f.text(name, reinterpret_cast<const char*>(at));
      break;
    case fkNumberText:
      f.numberText(name, *reinterpret_cast<const TNumberText*>(at));
      break;
    case fkInt16:
    case fkFlag:
      f.number(name, *reinterpret_cast<const int16_t*>(at));
      break;
    case fkUInt32:
    case fkHex:
      f.number(name, *reinterpret_cast<const uint32_t*>(at));
      break;
    default:
      f.number(name, *reinterpret_cast<const int32_t*>(at));
      break;
  }
}

// Every field of a record, as the library's table of the record type describes it, but
// those named in `skip` (by default Name, the object's key). Array entries are keyed
// "name[i]", the fields of a sub-record "name[i].field"; an axis, a block of its own in the
// file, is a sub path "Axes[i]/field".
void recordFields(Fields& f, int32_t recordType, const void* record,
                  std::initializer_list<const char*> skip = {"Name"},
                  const std::string& prefix = "") {
  const unsigned char* base = static_cast<const unsigned char*>(record);
  TRecordField d{};
  for (uint32_t i = 0; Ordex_GetRecordField(recordType, i, &d) == rcOk; ++i) {
    const unsigned char* at = base + d.Offset;
    if (std::any_of(skip.begin(), skip.end(),
                    [&](const char* s) { return std::strcmp(d.Name, s) == 0; })) {
      continue;
    }
    const std::string name = prefix + d.Name;
    if (d.Kind != fkRecord && d.Count == 1) {
      recordValue(f, name, d.Kind, at);
      continue;
    }
    const uint32_t entry = d.Size / d.Count;
    for (uint32_t k = 0; k < d.Count; ++k) {
      const std::string key = name + "[" + std::to_string(k) + "]";
      if (d.Kind != fkRecord) {
        recordValue(f, key, d.Kind, at + k * entry);
      } else if (d.SubRecord == rtAxisDescr || d.SubRecord == rtAxisDescr2) {
        Fields axis = f.sub(key);
        recordFields(axis, d.SubRecord, at + k * entry, {});
      } else {
        recordFields(f, d.SubRecord, at + k * entry, {}, key + ".");
      }
    }
  }
}

template <class T>
std::unique_ptr<T> keyedRecord(const std::string& name) {
  std::unique_ptr<T> r(new T());
  std::snprintf(r->Name, sizeof r->Name, "%s", name.c_str());
  return r;
}

// ---- the member enumerators ----

using NextSystemConstantFn = TOrdexReturnCode (*)(TOrdex*, const char*, TSystemConstant*);
using NextModuleIfDataFn = TOrdexReturnCode (*)(TOrdex*, const char*, TIfDataRecord*);
using NextIfDataFn = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, TIfDataRecord*);
using NextAnnotationFn = TOrdexReturnCode (*)(TOrdex*, const char*, const char*,
                                              TAnnotationRecord*);
using NextAxisAnnotationFn = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, int,
                                                  TAnnotationRecord*);
using NextNameFn = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, char*);

struct Members {
  NextSystemConstantFn systemConstant = Ordex_GetNextSystemConstant;
  NextModuleIfDataFn moduleIfData = Ordex_GetAModulesNextIfData;
  NextIfDataFn segmentIfData = Ordex_GetAMemSegsNextIfData;
  NextIfDataFn characteristicIfData = Ordex_GetAChasNextIfData;
  NextIfDataFn measurementIfData = Ordex_GetAMeasNextIfData;
  NextIfDataFn axisPtsIfData = Ordex_GetAAxisPtsNextIfData;
  NextAnnotationFn characteristicAnnotation = Ordex_GetAChasNextAnnotation;
  NextAxisAnnotationFn axisAnnotation = Ordex_GetAnAxisDescrsNextAnnotation;
  NextAnnotationFn measurementAnnotation = Ordex_GetAMeasNextAnnotation;
  NextAnnotationFn axisPtsAnnotation = Ordex_GetAAxisPtsNextAnnotation;
  NextNameFn virtuals = Ordex_GetAMeasNextVirtual;
  struct FunctionList {
    const char* label;
    NextNameFn next;
  };
  FunctionList functionLists[7] = {
      {"DEF_CHARACTERISTIC", Ordex_GetAFuncsNextDefChaName},
      {"REF_CHARACTERISTIC", Ordex_GetAFuncsNextRefChaName},
      {"IN_MEASUREMENT", Ordex_GetAFuncsNextInMeaName},
      {"OUT_MEASUREMENT", Ordex_GetAFuncsNextOutMeaName},
      {"LOC_MEASUREMENT", Ordex_GetAFuncsNextLocMeaName},
      {"SUB_FUNCTION", Ordex_GetAFuncsNextSubFuncName},
      {"AXIS_PTS", Ordex_GetAFuncsNextAxisPtsName},
  };
};

// The entries of one IF_DATA list; start and stop with an empty Name.
template <class Step>
void ifDataWalk(Fields f, Step&& step) {
  TIfDataRecord r{};
  for (int k = 0; k < kMaxWalk; ++k) {
    if (step(&r) != rcOk || r.Name[0] == '\0') return;
    f.text("IF_DATA[" + std::to_string(k) + "].Name", r.Name);
    f.text("IF_DATA[" + std::to_string(k) + "].Content", r.Content ? r.Content : "(null)");
  }
}

// The annotations of one owner; start and stop with Label, Origin and Text all empty.
template <class Step>
void annotationWalk(Fields f, const std::string& label, Step&& step) {
  std::unique_ptr<TAnnotationRecord> r(new TAnnotationRecord());
  for (int k = 0; k < kMaxWalk; ++k) {
    if (step(r.get()) != rcOk) return;
    if (!r->Label[0] && !r->Origin[0] && !r->Text[0]) return;
    std::string key = label + "[" + std::to_string(k) + "]";
    f.text(key + ".Label", r->Label);
    f.text(key + ".Origin", r->Origin);
    f.text(key + ".Text", r->Text, ORDEX_ANNOTATION_TEXT_SIZE);
  }
}

// A list of names; start and stop with an empty name.
void nameWalk(Fields f, const std::string& label, NextNameFn next, TOrdex* inst, const char* module,
              const std::string& owner) {
  char name[ORDEX_TEXT_SIZE] = "";
  std::string names;
  for (int k = 0; k < kMaxWalk; ++k) {
    if (next(inst, module, owner.c_str(), name) != rcOk || !name[0]) break;
    names += std::string(names.empty() ? "" : " ") + fieldText(name);
  }
  f.text(label, names);
}

// The names of one object list, in list order, through its next-name enumerator. A name
// met for the k-th time is keyed "name#k".
template <class Next>
std::vector<std::pair<std::string, std::string>> objectNames(Next&& next) {
  std::vector<std::pair<std::string, std::string>> names;  // (name, key)
  std::map<std::string, int> seen;
  char name[ORDEX_TEXT_SIZE] = "";
  for (;;) {
    if (next(name) != rcOk || !name[0]) break;
    std::string n = fieldText(name);
    int k = ++seen[n];
    names.emplace_back(n, k == 1 ? n : n + "#" + std::to_string(k));
  }
  return names;
}

class SnapshotTaker {
 public:
  SnapshotTaker(TOrdex* inst, const SnapshotOptions& options, ModelSnapshot& snapshot)
      : inst_(inst), opt_(options), snapshot_(snapshot) {}

  void take();

 private:
  void project();
  void module(const std::string& name);
  void memorySegments(const Fields& m);
  void calibrationMethods(const Fields& m);
  void characteristics(const Fields& m);
  void measurements(const Fields& m);
  void functions(const Fields& m);
  void compuMethods(const Fields& m);
  void compuTabs(const Fields& m);
  void compuVTabs(const Fields& m);
  void axisPts(const Fields& m);
  void recordLayouts(const Fields& m);

  template <class NextName>
  std::vector<std::pair<std::string, std::string>> names(NextName next) {
    return objectNames([&](char* name) { return next(inst_, mod_, name, nullptr); });
  }

  // The record of `name` from the module's getter `get`, its return code kept as "rc";
  // null when the getter fails.
  template <class Record>
  std::unique_ptr<Record> fetch(Fields& f, const std::string& name,
                                TOrdexReturnCode (*get)(TOrdex*, const char*, Record*, int)) {
    auto r = keyedRecord<Record>(name);
    TOrdexReturnCode rc = get(inst_, mod_, r.get(), 0);
    f.number("rc", rc);
    if (rc != rcOk) r.reset();
    return r;
  }

  // The IF_DATA entries and the annotations of one object.
  void ifDataAndAnnotations(const Fields& f, const char* name, NextIfDataFn ifData,
                            NextAnnotationFn annotation) {
    ifDataWalk(f, [&](TIfDataRecord* d) { return ifData(inst_, mod_, name, d); });
    annotationWalk(f, "ANNOTATION",
                   [&](TAnnotationRecord* a) { return annotation(inst_, mod_, name, a); });
  }

  TOrdex* inst_;
  const SnapshotOptions& opt_;
  ModelSnapshot& snapshot_;
  Members members_;
  const char* mod_ = nullptr;
};

void SnapshotTaker::take() {
  project();
  for (const auto& [name, key] :
       objectNames([&](char* n) { return Ordex_GetNextModuleName(inst_, n, nullptr); })) {
    (void)key;
    module(name);
  }
}

void SnapshotTaker::project() {
  Fields f(snapshot_, "PROJECT");
  TProject r{};
  TOrdexReturnCode rc = Ordex_GetProject(inst_, &r, 0);
  f.number("rc", rc);
  if (rc != rcOk) return;
  if (opt_.fileHead) {
    recordFields(f, rtProject, &r, {});
  } else {
    recordFields(f, rtProject, &r, {"Asap2Version", "Asap2Upgrade", "FileHeadComment"});
  }
}

void SnapshotTaker::module(const std::string& name) {
  Fields f(snapshot_, "MODULE " + name);
  auto r = keyedRecord<TModule>(name);
  TOrdexReturnCode rc = Ordex_GetModule(inst_, r.get(), 0);
  f.number("rc", rc);
  if (rc != rcOk) return;
  recordFields(f, rtModule, r.get());

  mod_ = name.c_str();
  const int kinds[] = {etMemorySegment, etSystemConstant, etCharacteristic, etMeasurement,
                       etFunction,      etCompuMethod,    etCompuTab,       etCompuVTab,
                       etRecordLayout,  etAxisPts};
  for (int kind : kinds) {
    int count = -1;
    Ordex_GetNumObjects(inst_, mod_, kind, &count);
    f.number("count(" + std::to_string(kind) + ")", count);
  }
  if (opt_.members) {
    TSystemConstant c{};
    for (int k = 0; k < kMaxWalk; ++k) {
      if (members_.systemConstant(inst_, mod_, &c) != rcOk || !c.Name[0]) break;
      f.text("SYSTEM_CONSTANT[" + std::to_string(k) + "]",
             fieldText(c.Name) + " = " + (c.Value ? c.Value : "(null)"));
    }
  }
  if (opt_.members && opt_.moduleIfData) {
    ifDataWalk(f, [&](TIfDataRecord* r) { return members_.moduleIfData(inst_, mod_, r); });
  }
  memorySegments(f);
  if (opt_.calibrationMethods) calibrationMethods(f);
  characteristics(f);
  measurements(f);
  functions(f);
  compuMethods(f);
  compuTabs(f);
  compuVTabs(f);
  axisPts(f);
  recordLayouts(f);
}

void SnapshotTaker::memorySegments(const Fields& m) {
  for (const auto& [name, key] : names(Ordex_GetNextMemorySegmentName)) {
    Fields f = m.sub("MEMORY_SEGMENT " + key);
    auto r = fetch<TMemorySegment>(f, name, Ordex_GetMemorySegment);
    if (!r) continue;
    recordFields(f, rtMemorySegment, r.get());
    if (opt_.members) {
      ifDataWalk(f, [&](TIfDataRecord* d) {
        return members_.segmentIfData(inst_, mod_, name.c_str(), d);
      });
    }
  }
}

void SnapshotTaker::calibrationMethods(const Fields& m) {
  for (const auto& [name, key] : names(Ordex_GetNextCalibrationMethodName)) {
    Fields f = m.sub("CALIBRATION_METHOD " + key);
    auto r = fetch<TCalibrationMethod>(f, name, Ordex_GetCalibrationMethod);
    if (!r) continue;
    f.number("Version", r->Version);
    f.number("HandleCount", r->HandleCount);
    for (int h = 0; h < r->HandleCount && h < kMaxWalk; ++h) {
      int n = 0;
      if (Ordex_GetCalibrationHandleNumValues(inst_, mod_, name.c_str(), h, &n) != rcOk) break;
      std::vector<int> values(n > 0 ? n : 0);
      if (n > 0) Ordex_GetCalibrationHandleValues(inst_, mod_, name.c_str(), h, n, values.data());
      std::string text;
      for (int v : values) text += std::to_string(v) + " ";
      f.text("Handle[" + std::to_string(h) + "]", text);
    }
  }
}

void SnapshotTaker::characteristics(const Fields& m) {
  for (const auto& [name, key] : names(Ordex_GetNextCharacteristicName)) {
    Fields f = m.sub("CHARACTERISTIC " + key);
    auto r = fetch<TCharacteristic>(f, name, Ordex_GetCharacteristic);
    if (!r) continue;
    recordFields(f, rtCharacteristic, r.get());
    auto r2 = keyedRecord<TCharacteristic2>(name);
    Fields f2 = m.sub("CHARACTERISTIC2 " + key);
    f2.number("rc", Ordex_GetCharacteristic2(inst_, mod_, r2.get(), 0));
    recordFields(f2, rtCharacteristic2, r2.get());
    if (!opt_.members) continue;
    const char* n = name.c_str();
    ifDataAndAnnotations(f, n, members_.characteristicIfData, members_.characteristicAnnotation);
    for (int i = 0; i < ORDEX_CHARACTERISTIC_AXES; ++i) {
      annotationWalk(f, "Axes[" + std::to_string(i) + "].ANNOTATION", [&](TAnnotationRecord* a) {
        return members_.axisAnnotation(inst_, mod_, n, i, a);
      });
    }
  }
}

void SnapshotTaker::measurements(const Fields& m) {
  for (const auto& [name, key] : names(Ordex_GetNextMeasurementName)) {
    Fields f = m.sub("MEASUREMENT " + key);
    auto r = fetch<TMeasurement>(f, name, Ordex_GetMeasurement);
    if (!r) continue;
    recordFields(f, rtMeasurement, r.get());
    if (!opt_.members) continue;
    nameWalk(f, "VIRTUAL", members_.virtuals, inst_, mod_, name);
    ifDataAndAnnotations(f, name.c_str(), members_.measurementIfData,
                         members_.measurementAnnotation);
  }
}

void SnapshotTaker::functions(const Fields& m) {
  for (const auto& [name, key] : names(Ordex_GetNextFunctionName)) {
    Fields f = m.sub("FUNCTION " + key);
    auto r = fetch<TFunction>(f, name, Ordex_GetFunction);
    if (!r) continue;
    recordFields(f, rtFunction, r.get());
    if (!opt_.members) continue;
    for (const Members::FunctionList& list : members_.functionLists) {
      nameWalk(f, list.label, list.next, inst_, mod_, name);
    }
  }
}

void SnapshotTaker::compuMethods(const Fields& m) {
  for (const auto& [name, key] : names(Ordex_GetNextCompuMethodName)) {
    Fields f = m.sub("COMPU_METHOD " + key);
    auto r = fetch<TCompuMethod>(f, name, Ordex_GetCompuMethod);
    if (!r) continue;
    recordFields(f, rtCompuMethod, r.get());
    auto r2 = keyedRecord<TCompuMethod2>(name);
    Fields f2 = m.sub("COMPU_METHOD2 " + key);
    f2.number("rc", Ordex_GetCompuMethod2(inst_, mod_, r2.get(), 0));
    if (opt_.formulaInv) {
      recordFields(f2, rtCompuMethod2, r2.get());
    } else {
      recordFields(f2, rtCompuMethod2, r2.get(), {"Name", "FormulaInv"});
    }
  }
}

void SnapshotTaker::compuTabs(const Fields& m) {
  for (const auto& [name, key] : names(Ordex_GetNextCompuTabName)) {
    Fields f = m.sub("COMPU_TAB " + key);
    auto r = fetch<TCompuTab>(f, name, Ordex_GetCompuTab);
    if (!r) continue;
    recordFields(f, rtCompuTab, r.get());
  }
}

void SnapshotTaker::compuVTabs(const Fields& m) {
  for (const auto& [name, key] : names(Ordex_GetNextCompuVTabName)) {
    Fields f = m.sub("COMPU_VTAB " + key);
    auto r = fetch<TCompuVTab>(f, name, Ordex_GetCompuVTab);
    if (!r) continue;
    recordFields(f, rtCompuVTab, r.get());
    // Every pair by index, also past the 20 of the record.
    for (int k = 0; k < r->NumberValuePairs && k < kMaxWalk; ++k) {
      TCompuVTabValue v{};
      v.Index = static_cast<uint32_t>(k);
      TOrdexReturnCode vrc = Ordex_GetACompuVTabValueByIndex(inst_, mod_, name.c_str(), &v);
      f.text("ByIndex[" + std::to_string(k) + "]",
             std::to_string(vrc) + " " + std::to_string(v.InVal) + " " + fieldText(v.OutText));
    }
  }
}

void SnapshotTaker::axisPts(const Fields& m) {
  for (const auto& [name, key] : names(Ordex_GetNextAxisPtsName)) {
    Fields f = m.sub("AXIS_PTS " + key);
    auto r = fetch<TAxisPts>(f, name, Ordex_GetAxisPts);
    if (!r) continue;
    recordFields(f, rtAxisPts, r.get());
    if (!opt_.members) continue;
    ifDataAndAnnotations(f, name.c_str(), members_.axisPtsIfData, members_.axisPtsAnnotation);
  }
}

void SnapshotTaker::recordLayouts(const Fields& m) {
  for (const auto& [name, key] : names(Ordex_GetNextRecordLayoutName)) {
    Fields f = m.sub("RECORD_LAYOUT " + key);
    auto r = fetch<TRecordLayout>(f, name, Ordex_GetRecordLayout);
    if (!r) continue;
    recordFields(f, rtRecordLayout, r.get());
    auto r2 = keyedRecord<TRecordLayout2>(name);
    Fields f2 = m.sub("RECORD_LAYOUT2 " + key);
    f2.number("rc", Ordex_GetRecordLayout2(inst_, mod_, r2.get(), 0));
    recordFields(f2, rtRecordLayout2, r2.get());

    TRecordLayoutElementExt sorted[ORDEX_SORTED_ELEMENTS] = {};
    Fields fs = m.sub("RECORD_LAYOUT_SORTED " + key);
    fs.number("rc", Ordex_GetRecordLayoutElementArraySorted(inst_, mod_, name.c_str(), sorted));
    for (int i = 0; i < ORDEX_SORTED_ELEMENTS; ++i) {
      if (sorted[i].ElementKind < 0) continue;
      std::string p = "[" + std::to_string(i) + "]";
      fs.number(p + ".ElementKind", sorted[i].ElementKind);
      recordFields(fs, rtRecordLayoutElement, &sorted[i].Element, {}, p + ".");
    }
  }
}

}  // namespace

SnapshotOptions writtenContentOnly() {
  SnapshotOptions o;
  o.fileHead = false;
  o.calibrationMethods = false;
  o.formulaInv = false;
  o.moduleIfData = false;
  return o;
}

ModelSnapshot ModelSnapshot::take(TOrdex* instance, const SnapshotOptions& options) {
  ModelSnapshot snapshot;
  SnapshotTaker(instance, options, snapshot).take();
  return snapshot;
}

std::vector<std::string> differences(const ModelSnapshot& before, const ModelSnapshot& after,
                                     size_t limit) {
  std::vector<std::string> lines;
  size_t count = 0;
  auto report = [&](const std::string& path, const std::string* a, const std::string* b) {
    if (++count > limit) return;
    lines.push_back(path + ": " + (a ? *a : "(none)") + " | " + (b ? *b : "(none)"));
  };
  auto a = before.fields().begin(), aEnd = before.fields().end();
  auto b = after.fields().begin(), bEnd = after.fields().end();
  while (a != aEnd || b != bEnd) {
    if (b == bEnd || (a != aEnd && a->first < b->first)) {
      report(a->first, &a->second, nullptr);
      ++a;
    } else if (a == aEnd || b->first < a->first) {
      report(b->first, nullptr, &b->second);
      ++b;
    } else {
      if (a->second != b->second) report(a->first, &a->second, &b->second);
      ++a;
      ++b;
    }
  }
  if (count > limit) lines.push_back("... and " + std::to_string(count - limit) + " more");
  return lines;
}

}  // namespace ordex_test
