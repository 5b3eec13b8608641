// Reads the input as an A2L file and, whatever the read gave, uses every query on what it
// built: every list and enumerator, every getter on every name, the member enumerators,
// the cross-reference queries and the conversion of every measurement and compu method.
// Then the reference finder runs with each mode, the model is written and the written file
// read back, and an object of each kind is removed before it is all done once more.
//
// A few settings come from a hash of the input, so each input always runs the same way:
// the name comparison mode and a progress callback that stops the read at some "/begin".
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "ordex.h"

namespace {

using ordex_fuzz::setField;

// An enumeration of n entries takes n + 1 calls; one that takes far more never ends.
constexpr int kMaxSteps = 1 << 16;

// Raw bytes for the conversions: a STRING measurement dumps up to 32767 of them, and the
// text takes three characters per byte.
unsigned char gRaw[1 << 16];
char gText[3 * (1 << 16) + 4096];

// The axis slot the annotation walks ask for (their callbacks are plain functions).
int gAxis = -1;

int gStopAtBegin = -1;  // the progress callback stops the read at this "/begin"; -1 never
int gBegins = 0;

int progressCallback(int /*percent*/) {
  return gBegins++ == gStopAtBegin ? 1 : 0;
}

uint32_t hashOf(const uint8_t* data, size_t size) {
  uint32_t h = 2166136261u;
  for (size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 16777619u;
  return h;
}

// Walks a next-name enumerator to its end and returns the names in order. An enumeration
// that does not end is a fault.
template <class Step>
std::vector<std::string> walk(Step step) {
  std::vector<std::string> names;
  char name[ORDEX_TEXT_SIZE] = "";
  for (int i = 0;; ++i) {
    if (i > kMaxSteps) std::abort();
    if (step(name) != rcOk || name[0] == '\0') break;
    names.emplace_back(name);
  }
  return names;
}

template <class Record>
std::unique_ptr<Record> keyed(const std::string& name) {
  std::unique_ptr<Record> r(new Record());
  std::memset(r.get(), 0x5A, sizeof(Record));
  setField(r->Name, name);
  return r;
}

using ListFn = TOrdexReturnCode (*)(TOrdex*, const char*, char*, int, const char*, const char*);

// A list in one large buffer, page by page through `after`, and in a few small buffers.
void exerciseList(TOrdex* inst, const char* mod, ListFn list, const std::string& pattern) {
  static char buffer[1 << 18];
  list(inst, mod, buffer, sizeof buffer, nullptr, nullptr);
  list(inst, mod, buffer, sizeof buffer, nullptr, pattern.c_str());
  std::string after;
  for (int page = 0; page < 64; ++page) {
    if (list(inst, mod, buffer, 300, page ? after.c_str() : nullptr, nullptr) != rcOk) break;
    const char* last = nullptr;
    for (const char* p = buffer; *p; p += std::strlen(p) + 1) last = p;
    if (!last) break;
    after = last;
  }
  for (int size : {-1, 0, 1, 2, 5, 17}) list(inst, mod, buffer, size, nullptr, nullptr);
}

using IfDataFn = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, TIfDataRecord*);
using AnnotationFn = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, TAnnotationRecord*);
using Annotation2Fn = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, TAnnotationRecord2*);
using MemberNameFn = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, char*);

void walkIfData(TOrdex* inst, const char* mod, const std::string& owner, IfDataFn next) {
  TIfDataRecord r{};
  for (int i = 0; i <= kMaxSteps; ++i) {
    if (next(inst, mod, owner.c_str(), &r) != rcOk || r.Name[0] == '\0') return;
    if (r.Content) (void)std::strlen(r.Content);
  }
  std::abort();
}

void walkAnnotations(TOrdex* inst, const char* mod, const std::string& owner, AnnotationFn next,
                     Annotation2Fn next2) {
  static TAnnotationRecord r;
  std::memset(&r, 0, sizeof r);
  for (int i = 0;; ++i) {
    if (i > kMaxSteps) std::abort();
    if (next(inst, mod, owner.c_str(), &r) != rcOk) break;
    if (!r.Label[0] && !r.Origin[0] && !r.Text[0]) break;
  }
  int size = 0;
  if (Ordex_GetMaxAnnotationTextSize(inst, mod, &size) != rcOk || size < 1) return;
  // The form-2 text buffer is exactly the size the library asks for, so an overrun shows.
  std::vector<char> text(static_cast<size_t>(size));
  TAnnotationRecord2 r2{};
  r2.Text = text.data();
  for (int i = 0;; ++i) {
    if (i > kMaxSteps) std::abort();
    if (next2(inst, mod, owner.c_str(), &r2) != rcOk) break;
    if (!r2.Label[0] && !r2.Origin[0] && !r2.Text[0]) break;
  }
}

