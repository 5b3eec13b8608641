#include "writer/a2l_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "model/keyword_lists.h"
#include "model/object_counts.h"
#include "model/object_records.h"
#include "model/record_layout_order.h"

namespace ordex {

namespace {

// The kinds whose objects the writer writes, counted for the progress.
constexpr int kWrittenKinds = ekCharacteristic | ekMeasurement | ekFunction | ekCompuMethod |
                              ekCompuTab | ekCompuVTab | ekRecordLayout | ekAxisPts;
static_assert(kWrittenKinds == 4080, "the object count mask of the writer");

// A name-list line holds at most this many characters after its indentation.
constexpr size_t kNameListWidth = 70;
// Characters of an annotation text on one quoted line: with its quotes and escapes well
// below the reader's token limit of 1023 characters.
constexpr size_t kAnnotationLine = 1000;

constexpr std::string_view kMemorySegmentsMarker = "<MEMORY_SEGMENTs>";
constexpr std::string_view kSystemConstantsMarker = "<SYSTEM_CONSTANTs>";

// The indentation texts: 2 spaces for the HEADER, 4 for a module's blocks, 6 for blocks
// nested one level deeper.
constexpr size_t kIndentHeader = 2;
constexpr size_t kIndentModule = 4;
constexpr size_t kIndentNested = 6;

// A coded value printed as the entry of its keyword list. An index outside the list has no
// entry: the keyword it was read from is printed when the record kept one (a keyword of a
// newer standard), else the number, which the reader takes back as unknown (-1).
struct Keyword {
  const KeywordList& list;
  int32_t index;
  std::string_view kept = {};
};

ORDEX_WRITER_INLINE Line& operator<<(Line& line, Keyword k) {
  std::string_view text = k.list.view(k.index);
  if (!text.empty()) return line << text;
  if (!k.kept.empty()) return line << k.kept;
  return line << Dec{k.index};
}

// A coded field that is written only when given: set, or read from a keyword of no list.
bool given(int32_t index, const KeptKeywords& kept, uint8_t field) {
  return index != -1 || !kept.find(field).empty();
}

bool sameBytes(std::string_view a, const char* b) {
  return a == b;
}

// A text written between double quotes so that the reader takes it back unchanged. The
// reader stores a backslash-quote pair of a quoted string as a lone quote and keeps every
// other backslash pair as it stands, so a quote inside the text is written as
// backslash-quote; a backslash that starts no such pair (the text's last character, or one
// right before a quote) cannot be read back alone and is written doubled.
struct Quoted {
  std::string_view text;
};

// The index of the first quote or backslash at or after i, or t.size(). Looks at eight
// bytes at a time: a byte equal to the searched one becomes zero after the exclusive or, and
// the lowest byte flagged by the zero-byte test is the first such byte.
ORDEX_WRITER_INLINE size_t findQuoteOrBackslash(std::string_view t, size_t i) {
  constexpr uint64_t kOnes = 0x0101010101010101u;
  constexpr uint64_t kHighBits = 0x8080808080808080u;
  for (; i + 8 <= t.size(); i += 8) {
    uint64_t w;
    std::memcpy(&w, t.data() + i, 8);
    const uint64_t q = w ^ (kOnes * '"');
    const uint64_t b = w ^ (kOnes * '\\');
    const uint64_t hit = (((q - kOnes) & ~q) | ((b - kOnes) & ~b)) & kHighBits;
    if (hit != 0) return i + (__builtin_ctzll(hit) >> 3);
  }
  for (; i < t.size(); ++i) {
    if (t[i] == '"' || t[i] == '\\') return i;
  }
  return t.size();
}

// Calls emit with the pieces of the quoted text: the text with each quote and each lone
// backslash preceded by a backslash.
template <class Emit>
ORDEX_WRITER_INLINE void escapeForQuotes(std::string_view t, Emit&& emit) {
  size_t from = 0;
  for (size_t i = findQuoteOrBackslash(t, 0); i < t.size(); i = findQuoteOrBackslash(t, i + 1)) {
    if (t[i] == '\\' && i + 1 < t.size() && t[i + 1] != '"') {
      ++i;  // a backslash pair reads back as it stands
    } else {
      emit(t.data() + from, i - from);
      const char escaped[2] = {'\\', t[i]};
      emit(escaped, 2);
      from = i + 1;
    }
  }
  emit(t.data() + from, t.size() - from);
}

// A long text, escaped through the checked path.
__attribute__((noinline)) void putQuotedLong(TextOutput& out, std::string_view text) {
  escapeForQuotes(text, [&out](const char* data, size_t size) { out.put(data, size); });
}

ORDEX_WRITER_INLINE Line& operator<<(Line& line, Quoted q) {
  char*& p = line.cursor();
  *p++ = '"';
  if (q.text.size() * 2 <= Line::kPiece) {
    escapeForQuotes(
        q.text, [&p](const char* data, size_t size)
                    __attribute__((always_inline)) { p = copyShort(p, data, size); });
  } else {
    TextOutput& out = line.output();
    out.lineEnd(p);
    putQuotedLong(out, q.text);
    p = out.lineStart();
  }
  *p++ = '"';
  return line;
}

// The whole content of a file read in binary mode (on this platform the same as text
// mode); false when it cannot be opened.
bool readWholeFile(const char* path, std::string& text) {
  std::FILE* f = std::fopen(path, "r");
  if (!f) return false;
  char chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
  std::fclose(f);
  return true;
}

// Copies template text from pos up to the first occurrence of marker and leaves pos behind
// it; without the marker, everything up to the end. The search does not back up: a
// character that breaks a partial match is written with the held-back characters and is
// not itself taken as the start of a new match, so "<<MEMORY_SEGMENTs>" holds no marker.
void copyUpToMarker(std::string_view text, size_t& pos, std::string_view marker, TextOutput& out) {
  const size_t from = pos;
  size_t matched = 0;
  while (pos < text.size()) {
    if (text[pos++] != marker[matched]) {
      matched = 0;
    } else if (++matched == marker.size()) {
      out.put(text.data() + from, pos - marker.size() - from);
      return;
    }
  }
  out.put(text.data() + from, pos - from);
}

// The first entries of a function's name lists.
inline void prefetchLists(const ObjectHead&) {}
inline void prefetchLists(const TFunction_Intern& f) {
  for (const FunctionRefList* list :
       {&f.DefCharacteristics, &f.RefCharacteristics, &f.InMeasurements, &f.OutMeasurements,
        &f.LocMeasurements, &f.SubFunctions, &f.AxisPts}) {
    __builtin_prefetch(list->First);
  }
}

class A2lWriter {
 public:
  A2lWriter(const WriteOptions& options, TextOutput& out) : opt_(options), out_(out) {}
  ReturnCode write(const TProject_Intern& project);
  void part(const TProject_Intern& project, SourcePartKey key, unsigned flags);
  void moduleBlock(const TModule_Intern& module,
                   const std::unordered_set<const ObjectHead*>& omitted);
  void modParTemplateText(const TModule_Intern& module, std::string_view text);

