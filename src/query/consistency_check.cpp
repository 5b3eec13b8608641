#include "query/consistency_check.h"

#include <cstdio>
#include <utility>

#include "model/keyword_lists.h"
#include "query/kept_content_check.h"
#include "query/name_table.h"
#include "query/reference_walk.h"
#include "query/value_ranges.h"

namespace ordex {

namespace {

// Indexes of the keyword lists.
constexpr int32_t kStdAxis = 0, kComAxis = 1;
constexpr int32_t kValBlk = 4, kAscii = 5;
constexpr int32_t kTabIntp = 0, kTabNoIntp = 1, kTabVerb = 4;
constexpr uint32_t kAddressNotSet = 0xFFFFFFFFu;

const char* kindKeyword(int32_t kind) {
  switch (kind) {
    case ekMemorySegment:
      return "MEMORY_SEGMENT";
    case ekCharacteristic:
      return "CHARACTERISTIC";
    case ekMeasurement:
      return "MEASUREMENT";
    case ekFunction:
      return "FUNCTION";
    case ekCompuMethod:
      return "COMPU_METHOD";
    case ekCompuTab:
      return "COMPU_TAB";
    case ekCompuVTab:
      return "COMPU_VTAB";
    case ekRecordLayout:
      return "RECORD_LAYOUT";
    case ekAxisPts:
      return "AXIS_PTS";
    default:
      return "";
  }
}

// "COMPU_TAB or COMPU_VTAB" for a mask of kinds.
std::string kindWords(int32_t mask) {
  std::string words;
  for (int32_t bit = 1; bit <= ekCalibrationMethod; bit <<= 1) {
    if (!(mask & bit)) continue;
    if (!words.empty()) words += " or ";
    words += kindKeyword(bit);
  }
  return words;
}

std::string number(double v) {
  char text[40];
  std::snprintf(text, sizeof text, "%.10g", v);
  return text;
}

std::string hexNumber(uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(v));
  return text;
}

// A limit as the file gave it.
struct Limit {
  double value;
  std::string text;
};

Limit limitOf(const NumberText& n) {
  return {n.Value, n.Text.empty() ? number(n.Value) : n.Text.str()};
}

bool given(const NumberText& n) {
  return !n.Text.empty();
}

class Checker {
 public:
  Checker(const TProject_Intern& project, const TModule_Intern& module, int32_t minSeverity,
          FindingSink& sink)
      : module_(module),
        min_(minSeverity),
        sink_(sink),
        modernFile_(project.Asap2Version > 1 ||
                    (project.Asap2Version == 1 && project.Asap2Upgrade >= 60)) {}

  bool run() {
    checkReferences();
    checkDuplicates();
    checkCharacteristics();
    checkAxisPts();
    checkMeasurements();
    checkTables();
    if (wanted(severityNote)) checkNotes();
    return !stopped_;
  }

 private:
  bool wanted(int32_t severity) const { return !stopped_ && severity >= min_; }

  void report(FindingSeverity severity, FindingCode code, const ObjectHead& o, const char* keyword,
              std::string field, std::string value, std::string message) {
    if (!wanted(severity)) return;
    Finding f;
    f.severity = severity;
    f.code = code;
    f.kind = o.Kind;
    f.keyword = keyword;
    f.name = o.Name.view();
    f.field = std::move(field);
    f.value = std::move(value);
    f.message = std::move(message);
    if (!sink_.report(module_, f)) stopped_ = true;
  }
  void report(FindingSeverity severity, FindingCode code, const ObjectHead& o, std::string field,
              std::string value, std::string message) {
    report(severity, code, o, kindKeyword(o.Kind), std::move(field), std::move(value),
           std::move(message));
  }

  const ObjectListBase* listOf(int32_t kind) const {
    switch (kind) {
      case ekMemorySegment:
        return &module_.ModPar.MemorySegments;
      case ekCharacteristic:
        return &module_.Characteristics;
      case ekMeasurement:
        return &module_.Measurements;
      case ekFunction:
        return &module_.Functions;
      case ekCompuMethod:
        return &module_.CompuMethods;
      case ekCompuTab:
        return &module_.CompuTabs;
      case ekCompuVTab:
        return &module_.CompuVTabs;
      case ekRecordLayout:
        return &module_.RecordLayouts;
      case ekAxisPts:
        return &module_.AxisPts;
      default:
        return nullptr;
    }
  }