void walkMemberNames(TOrdex* inst, const char* mod, const std::string& owner, MemberNameFn next) {
  walk([&](char* n) { return next(inst, mod, owner.c_str(), n); });
}

// Converts the bytes of every data type with a compu method of the module.
void convertWithMethod(TOrdex* inst, const char* mod, const std::string& method) {
  double phys = 0;
  for (int32_t type = -1; type <= 11; ++type) {
    for (int32_t order : {0, 1, 2, 3, 4, 7}) {
      Ordex_RawToPhys(inst, mod, gRaw, type, order, 0, method.c_str(), '.', &phys, gText);
    }
    Ordex_RawToPhys(inst, mod, gRaw, type, 1, 0x00F0u, method.c_str(), ',', &phys, gText);
  }
}

void walkModule(TOrdex* inst, const std::string& moduleName, const std::string& pattern) {
  const char* mod = moduleName.c_str();
  auto module = keyed<TModule>(moduleName);
  Ordex_GetModule(inst, module.get(), 0);
  Ordex_GetModule(inst, module.get(), 1);
  int count = 0;
  Ordex_GetNumObjects(inst, mod, -1, &count);
  int maxAnnotation = 0;
  Ordex_GetMaxAnnotationTextSize(inst, mod, &maxAnnotation);

  for (ListFn list :
       {Ordex_GetMemorySegmentList, Ordex_GetCharacteristicList, Ordex_GetMeasurementList,
        Ordex_GetFunctionList, Ordex_GetCompuMethodList, Ordex_GetCompuTabList,
        Ordex_GetCompuVTabList, Ordex_GetAxisPtsList, Ordex_GetRecordLayoutList}) {
    exerciseList(inst, mod, list, pattern);
  }

  TIfDataRecord ifData{};
  for (int i = 0;; ++i) {
    if (i > kMaxSteps) std::abort();
    if (Ordex_GetAModulesNextIfData(inst, mod, &ifData) != rcOk || !ifData.Name[0]) break;
  }

  auto names = [&](auto next) {
    return walk([&](char* n) { return next(inst, mod, n, nullptr); });
  };
  // Walked with the pattern too: a filtered walk must end as well.
  walk([&](char* n) { return Ordex_GetNextCharacteristicName(inst, mod, n, pattern.c_str()); });

  for (const std::string& name : names(Ordex_GetNextMemorySegmentName)) {
    auto r = keyed<TMemorySegment>(name);
    Ordex_GetMemorySegment(inst, mod, r.get(), 0);
    walkIfData(inst, mod, name, Ordex_GetAMemSegsNextIfData);
  }

  for (const std::string& name : names(Ordex_GetNextCalibrationMethodName)) {
    auto r = keyed<TCalibrationMethod>(name);
    if (Ordex_GetCalibrationMethod(inst, mod, r.get(), 0) != rcOk) continue;
    uint32_t handles = r->HandleCount > 64 ? 64 : static_cast<uint32_t>(r->HandleCount);
    for (uint32_t h = 0; h <= handles; ++h) {
      int n = 0;
      if (Ordex_GetCalibrationHandleNumValues(inst, mod, name.c_str(), h, &n) != rcOk) continue;
      std::vector<int> values(n > 0 && n < (1 << 20) ? static_cast<size_t>(n) : 1);
      Ordex_GetCalibrationHandleValues(inst, mod, name.c_str(), h,
                                       static_cast<uint32_t>(values.size()), values.data());
      Ordex_GetCalibrationHandleValues(inst, mod, name.c_str(), h, 0, values.data());
    }
    Ordex_GetCalibrationHandleNumValues(inst, mod, name.c_str(), 0xFFFFFFFFu, &count);
  }

  TSystemConstant constant{};
  for (int i = 0;; ++i) {
    if (i > kMaxSteps) std::abort();
    if (Ordex_GetNextSystemConstant(inst, mod, &constant) != rcOk || !constant.Name[0]) break;
    TSystemConstant byName{};
    std::memcpy(byName.Name, constant.Name, sizeof byName.Name);
    Ordex_GetSystemConstant(inst, mod, &byName, 0);
    if (byName.Value) (void)std::strlen(byName.Value);
  }

  char function[ORDEX_TEXT_SIZE];
  for (const std::string& name : names(Ordex_GetNextCharacteristicName)) {
    auto r = keyed<TCharacteristic>(name);
    Ordex_GetCharacteristic(inst, mod, r.get(), 0);
    auto r2 = keyed<TCharacteristic2>(name);
    Ordex_GetCharacteristic2(inst, mod, r2.get(), 0);
    walkIfData(inst, mod, name, Ordex_GetAChasNextIfData);
    walkAnnotations(inst, mod, name, Ordex_GetAChasNextAnnotation, Ordex_GetAChasNextAnnotation2);
    for (int axis = -1; axis <= 3; ++axis) {
      gAxis = axis;
      walkAnnotations(
          inst, mod, name,
          [](TOrdex* i, const char* m, const char* o, TAnnotationRecord* a) {
            return Ordex_GetAnAxisDescrsNextAnnotation(i, m, o, gAxis, a);
          },
          [](TOrdex* i, const char* m, const char* o, TAnnotationRecord2* a) {
            return Ordex_GetAnAxisDescrsNextAnnotation2(i, m, o, gAxis, a);
          });
    }
    Ordex_GetAChasPublishingFunc(inst, mod, name.c_str(), function);
    Ordex_GetAFuncWithRefToCha(inst, mod, name.c_str(), function);
  }

  for (const std::string& name : names(Ordex_GetNextMeasurementName)) {
    auto r = keyed<TMeasurement>(name);
    Ordex_GetMeasurement(inst, mod, r.get(), 0);
    walkMemberNames(inst, mod, name, Ordex_GetAMeasNextVirtual);
    walkIfData(inst, mod, name, Ordex_GetAMeasNextIfData);
    walkAnnotations(inst, mod, name, Ordex_GetAMeasNextAnnotation, Ordex_GetAMeasNextAnnotation2);
    Ordex_GetAMeasPublishingFunc(inst, mod, name.c_str(), function);
    Ordex_GetAFuncWithRefToMea(inst, mod, name.c_str(), function);
    Ordex_GetAChaWithRefToMea(inst, mod, name.c_str(), function);
    Ordex_GetAAxisPtsWithRefToMea(inst, mod, name.c_str(), function);
    double phys = 0;
    Ordex_RawToPhysMeasurement(inst, mod, name.c_str(), gRaw, '.', &phys, gText);
    unsigned char block[8];
    for (int32_t size : {8, 4}) {
      int32_t blockSize = size;
      Ordex_CreateMeasurementRequestBlock(inst, mod, name.c_str(), nullptr, 1, block, &blockSize);
    }
    // A response of every length up to 40 bytes, and one as long as the raw buffer.
    gRaw[0] = 0x63;
    for (int32_t length : {0, 1, 2, 3, 5, 9, 17, 40, static_cast<int32_t>(sizeof gRaw)}) {
      for (int32_t index : {0, 1, 3, -1}) {
        Ordex_EvaluateMeasurementResponseBlock(inst, mod, name.c_str(), nullptr, nullptr, 1, gRaw,
                                               length, index, ',', &phys, gText);
      }
    }
    gRaw[0] = 0;
  }

  for (const std::string& name : names(Ordex_GetNextFunctionName)) {
    auto r = keyed<TFunction>(name);
    Ordex_GetFunction(inst, mod, r.get(), 0);
    for (MemberNameFn next : {Ordex_GetAFuncsNextDefChaName, Ordex_GetAFuncsNextRefChaName,
                              Ordex_GetAFuncsNextOutMeaName, Ordex_GetAFuncsNextInMeaName,
                              Ordex_GetAFuncsNextLocMeaName, Ordex_GetAFuncsNextSubFuncName,
                              Ordex_GetAFuncsNextAxisPtsName}) {
      walkMemberNames(inst, mod, name, next);
    }
    Ordex_GetAFuncsPublishingFunc(inst, mod, name.c_str(), function);
    Ordex_GetAFuncWithRefToFunc(inst, mod, name.c_str(), function);
  }

  for (const std::string& name : names(Ordex_GetNextCompuMethodName)) {
    auto r = keyed<TCompuMethod>(name);
    Ordex_GetCompuMethod(inst, mod, r.get(), 0);
    auto r2 = keyed<TCompuMethod2>(name);
    Ordex_GetCompuMethod2(inst, mod, r2.get(), 0);
    convertWithMethod(inst, mod, name);
    // The record as the getter gave it, through the direct conversion.
    double phys = 0;
    Ordex_RawToPhysDirect2(gRaw, dtSWord, boMsbFirst, 0, 3, r.get(), '.', &phys, gText);
  }

  for (const std::string& name : names(Ordex_GetNextCompuTabName)) {
    auto r = keyed<TCompuTab>(name);
    Ordex_GetCompuTab(inst, mod, r.get(), 0);
  }

  for (const std::string& name : names(Ordex_GetNextCompuVTabName)) {
    auto r = keyed<TCompuVTab>(name);
    if (Ordex_GetCompuVTab(inst, mod, r.get(), 0) != rcOk) continue;
    int32_t pairs = r->NumberValuePairs;
    TCompuVTabValue value{};
    for (uint32_t index : {0u, 1u, 19u, 20u, 255u, static_cast<uint32_t>(pairs),
                           static_cast<uint32_t>(pairs) - 1, 0xFFFFFFFFu}) {
      value.Index = index;
      Ordex_GetACompuVTabValueByIndex(inst, mod, name.c_str(), &value);
    }
    // The whole table needs an array of its declared size; a hostile count is skipped.
    if (pairs >= 0 && pairs <= (1 << 16)) {
      std::vector<TCompuVTabEntry> entries(static_cast<size_t>(pairs) + 1);
      if (Ordex_GetACompuVTabsLargeVTab(inst, mod, name.c_str(), entries.data()) == rcOk) {
        for (int32_t k = 0; k < pairs; ++k)
          if (entries[k].OutText) (void)std::strlen(entries[k].OutText);
      }
    }
  }

  for (const std::string& name : names(Ordex_GetNextAxisPtsName)) {
    auto r = keyed<TAxisPts>(name);
    Ordex_GetAxisPts(inst, mod, r.get(), 0);
    walkIfData(inst, mod, name, Ordex_GetAAxisPtsNextIfData);
    walkAnnotations(inst, mod, name, Ordex_GetAAxisPtsNextAnnotation,
                    Ordex_GetAAxisPtsNextAnnotation2);
  }

  for (const std::string& name : names(Ordex_GetNextRecordLayoutName)) {
    auto r = keyed<TRecordLayout>(name);
    Ordex_GetRecordLayout(inst, mod, r.get(), 0);
    auto r2 = keyed<TRecordLayout2>(name);
    Ordex_GetRecordLayout2(inst, mod, r2.get(), 0);
    TRecordLayoutElementExt sorted[ORDEX_SORTED_ELEMENTS];
    Ordex_GetRecordLayoutElementArraySorted(inst, mod, name.c_str(), sorted);
  }

  for (const std::string& name : names(Ordex_GetNextVarCharacteristicName)) {
    walk([&](char* n) {
      return Ordex_GetNextVarCharacteristicCriterionName(inst, mod, name.c_str(), n, nullptr);
    });
    char address[ORDEX_TEXT_SIZE] = "";
    unsigned long value = 0;
    for (int i = 0;; ++i) {
      if (i > kMaxSteps) std::abort();
      if (Ordex_GetNextVarCharacteristicAddress(inst, mod, name.c_str(), address, &value) != rcOk ||
          !address[0])
        break;
    }
  }
  for (const std::string& name : names(Ordex_GetNextVarCriterionName)) {
    auto r = keyed<TVarCriterion>(name);
    Ordex_GetVarCriterion(inst, mod, r.get(), 0);
    walk([&](char* n) {
      return Ordex_GetNextVarCriterionValue(inst, mod, name.c_str(), n, nullptr);
    });
  }
  for (const std::string& name : names(Ordex_GetNextVarForbiddenCombName)) {
    // Without a remembered position a criterion named twice leads back to its first pair,
    // so this walk is only bounded, not required to end.
    TVarCombCriterion pair{};
    for (int i = 0; i < 256; ++i) {
      if (Ordex_GetAVarForbiddenCombsNextCriterion(inst, mod, name.c_str(), &pair) != rcOk ||
          !pair.CriterionName[0])
        break;
    }
  }
}