 private:
  bool selected(const TModule_Intern& module) const {
    return !opt_.moduleName || sameBytes(module.Name, opt_.moduleName);
  }
  bool admit(const ObjectHead& object);
  bool admitListEntry(const TFunctionRef& entry) const;

  void header(const TProject_Intern& project);
  ReturnCode module(const TModule_Intern& module);
  void modPar(const TModule_Intern& module);
  ReturnCode modParTemplate(const TModule_Intern& module);
  void modCommon(const TModCommon_Intern& common);
  void memorySegment(const TMemorySegment_Intern& segment);
  void systemConstant(const TSystemConstant_Intern& constant);
  template <class Object>
  void objects(const ObjectList<Object>& list);
  void anyObject(const ObjectHead& object);

  void object(const TCharacteristic_Intern& c);
  void axisDescr(const TAxisDescr_Intern& axis);
  void object(const TMeasurement_Intern& m);
  void object(const TFunction_Intern& f);
  void object(const TCompuMethod_Intern& cm);
  void object(const TCompuTab_Intern& tab);
  void object(const TCompuVTab_Intern& vtab);
  void object(const TAxisPts_Intern& a);
  void object(const TRecordLayout_Intern& layout);

  void nameAndLongIdentifier(const ObjectHead& o) {
    Line(out_) << Blanks{indent_ + 2} << o.Name << " " << Quoted{o.LongIdentifier} << "\n";
  }
  void annotations(const AnnotationList& list);
  void annotationPiece(std::string_view piece);
  void ifData(const IfDataList& list);
  template <class Entry, class Admit>
  void nameList(const EntryList<Entry>& list, std::string_view keyword, Admit&& admit);
  void layoutAlignment(std::string_view keyword, int16_t value, int16_t moduleValue);
  // An object's byte order or deposit mode is written when it differs from the module's,
  // and always when it was read from a keyword of no list.
  bool ownByteOrder(int32_t byteOrder, const KeptKeywords& kept) const {
    return !kept.find(kKeptByteOrder).empty() ||
           (byteOrder != -1 && byteOrder != common_->ByteOrder);
  }
  bool ownDepositMode(int32_t depositMode, const KeptKeywords& kept) const {
    return !kept.find(kKeptDepositMode).empty() ||
           (depositMode != -1 && depositMode != common_->DepositMode);
  }
  void functionListBlock();