  // The names of one kind and what refers to them.
  struct KindNames {
    bool built = false;
    NameTable table;
    std::vector<uint8_t> usedBy;  // per name: kUsedByFunction | kUsedOtherwise
  };
  static constexpr uint8_t kUsedByFunction = 1, kUsedOtherwise = 2;

  // The names of a kind (one ElementKind bit), built on first use.
  KindNames& names(int32_t kind) {
    int bit = 0;
    while (bit < kKindBits - 1 && (1 << bit) != kind) ++bit;
    KindNames& k = kinds_[bit];
    if (!k.built) {
      if (const ObjectListBase* list = listOf(kind)) k.table = NameTable(*list);
      k.usedBy.assign(k.table.entries(), 0);
      k.built = true;
    }
    return k;
  }

  // The first object of a kind named name, or null; names compared byte by byte.
  const ObjectHead* find(int32_t kind, std::string_view name) {
    const KindNames& k = names(kind);
    const uint32_t e = k.table.find(name);
    return e == NameTable::kNone ? nullptr : k.table.first(e);
  }

  const TRecordLayout_Intern* layoutNamed(std::string_view name) {
    return static_cast<const TRecordLayout_Intern*>(find(ekRecordLayout, name));
  }

  // --- references ------------------------------------------------------------------------

  // Resolves every reference once: what resolves is marked as used (for the notes), what
  // does not is reported.
  void checkReferences() {
    forEachReference(module_, [&](const Reference& r) {
      if (stopped_) return;
      const int32_t targets = referenceTargets(r);
      const uint8_t use = isFunctionListField(r.field) ? kUsedByFunction : kUsedOtherwise;
      bool found = false;
      for (int32_t bit = 1; bit <= ekCalibrationMethod; bit <<= 1) {
        if (!(targets & bit)) continue;
        KindNames& k = names(bit);
        const uint32_t e = k.table.find(r.name);
        if (e == NameTable::kNone) continue;
        k.usedBy[e] |= use;
        found = true;
      }
      if (!found) dangling(r, targets);
    });
  }

  void dangling(const Reference& r, int32_t targets) {
    // A TAB_VERB method may name a COMPU_VTAB_RANGE, a block the model does not keep.
    const bool maybeRange = r.field == ReferenceField::CompuTabRef && targets == ekCompuVTab;
    const FindingSeverity severity = maybeRange ? severityWarning : severityError;
    if (!wanted(severity)) return;
    std::string field = referenceFieldName(r);
    std::string message;
    if (r.field == ReferenceField::VarCharacteristic) {
      message = "no CHARACTERISTIC of this name exists";
    } else {
      message = field + " names " + std::string(r.name) + ", but no " + kindWords(targets) +
                " of that name exists";
    }
    if (maybeRange) message += " (it may name a COMPU_VTAB_RANGE, which is not kept)";
    report(severity, findingDanglingReference, *r.referrer, referrerKeyword(r), std::move(field),
           std::string(r.name), std::move(message));
  }

  // --- duplicate names -------------------------------------------------------------------

  template <class T>
  void duplicatesIn(const ObjectList<T>& list) {
    if (list.empty()) return;
    const NameTable& table = names(list.first()->Kind).table;
    uint32_t i = 0;
    for (const T* o : list) {
      if (stopped_) return;
      if (table.first(table.entryOf(i++)) == o) continue;
      report(severityError, findingDuplicateName, *o, "", o->Name.str(),
             std::string("another ") + kindKeyword(o->Kind) +
                 " of this name comes first; lookups find only that one");
    }
  }

  void checkDuplicates() {
    if (!wanted(severityError)) return;
    duplicatesIn(module_.ModPar.MemorySegments);
    duplicatesIn(module_.Characteristics);
    duplicatesIn(module_.Measurements);
    duplicatesIn(module_.Functions);
    duplicatesIn(module_.CompuMethods);
    duplicatesIn(module_.CompuTabs);
    duplicatesIn(module_.CompuVTabs);
    duplicatesIn(module_.AxisPts);
    duplicatesIn(module_.RecordLayouts);
  }