// The consistency check with every finding's texts read, then the referrers of the names
// it found at fault (dangling names included) and of each object it named.
int readFinding(const TCheckFinding* f, void* context) {
  auto* names = static_cast<std::vector<std::string>*>(context);
  if (names->size() < 32) {
    names->emplace_back(f->Value);
    names->emplace_back(f->Name);
  }
  return std::strlen(f->Message) + std::strlen(f->Module) + std::strlen(f->Keyword) > 1u << 20;
}
int readReferrer(const TReferrer* r, void*) {
  return std::strlen(r->Name) + std::strlen(r->Field) + std::strlen(r->Keyword) > 1u << 20;
}
void checkInstance(TOrdex* inst, const std::vector<std::string>& modules) {
  std::vector<std::string> names;
  Ordex_CheckConsistency(inst, nullptr, fsNote, readFinding, &names);
  for (const std::string& m : modules) {
    Ordex_CheckConsistency(inst, m.c_str(), fsError, readFinding, &names);
    for (const std::string& n : names)
      Ordex_GetReferrers(inst, m.c_str(), n.c_str(), readReferrer, nullptr);
  }
}

// Everything that only reads the model.
void walkInstance(TOrdex* inst, const std::string& pattern) {
  static TProject project;
  Ordex_GetProject(inst, &project, 0);
  char report[512];
  Ordex_GetReadAsapFileError(inst, report, sizeof report);
  Ordex_GetReadAsapFileError(inst, report, 3);
  exerciseList(
      inst, nullptr,
      [](TOrdex* i, const char*, char* b, int s, const char* a, const char* p) {
        return Ordex_GetModuleList(i, b, s, a, p);
      },
      pattern);
  std::vector<std::string> modules =
      walk([&](char* n) { return Ordex_GetNextModuleName(inst, n, nullptr); });
  for (const std::string& m : modules) walkModule(inst, m, pattern);
  checkInstance(inst, modules);
  // The only module, by a null name (fails with several modules).
  int count = 0;
  Ordex_GetNumObjects(inst, nullptr, -1, &count);
}