  const WriteOptions& opt_;
  TextOutput& out_;
  size_t indent_ = 0;                          // blanks at the start of a line
  const TModCommon_Intern* common_ = nullptr;  // of the module being written
  int64_t total_ = 0;
  int64_t counted_ = 0;
  int64_t lastPercent_ = 0;
  bool moduleStopped_ = false;
  // Entries a FUNCTION leaves out of its lists, and objects a module block leaves out.
  const std::unordered_set<const TFunctionRef*>* skippedEntries_ = nullptr;
  const std::unordered_set<const ObjectHead*>* omitted_ = nullptr;
  // The FUNCTION_LIST an object is written with (never by writeProject).
  const std::vector<const TFunction_Intern*>* functionList_ = nullptr;
};

ReturnCode A2lWriter::write(const TProject_Intern& project) {
  Line(out_) << "ASAP2_VERSION  1 3\n";
  Line(out_) << "/* " << std::string_view(opt_.comment ? opt_.comment : "") << " */\n";
  Line(out_) << "/begin PROJECT\n  " << project.Name << " " << Quoted{project.LongIdentifier}
             << "\n\n";
  indent_ = kIndentHeader;
  header(project);
  for (const TModule_Intern* m : project.Modules) {
    if (selected(*m)) total_ += countObjects(*m, kWrittenKinds);
  }
  for (const TModule_Intern* m : project.Modules) {
    if (!selected(*m)) continue;
    ReturnCode rc = module(*m);
    if (rc != ReturnCode::Ok) return rc;
  }
  Line(out_) << "/end PROJECT\n";
  return ReturnCode::Ok;
}

void A2lWriter::header(const TProject_Intern& p) {
  Line(out_) << Blanks{indent_} << "/begin HEADER\n";
  Line(out_) << Blanks{indent_ + 2} << Quoted{p.HeaderComment} << "\n";
  if (!p.HeaderVersion.empty())
    Line(out_) << Blanks{indent_ + 2} << "VERSION " << Quoted{p.HeaderVersion} << "\n";
  if (!p.HeaderProjectNo.empty())
    Line(out_) << Blanks{indent_ + 2} << "PROJECT_NO " << p.HeaderProjectNo << '\n';
  Line(out_) << Blanks{indent_} << "/end HEADER\n\n";
}

// The progress step and the element filter before an object. The progress is reported
// only when the percentage grew; a callback that asks to stop ends the module.
bool A2lWriter::admit(const ObjectHead& object) {
  if (omitted_) return !omitted_->count(&object);
  ++counted_;
  if (opt_.progressCallback) {
    int64_t percent = counted_ * 100 / total_;
    if (percent > lastPercent_) {
      lastPercent_ = percent;
      if (opt_.progressCallback(static_cast<int>(percent)) != 0) {
        moduleStopped_ = true;
        return false;
      }
    }
  }
  return !opt_.elementCallback ||
         opt_.elementCallback(static_cast<ElementKind>(object.Kind), object.UserData) != 0;
}

// With an element filter, a FUNCTION list entry is written only when it has been resolved
// to its object and the filter accepts that object.
bool A2lWriter::admitListEntry(const TFunctionRef& entry) const {
  if (skippedEntries_ && skippedEntries_->count(&entry)) return false;
  if (!opt_.elementCallback) return true;
  const ObjectHead* target = entry.Target;
  return target &&
         opt_.elementCallback(static_cast<ElementKind>(target->Kind), target->UserData) != 0;
}

ReturnCode A2lWriter::module(const TModule_Intern& m) {
  Line(out_) << "  /begin MODULE\n    " << m.Name << " " << Quoted{m.LongIdentifier} << "\n\n";
  common_ = &m.ModCommon;
  indent_ = kIndentModule;
  if (opt_.modParTemplateFile) {
    ReturnCode rc = modParTemplate(m);
    if (rc != ReturnCode::Ok) return rc;
  } else {
    modPar(m);
  }
  indent_ = kIndentModule;
  modCommon(m.ModCommon);
  moduleStopped_ = false;
  objects(m.Characteristics);
  objects(m.Measurements);
  objects(m.Functions);
  objects(m.CompuMethods);
  objects(m.CompuTabs);
  objects(m.CompuVTabs);
  objects(m.AxisPts);
  objects(m.RecordLayouts);
  Line(out_) << "  /end MODULE\n\n";
  return ReturnCode::Ok;
}

// Writes the admitted objects of one list, none once the progress callback ended the
// module.
template <class Object>
void A2lWriter::objects(const ObjectList<Object>& list) {
  // Writing a large model waits mostly for memory: the records lie one after the other in
  // list order, each name and long identifier in a block of its own. While an object is
  // written, the record four ahead and the name and long identifier two ahead are fetched.
  using List = ObjectList<Object>;
  const Object* record = list.first();
  for (int i = 0; i < 3 && record; ++i) record = List::next(record);
  const Object* text = list.first();
  for (const Object* o : list) {
    if (moduleStopped_) return;
    if (record && (record = List::next(record))) {
      const char* bytes = reinterpret_cast<const char*>(record);
      for (size_t at = 0; at < std::min<size_t>(sizeof(Object), 640); at += 64) {
        __builtin_prefetch(bytes + at);
      }
    }
    if (text && (text = List::next(text))) {
      __builtin_prefetch(text->Name.data());
      __builtin_prefetch(text->LongIdentifier.data());
      prefetchLists(*text);
    }
    if (admit(*o)) object(*o);
  }
}

void A2lWriter::modPar(const TModule_Intern& m) {
  const TModPar_Intern& p = m.ModPar;
  Line(out_) << Blanks{indent_} << "/begin MOD_PAR\n";
  Line(out_) << Blanks{indent_ + 2} << Quoted{p.Comment} << "\n";
  if (!p.Version.empty()) Line(out_) << Blanks{indent_ + 2} << "VERSION " << p.Version << '\n';
  if (p.AddrEpk != 0xFFFFFFFFu)
    Line(out_) << Blanks{indent_ + 2} << "ADDR_EPK 0x" << Hex{p.AddrEpk} << '\n';
  const std::pair<std::string_view, std::string_view> texts[] = {
      {"EPK", p.Epk},           {"SUPPLIER", p.Supplier},
      {"CUSTOMER", p.Customer}, {"CUSTOMER_NO", p.CustomerNo},
      {"USER", p.User},         {"PHONE_NO", p.PhoneNo},
      {"ECU", p.Ecu},           {"CPU_TYPE", p.CpuType},
  };
  for (const auto& [keyword, text] : texts) {
    if (!text.empty()) Line(out_) << Blanks{indent_ + 2} << keyword << ' ' << text << '\n';
  }
  if (p.NoOfInterfaces != 0) {
    Line(out_) << Blanks{indent_ + 2} << "NO_OF_INTERFACES "
               << Dec{static_cast<uint16_t>(p.NoOfInterfaces)} << '\n';
  }
  if (p.EcuCalibrationOffset != 0) {
    Line(out_) << Blanks{indent_ + 2} << "ECU_CALIBRATION_OFFSET 0x" << Hex{p.EcuCalibrationOffset}
               << '\n';
  }
  indent_ = kIndentNested;
  for (const TMemorySegment_Intern* s : p.MemorySegments) memorySegment(*s);
  for (const TSystemConstant_Intern* c : p.SystemConstants) systemConstant(*c);
  indent_ = kIndentModule;
  Line(out_) << Blanks{indent_} << "/end MOD_PAR\n\n";
}

ReturnCode A2lWriter::modParTemplate(const TModule_Intern& m) {
  std::string text;
  if (!readWholeFile(opt_.modParTemplateFile, text)) return ReturnCode::FileOpenFailed;
  modParTemplateText(m, text);
  return ReturnCode::Ok;
}

void A2lWriter::modParTemplateText(const TModule_Intern& m, std::string_view text) {
  indent_ = kIndentModule;
  size_t pos = 0;
  copyUpToMarker(text, pos, kMemorySegmentsMarker, out_);
  for (const TMemorySegment_Intern* s : m.ModPar.MemorySegments) memorySegment(*s);
  copyUpToMarker(text, pos, kSystemConstantsMarker, out_);
  for (const TSystemConstant_Intern* c : m.ModPar.SystemConstants) systemConstant(*c);
  out_.put(text.data() + pos, text.size() - pos);
  Line(out_) << '\n';
}

void A2lWriter::anyObject(const ObjectHead& o) {
  switch (o.Kind) {
    case ekCharacteristic:
      return object(static_cast<const TCharacteristic_Intern&>(o));
    case ekMeasurement:
      return object(static_cast<const TMeasurement_Intern&>(o));
    case ekFunction:
      return object(static_cast<const TFunction_Intern&>(o));
    case ekCompuMethod:
      return object(static_cast<const TCompuMethod_Intern&>(o));
    case ekCompuTab:
      return object(static_cast<const TCompuTab_Intern&>(o));
    case ekCompuVTab:
      return object(static_cast<const TCompuVTab_Intern&>(o));
    case ekAxisPts:
      return object(static_cast<const TAxisPts_Intern&>(o));
    case ekRecordLayout:
      return object(static_cast<const TRecordLayout_Intern&>(o));
    default:
      return;
  }
}

// A FUNCTION_LIST block naming the functions, in front of the object's "/end".
void A2lWriter::functionListBlock() {
  if (!functionList_ || functionList_->empty()) return;
  Line line(out_);
  line << Blanks{indent_ + 2} << "/begin FUNCTION_LIST";
  for (const TFunction_Intern* f : *functionList_) {
    line.checkpoint();
    line << ' ' << f->Name;
  }
  line << " /end FUNCTION_LIST\n";
}

void A2lWriter::part(const TProject_Intern& project, SourcePartKey key, unsigned flags) {
  const bool allValues = (flags & kPartAllValues) != 0;
  std::unordered_set<const TFunctionRef*> skippedSet;
  std::vector<const TFunction_Intern*> functionList;
  if (key.part == SourcePart::kObject && project.Source) {
    const auto& o = *static_cast<const ObjectHead*>(key.record);
    if (o.Kind == ekFunction) {
      for (const TFunctionRef* e :
           project.Source->foldedEntriesOf(static_cast<const TFunction_Intern&>(o))) {
        skippedSet.insert(e);
      }
      if (!skippedSet.empty()) skippedEntries_ = &skippedSet;
    } else if (!(flags & kPartNoFunctionList)) {
      functionList = project.Source->foldedFunctionsOf(o);
      functionList_ = &functionList;
    }
  }
  switch (key.part) {
    case SourcePart::kVersion:
      Line(out_) << "ASAP2_VERSION " << Dec{project.Asap2Version} << ' '
                 << Dec{project.Asap2Upgrade} << '\n';
      break;
    case SourcePart::kProject:
      Line(out_) << "/begin PROJECT\n  " << project.Name << " " << Quoted{project.LongIdentifier}
                 << "\n";
      break;
    case SourcePart::kHeader:
      indent_ = kIndentHeader;
      header(project);
      break;
    case SourcePart::kModule: {
      const auto& m = *static_cast<const TModule_Intern*>(key.record);
      Line(out_) << "  /begin MODULE\n    " << m.Name << " " << Quoted{m.LongIdentifier} << "\n";
      break;
    }
    case SourcePart::kModPar:
      indent_ = kIndentModule;
      modPar(*static_cast<const TModule_Intern*>(key.record));
      break;
    case SourcePart::kModCommon:
      indent_ = kIndentModule;
      modCommon(static_cast<const TModule_Intern*>(key.record)->ModCommon);
      break;
    case SourcePart::kObject: {
      // With allValues every value the object holds is written, also one equal to the
      // module's default: the file may spell it out, and a change of it must meet that
      // spelling.
      static const TModCommon_Intern kNoDefaults = [] {
        TModCommon_Intern c;
        c.ByteOrder = -1;
        c.DepositMode = -1;
        return c;
      }();
      const auto& o = *static_cast<const ObjectHead*>(key.record);
      common_ = allValues ? &kNoDefaults : &static_cast<const TModule_Intern*>(o.Owner)->ModCommon;
      indent_ = kIndentModule;
      anyObject(o);
      break;
    }
  }
  skippedEntries_ = nullptr;
  functionList_ = nullptr;
}

void A2lWriter::moduleBlock(const TModule_Intern& m,
                            const std::unordered_set<const ObjectHead*>& omitted) {
  omitted_ = &omitted;
  module(m);
  omitted_ = nullptr;
}

void A2lWriter::modCommon(const TModCommon_Intern& c) {
  Line(out_) << Blanks{indent_} << "/begin MOD_COMMON\n";
  Line(out_) << Blanks{indent_ + 2} << Quoted{c.Comment} << "\n";
  if (!c.SRecLayout.empty())
    Line(out_) << Blanks{indent_ + 2} << "S_REC_LAYOUT " << c.SRecLayout << '\n';
  if (given(c.DepositMode, c.Kept, kKeptDepositMode)) {
    Line(out_) << Blanks{indent_ + 2} << "DEPOSIT "
               << Keyword{keywords::kDeposit, c.DepositMode, c.Kept.find(kKeptDepositMode)} << '\n';
  }
  if (given(c.ByteOrder, c.Kept, kKeptByteOrder)) {
    Line(out_) << Blanks{indent_ + 2} << "BYTE_ORDER "
               << Keyword{keywords::kByteOrder, c.ByteOrder, c.Kept.find(kKeptByteOrder)} << '\n';
  }
  const std::pair<std::string_view, int16_t> alignments[] = {
      {"ALIGNMENT_BYTE", c.AlignmentByte},
      {"ALIGNMENT_WORD", c.AlignmentWord},
      {"ALIGNMENT_LONG", c.AlignmentLong},
      {"ALIGNMENT_FLOAT32_IEEE", c.AlignmentFloat32Ieee},
      {"ALIGNMENT_FLOAT64_IEEE", c.AlignmentFloat64Ieee},
  };
  for (const auto& [keyword, value] : alignments) {
    if (value != 0) Line(out_) << Blanks{indent_ + 2} << keyword << ' ' << Dec{value} << '\n';
  }
  // The offsets are read in base 16, so they are written in base 16 as well.
  if (c.RamOffset != 0)
    Line(out_) << Blanks{indent_ + 2} << "RAM_OFFSET 0x" << Hex{c.RamOffset} << '\n';
  if (c.RomOffset != 0)
    Line(out_) << Blanks{indent_ + 2} << "ROM_OFFSET 0x" << Hex{c.RomOffset} << '\n';
  if (c.BitMask != 0xFFFFFFFFu)
    Line(out_) << Blanks{indent_ + 2} << "BIT_MASK 0x" << Hex{c.BitMask} << '\n';
  Line(out_) << Blanks{indent_} << "/end MOD_COMMON\n\n";
}

void A2lWriter::memorySegment(const TMemorySegment_Intern& s) {
  const bool layout = s.LongIdentifier == "MEMORY_LAYOUT";
  if (layout) {
    Line(out_) << Blanks{indent_} << "/begin MEMORY_LAYOUT\n";
    Line(out_) << Blanks{indent_ + 2}
               << Keyword{keywords::kProgramType, s.PrgType, s.Kept.find(kKeptPrgType)} << '\n';
  } else {
    Line(out_) << Blanks{indent_} << "/begin MEMORY_SEGMENT\n";
    nameAndLongIdentifier(s);
    Line(out_) << Blanks{indent_ + 2}
               << Keyword{keywords::kSegmentType, s.PrgType, s.Kept.find(kKeptPrgType)} << ' '
               << Keyword{keywords::kMemoryType, s.MemoryType, s.Kept.find(kKeptMemoryType)} << ' '
               << Keyword{keywords::kAttribute, s.Attribute, s.Kept.find(kKeptSegmentAttribute)}
               << '\n';
  }
  Line(out_) << Blanks{indent_ + 2} << "0x" << Hex{s.Address} << " 0x" << Hex{s.Size} << '\n';
  {
    Line line(out_);
    line << Blanks{indent_ + 2};
    for (int32_t offset : s.Offsets) line << Dec{offset} << ' ';
    line << '\n';
  }
  ifData(s.IfData);
  Line(out_) << Blanks{indent_}
             << (layout ? std::string_view("/end MEMORY_LAYOUT\n\n")
                        : std::string_view("/end MEMORY_SEGMENT\n\n"));
}

void A2lWriter::systemConstant(const TSystemConstant_Intern& c) {
  Line(out_) << Blanks{indent_} << "SYSTEM_CONSTANT " << Quoted{c.Name} << " " << Quoted{c.Value}
             << "\n";
}

void A2lWriter::ifData(const IfDataList& list) {
  for (const TIfData_Intern* d : list) {
    // An empty name (a token that began with a zero byte) has no text of its own; it is
    // written as an empty quoted string, which reads back as a name of two double quotes
    // instead of taking the first token of the body for the name.
    const std::string_view name = d->Name.empty() ? std::string_view("\"\"") : d->Name.view();
    Line(out_) << Blanks{indent_ + 2} << "/begin IF_DATA " << name << ' ' << d->Content
               << "/end IF_DATA\n";
  }
}

// ANNOTATION blocks at the current indentation. The text is written in pieces split at
// each double quote; the quote and the character after it are dropped (a quote at the very
// end ends the text). The reader joins the quoted lines of an ANNOTATION_TEXT and keeps at
// most 1023 characters of a token, so a piece longer than kAnnotationLine characters is
// written on several lines (never split behind a backslash, which pairs with what follows).
void A2lWriter::annotations(const AnnotationList& list) {
  for (const TAnnotation_Intern* a : list) {
    Line(out_) << Blanks{indent_ + 2} << "/begin ANNOTATION\n";
    if (!a->Label.empty())
      Line(out_) << Blanks{indent_ + 4} << "ANNOTATION_LABEL " << Quoted{a->Label} << "\n";
    if (!a->Origin.empty())
      Line(out_) << Blanks{indent_ + 4} << "ANNOTATION_ORIGIN " << Quoted{a->Origin} << "\n";
    if (!a->Text.empty()) {
      Line(out_) << Blanks{indent_ + 4} << "/begin ANNOTATION_TEXT\n";
      std::string_view rest = a->Text;
      for (;;) {
        const size_t quote = rest.find('"');
        annotationPiece(rest.substr(0, quote));
        if (quote == std::string_view::npos || quote + 1 >= rest.size()) break;
        rest.remove_prefix(quote + 2);
      }
      Line(out_) << Blanks{indent_ + 4} << "/end ANNOTATION_TEXT\n";
    }
    Line(out_) << Blanks{indent_ + 2} << "/end ANNOTATION\n";
  }
}

void A2lWriter::annotationPiece(std::string_view piece) {
  do {
    size_t take = std::min(piece.size(), kAnnotationLine);
    while (take < piece.size() && take > 1 && piece[take - 1] == '\\') --take;
    Line(out_) << Blanks{indent_ + 6} << Quoted{piece.substr(0, take)} << "\n";
    piece.remove_prefix(take);
  } while (!piece.empty());
}

// One name of a name list. The reader takes every token of an open list as a name, but some
// tokens it keeps there cannot be written back as they are; they are written so that they
// read back as close as text allows, and the rest of the block is read as written:
// - "/begin" and "/end" (taken as names when the keyword after them is no list keyword)
//   would open or close a block when read again; they are written in double quotes and
//   read back with them;
// - a name holding an odd number of double quotes (a quoted token cut short by a zero
//   byte) would leave a string open that runs on through the lines that follow; it is
//   closed with one more double quote.
void listName(Line& line, std::string_view name) {
  if (name.size() <= 6 && (name == "/begin" || name == "/end")) {
    line << '"' << name << '"';
    return;
  }
  line << name;
  if (name.find('"') != std::string_view::npos &&
      std::count(name.begin(), name.end(), '"') % 2 != 0) {
    line << '"';
  }
}

// A name list: names separated by single blanks on lines of at most kNameListWidth
// characters after the indentation, every line ending in a blank; nothing at all when no
// entry is written.
template <class Entry, class Admit>
void A2lWriter::nameList(const EntryList<Entry>& list, std::string_view keyword, Admit&& admit) {
  size_t column = 0;
  bool any = false;
  Line line(out_);
  for (const Entry* e : list) {
    if (!admit(*e)) continue;
    line.checkpoint();
    if (!any) {
      line << Blanks{indent_ + 2} << "/begin " << keyword << '\n' << Blanks{indent_ + 4};
      any = true;
    }
    const size_t width = e->Name.size() + 1;
    if (width + column > kNameListWidth) {
      line << '\n' << Blanks{indent_ + 4};
      column = 0;
    }
    listName(line, e->Name);
    line << ' ';
    column += width;
  }
  if (any) line << '\n' << Blanks{indent_ + 2} << "/end " << keyword << '\n';
}

void A2lWriter::object(const TCharacteristic_Intern& c) {
  Line(out_) << Blanks{indent_} << "/begin CHARACTERISTIC\n";
  nameAndLongIdentifier(c);
  Line(out_) << Blanks{indent_ + 2}
             << Keyword{keywords::kCharacteristicType, c.Type, c.Kept.find(kKeptCharacteristicType)}
             << '\n';
  Line(out_) << Blanks{indent_ + 2} << "0x" << Hex{c.Address} << '\n';
  Line(out_) << Blanks{indent_ + 2} << c.Deposit << ' ' << c.MaxDiff << '\n';
  Line(out_) << Blanks{indent_ + 2} << c.Conversion << ' ' << c.LowerLimit << ' ' << c.UpperLimit
             << '\n';
  if (ownByteOrder(c.ByteOrder, c.Kept)) {
    Line(out_) << Blanks{indent_ + 2} << "BYTE_ORDER "
               << Keyword{keywords::kByteOrder, c.ByteOrder, c.Kept.find(kKeptByteOrder)} << '\n';
  }
  if (!c.Format.empty()) Line(out_) << Blanks{indent_ + 2} << "FORMAT " << Quoted{c.Format} << "\n";
  // Written also when it equals the module's: objects do not take the module's mask as
  // their default when read, so leaving it out would lose it.
  if (c.BitMask != 0xFFFFFFFFu) {
    Line(out_) << Blanks{indent_ + 2} << "BIT_MASK 0x" << Hex{c.BitMask} << '\n';
  }
  // A type of a newer standard (CUBE_4, CUBE_5) is written as read, with the NUMBER and the
  // axes it was read with: which of them it needs is not known here.
  const bool newerType = c.Type == -1 && !c.Kept.find(kKeptCharacteristicType).empty();
  if (c.Type == 4 || c.Type == 5 || (newerType && c.Number != 0))
    Line(out_) << Blanks{indent_ + 2} << "NUMBER " << Dec{c.Number} << '\n';
  if (!c.ExtendedLimitsLower.Text.empty()) {
    Line(out_) << Blanks{indent_ + 2} << "EXTENDED_LIMITS " << c.ExtendedLimitsLower << ' '
               << c.ExtendedLimitsUpper << '\n';
  }
  if (c.ReadOnly) Line(out_) << Blanks{indent_ + 2} << "READ_ONLY\n";
  if (c.MaxRefreshScalingUnit != -1 || c.MaxRefreshRate != 0) {
    Line(out_) << Blanks{indent_ + 2} << "MAX_REFRESH " << Dec{c.MaxRefreshScalingUnit} << ' '
               << Dec{c.MaxRefreshRate} << '\n';
  }
  // CURVE, MAP and CUBOID have as many axes as their index in the type list.
  if (c.Type >= 1 && c.Type <= 3) {
    for (int i = 0; i < c.Type; ++i) {
      c.Axes.read(i, [&](const TAxisDescr_Intern& axis) { axisDescr(axis); });
    }
  } else if (newerType) {
    for (int i = 0; i < TCharacteristic_Intern::kAxes && c.Axes.find(i); ++i)
      axisDescr(*c.Axes.find(i));
  }
  annotations(c.Annotations);
  ifData(c.IfData);
  functionListBlock();
  Line(out_) << Blanks{indent_} << "/end CHARACTERISTIC\n\n";
}

// An axis that no AXIS_DESCR block filled (a CUBOID read with two axes has one) is written as
// an empty block: its lines would hold empty texts, and the reader would take the tokens
// that follow for its attribute and input quantity. The empty block reads back as the same
// unfilled axis.
bool neverGiven(const TAxisDescr_Intern& a) {
  return a.Attribute == -1 && a.Kept.empty() && a.InputQuantity.empty() && a.Conversion.empty() &&
         a.MaxAxisPoints == 0 && a.LowerLimit.Text.empty() && a.UpperLimit.Text.empty();
}

void A2lWriter::axisDescr(const TAxisDescr_Intern& a) {
  Line(out_) << Blanks{indent_ + 2} << "/begin AXIS_DESCR\n";
  if (neverGiven(a)) {
    Line(out_) << Blanks{indent_ + 2} << "/end AXIS_DESCR\n";
    return;
  }
  Line(out_) << Blanks{indent_ + 4}
             << Keyword{keywords::kAxisAttribute, a.Attribute, a.Kept.find(kKeptAxisAttribute)}
             << ' ' << a.InputQuantity << '\n';
  Line(out_) << Blanks{indent_ + 4} << a.Conversion << ' ' << Dec{a.MaxAxisPoints} << '\n';
  Line(out_) << Blanks{indent_ + 4} << a.LowerLimit << ' ' << a.UpperLimit << '\n';
  if (a.ReadOnly) Line(out_) << Blanks{indent_ + 4} << "READ_ONLY\n";
  if (!a.Format.empty()) Line(out_) << Blanks{indent_ + 4} << "FORMAT " << Quoted{a.Format} << "\n";
  indent_ += 2;  // the axis's annotations stand one level deeper
  annotations(a.Annotations);
  indent_ -= 2;
  if (!a.AxisPtsRef.empty())
    Line(out_) << Blanks{indent_ + 4} << "AXIS_PTS_REF " << a.AxisPtsRef << '\n';
  if (!a.ExtendedLimitsLower.Text.empty()) {
    Line(out_) << Blanks{indent_ + 4} << "EXTENDED_LIMITS " << a.ExtendedLimitsLower << ' '
               << a.ExtendedLimitsUpper << '\n';
  }
  if (a.AxisPointsMode == 1 || a.AxisPointsMode == 2) {
    Line(out_) << Blanks{indent_}
               << (a.AxisPointsMode == 1 ? std::string_view("    FIX_AXIS_PAR ")
                                         : std::string_view("    FIX_AXIS_PAR_DIST "))
               << Dec{a.FixAxisParOffset} << ' ' << Dec{a.FixAxisParShift} << ' '
               << Dec{a.FixAxisParNumberapo} << '\n';
  } else if (a.AxisPointsMode == 0 && ownDepositMode(a.DepositMode, a.Kept)) {
    Line(out_) << Blanks{indent_ + 4} << "DEPOSIT "
               << Keyword{keywords::kDeposit, a.DepositMode, a.Kept.find(kKeptDepositMode)} << '\n';
  }
  Line(out_) << Blanks{indent_ + 2} << "/end AXIS_DESCR\n";
}

void A2lWriter::object(const TMeasurement_Intern& m) {
  Line(out_) << Blanks{indent_} << "/begin MEASUREMENT\n";
  nameAndLongIdentifier(m);
  Line(out_) << Blanks{indent_ + 2}
             << Keyword{keywords::kDataType, m.DataType, m.Kept.find(kKeptDataType)} << '\n';
  Line(out_) << Blanks{indent_ + 2} << m.Conversion << '\n';
  Line(out_) << Blanks{indent_ + 2} << Dec{m.Resolution} << ' ' << m.Accuracy << '\n';
  // A limit read in hexadecimal keeps only its number; it is written back in hexadecimal.
  {
    Line line(out_);
    line << Blanks{indent_ + 2};
    if (m.LowerLimitIsHex) {
      line << "0x" << Hex{m.LowerLimitHex};
    } else {
      line << m.LowerLimit;
    }
    line << ' ';
    if (m.UpperLimitIsHex) {
      line << "0x" << Hex{m.UpperLimitHex};
    } else {
      line << m.UpperLimit;
    }
    line << '\n';
  }
  if (!m.Format.empty()) Line(out_) << Blanks{indent_ + 2} << "FORMAT " << Quoted{m.Format} << "\n";
  if (m.ArraySize != 0)
    Line(out_) << Blanks{indent_ + 2} << "ARRAY_SIZE " << Dec{m.ArraySize} << '\n';
  // Written also when it equals the module's: objects do not take the module's mask as
  // their default when read, so leaving it out would lose it.
  if (m.BitMask != 0xFFFFFFFFu) {
    Line(out_) << Blanks{indent_ + 2} << "BIT_MASK 0x" << Hex{m.BitMask} << '\n';
  }
  if (ownByteOrder(m.ByteOrder, m.Kept)) {
    Line(out_) << Blanks{indent_ + 2} << "BYTE_ORDER "
               << Keyword{keywords::kByteOrder, m.ByteOrder, m.Kept.find(kKeptByteOrder)} << '\n';
  }
  if (m.MaxRefreshScalingUnit != -1 || m.MaxRefreshRate != 0) {
    Line(out_) << Blanks{indent_ + 2} << "MAX_REFRESH " << Dec{m.MaxRefreshScalingUnit} << ' '
               << Dec{m.MaxRefreshRate} << '\n';
  }
  nameList(m.Virtuals, "VIRTUAL", [](const TNameEntry_Intern&) { return true; });
  annotations(m.Annotations);
  ifData(m.IfData);
  if (m.EcuAddress != 0xFFFFFFFFu)
    Line(out_) << Blanks{indent_ + 2} << "ECU_ADDRESS 0x" << Hex{m.EcuAddress} << '\n';
  functionListBlock();
  Line(out_) << Blanks{indent_} << "/end MEASUREMENT\n\n";
}

void A2lWriter::object(const TFunction_Intern& f) {
  Line(out_) << Blanks{indent_} << "/begin FUNCTION\n";
  nameAndLongIdentifier(f);
  annotations(f.Annotations);
  const std::pair<const FunctionRefList*, std::string_view> lists[] = {
      {&f.DefCharacteristics, "DEF_CHARACTERISTIC"},
      {&f.RefCharacteristics, "REF_CHARACTERISTIC"},
      {&f.InMeasurements, "IN_MEASUREMENT"},
      {&f.OutMeasurements, "OUT_MEASUREMENT"},
      {&f.LocMeasurements, "LOC_MEASUREMENT"},
      {&f.SubFunctions, "SUB_FUNCTION"},
      {&f.AxisPts, "AXIS_PTS"},
  };
  for (const auto& [list, keyword] : lists) {
    nameList(*list, keyword, [this](const TFunctionRef& e) { return admitListEntry(e); });
  }
  Line(out_) << Blanks{indent_} << "/end FUNCTION\n\n";
}

void A2lWriter::object(const TCompuMethod_Intern& cm) {
  Line(out_) << Blanks{indent_} << "/begin COMPU_METHOD\n";
  nameAndLongIdentifier(cm);
  const std::string_view keptType = cm.Kept.find(kKeptConversionType);
  Line(out_) << Blanks{indent_ + 2}
             << Keyword{keywords::kConversionType, cm.ConversionType, keptType} << '\n';
  Line(out_) << Blanks{indent_ + 2} << Quoted{cm.Format} << "\n";
  Line(out_) << Blanks{indent_ + 2} << Quoted{cm.Unit} << "\n";
  switch (cm.ConversionType) {
    case 2:  // RAT_FUNC: each coefficient is preceded by the indentation
    {
      Line line(out_);
      line << Blanks{indent_ + 2} << "COEFFS ";
      for (const NumberText& k : cm.Coeffs) line << Blanks{indent_} << k << ' ';
      line << '\n';
    } break;
    case 3:  // FORM
      Line(out_) << Blanks{indent_ + 2} << "FORMULA " << Quoted{cm.Formula} << "\n";
      break;
    case 0:  // TAB_INTP
    case 1:  // TAB_NOINTP
    case 4:  // TAB_VERB
      // An empty name has no token: the line is left out, and the method reads back without
      // a table reference, as it was. Written empty, the reader would take the "/end" that
      // follows for the name.
      if (!cm.CompuTabRef.empty())
        Line(out_) << Blanks{indent_ + 2} << "COMPU_TAB_REF " << cm.CompuTabRef << '\n';
      break;
    default:
      // A LINEAR method of a newer standard needs its coefficients to read back.
      if (cm.ConversionType == -1 && keptType == "LINEAR" && !cm.CoeffsLinear[0].Text.empty()) {
        Line(out_) << Blanks{indent_ + 2} << "COEFFS_LINEAR " << cm.CoeffsLinear[0] << ' '
                   << cm.CoeffsLinear[1] << '\n';
      }
      break;
  }
  Line(out_) << Blanks{indent_} << "/end COMPU_METHOD\n\n";
}

// The pairs stand four to a line, each line opened by a line feed and eleven blanks; the
// line after the last pair continues that pair's line. Only the pairs the table holds are
// written, under the declared count: a table read from a file that declared more pairs than
// it gave reads back the same.
void A2lWriter::object(const TCompuTab_Intern& tab) {
  Line(out_) << Blanks{indent_} << "/begin COMPU_TAB\n";
  nameAndLongIdentifier(tab);
  Line(out_) << Blanks{indent_ + 2}
             << Keyword{keywords::kConversionType, tab.ConversionType,
                        tab.Kept.find(kKeptConversionType)}
             << '\n';
  Line(out_) << Blanks{indent_ + 2} << Dec{tab.NumberValuePairs} << '\n';
  int32_t held = std::min<int64_t>(tab.usedPairs(), tab.Pairs.size());
  // A last pair without output (empty text, no value) is half a pair: the reader took one
  // more pair token than it found outputs for. Behind a DEFAULT_VALUE that token is the
  // default text itself, which the reader takes as an input once more, so the half pair
  // comes back by itself and is not written. Otherwise its input is written alone.
  bool halfPair = false;
  if (held > 0 && tab.pair(held - 1).Out.Text.empty() && tab.pair(held - 1).Out.Value == 0) {
    if (tab.DefaultValue.empty()) {
      halfPair = true;
    } else {
      --held;
    }
  }
  for (int32_t k = 0; k < held; ++k) {
    if (k % 4 == 0) Line(out_) << "\n           ";
    const TCompuTabPair_Intern& pair = tab.pair(k);
    if (halfPair && k == held - 1) {
      Line(out_) << Blanks{indent_ + 2} << Dec{pair.InVal};
    } else {
      Line(out_) << Blanks{indent_ + 2} << Dec{pair.InVal} << ' ' << pair.Out;
    }
  }
  if (!tab.DefaultValue.empty()) {
    Line(out_) << Blanks{indent_ + 2} << "DEFAULT_VALUE " << Quoted{tab.DefaultValue} << "\n";
  }
  Line(out_) << Blanks{indent_} << "/end COMPU_TAB\n\n";
}

// Exactly as many pair lines as the count says, so that the file reads back here and in
// other tools: the pairs the table holds, then input 0 with an empty text for each declared
// pair it does not hold (a table created with a count above the pairs of its record).
void A2lWriter::object(const TCompuVTab_Intern& vtab) {
  Line(out_) << Blanks{indent_} << "/begin COMPU_VTAB\n";
  nameAndLongIdentifier(vtab);
  Line(out_) << Blanks{indent_ + 2}
             << Keyword{keywords::kConversionType, vtab.ConversionType,
                        vtab.Kept.find(kKeptConversionType)}
             << '\n';
  Line(out_) << Blanks{indent_ + 2} << Dec{vtab.NumberValuePairs} << '\n';
  const int32_t count = vtab.usedPairs();
  for (int32_t k = 0; k < count; ++k) {
    const TCompuVTabPair_Intern& pair = vtab.pair(k);
    // An input value read with a fraction is written as it was read.
    Line line(out_);
    line << Blanks{indent_ + 2};
    if (pair.InText.empty()) {
      line << Dec{pair.InVal};
    } else {
      line << pair.InText.view();
    }
    line << " " << Quoted{pair.OutText} << "\n";
  }
  if (!vtab.DefaultValue.empty()) {
    Line(out_) << Blanks{indent_ + 2} << "DEFAULT_VALUE " << Quoted{vtab.DefaultValue} << "\n";
  }
  Line(out_) << Blanks{indent_} << "/end COMPU_VTAB\n\n";
}

void A2lWriter::object(const TAxisPts_Intern& a) {
  Line(out_) << Blanks{indent_} << "/begin AXIS_PTS\n";
  nameAndLongIdentifier(a);
  Line(out_) << Blanks{indent_ + 2} << "0x" << Hex{a.Address} << '\n';
  Line(out_) << Blanks{indent_ + 2} << a.InputQuantity << '\n';
  Line(out_) << Blanks{indent_ + 2} << a.Deposit << ' ' << a.MaxDiff << '\n';
  Line(out_) << Blanks{indent_ + 2} << a.Conversion << ' ' << Dec{a.MaxAxisPoints} << ' '
             << a.LowerLimit << ' ' << a.UpperLimit << '\n';
  if (a.ReadOnly) Line(out_) << Blanks{indent_ + 2} << "READ_ONLY\n";
  if (!a.Format.empty()) Line(out_) << Blanks{indent_ + 2} << "FORMAT " << Quoted{a.Format} << "\n";
  if (ownDepositMode(a.DepositMode, a.Kept)) {
    Line(out_) << Blanks{indent_ + 2} << "DEPOSIT "
               << Keyword{keywords::kDeposit, a.DepositMode, a.Kept.find(kKeptDepositMode)} << '\n';
  }
  if (ownByteOrder(a.ByteOrder, a.Kept)) {
    Line(out_) << Blanks{indent_ + 2} << "BYTE_ORDER "
               << Keyword{keywords::kByteOrder, a.ByteOrder, a.Kept.find(kKeptByteOrder)} << '\n';
  }
  annotations(a.Annotations);
  ifData(a.IfData);
  functionListBlock();
  Line(out_) << Blanks{indent_} << "/end AXIS_PTS\n\n";
}

void A2lWriter::object(const TRecordLayout_Intern& layout) {
  Line(out_) << Blanks{indent_} << "/begin RECORD_LAYOUT\n";
  Line(out_) << Blanks{indent_ + 2} << layout.Name << '\n';
  PlacedLayoutElement slots[kSortedElementSlots];
  placeRecordLayoutElements(layout, slots);
  for (int i = 0; i < kSortedElementSlots; ++i) {
    const int32_t kind = slots[i].ElementKind;
    if (kind < rlReserved || kind > rlDistOpZ) continue;
    const RecordLayoutElement& e = slots[i].Element;
    Line line(out_);
    line << Blanks{indent_ + 2} << Keyword{keywords::kRecordLayoutElement, kind} << ' '
         << Dec{e.Position} << ' ';
    if (kind == rlReserved) {
      line << Keyword{keywords::kDataSize, e.DataType};
    } else {
      auto kept = [&](int argument) {
        return layout.Kept.find(static_cast<uint8_t>(kKeptLayoutElement + 3 * kind + argument));
      };
      line << Keyword{keywords::kDataType, e.DataType, kept(0)};
      if (kind == rlFncValues) {
        line << ' ' << Keyword{keywords::kIndexMode, e.IndexMode, kept(1)} << ' '
             << Keyword{keywords::kAddressing, e.Addressing, kept(2)};
      } else if (kind >= rlAxisPtsX && kind <= rlAxisRescaleZ) {
        if (kind >= rlAxisRescaleX) line << ' ' << Dec{e.MaxNumberOfRescalePairs};
        line << ' ' << Keyword{keywords::kIndexIncrement, e.IndexMode, kept(1)} << ' '
             << Keyword{keywords::kAddressing, e.Addressing, kept(2)};
      }
    }
    line << '\n';
  }
  const std::pair<std::string_view, int16_t> fixed[] = {
      {"FIX_NO_AXIS_PTS_X", layout.FixNoAxisPtsX},
      {"FIX_NO_AXIS_PTS_Y", layout.FixNoAxisPtsY},
      {"FIX_NO_AXIS_PTS_Z", layout.FixNoAxisPtsZ},
  };
  for (const auto& [keyword, value] : fixed) {
    if (value > 0) Line(out_) << Blanks{indent_ + 2} << keyword << ' ' << Dec{value} << " \n";
  }
  layoutAlignment("ALIGNMENT_BYTE", layout.AlignmentByte, common_->AlignmentByte);
  layoutAlignment("ALIGNMENT_WORD", layout.AlignmentWord, common_->AlignmentWord);
  layoutAlignment("ALIGNMENT_LONG", layout.AlignmentLong, common_->AlignmentLong);
  layoutAlignment("ALIGNMENT_FLOAT32_IEEE", layout.AlignmentFloat32Ieee,
                  common_->AlignmentFloat32Ieee);
  layoutAlignment("ALIGNMENT_FLOAT64_IEEE", layout.AlignmentFloat64Ieee,
                  common_->AlignmentFloat64Ieee);
  Line(out_) << Blanks{indent_} << "/end RECORD_LAYOUT\n\n";
}

void A2lWriter::layoutAlignment(std::string_view keyword, int16_t value, int16_t moduleValue) {
  if (value != 0 && value != moduleValue) {
    Line(out_) << Blanks{indent_ + 2} << keyword << ' ' << Dec{value} << '\n';
  }
}

// Whether the template of a write can be read, asked before the output is created: a write
// that would stop at its first module's MOD_PAR then leaves nothing behind. Only a write
// that reaches a module needs the template.
bool templateReadable(const TProject_Intern& project, const WriteOptions& options) {
  if (!options.modParTemplateFile) return true;
  bool needed = false;
  for (const TModule_Intern* m : project.Modules) {
    needed = needed || !options.moduleName || sameBytes(m->Name, options.moduleName);
  }
  if (!needed) return true;
  std::FILE* f = std::fopen(options.modParTemplateFile, "r");
  if (!f) return false;
  std::fclose(f);
  return true;
}

}  // namespace

ReturnCode writeProject(const TProject_Intern& project, const WriteOptions& options,
                        TextOutput& out) {
  A2lWriter writer(options, out);
  return writer.write(project);
}

namespace {
// Collects the text in a string. The output flushes from its destructor, where nothing may
// throw: running out of memory is noted and thrown once the writing is done.
class StringSink final : public OutputSink {
 public:
  explicit StringSink(std::string& out) : out_(out) {}
  void write(const char* data, size_t size) override {
    try {
      out_.append(data, size);
    } catch (const std::bad_alloc&) {
      failed_ = true;
    }
  }
  bool failed() const { return failed_; }