  // --- limits, counts, addresses ---------------------------------------------------------

  void limitsInOrder(const ObjectHead& o, const std::string& prefix, const char* lowerField,
                     const char* upperField, const Limit& lower, const Limit& upper) {
    if (!(lower.value > upper.value)) return;
    report(severityError, findingLimitsReversed, o, prefix + lowerField, lower.text,
           prefix + lowerField + " " + lower.text + " is above " + prefix + upperField + " " +
               upper.text);
  }

  // The conversion a name gives: true with null for none, true with the method, false when
  // it names no method (that is a finding of its own).
  bool conversionOf(std::string_view name, const TCompuMethod_Intern** method) {
    *method = nullptr;
    if (name.empty() || name == "NO_COMPU_METHOD") return true;
    *method = static_cast<const TCompuMethod_Intern*>(find(ekCompuMethod, name));
    return *method != nullptr;
  }

  void limitsWithinType(const ObjectHead& o, const std::string& prefix, const Limit& lower,
                        const Limit& upper, int32_t dataType, std::string_view conversion) {
    if (!wanted(severityWarning) || dataType < 0) return;
    const TCompuMethod_Intern* method;
    ValueRange range;
    if (!conversionOf(conversion, &method) || !physicalRange(dataType, method, &range)) return;
    std::string of(keywords::kDataType.view(dataType));
    if (method) of += " through " + method->Name.str();
    if (lower.value < range.low - range.tolerance) {
      report(severityWarning, findingLimitOutsideDataType, o, prefix + "LowerLimit", lower.text,
             prefix + "LowerLimit " + lower.text + " lies below " + number(range.low) +
                 ", the lowest value of " + of);
    }
    if (upper.value > range.high + range.tolerance) {
      report(severityWarning, findingLimitOutsideDataType, o, prefix + "UpperLimit", upper.text,
             prefix + "UpperLimit " + upper.text + " lies above " + number(range.high) +
                 ", the highest value of " + of);
    }
  }

  static int32_t elementDataType(const TRecordLayout_Intern* layout, int kind) {
    return layout ? layout->element(kind).DataType : -1;
  }

  void addressSet(const ObjectHead& o, uint32_t address) {
    if (address != kAddressNotSet) return;
    report(severityWarning, findingAddressNotSet, o, "Address", hexNumber(address),
           "Address is 0xFFFFFFFF, the value of an address not set");
  }

  // MAX_AXIS_POINTS of an axis or axis points; axis: 0..2 for X, Y, Z of the layout.
  void axisPointCount(const ObjectHead& o, const std::string& prefix, int16_t count,
                      const TRecordLayout_Intern* layout, int axis) {
    const std::string field = prefix + "MaxAxisPoints";
    if (count <= 0) {
      report(severityError, findingCountZero, o, field, number(count),
             field + " is " + number(count) + "; an axis needs at least one point");
      return;
    }
    if (!layout) return;
    const char xyz = static_cast<char>('X' + axis);
    const int32_t counter = elementDataType(layout, rlNoAxisPtsX + axis);
    const double largest = largestCount(counter);
    if (largest > 0 && count > largest) {
      report(severityError, findingCountBeyondLayout, o, field, number(count),
             field + " " + number(count) + " is above " + number(largest) +
                 ", the most that NO_AXIS_PTS_" + xyz + " (" +
                 std::string(keywords::kDataType.view(counter)) + ") of RECORD_LAYOUT " +
                 layout->Name.str() + " can count");
    }
    const int16_t fixed = axis == 0   ? layout->FixNoAxisPtsX
                          : axis == 1 ? layout->FixNoAxisPtsY
                                      : layout->FixNoAxisPtsZ;
    if (fixed > 0 && count < fixed) {
      report(severityError, findingCountBeyondLayout, o, field, number(count),
             field + " " + number(count) + " is below FIX_NO_AXIS_PTS_" + xyz + " " +
                 number(fixed) + " of RECORD_LAYOUT " + layout->Name.str());
    }
  }

