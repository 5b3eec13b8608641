// ordex show FILE KIND [NAME] [--module NAME] [--json]: one object's public record with its
// members, as text or JSON (see document.h).
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "document.h"
#include "keyword_names.h"
#include "ordex.h"
#include "record_fields.h"
#include "show_blocks.h"
#include "show_members.h"
#include "tool_support.h"

namespace ordex_tool {

namespace {

// A zeroed public record of type T whose Name holds the key.
template <class T>
std::unique_ptr<T> keyed(const char* name) {
  std::unique_ptr<T> r(new T());
  std::snprintf(r->Name, sizeof r->Name, "%s", name);
  return r;
}

// Adds record fields to an object node.
class Fields {
 public:
  explicit Fields(Node& node) : n_(node) {}
  void text(const char* key, const char* value) { n_.add(key, Node::text(value)); }
  void number(const char* key, long long value) { n_.add(key, Node::integer(value)); }
  void hex(const char* key, uint32_t value) { n_.add(key, Node::hex(value)); }
  void flag(const char* key, int16_t value) { n_.add(key, Node::boolean(value != 0)); }
  void numberText(const char* key, const TNumberText& value) {
    n_.add(key, Node::numberText(value.Text, value.Value));
  }
  void keyword(const char* key, int32_t index, const KeywordTable& table) {
    n_.add(key, Node::keyword(index, table));
  }

