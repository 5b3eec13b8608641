#include "edit_records.h"

#include <strings.h>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <string>

#include "record_fields.h"
#include "suggestions.h"

namespace ordex_tool {

namespace {

// What a script may do with a field of the table: set it, not name it at all, or set an
// array's entries one by one ("Coeffs[0]").
enum class Use { Settable, Hidden, ByEntry };

// What create does with a field beyond its table entry: the value it starts from, whether
// the script must give it; or how a script uses it.
struct FieldRule {
  const char* name;
  const char* initial;
  bool required;
  Use use = Use::Settable;
};

FieldType fieldType(const TRecordField& d) {
  switch (d.Kind) {
    case fkText:
      return FieldType::Text;
    case fkNumberText:
      return FieldType::Number;
    case fkInt16:
      return FieldType::Int16;
    case fkInt32:
      return FieldType::Int32;
    case fkKeyword:
      return FieldType::Keyword;
    case fkFlag:
      return FieldType::Flag;
    default:
      return FieldType::UInt32;
  }
}

// "Name[i]", kept for the life of the program (fields hold their names as pointers).
const char* entryName(const char* name, uint32_t i) {
  static std::deque<std::string> names;
  names.push_back(std::string(name) + "[" + std::to_string(i) + "]");
  return names.back().c_str();
}

// The fields of the record's table that a script can set: every single field but Name (the
// project's too, as it is in no list), and the entries of the arrays the rules name.
std::vector<Field> tableFields(int32_t recordType, std::initializer_list<FieldRule> rules) {
  std::vector<Field> fields;
  for (const TRecordField& d : recordFields(recordType)) {
    if (recordType != rtProject && std::strcmp(d.Name, "Name") == 0) continue;
    FieldRule rule{d.Name, nullptr, false};
    for (const FieldRule& r : rules) {
      if (std::strcmp(r.name, d.Name) == 0) rule = r;
    }
    if (rule.use == Use::Hidden) continue;
    if (rule.use == Use::ByEntry) {
      for (uint32_t i = 0; i < d.Count; ++i) {
        fields.push_back(
            Field{entryName(d.Name, i), fieldType(d), d.Offset + i * d.Size / d.Count});
      }
      continue;
    }
    if (d.Kind == fkRecord || d.Count != 1) continue;
    Field f{d.Name, fieldType(d), d.Offset};
    if (d.Kind == fkKeyword) f.keywords = &keywordTable(d.KeywordList);
    f.initial = rule.initial;
    f.required = rule.required;
    fields.push_back(f);
  }
  return fields;
}

// Texts the reader gives the numbers of a block's fixed parameters, and what "not given"
// is for addresses, masks and refresh units.
constexpr const char* kZero = "0";
constexpr const char* kUnset = "0xFFFFFFFF";
constexpr const char* kNoRefresh = "-1";

template <class Record>
RecordKind moduleContentKind(const char* kind,
                             TOrdexReturnCode (*get)(TOrdex*, const char*, Record*, int),
                             TOrdexReturnCode (*change)(TOrdex*, const char*, const Record*),
                             TOrdexReturnCode (*create)(TOrdex*, const char*, const Record*),
                             std::vector<Field> fields) {
  return RecordKind{
      kind,
      sizeof(Record),
      [get](TOrdex* i, const char* m, void* r) { return get(i, m, static_cast<Record*>(r), 0); },
      [change](TOrdex* i, const char* m, void* r) {
        return change(i, m, static_cast<const Record*>(r));
      },
      [create](TOrdex* i, const char* m, void* r) {
        return create(i, m, static_cast<const Record*>(r));
      },
      std::move(fields),
      nullptr};
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

// The module's MOD_COMMON byte order and deposit, which a new object takes as the reader
// gives them to a block that names none.
struct ModuleDefaults {
  int32_t byteOrder = 4;  // MSB_LAST
  int32_t depositMode = -1;
};

ModuleDefaults moduleDefaults(TOrdex* inst, const char* module) {
  std::unique_ptr<TModule> m(new TModule());
  if (module) std::snprintf(m->Name, sizeof m->Name, "%s", module);
  ModuleDefaults d;
  if (Ordex_GetModule(inst, m.get(), 0) == rcOk) {
    d.byteOrder = m->ByteOrder;
    d.depositMode = m->DepositMode;
  }
  return d;
}

void absentElement(TRecordLayoutElement& e) {
  e.Position = 0;
  e.MaxNumberOfRescalePairs = 0;
  e.DataType = e.IndexMode = e.Addressing = -1;
}

std::vector<RecordKind> makeKinds() {
  std::vector<RecordKind> k;
  k.push_back(RecordKind{"project", sizeof(TProject),
                         [](TOrdex* i, const char*, void* r) {
                           TProject* p = static_cast<TProject*>(r);
                           std::string key = p->Name;
                           TOrdexReturnCode rc = Ordex_GetProject(i, p, 0);
                           if (rc == rcOk && key != p->Name)
                             return rcInvalidArgument;  // not this project
                           return rc;
                         },
                         [](TOrdex* i, const char*, void* r) {
                           return Ordex_ChangeProject(i, static_cast<const TProject*>(r));
                         },
                         [](TOrdex* i, const char*, void* r) {
                           return Ordex_CreateProject(i, static_cast<const TProject*>(r));
                         },
                         tableFields(rtProject, {}), nullptr});
  k.push_back(RecordKind{
      "module", sizeof(TModule),
      [](TOrdex* i, const char*, void* r) {
        return Ordex_GetModule(i, static_cast<TModule*>(r), 0);
      },
      [](TOrdex* i, const char*, void* r) {
        return Ordex_ChangeModule(i, static_cast<const TModule*>(r));
      },
      [](TOrdex* i, const char*, void* r) {
        return Ordex_CreateModule(i, static_cast<const TModule*>(r));
      },
      tableFields(rtModule, {{"ByteOrder", "MSB_LAST", false}, {"AddrEpk", kUnset, false}}),
      nullptr});
  RecordKind segment = moduleContentKind<TMemorySegment>(
      "memory-segment", Ordex_GetMemorySegment, Ordex_ChangeMemorySegment,
      Ordex_CreateMemorySegment,
      tableFields(rtMemorySegment, {{"PrgType", nullptr, true}, {"Address", kUnset, false}}));
  // A MEMORY_LAYOUT's program type has keywords of its own.
  for (Field& f : segment.fields) {
    if (std::strcmp(f.name, "PrgType") == 0) f.layoutKeywords = &kProgramTypes;
  }
  k.push_back(std::move(segment));
  // The long form, so that an axis's FIX_AXIS_PAR_DIST survives the round trip.
  RecordKind characteristic = moduleContentKind<TCharacteristic2>(
      "characteristic", Ordex_GetCharacteristic2, Ordex_ChangeCharacteristic2,
      Ordex_CreateCharacteristic2,
      tableFields(rtCharacteristic2, {{"Type", nullptr, true},
                                      {"Address", kUnset, true},
                                      {"Deposit", nullptr, true},
                                      {"MaxDiff", kZero, false},
                                      {"Conversion", nullptr, true},
                                      {"LowerLimit", kZero, false},
                                      {"UpperLimit", kZero, false},
                                      {"BitMask", kUnset, false},
                                      {"MaxRefreshScalingUnit", kNoRefresh, false}}));
  characteristic.prepare = [](TOrdex* inst, const char* module, void* record) {
    TCharacteristic2& r = *static_cast<TCharacteristic2*>(record);
    const ModuleDefaults d = moduleDefaults(inst, module);
    r.ByteOrder = d.byteOrder;
    for (TAxisDescr2& a : r.Axes) {
      a.Attribute = -1;
      a.AxisPointsMode = -1;
      a.DepositMode = d.depositMode;
    }
  };
  k.push_back(std::move(characteristic));
  RecordKind measurement = moduleContentKind<TMeasurement>(
      "measurement", Ordex_GetMeasurement, Ordex_ChangeMeasurement, Ordex_CreateMeasurement,
      tableFields(rtMeasurement, {{"DataType", nullptr, true},
                                  {"Conversion", nullptr, true},
                                  {"Accuracy", kZero, false},
                                  {"LowerLimit", kZero, false},
                                  {"UpperLimit", kZero, false},
                                  {"BitMask", kUnset, false},
                                  {"MaxRefreshScalingUnit", kNoRefresh, false},
                                  {"EcuAddress", kUnset, false}}));
  measurement.prepare = [](TOrdex* inst, const char* module, void* record) {
    static_cast<TMeasurement*>(record)->ByteOrder = moduleDefaults(inst, module).byteOrder;
  };
  k.push_back(std::move(measurement));
  k.push_back(moduleContentKind<TFunction>("function", Ordex_GetFunction, Ordex_ChangeFunction,
                                           Ordex_CreateFunction, tableFields(rtFunction, {})));
  k.push_back(moduleContentKind<TCompuMethod2>(
      "compu-method", Ordex_GetCompuMethod2, Ordex_ChangeCompuMethod2, Ordex_CreateCompuMethod2,
      tableFields(rtCompuMethod2,
                  {{"ConversionType", nullptr, true}, {"Coeffs", nullptr, false, Use::ByEntry}})));
  // A script sets neither a table's pairs nor their count.
  k.push_back(moduleContentKind<TCompuTab>(
      "compu-tab", Ordex_GetCompuTab, Ordex_ChangeCompuTab, Ordex_CreateCompuTab,
      tableFields(rtCompuTab, {{"ConversionType", nullptr, true},
                               {"NumberValuePairs", nullptr, false, Use::Hidden}})));
  RecordKind vtab = moduleContentKind<TCompuVTab>(
      "compu-vtab", Ordex_GetCompuVTab, Ordex_ChangeCompuVTab, Ordex_CreateCompuVTab,
      tableFields(rtCompuVTab, {{"ConversionType", "TAB_VERB", false},
                                {"NumberValuePairs", nullptr, false, Use::Hidden}}));
  vtab.change = changeCompuVTab;
  k.push_back(std::move(vtab));
  RecordKind axisPts = moduleContentKind<TAxisPts>(
      "axis-pts", Ordex_GetAxisPts, Ordex_ChangeAxisPts, Ordex_CreateAxisPts,
      tableFields(rtAxisPts, {{"Address", kUnset, true},
                              {"InputQuantity", nullptr, true},
                              {"Deposit", nullptr, true},
                              {"MaxDiff", kZero, false},
                              {"Conversion", nullptr, true},
                              {"MaxAxisPoints", nullptr, true},
                              {"LowerLimit", kZero, false},
                              {"UpperLimit", kZero, false}}));
  axisPts.prepare = [](TOrdex* inst, const char* module, void* record) {
    TAxisPts& r = *static_cast<TAxisPts*>(record);
    const ModuleDefaults d = moduleDefaults(inst, module);
    r.ByteOrder = d.byteOrder;
    r.DepositMode = d.depositMode;
  };
  k.push_back(std::move(axisPts));
  RecordKind layout = moduleContentKind<TRecordLayout2>(
      "record-layout", Ordex_GetRecordLayout2, Ordex_ChangeRecordLayout2, Ordex_CreateRecordLayout2,
      tableFields(rtRecordLayout2, {}));
  layout.prepare = [](TOrdex*, const char*, void* record) {
    TRecordLayout2& r = *static_cast<TRecordLayout2*>(record);
    for (TRecordLayoutElement& e : r.Reserved) absentElement(e);
    for (TRecordLayoutElement& e : r.Elements) absentElement(e);
  };
  k.push_back(std::move(layout));
  return k;
}

bool parseInteger(const std::string& s, long long lo, long long hi, long long& out) {
  if (s.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long long v = std::strtoll(s.c_str(), &end, 0);
  if (errno != 0 || *end != '\0' || v < lo || v > hi) return false;
  out = v;
  return true;
}

// The index of the keyword in the table (letter case ignored, the first entry of that
// text), or -1.
int32_t keywordIndex(const KeywordTable& table, const std::string& word) {
  for (int32_t i = 0; i < table.count; ++i) {
    if (strcasecmp(table.words[i], word.c_str()) == 0) return i;
  }
  return -1;
}

std::vector<std::string> keywordList(const KeywordTable& table) {
  std::vector<std::string> words;
  for (int32_t i = 0; i < table.count; ++i) {
    if (std::strcmp(table.words[i], "DUMMY") != 0) words.emplace_back(table.words[i]);
  }
  return words;
}

bool setKeyword(unsigned char* record, const Field& f, const std::string& value, std::string& why) {
  int32_t* at = reinterpret_cast<int32_t*>(record + f.offset);
  long long number = 0;
  if (value == "-") {
    *at = -1;
    return true;
  }
  if (parseInteger(value, INT32_MIN, INT32_MAX, number)) {
    *at = static_cast<int32_t>(number);
    return true;
  }
  // A memory segment's long identifier tells a MEMORY_LAYOUT, whose program type has
  // keywords of its own; the other list is tried second.
  const char* longIdentifier = reinterpret_cast<const char*>(record + ORDEX_TEXT_SIZE);
  const bool layout = f.layoutKeywords && std::strcmp(longIdentifier, "MEMORY_LAYOUT") == 0;
  const KeywordTable* first = layout ? f.layoutKeywords : f.keywords;
  const KeywordTable* second = layout ? f.keywords : f.layoutKeywords;
  int32_t index = keywordIndex(*first, value);
  if (index < 0 && second) index = keywordIndex(*second, value);
  if (index >= 0) {
    *at = index;
    return true;
  }
  const std::vector<std::string> words = keywordList(*first);
  why = "'" + value + "' is no keyword of " + f.name;
  const std::string suggestion = didYouMean(value, words);
  if (!suggestion.empty()) {
    why += suggestion;
  } else {
    why += " (";
    for (size_t i = 0; i < words.size(); ++i) why += (i ? ", " : "") + words[i];
    why += ")";
  }
  return false;
}

bool parseFlag(const std::string& value, int16_t& out) {
  static const char* const yes[] = {"yes", "true", "on", "1"};
  static const char* const no[] = {"no", "false", "off", "0"};
  for (int i = 0; i < 4; ++i) {
    if (strcasecmp(yes[i], value.c_str()) == 0 || strcasecmp(no[i], value.c_str()) == 0) {
      out = strcasecmp(yes[i], value.c_str()) == 0 ? 1 : 0;
      return true;
    }
  }
  return false;
}

}  // namespace

const std::vector<RecordKind>& recordKinds() {
  static const std::vector<RecordKind> kinds = makeKinds();
  return kinds;
}

const RecordKind* findRecordKind(const std::string& kind) {
  for (const RecordKind& k : recordKinds()) {
    if (kind == k.kind) return &k;
  }
  return nullptr;
}

const Field* findField(const RecordKind& kind, const std::string& name, std::string& why) {
  std::vector<std::string> names;
  for (const Field& f : kind.fields) {
    if (name == f.name) return &f;
    names.emplace_back(f.name);
  }
  why = "'" + name + "' is no field of a " + kind.kind + " that a script can set" +
        didYouMean(name, names);
  return nullptr;
}

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
    case FieldType::Keyword:
      return setKeyword(record, f, value, why);
    case FieldType::Flag:
      if (!parseFlag(value, *reinterpret_cast<int16_t*>(at))) break;
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

void initialiseRecord(const RecordKind& kind, TOrdex* inst, const char* module,
                      unsigned char* record) {
  std::string ignored;
  for (const Field& f : kind.fields) {
    if (f.initial) {
      setField(record, f, f.initial, ignored);
    } else if (f.type == FieldType::Keyword) {
      *reinterpret_cast<int32_t*>(record + f.offset) = -1;
    }
  }
  if (kind.prepare) kind.prepare(inst, module, record);
}

}  // namespace ordex_tool