  void checkAxis(const TCharacteristic_Intern& c, int i, const TAxisDescr_Intern& a,
                 const TRecordLayout_Intern* layout) {
    const std::string prefix = "Axes[" + std::to_string(i) + "].";
    const bool stdAxis = a.Attribute == kStdAxis;
    axisPointCount(c, prefix, a.MaxAxisPoints, stdAxis ? layout : nullptr, i);
    if (a.Attribute == kComAxis && a.AxisPtsRef.empty()) {
      report(severityError, findingMissingReference, c, prefix + "AxisPtsRef", "",
             "a COM_AXIS axis needs an AXIS_PTS_REF");
    }
    const Limit lower = limitOf(a.LowerLimit), upper = limitOf(a.UpperLimit);
    limitsInOrder(c, prefix, "LowerLimit", "UpperLimit", lower, upper);
    if (given(a.ExtendedLimitsLower) && given(a.ExtendedLimitsUpper)) {
      limitsInOrder(c, prefix, "ExtendedLimitsLower", "ExtendedLimitsUpper",
                    limitOf(a.ExtendedLimitsLower), limitOf(a.ExtendedLimitsUpper));
    }
    if (stdAxis) {
      limitsWithinType(c, prefix, lower, upper, elementDataType(layout, rlAxisPtsX + i),
                       a.Conversion);
    }
  }

  void checkCharacteristics() {
    for (const TCharacteristic_Intern* c : module_.Characteristics) {
      if (stopped_) return;
      const TRecordLayout_Intern* layout = layoutNamed(c->Deposit);
      addressSet(*c, c->Address);
      if ((c->Type == kValBlk || c->Type == kAscii) && c->Number <= 0) {
        std::string message = std::string(keywords::kCharacteristicType.view(c->Type)) +
                              " without a NUMBER of 1 or more";
        if (modernFile_) message += " (a MATRIX_DIM, which is not kept, may give its size)";
        report(modernFile_ ? severityWarning : severityError, findingCountZero, *c, "Number",
               number(c->Number), std::move(message));
      }
      const Limit lower = limitOf(c->LowerLimit), upper = limitOf(c->UpperLimit);
      limitsInOrder(*c, "", "LowerLimit", "UpperLimit", lower, upper);
      if (given(c->ExtendedLimitsLower) && given(c->ExtendedLimitsUpper)) {
        limitsInOrder(*c, "", "ExtendedLimitsLower", "ExtendedLimitsUpper",
                      limitOf(c->ExtendedLimitsLower), limitOf(c->ExtendedLimitsUpper));
      }
      if (c->Type != kAscii) {
        limitsWithinType(*c, "", lower, upper, elementDataType(layout, rlFncValues), c->Conversion);
      }
      const int axes = characteristicAxisCount(c->Type);
      for (int i = 0; i < axes && !stopped_; ++i) {
        const TAxisDescr_Intern* a = c->Axes.find(i);
        if (a) {
          checkAxis(*c, i, *a, layout);
          continue;
        }
        const std::string type(keywords::kCharacteristicType.view(c->Type));
        report(severityError, findingAxisMissing, *c, "Axes[" + std::to_string(i) + "]", "",
               "a " + type + " has " + std::to_string(axes) + " AXIS_DESCR blocks; this one has " +
                   std::to_string(i));
        break;
      }
    }
  }

  void checkAxisPts() {
    for (const TAxisPts_Intern* a : module_.AxisPts) {
      if (stopped_) return;
      const TRecordLayout_Intern* layout = layoutNamed(a->Deposit);
      addressSet(*a, a->Address);
      axisPointCount(*a, "", a->MaxAxisPoints, layout, 0);
      const Limit lower = limitOf(a->LowerLimit), upper = limitOf(a->UpperLimit);
      limitsInOrder(*a, "", "LowerLimit", "UpperLimit", lower, upper);
      limitsWithinType(*a, "", lower, upper, elementDataType(layout, rlAxisPtsX), a->Conversion);
    }
  }