 private:
  Node& n_;
};

// One value of a record field (one entry of an array field) as a node.
Node valueNode(const TRecordField& d, const void* at) {
  const TRecordField one{d.Name, 0, d.Size / d.Count, 1, d.Kind, d.KeywordList, d.SubRecord};
  switch (d.Kind) {
    case fkText:
      return Node::text(&fieldAt<char>(at, one));
    case fkNumberText: {
      const TNumberText& n = fieldAt<TNumberText>(at, one);
      return Node::numberText(n.Text, n.Value);
    }
    case fkInt16:
      return Node::integer(fieldAt<int16_t>(at, one));
    case fkInt32:
      return Node::integer(fieldAt<int32_t>(at, one));
    case fkHex:
      return Node::hex(fieldAt<uint32_t>(at, one));
    case fkFlag:
      return Node::boolean(fieldAt<int16_t>(at, one) != 0);
    case fkKeyword:
      return Node::keyword(fieldAt<int32_t>(at, one), keywordTable(d.KeywordList));
    default:
      return Node::integer(fieldAt<uint32_t>(at, one));
  }
}

// Shows a field its record kind shows its own way (a count that limits an array, a keyword
// list that depends on another field); false for the fields shown as their table says.
using Special = std::function<bool(const TRecordField&, Node&)>;

// Every field of a record as its table lists it; an array field is an array of its
// entries, a sub-record an object of its fields.
void addFields(int32_t recordType, const void* record, Node& n, const Special& special = {}) {
  for (const TRecordField& d : recordFields(recordType)) {
    if (special && special(d, n)) continue;
    const unsigned char* at = static_cast<const unsigned char*>(record) + d.Offset;
    if (d.Kind != fkRecord && d.Count == 1) {
      n.add(d.Name, valueNode(d, at));
      continue;
    }
    Node& list = n.add(d.Name, Node::array());
    const uint32_t entry = d.Size / d.Count;
    for (uint32_t i = 0; i < d.Count; ++i) {
      if (d.Kind == fkRecord) {
        addFields(d.SubRecord, at + i * entry, list.push(Node::object()));
      } else {
        list.push(valueNode(d, at + i * entry));
      }
    }
  }
}

struct Target {
  TOrdex* inst;
  const char* module;  // --module, or null for the only module
  const char* name;
};

TOrdexReturnCode showProject(const Target& t, Node& n) {
  TProject r{};
  TOrdexReturnCode rc = Ordex_GetProject(t.inst, &r, 0);
  if (rc != rcOk) return rc;
  addFields(rtProject, &r, n);
  return rcOk;
}

TOrdexReturnCode showModule(const Target& t, Node& n) {
  auto r = keyed<TModule>(t.name);
  TOrdexReturnCode rc = Ordex_GetModule(t.inst, r.get(), 0);
  if (rc != rcOk) return rc;
  addFields(rtModule, r.get(), n);
  return addIfData(t.inst, nullptr, MemberOwner::kModule, r->Name, n);
}

TOrdexReturnCode showMemorySegment(const Target& t, Node& n) {
  auto r = keyed<TMemorySegment>(t.name);
  TOrdexReturnCode rc = Ordex_GetMemorySegment(t.inst, t.module, r.get(), 0);
  if (rc != rcOk) return rc;
  // A MEMORY_LAYOUT's program type has keywords of its own.
  const bool layout = std::strcmp(r->LongIdentifier, "MEMORY_LAYOUT") == 0;
  addFields(rtMemorySegment, r.get(), n, [&](const TRecordField& d, Node& node) {
    if (!layout || std::strcmp(d.Name, "PrgType") != 0) return false;
    node.add("PrgType", Node::keyword(r->PrgType, kProgramTypes));
    return true;
  });
  return addIfData(t.inst, t.module, MemberOwner::kMemorySegment, t.name, n);
}

TOrdexReturnCode showSystemConstant(const Target& t, Node& n) {
  auto r = keyed<TSystemConstant>(t.name);
  TOrdexReturnCode rc = Ordex_GetSystemConstant(t.inst, t.module, r.get(), 0);
  if (rc != rcOk) return rc;
  Fields f(n);
  f.text("Name", r->Name);
  f.text("Value", r->Value ? r->Value : "");
  return rcOk;
}

TOrdexReturnCode showCalibrationMethod(const Target& t, Node& n) {
  auto r = keyed<TCalibrationMethod>(t.name);
  TOrdexReturnCode rc = Ordex_GetCalibrationMethod(t.inst, t.module, r.get(), 0);
  if (rc != rcOk) return rc;
  Fields f(n);
  f.text("Name", r->Name);
  f.number("Version", r->Version);
  f.number("HandleCount", r->HandleCount);
  Node& handles = n.add("Handles", Node::array());
  for (int32_t h = 0; h < r->HandleCount; ++h) {
    int count = 0;
    rc = Ordex_GetCalibrationHandleNumValues(t.inst, t.module, t.name, static_cast<uint32_t>(h),
                                             &count);
    if (rc != rcOk) return rc;
    std::vector<int> values(static_cast<size_t>(count) + 1);
    rc = Ordex_GetCalibrationHandleValues(t.inst, t.module, t.name, static_cast<uint32_t>(h),
                                          static_cast<uint32_t>(count), values.data());
    if (rc != rcOk) return rc;
    Node& handle = handles.push(Node::array());
    for (int i = 0; i < count; ++i) handle.push(Node::hex(static_cast<uint32_t>(values[i])));
  }
  return rcOk;
}

// "Annotations" and then "IfData" of the target.
TOrdexReturnCode addAnnotationsAndIfData(const Target& t, MemberOwner owner, Node& n) {
  TOrdexReturnCode rc = addAnnotations(t.inst, t.module, owner, t.name, n);
  if (rc != rcOk) return rc;
  return addIfData(t.inst, t.module, owner, t.name, n);
}

TOrdexReturnCode showCharacteristic(const Target& t, Node& n) {
  auto r = keyed<TCharacteristic2>(t.name);
  TOrdexReturnCode rc = Ordex_GetCharacteristic2(t.inst, t.module, r.get(), 0);
  if (rc != rcOk) return rc;
  addFields(rtCharacteristic2, r.get(), n, [&r](const TRecordField& d, Node& node) {
    if (std::strcmp(d.Name, "Axes") != 0) return false;
    // CURVE, MAP and CUBOID have one axis per dimension: their type's index is the count.
    const int axes = r->Type >= 1 && r->Type <= 3 ? r->Type : 0;
    Node& list = node.add("Axes", Node::array());
    for (int i = 0; i < axes; ++i) addFields(rtAxisDescr2, &r->Axes[i], list.push(Node::object()));
    return true;
  });
  return addAnnotationsAndIfData(t, MemberOwner::kCharacteristic, n);
}

TOrdexReturnCode showAxisPts(const Target& t, Node& n) {
  auto r = keyed<TAxisPts>(t.name);
  TOrdexReturnCode rc = Ordex_GetAxisPts(t.inst, t.module, r.get(), 0);
  if (rc != rcOk) return rc;
  addFields(rtAxisPts, r.get(), n);
  return addAnnotationsAndIfData(t, MemberOwner::kAxisPts, n);
}

TOrdexReturnCode showMeasurement(const Target& t, Node& n) {
  auto r = keyed<TMeasurement>(t.name);
  TOrdexReturnCode rc = Ordex_GetMeasurement(t.inst, t.module, r.get(), 0);
  if (rc != rcOk) return rc;
  addFields(rtMeasurement, r.get(), n);
  rc = addMeasurementVirtuals(t.inst, t.module, t.name, n);
  if (rc != rcOk) return rc;
  return addAnnotationsAndIfData(t, MemberOwner::kMeasurement, n);
}

TOrdexReturnCode showFunction(const Target& t, Node& n) {
  auto r = keyed<TFunction>(t.name);
  TOrdexReturnCode rc = Ordex_GetFunction(t.inst, t.module, r.get(), 0);
  if (rc != rcOk) return rc;
  addFields(rtFunction, r.get(), n);
  return addFunctionNameLists(t.inst, t.module, t.name, n);
}

TOrdexReturnCode showCompuMethod(const Target& t, Node& n) {
  auto r = keyed<TCompuMethod2>(t.name);
  TOrdexReturnCode rc = Ordex_GetCompuMethod2(t.inst, t.module, r.get(), 0);
  if (rc != rcOk) return rc;
  addFields(rtCompuMethod2, r.get(), n);
  return rcOk;
}

// COMPU_TAB and COMPU_VTAB: the same record around different pairs, which `addPairs` puts
// into the "Pairs" array (returning the code of a failing call).
template <class Record, class AddPairs>
TOrdexReturnCode showConversionTable(const Target& t, Node& n, int32_t recordType,
                                     TOrdexReturnCode (*get)(TOrdex*, const char*, Record*, int),
                                     AddPairs&& addPairs) {
  auto r = keyed<Record>(t.name);
  TOrdexReturnCode rc = get(t.inst, t.module, r.get(), 0);
  if (rc != rcOk) return rc;
  addFields(recordType, r.get(), n, [&](const TRecordField& d, Node& node) {
    if (std::strcmp(d.Name, "Pairs") != 0) return false;
    rc = addPairs(*r, node.add("Pairs", Node::array()));
    return true;
  });
  return rc;
}

TOrdexReturnCode showCompuTab(const Target& t, Node& n) {
  return showConversionTable(t, n, rtCompuTab, Ordex_GetCompuTab,
                             [](const TCompuTab& r, Node& pairs) {
                               int count = r.NumberValuePairs < 0 ? 0 : r.NumberValuePairs;
                               if (count > ORDEX_COMPU_TAB_PAIRS) count = ORDEX_COMPU_TAB_PAIRS;
                               for (int i = 0; i < count; ++i) {
                                 addFields(rtCompuTabPair, &r.Pairs[i], pairs.push(Node::object()));
                               }
                               return rcOk;
                             });
}

TOrdexReturnCode showCompuVTab(const Target& t, Node& n) {
  // Every pair, also those beyond the record's twenty, with its whole text.
  return showConversionTable(
      t, n, rtCompuVTab, Ordex_GetCompuVTab, [&t](const TCompuVTab& r, Node& pairs) {
        if (r.NumberValuePairs <= 0) return rcOk;
        std::vector<TCompuVTabEntry> entries(static_cast<size_t>(r.NumberValuePairs));
        TOrdexReturnCode rc =
            Ordex_GetACompuVTabsLargeVTab(t.inst, t.module, t.name, entries.data());
        if (rc != rcOk) return rc;
        for (const TCompuVTabEntry& e : entries) {
          Node& p = pairs.push(Node::object());
          p.add("InVal", Node::integer(e.InVal));
          p.add("OutText", Node::text(e.OutText ? e.OutText : ""));
        }
        return rcOk;
      });
}

void addElement(Node& list, int32_t kind, const TRecordLayoutElement& e) {
  const bool reserved = kind == 0;
  Node& n = list.push(Node::object());
  n.add("Kind", Node::word(kRecordLayoutElements.at(kind)));
  n.add("Position", Node::integer(e.Position));
  n.add("DataType", Node::keyword(e.DataType, reserved ? kDataSizes : kDataTypes));
  // FNC_VALUES has an index mode, the axis points and rescale elements an index increment.
  const KeywordTable none{nullptr, 0};
  const KeywordTable& modes = kind == 1                  ? kIndexModes
                              : (kind >= 3 && kind <= 8) ? kIndexIncrements
                                                         : none;
  n.add("IndexMode", Node::keyword(e.IndexMode, modes));
  n.add("Addressing", Node::keyword(e.Addressing, kAddressings));
  n.add("MaxNumberOfRescalePairs", Node::integer(e.MaxNumberOfRescalePairs));
}

TOrdexReturnCode showRecordLayout(const Target& t, Node& n) {
  auto r = keyed<TRecordLayout2>(t.name);
  TOrdexReturnCode rc = Ordex_GetRecordLayout2(t.inst, t.module, r.get(), 0);
  if (rc != rcOk) return rc;
  addFields(rtRecordLayout2, r.get(), n, [&](const TRecordField& d, Node& node) {
    if (std::strcmp(d.Name, "Reserved") == 0) return true;  // among the elements
    if (std::strcmp(d.Name, "Elements") != 0) return false;
    // The elements in position order, as the record is stored in memory.
    TRecordLayoutElementExt placed[ORDEX_SORTED_ELEMENTS];
    rc = Ordex_GetRecordLayoutElementArraySorted(t.inst, t.module, t.name, placed);
    Node& elements = node.add("Elements", Node::array());
    for (const TRecordLayoutElementExt& e : placed) {
      if (rc == rcOk && e.ElementKind >= 0) addElement(elements, e.ElementKind, e.Element);
    }
    return true;
  });
  return rc;
}

using ShowFn = TOrdexReturnCode (*)(const Target&, Node&);

struct ShowKind {
  const char* kind;
  ShowFn show;
  bool needsName;
  int32_t keptKind;  // the scope of the object's kept blocks, 0 for none
};

const ShowKind kShowKinds[] = {
    {"project", showProject, false, 0},
    {"module", showModule, false, 0},
    {"memory-segment", showMemorySegment, true, 0},
    {"system-constant", showSystemConstant, true, 0},
    {"calibration-method", showCalibrationMethod, true, 0},
    {"characteristic", showCharacteristic, true, etCharacteristic},
    {"axis-pts", showAxisPts, true, etAxisPts},
    {"measurement", showMeasurement, true, etMeasurement},
    {"function", showFunction, true, etFunction},
    {"compu-method", showCompuMethod, true, etCompuMethod},
    {"compu-tab", showCompuTab, true, etCompuTab},
    {"compu-vtab", showCompuVTab, true, etCompuVTab},
    {"record-layout", showRecordLayout, true, etRecordLayout},
};

}  // namespace

const char* const kShowKindNames =
    "project, module, memory-segment, system-constant, calibration-method, characteristic, "
    "axis-pts, measurement, function, compu-method, compu-tab, compu-vtab, record-layout, blocks";

int show(const Arguments& args) {
  const char* file = args.positional()[0];
  const char* kind = args.positional()[1];
  const char* name = args.positional().size() > 2 ? args.positional()[2] : nullptr;
  if (std::strcmp(kind, "blocks") == 0) return showBlocks(args);
  for (const ShowKind& k : kShowKinds) {
    if (std::strcmp(kind, k.kind) != 0) continue;
    if (k.needsName && !name) {
      std::fprintf(stderr, "ordex show: a %s needs a NAME\n", kind);
      return kExitUsage;
    }
    LoadedFile loaded(file);
    if (!loaded.ok()) return kExitFailure;
    Node record = Node::object();
    const Target target{loaded.instance(), args.value("--module"), name ? name : ""};
    TOrdexReturnCode rc = k.show(target, record);
    // What the object holds beyond its record, when it holds anything.
    if (rc == rcOk && k.keptKind) {
      Node kept = Node::array();
      rc = addKeptBlocks(target.inst, target.module, k.keptKind, target.name, kept);
      if (rc == rcOk && !kept.elements().empty()) record.add("KeptBlocks", std::move(kept));
    }
    if (rc != rcOk) {
      const std::string what = std::string(kind) + (name ? std::string(" ") + name : "");
      return reportFailure(what.c_str(), rc);
    }
    printDocument(record, args.has("--json"));
    return kExitOk;
  }
  std::fprintf(stderr, "ordex show: unknown kind '%s'; kinds: %s\n", kind, kShowKindNames);
  return kExitUsage;
}

}  // namespace ordex_tool