// Removes the first object of each kind and the first entry of each function list, leaving
// the names that referred to them dangling.
void removeSome(TOrdex* inst) {
  std::vector<std::string> modules =
      walk([&](char* n) { return Ordex_GetNextModuleName(inst, n, nullptr); });
  for (const std::string& m : modules) {
    const char* mod = m.c_str();
    char name[ORDEX_TEXT_SIZE];
    using NextFn = TOrdexReturnCode (*)(TOrdex*, const char*, char*, const char*);
    using RemoveFn = TOrdexReturnCode (*)(TOrdex*, const char*, const char*);
    const std::pair<NextFn, RemoveFn> kinds[] = {
        {Ordex_GetNextMemorySegmentName, Ordex_RemoveMemorySegment},
        {Ordex_GetNextCharacteristicName, Ordex_RemoveCharacteristic},
        {Ordex_GetNextMeasurementName, Ordex_RemoveMeasurement},
        {Ordex_GetNextCompuMethodName, Ordex_RemoveCompuMethod},
        {Ordex_GetNextCompuTabName, Ordex_RemoveCompuTab},
        {Ordex_GetNextCompuVTabName, Ordex_RemoveCompuVTab},
        {Ordex_GetNextAxisPtsName, Ordex_RemoveAxisPts},
        {Ordex_GetNextRecordLayoutName, Ordex_RemoveRecordLayout},
    };
    for (const auto& kind : kinds) {
      name[0] = '\0';
      if (kind.first(inst, mod, name, nullptr) == rcOk && name[0]) kind.second(inst, mod, name);
    }
    name[0] = '\0';
    if (Ordex_GetNextFunctionName(inst, mod, name, nullptr) == rcOk && name[0]) {
      std::string function = name;
      using MemberFn = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, char*);
      using RemFromFn = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, const char*);
      const std::pair<MemberFn, RemFromFn> lists[] = {
          {Ordex_GetAFuncsNextDefChaName, Ordex_RemFromAFuncsDefChaList},
          {Ordex_GetAFuncsNextRefChaName, Ordex_RemFromAFuncsRefChaList},
          {Ordex_GetAFuncsNextInMeaName, Ordex_RemFromAFuncsInMeaList},
          {Ordex_GetAFuncsNextOutMeaName, Ordex_RemFromAFuncsOutMeaList},
          {Ordex_GetAFuncsNextLocMeaName, Ordex_RemFromAFuncsLocMeaList},
          {Ordex_GetAFuncsNextSubFuncName, Ordex_RemFromAFuncsSubFuncList},
          {Ordex_GetAFuncsNextAxisPtsName, Ordex_RemFromAFuncsAxisPtsList},
      };
      for (const auto& list : lists) {
        name[0] = '\0';
        if (list.first(inst, mod, function.c_str(), name) == rcOk && name[0])
          list.second(inst, mod, function.c_str(), name);
      }
      Ordex_RemoveFunction(inst, mod, function.c_str());
    }
    TSystemConstant constant{};
    if (Ordex_GetNextSystemConstant(inst, mod, &constant) == rcOk && constant.Name[0])
      Ordex_RemFromSysConstantList(inst, mod, constant.Name);
  }
  if (!modules.empty()) Ordex_RemoveModule(inst, modules.back().c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint32_t h = hashOf(data, size);
  Ordex_ConfigureStringComparison(static_cast<int>(h & 1));
  gStopAtBegin = (h >> 1) % 4 == 0 ? static_cast<int>((h >> 3) % 16) : -1;
  gBegins = 0;
  // A wildcard pattern made of the first bytes of the input.
  std::string pattern;
  for (size_t i = 0; i < size && i < 6; ++i)
    pattern.push_back(data[i] % 3 == 0   ? '*'
                      : data[i] % 3 == 1 ? '?'
                                         : static_cast<char>(data[i] | 1));

  const std::string input = ordex_fuzz::writeScratchFile("input.a2l", data, size);
  const std::string written = ordex_fuzz::scratchFolder() + "/written.a2l";
  // An include may name the files of the scratch folder: the copy written by the previous
  // input must not be there, so each input runs alike.
  std::remove(written.c_str());

  int version = 0;
  int upgrade = 0;
  char headComment[ORDEX_TEXT_SIZE];
  Ordex_GetAsapFilePreInfo(input.c_str(), &version, &upgrade, headComment);

  TOrdex* inst = nullptr;
  if (Ordex_CreateInstance(&inst) != rcOk) std::abort();
  const TOrdexReturnCode readResult =
      Ordex_ReadAsapFile(inst, input.c_str(), nullptr, progressCallback);
  walkInstance(inst, pattern);

  // Each pass alone, all together, and one combination chosen by the input.
  const int chosen = static_cast<int>((h >> 8) & 0xF) | ((h >> 12) & 1 ? INT32_MIN : 0);
  for (int mode : {0x1, 0x2, 0x4, 0x8, 0xF, static_cast<int>(0x8000000Fu), chosen}) {
    Ordex_ReferenceFinder(inst, mode, 0, 0, nullptr);
    Ordex_ReferenceFinder(inst, mode, 1, 3, progressCallback);
  }
  walkInstance(inst, pattern);

  if (Ordex_WriteAsapFile(inst, written.c_str(), nullptr, nullptr, "fuzz", nullptr, nullptr) ==
      rcOk) {
    TOrdex* again = nullptr;
    if (Ordex_CreateInstance(&again) != rcOk) std::abort();
    const TOrdexReturnCode rc = Ordex_ReadAsapFile(again, written.c_str(), nullptr, nullptr);
    // With ORDEX_FUZZ_STRICT_ROUND_TRIP set, the written copy of a file that read completely
    // must read too (a check of the writer's exactness, off by default).
    if (readResult == rcOk && rc != rcOk && std::getenv("ORDEX_FUZZ_STRICT_ROUND_TRIP"))
      std::abort();
    Ordex_DestroyInstance(again);
  }

  removeSome(inst);
  Ordex_ReferenceFinder(inst, 0xF, 0, 0, nullptr);
  walkInstance(inst, pattern);
  Ordex_WriteAsapFile(inst, written.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);

  Ordex_DestroyInstance(inst);
  Ordex_ConfigureStringComparison(0);
  return 0;
}