  void checkMeasurements() {
    for (const TMeasurement_Intern* m : module_.Measurements) {
      if (stopped_) return;
      const Limit lower = m->LowerLimitIsHex ? Limit{static_cast<double>(m->LowerLimitHex),
                                                     hexNumber(m->LowerLimitHex)}
                                             : limitOf(m->LowerLimit);
      const Limit upper = m->UpperLimitIsHex ? Limit{static_cast<double>(m->UpperLimitHex),
                                                     hexNumber(m->UpperLimitHex)}
                                             : limitOf(m->UpperLimit);
      limitsInOrder(*m, "", "LowerLimit", "UpperLimit", lower, upper);
      limitsWithinType(*m, "", lower, upper, m->DataType, m->Conversion);
    }
  }

  // --- tables ----------------------------------------------------------------------------

  template <class Table>
  void pairCount(const Table& t, int32_t declared) {
    const size_t held = t.Pairs.size();
    if (declared <= 0 || held >= static_cast<size_t>(declared)) return;
    report(severityError, findingTablePairCount, t, "NumberValuePairs", number(declared),
           "declares " + number(declared) + " value pairs and holds " +
               number(static_cast<double>(held)));
  }

  void checkTables() {
    if (!wanted(severityError)) return;
    for (const TCompuMethod_Intern* cm : module_.CompuMethods) {
      if (stopped_) return;
      const int32_t t = cm->ConversionType;
      if ((t == kTabIntp || t == kTabNoIntp || t == kTabVerb) && cm->CompuTabRef.empty()) {
        report(severityError, findingMissingReference, *cm, "CompuTabRef", "",
               "a " + std::string(keywords::kConversionType.view(t)) +
                   " method needs a COMPU_TAB_REF");
      }
    }
    for (const TCompuTab_Intern* t : module_.CompuTabs) {
      if (stopped_) return;
      pairCount(*t, t->NumberValuePairs);
    }
    for (const TCompuVTab_Intern* t : module_.CompuVTabs) {
      if (stopped_) return;
      pairCount(*t, t->DeclaredPairs);  // a table read counts the pairs it holds
    }
  }

  // --- notes -----------------------------------------------------------------------------

  template <class T>
  void notesFor(const ObjectList<T>& list, uint8_t uses, FindingCode code, const char* message) {
    if (list.empty()) return;
    const KindNames& k = names(list.first()->Kind);
    uint32_t i = 0;
    for (const T* o : list) {
      if (stopped_) return;
      if (!(k.usedBy[k.table.entryOf(i++)] & uses)) report(severityNote, code, *o, "", "", message);
    }
  }

  void checkNotes() {
    if (!module_.Functions.empty()) {
      const char* inNoFunction = "listed in no FUNCTION";
      notesFor(module_.Characteristics, kUsedByFunction, findingNotInFunction, inNoFunction);
      notesFor(module_.Measurements, kUsedByFunction, findingNotInFunction, inNoFunction);
      notesFor(module_.AxisPts, kUsedByFunction, findingNotInFunction, inNoFunction);
    }
    notesFor(module_.CompuMethods, kUsedOtherwise, findingNotReferenced, "used by no object");
    notesFor(module_.CompuTabs, kUsedOtherwise, findingNotReferenced, "used by no COMPU_METHOD");
    notesFor(module_.CompuVTabs, kUsedOtherwise, findingNotReferenced, "used by no COMPU_METHOD");
    notesFor(module_.RecordLayouts, kUsedOtherwise, findingNotReferenced,
             "used by no CHARACTERISTIC or AXIS_PTS");
  }

  const TModule_Intern& module_;
  const int32_t min_;
  FindingSink& sink_;
  const bool modernFile_;  // ASAP2 1.60 or later: MATRIX_DIM may stand for NUMBER
  bool stopped_ = false;
  static constexpr int kKindBits = 16;
  KindNames kinds_[kKindBits];  // by the bit of the kind
};

}  // namespace

bool checkModule(const TProject_Intern& project, const TModule_Intern& module, int32_t minSeverity,
                 FindingSink& sink) {
  return Checker(project, module, minSeverity, sink).run() &&
         checkKeptContent(project, module, minSeverity, sink);
}

}  // namespace ordex