 private:
  std::string& out_;
  bool failed_ = false;
};
constexpr size_t kPartBuffer = 4096;

// Runs write(writer) into out.
template <class Write>
void writeToString(const WriteOptions& options, std::string& out, Write&& write) {
  StringSink sink(out);
  {
    TextOutput text(sink, kPartBuffer);
    A2lWriter writer(options, text);
    write(writer);
  }
  if (sink.failed()) throw std::bad_alloc();
}
}  // namespace

void writeSourcePart(const TProject_Intern& project, SourcePartKey key, const WriteOptions& options,
                     unsigned flags, std::string& out) {
  writeToString(options, out, [&](A2lWriter& w) { w.part(project, key, flags); });
}

void writeModuleBlock(const TModule_Intern& module, const WriteOptions& options,
                      const std::unordered_set<const ObjectHead*>& omitted, std::string& out) {
  writeToString(options, out, [&](A2lWriter& w) { w.moduleBlock(module, omitted); });
}

void writeModParFromTemplate(const TModule_Intern& module, std::string_view templateText,
                             std::string& out) {
  writeToString(WriteOptions{}, out,
                [&](A2lWriter& w) { w.modParTemplateText(module, templateText); });
}

ReturnCode writeProjectFile(const TProject_Intern& project, const char* fileName,
                            const WriteOptions& options) {
  if (!fileName) return ReturnCode::OutputCreateFailed;
  if (!templateReadable(project, options)) return ReturnCode::FileOpenFailed;
  // The text goes to a temporary file that replaces the target only when the whole of it
  // has been written; on any failure the file goes away and the target stays as it was.
  platform::ReplacingFile file;
  if (file.open(fileName) != ReturnCode::Ok) return ReturnCode::OutputCreateFailed;
  FileSink sink(file);
  {
    TextOutput out(sink);
    ReturnCode rc = writeProject(project, options, out);
    if (rc != ReturnCode::Ok) return rc;
    out.flush();
  }
  return file.commit() == ReturnCode::Ok ? ReturnCode::Ok : ReturnCode::OutputCreateFailed;
}

}  // namespace ordex
